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
{ Algoritmo : CADASTRO                                          }
{ Objetivo  : guardar alunos num vetor de registros e listá-los }
{ ------------------------------------------------------------ }
;
VAR i, opcao : INTEGER ;
VAR letra : CHAR ;
CONST maximo = 3 ;
TYPE aluno = record  
   nome : STRING ;
   nota : REAL ;
end ;
TYPE turma = ARRAY [1..3] OF aluno ;
VAR t : turma ;

PROCEDURE mostra ( a : aluno) ;
BEGIN 
   WITH a  DO BEGIN
      WRITELN (nome, ': ', nota:4:1) ;
   END ;
END ;

FUNCTION dobro ( v : REAL) : REAL ;
BEGIN 
   dobro := v * 2 ;
END ;

BEGIN 
   i := 1 ;
   WHILE i <= maximo DO BEGIN 
      WRITE ('Nome do aluno ', i, ': ') ;
      READLN (t[i].nome) ;
      t[i].nota := dobro (i) + (-1) *  1 ;
      i := i + 1 ;
   END; 
   REPEAT 
      WRITE ('Opção (1 lista, 2 sai): ') ;
      READLN (opcao) ;
      CASE opcao  OF 
              1  : begin 
            FOR i := maximo DOWNTO 1 DO BEGIN 
               mostra (t[i]) 
            END; 
          end;     2  : begin 
            WRITELN ('Até logo') ;
         END; ELSE BEGIN 
            letra := UPCASE ('x') ;
            WRITELN ('Opção inválida: ', letra) ;
      END; END; 
   UNTIL (opcao = 2) ;
AUTHORS99; END. 
