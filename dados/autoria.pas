{ Unidade de apoio de todo programa gerado pelo Vendrilo de Algoritmos:
  a rotina chamada no FIM do algoritmo, as potências de EXP-REAL e EXP-INT
  e o CONCATENAR de 2 a 10 textos.

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

uses termio;

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

end.
