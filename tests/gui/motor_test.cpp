// The motor window opened by number on a selected item, as the configuration
// window opens it: the suggestion, "Todos" with row 5 confirmed, Dahlander on
// a 6-pole suggestion, the groups of protection and frequency, the APE
// minimum, "Sem motor", the way back, a direct-coupled item at 50 Hz, and the
// hand edit of the motor.

#include "shell_ambiente.h"

#include "catalogue/catalogo.h"
#include "selection/motor.h"
#include "selection/windows/uqlaltmotor.h"
#include "selection/windows/uqlmotor.h"
#include "shell/numeros.h"
#include "ui/grade.h"
#include "ui/gruporadio.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace quellora;

namespace {

class Motor : public teste::AmbienteShell {
protected:
    void SetUp() override {
        AmbienteShell::SetUp();
        abre();
        janela->resize(900, 640);
        auto &g = G();
        TItemOrc &it = g.Itens[1];
        it.RefTag = QStringLiteral("EX-01");
        it.Qtd = 1;
        it.Vazao = 10000;
        it.Pressao = 50;
        it.Selecionado = true;
        it.Linha = QStringLiteral("BSD");
        it.RegModelo = 0;
        it.Tamanho = 710;
        it.Arranjo = 1;
        it.Rotacao = 835;
        it.PolosSug = 3; // 6 poles
        it.MotorIni = 9;
        it.MotorSugerido = 2.2;
        it.PwOp = 1.83;
        it.PwSt = 1.8;
        g.NumItens = 1;
        g.ItemAtual = 1;
        MostraJanela(JAN_MOTOR);
        w = qobject_cast<TfrmMotor *>(JanelaNumero(JAN_MOTOR));
        ASSERT_TRUE(w && w->isVisible());
        respostas.vistas.clear();
    }

    QComboBox *lista(const char *nome) const { return w->findChild<QComboBox *>(QString::fromLatin1(nome)); }
    QPushButton *botao(const char *nome) const { return w->findChild<QPushButton *>(QString::fromLatin1(nome)); }
    GrupoRadio *polos() const { return w->findChild<GrupoRadio *>(QStringLiteral("rgPolos")); }

    // A choice of a drop-down list, as the user's click makes it.
    static void escolhe(QComboBox *cb, int i) {
        cb->setCurrentIndex(i);
        emit cb->activated(i);
    }

    static QStringList itens(QComboBox *cb) {
        QStringList l;
        for (int i = 0; i < cb->count(); ++i)
            l << cb->itemText(i);
        return l;
    }

    TfrmMotor *w = nullptr;
};

} // namespace

