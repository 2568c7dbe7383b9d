// The RTF reader: files as WordPad, Word and LibreOffice Writer write them,
// and the details of the format one by one.

#include "app_gui.h"
#include "shell/rtf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

using namespace quellora;

namespace {

QByteArray LeFixture(const char *nome) {
    QFile f(QStringLiteral(QUELLORA_SOURCE_DIR "/tests/shell/rtf/") + QString::fromLatin1(nome));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << nome;
    return f.readAll();
}

// The text with paragraphs as \n, line breaks as \v (to tell them apart) and
// non-breaking spaces kept.
QString Texto(const QTextDocument &doc) {
    QString t;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            t += QLatin1Char('\n');
        t += b.text();
    }
    t.replace(QChar(QChar::LineSeparator), QLatin1Char('\v'));
    return t;
}

// The character format at the first occurrence of 'trecho'.
QTextCharFormat FormatoDe(QTextDocument &doc, const QString &trecho) {
    QTextCursor c = doc.find(trecho);
    EXPECT_FALSE(c.isNull()) << trecho.toStdString();
    // The format of the character after the selection's start.
    QTextCursor d(&doc);
    d.setPosition(c.selectionStart() + 1);
    return d.charFormat();
}

QTextBlockFormat BlocoDe(QTextDocument &doc, const QString &trecho) {
    QTextCursor c = doc.find(trecho);
    EXPECT_FALSE(c.isNull()) << trecho.toStdString();
    return c.block().blockFormat();
}

class Rtf : public ::testing::Test {
protected:
    void SetUp() override { teste::GaranteAppGui(); }
    QTextDocument doc;
    QString le(const QByteArray &rtf) {
        LeRtf(rtf, doc);
        return Texto(doc);
    }
};

} // namespace

