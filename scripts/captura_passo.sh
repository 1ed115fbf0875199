#!/usr/bin/env bash
# Tira, numa tela virtual (Xvfb), a foto de uma sessão passo a passo (linha a
# rodar no editor, painéis de variáveis e de teste de mesa, console no
# painel) e grava em docs/tela_passo.png para o README.
set -euo pipefail
source "$(dirname "$0")/comum.sh"

programa="$BUILD/bin/teste_passo_gui"
if [ ! -x "$programa" ]; then
    echo "Compile antes (cmake --build \"$BUILD\" --target teste_passo_gui): falta $programa" >&2
    exit 1
fi
command -v xvfb-run >/dev/null || { echo "Falta o xvfb-run (pacote xvfb)." >&2; exit 1; }

mkdir -p "$RAIZ/docs"
# A plataforma do X, e não a offscreen: a foto sai com as fontes de verdade.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" \
    "$programa" --captura "$RAIZ/docs/tela_passo.png"
ls -1 "$RAIZ/docs/tela_passo.png"
