#!/usr/bin/env bash
# Refaz os ícones PNG do Vendrilo a partir do SVG (precisa de rsvg-convert,
# do pacote librsvg2-bin). Os PNG ficam no repositório: o build não depende dele.
set -euo pipefail
pasta="$(cd "$(dirname "$0")/.." && pwd)/dados/desktop/icones"
for t in 16 22 24 32 48 64 128 256; do
    mkdir -p "$pasta/${t}x${t}"
    rsvg-convert -w "$t" -h "$t" "$pasta/vendrilo.svg" -o "$pasta/${t}x${t}/vendrilo.png"
done