TEST_F(Rtf, WordPad) {
    LeRtf(LeFixture("wordpad.rtf"), doc);
    EXPECT_EQ(Texto(doc), QString::fromUtf8("Ventilador centrífugo\n"
                                            "Texto itálico e sublinhado, preço em € e seta →.\n"
                                            "·\tVazão até 200.000 m³/h\n"
                                            "·\tPressão até 500 mmCA\n"
                                            "Primeira linha\vsegunda linha"));
    const QTextCharFormat titulo = FormatoDe(doc, QStringLiteral("Ventilador"));
    EXPECT_EQ(titulo.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(titulo.fontPointSize(), 16.0);
    EXPECT_EQ(titulo.foreground().color(), QColor(0, 77, 187));
    EXPECT_EQ(titulo.fontFamilies().toStringList(), QStringList{QStringLiteral("Calibri")});
    EXPECT_EQ(BlocoDe(doc, QStringLiteral("Ventilador")).alignment(), Qt::AlignHCenter);

    const QTextCharFormat corpo = FormatoDe(doc, QStringLiteral("Texto"));
    EXPECT_EQ(corpo.fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(corpo.fontPointSize(), 11.0);
    EXPECT_FALSE(corpo.foreground().color() == QColor(0, 77, 187));
    EXPECT_TRUE(FormatoDe(doc, QString::fromUtf8("itálico")).fontItalic());
    EXPECT_FALSE(FormatoDe(doc, QStringLiteral(" e sub")).fontItalic());
    EXPECT_TRUE(FormatoDe(doc, QStringLiteral("sublinhado")).fontUnderline());
    EXPECT_FALSE(FormatoDe(doc, QString::fromUtf8("preço")).fontUnderline());
    EXPECT_EQ(BlocoDe(doc, QString::fromUtf8("Vazão")).leftMargin(), 48.0); // 720 twips
}

TEST_F(Rtf, Word) {
    LeRtf(LeFixture("word.rtf"), doc);
    EXPECT_EQ(Texto(doc), QString::fromUtf8("Linha GTD – alto rendimento\n"
                                            "Rotores de pás airfoil: rendimento até 85\u00a0%. Veja o catálogo.\n"
                                            "Tamanho\t160 a 2000 mm\n"));
    EXPECT_EQ(FormatoDe(doc, QStringLiteral("Linha GTD")).fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(FormatoDe(doc, QStringLiteral("Linha GTD")).fontPointSize(), 16.0);
    EXPECT_TRUE(FormatoDe(doc, QStringLiteral("airfoil")).fontItalic());
    EXPECT_FALSE(FormatoDe(doc, QStringLiteral(": rendimento")).fontItalic());
    const QTextCharFormat link = FormatoDe(doc, QString::fromUtf8("o catálogo"));
    EXPECT_TRUE(link.fontUnderline());
    EXPECT_EQ(link.foreground().color(), QColor(0, 0, 255));
    // Nothing of the document's information, styles, theme or field code shows.
    for (const char *fora : {"Engenharia", "heading", "HYPERLINK", "504b03", "Normal", "Calibri Light", "Cambria"})
        EXPECT_FALSE(doc.toPlainText().contains(QString::fromLatin1(fora))) << fora;
}

TEST_F(Rtf, LibreOfficeWriter) {
    LeRtf(LeFixture("libreoffice.rtf"), doc);
    EXPECT_EQ(Texto(doc), QString::fromUtf8("Ventiladores axiais\n"
                                            "Grande vazão com pressão baixa. Hélice de ângulo ajustável; montagem em duto.\n"
                                            "Tamanhos de 315 a 2000 mm — sob consulta"));
    const QTextCharFormat titulo = FormatoDe(doc, QStringLiteral("Ventiladores"));
    EXPECT_DOUBLE_EQ(titulo.fontPointSize(), 14.0);
    EXPECT_EQ(titulo.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Sans")});
    EXPECT_EQ(FormatoDe(doc, QString::fromUtf8("Hélice")).fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatoDe(doc, QStringLiteral(" de ")).fontWeight(), QFont::Normal);
    EXPECT_TRUE(FormatoDe(doc, QString::fromUtf8("ângulo")).fontItalic());
    EXPECT_TRUE(FormatoDe(doc, QStringLiteral("montagem")).fontUnderline());
    EXPECT_EQ(FormatoDe(doc, QStringLiteral("Grande")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Liberation Serif")});
    const QTextCharFormat nota = FormatoDe(doc, QStringLiteral("Tamanhos"));
    EXPECT_DOUBLE_EQ(nota.fontPointSize(), 10.0);
    EXPECT_EQ(nota.foreground().color(), QColor(128, 128, 128));
    EXPECT_EQ(BlocoDe(doc, QStringLiteral("Tamanhos")).alignment(), Qt::AlignHCenter);
}

TEST_F(Rtf, EscapesDeCaracteres) {
    // \'hh is Windows-1252, including the bytes 80..9F.
    EXPECT_EQ(le("{\\rtf1\\ansi a\\'e7\\'e3o \\'80 \\'93x\\'94 \\'96 \\'C9}"),
              QString::fromUtf8("ação € “x” – É"));
    // \uN with the \ucN fallback skipped, a \'hh counting as one character.
    EXPECT_EQ(le("{\\rtf1\\uc1 \\u8364?|\\u8364\\'80|}"), QString::fromUtf8("€|€|"));
    EXPECT_EQ(le("{\\rtf1\\uc2 \\u937 XY|\\uc0 \\u937 Z}"), QString::fromUtf8("Ω|ΩZ"));
    // Negative values are the upper half of the 16-bit range; pairs make one character.
    EXPECT_EQ(le("{\\rtf1\\u-3913 ?\\u-10179 ?\\u-8704 ?}"), QString::fromUtf8("\uf0b7😀"));
    // \uc is scoped by groups.
    EXPECT_EQ(le("{\\rtf1\\uc1{\\uc2 \\u233 ab}\\u233 ab}"), QString::fromUtf8("ééb"));
    // Escaped braces and backslash, specials, non-breaking space and hyphens.
    EXPECT_EQ(le("{\\rtf1 \\{x\\}\\\\ \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote a\\~b c\\-d e\\_f}"),
              QString::fromUtf8("{x}\\ —–•‘’“”a\u00a0b cd e\u2011f"));
}

TEST_F(Rtf, ParagrafosELinhas) {
    EXPECT_EQ(le("{\\rtf1 um\\par dois\\line tres\\par}"), QStringLiteral("um\ndois\vtres"));
    // A backslash before a line end is a paragraph too; bare line ends are nothing.
    EXPECT_EQ(le("{\\rtf1 um\\\r\ndois\r\ntres}"), QStringLiteral("um\ndoistres"));
    // Empty paragraphs inside the text are kept.
    EXPECT_EQ(le("{\\rtf1 a\\par\\par b\\par}"), QStringLiteral("a\n\nb"));
    EXPECT_EQ(le("{\\rtf1 a\\tab b}"), QStringLiteral("a\tb"));
    // The control word's delimiting space is not text; a second one is.
    EXPECT_EQ(le("{\\rtf1 \\b  x}"), QStringLiteral(" x"));
}

TEST_F(Rtf, GruposRestauramOFormato) {
    le("{\\rtf1\\fs20 a{\\b\\i\\ul\\fs40 b{\\b0 c}d}e\\b f\\b0 g\\ul h\\ul0 i\\ul j\\ulnone k\\b l\\plain m}");
    auto f = [&](const char *t) { return FormatoDe(doc, QString::fromLatin1(t)); };
    EXPECT_EQ(f("a").fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(f("a").fontPointSize(), 10.0);
    EXPECT_EQ(f("b").fontWeight(), QFont::Bold);
    EXPECT_TRUE(f("b").fontItalic());
    EXPECT_TRUE(f("b").fontUnderline());
    EXPECT_DOUBLE_EQ(f("b").fontPointSize(), 20.0);
    EXPECT_EQ(f("c").fontWeight(), QFont::Normal);
    EXPECT_TRUE(f("c").fontItalic());
    EXPECT_EQ(f("d").fontWeight(), QFont::Bold);
    EXPECT_EQ(f("e").fontWeight(), QFont::Normal);
    EXPECT_FALSE(f("e").fontItalic());
    EXPECT_DOUBLE_EQ(f("e").fontPointSize(), 10.0);
    EXPECT_EQ(f("f").fontWeight(), QFont::Bold);
    EXPECT_EQ(f("g").fontWeight(), QFont::Normal);
    EXPECT_TRUE(f("h").fontUnderline());
    EXPECT_FALSE(f("i").fontUnderline());
    EXPECT_TRUE(f("j").fontUnderline());
    EXPECT_FALSE(f("k").fontUnderline());
    EXPECT_EQ(f("l").fontWeight(), QFont::Bold);
    EXPECT_EQ(f("m").fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(f("m").fontPointSize(), 12.0); // \plain: the default 12 points
}

TEST_F(Rtf, DestinosEPalavrasDesconhecidasSaoIgnorados) {
    EXPECT_EQ(le("{\\rtf1{\\*\\qualquercoisa texto {aninhado}}a{\\info{\\title T}}b{\\pict\\wmetafile8 0102ff}c"
                  "\\palavradesconhecida123 d\\xyz-5 e{\\*\\bkmkstart m}f{\\header cabe\\par}g{\\v oculto}h}"),
              QStringLiteral("abcdefgh"));
    // Binary data is skipped whole, braces and all.
    EXPECT_EQ(le("{\\rtf1 a{\\*\\blipuid x}\\bin4 }{\\}b}"), QStringLiteral("ab"));
}

TEST_F(Rtf, EntradaMalFormadaNaoDerruba) {
    // Unbalanced braces, a cut escape, a huge parameter, a dangling backslash.
    EXPECT_EQ(le("{\\rtf1 a}}}b{{{c"), QStringLiteral("abc"));
    EXPECT_EQ(le("{\\rtf1 a\\'e"), QStringLiteral("a"));
    EXPECT_EQ(le("{\\rtf1 a\\fs99999999999999999999 b\\bin99999999999 c"), QStringLiteral("ab"));
    EXPECT_EQ(le("{\\rtf1 a\\"), QStringLiteral("a"));
    // Deep nesting: no recursion to overflow.
    QByteArray fundo = "{\\rtf1 ";
    fundo += QByteArray(200000, '{') + "x" + QByteArray(200000, '}') + "}";
    EXPECT_EQ(le(fundo), QStringLiteral("x"));
}

TEST_F(Rtf, TextoSimplesNaoRtf) {
    EXPECT_EQ(le("Texto sem formata\xe7\xe3o\r\nsegunda linha"),
              QString::fromUtf8("Texto sem formatação\nsegunda linha"));
}

TEST_F(Rtf, CarregaArquivo) {
    QTemporaryDir dir;
    const QString arq = dir.filePath(QStringLiteral("X.rtf"));
    QString erro;
    EXPECT_FALSE(CarregaRtf(arq, doc, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("X.rtf"))) << erro.toStdString();
    QFile f(arq);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 ok}");
    f.close();
    ASSERT_TRUE(CarregaRtf(arq, doc, &erro));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("ok"));
}

TEST(NomeTextoModelo, SoAPrimeiraBarra) {
    EXPECT_EQ(NomeTextoModelo(QStringLiteral("AB/C")), QStringLiteral("AB_C.rtf"));
    EXPECT_EQ(NomeTextoModelo(QStringLiteral("A/B/C")), QStringLiteral("A_B/C.rtf"));
    EXPECT_EQ(NomeTextoModelo(QStringLiteral("GTD")), QStringLiteral("GTD.rtf"));
    EXPECT_EQ(NomeTextoModelo(QStringLiteral("BSD/BDD")), QStringLiteral("BSD_BDD.rtf"));
}

TEST_F(Rtf, TextosDosModelosEnviados) {
    // Every shipped description reads as a titled text with accents intact.
    const QDir textos(QStringLiteral(QUELLORA_SOURCE_DIR "/data/textos"));
    const QStringList arquivos = textos.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    EXPECT_EQ(arquivos.size(), 6);
    for (const QString &a : arquivos) {
        QString erro;
        ASSERT_TRUE(CarregaRtf(textos.filePath(a), doc, &erro)) << erro.toStdString();
        const QString t = doc.toPlainText();
        EXPECT_GT(t.size(), 400) << a.toStdString();
        EXPECT_TRUE(t.contains(QString::fromUtf8("Características"))) << a.toStdString();
        EXPECT_TRUE(t.contains(QString::fromUtf8("Aplicações"))) << a.toStdString();
        EXPECT_FALSE(t.contains(QLatin1Char('\\'))) << a.toStdString();
        EXPECT_FALSE(t.contains(QLatin1Char('{'))) << a.toStdString();
        EXPECT_EQ(FormatoDe(doc, doc.begin().text().left(3)).fontWeight(), QFont::Bold) << a.toStdString();
    }
}
