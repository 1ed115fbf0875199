// Painéis de variáveis, pilha e teste de mesa com vistas montadas à mão
// (valores agregados a partir de textos como o gdb os imprime).
#include "partida_testes_qt.h"
#include "arquivos_teste.h"
#include "depuracao/valores.h"
#include "dialogos_roteirizados.h"
#include "passo/modelo_teste_mesa.h"
#include "passo/paineis_passo.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace vendrilo {
namespace {

using depuracao::VariavelVista;

const depuracao::GrafiaDeNome Grafia = [](const std::string& n) {
    return n == "NOME" ? "nome" : n == "NOTA" ? "nota" : n;
};

// Uma variável com o valor como o gdb o imprime, passado pelo núcleo.
VariavelVista Var(const std::string& rotina, const std::string& nome, const std::string& gdb)
{
    depuracao::NoValor no = depuracao::ArvoreDoAlgoritmo(gdb, Grafia);
    return {rotina, nome, no.texto, std::move(no)};
}

// A árvore inteira, em pré-ordem: recuo por nível, "nome=valor", "*" quando
// destacada, "+" quando expandida.
QStringList Conteudo(QTreeWidget* t)
{
    QStringList s;
    const std::function<void(QTreeWidgetItem*, int)> visita = [&](QTreeWidgetItem* x, int nivel) {
        QString l = QString(nivel * 2, QLatin1Char(' ')) + x->text(0);
        if (!x->isFirstColumnSpanned())
            l += QLatin1Char('=') + x->text(1);
        if (x->font(1).bold())
            l += QLatin1Char('*');
        if (x->isExpanded())
            l += QLatin1Char('+');
        s << l;
        for (int i = 0; i < x->childCount(); ++i)
            visita(x->child(i), nivel + 1);
    };
    for (int i = 0; i < t->topLevelItemCount(); ++i)
        visita(t->topLevelItem(i), 0);
    return s;
}

QTreeWidgetItem* Item(QTreeWidget* t, const QString& nome)
{
    const auto achados = t->findItems(nome, Qt::MatchExactly | Qt::MatchRecursive, 0);
    return achados.isEmpty() ? nullptr : achados.front();
}

TEST(PainelVariaveis, OrdemPartesEDestaqueDoQueMudou)
{
    PainelVariaveis p;
    p.show();
    QTreeWidget* t = p.arvore();
    auto abre = [t](const QString& nome, bool aberto = true) { Item(t, nome)->setExpanded(aberto); };
    // Cada passo: o que o aluno faz antes, as variáveis da parada e a árvore
    // esperada. Vetores com os índices impressos pelo gdb (VETOR [0..2]).
    const struct {
        const char* nome;
        std::function<void()> antes;
        std::vector<VariavelVista> vars;
        QStringList esperado;
    } passos[] = {
        {"primeira parada: nada destacado, globais e rotina em ordem, agregados fechados",
         {},
         {Var("", "Soma", "0"), Var("", "v", "{[0] = 1, [1] = 4, [2] = 9}"), Var("", "m", "{{1, 2}, {3, 4}}"),
          Var("", "aluno", "{NOME = 'Ana; {x}', NOTA = 7.25}"), Var("Calc", "x", "2.5"),
          Var("Calc", "Soma", "'a'")},
         {"Soma=0", "v=[1; 4; 9]", "m=[[1; 2]; [3; 4]]", "aluno={nome: Ana; {x}; nota: 7.25}",
          "Calc (parâmetros e locais)+", "  x=2.5", "  Soma=a"}},
        {"o aluno abre vetor, matriz e registro: partes com índices e campos",
         [&] { abre("v"), abre("m"), abre("aluno"); },
         {Var("", "Soma", "0"), Var("", "v", "{[0] = 1, [1] = 5, [2] = 9}"), Var("", "m", "{{1, 2}, {3, 4}}"),
          Var("", "aluno", "{NOME = 'Ana; {x}', NOTA = 7.25}"), Var("Calc", "x", "3"),
          Var("Calc", "Soma", "'a'")},
         {"Soma=0", "v=[1; 5; 9]*+", "  [0]=1", "  [1]=5*", "  [2]=9", "m=[[1; 2]; [3; 4]]+", "  [1]=[1; 2]",
          "  [2]=[3; 4]", "aluno={nome: Ana; {x}; nota: 7.25}+", "  nome=Ana; {x}", "  nota=7.25",
          "Calc (parâmetros e locais)+", "  x=3*", "  Soma=a"}},
        {"a rotina termina: suas variáveis saem; linha da matriz aberta, elemento destacado",
         [&] { abre("v", false), abre("[2]"); },
         {Var("", "Soma", "12"), Var("", "v", "{[0] = 1, [1] = 5, [2] = 9}"),
          Var("", "m", "{{1, 2}, {3, 7}}"), Var("", "aluno", "{NOME = 'Ana; {x}', NOTA = 7.25}")},
         {"Soma=12*", "v=[1; 5; 9]", "m=[[1; 2]; [3; 7]]*+", "  [1]=[1; 2]", "  [2]=[3; 7]*+", "    [1]=3",
          "    [2]=7*", "aluno={nome: Ana; {x}; nota: 7.25}+", "  nome=Ana; {x}", "  nota=7.25"}},
        {"a rotina volta: entra sem destaque, o campo mudado se destaca",
         [&] { abre("m", false); },
         {Var("", "Soma", "12"), Var("", "v", "{[0] = 1, [1] = 5, [2] = 0}"),
          Var("", "m", "{{1, 2}, {3, 7}}"), Var("", "aluno", "{NOME = 'Bia', NOTA = 7.25}"),
          Var("Calc", "x", "1"), Var("Calc", "Soma", "'b'")},
         {"Soma=12", "v=[1; 5; 0]*", "m=[[1; 2]; [3; 7]]", "aluno={nome: Bia; nota: 7.25}*+", "  nome=Bia*",
          "  nota=7.25", "Calc (parâmetros e locais)+", "  x=1", "  Soma=b"}},
        {"aberto depois da parada, o vetor mostra o elemento que mudou nela",
         [&] { abre("v"), abre("m"); },
         {},
         {"Soma=12", "v=[1; 5; 0]*+", "  [0]=1", "  [1]=5", "  [2]=0*", "m=[[1; 2]; [3; 7]]+", "  [1]=[1; 2]",
          "  [2]=[3; 7]+", "    [1]=3", "    [2]=7", "aluno={nome: Bia; nota: 7.25}*+", "  nome=Bia*",
          "  nota=7.25", "Calc (parâmetros e locais)+", "  x=1", "  Soma=b"}},
    };
    QTreeWidgetItem* soma = nullptr;
    for (const auto& passo : passos) {
        if (passo.antes)
            passo.antes();
        if (!passo.vars.empty())
            p.Mostra(passo.vars);
        EXPECT_EQ(Conteudo(t), passo.esperado) << passo.nome;
        // O mesmo item de um passo para o outro: nada é refeito (nem pisca).
        if (soma) {
            EXPECT_EQ(t->topLevelItem(0), soma) << passo.nome;
        }
        soma = t->topLevelItem(0);
    }
    // Destaque por cor também, não só pela fonte.
    EXPECT_NE(Item(t, "aluno")->background(1), QBrush());
    EXPECT_EQ(Item(t, "Soma")->background(1), QBrush());
    // Um grupo de rotina recolhido pelo aluno continua recolhido.
    Item(t, "Calc (parâmetros e locais)")->setExpanded(false);
    p.Mostra({Var("", "Soma", "12"), Var("Calc", "x", "2")});
    EXPECT_EQ(Conteudo(t), (QStringList{"Soma=12", "Calc (parâmetros e locais)"}));

    // Depois de Limpa, a próxima parada é como a primeira.
    p.Limpa();
    EXPECT_EQ(t->topLevelItemCount(), 0);
    p.Mostra({Var("", "Soma", "99")});
    EXPECT_EQ(Conteudo(t), QStringList{"Soma=99"});
}

TEST(PainelVariaveis, VistaSemArvoreETextoLongo)
{
    PainelVariaveis p;
    const std::string longo(1000, 'x');
    p.Mostra({{"", "v", "[1; 2]"}, {"", "s", "a; b"}, {"", "t", longo}});
    // Um texto enorme aparece cortado na linha, mas a mudança no fim dele conta.
    p.Mostra({{"", "v", "[1; 2]"}, {"", "s", "a; b"}, {"", "t", longo + "y"}});
    EXPECT_EQ(Conteudo(p.arvore()),
              (QStringList{"v=[1; 2]", "s=a; b", "t=" + QString(300, 'x') + QChar(0x2026) + "*"}));
}

TEST(PainelPilha, QuadrosEDuploCliqueNaLinha)
{
    PainelPilha p;
    p.resize(400, 300);
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    QSignalSpy escolhas(&p, &PainelPilha::linhaEscolhida);
    p.Mostra({{"Fatorial", 11}, {"Fatorial", 11}, {"Calcula", 20}, {"", 3}});
    p.Mostra({{"Fatorial", 12}, {"Calcula", 20}, {"", 3}}); // a recursão volta um nível
    QTreeWidget* l = p.lista();
    QStringList linhas;
    for (int i = 0; i < l->topLevelItemCount(); ++i)
        linhas << l->topLevelItem(i)->text(0) + QLatin1Char(':') + l->topLevelItem(i)->text(1);
    EXPECT_EQ(linhas, (QStringList{"Fatorial:13", "Calcula:21", "(programa principal):4"}));

    teste::processa();
    const QRect r = l->visualItemRect(l->topLevelItem(2));
    ASSERT_TRUE(r.isValid());
    // A vista só aceita o duplo clique no item que recebeu o primeiro.
    QTest::mousePress(l->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_EQ(escolhas.size(), 1);
    EXPECT_EQ(escolhas.front().front().toInt(), 3);

    p.Limpa();
    EXPECT_EQ(l->topLevelItemCount(), 0);
}

depuracao::Declaracoes Declaracoes()
{
    depuracao::Declaracoes d;
    d.rotinas = {{"", {"n", "s"}}, {"Calc", {"x"}}};
    return d;
}

TEST(PainelTesteMesa, LinhasCrescemERolamAteAUltima)
{
    PainelTesteMesa p;
    p.resize(500, 300);
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    EXPECT_FALSE(p.botaoExportar()->isEnabled());
    p.Inicia(Declaracoes());
    EXPECT_TRUE(p.botaoExportar()->isEnabled());
    depuracao::TesteDeMesa referencia(Declaracoes());
    const int passos = 10000;
    for (int i = 0; i < passos; ++i) {
        const std::vector<VariavelVista> vars = {{"", "n", std::to_string(i)},
                                                 {"", "s", i % 2 ? "a, \"b\"" : " x"},
                                                 {"Calc", "x", i % 3 ? "" : "3.5"}};
        p.Registra(i % 7, vars);
        referencia.Registra(i % 7, vars);
    }
    QAbstractItemModel* m = p.tabela()->model();
    ASSERT_EQ(m->rowCount(), passos);
    QStringList cabecalho;
    for (int c = 0; c < m->columnCount(); ++c)
        cabecalho << m->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(cabecalho, (QStringList{"passo", "linha", "n", "s", "Calc.x"}));
    EXPECT_EQ(m->index(9999, 0).data().toString(), "10000");
    EXPECT_EQ(m->index(9999, 1).data().toString(), "4"); // base 1 na tela
    EXPECT_EQ(m->index(9999, 3).data().toString(), "a, \"b\"");
    EXPECT_EQ(m->index(9999, 4).data().toString(), "3.5");
    // A última linha está à vista.
    QTest::qWait(0);
    EXPECT_TRUE(p.tabela()->viewport()->rect().intersects(p.tabela()->visualRect(m->index(passos - 1, 0))));

    // Exportar CSV... pelo diálogo: os mesmos bytes do núcleo.
    QTemporaryDir pasta;
    teste::DialogosRoteirizados d;
    const QString destino = pasta.filePath("mesa.csv");
    d.respostasArquivo.enqueue(destino);
    p.botaoExportar()->click();
    ASSERT_EQ(d.perguntas.size(), 1);
    EXPECT_EQ(d.perguntas.front().tipo, "salva");
    EXPECT_EQ(d.perguntas.front().nomeInicial, "teste_de_mesa.csv");
    EXPECT_TRUE(d.textos().isEmpty());
    EXPECT_EQ(teste::le(destino).toStdString(), referencia.Csv());

    // Um arquivo que já existe só é substituído com um Sim; sem extensão, ganha .csv.
    d.limpa();
    d.respostasArquivo << destino << destino << pasta.filePath("sem_extensao");
    d.respostasCaixa << Caixa::RespNao << Caixa::RespSim;
    teste::escreve(destino, "planilha antiga");
    p.botaoExportar()->click();
    EXPECT_EQ(teste::le(destino), "planilha antiga");
    p.botaoExportar()->click();
    EXPECT_EQ(teste::le(destino).toStdString(), referencia.Csv());
    ASSERT_EQ(d.textos().size(), 2);
    EXPECT_EQ(d.textos().front(), destino + " já existe. Substituir?");
    p.botaoExportar()->click();
    EXPECT_EQ(teste::le(pasta.filePath("sem_extensao.csv")).toStdString(), referencia.Csv());

    // Inicia de novo: tabela vazia, mesmas colunas.
    p.Inicia(Declaracoes());
    EXPECT_EQ(m->rowCount(), 0);
    EXPECT_EQ(m->columnCount(), 5);
}

TEST(PainelTesteMesa, ExportacaoQueFalhaAvisaEmPortugues)
{
    PainelTesteMesa p;
    QString erro;
    EXPECT_FALSE(p.Exporta(QStringLiteral("/tmp/nao_deve_existir.csv"), &erro)); // antes de Inicia
    EXPECT_TRUE(erro.contains("inicie a execução passo a passo")) << erro.toStdString();
    EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/nao_deve_existir.csv")));

    p.Inicia(Declaracoes());
    p.Registra(0, {{"", "n", "1"}});
    QTemporaryDir pasta;
    teste::escreve(pasta.filePath("arquivo"), "não é pasta");
    const struct {
        const char* nome;
        QString destino;
    } casos[] = {
        {"pasta que não existe", pasta.filePath("sumiu/mesa.csv")},
        {"pasta que é arquivo", pasta.filePath("arquivo/mesa.csv")},
    };
    p.DefineArquivoSugerido(pasta.filePath("soma.csv"));
    for (const auto& c : casos) {
        teste::DialogosRoteirizados d;
        d.respostasArquivo.enqueue(c.destino);
        p.botaoExportar()->click();
        ASSERT_EQ(d.perguntas.size(), 2) << c.nome;
        EXPECT_EQ(d.perguntas.front().pasta, pasta.path()); // a sugestão do algoritmo
        EXPECT_EQ(d.perguntas.front().nomeInicial, "soma.csv");
        const teste::Pergunta& aviso = d.perguntas.back();
        EXPECT_EQ(aviso.tipo, "caixa") << c.nome;
        EXPECT_TRUE(aviso.texto.startsWith("Não foi possível gravar o teste de mesa em " + c.destino + ": "))
            << aviso.texto.toStdString();
        EXPECT_GT(aviso.texto.size(),
                  ("Não foi possível gravar o teste de mesa em " + c.destino + ": ").size() + 5)
            << "sem a causa: " << aviso.texto.toStdString();
        EXPECT_FALSE(QFile::exists(c.destino)) << c.nome;
    }
    // Cancelar o diálogo não grava nem avisa.
    teste::DialogosRoteirizados d;
    p.botaoExportar()->click();
    EXPECT_EQ(d.perguntas.size(), 1);

    p.Limpa();
    EXPECT_FALSE(p.botaoExportar()->isEnabled());
}

} // namespace
} // namespace vendrilo

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv);
}
