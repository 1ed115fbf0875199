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

{ ------------------------------------------------------------ }
{ Algoritmo : MEDIA                                            }
{ Objetivo  : ler as notas de uma turma e mostrar a média      }
{ ------------------------------------------------------------ }
;
VAR quantidade, i : INTEGER ;
VAR nota, soma, media : REAL ;
BEGIN 
   CLRSCR; 
   WRITELN ('Cálculo da média da turma') ;
   WRITE ('Quantas notas? ') ;
   READLN (quantidade) ;
   soma := 0 ;
   { cada nota lida entra na soma }
   FOR i := 1 TO quantidade DO BEGIN 
      WRITE ('Nota ', i, ': ') ;
      READLN (nota) ;
      soma := soma + nota ;
   END; 
   { sem notas não há média: evita a divisão por zero }
   IF quantidade > 0 THEN BEGIN 
      media := soma / quantidade ;
      WRITELN ('Média da turma: ', media:5:2) ;
   END ELSE BEGIN 
      WRITELN ('Nenhuma nota informada.') ;
   END; 
AUTHORS99; END. 
