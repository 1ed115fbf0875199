#!/usr/bin/env bash
# Tira a foto da janela principal com um algoritmo aberto, numa tela virtual
# (Xvfb), e grava em docs/janela_principal.png para o README.
set -euo pipefail
source "$(dirname "$0")/comum.sh"

programa="$BUILD/bin/vendrilo"
if [ ! -x "$programa" ]; then
    echo "Compile antes (scripts/executar ou cmake --build): falta $programa" >&2
    exit 1
fi
command -v xvfb-run >/dev/null || { echo "Falta o xvfb-run (pacote xvfb)." >&2; exit 1; }

# Pasta curta e própria: nada muda na pasta do programa do usuário.
pasta="$(mktemp -d /tmp/vdXXXXXX)"
trap 'rm -rf "$pasta"' EXIT
cp "$RAIZ/dados/demo/media.alg" "$pasta/MEDIA.ALG"
mkdir -p "$RAIZ/docs"
saida="$RAIZ/docs/janela_principal.png"

VENDRILO_PASTA="$pasta/vendrilo" VENDRILO_CAPTURA="$saida" \
    xvfb-run -a -s "-screen 0 1024x768x24" "$programa" "$pasta/MEDIA.ALG"
echo "Foto: $saida"
