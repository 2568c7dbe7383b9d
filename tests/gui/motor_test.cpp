// The motor window opened by number on a selected item, as the configuration
// window opens it: suggestion, "Todos", Dahlander, the groups, the voltage
// kept with the frequency, the APE minimum, Esc on a list, "Sem motor", a direct-coupled item at 50 Hz, the hand edit.

#include "shell_ambiente.h"

#include "selection/motor.h"
#include "selection/windows/uqlaltmotor.h"
#include "selection/windows/uqlmotor.h"
#include "shell/numeros.h"
#include "ui/gruporadio.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <tuple>

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
        it.Vazao = 10000;
        it.Pressao = 50;
        it.Selecionado = true;
        it.Linha = "BSD";
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

    QComboBox *lista(const char *nome) const { return w->findChild<QComboBox *>(nome); }
    QPushButton *botao(const char *nome) const { return w->findChild<QPushButton *>(nome); }
    GrupoRadio *polos() const { return w->findChild<GrupoRadio *>("rgPolos"); }
    QString rotulo(const char *nome) const { return w->findChild<QLabel *>(nome)->text(); }

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
    // The window at a glance: the motor group, the pole choice, whether OK
    // is enabled and the grid's titles red, its first row's power and speed.
    auto estado() const {
        return std::tuple(w->GrupoMotor, polos()->ItemIndex(), botao("btOK")->isEnabled(),
                          w->sgMot()->CorTitulos() == QColor(Qt::red), w->sgMot()->Cells(0, 1).toStdString(),
                          w->sgMot()->Cells(1, 1).toStdString());
    }

    TfrmMotor *w = nullptr;
};

} // namespace

