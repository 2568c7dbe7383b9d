// The arrangement window driven from the selection as a user would: a belt
// drive kept through a direct coupling that no longer qualifies, the same
// coupling on the size not yet confirmed, a belt drive, a direct coupling 10 % below the fan's speed, the belt drive
// again, the motor, and the double-inlet page left without choosing.

#include "shell_ambiente.h"

#include "catalogue/constantes.h"
#include "quotation/windows/uqldados.h"
#include "selection/arranjo.h"
#include "selection/calculo.h"
#include "selection/eficiencia.h"
#include "selection/windows/uqlarranjo.h"
#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlmotor4.h"
#include "shell/numeros.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>
#include <tuple>

using namespace quellora;

namespace quellora::teste { // calculos_test.cpp
void Item(int k, double vazao, double pressao, double temp = 20, double alt = 0);
TResultadoGrade Referencia(int p, const TItemOrc &it);
} // namespace quellora::teste

namespace {

bool Perto(double a, double b, double rel = 1e-12) { return std::fabs(a - b) <= rel * std::max(1.0, std::fabs(b)); }

class Arranjo : public teste::AmbienteShell {
protected:
    void SetUp() override {
        AmbienteShell::SetUp();
        abre();
        janela->resize(900, 640);
        teste::Item(1, 10000, 50);
        teste::Item(2, 30000, 60);
        G().NumItens = 2;
        // As an opened quotation: data entry holds the items in its grid.
        JanelaDados()->CarregaDados();
        MostraJanela(JAN_CALCULOS);
        calc = qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS));
        arranjo = qobject_cast<TfrmArranjo *>(JanelaNumero(JAN_ARRANJO));
        ASSERT_TRUE(calc && arranjo && calc->isVisible());
    }

    void seleciona(int row) {
        calc->sgModelos()->setCelulaAtual(0, row);
        QTest::mouseClick(calc->findChild<QPushButton *>("btSeleciona"), Qt::LeftButton);
        ASSERT_TRUE(arranjo->isVisible());
    }
    void marca(int n) { QTest::mouseClick(arranjo->caixa(n), Qt::LeftButton); }
    // The nine boxes in a word: '-' disabled, 'o' free, 'X' ticked in bold
    // ('x' ticked, 'B' bold alone, both wrong).
    QString caixas() const {
        QString s;
        for (int n = 1; n <= NumCaixasArranjo; ++n) {
            const QCheckBox *c = arranjo->caixa(n);
            s += !c->isEnabled() ? '-' : c->isChecked() ? (c->font().bold() ? 'X' : 'x') : (c->font().bold() ? 'B' : 'o');
        }
        return s;
    }
    QPushButton *btOK() const { return arranjo->findChild<QPushButton *>("btOK"); }

    // The direct-coupling dialog answered from inside its own event loop:
    // the 4-pole speed, then each speed typed in turn and OK pressed.
    // What the dialog showed of the duty, asked for and at the last speed
    // typed, is kept in 'dever'.
    void rotacoes(QStringList textos, const char *imagem = nullptr) {
        QTimer::singleShot(0, [this, textos, imagem] {
            auto *d = qobject_cast<TfrmMotor4 *>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            auto *ok = d->findChild<QPushButton *>("btOK");
            EXPECT_FALSE(ok->isEnabled());
            EXPECT_TRUE(d->edRotacao()->isReadOnly());
            QTest::mouseClick(d->findChild<QRadioButton *>("rb2"), Qt::LeftButton);
            EXPECT_EQ(d->edRotacao()->text(), "1750");
            EXPECT_FALSE(d->edRotacao()->isReadOnly());
            if (imagem)
                captura(d, imagem);
            for (const QString &t : textos)
                if (d->isVisible()) {
                    d->edRotacao()->clear();
                    digita(d->edRotacao(), t);
                    dever.clear();
                    for (const char *nome : {"txVazaoPedida", "txPressaoPedida", "txVazaoNova", "txPressaoNova"})
                        dever << d->findChild<QLabel *>(nome)->text();
                    QTest::mouseClick(ok, Qt::LeftButton);
                }
        });
    }
    QStringList dever;

    // The fields the belt arrangement k stores for item 1, against the
    // engine's size i; the size grid keeps the one row, with the arrangement.
    void confereCorreia(const TResultadoGrade &r, int i, int k) {
        const auto &g = G();
        const TItemOrc &it = g.Itens[1];
        const TLinhaGrade l = LinhaDaGrade(r, i, DensidadeRef(it.Altitude));
        EXPECT_EQ(std::tuple(it.Selecionado, it.Direto, it.Arranjo, it.RegModelo, it.IndiceTam, it.Tamanho, it.RotMax),
                  std::tuple(true, false, k, g.ModeloCalc, i, Tamanhos[i], static_cast<int>(r.RotMaxArr[i])));
        EXPECT_EQ(std::tuple(it.Rotacao, it.Rendimento, it.PolosSug, it.MotorIni, it.IndEspectro, it.PrecoVent),
                  std::tuple(static_cast<int>(std::trunc(r.RotacaoTam[i])), static_cast<int>(std::trunc(r.RendTam[i])),
                             r.PolosTam[i] / 2, r.MotorTam[i], r.IndEspectroTam[i], g.PrecoModelo.Arranjo[k].PrecoVent[i]));
        EXPECT_GT(it.PrecoVent, 0);
        const struct {
            const char *campo;
            double guardado, motor;
        } reais[] = {{"VelDescarga", it.VelDescarga, r.Velocidade[i]},  {"VelPeriferica", it.VelPeriferica, l.VelPeriferica},
                     {"Pot20", it.Pot20, r.PotPadraoTam[i]},            {"PotOp", it.PotOp, r.PotOpTam[i]},
                     {"PTotal20", it.PTotal20, r.PTotalPadrao[i]},      {"PTotalOp", it.PTotalOp, r.PTotalReal[i]},
                     {"PEst20", it.PEst20, r.PressaoPadrao},            {"PwOp", it.PwOp, r.PotOpTam[i]},
                     {"PwSt", it.PwSt, l.Pot20},                        {"MotorSugerido", it.MotorSugerido, r.PotMotorTam[i]},
                     {"LwTot", it.LwTot, r.LwTotTam[i]},                {"LwA", it.LwA, r.LwATam[i]},
                     {"CorrecaoRend", it.CorrecaoRend, -r.DescontoRend[i]}};
        for (const auto &c : reais)
            EXPECT_TRUE(Perto(c.guardado, c.motor)) << c.campo << ' ' << c.guardado << " != " << c.motor;
        EXPECT_EQ(calc->sgModelos()->RowCount(), 2);
        EXPECT_EQ(calc->sgModelos()->Cells(1, 1), QString::fromLatin1(Arranjos[k]));
        EXPECT_EQ(calc->LinhaDestaque(), 1);
        confereEnergia(true);
    }

    // The one row's FEI is the item's as it now stores it, on its drive.
    void confereEnergia(bool correia) {
        TEnergiaCatalogo energia;
        ASSERT_TRUE(CarregaEnergia(G().DirCatalogo, energia));
        const TEficiencia e = EficienciaDoItem(G().Itens[1], energia, TPreferencias{});
        ASSERT_TRUE(e.Valida);
        EXPECT_EQ(e.RendTransmissao < 1, correia);
        EXPECT_NEAR(calc->sgModelos()->Numero(12, 1), e.FEI, 1e-12);
    }

    TfrmCalculos *calc = nullptr;
    TfrmArranjo *arranjo = nullptr;
};

} // namespace