TEST_F(Motor, SugestaoTodosDahlanderGruposESemMotor) {
    auto &g = G();
    GradeTexto *sg = w->sgMot();
    // The suggestion: the first motor of group 1 from 2.2 kW, 6 poles.
    EXPECT_EQ(TituloAtual(), QStringLiteral("Motor"));
    EXPECT_EQ(w->findChild<QLabel *>(QStringLiteral("lbModelo"))->text(), QStringLiteral("Modelo: BSD 710-1"));
    EXPECT_EQ(w->findChild<QLabel *>(QStringLiteral("txRotacao"))->text(), QStringLiteral("835 rpm"));
    EXPECT_EQ(sg->RowCount(), 2);
    EXPECT_EQ(sg->Cells(0, 1), QStringLiteral("2.2"));
    EXPECT_EQ(sg->Cells(1, 1), QStringLiteral("1160"));
    EXPECT_EQ(GradeTexto::Formata(sg->Cells(3, 1), QStringLiteral(",0.00")), QStringLiteral("1,20"));
    EXPECT_EQ(polos()->ItemIndex(), 2);
    EXPECT_TRUE(polos()->isEnabled());
    EXPECT_NE(sg->CorTitulos(), QColor(Qt::red));
    EXPECT_TRUE(respostas.vistas.isEmpty());
    captura(janela, QStringLiteral("motor_sugestao"));

    // "Todos": the whole group, the suggestion light yellow; row 5 confirmed.
    escolhe(lista("cbSugestao"), 1);
    EXPECT_EQ(sg->RowCount(), g.NumMotores + 1);
    EXPECT_EQ(sg->LinhaDestaque(), 9);
    EXPECT_EQ(sg->Row(), 9);
    captura(janela, QStringLiteral("motor_todos"));
    sg->setCelulaAtual(0, 5);
    QTest::mouseClick(botao("btOK"), Qt::LeftButton);
    EXPECT_TRUE(JanelaNumero(JAN_CONFIGURA)->isVisible());
    const TItemOrc &it = g.Itens[1];
    EXPECT_TRUE(it.ComMotor);
    EXPECT_FALSE(it.SemMotor);
    EXPECT_EQ(it.RegMotor, 5);
    EXPECT_EQ(it.PotMotor, 0.55);
    EXPECT_EQ(it.RotMotor, 1140);
    EXPECT_EQ(it.Carcaca, QStringLiteral("90S"));
    EXPECT_EQ(it.Polos, 6);
    EXPECT_EQ(it.Protecao, QStringLiteral("IP55"));
    EXPECT_EQ(it.Tensao, QStringLiteral("3F 220/380"));
    EXPECT_EQ(it.Frequencia, QStringLiteral("60 Hz"));
    EXPECT_EQ(it.Marca, QStringLiteral("A DEFINIR"));
    EXPECT_FALSE(it.SoSugestao);
    EXPECT_FALSE(it.MotorEspecial);
    EXPECT_EQ(it.GrupoMotor, 0);
    EXPECT_EQ(it.RegPrecoMotor, 255);
    EXPECT_EQ(it.PwOp, 1.83);

    // Dahlander on a 6-pole suggestion: a beep, the message, no pole choice.
    MostraJanela(JAN_MOTOR);
    escolhe(lista("lbProtecao"), PROT_DAHLANDER);
    EXPECT_EQ(respostas.vistas, QStringList{MsgDahlander});
    EXPECT_EQ(polos()->Items(), (QStringList{QStringLiteral("2/4"), QStringLiteral("4/8")}));
    EXPECT_EQ(polos()->ItemIndex(), -1);
    EXPECT_FALSE(botao("btOK")->isEnabled());
    EXPECT_TRUE(sg->Cells(0, 1).isEmpty());
    QTest::mouseClick(polos()->botao(0), Qt::LeftButton, {}, QPoint(6, 8)); // on its circle
    EXPECT_TRUE(botao("btOK")->isEnabled());
    EXPECT_EQ(sg->Cells(0, 1), QStringLiteral("2.2"));
    EXPECT_EQ(sg->Cells(1, 1), QStringLiteral("3470")); // group 6, the 2/4 motor
    EXPECT_EQ(w->GrupoMotor, 5);

    // 50 Hz offers one voltage (group 3); APE goes back to 60 Hz (group 4);
    // APE at 50 Hz is outside the line: the message and red titles.
    escolhe(lista("lbProtecao"), PROT_IP55);
    escolhe(lista("lbFrequencia"), FREQ_50);
    EXPECT_EQ(itens(lista("lbTensao")), QStringList{QStringLiteral("3F 220/380")});
    EXPECT_EQ(w->GrupoMotor, 2);
    EXPECT_EQ(g.Motores[11].Potencia, 4.0);
    escolhe(lista("lbProtecao"), PROT_APE);
    EXPECT_EQ(lista("lbFrequencia")->currentIndex(), FREQ_60);
    EXPECT_EQ(lista("lbTensao")->count(), 3);
    EXPECT_EQ(w->GrupoMotor, 3);
    escolhe(lista("lbFrequencia"), FREQ_50);
    EXPECT_EQ(respostas.vistas.last(), MsgForaDaLinha);
    EXPECT_EQ(w->GrupoMotor, -1);
    EXPECT_TRUE(w->Especial);
    EXPECT_EQ(sg->CorTitulos(), QColor(Qt::red));
    EXPECT_EQ(g.Motores[11].Potencia, 3.7); // group 1 shown
    captura(janela, QStringLiteral("motor_fora_da_linha"));

    // APE with a motor below 0.37 kW under the cursor: refused, IP55 stays.
    escolhe(lista("lbProtecao"), PROT_IP55);
    EXPECT_NE(sg->CorTitulos(), QColor(Qt::red));
    escolhe(lista("cbSugestao"), 1);
    sg->setCelulaAtual(0, 1);
    const int antes = static_cast<int>(respostas.vistas.size());
    escolhe(lista("lbProtecao"), PROT_APE);
    ASSERT_EQ(respostas.vistas.size(), antes + 1);
    EXPECT_EQ(respostas.vistas.last(), MsgMinimoAPE);
    EXPECT_EQ(respostas.estilos.back(), MB_ERRO);
    EXPECT_EQ(lista("lbProtecao")->currentIndex(), PROT_IP55);
    EXPECT_EQ(w->GrupoMotor, 0);

    // "Sem motor" touches three fields only.
    g.Itens[1].PrecoListaMotor = 1234;
    TItemOrc esperado = g.Itens[1];
    esperado.PrecoListaMotor = 0;
    esperado.ComMotor = true;
    esperado.SemMotor = true;
    QTest::mouseClick(botao("btSemMotor"), Qt::LeftButton);
    EXPECT_TRUE(g.Itens[1] == esperado);
    EXPECT_TRUE(JanelaNumero(JAN_CONFIGURA)->isVisible());

    // "Configuração" changes nothing.
    MostraJanela(JAN_MOTOR);
    QTest::mouseClick(botao("btCancela"), Qt::LeftButton);
    EXPECT_TRUE(g.Itens[1] == esperado);
    EXPECT_TRUE(JanelaNumero(JAN_CONFIGURA)->isVisible());
}

