// THTTPGet contra servidores HTTP reais em 127.0.0.1.

#include "comm/atualizacao/http_get.h"
#include "comm/atualizacao/transferencia_http.h"
#include "servidores.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <ostream>

namespace vendrilo {
namespace {

using teste::EsperaAte;
using teste::ProcessaPor;
using teste::ServidorHTTP;

QByteArray conteudoDe(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void grava(const QString& caminho, const QByteArray& dados)
{
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dados);
}

QByteArray corpoDeTeste(int tamanho)
{
    QByteArray b;
    b.reserve(tamanho);
    for (int i = 0; i < tamanho; ++i)
        b.append(char('a' + (i * 7) % 26));
    return b;
}

// Anota os eventos do componente e em que fio chegaram.
struct Observador {
    QList<QPair<qint64, qint64>> progresso;
    int concluidos = 0;
    int erros = 0;
    qint64 tamanhoAnunciado = -1;
    QString arquivo;
    bool foraDoFioDaInterface = false;

    void liga(THTTPGet& g)
    {
        QObject::connect(&g, &THTTPGet::OnProgress, [this](QObject*, qint64 total, qint64 lidos) {
            progresso.append({total, lidos});
            foraDoFioDaInterface |= QThread::currentThread() != qApp->thread();
        });
        QObject::connect(&g, &THTTPGet::OnDoneFile, [this](QObject*, const QString& a, qint64 t) {
            ++concluidos;
            arquivo = a;
            tamanhoAnunciado = t;
            foraDoFioDaInterface |= QThread::currentThread() != qApp->thread();
        });
        QObject::connect(&g, &THTTPGet::OnError, [this](QObject*) {
            ++erros;
            foraDoFioDaInterface |= QThread::currentThread() != qApp->thread();
        });
    }
    int eventosFinais() const { return concluidos + erros; }
};

QList<QJsonObject> pedidos(const QString& pasta)
{
    QList<QJsonObject> lista;
    for (const QByteArray& linha : conteudoDe(pasta + "/pedidos.log").split('\n'))
        if (!linha.isEmpty())
            lista.append(QJsonDocument::fromJson(linha).object());
    return lista;
}

class HTTPGetTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        ASSERT_TRUE(destino.isValid());
        servidor = ServidorHTTP::teimoso(site.path());
        ASSERT_TRUE(servidor) << "servidor de teste não iniciou";
        alvo = destino.filePath("Update/baixado.bin");
    }

    void publica(const QString& nome, const QByteArray& dados, const QString& modo = "normal")
    {
        grava(site.filePath(nome), dados);
        grava(site.filePath(nome + ".modo"), modo.toUtf8());
    }

    void configura(THTTPGet& g, const QString& nome)
    {
        g.setURL(servidor->url("/" + nome));
        g.setFileName(alvo);
        g.setTempoConexao(5);
        g.setTempoLeitura(3);
    }

    QTemporaryDir site;
    QTemporaryDir destino;
    std::unique_ptr<ServidorHTTP> servidor;
    QString alvo;
};

TEST_F(HTTPGetTeste, PropriedadesPadrao)
{
    THTTPGet g;
    EXPECT_EQ(g.AcceptTypes(), "*/*");
    EXPECT_EQ(g.Agent(), "Corvanel HTTPGet");
    EXPECT_FALSE(g.BinaryData());
    EXPECT_FALSE(g.UseCache());
    EXPECT_FALSE(g.WaitThread());
    EXPECT_TRUE(g.URL().isEmpty());
    EXPECT_TRUE(g.FileName().isEmpty());
    EXPECT_TRUE(g.PostQuery().isEmpty());
    EXPECT_FALSE(g.Executando());
}

struct CasoServidor {
    const char* nome;
    const char* modo;
    int tamanho;
    bool binario;
    bool sucesso;
    bool haProgresso;
};

void PrintTo(const CasoServidor& c, std::ostream* os) { *os << c.nome; }

