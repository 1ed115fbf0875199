#!/usr/bin/env bash
# vendrilo-traduz de verdade: códigos de saída, arquivos gerados e mensagens.
set -u
exe="$1"; demo="$2"
pasta="$(mktemp -d)"; trap 'rm -rf "$pasta"' EXIT
falhas=0
confere() { # descrição, valor obtido, valor esperado
    if [ "$2" != "$3" ]; then echo "FALHOU: $1 (obtido '$2', esperado '$3')"; falhas=$((falhas + 1)); fi
}

# Caminho com espaço, aspas e $ não pode ser interpretado.
alvo="$pasta/com espaço \$HOME 'x'"
mkdir -p "$alvo"
cp "$demo" "$alvo/media.alg"
"$exe" --so-traduz "$alvo/media.alg" >"$pasta/saida" 2>"$pasta/erros"
confere "demonstração traduzida" "$?" 0
[ -s "$alvo/media.pas" ] || { echo "FALHOU: media.pas não foi gerado"; falhas=$((falhas + 1)); }
confere "nada no stderr" "$(cat "$pasta/erros")" ""

printf 'DECLARE x INTEIRO\r\n' >"$pasta/incompleto.alg"
LANG=C.UTF-8 LC_ALL=C.UTF-8 "$exe" --so-traduz "$pasta/incompleto.alg" >"$pasta/saida" 2>&1
confere "erros de estrutura" "$?" 2
grep -q "   1. Está faltando o marcador de bloco de INICIO do algoritmo." "$pasta/saida" \
    || { echo "FALHOU: relatório em UTF-8"; cat "$pasta/saida"; falhas=$((falhas + 1)); }

"$exe" --so-traduz "$pasta/nao-existe.alg" 2>"$pasta/erros"
confere "arquivo inexistente" "$?" 3
grep -q "nao-existe.alg" "$pasta/erros" || { echo "FALHOU: mensagem sem o nome"; falhas=$((falhas + 1)); }

"$exe" --help >/dev/null
confere "ajuda" "$?" 0
"$exe" >/dev/null 2>&1
confere "sem argumentos" "$?" 3

# Pipeline completo: compila com o tpc numa pasta do programa própria e
# executa no terminal com a entrada dada.
export VENDRILO_PASTA="$pasta/programa"
printf 'DECLARE n INTEIRO\r\nINICIO\r\nLEIA (n)\r\nMOSTRE-PL (n * 2)\r\nFIM\r\n' >"$pasta/dobro.alg"
"$exe" "$pasta/dobro.alg" >"$pasta/saida" 2>"$pasta/erros"
confere "compilado com sucesso" "$?" 0
[ -x "$pasta/dobro.exe" ] || { echo "FALHOU: dobro.exe não foi gerado"; cat "$pasta/erros"; falhas=$((falhas + 1)); }
confere "executado com entrada" "$(echo 21 | "$exe" --executar "$pasta/dobro.alg" 2>&1 | tr -d '\r')" "42"

# Acentos, euro e aspas curvas: Windows-1252 num cano; num terminal UTF-8
# (um pseudoterminal do script(1)), convertidos para ele.
printf 'INICIO\r\nMOSTRE-PL (\x27Ol\xe1 \x80 \x93x\x94\x27)\r\nFIM\r\n' >"$pasta/acentos.alg"
"$exe" "$pasta/acentos.alg" >/dev/null 2>&1
confere "num cano, os bytes do programa" "$("$exe" --executar "$pasta/acentos.alg" </dev/null | od -An -tx1 | tr -d ' \n')" \
    "4f6ce12080209378940a"
if command -v script >/dev/null; then
    LANG=C.UTF-8 LC_ALL=C.UTF-8 timeout 60 script -qec "'$exe' --executar '$pasta/acentos.alg'" /dev/null \
        </dev/null >"$pasta/terminal" 2>&1
    grep -q "Olá € “x”" "$pasta/terminal" || { echo "FALHOU: terminal UTF-8 sem conversão"; od -c "$pasta/terminal" | head; falhas=$((falhas + 1)); }
fi

printf 'DECLARE n INTEIRO\r\nINICIO\r\nn <- \r\nFIM\r\n' >"$pasta/quebrado.alg"
LANG=C.UTF-8 LC_ALL=C.UTF-8 "$exe" "$pasta/quebrado.alg" >"$pasta/saida" 2>&1
confere "erro de compilação" "$?" 1
grep -q "quebrado.ALG(" "$pasta/saida" || grep -q "quebrado.alg(" "$pasta/saida" \
    || { echo "FALHOU: relatório sem o nome do algoritmo"; cat "$pasta/saida"; falhas=$((falhas + 1)); }
grep -q "n <-" "$pasta/saida" || { echo "FALHOU: linha do algoritmo ausente"; cat "$pasta/saida"; falhas=$((falhas + 1)); }
[ -e "$pasta/quebrado.exe" ] && { echo "FALHOU: programa gerado apesar do erro"; falhas=$((falhas + 1)); }

exit $((falhas > 0))
