#include "workspace/pesquisa.h"

#include "learning/frm_alerta.h"
#include "platform/dialogos.h"
#include "workspace/acoes_principal.h"
#include "workspace/dialogos_pesquisa.h"
#include "workspace/filha.h"
#include "workspace/ir_linha.h"
#include "workspace/principal.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QLineEdit>

namespace vendrilo {

ComandosPesquisa::ComandosPesquisa(TfrmPrincipal* principal)
    : QObject(principal)
    , principal_(principal)
{
    principal->ligaComando(QStringLiteral("Localizartexto1"), QStringLiteral("btnSearch"),
                           [this] { MostraDialogoPesquisa(false); });
    principal->ligaComando(QStringLiteral("actSearch"), QString(), [this] { MostraDialogoPesquisa(false); });
    principal->ligaComando(QStringLiteral("actSearchReplace1"), QStringLiteral("btnSearchRep"),
                           [this] { MostraDialogoPesquisa(true); });
    principal->ligaComando(QStringLiteral("actSearchNext1"), QStringLiteral("btnSearchFw"),
                           [this] { ExecutaPesquisa(false, false); });
    principal->ligaComando(QStringLiteral("actSearchPrev1"), QStringLiteral("btnSearchBw"),
                           [this] { ExecutaPesquisa(false, true); });
    principal->ligaComando(QStringLiteral("actLinha"), QStringLiteral("btnLinha"), [this] { actLinhaExecute(); });
    // Como a lista de ações original: reavaliado sempre que o programa fica ocioso.
    if (auto* despachante = QAbstractEventDispatcher::instance())
        connect(despachante, &QAbstractEventDispatcher::aboutToBlock, this, &ComandosPesquisa::atualizaAcoes);
    atualizaAcoes();
}

void ComandosPesquisa::atualizaAcoes()
{
    TFrmFilha* filha = principal_->filhaAtiva();
    const bool documento = filha != nullptr;
    const bool temTexto = documento && !memoria.TextoPesquisa.isEmpty();
    const bool podeTrocar = temTexto && !filha->memEditor->isReadOnly();
    auto define = [this](const char* nome, bool v) {
        if (QAction* a = principal_->acao(QString::fromLatin1(nome)); a && a->isEnabled() != v)
            a->setEnabled(v);
    };
    for (const char* nome : {"Localizartexto1", "actSearch", "btnSearch", "actLinha", "btnLinha"})
        define(nome, documento);
    for (const char* nome : {"actSearchNext1", "btnSearchFw", "actSearchPrev1", "btnSearchBw"})
        define(nome, temTexto);
    for (const char* nome : {"actSearchReplace1", "btnSearchRep"})
        define(nome, podeTrocar);
}

bool ComandosPesquisa::dialogoReal(bool substituir, MemoriaPesquisa& m)
{
    std::unique_ptr<TTextSearchDialog> dlg(substituir ? new TTextReplaceDialog(principal_)
                                                      : new TTextSearchDialog(principal_));
    dlg->defineParaTras(m.PesquisaParaTras);
    dlg->defineMaiusculas(m.PesquisaMaiusculas);
    dlg->defineDoCursor(m.PesquisaDoCursor);
    dlg->defineSoSelecao(m.PesquisaSoSelecao);
    dlg->defineHistoricoPesquisa(m.HistoricoPesquisa);
    dlg->defineTextoPesquisa(m.TextoPesquisa);
    auto* troca = substituir ? static_cast<TTextReplaceDialog*>(dlg.get()) : nullptr;
    if (troca) {
        troca->defineHistoricoSubstituicao(m.HistoricoSubstituicao);
        troca->defineTextoSubstituicao(m.TextoSubstituicao);
    }
    dlg->definePalavraInteira(m.PesquisaPalavraInteira);
    if (dlg->exec() != QDialog::Accepted)
        return false;
    m.PesquisaParaTras = dlg->paraTras();
    m.PesquisaMaiusculas = dlg->maiusculas();
    m.PesquisaDoCursor = dlg->doCursor();
    m.PesquisaSoSelecao = dlg->soSelecao();
    m.PesquisaPalavraInteira = dlg->palavraInteira();
    m.TextoPesquisa = dlg->textoPesquisa();
    m.HistoricoPesquisa = dlg->historicoPesquisa();
    if (troca) {
        m.TextoSubstituicao = troca->textoSubstituicao();
        m.HistoricoSubstituicao = troca->historicoSubstituicao();
    }
    return true;
}

void ComandosPesquisa::MostraDialogoPesquisa(bool substituir)
{
    principal_->defineStatus(2, QString());
    MemoriaPesquisa m = memoria;
    const bool ok = dialogoPesquisa ? dialogoPesquisa(substituir, m) : dialogoReal(substituir, m);
    if (!ok)
        return;
    memoria = m;
    PesquisaDoCursorAtiva = memoria.PesquisaDoCursor;
    if (!memoria.TextoPesquisa.isEmpty()) {
        ExecutaPesquisa(substituir, memoria.PesquisaParaTras);
        PesquisaDoCursorAtiva = true;
    }
    atualizaAcoes();
}

EditorVendrilo::RespostaTroca ComandosPesquisa::perguntaReal(EditorVendrilo* ed, const QString& achado,
                                                               int linha, int)
{
    if (!confirma_)
        confirma_ = new TConfirmReplaceDialog(principal_);
    confirma_->preparaPergunta(achado);
    const long pos = ed->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    const int x = int(ed->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, pos));
    const int y = int(ed->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, pos));
    const int altura = int(ed->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, static_cast<unsigned long>(linha)));
    const QPoint achadoTela = ed->viewport()->mapToGlobal(QPoint(x, y));
    const QRect area(ed->viewport()->mapToGlobal(QPoint(0, 0)), ed->viewport()->size());
    confirma_->posiciona(area, achadoTela, altura);
    switch (confirma_->exec()) {
    case TConfirmReplaceDialog::RespSim: return EditorVendrilo::Trocar;
    case TConfirmReplaceDialog::RespNao: return EditorVendrilo::Pular;
    case TConfirmReplaceDialog::RespSimTodos: return EditorVendrilo::TrocarTodos;
    default: return EditorVendrilo::Parar;
    }
}

