#!/usr/bin/env bash
# Tira, numa tela virtual (Xvfb), as fotos da janela de busca aberta sobre
# um exemplo e da lista de exemplos, e grava em docs/tela_pesquisa.png e
# docs/tela_exemplos.png para o README.
set -euo pipefail
source "$(dirname "$0")/comum.sh"

programa="$BUILD/bin/teste_comandos_gerais"
if [ ! -x "$programa" ]; then
    echo "Compile antes (cmake --build \"$BUILD\" --target teste_comandos_gerais): falta $programa" >&2
    exit 1
fi
command -v xvfb-run >/dev/null || { echo "Falta o xvfb-run (pacote xvfb)." >&2; exit 1; }

mkdir -p "$RAIZ/docs"
# A plataforma do X, e não a offscreen: as fotos saem com as fontes de verdade.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    "$programa" --captura "$RAIZ/docs"
ls -1 "$RAIZ/docs/tela_pesquisa.png" "$RAIZ/docs/tela_exemplos.png"
