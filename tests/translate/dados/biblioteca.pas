{ -------------------------------------------------------------- }
{   Programa traduzido por Vendrilo de Algoritmos - Versão 2.4 - Dez/2003}
{ -------------------------------------------------------------- }
{    Projeto/Desenvolvimento Profs:                              }
{           Equipe Vendrilo - Tradução e verificação             }
{           Equipe Vendrilo - Editor e ambiente de estudo        }
{           Equipe Vendrilo - Compilação e comunicação           }
{ -------------------------------------------------------------- }
{    Alunos que participaram do projeto:                         }
{           Estudantes voluntários - Ciência da Computação 2026  }
{           Estudantes voluntários - Sistemas de Informação 2026 }
{           Estudantes voluntários - Engenharia de Software 2026 }
{ -------------------------------------------------------------- }
{    Professores de Apoio:                                       }
{           Docentes de Algoritmos e Lógica de Programação       }
{           Docentes de Introdução à Programação                 }
{ -------------------------------------------------------------- }
{ Uso livre no ensino e no estudo; redistribua com este aviso.   }
{ Fornecido como está, sem garantia de qualquer espécie.         }
{ Contato: vendrilo@example.org                                  }
{ -------------------------------------------------------------- }

PROGRAM Executavel;

USES CRT, DOS, AUTORIA

{ Algoritmo: BIBLIOTECA - tamanho de um texto com a unidade strings }
,  strings ;
CONST primos : ARRAY [1..3] OF INTEGER =
   (2, 3, 5); 
VAR s : STRING ;
VAR n : INTEGER ;
BEGIN 
 READLN (s) ;
 n := LENGTH (s) ;
 IF (n > 0) AND NOT (n > 80) THEN BEGIN 
  WRITELN ('Tamanho: ', n) ;
 END ELSE BEGIN 
  WRITELN ('Texto vazio ou longo demais') ;
 END; 
AUTHORS99; END. 