class HTTPGetServidores : public HTTPGetTeste, public ::testing::WithParamInterface<CasoServidor> {};

TEST_P(HTTPGetServidores, ResultadoEArquivo)
{
    const CasoServidor c = GetParam();
    const QByteArray corpo = corpoDeTeste(c.tamanho);
    publica("arquivo.bin", corpo, c.modo);
    grava(alvo, "conteúdo anterior");

    THTTPGet g;
    configura(g, "arquivo.bin");
    g.setBinaryData(c.binario);
    Observador o;
    o.liga(g);
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }, 15000));
    ProcessaPor(100);

    EXPECT_EQ(o.eventosFinais(), 1);
    EXPECT_FALSE(o.foraDoFioDaInterface);
    EXPECT_FALSE(g.Executando());
    EXPECT_EQ(g.Sucesso(), c.sucesso) << g.UltimoErro().toStdString();
    EXPECT_FALSE(QFile::exists(alvo + ".parcial"));
    if (c.sucesso) {
        EXPECT_EQ(o.concluidos, 1);
        EXPECT_EQ(o.arquivo, alvo);
        EXPECT_EQ(o.tamanhoAnunciado, c.tamanho);
        EXPECT_EQ(conteudoDe(alvo), corpo);
    } else {
        EXPECT_EQ(o.erros, 1);
        EXPECT_EQ(conteudoDe(alvo), QByteArray("conteúdo anterior")); // nada perdido
    }
    EXPECT_EQ(!o.progresso.isEmpty(), c.haProgresso);
    for (int i = 1; i < o.progresso.size(); ++i)
        EXPECT_GT(o.progresso[i].second, o.progresso[i - 1].second);
    if (c.sucesso && c.tamanho > 0) {
        EXPECT_EQ(o.progresso.last().first, c.tamanho);
        EXPECT_EQ(o.progresso.last().second, c.tamanho);
        EXPECT_GE(o.progresso.size(), c.tamanho / 1025); // pedaços de até 1025 bytes
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, HTTPGetServidores,
    ::testing::Values(
        CasoServidor{"nominal_com_tamanho", "normal", 5000, false, true, true},
        CasoServidor{"nominal_binario_com_tamanho", "normal", 3000, true, true, true},
        CasoServidor{"nominal_corpo_vazio", "normal", 0, false, true, false},
        CasoServidor{"robustez_sem_tamanho_corpo_lido_mas_falha", "sem-tamanho", 2000, false, false, true},
        CasoServidor{"robustez_sem_tamanho_corpo_vazio_conta_como_sucesso", "sem-tamanho", 0, false, true, false},
        CasoServidor{"robustez_sem_tamanho_binario_falha_antes_de_ler", "sem-tamanho", 2000, true, false, false},
        CasoServidor{"robustez_tamanho_que_mente", "tamanho-mentiroso", 2000, false, false, true},
        CasoServidor{"robustez_servidor_fecha_no_meio", "fecha-no-meio", 4000, false, false, true},
        CasoServidor{"robustez_tamanho_nao_numerico", "tamanho-invalido", 2000, false, false, false},
        CasoServidor{"robustez_servidor_mudo_limite_de_leitura", "mudo", 100, false, false, false}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(HTTPGetTeste, ArquivoInexistenteNoServidorEhFalha)
{
    grava(alvo, "antigo");
    THTTPGet g;
    configura(g, "nao-existe.ini");
    Observador o;
    o.liga(g);
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }));
    EXPECT_EQ(o.erros, 1);
    EXPECT_EQ(conteudoDe(alvo), QByteArray("antigo"));
}

TEST_F(HTTPGetTeste, ServidorFechadoEhFalhaSemDemora)
{
    THTTPGet g;
    g.setURL(QStringLiteral("http://127.0.0.1:%1/x").arg(teste::PortaLivre()));
    g.setFileName(alvo);
    Observador o;
    o.liga(g);
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }));
    EXPECT_EQ(o.erros, 1);
    EXPECT_FALSE(QFile::exists(alvo));
}