TEST_F(Motor, AcoplamentoDiretoA50HzEEdicaoManual) {
    auto &g = G();
    TItemOrc &it = g.Itens[1];
    it.Direto = true;
    it.Arranjo = 3;
    it.FreqDireto = 1;
    it.Polos = 1; // 4 poles, as the direct coupling chose
    it.PolosSug = 2;
    it.VazaoDireto = 9000;
    it.PressaoDireto = 40.5;
    MostraJanela(JAN_MOTOR);
    EXPECT_EQ(w->findChild<QLabel *>(QStringLiteral("txVazao"))->text(),
              FormataFloat(QStringLiteral("0"), 9000) + QStringLiteral(" m³/h"));
    EXPECT_EQ(w->findChild<QLabel *>(QStringLiteral("txPressao"))->text(),
              FormataFloat(QStringLiteral("0.0"), 40.5) + QStringLiteral(" mmCA"));
    EXPECT_EQ(lista("lbFrequencia")->currentIndex(), FREQ_50);
    EXPECT_FALSE(lista("lbFrequencia")->isEnabled());
    EXPECT_FALSE(lista("lbProtecao")->isEnabled());
    EXPECT_FALSE(polos()->isEnabled());
    EXPECT_EQ(polos()->ItemIndex(), 1);
    EXPECT_EQ(itens(lista("lbTensao")), QStringList{QStringLiteral("3F 220/380")});
    EXPECT_EQ(w->GrupoMotor, 2);
    QTest::mouseClick(botao("btOK"), Qt::LeftButton);
    EXPECT_EQ(it.Polos, 4);
    EXPECT_EQ(it.Frequencia, QStringLiteral("50 Hz"));
    EXPECT_EQ(it.GrupoMotor, 2);
    EXPECT_EQ(it.PotMotor, 2.2);
    EXPECT_EQ(it.RotMotor, 1455);
    // Confirmed twice, the pole count stays.
    MostraJanela(JAN_MOTOR);
    QTest::mouseClick(botao("btOK"), Qt::LeftButton);
    EXPECT_EQ(it.Polos, 4);

    // The hand edit: OK only after a change; a power that is no number is
    // refused and the dialog stays.
    auto *alt = qobject_cast<TfrmAltMotor *>(JanelaClasse("TfrmAltMotor"));
    ASSERT_TRUE(alt);
    bool okAntes = true;
    QTimer::singleShot(0, [&] {
        okAntes = alt->findChild<QPushButton *>(QStringLiteral("btOK"))->isEnabled();
        captura(alt, QStringLiteral("altmotor"));
        QLineEdit *kw = alt->campo("edKW");
        kw->selectAll();
        digita(kw, QStringLiteral("abc"));
        QTest::mouseClick(alt->findChild<QPushButton *>(QStringLiteral("btOK")), Qt::LeftButton);
        EXPECT_TRUE(alt->isVisible());
        kw->selectAll();
        digita(kw, QStringLiteral("3.7"));
        QTest::mouseClick(alt->findChild<QPushButton *>(QStringLiteral("btOK")), Qt::LeftButton);
    });
    EXPECT_TRUE(alt->Edita(it));
    EXPECT_FALSE(okAntes);
    EXPECT_EQ(respostas.vistas.last(), QStringLiteral("O valor informado em \"kW\" [abc] não é válido!"));
    EXPECT_EQ(it.PotMotor, 3.7);
    EXPECT_EQ(it.Polos, 4);
    EXPECT_EQ(alt->campo("edPolos")->text(), QStringLiteral("4"));
}
