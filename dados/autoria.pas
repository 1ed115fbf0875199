{ Unidade de apoio de todo programa gerado pelo Vendrilo de Algoritmos:
  a rotina chamada no FIM do algoritmo, as potências de EXP-REAL e EXP-INT,
  o CONCATENAR de 2 a 10 textos, o ARREDONDA do Turbo Pascal e a mensagem
  em português, na linha do algoritmo, de um erro de execução.

  Compilada com "fpc -Mtp"; o modo abaixo vale só para esta unidade e
  permite as várias formas de CONCACT, que o modo TP dos programas chama
  normalmente. }
unit AUTORIA;

{$MODE OBJFPC}{$H-}

interface

{ Chamada onde o algoritmo termina: esvazia a saída e, só quando ela é um
  terminal, assina o programa. Saída redirecionada recebe apenas o que o
  algoritmo escreveu. }
procedure AUTHORS99;

{ base elevada a expoente. Expoente inteiro vale para qualquer base
  (negativa inclusive); expoente fracionário exige base >= 0 (erro 207).
  0 elevado a expoente negativo é divisão por zero (erro 200); 0^0 = 1. }
function exp_real(base, expoente: Double): Double;

{ Potência inteira. Expoente negativo dá a parte inteira do resultado
  (1 e -1 dão +-1, as demais bases 0); 0 elevado a negativo é divisão por
  zero (erro 200); resultado fora de Int64 é estouro (erro 215). }
function exp_int(base, expoente: Int64): Int64;

{ Arredonda metades para longe do zero (2.5 -> 3, -2.5 -> -3), como o
  Turbo Pascal e como a escrita formatada x:0:0; o ROUND do Free Pascal
  arredondaria para o par. Vem depois de System na lista USES e vale. }
function ROUND(x: Double): Int64;

{ Linha do algoritmo = linha do Pascal - DeslocamentoLinhas, para o erro de
  execução. O tpc preenche os dois ao compilar um programa gerado; vazios,
  o erro cita a linha do próprio programa Pascal. }
var
  DeslocamentoLinhas: LongInt = 0;
  FontePrograma: ShortString = '';

function CONCACT(const p1, p2: ShortString): ShortString; overload;
function CONCACT(const p1, p2, p3: ShortString): ShortString; overload;
function CONCACT(const p1, p2, p3, p4: ShortString): ShortString; overload;
function CONCACT(const p1, p2, p3, p4, p5: ShortString): ShortString; overload;
function CONCACT(const p1, p2, p3, p4, p5, p6: ShortString): ShortString; overload;
function CONCACT(const p1, p2, p3, p4, p5, p6, p7: ShortString): ShortString; overload;
function CONCACT(const p1, p2, p3, p4, p5, p6, p7, p8: ShortString): ShortString; overload;
function CONCACT(const p1, p2, p3, p4, p5, p6, p7, p8, p9: ShortString): ShortString; overload;
function CONCACT(const p1, p2, p3, p4, p5, p6, p7, p8, p9, p10: ShortString): ShortString; overload;

implementation

uses termio, baseunix, crt, lnfodwrf;

var
  SaidaAnterior: CodePointer;
  { Um descritor guardado desde o início: com arquivos abertos demais (erro
    4) ainda é preciso abrir o próprio programa para ler as linhas. }
  DescritorReserva: cint = -1;
  { Quadro de pilha do erro, que System guarda sem publicar. }
  QuadroDoErro: Pointer; external name 'FPC_ERRORBASE';
  { O deslocamento que o tpc passa ao ligador, sem unidade a mais para
    compilar: o endereço deste símbolo é o número. Fraco: ligado sem ele
    (fpc direto, tpc antigo), o endereço é nil e vale o que houver acima. }
  MarcaDeslocamento: Byte; weakexternal name 'vendrilo_deslocamento_linhas';

function ROUND(x: Double): Int64;
var
  t: Double;
begin
  { x - Int(x) é exato em ponto flutuante; somar 0.5 não seria. }
  t := Int(x);
  if Abs(x - t) >= 0.5 then
    if x < 0 then
      t := t - 1
    else
      t := t + 1;
  ROUND := System.Round(t);
end;

