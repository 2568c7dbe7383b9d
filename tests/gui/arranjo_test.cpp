// The arrangement window driven from the selection as a user would: a direct
// coupling at the arrangement's maximum speed that no longer qualifies, a
// belt drive stored field by field against the engine, a direct coupling 10 %
// below the fan's speed, the belt drive again, the motor, and the
// double-inlet page left without choosing.

#include "shell_ambiente.h"

#include "catalogue/constantes.h"
#include "quotation/orcamento.h"
#include "quotation/windows/uqldados.h"
#include "selection/arranjo.h"
#include "selection/calculo.h"
#include "selection/windows/uqlarranjo.h"
#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlmotor4.h"
#include "ui/grade.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace quellora;

namespace {

void Dever(int k, double vazao, double pressao) {
    TItemOrc &it = G().Itens[k];
    it = TItemOrc{};
    it.RefTag = QStringLiteral("VE-%1").arg(k);
    it.Qtd = 1;
    it.Descricao = QStringLiteral("Ventilador %1").arg(k);
    it.Vazao = vazao;
    it.Pressao = pressao;
    it.Temperatura = 20;
    it.DensidadeItem = DensidadeDoAr(20, 0);
}

bool Perto(double a, double b, double rel = 1e-12) { return std::fabs(a - b) <= rel * std::max(1.0, std::fabs(b)); }

class Arranjo : public teste::AmbienteShell {
protected:
    void SetUp() override {
        AmbienteShell::SetUp();
        abre();
        janela->resize(900, 640);
        Dever(1, 10000, 50);
        Dever(2, 30000, 60);
        G().NumItens = 2;
        // As an opened quotation: data entry holds the items in its grid.
        JanelaDados()->CarregaDados();
        MostraJanela(JAN_CALCULOS);
        calc = qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS));
        arranjo = qobject_cast<TfrmArranjo *>(JanelaNumero(JAN_ARRANJO));
        ASSERT_TRUE(calc && arranjo && calc->isVisible());
    }

    void linha(const char *codigo) { clicaLinha(calc, codigo); }

    // Seleciona on a row of the size grid.
    void seleciona(int row) {
        calc->sgModelos()->setCelulaAtual(0, row);
        QTest::mouseClick(calc->findChild<QPushButton *>(QStringLiteral("btSeleciona")), Qt::LeftButton);
        ASSERT_TRUE(arranjo->isVisible());
    }

    // The direct-coupling dialog answered from inside its own event loop:
    // each speed typed in turn and OK pressed.
    void rotacoes(QStringList textos, bool capturar = false) {
        QTimer::singleShot(0, [this, textos, capturar] {
            auto *d = qobject_cast<TfrmMotor4 *>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            EXPECT_FALSE(d->findChild<QPushButton *>(QStringLiteral("btOK"))->isEnabled());
            EXPECT_TRUE(d->edRotacao()->isReadOnly());
            QTest::mouseClick(d->findChild<QRadioButton *>(QStringLiteral("rb2")), Qt::LeftButton);
            EXPECT_EQ(d->edRotacao()->text(), QStringLiteral("1750"));
            EXPECT_FALSE(d->edRotacao()->isReadOnly());
            if (capturar)
                captura(d, QStringLiteral("arranjo_motor4"));
            for (const QString &t : textos) {
                if (!d->isVisible())
                    break;
                d->edRotacao()->clear();
                digita(d->edRotacao(), t);
                QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btOK")), Qt::LeftButton);
            }
        });
    }

    void marca(int n) { QTest::mouseClick(arranjo->caixa(n), Qt::LeftButton); }
    void ok() { QTest::mouseClick(arranjo->findChild<QPushButton *>(QStringLiteral("btOK")), Qt::LeftButton); }

    // The engine's own full calculation of item k's duty on the line in use.
    TResultadoGrade referencia(int k) {
        auto &g = G();
        const TResultadoGrade antes = g.Resultado;
        const bool so = g.SoTamanho;
        g.VazaoCalc = g.Itens[k].Vazao;
        g.PressaoCalc = g.Itens[k].Pressao;
        g.Densidade = g.Itens[k].DensidadeItem;
        g.SoTamanho = false;
        CalculaModeloCarregado();
        TResultadoGrade r = g.Resultado;
        g.Resultado = antes;
        g.SoTamanho = so;
        return r;
    }

    // Every field a belt arrangement k stores, against the engine's size i.
    void confereCorreia(const TItemOrc &it, const TResultadoGrade &r, int i, int k) {
        const auto &g = G();
        const TLinhaGrade l = LinhaDaGrade(r, i, DensidadeRef(it.Altitude));
        EXPECT_TRUE(it.Selecionado);
        EXPECT_FALSE(it.Direto);
        EXPECT_EQ(it.Arranjo, k);
        EXPECT_EQ(it.RegModelo, g.ModeloCalc);
        EXPECT_EQ(it.IndiceTam, i);
        EXPECT_EQ(it.Tamanho, Tamanhos[i]);
        EXPECT_EQ(it.RotMax, static_cast<int>(r.RotMaxArr[i]));
        EXPECT_EQ(it.Rotacao, static_cast<int>(std::trunc(r.RotacaoTam[i])));
        EXPECT_TRUE(Perto(it.VelDescarga, r.Velocidade[i]));
        EXPECT_TRUE(Perto(it.VelPeriferica, l.VelPeriferica));
        EXPECT_TRUE(Perto(it.Pot20, r.PotPadraoTam[i]));
        EXPECT_TRUE(Perto(it.PotOp, r.PotOpTam[i]));
        EXPECT_TRUE(Perto(it.PTotal20, r.PTotalPadrao[i]));
        EXPECT_TRUE(Perto(it.PTotalOp, r.PTotalReal[i]));
        EXPECT_TRUE(Perto(it.PEst20, r.PressaoPadrao));
        EXPECT_EQ(it.Rendimento, static_cast<int>(std::trunc(r.RendTam[i])));
        EXPECT_TRUE(Perto(it.PwOp, r.PotOpTam[i]));
        EXPECT_TRUE(Perto(it.PwSt, l.Pot20));
        EXPECT_EQ(it.PolosSug, r.PolosTam[i] / 2);
        EXPECT_EQ(it.MotorIni, r.MotorTam[i]);
        EXPECT_TRUE(Perto(it.MotorSugerido, r.PotMotorTam[i]));
        EXPECT_TRUE(Perto(it.LwTot, r.LwTotTam[i]));
        EXPECT_TRUE(Perto(it.LwA, r.LwATam[i]));
        EXPECT_EQ(it.IndEspectro, r.IndEspectroTam[i]);
        EXPECT_TRUE(Perto(it.CorrecaoRend, -r.DescontoRend[i]));
        EXPECT_EQ(it.PrecoVent, g.PrecoModelo.Arranjo[k].PrecoVent[i]);
        EXPECT_GT(it.PrecoVent, 0);
        for (int b = 1; b <= 8; ++b)
            EXPECT_TRUE(Perto(it.LwBanda[b], it.LwA + g.Modelo.Espectro[it.IndEspectro].Banda[b]));
        // The size grid keeps the one row, with the arrangement chosen.
        EXPECT_EQ(calc->sgModelos()->RowCount(), 2);
        EXPECT_EQ(calc->sgModelos()->Cells(1, 1), QString::fromLatin1(Arranjos[k]));
        EXPECT_EQ(calc->LinhaDestaque(), 1);
    }

    TfrmCalculos *calc = nullptr;
    TfrmArranjo *arranjo = nullptr;
};

} // namespace

