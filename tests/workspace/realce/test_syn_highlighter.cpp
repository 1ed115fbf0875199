// O realce ligado a um QsciScintilla de verdade (plataforma offscreen).

#include "partida_testes_qt.h"
#include "workspace/realce/syn_highlighter_vendrilo.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using vendrilo::TSynVendriloSyn;

namespace {

class Realce : public testing::Test {
protected:
    void SetUp() override
    {
        editor.setUtf8(true);
        realce = new TSynVendriloSyn(&editor);
        editor.setLexer(realce);
        editor.resize(800, 600);
    }

    // Pinta o editor: o caminho real, em que o Scintilla pede os estilos.
    void pinta()
    {
        editor.show();
        editor.grab();
        QApplication::processEvents();
    }

    // Estilo do caractere na linha/coluna em caracteres (não bytes).
    int estiloEm(int linha, int coluna)
    {
        const long pos = editor.positionFromLineIndex(linha, 0);
        const long byte = editor.SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, pos, coluna);
        return static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, byte));
    }

    int estadoDaLinha(int linha)
    {
        return static_cast<int>(editor.SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, linha));
    }

    QsciScintilla editor;
    TSynVendriloSyn* realce = nullptr;
};

TEST_F(Realce, EstilosNasPosicoesDoTexto)
{
    editor.setText(QStringLiteral("inicio {comentário\n"        // 0
                                  "  ainda} declare média real\n" // 1
                                  "mostre('olá', 3.14, 1..10)\n"  // 2
                                  "fim-se // fim"));              // 3
    pinta();
    struct {
        const char* nome;
        int linha, coluna, estilo;
    } const casos[] = {
        {"palavra inicio", 0, 0, TSynVendriloSyn::PalavraReservada},
        {"espaco", 0, 6, TSynVendriloSyn::Espaco},
        {"abre chave", 0, 7, TSynVendriloSyn::Comentario},
        {"acento dentro do comentario", 0, 16, TSynVendriloSyn::Comentario},
        {"comentario na linha seguinte", 1, 3, TSynVendriloSyn::Comentario},
        {"fecha chave", 1, 7, TSynVendriloSyn::Comentario},
        {"depois do fecho", 1, 9, TSynVendriloSyn::PalavraReservada},
        {"m de media", 1, 17, TSynVendriloSyn::Identificador},
        {"e acentuado", 1, 18, TSynVendriloSyn::Simbolo},
        {"dia de media", 1, 19, TSynVendriloSyn::Identificador},
        {"a de media", 1, 21, TSynVendriloSyn::Identificador},
        {"real depois do acento", 1, 23, TSynVendriloSyn::PalavraReservada},
        {"parentese", 2, 6, TSynVendriloSyn::Simbolo},
        {"cadeia", 2, 7, TSynVendriloSyn::Cadeia},
        {"a acentuado na cadeia", 2, 10, TSynVendriloSyn::Cadeia},
        {"fecho da cadeia", 2, 11, TSynVendriloSyn::Cadeia},
        {"numero real", 2, 16, TSynVendriloSyn::Numero},
        {"intervalo: primeiro ponto", 2, 22, TSynVendriloSyn::Simbolo},
        {"intervalo: dez", 2, 24, TSynVendriloSyn::Numero},
        {"fim-se", 3, 4, TSynVendriloSyn::PalavraReservada},
        {"barra dupla", 3, 10, TSynVendriloSyn::Comentario},
    };
    for (const auto& c : casos)
        EXPECT_EQ(estiloEm(c.linha, c.coluna), c.estilo) << c.nome;
    EXPECT_EQ(estadoDaLinha(0), static_cast<int>(vendrilo::EstadoLinha::ComentarioChaves));
    EXPECT_EQ(estadoDaLinha(1), static_cast<int>(vendrilo::EstadoLinha::Nenhum));
}

TEST_F(Realce, EdicaoAbreEFechaComentarioNasLinhasSeguintes)
{
    editor.setText(QStringLiteral("se x entao\nleia (x)\nfim-se\nfim"));
    pinta();
    ASSERT_EQ(estiloEm(2, 0), TSynVendriloSyn::PalavraReservada);

    editor.insertAt(QStringLiteral("{"), 0, 3); // "se {x entao": chave sem fecho
    pinta();
    EXPECT_EQ(estiloEm(0, 3), TSynVendriloSyn::Comentario);
    EXPECT_EQ(estiloEm(1, 0), TSynVendriloSyn::Comentario);
    EXPECT_EQ(estiloEm(3, 0), TSynVendriloSyn::Comentario);
    EXPECT_EQ(estadoDaLinha(3), static_cast<int>(vendrilo::EstadoLinha::ComentarioChaves));

    editor.insertAt(QStringLiteral("}"), 1, 8); // fecha no fim de "leia (x)"
    pinta();
    EXPECT_EQ(estiloEm(1, 8), TSynVendriloSyn::Comentario);
    EXPECT_EQ(estiloEm(2, 0), TSynVendriloSyn::PalavraReservada);
    EXPECT_EQ(estiloEm(3, 0), TSynVendriloSyn::PalavraReservada);
    EXPECT_EQ(estadoDaLinha(3), 0);

    // Apagar a chave de abertura devolve tudo ao normal.
    editor.setSelection(0, 3, 0, 4);
    editor.removeSelectedText();
    pinta();
    EXPECT_EQ(estiloEm(0, 3), TSynVendriloSyn::Identificador);
    EXPECT_EQ(estiloEm(1, 0), TSynVendriloSyn::PalavraReservada);
}