void ComandosPesquisa::alerta(const QString& texto)
{
    ultimoAlerta_ = texto;
    if (!alerta_)
        alerta_ = new TfrmAlerta(principal_);
    alerta_->Alerta(texto);
}

void ComandosPesquisa::ExecutaPesquisa(bool substituir, bool paraTras)
{
    principal_->defineStatus(2, QString());
    TFrmFilha* filha = principal_->filhaAtiva();
    if (!filha)
        return;
    EditorVendrilo* ed = filha->memEditor;
    unsigned opcoes = 0;
    if (substituir)
        opcoes |= EditorVendrilo::Substituir | EditorVendrilo::SubstituirTodos | EditorVendrilo::Perguntar;
    if (paraTras)
        opcoes |= EditorVendrilo::ParaTras;
    if (memoria.PesquisaMaiusculas)
        opcoes |= EditorVendrilo::Maiusculas;
    if (!PesquisaDoCursorAtiva)
        opcoes |= EditorVendrilo::TodoOTexto;
    if (memoria.PesquisaSoSelecao)
        opcoes |= EditorVendrilo::SoSelecao;
    if (memoria.PesquisaPalavraInteira)
        opcoes |= EditorVendrilo::PalavraInteira;
    EditorVendrilo::PerguntaTroca pergunta = perguntaTroca;
    if (!pergunta)
        pergunta = [this, ed](const QString& achado, const QString&, int linha, int coluna) {
            return perguntaReal(ed, achado, linha, coluna);
        };
    const int n = ed->pesquisaSubstitui(memoria.TextoPesquisa, memoria.TextoSubstituicao, opcoes, pergunta);
    if (n == 0) {
        alerta(QStringLiteral("O texto [") + memoria.TextoPesquisa + QStringLiteral("] não foi localizado!"));
        const long ini = ed->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
        const long fim = ed->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
        const long ponto = paraTras ? ini : fim;
        ed->SendScintilla(QsciScintillaBase::SCI_SETSEL, ponto, ponto);
    }
    delete confirma_;
    confirma_ = nullptr;
}

void ComandosPesquisa::actLinhaExecute()
{
    TFrmFilha* filha = principal_->filhaAtiva();
    if (!filha)
        return;
    QString texto = LinhaDigitada;
    bool confirmou = false;
    if (dialogoLinha) {
        confirmou = dialogoLinha(texto);
    } else {
        TfrmLinha dlg(principal_);
        confirmou = dlg.exec() == QDialog::Accepted;
        texto = dlg.edtLinha->text();
    }
    if (confirmou)
        LinhaDigitada = texto;
    bool ok = false;
    const int n = LinhaDigitada.trimmed().toInt(&ok);
    if (!ok) {
        dialogos().mostraMensagem(QString(20, QLatin1Char(' ')) + QStringLiteral("Informe o número da linha!")
                                  + QString(20, QLatin1Char(' ')));
        return;
    }
    EditorVendrilo* ed = filha->memEditor;
    const int total = ed->numeroLinhas();
    const QString margem(15, QLatin1Char(' '));
    if (n > total) {
        if (total < 2)
            dialogos().mostraMensagem(margem + QStringLiteral("Você somente poderá se deslocar para a linha 1.") + margem);
        else
            dialogos().mostraMensagem(margem + QStringLiteral("Informe uma linha entre [1] e [") + QString::number(total)
                                      + QStringLiteral("]") + margem);
        return;
    }
    ed->posicionaCursor(qMax(1, n) - 1, 0);
    ed->setFocus();
}

} // namespace vendrilo
