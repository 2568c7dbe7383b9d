// The fan families' description texts, opened from the main window's list.

#include "gui/shell_ambiente.h"

#include "catalogue/tipos.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/uqltextomodelo.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

using namespace quellora;
using quellora::teste::AmbienteShell;

namespace {

class TextoModelo : public AmbienteShell {
protected:
    TfrmTextoModelo *texto() const { return qobject_cast<TfrmTextoModelo *>(JanelaClasse("TfrmTextoModelo")); }
    QPushButton *familia(const QString &nome) const {
        for (QPushButton *b : janela->botoesFamilia())
            if (b->text() == nome)
                return b;
        return nullptr;
    }
    void gravaFamilias(const std::vector<QString> &nomes) {
        QByteArray b;
        for (const QString &n : nomes) {
            TDenominacao d;
            d.Familia = n;
            b += ParaBytes(d);
        }
        QString erro;
        ASSERT_TRUE(GravaArquivoAtomico(arquivoDados("denmod.dat"), b, &erro));
    }
    void gravaTexto(const QString &relativo, const QByteArray &rtf) {
        const QString arq = QDir(dados).filePath(relativo);
        QDir().mkpath(QFileInfo(arq).absolutePath());
        QFile f(arq);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(rtf);
    }
};

} // namespace

TEST_F(TextoModelo, MostraOTextoDaFamilia) {
    abre();
    QPushButton *b = familia(QStringLiteral("BSD/BDD"));
    ASSERT_NE(b, nullptr);
    b->click();
    EXPECT_TRUE(respostas.vistas.isEmpty()) << respostas.vistas.join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(texto()->isVisible());
    EXPECT_EQ(texto()->geometry(), janela->painel()->rect());
    EXPECT_TRUE(texto()->arquivo().endsWith(QStringLiteral("/dados/BSD_BDD.rtf")));
    auto *re = texto()->findChild<QTextEdit *>(QStringLiteral("reTexto"));
    ASSERT_NE(re, nullptr);
    EXPECT_TRUE(re->isReadOnly());
    EXPECT_TRUE(re->toPlainText().startsWith(QStringLiteral("BSD / BDD")));
    EXPECT_TRUE(re->toPlainText().contains(QString::fromUtf8("simples aspiração")));
    EXPECT_EQ(controle<QLabel>("Panel2")->text(), QStringLiteral("Modelo"));
    EXPECT_EQ(JanelaAtiva(), nullptr); // not a child window of the navigation

    // Another family replaces the text; Retorna hides it.
    familia(QStringLiteral("PLR"))->click();
    EXPECT_TRUE(re->toPlainText().startsWith(QStringLiteral("PLR")));
    texto()->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
    EXPECT_FALSE(texto()->isVisible());
    EXPECT_EQ(controle<QLabel>("Panel2")->text(), QStringLiteral("Quellora - Seleção de ventiladores"));
}

TEST_F(TextoModelo, EscEEnterRetornam) {
    abre();
    familia(QStringLiteral("GTD"))->click();
    ASSERT_TRUE(texto()->isVisible());
    tecla(texto()->findChild<QTextEdit *>(QStringLiteral("reTexto")), Qt::Key_Escape);
    EXPECT_FALSE(texto()->isVisible());
    familia(QStringLiteral("GTD"))->click();
    tecla(texto()->findChild<QTextEdit *>(QStringLiteral("reTexto")), Qt::Key_Return);
    EXPECT_FALSE(texto()->isVisible());
}

TEST_F(TextoModelo, ArquivoAusente) {
    ASSERT_TRUE(QFile::remove(arquivoDados("GTD.rtf")));
    abre();
    familia(QStringLiteral("GTD"))->click();
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_EQ(respostas.vistas[0], QStringLiteral("Sem informações sobre o modelo [GTD] "));
    EXPECT_FALSE(texto()->isVisible());
    EXPECT_EQ(controle<QLabel>("Panel2")->text(), QStringLiteral("Quellora - Seleção de ventiladores"));
}

TEST_F(TextoModelo, SoAPrimeiraBarraViraSublinhado) {
    gravaFamilias({QStringLiteral("A/B/C"), QStringLiteral("X/Y"), QString(), QString(), QString(), QString(),
                   QString()});
    gravaTexto(QStringLiteral("A_B/C.rtf"), "{\\rtf1 Texto de A/B/C\\par}");
    gravaTexto(QStringLiteral("A_B_C.rtf"), "{\\rtf1 errado}");
    abre();
    familia(QStringLiteral("A/B/C"))->click();
    ASSERT_TRUE(texto()->isVisible()) << respostas.vistas.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(texto()->texto()->toPlainText(), QStringLiteral("Texto de A/B/C"));
    texto()->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();

    // The message shows the caption as on the button.
    familia(QStringLiteral("X/Y"))->click();
    EXPECT_EQ(respostas.vistas, QStringList{QStringLiteral("Sem informações sobre o modelo [X/Y] ")});
    EXPECT_FALSE(texto()->isVisible());
}

TEST_F(TextoModelo, NavegacaoNaoEscondeOTexto) {
    abre();
    familia(QStringLiteral("AXI"))->click();
    MostraJanela(JAN_ABRIR);
    EXPECT_TRUE(texto()->isVisible());
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_ABRIR));
    VoltaJanela();
    EXPECT_TRUE(texto()->isVisible());
    // It keeps covering the panel when the window grows.
    janela->resize(janela->width() + 100, janela->height() + 60);
    QApplication::processEvents();
    EXPECT_EQ(texto()->geometry(), janela->painel()->rect());
}
