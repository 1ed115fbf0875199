#!/usr/bin/env bash
# vendrilo-traduz --teste-de-mesa de verdade: a tabela, o limite de passos e
# os caminhos de erro, com o gdb e o Free Pascal da máquina.
set -u
exe="$1"
pasta="$(mktemp -d)"; trap 'rm -rf "$pasta"' EXIT
export VENDRILO_PASTA="$pasta/programa" LANG=C.UTF-8 LC_ALL=C.UTF-8
falhas=0
confere() { # descrição, valor obtido, valor esperado
    if [ "$2" != "$3" ]; then printf 'FALHOU: %s\n obtido:   %s\n esperado: %s\n' "$1" "$2" "$3"; falhas=$((falhas + 1)); fi
}
alg() { local arq="$pasta/$1"; shift; printf '%s\r\n' "$@" >"$arq"; }

# Tabela: globais, depois rotina.nome; texto com vírgula entre aspas; estado antes da linha.
# A entrada UTF-8 do terminal chega ao programa em Windows-1252: "João" fica "João" na tabela.
alg leitura.alg 'DECLARE Nome CARACTER' 'DECLARE n INTEIRO' 'FUNCAO dobro (PARAM-VALOR v INTEIRO) INTEIRO' \
    'INICIO-FUNCAO' '   dobro <- v * 2' 'FIM-FUNCAO' 'INICIO' '   LEIA-PL (Nome)' '   n <- dobro (2)' \
    '   MOSTRE-PL (n)' 'FIM'
printf 'Silva, João\n' | "$exe" --teste-de-mesa "$pasta/leitura.csv" "$pasta/leitura.alg" >"$pasta/saida" 2>"$pasta/erros"
confere "teste de mesa completo" "$?" 0
confere "tabela" "$(cat "$pasta/leitura.csv")" 'passo,linha,Nome,n,dobro.v
1,8,,0,
2,9,"Silva, João",0,
3,5,"Silva, João",0,2
4,6,"Silva, João",0,2
5,10,"Silva, João",4,
6,11,"Silva, João",4,'
grep -q '^4$' <(tr -d '\r' <"$pasta/saida" | sed 's/\x1b\[[0-9;]*[A-Za-z]//g') \
    || { echo "FALHOU: a saída do programa não chegou ao terminal"; cat "$pasta/saida"; falhas=$((falhas + 1)); }
confere "nada no stderr" "$(cat "$pasta/erros")" ""

# Limite de passos: a tabela fica com os passos até ali.
alg laco.alg 'DECLARE i INTEIRO' 'INICIO' '   i <- 0' '   ENQUANTO i >= 0 FACA' '      i <- i + 1' \
    '   FIM-ENQUANTO' 'FIM'
"$exe" --teste-de-mesa "$pasta/laco.csv" --passos 5 "$pasta/laco.alg" </dev/null >/dev/null 2>"$pasta/erros"
confere "limite de passos" "$?" 4
confere "tabela até o limite" "$(cat "$pasta/laco.csv")" 'passo,linha,i
1,3,0
2,4,0
3,5,0
4,4,1
5,5,1'
confere "mensagem do limite" "$(cat "$pasta/erros")" \
    "vendrilo-traduz: O limite de 5 passos foi atingido; a execução parou na linha 4 e a tabela guarda os passos até aqui."

# Erro de execução: a mensagem com a linha, e a tabela até ele.
alg divisao.alg 'DECLARE n, z INTEIRO' 'INICIO' '   n <- 1' '   n <- n DIV z' 'FIM'
"$exe" --teste-de-mesa "$pasta/divisao.csv" "$pasta/divisao.alg" </dev/null >/dev/null 2>"$pasta/erros"
confere "erro de execução" "$?" 4
confere "mensagem do erro" "$(cat "$pasta/erros")" "vendrilo-traduz: Erro de execução 200 na linha 4 do algoritmo: divisão por zero."
confere "tabela até o erro" "$(tail -1 "$pasta/divisao.csv")" "2,4,1,0"

# Entrada que não vem: o programa é interrompido, não fica esperando.
alg espera.alg 'DECLARE n INTEIRO' 'INICIO' '   LEIA-PL (n)' 'FIM'
"$exe" --teste-de-mesa "$pasta/espera.csv" "$pasta/espera.alg" </dev/null >/dev/null 2>"$pasta/erros"
confere "entrada esgotada" "$?" 4
grep -q "esperava uma entrada" "$pasta/erros" || { echo "FALHOU: sem aviso da entrada"; cat "$pasta/erros"; falhas=$((falhas + 1)); }

# Sem gdb: a mensagem nomeia o pacote; nenhuma tabela.
VENDRILO_GDB=gdb-que-nao-existe "$exe" --teste-de-mesa "$pasta/semgdb.csv" "$pasta/divisao.alg" </dev/null >/dev/null 2>"$pasta/erros"
confere "sem gdb" "$?" 4
grep -q 'pacote Debian "gdb"' "$pasta/erros" || { echo "FALHOU: mensagem sem o pacote"; cat "$pasta/erros"; falhas=$((falhas + 1)); }
[ -e "$pasta/semgdb.csv" ] && { echo "FALHOU: tabela sem sessão"; falhas=$((falhas + 1)); }

# Erros de estrutura e de compilação: os mesmos relatórios e códigos, sem tabela.
alg incompleto.alg 'DECLARE x INTEIRO'
"$exe" --teste-de-mesa "$pasta/x.csv" "$pasta/incompleto.alg" >"$pasta/saida" 2>&1
confere "erros de estrutura" "$?" 2
alg quebrado.alg 'DECLARE n INTEIRO' 'INICIO' 'n <- ' 'FIM'
"$exe" --teste-de-mesa "$pasta/x.csv" "$pasta/quebrado.alg" >"$pasta/saida" 2>&1
confere "erro de compilação" "$?" 1
grep -q "quebrado.ALG(3)" "$pasta/saida" || { echo "FALHOU: relatório da compilação"; cat "$pasta/saida"; falhas=$((falhas + 1)); }
[ -e "$pasta/x.csv" ] && { echo "FALHOU: tabela sem execução"; falhas=$((falhas + 1)); }

# Uso incorreto.
for args in "--passos 0 --teste-de-mesa t.csv a.alg" "--passos 5 a.alg" "--teste-de-mesa" \
            "--teste-de-mesa t.csv --executar a.alg" "--teste-de-mesa t.csv a.alg b.alg"; do
    # shellcheck disable=SC2086
    "$exe" $args >/dev/null 2>&1
    confere "uso incorreto: $args" "$?" 3
done

# Uma tabela que não pode ser gravada não passa por sucesso.
"$exe" --teste-de-mesa "$pasta/nao/existe/t.csv" "$pasta/divisao.alg" </dev/null >/dev/null 2>"$pasta/erros"
confere "tabela sem pasta" "$?" 3

[ "$falhas" -eq 0 ] && echo "ok" || exit 1
