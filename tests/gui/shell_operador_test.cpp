// The operator's profile window, driven as a user would.

#include "gui/shell_ambiente.h"

#include "shell/operador.h"
#include "shell/windows/mensagem.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace quellora;
using quellora::teste::AmbienteShell;

namespace {

class OperadorJanela : public AmbienteShell {
protected:
    void SetUp() override {
        AmbienteShell::SetUp();
        TOperador op;
        op[0] = QStringLiteral("Ana Souza");
        op[1] = QStringLiteral("Rua A, 1");
        op[2] = QStringLiteral("Santos/SP");
        op[3] = QStringLiteral("(13) 3000-0000");
        op[4] = QStringLiteral("ana@example.com");
        op[5] = QStringLiteral("Ana");
        op[6] = QStringLiteral("Rep. Litoral");
        QString erro;
        ASSERT_TRUE(GravaArquivoAtomico(arquivoDados("dadope.dat"), OperadorParaBytes(op), &erro));
        original = op;
        abre();
        ASSERT_TRUE(janela->iniciou());
        controle<QPushButton>("btOperador")->click();
        ASSERT_EQ(JanelaAtiva(), JanelaNumero(JAN_OPERADOR));
    }

    QLineEdit *ed(const char *nome) const { return JanelaAtiva()->findChild<QLineEdit *>(QString::fromLatin1(nome)); }
    QPushButton *bt(const char *nome) const {
        return JanelaNumero(JAN_OPERADOR)->findChild<QPushButton *>(QString::fromLatin1(nome));
    }
    QByteArray arquivo() const {
        QFile f(arquivoDados("dadope.dat"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TOperador original;
};

const char *const Campos[7] = {"edNome", "edEndereco", "edCidade", "edFone", "edEmail", "edContato", "edRepresentante"};

} // namespace

TEST_F(OperadorJanela, MostraOPerfilComOKDesabilitado) {
    EXPECT_EQ(controle<QLabel>("Panel2")->text(), QStringLiteral("Operador"));
    for (int i = 0; i < 7; ++i) {
        QLineEdit *e = ed(Campos[i]);
        ASSERT_NE(e, nullptr) << Campos[i];
        EXPECT_EQ(e->text(), original[i]) << Campos[i];
        EXPECT_EQ(e->maxLength(), i == 6 ? 20 : 40) << Campos[i];
    }
    const char *rotulos[7] = {"Nome", "Endereço", "Cidade/Estado", "Fone/Fax", "email", "Contato", "Representante"};
    const QList<QLabel *> labels = JanelaAtiva()->findChildren<QLabel *>();
    for (int i = 0; i < 7; ++i) {
        bool achou = false;
        for (QLabel *l : labels)
            if (l->buddy() == ed(Campos[i])) {
                EXPECT_EQ(l->text(), QString::fromUtf8(rotulos[i]));
                achou = true;
            }
        EXPECT_TRUE(achou) << Campos[i];
    }
    EXPECT_FALSE(bt("btOK")->isEnabled());
    EXPECT_EQ(bt("BitBtn2")->text(), QStringLiteral("Cancela"));
    EXPECT_EQ(JanelaAtiva()->focusWidget(), ed("edNome"));
}

TEST_F(OperadorJanela, CancelaNaoMudaNada) {
    digita(ed("edNome"), QStringLiteral("XYZ"));
    EXPECT_TRUE(bt("btOK")->isEnabled());
    const QByteArray antes = arquivo();
    bt("BitBtn2")->click();
    EXPECT_EQ(JanelaAtiva(), nullptr);
    EXPECT_EQ(G().Operador, original);
    EXPECT_EQ(arquivo(), antes);
    // Shown again: the stored profile, OK disabled.
    MostraJanela(JAN_OPERADOR);
    EXPECT_EQ(ed("edNome")->text(), original[0]);
    EXPECT_FALSE(bt("btOK")->isEnabled());
}

TEST_F(OperadorJanela, OKGravaCortaECopiaParaAProposta) {
    G().Orcamento.OperadorOrc[0] = QStringLiteral("velho");
    ed("edNome")->clear();
    digita(ed("edNome"), QString::fromUtf8("João Pereira"));
    ed("edRepresentante")->selectAll();
    digita(ed("edRepresentante"), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY")); // 25 typed
    ed("edEmail")->setText(QString(45, QLatin1Char('e'))); // pasted: the box keeps 40
    bt("btOK")->click();
    EXPECT_TRUE(respostas.vistas.isEmpty()) << respostas.vistas.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(JanelaAtiva(), nullptr); // back where it came from

    EXPECT_EQ(G().Operador[0], QString::fromUtf8("João Pereira"));
    EXPECT_EQ(G().Operador[6], QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    EXPECT_EQ(G().Operador[4], QString(40, QLatin1Char('e')));

    const QByteArray b = arquivo();
    ASSERT_EQ(b.size(), 287);
    EXPECT_EQ(b, OperadorParaBytes(G().Operador));
    EXPECT_EQ(quint8(b[246]), 20);
    EXPECT_EQ(b.mid(0, 13), QByteArray("\x0cJo\xe3o Pereira"));

    // The open quotation takes the first six fields, not the representative.
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(G().Orcamento.OperadorOrc[i], G().Operador[i]) << i;
}

TEST_F(OperadorJanela, VoltaParaAJanelaAnterior) {
    MostraJanela(JAN_CURVA);
    MostraJanela(JAN_OPERADOR);
    digita(ed("edContato"), QStringLiteral("!"));
    bt("btOK")->click();
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_CURVA));
}

TEST_F(OperadorJanela, FalhaAoGravarEInformada) {
    // Something that cannot be replaced stands where the file goes.
    ASSERT_TRUE(QFile::remove(arquivoDados("dadope.dat")));
    ASSERT_TRUE(QDir(dados).mkdir(QStringLiteral("dadope.dat")));
    ed("edNome")->end(false);
    digita(ed("edNome"), QStringLiteral("Z"));
    bt("btOK")->click();
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_EQ(respostas.estilos[0], MB_ERRO);
    EXPECT_TRUE(respostas.vistas[0].contains(QStringLiteral("dadope.dat"))) << respostas.vistas[0].toStdString();
    // The window stays, with what was typed; the profile in use has it.
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_OPERADOR));
    EXPECT_EQ(G().Operador[0], original[0] + QStringLiteral("Z"));
}

TEST_F(OperadorJanela, EscCancela) {
    digita(ed("edNome"), QStringLiteral("Q"));
    tecla(ed("edNome"), Qt::Key_Escape);
    EXPECT_EQ(JanelaAtiva(), nullptr);
    EXPECT_EQ(G().Operador, original);
}