TEST_F(HTTPGetTeste, SegundoInicioDuranteATransferenciaEhIgnorado)
{
    publica("lento.bin", corpoDeTeste(6 * 1025), "lento");
    THTTPGet g;
    configura(g, "lento.bin");
    Observador o;
    o.liga(g);
    g.StartDownload();
    EXPECT_TRUE(g.Executando());
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return !o.progresso.isEmpty(); }));
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }));
    ProcessaPor(300);
    EXPECT_EQ(o.concluidos, 1);
    EXPECT_EQ(o.erros, 0);
    EXPECT_EQ(pedidos(site.path()).size(), 1);
}

TEST_F(HTTPGetTeste, CancelarEntregaErroEApagaOParcial)
{
    publica("lento.bin", corpoDeTeste(20 * 1025), "lento");
    grava(alvo, "antigo");
    THTTPGet g;
    configura(g, "lento.bin");
    Observador o;
    o.liga(g);
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return !o.progresso.isEmpty(); }));
    g.CancelDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }, 5000));
    EXPECT_EQ(o.erros, 1);
    EXPECT_EQ(o.concluidos, 0);
    EXPECT_FALSE(g.Sucesso());
    EXPECT_FALSE(QFile::exists(alvo + ".parcial"));
    EXPECT_EQ(conteudoDe(alvo), QByteArray("antigo"));
}

TEST_F(HTTPGetTeste, ComponenteDestruidoNoMeioNaoEntregaNadaENaoTrava)
{
    publica("lento.bin", corpoDeTeste(40 * 1025), "lento");
    Observador o;
    auto g = std::make_unique<THTTPGet>();
    configura(*g, "lento.bin");
    o.liga(*g);
    g->StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return !o.progresso.isEmpty(); }));
    const int progressoAntes = o.progresso.size();
    QElapsedTimer t;
    t.start();
    g.reset();
    EXPECT_LT(t.elapsed(), 3000);
    ProcessaPor(500);
    EXPECT_EQ(o.eventosFinais(), 0);
    EXPECT_EQ(o.progresso.size(), progressoAntes);
    EXPECT_FALSE(QFile::exists(alvo));
    EXPECT_FALSE(QFile::exists(alvo + ".parcial"));
}

TEST_F(HTTPGetTeste, WaitThreadSoVoltaNoFim)
{
    const QByteArray corpo = corpoDeTeste(3 * 1025);
    publica("lento.bin", corpo, "lento");
    THTTPGet g;
    configura(g, "lento.bin");
    g.setWaitThread(true);
    Observador o;
    o.liga(g);
    g.StartDownload();
    EXPECT_FALSE(g.Executando());
    EXPECT_EQ(o.concluidos, 1);
    EXPECT_EQ(conteudoDe(alvo), corpo);
}

TEST_F(HTTPGetTeste, PedidoGetLevaOsCabecalhosDoComponente)
{
    publica("a.ini", "[Versao]\r\nVendrilo=2.4\r\n");
    THTTPGet g;
    configura(g, "a.ini");
    g.setReferer(QStringLiteral("http://origem/pagina"));
    Observador o;
    o.liga(g);
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }));
    const auto lista = pedidos(site.path());
    ASSERT_EQ(lista.size(), 1);
    const QJsonObject p = lista[0];
    const QJsonObject cab = p["cabecalhos"].toObject();
    EXPECT_EQ(p["metodo"].toString(), "GET");
    EXPECT_EQ(p["versao"].toString(), "HTTP/1.0");
    EXPECT_EQ(p["caminho"].toString(), "/a.ini");
    EXPECT_EQ(cab["accept"].toString(), "*/*");
    EXPECT_EQ(cab["user-agent"].toString(), "Corvanel HTTPGet");
    EXPECT_EQ(cab["referer"].toString(), "http://origem/pagina");
    EXPECT_EQ(cab["pragma"].toString(), "no-cache"); // sem cópia em cache
}

