#pragma once
// Realce de sintaxe do pseudocódigo no editor (QScintilla).
//
// Como ligar a um editor:
//     auto* realce = new vendrilo::TSynVendriloSyn(editor);
//     realce->defineFonteBase(fonteDoEditor); // a fonte do lexer manda nos estilos
//     editor->setLexer(realce);               // aplica estilos e IdentifierChars
// O setLexer leva IdentifierChars ao editor (SCI_SETWORDCHARS: clique duplo e
// Ctrl+setas); mudá-los depois por setIdentifierChars também os reaplica.
// O texto do editor é UTF-8: letras acentuadas ocupam vários bytes e são
// desenhadas com o atributo de símbolo, um caractere por ficha.

#include "workspace/realce/varredor_realce.h"

#include <Qsci/qscilexercustom.h>
#include <QFont>
#include <QStringList>

#include <string>
#include <vector>

namespace vendrilo {

class TSynVendriloSyn : public QsciLexerCustom {
    Q_OBJECT
public:
    // Estilos do editor, um por atributo (CommentAttri, IdentifierAttri...).
    // Espaço e fim de linha ficam no estilo 0; símbolo e desconhecido dividem
    // o estilo de símbolo.
    enum Estilo {
        Espaco = 0,
        Comentario = 1,
        Identificador = 2,
        PalavraReservada = 3,
        Numero = 4,
        PreProcessador = 5,
        Cadeia = 6,
        Simbolo = 7,
    };

    // Já configurado como na janela do editor: comentários (* *), { } e /* */,
    // apóstrofo, as 280 palavras, IdentifierChars de 33 a 255, cores da janela.
    explicit TSynVendriloSyn(QObject* parent = nullptr);

    const char* language() const override; // "General"
    QString description(int estilo) const override;
    void styleText(int start, int end) override;
    const char* wordCharacters() const override;
    void setEditor(QsciScintilla* editor) override; // leva IdentifierChars ao editor

    QColor defaultColor(int estilo) const override;
    QFont defaultFont(int estilo) const override;
    QColor defaultPaper(int estilo) const override;

    // Fonte de base dos estilos (a do editor); negrito e itálico por estilo.
    void defineFonteBase(const QFont& fonte);
    QFont fonteBase() const { return fonteBase_; }

    // KeyWords: passa a maiúsculas e guarda ordenado; repinta o texto.
    void setKeyWords(const QStringList& palavras);
    QStringList keyWords() const;

    // IdentifierChars: caracteres de palavra do editor (Latin-1, 1 a 255).
    void setIdentifierChars(const QString& caracteres);
    QString identifierChars() const;

    // Estilos de comentário (EstiloComentario::...), DetectPreprocessor e StringDelim.
    void setComments(unsigned estilos);
    unsigned comments() const { return varredor_.configuracao().comentarios; }
    void setDetectPreprocessor(bool detecta);
    bool detectPreprocessor() const { return varredor_.configuracao().detectaPreProcessador; }
    void setStringDelim(char delimitador); // '\'' ou '"'
    char stringDelim() const { return varredor_.configuracao().delimitadorCadeia; }

    // Estilo usado para um tipo de ficha.
    static int estiloDaFicha(TipoFicha tipo);

protected:
    bool readProperties(QSettings& qs, const QString& prefixo) override;
    bool writeProperties(QSettings& qs, const QString& prefixo) const override;

private:
    void repinta();

    VarredorRealce varredor_;
    CaracteresIdentificador caracteres_;
    std::string caracteresTexto_; // o que wordCharacters() devolve
    QFont fonteBase_;
    std::vector<Ficha> fichas_;   // reaproveitado entre linhas
    std::string texto_, estilos_; // idem
};

} // namespace vendrilo
