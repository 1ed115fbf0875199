#!/usr/bin/env bash
# Correção de uma turma de 20 alunos com 5 casos: -j 1 ao lado de -j 2, e a
# correção paralela ao lado da soma das compilações e execuções feitas à
# mão (vendrilo-traduz e o programa, um por vez) dividida por 2.
# Metas: -j 2 pelo menos 1,7 vez mais rápido que -j 1; -j 2 até 1,3 vez a
# soma / 2. Informa; nunca reprova.
#
#   bench/corrige_turma.sh [PASTA_DO_BUILD]      (padrão: build)
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
corrige="$build/bin/vendrilo-corrige"
traduz="$build/bin/vendrilo-traduz"
[ -x "$corrige" ] && [ -x "$traduz" ] || { echo "compile vendrilo-corrige e vendrilo-traduz antes" >&2; exit 2; }

tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
export VENDRILO_PASTA="$tmp/vendrilo"
mkdir -p "$tmp/casos" "$tmp/entregas" "$tmp/mao"
for k in 1 2 3 4 5; do
    printf '%d\n' "$((k * 40000))" >"$tmp/casos/c$k.in"
    printf 'Primos: %d\n' "$(python3 -c "n=$((k*40000));s=[1]*(n+1);s[0]=s[1]=0
for i in range(2,int(n**.5)+1):
    if s[i]: s[i*i::i]=[0]*len(s[i*i::i])
print(sum(s))")" >"$tmp/casos/c$k.out"
done
# Vinte variações de um crivo: trabalho de verdade em cada caso.
for a in $(seq -w 1 20); do
    cat >"$tmp/entregas/aluno$a.alg" <<ALG
{ aluno $a: quantos primos até n }
DECLARE n, i, j, total, v$a INTEIRO-LONGO
   primo VETOR [1..200000] CONTEM-LOGICO
INICIO
   LEIA-PL (n)
   v$a <- $a
   PARA i DE 2 ATE n FACA
      primo[i] <- VERDADEIRO
   FIM-PARA
   total <- 0
   PARA i DE 2 ATE n FACA
      SE primo[i] ENTAO
         total <- total + 1
         j <- i + i
         ENQUANTO j <= n FACA
            primo[j] <- FALSO
            j <- j + i
         FIM-ENQUANTO
      FIM-SE
   FIM-PARA
   MOSTRE-PL ('Primos: ', total)
FIM
ALG
done

agora() { date +%s%N; }
segundos() { awk "BEGIN { printf \"%.2f\", $1 / 1e9 }"; }
mede() { # mede N ARGS...: melhor tempo de N rodadas, em ns
    local n="$1" melhor="" t0 t1; shift
    for _ in $(seq "$n"); do
        t0=$(agora); "$@" >/dev/null 2>&1 || true; t1=$(agora)
        if [ -z "$melhor" ] || [ $((t1 - t0)) -lt "$melhor" ]; then melhor=$((t1 - t0)); fi
    done
    echo "$melhor"
}

"$corrige" --casos "$tmp/casos" --csv "$tmp/aquece.csv" "$tmp/entregas" 2>/dev/null
grep -c ',ok,5,5,' "$tmp/aquece.csv" | grep -qx 20 || { echo "a turma não passou inteira:"; cat "$tmp/aquece.csv"; exit 1; }

j1=$(mede 2 "$corrige" --casos "$tmp/casos" -j 1 --csv "$tmp/j1.csv" "$tmp/entregas")
j2=$(mede 2 "$corrige" --casos "$tmp/casos" -j 2 --csv "$tmp/j2.csv" "$tmp/entregas")

# À mão: cada aluno compilado e rodado em cada caso, um depois do outro.
mao() {
    for f in "$tmp"/entregas/*.alg; do
        cp "$f" "$tmp/mao/"
        local alg="$tmp/mao/$(basename "$f")"
        "$traduz" "$alg" >/dev/null
        for k in 1 2 3 4 5; do "${alg%???}exe" <"$tmp/casos/c$k.in" >/dev/null; done
    done
}
soma=$(mede 2 mao)

# Tempo de processador (usuário + sistema): o trabalho total não deve crescer
# com -j 2. Numa máquina ocupada por outros, é o que ainda se compara bem.
cpu() { /usr/bin/time -f '%U %S' "$@" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.2f", $1 + $2 }'; }
cpu1=$(cpu "$corrige" --casos "$tmp/casos" -j 1 --csv "$tmp/c1.csv" "$tmp/entregas")
cpu2=$(cpu "$corrige" --casos "$tmp/casos" -j 2 --csv "$tmp/c2.csv" "$tmp/entregas")

echo "vendrilo-corrige, 20 alunos x 5 casos ($(nproc) processadores; carga: $(cut -d' ' -f1-3 /proc/loadavg))"
echo "  -j 1:                 $(segundos "$j1") s"
echo "  -j 2:                 $(segundos "$j2") s"
echo "  compilar e rodar à mão, um por vez: $(segundos "$soma") s (/2 = $(segundos $((soma / 2))) s)"
echo "  processador, -j 1 / -j 2: ${cpu1} s / ${cpu2} s"
awk -v a="$j1" -v b="$j2" -v s="$soma" 'BEGIN {
    printf "  -j 1 / -j 2:          %.2f (meta >= 1,70)\n", a / b
    printf "  -j 2 / (soma / 2):    %.2f (meta <= 1,30)\n", b / (s / 2) }'