TEST_F(Arranjo, CorreiaEAcoplamentoDiretoDaSelecaoAoMotor) {
    auto &g = G();
    linha("BSD");
    const TResultadoGrade ref = referencia(1);
    ASSERT_GE(calc->sgModelos()->RowCount(), 6);
    ASSERT_EQ(calc->sgModelos()->Cells(0, 1), QStringLiteral("450"));

    // Size 450: the five arrangements of its list, nothing ticked yet.
    seleciona(1);
    EXPECT_EQ(TituloAtual(), QStringLiteral("Arranjo"));
    EXPECT_EQ(arranjo->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Modelo: BSD 450"));
    EXPECT_EQ(arranjo->pagina(), PAG_SIMPLES);
    for (int n = 1; n <= NumCaixasArranjo; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(arranjo->caixa(n)->isEnabled(), n == 1 || n == 3 || n == 5 || n == 6 || n == 7);
        EXPECT_FALSE(arranjo->caixa(n)->isChecked());
    }
    EXPECT_FALSE(arranjo->findChild<QPushButton *>(QStringLiteral("btOK"))->isEnabled());
    captura(janela, QStringLiteral("arranjo_simples"));

    // One box at a time; unticking the last keeps OK.
    marca(1);
    marca(6);
    EXPECT_FALSE(arranjo->caixa(1)->isChecked());
    EXPECT_TRUE(arranjo->caixa(6)->font().bold());
    EXPECT_FALSE(arranjo->caixa(1)->font().bold());
    marca(6);
    EXPECT_FALSE(arranjo->caixa(6)->isChecked());
    EXPECT_TRUE(arranjo->findChild<QPushButton *>(QStringLiteral("btOK"))->isEnabled());
    EXPECT_EQ(arranjo->ArranjoEscolhido, 7);

    // Direct coupling at 450: above the maximum is refused, the maximum is
    // taken, and at it the outlet velocity is over the line's limit.
    auto &r = respostas;
    r.vistas.clear();
    marca(3);
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], MsgAcoplamentoDireto);
    EXPECT_TRUE(g.Itens[1].Direto);
    const int maximo = g.Modelo.ArranjoModelo[ArranjoDireto].RotMaxTam[IndiceDoTamanho(450)];
    rotacoes({QString::number(maximo + 1), QString::number(maximo)}, true);
    ok();
    ASSERT_EQ(r.vistas.size(), 3) << r.vistas.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(r.vistas[1], MsgRotacaoInvalida(QString::number(maximo + 1)));
    EXPECT_EQ(r.vistas[2], MsgForaDosLimites);
    // Back to the selection, recalculated in full, the item unselected.
    EXPECT_TRUE(calc->isVisible());
    EXPECT_FALSE(calc->Falhou);
    EXPECT_FALSE(g.SoTamanho);
    EXPECT_FALSE(g.Itens[1].Selecionado);
    EXPECT_FALSE(g.Itens[1].Direto);
    EXPECT_EQ(calc->sgModelos()->RowCount(), ref.NumQualificados + 1);
    EXPECT_TRUE(calc->findChild<QPushButton *>(QStringLiteral("btSeleciona"))->isEnabled());
    EXPECT_EQ(g.NumItens, 2); // data entry stored its grid on the way

    // The most efficient size on arrangement 1: every field from the engine.
    const int destaque = calc->LinhaDestaque();
    const int i = TamanhoDestaque(ref);
    seleciona(destaque);
    marca(1);
    ok();
    EXPECT_TRUE(calc->isVisible());
    confereCorreia(g.Itens[1], ref, i, 1);
    EXPECT_NE(g.Orcamento.FatoresOrc.Entrega, 0);
    EXPECT_TRUE(g.Alterado);
    const TItemOrc correia = g.Itens[1];

    // Direct coupling 10 % below the fan's speed: flow × 0.9, pressure × 0.81.
    seleciona(1);
    marca(3);
    const double nA = ref.RotacaoTam[i];
    const int nova = static_cast<int>(std::lround(0.9 * nA));
    const double f = nova / nA;
    rotacoes({QString::number(nova)});
    ok();
    EXPECT_EQ(r.vistas.size(), 4); // the coupling's notice only
    const TItemOrc &it = g.Itens[1];
    EXPECT_TRUE(calc->isVisible());
    EXPECT_TRUE(it.Selecionado);
    EXPECT_TRUE(it.Direto);
    EXPECT_EQ(it.Arranjo, ArranjoDireto);
    EXPECT_NEAR(f, 0.9, 0.001);
    EXPECT_TRUE(Perto(it.VazaoDireto, 10000 * f, 1e-9));
    EXPECT_TRUE(Perto(it.PressaoDireto, 50 * f * f, 1e-9));
    EXPECT_NEAR(it.Rotacao, nova, 1);
    EXPECT_EQ(it.Polos, 1); // 4 poles at 60 Hz, as a choice until the motor
    EXPECT_EQ(it.FreqDireto, 0);
    EXPECT_EQ(it.PolosSug, 2);
    EXPECT_TRUE(Perto(it.PotOp, correia.PotOp * f * f * f, 1e-6));
    EXPECT_EQ(it.PrecoVent, g.PrecoModelo.Arranjo[ArranjoDireto].PrecoVent[i]);
    EXPECT_EQ(calc->sgModelos()->Cells(1, 1), QStringLiteral("4"));

    // The belt drive again on the same size: the item's own duty, not the
    // motor speed's.
    seleciona(1);
    marca(1);
    ok();
    confereCorreia(g.Itens[1], ref, i, 1);
    EXPECT_EQ(g.Itens[1].Rotacao, correia.Rotacao);

    // The motor window opened by number on the item: the suggestion.
    MostraJanela(JAN_MOTOR);
    QWidget *motor = JanelaNumero(JAN_MOTOR);
    ASSERT_TRUE(motor && motor->isVisible());
    EXPECT_EQ(motor->findChild<QLabel *>(QStringLiteral("lbModelo"))->text(),
              QStringLiteral("Modelo: BSD %1-1").arg(Tamanhos[i]));
    QTest::mouseClick(motor->findChild<QPushButton *>(QStringLiteral("btOK")), Qt::LeftButton);
    EXPECT_TRUE(JanelaNumero(JAN_CONFIGURA)->isVisible());
    EXPECT_TRUE(g.Itens[1].ComMotor);
    EXPECT_EQ(g.Itens[1].RegMotor, g.Itens[1].MotorIni);
    EXPECT_EQ(g.Itens[1].PotMotor, g.Itens[1].MotorSugerido);
    EXPECT_EQ(g.Itens[1].Polos, 2 * g.Itens[1].PolosSug);
}