function Explicacao(n: LongInt): ShortString;
begin
  case n of
    2: Explicacao := 'arquivo não encontrado';
    3: Explicacao := 'caminho não encontrado';
    4: Explicacao := 'arquivos abertos demais';
    5: Explicacao := 'acesso ao arquivo negado';
    6: Explicacao := 'identificação de arquivo inválida';
    12: Explicacao := 'modo de acesso ao arquivo inválido';
    100: Explicacao := 'erro de leitura do disco (leitura depois do fim do arquivo)';
    101: Explicacao := 'erro de gravação no disco';
    102: Explicacao := 'arquivo sem nome associado';
    103: Explicacao := 'arquivo não está aberto';
    104: Explicacao := 'arquivo não está aberto para leitura';
    105: Explicacao := 'arquivo não está aberto para gravação';
    106: Explicacao := 'formato numérico inválido (use ponto como separador decimal, por exemplo 8.5)';
    200: Explicacao := 'divisão por zero';
    201: Explicacao := 'valor fora da faixa permitida';
    202: Explicacao := 'estouro da pilha (chamadas demais, talvez sem fim)';
    203: Explicacao := 'memória esgotada';
    204: Explicacao := 'operação inválida com ponteiro';
    205: Explicacao := 'estouro em operação com reais (resultado grande demais)';
    206: Explicacao := 'resultado pequeno demais em operação com reais';
    207: Explicacao := 'operação inválida com reais (por exemplo, raiz de número negativo)';
    215: Explicacao := 'estouro em operação aritmética';
    216: Explicacao := 'acesso inválido à memória';
  else
    Explicacao := 'falha do programa';
  end;
end;

{ O número que o Turbo Pascal daria: o Free Pascal tem números próprios
  para alguns dos mesmos erros. }
function NumeroTurbo(n: LongInt): LongInt;
begin
  case n of
    208: NumeroTurbo := 200; { divisão real por zero }
  else
    NumeroTurbo := n;
  end;
end;

function NomeDoArquivo(const s: ShortString): ShortString;
var
  i: Integer;