TEST_F(Realce, CaracteresDePalavraDoEditorIncluemHifenESimbolos)
{
    char buffer[300] = {};
    editor.SendScintilla(QsciScintillaBase::SCI_GETWORDCHARS, 0UL, static_cast<void*>(buffer));
    const std::string chars(buffer);
    for (char c : std::string("-!+;'Aa0_~"))
        EXPECT_NE(chars.find(c), std::string::npos) << c;
    EXPECT_EQ(chars.find(' '), std::string::npos);

    editor.setText(QStringLiteral("FIM-SE x:=y+1; z"));
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_WORDENDPOSITION, 0UL, 1L), 6);
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_WORDENDPOSITION, 7UL, 1L), 14);

    // Trocar IdentifierChars depois de ligado vale para o editor também.
    realce->setIdentifierChars(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_WORDENDPOSITION, 0UL, 1L), 3);
    EXPECT_EQ(realce->identifierChars().left(3), QStringLiteral("ABC"));
}

TEST_F(Realce, AtributosComAsCoresDaJanelaDoEditor)
{
    auto frente = [&](int estilo) {
        const long bgr = editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETFORE, estilo);
        return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    };
    // O QScintilla passa o peso da fonte do Qt em negativo (-700 = negrito).
    auto negrito = [&](int estilo) {
        return editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETWEIGHT, estilo) <= -600;
    };
    auto italico = [&](int estilo) {
        return editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETITALIC, estilo) != 0;
    };
    EXPECT_EQ(frente(TSynVendriloSyn::Comentario), QColor(0, 128, 0));
    EXPECT_TRUE(italico(TSynVendriloSyn::Comentario));
    EXPECT_EQ(frente(TSynVendriloSyn::Identificador), QColor(0, 0, 255));
    EXPECT_TRUE(negrito(TSynVendriloSyn::PalavraReservada));
    EXPECT_FALSE(negrito(TSynVendriloSyn::Identificador));
    EXPECT_FALSE(italico(TSynVendriloSyn::PalavraReservada));
    EXPECT_EQ(frente(TSynVendriloSyn::Numero), QColor(128, 0, 0));
    EXPECT_TRUE(negrito(TSynVendriloSyn::Numero));
    EXPECT_EQ(frente(TSynVendriloSyn::Cadeia), QColor(255, 0, 255));
    EXPECT_EQ(frente(TSynVendriloSyn::Simbolo), QColor(255, 0, 0));
    EXPECT_STREQ(realce->language(), "General");
}

TEST_F(Realce, TrocarPalavrasReservadasRepinta)
{
    editor.setText(QStringLiteral("soma se"));
    pinta();
    ASSERT_EQ(estiloEm(0, 0), TSynVendriloSyn::Identificador);
    realce->setKeyWords({QStringLiteral("soma")});
    pinta();
    EXPECT_EQ(estiloEm(0, 0), TSynVendriloSyn::PalavraReservada);
    EXPECT_EQ(estiloEm(0, 5), TSynVendriloSyn::Identificador);
    EXPECT_EQ(realce->keyWords(), QStringList{QStringLiteral("SOMA")});
}

TEST_F(Realce, PalavrasReservadasGravadasELidasNasConfiguracoes)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    QSettings cfg(pasta.filePath(QStringLiteral("realce.ini")), QSettings::IniFormat);
    realce->setKeyWords({QStringLiteral("b"), QStringLiteral("a")});
    ASSERT_TRUE(realce->writeSettings(cfg, "/realce"));
    TSynVendriloSyn outro;
    ASSERT_TRUE(outro.readSettings(cfg, "/realce"));
    EXPECT_EQ(outro.keyWords(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

TEST_F(Realce, TextoGrandeFicaTodoPintadoAoIrAoFim)
{
    QString texto;
    for (int i = 0; i < 3000; ++i)
        texto += (i == 10 ? QStringLiteral("{ abre\n") : QStringLiteral("leia (média) 'x'\n"));
    texto += QStringLiteral("} fim");
    editor.setText(texto);
    editor.setCursorPosition(3000, 0);
    editor.ensureLineVisible(3000);
    pinta();
    EXPECT_EQ(estiloEm(3000, 0), TSynVendriloSyn::Comentario);
    EXPECT_EQ(estiloEm(3000, 2), TSynVendriloSyn::PalavraReservada);
    EXPECT_EQ(estiloEm(9, 0), TSynVendriloSyn::PalavraReservada);
}

} // namespace

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv);
}
