#include "workspace/recuperacao.h"

#include "formato/arquivo_alg.h"
#include "formato/arquivo_ini.h"
#include "formato/gravacao_segura.h"
#include "platform/dialogos.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/principal.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vendrilo {

namespace {

constexpr const char* kSecao = "Documento";
constexpr const char* kNomeTrava = "trava";

std::string local(const QString& caminho)
{
    return QFile::encodeName(caminho).toStdString();
}

// Trava sem esperar; -1 quando outra execução viva a segura.
int travaExclusiva(const QString& arquivo)
{
    const int fd = ::open(QFile::encodeName(arquivo).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

Recuperacao::Recuperacao(TfrmPrincipal* principal, const QString& area)
    : QObject(principal)
    , principal_(principal)
    , area_(area)
{
}

bool Recuperacao::garanteSessao()
{
    // A sessão nasce com a primeira cópia: quem nunca edita não deixa rastro.
    // Sem área gravável o programa segue; só não haverá cópias.
    if (!sessao_.isEmpty())
        return true;
    const QString nome = QStringLiteral("sessao-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    if (!QDir().mkpath(area_ + QLatin1Char('/') + nome))
        return false;
    const QString pasta = area_ + QLatin1Char('/') + nome;
    trava_ = travaExclusiva(pasta + QLatin1Char('/') + QLatin1String(kNomeTrava));
    if (trava_ < 0) {
        apagaSessao(pasta);
        return false;
    }
    sessao_ = pasta;
    return true;
}

Recuperacao::~Recuperacao()
{
    // Saída normal: cada janela já foi salva ou descartada de propósito.
    if (!sessao_.isEmpty())
        apagaSessao(sessao_);
    if (trava_ >= 0)
        ::close(trava_);
}

QString Recuperacao::copia(int numero, const char* extensao) const
{
    return sessao_ + QStringLiteral("/doc%1.%2").arg(numero).arg(QLatin1String(extensao));
}

void Recuperacao::acompanha(TFrmFilha* filha)
{
    if (vigias_.contains(filha))
        return;
    Vigia v;
    v.filha = filha;
    v.numero = proximo_++;
    v.relogio = new QTimer(this);
    v.relogio->setSingleShot(true);
    v.relogio->setInterval(kEsperaMs);
    connect(v.relogio, &QTimer::timeout, this, [this, filha] { grava(filha); });
    vigias_.insert(filha, v);
    QTimer* relogio = v.relogio;
    connect(filha->memEditor, &QsciScintilla::textChanged, relogio, [relogio] { relogio->start(); });
    // Salvo (ou desfeito até o ponto salvo): a cópia não guarda mais nada.
    connect(filha->memEditor, &QsciScintilla::modificationChanged, this, [this, filha](bool m) {
        if (!m)
            descarta(filha);
    });
    connect(filha, &QObject::destroyed, this, [this, filha] {
        auto it = vigias_.find(filha);
        if (it != vigias_.end()) {
            delete it->relogio;
            vigias_.erase(it);
        }
    });
}

void Recuperacao::grava(TFrmFilha* filha)
{
    auto it = vigias_.find(filha);
    if (it == vigias_.end() || !it->filha || filha->fechada())
        return;
    it->relogio->stop();
    if (!filha->memEditor->isModified()) {
        descarta(filha);
        return;
    }
    if (!garanteSessao())
        return;
    // UTF-8 na cópia: qualquer letra digitada cabe, mesmo a que o 1252 não tem.
    DocumentoAlg doc;
    doc.codificacao = CodificacaoAlg::Utf8;
    doc.quebra = EstiloQuebra::LF;
    for (const QString& l : filha->memEditor->linhas())
        doc.linhas.push_back(l.toStdString());
    std::string erro;
    if (!GravaAlg(local(copia(it->numero, "alg")), doc, erro))
        return; // sem cópia desta vez; a próxima mudança tenta de novo
    std::string ini;
    ini = AlteraIniTexto(ini, kSecao, "Legenda", filha->legenda().toStdString());
    const bool temArquivo = filha->legenda().toUpper().contains(QStringLiteral(".ALG"));
    ini =
        AlteraIniTexto(ini, kSecao, "Arquivo", temArquivo ? filha->NomeArquivo.toStdString() : std::string());
    OpcoesGravacao privado;
    privado.modoNovo = 0600;
    (void)GravaArquivoSeguro(local(copia(it->numero, "ini")), ini, erro, privado);
}

void Recuperacao::gravaPendentes()
{
    const auto chaves = vigias_.keys();
    for (TFrmFilha* f : chaves)
        if (vigias_.value(f).relogio->isActive())
            grava(f);
}

void Recuperacao::descarta(TFrmFilha* filha)
{
    auto it = vigias_.find(filha);
    if (it == vigias_.end())
        return;
    it->relogio->stop();
    if (sessao_.isEmpty())
        return;
    QFile::remove(copia(it->numero, "ini"));
    QFile::remove(copia(it->numero, "alg"));
}

QList<Recuperacao::Documento> Recuperacao::abandonados() const
{
    QList<Documento> docs;
    const QDir area(area_);
    for (const QString& nome :
         area.entryList({QStringLiteral("sessao-*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString pasta = area.filePath(nome);
        if (pasta == sessao_)
            continue;
        // Trava livre: a execução dona morreu.
        const int fd = travaExclusiva(pasta + QLatin1Char('/') + QLatin1String(kNomeTrava));
        if (fd < 0)
            continue;
        ::close(fd);
        const QDir dir(pasta);
        for (const QString& ini : dir.entryList({QStringLiteral("doc*.ini")}, QDir::Files, QDir::Name)) {
            const QString base = dir.filePath(ini.chopped(4));
            std::string conteudo;
            DocumentoAlg doc;
            std::string erro;
            if (!LeArquivoInteiro(local(base + QStringLiteral(".ini")), conteudo) ||
                !LeAlg(local(base + QStringLiteral(".alg")), doc, erro))
                continue;
            Documento d;
            d.legenda = QString::fromStdString(LeIniTexto(conteudo, kSecao, "Legenda"));
            d.arquivo = QString::fromStdString(LeIniTexto(conteudo, kSecao, "Arquivo"));
            for (const auto& l : doc.linhas)
                d.linhas << QString::fromStdString(l);
            d.copia = base;
            docs << d;
        }
    }
    return docs;
}

void Recuperacao::apagaSessao(const QString& pasta) const
{
    QDir dir(pasta);
    for (const QString& f : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(f);
    QDir(area_).rmdir(QFileInfo(pasta).fileName());
}

int Recuperacao::ofereceRecuperacao()
{
    const QList<Documento> docs = abandonados();
    if (docs.isEmpty())
        return 0;
    QStringList nomes;
    for (const Documento& d : docs)
        nomes << d.legenda;
    const int r = dialogos().caixaMensagem(
        QStringLiteral("O Vendrilo não foi fechado normalmente e guardou cópias de algoritmos não "
                       "salvos:\n\n%1\n\nRecuperá-los agora? (Não: as cópias ficam guardadas para "
                       "a próxima vez.)")
            .arg(nomes.join(QLatin1Char('\n'))),
        QApplication::applicationName(), Caixa::SimNao | Caixa::IconePergunta);
    if (r != Caixa::RespSim)
        return 0;
    QStringList sessoes;
    for (const Documento& d : docs) {
        if (principal_->filhas().isEmpty())
            principal_->Ativa();
        TFrmFilha* filha = principal_->CriaFilha(d.legenda);
        // O original, quando existe, dá o formato em disco e o ponto salvo.
        if (!QFileInfo(d.arquivo).isFile() || !principal_->documentos().carrega(filha, d.arquivo))
            filha->NomeArquivo = d.arquivo.isEmpty() ? d.legenda : d.arquivo;
        filha->defineLegenda(d.legenda);
        // O próximo Novo não repete o nome de um SemNome recuperado.
        static const QRegularExpression semNome(QStringLiteral("^SemNome(\\d+)$"));
        if (const auto m = semNome.match(d.legenda); m.hasMatch())
            principal_->ContadorSemNome = qMax(principal_->ContadorSemNome, m.captured(1).toInt());
        // Uma edição de verdade: fica modificado e o Desfazer volta ao original.
        filha->memEditor->defineLinhas(d.linhas);
        grava(filha);
        sessoes << QFileInfo(d.copia).absolutePath();
    }
    sessoes.removeDuplicates();
    for (const QString& s : sessoes)
        apagaSessao(s);
    return int(docs.size());
}

} // namespace vendrilo
