#include "workspace/comandos_traducao.h"

#include "check/estrutura.h"
#include "formato/texto_1252.h"
#include "platform/dialogos.h"
#include "translate/execucao.h"
#include "translate/leitor_linhas.h"
#include "translate/tradutor.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/frm_erros_sintaxe.h"
#include "workspace/principal.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>

#include <atomic>
#include <thread>

namespace vendrilo {

namespace {

QString de1252(const std::string& texto)
{
    return QString::fromStdString(De1252(texto));
}

// Enquanto o compilador roda, nenhuma janela pode ser fechada (pelo
// gerenciador de janelas): o comando ainda vai escrever no editor.
class BarraFechamento : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::Close)
            return false;
        e->ignore();
        return true;
    }
};

// Cursor de espera enquanto o objeto vive.
struct CursorOcupado {
    CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
};

} // namespace

ComandosTraducao::ComandosTraducao(TfrmPrincipal* principal)
    : QObject(principal)
    , principal_(principal)
    , tradutor_(std::make_unique<Tradutor>())
    , erros_(new TFrmErrosSintaxe(TituloAplicacao(), principal))
{
    setObjectName(QStringLiteral("ComandosTraducao"));
    connect(erros_, &TFrmErrosSintaxe::limpaPainelStatus3, principal,
            [principal] { principal->defineStatus(3, QString()); });
    connect(erros_, &TFrmErrosSintaxe::irParaLinha, this, &ComandosTraducao::vaiParaLinhaDoErro);
    // As ações vivem um pouco mais que este objeto quando a janela é destruída.
    QPointer<ComandosTraducao> eu(this);
    principal->ligaComando(QStringLiteral("Traduzir1"), QStringLiteral("btnTraduzir"), [eu] {
        if (eu)
            eu->btnTraduzirClick();
    });
    principal->ligaComando(QStringLiteral("Executar1"), QStringLiteral("btnExecutar"), [eu] {
        if (eu)
            eu->btnExecutarClick();
    });
}

ComandosTraducao::~ComandosTraducao() = default;

bool ComandosTraducao::condicoesTraducao(TFrmFilha* filha)
{
    principal_->LinhaErro = 0;
    principal_->ColunaErro = 0;
    principal_->LinhaErroExibida = 0;
    if (!filha)
        return false;
    if (!filha->legenda().toUpper().contains(QStringLiteral(".ALG"))) {
        dialogos().mostraMensagem(
            QStringLiteral("Algoritmo ainda não foi salvo para ser traduzido, salve-o antes."));
        return false;
    }
    // Uma linha vazia é um algoritmo (vazio) e vai ao tradutor, que aponta o erro.
    if (filha->memEditor->semLinhas()) {
        dialogos().mostraMensagem(QStringLiteral("O seu algoritmo ainda não está editado."));
        return false;
    }
    if (filha->memEditor->isModified()) {
        const QString texto =
            QStringLiteral("Você deseja traduzir, mas o seu algoritmo foi alterado e não está "
                           "salvo!!!\r\rDeseja salvar as alterações em ") +
            filha->NomeArquivo + QStringLiteral("???\r");
        // 0x33: Sim/Não/Cancelar com o ícone de aviso, como sempre foi.
        const int r = dialogos().caixaMensagem(texto, QStringLiteral("Vendrilo de Algoritmo"),
                                               Caixa::SimNaoCancelar | Caixa::IconeAviso);
        if (r == Caixa::RespSim)
            principal_->documentos().Salvar(filha);
        else
            dialogos().mostraMensagem(QStringLiteral(
                "Atenção!!! A tradução não será realizada!!! Seu algoritmo não está salvo!!!"));
    }
    // Um Salvar que não gravou também para aqui, sem outra mensagem.
    return !filha->memEditor->isModified();
}

void ComandosTraducao::btnTraduzirClick()
{
    traduz(nullptr);
}

bool ComandosTraducao::PreparaPassoAPasso(ProgramaPassoAPasso& saida)
{
    return traduz(&saida);
}

