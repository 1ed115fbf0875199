#include "workspace/documentos.h"

#include "formato/arquivo_alg.h"
#include "platform/dialogos.h"
#include "platform/pasta_programa.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>

namespace vendrilo {

namespace {

const QString kFiltroAbrir = QStringLiteral("Algoritmo (*.alg *.ALG)");
const QString kFiltroSalvar = QStringLiteral("Algoritmos (*.alg *.ALG)");

QString semPasta(const QString& caminho)
{
    QString nome = caminho;
    const int corte = qMax(nome.lastIndexOf(QLatin1Char('/')), nome.lastIndexOf(QLatin1Char('\\')));
    return corte >= 0 ? nome.mid(corte + 1) : nome;
}

} // namespace

GerenteDocumentos::GerenteDocumentos(TfrmPrincipal* principal)
    : QObject(principal)
    , principal_(principal)
{
}

void GerenteDocumentos::btnNovoClick()
{
    if (principal_->filhas().isEmpty())
        principal_->Ativa();
    ++principal_->ContadorSemNome;
    TFrmFilha* filha = principal_->CriaFilha(QStringLiteral("SemNome%1").arg(principal_->ContadorSemNome));
    filha->NomeArquivo = filha->legenda();
    principal_->defineStatus(1, QString());
    if (!filha->memEditor->podeDesfazer())
        principal_->acao(QStringLiteral("btnDesfazer"))->setEnabled(false);
    // O nome provisório inteiro fica selecionado no cabeçalho (SemNome10 em
    // diante tem dois dígitos; SemNome100, três).
    filha->memEditor->posicionaCursor(0, 16);
    filha->memEditor->selecionaTrecho(0, 16, 16 + int(filha->legenda().size()));
    filha->memEditor->setFocus();
}

void GerenteDocumentos::btnAbrirClick()
{
    const QString caminho =
        dialogos().abreArquivo(QStringLiteral("Abrir"), kFiltroAbrir, QString::fromStdString(PastaPrograma()));
    if (caminho.isEmpty())
        return;
    // Lê antes de criar a janela: um arquivo ilegível não deixa janela pela metade.
    DocumentoAlg doc;
    if (!le(caminho, doc))
        return;
    TFrmFilha* filha = principal_->CriaFilha(semPasta(caminho));
    aplica(filha, doc, caminho);
    principal_->defineStatus(1, QString());
    if (principal_->filhas().size() == 1)
        principal_->Ativa();
}

void GerenteDocumentos::btnListaClick()
{
    principal_->ExemploEscolhido = QStringLiteral(" ");
    if (escolheExemplo_)
        principal_->ExemploEscolhido = escolheExemplo_();
    if (principal_->ExemploEscolhido == QStringLiteral(" ") || principal_->ExemploEscolhido.isEmpty())
        return;
    AbreExemplo(principal_->ExemploEscolhido);
}

void GerenteDocumentos::defineEscolhaExemplo(std::function<QString()> escolhe)
{
    escolheExemplo_ = std::move(escolhe);
    principal_->acao(QStringLiteral("Exemplos1"))->setVisible(true);
    principal_->acao(QStringLiteral("btnLista"))->setVisible(true);
}

TFrmFilha* GerenteDocumentos::AbreExemplo(const QString& caminho)
{
    DocumentoAlg doc;
    if (!le(caminho, doc))
        return nullptr;
    if (principal_->filhas().isEmpty())
        principal_->Ativa();
    TFrmFilha* filha = principal_->CriaFilha(semPasta(caminho));
    aplica(filha, doc, caminho);
    principal_->defineStatus(1, QString());
    filha->memEditor->setTabWidth(3);
    return filha;
}

bool GerenteDocumentos::le(const QString& caminho, DocumentoAlg& doc)
{
    std::string erro;
    if (LeAlg(caminho.toStdString(), doc, erro))
        return true;
    dialogos().caixaMensagem(QString::fromStdString(erro), QApplication::applicationName(),
                             Caixa::IconeErro);
    return false;
}

bool GerenteDocumentos::carrega(TFrmFilha* filha, const QString& caminho)
{
    DocumentoAlg doc;
    if (!le(caminho, doc))
        return false;
    aplica(filha, doc, caminho);
    return true;
}

void GerenteDocumentos::aplica(TFrmFilha* filha, const DocumentoAlg& doc, const QString& caminho)
{
    QStringList linhas;
    linhas.reserve(static_cast<qsizetype>(doc.linhas.size()));
    for (const auto& l : doc.linhas)
        linhas.append(QString::fromStdString(l));
    filha->memEditor->limpaTudo();
    filha->memEditor->defineLinhas(linhas);
    filha->memEditor->limpaDesfazer();
    filha->memEditor->setModified(false);
    filha->quebra = doc.quebra;
    filha->codificacao = doc.codificacao;
    filha->NomeArquivo = caminho;
    filha->defineLegenda(semPasta(caminho));
}

bool GerenteDocumentos::grava(TFrmFilha* filha, const QString& caminho)
{
    DocumentoAlg doc;
    doc.quebra = filha->quebra;
    doc.codificacao = filha->codificacao;
    const QStringList linhas = filha->memEditor->linhas();
    doc.linhas.reserve(static_cast<std::size_t>(linhas.size()));
    for (const QString& l : linhas)
        doc.linhas.push_back(l.toStdString());
    std::string erro;
    if (!GravaAlg(caminho.toStdString(), doc, erro)) {
        dialogos().caixaMensagem(QString::fromStdString(erro), QApplication::applicationName(),
                                 Caixa::IconeErro);
        return false;
    }
    return true;
}

bool GerenteDocumentos::Salvar(TFrmFilha* filha)
{
    if (!filha)
        return false;
    // Só conta a validação deste Salvar: a de outro documento não o prende.
    validacao_ = ValidacaoNome();
    bool passouPorSalvarComo = false;
    Resultado r = Resultado::Cancelado;
    if (!filha->legenda().toUpper().contains(QStringLiteral(".ALG"))) {
        passouPorSalvarComo = true;
        r = salvaComo(filha);
        while (r == Resultado::Invalido)
            r = salvaComo(filha);
    }
    if (passouPorSalvarComo)
        return r == Resultado::Gravado;
    if (!grava(filha, filha->NomeArquivo))
        return false;
    filha->memEditor->setModified(false);
    principal_->defineStatus(2, QString());
    return true;
}

bool GerenteDocumentos::SalvarComo(TFrmFilha* filha)
{
    return filha && salvaComo(filha) == Resultado::Gravado;
}

GerenteDocumentos::Resultado GerenteDocumentos::salvaComo(TFrmFilha* filha)
{
    QString nome = dialogos().salvaArquivo(QStringLiteral("Salvar Como"), kFiltroSalvar,
                                           QString::fromStdString(PastaPrograma()), filha->legenda());
    if (nome.isEmpty())
        return Resultado::Cancelado;
    if (!nome.toUpper().contains(QStringLiteral(".ALG")))
        nome += QStringLiteral(".alg");
    if (QFileInfo::exists(nome)) {
        const int r = dialogos().caixaMensagem(nome + QStringLiteral(" já existe. Gravar mesmo assim?"),
                                               QApplication::applicationName(),
                                               Caixa::SimNao | Caixa::IconePergunta);
        if (r != Caixa::RespSim)
            return Resultado::Recusado;
    }
    principal_->ArquivoAtual = nome;
    validacao_ = ValidaNomeArquivo(nome.toStdString());
    if (validacao_.ErroDiretorio == 1)
        dialogos().mostraMensagem(
            QStringLiteral("O nome do DIRETÓRIO está errado!!! Não está com 8 caracteres ou contém "
                           "caracteres especiais. Diretório errado: [")
            + QString::fromStdString(validacao_.diretorio) + QStringLiteral("]"));
    if (validacao_.EstadoNome == 1)
        dialogos().mostraMensagem(
            QStringLiteral("O nome do ALGORITMO está errado!!! Não está com 8 caracteres ou contém "
                           "caracteres especiais. Nome errado: [")
            + QString::fromStdString(validacao_.nome) + QStringLiteral("]"));
    if (validacao_.ErroExtensao == 1)
        dialogos().mostraMensagem(QStringLiteral(
            "O nome da EXTENSÃO está errado ou duplicado!!! Deve ser obrigatoriamente .ALG!!!"));
    if (validacao_.temErro()) {
        dialogos().mostraMensagem(QStringLiteral("Providencie as correções para salvar seu algoritmo!!!"));
        return Resultado::Invalido;
    }
    if (!grava(filha, nome))
        return Resultado::Falhou;
    filha->defineLegenda(semPasta(nome));
    filha->memEditor->setModified(false);
    filha->NomeArquivo = nome;
    principal_->defineStatus(2, QString());
    return Resultado::Gravado;
}

void GerenteDocumentos::Fechar1Click()
{
    if (TFrmFilha* filha = principal_->filhaAtiva())
        principal_->fechaFilha(filha);
}

bool GerenteDocumentos::FecharTudo1Click()
{
    const QList<TFrmFilha*> filhas = principal_->filhas();
    for (int i = int(filhas.size()) - 1; i >= 0; --i)
        if (!principal_->fechaFilha(filhas[i]))
            return false;
    return true;
}

} // namespace vendrilo