TEST_F(HTTPGetTeste, PedidoPostComCacheESemAgente)
{
    publica("a.ini", "x");
    THTTPGet g;
    configura(g, "a.ini");
    g.setPostQuery(QStringLiteral("ra=123&nome=Ana"));
    g.setUseCache(true);
    g.setAgent(QString());
    g.setAcceptTypes(QStringLiteral("text/plain"));
    Observador o;
    o.liga(g);
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }));
    EXPECT_EQ(o.concluidos, 1);
    const auto lista = pedidos(site.path());
    ASSERT_EQ(lista.size(), 1);
    const QJsonObject cab = lista[0]["cabecalhos"].toObject();
    EXPECT_EQ(lista[0]["metodo"].toString(), "POST");
    EXPECT_EQ(lista[0]["corpo"].toString(), "ra=123&nome=Ana");
    EXPECT_EQ(cab["content-type"].toString(), "application/x-www-form-urlencoded");
    EXPECT_EQ(cab["accept"].toString(), "text/plain");
    EXPECT_FALSE(cab.contains("pragma"));
    EXPECT_FALSE(cab.contains("user-agent"));
}

TEST_F(HTTPGetTeste, ServidorPadraoDoPythonSemBinario)
{
    // O servidor de arquivos comum, com caminho de espaços codificados.
    QTemporaryDir pasta;
    const QByteArray corpo = corpoDeTeste(10000);
    grava(pasta.filePath("ftp/Vendrilo de Algoritmos/Public/Vendrilo.zip"), corpo);
    auto padrao = ServidorHTTP::estatico(pasta.path());
    ASSERT_TRUE(padrao);
    THTTPGet g;
    g.setURL(padrao->url("/ftp/Vendrilo%20de%20Algoritmos/Public/Vendrilo.zip"));
    g.setFileName(alvo);
    Observador o;
    o.liga(g);
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }));
    EXPECT_EQ(o.concluidos, 1);
    EXPECT_EQ(conteudoDe(alvo), corpo);
}

TEST_F(HTTPGetTeste, SemArquivoDeDestinoFalhaSemGravarNada)
{
    publica("a.ini", "x");
    THTTPGet g;
    g.setURL(servidor->url("/a.ini"));
    Observador o;
    o.liga(g);
    g.StartDownload();
    ASSERT_TRUE(EsperaAte([&] { return o.eventosFinais() > 0; }));
    EXPECT_EQ(o.erros, 1);
    EXPECT_FALSE(QFile::exists(".parcial"));
    EXPECT_TRUE(pedidos(site.path()).isEmpty());
}

struct CasoURL {
    const char* nome;
    const char* url;
    const char* host;
    const char* caminho;
};

void PrintTo(const CasoURL& c, std::ostream* os) { *os << c.nome; }

class DivisaoURL : public ::testing::TestWithParam<CasoURL> {};

TEST_P(DivisaoURL, HostECaminho)
{
    const PartesURL p = DivideURL(GetParam().url);
    EXPECT_EQ(p.host, GetParam().host);
    EXPECT_EQ(p.caminho, GetParam().caminho);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DivisaoURL,
    ::testing::Values(
        CasoURL{"nominal", "http://site.org/ftp/a.ini", "site.org", "/ftp/a.ini"},
        CasoURL{"maiusculas_no_esquema", "HTTP://Site.org/a", "Site.org", "/a"},
        CasoURL{"com_porta", "http://127.0.0.1:8080/x%20y", "127.0.0.1:8080", "/x%20y"},
        CasoURL{"sem_esquema", "site.org/a/b", "site.org", "/a/b"},
        CasoURL{"sem_caminho", "http://site.org", "site.org", "/"},
        CasoURL{"http_no_meio_nao_corta", "site.org/a?u=http://x", "site.org", "/a?u=http://x"}),
    [](const auto& info) { return std::string(info.param.nome); });

} // namespace
} // namespace vendrilo