bool ComandosTraducao::traduz(ProgramaPassoAPasso* passo)
{
    if (compilando_)
        return false;
    QPointer<TFrmFilha> filha = principal_->filhaAtiva();
    if (!condicoesTraducao(filha))
        return false;

    principal_->ArquivoAtual = filha->NomeArquivo;
    // O arquivo traduzido é exatamente o texto da tela.
    if (!principal_->documentos().grava(filha, filha->NomeArquivo))
        return false;

    erros_->limpaErros();
    std::string erro;
    if (!tradutor_->TraduzArquivo(filha->NomeArquivo.toStdString(), erro)) {
        dialogos().mostraMensagem(QString::fromStdString(erro));
        return false;
    }
    EstadoTraducao& estado = tradutor_->estado();
    filhaErros_ = filha;
    erros_->defineErros(estado.Estrutura.ErrosSintaxe, estado.Estrutura.TipoErroLinha,
                        estado.Estrutura.LinhaAlgoritmo);
    if (estado.TotalErros > 0)
        dialogos().caixaMensagem(de1252(TextoResumoEstrutura(estado.TotalErros)), TituloAplicacao(),
                                 Caixa::Ok);

    std::vector<std::string> linhas;
    for (const QString& l : filha->memEditor->linhas())
        linhas.push_back(Para1252(l.toStdString()));
    EntradaCompilacao entrada = EntradaDe(estado, std::move(linhas));
    entrada.Limite = limite_;
    if (passo) {
        // As declarações vêm do .pas, que a compilação bem-sucedida apaga.
        entrada.InformacaoDepuracao = true;
        passo->linhasPascal.clear();
        LeTodasAsLinhas(estado.NomePas, passo->linhasPascal);
    }
    const ResultadoCompilacao r = compilaSemTravar(entrada);

    switch (r.situacao) {
    case SituacaoCompilacao::ArquivosIncompletos:
        dialogos().bipe();
        dialogos().mostraMensagem(QString::fromStdString(r.mensagem));
        return false;
    case SituacaoCompilacao::ErrosEstrutura:
        mostraErrosEstrutura();
        return false;
    default:
        break;
    }

    ZeraContadores(estado.ContadorTipos, estado.Estrutura);
    estado.TotalErros = 0;
    erros_->limpaErros();
    if (r.situacao == SituacaoCompilacao::FalhaExecucao || r.situacao == SituacaoCompilacao::TempoEsgotado) {
        dialogos().mostraMensagem(QString::fromStdString(r.mensagem));
        principal_->ArquivoAtual.clear();
        return false;
    }

    principal_->defineStatus(0, QString());
    principal_->defineStatus(1, QString());
    const bool sucesso = r.situacao == SituacaoCompilacao::Sucesso;
    if (sucesso && passo) {
        passo->filha = filha;
        passo->programa = estado.NomeExe;
        passo->bibliotecaUsada = estado.BibliotecaUsada;
    } else if (sucesso) {
        if (dialogos().caixaMensagem(QStringLiteral("Algoritmo traduzido com sucesso. Deseja executar?"),
                                     TituloAplicacao(), Caixa::SimNao | Caixa::IconePergunta) ==
            Caixa::RespSim)
            btnExecutarClick();
    } else if (filha) {
        mostraErroCompilacao(filha, r);
        principal_->defineStatus(3, QString());
    }
    principal_->ArquivoAtual.clear();
    return sucesso && filha;
}

void ComandosTraducao::mostraErrosEstrutura()
{
    dialogos().bipe();
    erros_->exec();
    EstadoTraducao& estado = tradutor_->estado();
    ZeraContadores(estado.ContadorTipos, estado.Estrutura);
    estado.TotalErros = 0;
}

void ComandosTraducao::vaiParaLinhaDoErro(int linha)
{
    // O documento traduzido, mesmo que outro tenha ficado ativo; fechado, nada a fazer.
    if (!filhaErros_)
        return;
    filhaErros_->memEditor->posicionaCursor(linha - 1, 0);
}

void ComandosTraducao::mostraErroCompilacao(TFrmFilha* filha, const ResultadoCompilacao& r)
{
    // O painel sai em todo erro de compilação, mesmo na primeira linha ou
    // fora do algoritmo: um erro que não aparece deixaria o aluno sem saber
    // por que a tradução não terminou.
    if (!r.MostraPainel)
        return;
    principal_->LinhaErro = r.LinhaMapeada ? r.LinhaErro : 0;
    principal_->ColunaErro = r.ColunaErro;
    QString titulo;
    if (r.LinhaMapeada && r.LinhaErro >= 0) {
        principal_->LinhaErroExibida = r.LinhaErro + 1;
        titulo = QStringLiteral("   Atenção!!! Erro detectado na linha [%1]!!!   ").arg(r.LinhaErro + 1);
    } else {
        titulo = QStringLiteral("   Atenção!!! Erro detectado na tradução!!!   ");
    }
    QStringList linhas;
    for (const std::string& l : r.LinhasErro)
        linhas << de1252(l);
    if (!r.Dica.empty())
        linhas << QString::fromStdString(r.Dica);
    filha->mostraErro(titulo, linhas);

    if (!r.PosicionaCursor)
        return;
    // ColunaErro conta a partir de 1, como a posição do "^" no relatório.
    filha->memEditor->posicionaCursor(r.LinhaErro, qMax(0, r.ColunaErro - 1));
    filha->memEditor->setFocus();
    filha->memEditor->selecionaPalavraNoCursor();
}

ResultadoCompilacao ComandosTraducao::compilaSemTravar(const EntradaCompilacao& entrada)
{
    // O compilador roda numa thread; a janela continua repintando, mas não
    // aceita teclado nem mouse até o fim (limitado pelo prazo da compilação).
    ResultadoCompilacao resultado;
    std::atomic<bool> pronto{false};
    QEventLoop laco;
    BarraFechamento barra;
    CursorOcupado cursor;
    qApp->installEventFilter(&barra);
    compilando_ = true;

    std::thread trabalhador([&] {
        try {
            resultado = CompilaPrograma(entrada);
        } catch (const std::exception& e) {
            resultado = ResultadoCompilacao();
            resultado.mensagem = std::string("Erro na execução!!! ") + e.what();
        }
        pronto = true;
        QMetaObject::invokeMethod(&laco, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (!pronto)
        laco.exec(QEventLoop::ExcludeUserInputEvents);
    trabalhador.join();

    qApp->removeEventFilter(&barra);
    compilando_ = false;
    return resultado;
}

void ComandosTraducao::btnExecutarClick()
{
    TFrmFilha* filha = principal_->filhaAtiva();
    if (!filha)
        return;
    const ResultadoExecucao r = ExecutaAlgoritmo(filha->NomeArquivo.toStdString());
    if (!r.iniciado)
        dialogos().mostraMensagem(QString::fromStdString(r.mensagem));
}

} // namespace vendrilo