TEST_F(Arranjo, DuplaAspiracaoMostraSeusArranjosEVoltaSemEscolher) {
    auto &g = G();
    calc->grItens()->setCelulaAtual(1, 2);
    linha("BDD");
    seleciona(calc->LinhaDestaque());
    EXPECT_EQ(arranjo->pagina(), PAG_DUPLA);
    for (int n = 1; n <= NumCaixasArranjo; ++n)
        EXPECT_EQ(arranjo->caixa(n)->isEnabled(), n >= 8) << n;
    EXPECT_TRUE(arranjo->caixa(8)->isVisible());
    EXPECT_FALSE(arranjo->caixa(1)->isVisible());
    captura(janela, QStringLiteral("arranjo_dupla"));
    auto &r = respostas;
    r.vistas.clear();
    marca(9); // arrangement 7: direct coupling on the double-inlet page
    EXPECT_EQ(r.vistas, QStringList{MsgAcoplamentoDireto});
    EXPECT_TRUE(g.Itens[2].Direto);
    QTest::mouseClick(arranjo->findChild<QPushButton *>(QStringLiteral("btCancela")), Qt::LeftButton);
    EXPECT_TRUE(calc->isVisible());
    EXPECT_FALSE(g.Itens[2].Selecionado);
    EXPECT_FALSE(g.Itens[2].Direto);
    EXPECT_GT(calc->sgModelos()->RowCount(), 2);
}
