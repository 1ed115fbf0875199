#include "workspace/documentos.h"

#include "formato/arquivo_alg.h"
#include "formato/arquivo_ini.h"
#include "formato/gravacao_segura.h"
#include "platform/dialogos.h"
#include "platform/pasta_programa.h"
#include "workspace/acoes_principal.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace vendrilo {

namespace {

const QString kFiltroAbrir = QStringLiteral("Algoritmo (*.alg *.ALG)");
const QString kFiltroSalvar = QStringLiteral("Algoritmos (*.alg *.ALG)");

// Preferências da área de trabalho, na pasta do programa.
constexpr const char* kPreferencias = "vendrilo.ini";

std::string local(const QString& caminho)
{
    return QFile::encodeName(caminho).toStdString();
}

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
    std::string ini;
    if (LeArquivoInteiro(NaPastaPrograma(kPreferencias), ini)) {
        for (int i = 1; i <= kMaxRecentes; ++i) {
            const QString c =
                QString::fromStdString(LeIniTexto(ini, "Recentes", "Arquivo" + std::to_string(i)));
            if (!c.isEmpty() && !recentes_.contains(c))
                recentes_ << c;
        }
        pastaUltima_ = QString::fromStdString(LeIniTexto(ini, "Pastas", "Ultima"));
    }
    QMenu* arquivo = principal_->acoes().menu(QStringLiteral("Arquivo1"));
    connect(arquivo, &QMenu::aboutToShow, this, &GerenteDocumentos::montaRecentes);
}

QString GerenteDocumentos::pastaInicial() const
{
    if (!pastaUltima_.isEmpty() && QFileInfo(pastaUltima_).isDir())
        return pastaUltima_;
    return QString::fromStdString(PastaPrograma());
}

void GerenteDocumentos::lembra(const QString& caminho)
{
    const QString absoluto = QFileInfo(caminho).absoluteFilePath();
    recentes_.removeAll(absoluto);
    recentes_.prepend(absoluto);
    while (recentes_.size() > kMaxRecentes)
        recentes_.removeLast();
    pastaUltima_ = QFileInfo(absoluto).absolutePath();
    guardaPreferencias();
}

void GerenteDocumentos::guardaPreferencias()
{
    std::string ini;
    (void)LeArquivoInteiro(NaPastaPrograma(kPreferencias), ini);
    for (int i = 1; i <= kMaxRecentes; ++i)
        ini = AlteraIniTexto(ini, "Recentes", "Arquivo" + std::to_string(i),
                             recentes_.value(i - 1).toStdString());
    ini = AlteraIniTexto(ini, "Pastas", "Ultima", pastaUltima_.toStdString());
    // Sem gravar as preferências o trabalho continua; só a lista não sobrevive.
    std::string erro;
    QDir().mkpath(QString::fromStdString(PastaPrograma()));
    (void)GravaArquivoSeguro(NaPastaPrograma(kPreferencias), ini, erro);
}

void GerenteDocumentos::montaRecentes()
{
    QMenu* arquivo = principal_->acoes().menu(QStringLiteral("Arquivo1"));
    qDeleteAll(itensRecentes_);
    itensRecentes_.clear();
    if (recentes_.isEmpty())
        return;
    QAction* sair = principal_->acao(QStringLiteral("Sair1"));
    for (int i = 0; i < recentes_.size(); ++i) {
        const QString caminho = recentes_[i];
        auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(semPasta(caminho)), arquivo);
        item->setObjectName(QStringLiteral("Recente%1").arg(i + 1));
        item->setStatusTip(QDir::toNativeSeparators(caminho));
        item->setToolTip(caminho);
        connect(item, &QAction::triggered, this, [this, caminho] { abreRecente(caminho); });
        arquivo->insertAction(sair, item);
        itensRecentes_ << item;
    }
    itensRecentes_ << arquivo->insertSeparator(sair);
}

void GerenteDocumentos::abreRecente(const QString& caminho)
{
    if (!QFileInfo(caminho).isFile()) {
        recentes_.removeAll(caminho);
        guardaPreferencias();
        dialogos().mostraMensagem(QStringLiteral("O arquivo %1 não existe mais (foi apagado ou "
                                                 "movido) e saiu da lista de arquivos recentes.")
                                      .arg(caminho));
        return;
    }
    abre(caminho);
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
    // diante tem dois dígitos; SemNome100, três), e o cursor volta à coluna 17.
    filha->memEditor->posicionaCursor(0, 16);
    filha->memEditor->selecionaTrecho(0, 16 + int(filha->legenda().size()), 16);
    filha->memEditor->setFocus();
}

void GerenteDocumentos::btnAbrirClick()
{
    const QString caminho = dialogos().abreArquivo(QStringLiteral("Abrir"), kFiltroAbrir, pastaInicial());
    if (caminho.isEmpty())
        return;
    abre(caminho);
}

void GerenteDocumentos::abre(const QString& caminho)
{
    // Lê antes de criar a janela: um arquivo ilegível não deixa janela pela metade.
    DocumentoAlg doc;
    if (!le(caminho, doc))
        return;
    TFrmFilha* filha = principal_->CriaFilha(semPasta(caminho));
    aplica(filha, doc, caminho);
    filha->atualizaPosicao();
    if (principal_->filhas().size() == 1)
        principal_->Ativa();
    lembra(caminho);
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
    filha->memEditor->setTabWidth(3);
    // A contagem de linhas já é a do exemplo, não a do modelo (clique do mouse
    // não passa pelas teclas que a atualizam).
    filha->atualizaPosicao();
    return filha;
}

bool GerenteDocumentos::le(const QString& caminho, DocumentoAlg& doc)
{
    std::string erro;
    if (LeAlg(local(caminho), doc, erro))
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
    if (!GravaAlg(local(caminho), doc, erro)) {
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
    QString nome = dialogos().salvaArquivo(QStringLiteral("Salvar Como"), kFiltroSalvar, pastaInicial(),
                                           filha->legenda());
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
    lembra(nome);
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
