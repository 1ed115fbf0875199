#pragma once
// Impressão do algoritmo ativo: direta, com cabeçalho, pelo processador de
// textos, e a configuração da impressora. Cada rotina recebe o que precisa
// (linhas do editor, fonte, ArquivoAtual, janela dona) e pergunta pela
// interface de diálogos; a impressora vem de acessoImpressora().

#include <QDate>
#include <QFont>
#include <QStringList>

class QWidget;

namespace vendrilo {

// Impressão direta (btnImprimir): as linhas na impressora, sem diálogo.
// Falha de E/S: "Erro na impressao de texto." com o ícone de erro. Sem
// impressora instalada: um aviso, e nada mais acontece.
void ImprimeTexto(const QStringList& linhas);

// Impressão com cabeçalho (ComVendrilo1): diálogo de impressão; confirmado,
// as 7 linhas do cabeçalho e as do editor, na fonte do editor. Cancelar não
// abre trabalho nenhum. Devolve verdadeiro quando algo foi impresso.
bool ImprimeComCabecalho(const QStringList& linhas, const QFont& fonteEditor,
                         const QString& arquivoAtual, QWidget* pai = nullptr);

// As 7 linhas do cabeçalho, para `arquivoAtual` (vazio: "SemTítulo.alg") e a data dada.
QStringList LinhasCabecalho(const QString& arquivoAtual, const QDate& hoje);

// Parte do nome do arquivo, sem a pasta; aceita "/" e "\" como separadores,
// pois ArquivoAtual pode vir de um caminho do Windows.
QString NomeSemPasta(const QString& caminho);

// Configurar1: o diálogo de configuração da impressora.
void ConfiguraImpressora(QWidget* pai = nullptr);

// UsarWord1 (depois de a janela principal refazer sua criação): o texto
// inteiro, linhas unidas por CR LF, num documento novo do processador de
// textos. Sem processador instalado, avisa. Verdadeiro quando entregue.
bool EnviaAoProcessador(const QStringList& linhas);

// Fonte da impressão direta, que não segue a do editor.
QFont FonteImpressaoDireta();

// Textos das mensagens.
QString MensagemErroImpressao();   // "Erro na impressao de texto."
QString MensagemSemImpressora();
QString MensagemFalhaCabecalho();

} // namespace vendrilo
