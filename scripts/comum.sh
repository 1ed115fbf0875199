# Funções comuns aos scripts de preparação (carregado com "source").

RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${VENDRILO_BUILD:-$RAIZ/build}"

# Pacotes das listas dadas (execucao, compilacao, testes) que ainda faltam.
pacotes_faltando() {
    local lista p
    for lista in "$@"; do
        while read -r p; do
            p="${p%%#*}"; p="${p// /}"
            [ -z "$p" ] && continue
            dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
        done < "$RAIZ/scripts/pacotes/$lista.txt"
    done
}

# Servidores instalados só para os testes não ficam rodando como serviço do
# sistema: os testes sobem os seus próprios, em 127.0.0.1.
desliga_servicos_de_teste() {
    local sudo="$1" servico
    for servico in dovecot; do
        if [ -d /run/systemd/system ] && systemctl list-unit-files "$servico.service" >/dev/null 2>&1; then
            $sudo systemctl disable --now "$servico.service" >/dev/null 2>&1 || true
        elif [ -x "/etc/init.d/$servico" ]; then
            $sudo service "$servico" stop >/dev/null 2>&1 || true
            $sudo update-rc.d "$servico" disable >/dev/null 2>&1 || true
        fi
    done
}

# Instala, com apt-get, os pacotes das listas dadas que ainda faltam. Sem
# root e sem sudo, diz o comando a rodar e para.
instala_dependencias() {
    local faltam
    mapfile -t faltam < <(pacotes_faltando "$@")
    [ ${#faltam[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Faltam pacotes: ${faltam[*]}" >&2
            echo "Instale-os como administrador e rode este script de novo:" >&2
            echo "  su -c 'apt-get update && apt-get install -y --no-install-recommends ${faltam[*]}'" >&2
            exit 1
        fi
        sudo="sudo"
    fi
    echo "Instalando pacotes que faltam: ${faltam[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y --no-install-recommends "${faltam[@]}"
    case " $* " in *" testes "*) desliga_servicos_de_teste "$sudo" ;; esac
}

gerador() {
    command -v ninja >/dev/null 2>&1 && echo "-G Ninja"
}

# Configura (na primeira vez) e compila só os programas: nada de testes nem
# benchmarks, que o uso não precisa.
compila_programas() {
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        # shellcheck disable=SC2046
        cmake -S "$RAIZ" -B "$BUILD" $(gerador) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
    fi
    cmake --build "$BUILD" -j "$(nproc)" --target vendrilo_programas
}

# Configura com os testes ligados (reaproveita o que os programas já
# compilaram na mesma pasta) e compila tudo.
compila_tudo() {
    local g=""
    [ -f "$BUILD/CMakeCache.txt" ] || g="$(gerador)"
    # shellcheck disable=SC2086
    cmake -S "$RAIZ" -B "$BUILD" $g -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
    cmake --build "$BUILD" -j "$(nproc)"
}
