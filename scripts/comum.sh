# Funções comuns aos scripts de preparação (carregado com "source").

RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VENDRILO_BUILD:-$RAIZ/build}"

# Instala, com apt-get, os pacotes da lista que ainda faltam
# ($LISTA_PACOTES; sem ela, scripts/pacotes.txt).
instala_dependencias() {
    local faltam=() p
    while read -r p; do
        p="${p%%#*}"; p="${p// /}"
        [ -z "$p" ] && continue
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltam+=("$p")
    done < "${LISTA_PACOTES:-$RAIZ/scripts/pacotes.txt}"
    [ ${#faltam[@]} -eq 0 ] && return 0
    echo "Instalando pacotes que faltam: ${faltam[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y --no-install-recommends "${faltam[@]}"
}

# Configura e compila na pasta de build.
compila() {
    local gerador=()
    command -v ninja >/dev/null 2>&1 && gerador=(-G Ninja)
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        cmake -S "$RAIZ" -B "$BUILD" "${gerador[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$BUILD" -j "$(nproc)"
}
