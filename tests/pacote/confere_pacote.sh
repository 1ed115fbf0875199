#!/usr/bin/env bash
# O .deb de verdade: gerado pelo cpack do build, aberto numa raiz vazia
# (dpkg -x), roda o tradutor e a verificação da instalação de lá, traz a
# integração com o desktop, e passa pelo lintian sem erros.
set -u
build="$1"; fonte="$2"
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
falhas=0
falha() { echo "FALHOU: $*"; falhas=$((falhas + 1)); }

cpack -G DEB -B "$tmp/pacote" --config "$build/CPackConfig.cmake" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; echo "FALHOU: cpack"; exit 1; }
deb="$(ls "$tmp"/pacote/*.deb)"
dpkg -x "$deb" "$tmp/raiz" || { echo "FALHOU: dpkg -x"; exit 1; }
usr="$tmp/raiz/usr"

for f in bin/vendrilo bin/vendrilo-traduz lib/vendrilo/tpc lib/vendrilo/atualizar \
         lib/vendrilo/autoria.ppu lib/vendrilo/autoria.o share/vendrilo/autoria.pas \
         share/vendrilo/email.ini.exemplo share/vendrilo/tpc.pif share/vendrilo/hlp/index.html \
         share/applications/vendrilo.desktop share/icons/hicolor/scalable/apps/vendrilo.svg \
         share/icons/hicolor/48x48/apps/vendrilo.png share/icons/hicolor/256x256/apps/vendrilo.png \
         share/mime/packages/vendrilo.xml share/metainfo/org.example.vendrilo.metainfo.xml \
         share/doc/vendrilo/copyright; do
    [ -e "$usr/$f" ] || falha "falta /usr/$f no pacote"
done
for pagina in "$fonte"/docs/man/*.1; do
    [ -e "$usr/share/man/man1/$(basename "$pagina").gz" ] || falha "falta o manual $(basename "$pagina")"
done
for auxiliar in tpc atualizar; do
    [ ! -e "$usr/bin/$auxiliar" ] || falha "$auxiliar não pode estar no PATH (/usr/bin)"
done
grep -q 'glob pattern="\*.alg"' "$usr/share/mime/packages/vendrilo.xml" || falha "tipo MIME sem *.alg"
grep -q '^MimeType=text/x-vendrilo-alg;' "$usr/share/applications/vendrilo.desktop" || falha ".desktop sem o tipo"
readelf -S "$usr/bin/vendrilo-traduz" | grep -q '\.debug_info' && falha "vendrilo-traduz não passou pelo strip"

# Os programas de dentro da raiz, sem variáveis que apontem para o build.
env -u VENDRILO_PASTA -u VENDRILO_DADOS HOME="$tmp/casa" \
    "$usr/bin/vendrilo-traduz" --version >"$tmp/versao" 2>&1 || falha "vendrilo-traduz --version"
grep -q '^vendrilo-traduz [0-9]' "$tmp/versao" || falha "versão: $(cat "$tmp/versao")"
# --version e --help em todos os programas, os do build inclusive (vendrilo-corrige, se houver).
for programa in bin/vendrilo bin/vendrilo-traduz bin/vendrilo-corrige lib/vendrilo/tpc lib/vendrilo/atualizar; do
    nome="$(basename "$programa")"
    [ -x "$build/bin/$nome" ] || continue
    [ -x "$usr/$programa" ] || { falha "falta /usr/$programa no pacote"; continue; }
    env -u DISPLAY -u WAYLAND_DISPLAY "$usr/$programa" --version | grep -q "^$nome [0-9]" || falha "$nome --version"
    env -u DISPLAY -u WAYLAND_DISPLAY "$usr/$programa" --help >/dev/null || falha "$nome --help"
done
env -u VENDRILO_PASTA -u VENDRILO_DADOS HOME="$tmp/casa" \
    "$usr/bin/vendrilo-traduz" --diagnostico >"$tmp/diag" 2>&1 || { cat "$tmp/diag"; falha "--diagnostico"; }
[ "$(readlink "$tmp/casa/vendrilo/tpc")" -ef "$usr/lib/vendrilo/tpc" ] || falha "tpc da pasta do programa não é o do pacote"

desktop-file-validate "$usr/share/applications/vendrilo.desktop" || falha "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/org.example.vendrilo.metainfo.xml" >"$tmp/as" 2>&1 \
    || { cat "$tmp/as"; falha "appstreamcli validate"; }
lintian --fail-on error "$deb" >"$tmp/lintian" 2>&1 || { cat "$tmp/lintian"; falha "lintian"; }
grep '^E:' "$tmp/lintian" && falha "lintian acusou erros"

[ "$falhas" -eq 0 ] && echo "Pacote $(basename "$deb") conferido."
exit "$falhas"