TEST_F(Arranjo, CorreiaEAcoplamentoDiretoDaSelecaoAoMotor) {
    auto &g = G();
    auto &r = respostas;
    clicaLinha(calc, "BSD");
    const TResultadoGrade ref = teste::Referencia(-1, g.Itens[1]);
    ASSERT_GE(calc->sgModelos()->RowCount(), 6);
    ASSERT_EQ(calc->sgModelos()->Cells(0, 1), "450");

    // Size 450 handed over: the five arrangements of its list, none ticked.
    seleciona(1);
    const TItemOrc &it = g.Itens[1];
    EXPECT_TRUE(calc->Selecionando);
    EXPECT_EQ(std::tuple(it.Tamanho, it.PaginaArranjo, it.Axial), std::tuple(450, 1, false));
    EXPECT_EQ(it.DescTamanho, calc->sgModelos()->Cells(1, 1).left(10));
    EXPECT_EQ(it.Linha, "BSD");
    EXPECT_EQ(arranjo->findChild<QLabel *>("Label1")->text(), "Modelo: BSD 450");
    EXPECT_EQ(arranjo->pagina(), PAG_SIMPLES);
    EXPECT_EQ(caixas(), "o-o-ooo--");
    EXPECT_FALSE(btOK()->isEnabled());
    captura("arranjo_simples");

    // One box at a time; unticking the last keeps OK.
    marca(1);
    marca(6);
    EXPECT_EQ(caixas(), "o-o-oXo--");
    marca(6);
    EXPECT_EQ(caixas(), "o-o-ooo--");
    EXPECT_TRUE(btOK()->isEnabled());
    EXPECT_EQ(arranjo->ArranjoEscolhido, 7);

    // 450 confirmed on arrangement 1, then a direct coupling at the
    // maximum speed, where the outlet velocity is over the line's limit:
    // the belt drive stays confirmed and the selection as it was.
    const int maximo = g.Modelo.ArranjoModelo[ArranjoDireto].RotMaxTam[IndiceDoTamanho(450)];
    marca(1);
    QTest::mouseClick(btOK(), Qt::LeftButton);
    const TItemOrc em450 = it;
    EXPECT_EQ(std::tuple(it.Selecionado, it.Arranjo, it.Tamanho), std::tuple(true, 1, 450));
    seleciona(1);
    marca(3);
    rotacoes({QString::number(maximo)});
    QTest::mouseClick(btOK(), Qt::LeftButton);
    EXPECT_EQ(r.vistas.last(), MsgForaDosLimites);
    EXPECT_TRUE(calc->isVisible());
    EXPECT_TRUE(it == em450);
    EXPECT_EQ(std::tuple(calc->Falhou, g.SoTamanho, g.PressaoCalc, calc->sgModelos()->RowCount()),
              std::tuple(false, false, 50.0, 2));
    EXPECT_EQ(calc->sgModelos()->Cells(1, 1), "1");
    EXPECT_TRUE(calc->findChild<QPushButton *>("btSeleciona")->isEnabled());

    // The line chosen again, the selection given up: all the sizes again.
    r.responde(ID_SIM);
    clicaLinha(calc, "BSD");
    EXPECT_FALSE(it.Selecionado);
    ASSERT_EQ(calc->sgModelos()->RowCount(), ref.NumQualificados + 1);
    seleciona(1);

    // Direct coupling at 450 not yet confirmed: above the maximum is
    // refused, the maximum is taken and fails as before: back to the
    // selection with every size, the item unselected.
    r.vistas.clear();
    marca(3);
    EXPECT_EQ(r.vistas, QStringList{MsgAcoplamentoDireto});
    EXPECT_TRUE(it.Direto);
    rotacoes({QString::number(maximo + 1), QString::number(maximo)}, "arranjo_motor4");
    QTest::mouseClick(btOK(), Qt::LeftButton);
    EXPECT_EQ(r.vistas, (QStringList{MsgAcoplamentoDireto, MsgRotacaoInvalida(QString::number(maximo + 1)), MsgForaDosLimites}));
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(std::tuple(calc->Falhou, g.SoTamanho, it.Selecionado, it.Direto), std::tuple(false, false, false, false));
    EXPECT_EQ(calc->sgModelos()->RowCount(), ref.NumQualificados + 1);
    EXPECT_TRUE(calc->findChild<QPushButton *>("btSeleciona")->isEnabled());
    EXPECT_EQ(g.NumItens, 2); // data entry stored its grid on the way

    // The most efficient size on arrangement 1: every field from the engine.
    const int i = TamanhoDestaque(ref);
    seleciona(calc->LinhaDestaque());
    marca(1);
    QTest::mouseClick(btOK(), Qt::LeftButton);
    EXPECT_TRUE(calc->isVisible());
    confereCorreia(ref, i, 1);
    EXPECT_NE(g.Orcamento.FatoresOrc.Entrega, 0);
    EXPECT_TRUE(g.Alterado);
    const TItemOrc correia = it;

    // Direct coupling 10 % below the fan's speed: flow × 0.9, pressure × 0.81.
    seleciona(1);
    marca(3);
    const double nA = ref.RotacaoTam[i];
    const int nova = static_cast<int>(std::lround(0.9 * nA));
    const double f = nova / nA;
    rotacoes({QString::number(nova)});
    QTest::mouseClick(btOK(), Qt::LeftButton);
    EXPECT_EQ(r.vistas.size(), 4); // the coupling's notice only
    EXPECT_TRUE(calc->isVisible());
    // 4 poles at 60 Hz, as a choice until the motor.
    EXPECT_EQ(std::tuple(it.Selecionado, it.Direto, it.Arranjo, it.Polos, it.FreqDireto, it.PolosSug),
              std::tuple(true, true, ArranjoDireto, 1, 0, 2));
    EXPECT_TRUE(Perto(it.VazaoDireto, 10000 * f, 1e-9));
    EXPECT_TRUE(Perto(it.PressaoDireto, 50 * f * f, 1e-9));
    // The dialog showed the duty asked for beside the one now stored.
    EXPECT_EQ(dever, (QStringList{"10.000 m³/h", "50,0 mmCA", FormataFloat(",0", it.VazaoDireto) + " m³/h",
                                  FormataFloat("0.0", it.PressaoDireto) + " mmCA"}));
    EXPECT_NE(dever[2], dever[0]);
    EXPECT_NEAR(it.Rotacao, nova, 1);
    EXPECT_TRUE(Perto(it.PotOp, correia.PotOp * f * f * f, 1e-6));
    EXPECT_EQ(it.PrecoVent, g.PrecoModelo.Arranjo[ArranjoDireto].PrecoVent[i]);
    EXPECT_EQ(calc->sgModelos()->Cells(1, 1), "4");
    confereEnergia(false);

    // The belt drive again on the same size: the item's own duty, not the
    // motor speed's.
    seleciona(1);
    marca(1);
    QTest::mouseClick(btOK(), Qt::LeftButton);
    confereCorreia(ref, i, 1);
    EXPECT_EQ(it.Rotacao, correia.Rotacao);


    // The motor window opened by number on the item: the suggestion.
    MostraJanela(JAN_MOTOR);
    QWidget *motor = JanelaNumero(JAN_MOTOR);
    ASSERT_TRUE(motor && motor->isVisible());
    EXPECT_EQ(motor->findChild<QLabel *>("lbModelo")->text(), QStringLiteral("Modelo: BSD %1-1").arg(Tamanhos[i]));
    QTest::mouseClick(motor->findChild<QPushButton *>("btOK"), Qt::LeftButton);
    EXPECT_TRUE(JanelaNumero(JAN_CONFIGURA)->isVisible());
    EXPECT_TRUE(it.ComMotor);
    EXPECT_EQ(std::tuple(it.RegMotor, it.PotMotor, it.Polos), std::tuple(it.MotorIni, it.MotorSugerido, 2 * it.PolosSug));
}

TEST_F(Arranjo, DuplaAspiracaoMostraSeusArranjosEVoltaSemEscolher) {
    const TItemOrc &it = G().Itens[2];
    calc->grItens()->setCelulaAtual(1, 2);
    clicaLinha(calc, "BDD");
    seleciona(calc->LinhaDestaque());
    EXPECT_EQ(arranjo->pagina(), PAG_DUPLA);
    EXPECT_EQ(caixas(), "-------oo");
    EXPECT_TRUE(arranjo->caixa(8)->isVisible());
    EXPECT_FALSE(arranjo->caixa(1)->isVisible());
    captura("arranjo_dupla");
    respostas.vistas.clear();
    marca(9); // arrangement 7: direct coupling on the double-inlet page
    EXPECT_EQ(caixas(), "-------oX");
    EXPECT_EQ(respostas.vistas, QStringList{MsgAcoplamentoDireto});
    EXPECT_TRUE(it.Direto);
    QTest::mouseClick(arranjo->findChild<QPushButton *>("btCancela"), Qt::LeftButton);
    EXPECT_TRUE(calc->isVisible());
    EXPECT_FALSE(it.Selecionado || it.Direto);
    EXPECT_GT(calc->sgModelos()->RowCount(), 2);
}