begin
  i := Length(s);
  while (i > 0) and (s[i] <> '/') and (s[i] <> '\') do
    Dec(i);
  NomeDoArquivo := LowerCase(Copy(s, i + 1, 255));
end;

{ Linha do programa onde o erro aconteceu: o endereço do erro ou, quando ele
  cai numa rotina do sistema ou desta unidade, o primeiro chamador que está
  no programa. }
function LinhaDoErro(var linha: LongInt): Boolean;
var
  ender: CodePointer;
  quadro, anterior: Pointer;
  func, fonte: ShortString;
  l, i: LongInt;
  exato: Boolean;
begin
  LinhaDoErro := False;
  ender := ErrorAddr;
  quadro := QuadroDoErro;
  { Falhas apanhadas por sinal apontam a própria instrução; as demais,
    o retorno de uma chamada, que pode já ser a linha seguinte. }
  exato := ErrorCode in [200, 202, 205..208, 216];
  anterior := nil;
  for i := 1 to 64 do
  begin
    func := '';
    fonte := '';
    l := 0;
    if (ender <> nil) and not exato then
      ender := CodePointer(CodePtrUInt(ender) - 1);
    if (ender <> nil) and GetLineInfo(CodePtrUInt(ender), func, fonte, l) and (l > 0) and
       (NomeDoArquivo(fonte) <> 'autoria.pas') and
       ((FontePrograma = '') or (NomeDoArquivo(fonte) = LowerCase(FontePrograma))) then
    begin
      linha := l - DeslocamentoLinhas;
      LinhaDoErro := linha > 0;
      Exit;
    end;
    if (quadro = nil) or (quadro <= anterior) then
      Exit;
    anterior := quadro;
    ender := get_caller_addr(quadro);
    quadro := get_caller_frame(quadro);
    exato := False;
  end;
end;

{ No lugar do texto em inglês e dos endereços do Free Pascal, uma linha só,
  na saída de erros; o código de saída é o número do erro. }
procedure TrataErroExecucao;
var
  n, linha: LongInt;
begin
  ExitProc := SaidaAnterior;
  if ErrorAddr = nil then
    Exit;
  if (DeslocamentoLinhas = 0) and (@MarcaDeslocamento <> nil) then
  begin
    { O tpc compila o programa com este nome. }
    DeslocamentoLinhas := LongInt(PtrUInt(@MarcaDeslocamento));
    FontePrograma := 'programa.pas';
  end;
  n := NumeroTurbo(ErrorCode);
  {$I-}
  Flush(Output);
  InOutRes := 0;
  if DescritorReserva >= 0 then
    fpClose(DescritorReserva);
  { Com a memória esgotada ou corrompida (203, 204) a leitura das linhas
    falharia de novo: fica só o número. }
  if not (n in [203, 204]) and LinhaDoErro(linha) then
  begin
    if FontePrograma <> '' then
      WriteLn(StdErr, 'Erro de execução ', n, ' na linha ', linha, ' do algoritmo: ', Explicacao(n), '.')
    else
      WriteLn(StdErr, 'Erro de execução ', n, ' na linha ', linha, ' do programa: ', Explicacao(n), '.');
  end
  else
    WriteLn(StdErr, 'Erro de execução ', n, ': ', Explicacao(n), '.');
  Flush(StdErr);
  InOutRes := 0;
  {$I+}
  ErrorAddr := nil;
  ExitCode := n;
end;

procedure AUTHORS99;
begin
  Flush(Output);
  if IsATTY(StdOutputHandle) = 1 then
  begin
    WriteLn;
    WriteLn('Programa gerado pelo Vendrilo de Algoritmos.');
    Flush(Output);
  end;
end;

{ Potência por quadrados sucessivos: exata enquanto cabe na mantissa, ao
  contrário de exp(e * ln(b)), que também não aceita base negativa. }
function PotenciaInteira(base: Double; e: QWord): Double;
var
  r: Double;
begin
  r := 1.0;
  while e > 0 do
  begin
    if Odd(e) then
      r := r * base;
    e := e shr 1;
    if e > 0 then
      base := base * base;
  end;
  PotenciaInteira := r;
end;

function exp_real(base, expoente: Double): Double;
begin
  if (Frac(expoente) = 0.0) and (Abs(expoente) < 9.0e15) then
  begin
    if expoente >= 0 then
      exp_real := PotenciaInteira(base, QWord(Trunc(expoente)))
    else if base = 0.0 then
      RunError(200)
    else
      exp_real := 1.0 / PotenciaInteira(base, QWord(Trunc(-expoente)));
  end
  else if base > 0.0 then
    exp_real := Exp(expoente * Ln(base))
  else if base = 0.0 then
  begin
    if expoente > 0.0 then
      exp_real := 0.0
    else
      RunError(200);
  end
  else
    RunError(207);
end;

function exp_int(base, expoente: Int64): Int64;
var
  r: Int64;
begin
  if expoente < 0 then
  begin
    if base = 0 then
      RunError(200);
    if base = 1 then
      exp_int := 1
    else if base = -1 then
    begin
      if Odd(expoente) then exp_int := -1 else exp_int := 1;
    end
    else
      exp_int := 0;
    Exit;
  end;
  r := 1;
  while expoente > 0 do
  begin
    {$Q+}
    r := r * base;
    {$Q-}
    Dec(expoente);
    if (r = 0) or (r = 1) then
      Break;
  end;
  if (r = 1) and (base = -1) and Odd(expoente) then
    r := -1;
  exp_int := r;
end;

function CONCACT(const p1, p2: ShortString): ShortString;
begin
  CONCACT := p1 + p2;
end;

function CONCACT(const p1, p2, p3: ShortString): ShortString;
begin
  CONCACT := p1 + p2 + p3;
end;

function CONCACT(const p1, p2, p3, p4: ShortString): ShortString;
begin
  CONCACT := p1 + p2 + p3 + p4;
end;

function CONCACT(const p1, p2, p3, p4, p5: ShortString): ShortString;
begin
  CONCACT := p1 + p2 + p3 + p4 + p5;
end;

function CONCACT(const p1, p2, p3, p4, p5, p6: ShortString): ShortString;
begin
  CONCACT := p1 + p2 + p3 + p4 + p5 + p6;
end;

function CONCACT(const p1, p2, p3, p4, p5, p6, p7: ShortString): ShortString;
begin
  CONCACT := p1 + p2 + p3 + p4 + p5 + p6 + p7;
end;

function CONCACT(const p1, p2, p3, p4, p5, p6, p7, p8: ShortString): ShortString;
begin
  CONCACT := p1 + p2 + p3 + p4 + p5 + p6 + p7 + p8;
end;

function CONCACT(const p1, p2, p3, p4, p5, p6, p7, p8, p9: ShortString): ShortString;
begin
  CONCACT := p1 + p2 + p3 + p4 + p5 + p6 + p7 + p8 + p9;
end;

function CONCACT(const p1, p2, p3, p4, p5, p6, p7, p8, p9, p10: ShortString): ShortString;
begin
  CONCACT := p1 + p2 + p3 + p4 + p5 + p6 + p7 + p8 + p9 + p10;
end;

initialization
  SaidaAnterior := ExitProc;
  ExitProc := @TrataErroExecucao;
  DescritorReserva := fpDup(StdErrorHandle);
  { A largura de 80 colunas do CRT é a de uma tela: saída para um arquivo
    ou um pipe volta ao texto comum, sem quebras que a tela não mostraria. }
  if IsATTY(StdOutputHandle) <> 1 then
  begin
    Assign(Output, '');
    Rewrite(Output);
  end;
end.