TEST_F(Motor, SugestaoTodosDahlanderGruposESemMotor) {
    auto &g = G();
    GradeTexto *sg = w->sgMot();
    // The suggestion: the first motor of group 1 from 2.2 kW, 6 poles.
    EXPECT_EQ(rotulo("lbModelo"), "Modelo: BSD 710-1");
    EXPECT_EQ(rotulo("txRotacao"), "835 rpm");
    EXPECT_EQ(sg->RowCount(), 2);
    EXPECT_EQ(estado(), std::tuple(0, 2, true, false, "2.2", "1160"));
    EXPECT_EQ(GradeTexto::Formata(sg->Cells(3, 1), ",0.00"), "1,20");
    EXPECT_TRUE(polos()->isEnabled());
    EXPECT_TRUE(respostas.vistas.isEmpty());
    captura("motor_sugestao");

    // "Todos": the whole group, the suggestion light yellow; row 5 confirmed.
    escolhe(lista("cbSugestao"), 1);
    EXPECT_EQ(sg->RowCount(), g.NumMotores + 1);
    EXPECT_EQ(sg->LinhaDestaque(), 9);
    EXPECT_EQ(sg->Row(), 9);
    captura("motor_todos");
    sg->setCelulaAtual(0, 5);
    QTest::mouseClick(botao("btOK"), Qt::LeftButton);
    EXPECT_TRUE(JanelaNumero(JAN_CONFIGURA)->isVisible());
    const TItemOrc &it = g.Itens[1];
    EXPECT_EQ(std::tuple(it.ComMotor, it.SemMotor, it.SoSugestao, it.MotorEspecial), std::tuple(true, false, false, false));
    EXPECT_EQ(std::tuple(it.RegMotor, it.PotMotor, it.RotMotor, it.Polos, int(it.GrupoMotor), int(it.RegPrecoMotor), it.PwOp),
              std::tuple(5, 0.55, 1140, 6, 0, 255, 1.83));
    EXPECT_EQ((QStringList{it.Carcaca, it.Protecao, it.Tensao, it.Frequencia, it.Marca}),
              (QStringList{"90S", "IP55", "3F 220/380", "60 Hz", "A DEFINIR"}));

    // Dahlander on a 6-pole suggestion: a beep, the message, no pole choice
    // until one is clicked on its circle (group 6, the 2/4 motor).
    MostraJanela(JAN_MOTOR);
    escolhe(lista("lbProtecao"), PROT_DAHLANDER);
    EXPECT_EQ(respostas.vistas, QStringList{MsgDahlander});
    EXPECT_EQ(polos()->Items(), (QStringList{"2/4", "4/8"}));
    EXPECT_EQ(estado(), std::tuple(5, -1, false, false, "", ""));
    QTest::mouseClick(polos()->botao(0), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(estado(), std::tuple(5, 0, true, false, "2.2", "3470"));

    // The voltage chosen stays at 50 Hz: 1F 220 is then outside the line,
    // said and shown in red; 3F 220/380 at 50 Hz is group 3.
    escolhe(lista("lbProtecao"), PROT_IP55);
    escolhe(lista("lbTensao"), 4);
    EXPECT_EQ(estado(), std::tuple(1, 2, true, false, "2.2", "1145"));
    const int vistas = static_cast<int>(respostas.vistas.size());
    escolhe(lista("lbFrequencia"), FREQ_50);
    EXPECT_EQ(lista("lbTensao")->currentText(), "1F 220");
    EXPECT_EQ(respostas.vistas.mid(vistas), QStringList{MsgForaDaLinha});
    EXPECT_EQ(estado(), std::tuple(-1, 2, true, true, "2.2", "1160"));
    escolhe(lista("lbTensao"), 0);
    EXPECT_EQ(estado(), std::tuple(2, 2, true, false, "2.2", "965"));
    EXPECT_EQ(g.Motores[11].Potencia, 4.0);
    // APE chosen at 50 Hz offers the one voltage of 50 Hz and goes back to
    // 60 Hz (group 4); APE at 50 Hz is outside the line: the message and
    // red titles, group 1 shown.
    escolhe(lista("lbProtecao"), PROT_APE);
    EXPECT_EQ(lista("lbFrequencia")->currentIndex(), FREQ_60);
    EXPECT_EQ(itens(lista("lbTensao")), QStringList{"3F 220/380"});
    EXPECT_EQ(estado(), std::tuple(3, 2, true, false, "2.2", "1160"));
    escolhe(lista("lbFrequencia"), FREQ_50);
    EXPECT_EQ(respostas.vistas.last(), MsgForaDaLinha);
    EXPECT_EQ(estado(), std::tuple(-1, 2, true, true, "2.2", "1160"));
    EXPECT_TRUE(w->Especial);
    EXPECT_EQ(g.Motores[11].Potencia, 3.7);
    captura("motor_fora_da_linha");

    // Back on IP55 at 60 Hz; APE with a motor below 0.37 kW under the
    // cursor: refused, IP55 stays.
    escolhe(lista("lbFrequencia"), FREQ_60);
    escolhe(lista("lbProtecao"), PROT_IP55);
    EXPECT_EQ(estado(), std::tuple(0, 2, true, false, "2.2", "1160"));
    escolhe(lista("cbSugestao"), 1);
    sg->setCelulaAtual(0, 1);
    const int antes = static_cast<int>(respostas.vistas.size());
    escolhe(lista("lbProtecao"), PROT_APE);
    ASSERT_EQ(respostas.vistas.size(), antes + 1);
    EXPECT_EQ(respostas.vistas.last(), MsgMinimoAPE);
    EXPECT_EQ(respostas.estilos.back(), MB_ERRO);
    EXPECT_EQ(lista("lbProtecao")->currentIndex(), PROT_IP55);
    EXPECT_EQ(estado(), std::tuple(0, 2, true, false, "0.12", "1110"));

    // Esc on an open drop-down list closes the list only.
    lista("cbMarca")->showPopup();
    ASSERT_TRUE(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    EXPECT_FALSE(QApplication::activePopupWidget());
    EXPECT_TRUE(w->isVisible());

    // "Sem motor" touches the motor prices and two flags only;
    // "Configuração" changes nothing.
    g.Itens[1].PrecoListaMotor = 1234;
    g.Itens[1].PrecoMotor = 1234;
    TItemOrc esperado = g.Itens[1];
    esperado.PrecoListaMotor = 0;
    esperado.PrecoMotor = 0;
    esperado.ComMotor = true;
    esperado.SemMotor = true;
    QTest::mouseClick(botao("btSemMotor"), Qt::LeftButton);
    EXPECT_TRUE(g.Itens[1] == esperado);
    EXPECT_TRUE(JanelaNumero(JAN_CONFIGURA)->isVisible());
    MostraJanela(JAN_MOTOR);
    QTest::mouseClick(botao("btCancela"), Qt::LeftButton);
    EXPECT_TRUE(g.Itens[1] == esperado);
    EXPECT_TRUE(JanelaNumero(JAN_CONFIGURA)->isVisible());
}

TEST_F(Motor, AcoplamentoDiretoA50HzEEdicaoManual) {
    TItemOrc &it = G().Itens[1];
    it.Direto = true;
    it.Arranjo = 3;
    it.FreqDireto = 1;
    it.Polos = 1; // 4 poles, as the direct coupling chose
    it.PolosSug = 2;
    it.VazaoDireto = 9000;
    it.PressaoDireto = 40.5;
    MostraJanela(JAN_MOTOR);
    EXPECT_EQ(rotulo("txVazao"), FormataFloat("0", 9000) + " m³/h");
    EXPECT_EQ(rotulo("txPressao"), FormataFloat("0.0", 40.5) + " mmCA");
    // 50 Hz and 4 poles as the coupling has them, not to be changed here.
    EXPECT_EQ(lista("lbFrequencia")->currentIndex(), FREQ_50);
    EXPECT_EQ(std::tuple(lista("lbFrequencia")->isEnabled(), lista("lbProtecao")->isEnabled(), polos()->isEnabled()),
              std::tuple(false, false, false));
    EXPECT_EQ(itens(lista("lbTensao")), QStringList{"3F 220/380"});
    EXPECT_EQ(estado(), std::tuple(2, 1, true, false, "2.2", "1455"));
    QTest::mouseClick(botao("btOK"), Qt::LeftButton);
    EXPECT_EQ(std::tuple(it.Polos, int(it.GrupoMotor), it.PotMotor, it.RotMotor), std::tuple(4, 2, 2.2, 1455));
    EXPECT_EQ(it.Frequencia, "50 Hz");
    // Confirmed twice, the pole count stays.
    MostraJanela(JAN_MOTOR);
    QTest::mouseClick(botao("btOK"), Qt::LeftButton);
    EXPECT_EQ(it.Polos, 4);

    // The hand edit: OK only after a change; a power that is no number is
    // refused and the dialog stays.
    auto *alt = qobject_cast<TfrmAltMotor *>(JanelaClasse("TfrmAltMotor"));
    ASSERT_TRUE(alt);
    auto *ok = alt->findChild<QPushButton *>("btOK");
    bool okAntes = true;
    QTimer::singleShot(0, [&] {
        okAntes = ok->isEnabled();
        captura(alt, "altmotor");
        QLineEdit *kw = alt->campo("edKW");
        for (const auto &[texto, fica] : {std::pair{"abc", true}, {"3.7", false}}) {
            kw->selectAll();
            digita(kw, texto);
            QTest::mouseClick(ok, Qt::LeftButton);
            EXPECT_EQ(alt->isVisible(), fica) << texto;
        }
    });
    EXPECT_TRUE(alt->Edita(it));
    EXPECT_FALSE(okAntes);
    EXPECT_EQ(respostas.vistas.last(), "kW: «abc» não é um número. Informe a potência do motor em kW.");
    EXPECT_EQ(it.PotMotor, 3.7);
    EXPECT_EQ(it.Polos, 4);
    EXPECT_EQ(alt->campo("edPolos")->text(), "4");
}
