// The configuration window and the conditions and observations dialogs in the
// whole program on the sample catalogue: accessories ticked in the checklist,
// the motor and position windows reached and come back from, special
// accessories, and the texts that close the proposal.

#include "shell_ambiente.h"

#include "catalogue/constantes.h"
#include "pricing/configuracao.h"
#include "quotation/orcamento.h"
#include "selection/arranjo.h"
#include "selection/calculo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>

using namespace quellora;
using namespace quellora::teste;

namespace {

class Configura : public AmbienteShell {
protected:
    void SetUp() override {
        AmbienteShell::SetUp();
        abre();
        janela->resize(900, 640);
        conf = qobject_cast<TfrmConfigura *>(JanelaNumero(JAN_CONFIGURA));
        ASSERT_NE(conf, nullptr);
    }

    // Item k with a duty, confirmed on line BSD and this arrangement as the
    // arrangement window leaves it (the engine's highlighted size).
    void Confirma(int k, double vazao, double pressao, const char *arranjo = nullptr) {
        auto &g = G();
        TItemOrc &it = g.Itens[k];
        it = TItemOrc{};
        it.RefTag = QStringLiteral("VE-%1").arg(k);
        it.Qtd = k;
        it.Descricao = QStringLiteral("Exaustão %1").arg(k);
        it.Vazao = g.VazaoCalc = vazao;
        it.Pressao = g.PressaoCalc = pressao;
        it.Temperatura = 20;
        it.DensidadeItem = g.Densidade = DensidadeDoAr(20, 0);
        if (!arranjo)
            return;
        QStringList linhas;
        ASSERT_TRUE(ListaModelos(g.DirDados, linhas));
        const auto p = static_cast<int>(linhas.indexOf(QRegularExpression(QStringLiteral("BSD .*"))));
        ASSERT_TRUE(p >= 0 && CarregaModelo(g.DirDados, p) && CarregaPrecoModelo(g.DirDados, p));
        g.SoTamanho = false;
        CalculaModeloCarregado();
        const int i = TamanhoDestaque(g.Resultado);
        ASSERT_GE(i, 1);
        const int a = IndiceDoArranjo(QString::fromLatin1(arranjo));
        it.Polos = a == ArranjoDireto ? 1 : 0; // 4 poles chosen for the motor speed
        GravaArranjo(it, LinhaDaGrade(g.Resultado, i, DensidadeRef(0)), g.Resultado, g.Modelo, g.PrecoModelo, a,
                     a == ArranjoDireto);
        it.TextoModelo = linhas[p].left(30);
        it.Linha = g.Modelo.Codigo.left(4);
        it.IndModelo = it.RegModelo = p;
        it.DescTamanho = g.Resultado.ArranjosTam[i];
        it.VazaoDireto = it.Direto ? vazao * 0.95 : 0;
        it.PressaoDireto = it.Direto ? pressao * 0.9025 : 0;
    }

    ListaDesenhada *clb() const { return conf->clb(); }
    int entrada(const char *codigo) const { return entradaAcessorio(conf, codigo); }
    void item(int r) { escolheItem(conf, r); }
    void marca(int i) { marcaAcessorio(conf, i); }
    void marca(const char *codigo) { marca(entrada(codigo)); }
    ::testing::AssertionResult marcados(std::initializer_list<const char *> sim,
                                        std::initializer_list<const char *> nao = {}) const {
        return AmbienteShell::marcados(conf, sim, nao);
    }

    // A picker or the motor window writes the item and returns here.
    void voltaDe(int numero, const std::function<void(TItemOrc &)> &escolha) {
        ASSERT_EQ(JanelaAtiva(), JanelaNumero(numero));
        escolha(G().Itens[G().ItemAtual]);
        MostraJanela(JAN_CONFIGURA);
        ASSERT_EQ(JanelaAtiva(), conf);
    }

    TfrmConfigura *conf = nullptr;
};

} // namespace

TEST_F(Configura, TresItensAcessoriosMotorEPosicoes) {
    auto &g = G();
    Confirma(1, 10000, 50, "9");
    Confirma(2, 3000, 40, "4");
    Confirma(3, 5000, 30);
    g.Itens[2].ComMotor = true;
    g.Itens[2].Polos = 4;
    g.Itens[2].PotMotor = 0.55;
    g.Itens[2].Tensao = QStringLiteral("3F 220/380");
    g.Itens[2].Frequencia = QStringLiteral("60 Hz");
    g.Itens[2].Protecao = QStringLiteral("IP55");
    g.NumItens = 3;
    g.ProjetoAtual = QStringLiteral("Galpão 2");
    g.Orcamento.ICMS = -1;
    ASSERT_EQ(g.Itens[1].Tamanho, 710);

    MostraJanela(JAN_CONFIGURA);
    ASSERT_EQ(JanelaAtiva(), conf);
    EXPECT_EQ(TituloAtual(), QStringLiteral("Configuração"));
    EXPECT_EQ(em<QLineEdit>(conf, "edProjeto")->text(), QStringLiteral("Galpão 2"));
    EXPECT_EQ(conf->cbItens()->Quantas(), 3);
    EXPECT_EQ(conf->cbItens()->currentRow(), -1);
    EXPECT_EQ(g.Orcamento.ICMS, 2) << "the list's choice: 12 %, the factors' default";
    for (const char *oculto : {"btAtPreco", "gbFatores", "gbDesconto"})
        EXPECT_FALSE(em(conf, oculto)->isVisible()) << oculto;

    // An item without a fan: the checklist has nothing to offer.
    item(2);
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_TRUE(respostas.vistas.last().startsWith(QStringLiteral("Ainda não foi escolhido um Modelo")));
    EXPECT_FALSE(clb()->isEnabled());
    EXPECT_EQ(clb()->Quantas(), 0);

    // Item 1: the motor mounting comes included.
    item(0);
    EXPECT_EQ(g.ItemAtual, 1);
    EXPECT_TRUE(clb()->isEnabled());
    EXPECT_TRUE(clb()->hasFocus());
    EXPECT_EQ(TextoStatusAtual(), QStringLiteral("[Inc] Inc. Acess. ESP."));
    EXPECT_TRUE(marcados({"MM"}));
    EXPECT_EQ(linhasConfig(conf), (QStringList{"Ventilador|BSD 710 / 9|", "Montagem de motor|MM|INC."}));
    EXPECT_EQ(em<QLineEdit>(conf, "edVazao")->text(), QStringLiteral("10000"));
    EXPECT_TRUE(g.Itens[1].Configurado);

    // The position needs a base first (the mouse on the box ticks it as the
    // space bar does); the frame a position needs cannot be unticked.
    marca("POS");
    EXPECT_EQ(respostas.vistas.last(), QString::fromUtf8(MsgEscolhaBase));
    EXPECT_TRUE(marcados({}, {"POS"}));
    const QRect br = clb()->visualItemRect(clb()->item(entrada("BR")));
    QTest::mouseClick(clb()->viewport(), Qt::LeftButton, {}, QPoint(br.left() + 10, br.center().y()));
    EXPECT_TRUE(marcados({"BR"}));
    marca("POS");
    voltaDe(JAN_POSICAO, [](TItemOrc &it) {
        it.Posicao = QStringLiteral("RD 180°/BR 0°");
        it.ExigeQuadro = true;
    });
    EXPECT_TRUE(marcados({"POS", "QR"}));
    EXPECT_TRUE(linhasConfig(conf)[1].startsWith(QStringLiteral("Posição|RD 180°/BR 0°|")));
    const auto vistas = respostas.vistas.size();
    marca("QR");
    EXPECT_EQ(respostas.vistas.size(), vistas + 1);
    EXPECT_EQ(respostas.vistas.last(), QString::fromUtf8(MsgQuadro));
    EXPECT_TRUE(marcados({"QR"}));

    // A cabinet, confirmed: only what a cabinet allows stays, and the line shows as BBS.
    respostas.responde(ID_OK);
    marca("GAB");
    EXPECT_EQ(respostas.vistas.last(), QString::fromUtf8(MsgConfirmaGabinete));
    EXPECT_EQ(respostas.estilos.back(), MB_OKCANCEL_EXCLAMACAO);
    EXPECT_TRUE(g.Itens[1].ComGabinete);
    EXPECT_TRUE(marcados({"MM"}, {"BR", "QR", "POS"}));
    EXPECT_TRUE(g.Itens[1].Posicao.isEmpty());
    EXPECT_TRUE(linhasConfig(conf)[0].startsWith(QStringLiteral("Ventilador|BBS 710 / 9|")));
    marca("SID");
    EXPECT_EQ(respostas.vistas.last(), QString::fromUtf8(MsgGabineteNaoPermitido));
    EXPECT_TRUE(marcados({}, {"SID"}));
    marca("PG06");
    marca("LFD");
    marca("POS");
    voltaDe(JAN_GAB680A1000, [](TItemOrc &it) { it.Posicao = QStringLiteral("RD 0°/TA 90°"); });
    EXPECT_TRUE(marcados({"POS"}, {"QR"}));

    // Without the cabinet, its own accessories and position go.
    marca("GAB");
    EXPECT_FALSE(g.Itens[1].ComGabinete);
    EXPECT_TRUE(marcados({"LFD"}, {"PG06", "POS"}));
    EXPECT_TRUE(linhasConfig(conf)[0].startsWith(QStringLiteral("Ventilador|BSD 710 / 9|")));
    marca("BU");
    marca("POS");
    voltaDe(JAN_POSICAOBU, [](TItemOrc &it) {
        it.Posicao = QStringLiteral("LG 90°/BU W");
        it.ExigeQuadro = false;
    });
    EXPECT_TRUE(marcados({}, {"QR"}));
    // A frame chosen by the user stays when the motor window comes back.
    marca("QR");
    marca(0);
    voltaDe(JAN_MOTOR, [](TItemOrc &it) { it.ComMotor = it.SemMotor = true; });
    EXPECT_TRUE(marcados({"QR"}));
    EXPECT_TRUE(clb()->Marcado(0));

    // A special accessory of the quotation, typed in its dialog (Insert key):
    // not without a description, kept to 25 characters.
    auto *aceEsp = qobject_cast<QDialog *>(JanelaClasse("TfrmAceEsp"));
    ASSERT_NE(aceEsp, nullptr);
    noProximoDialogo([&](QDialog *) {
        EXPECT_EQ(em<QLabel>(aceEsp, "lbModelo")->text(), LegendaModelo());
        clica(aceEsp, "BitBtn1");
        EXPECT_EQ(respostas.vistas.last(), QStringLiteral("Você precisa informar um valor para a descrição!"));
        EXPECT_TRUE(aceEsp->isVisible());
        digita(em(aceEsp, "edDenominacao"), QStringLiteral("Suporte antivibratório especial"));
        clica(aceEsp, "BitBtn1");
    });
    QTest::keyClick(clb(), Qt::Key_Insert);
    ASSERT_EQ(g.Orcamento.NumAcessEsp, 1);
    EXPECT_EQ(g.Orcamento.AcessEsp[0], QStringLiteral("Suporte antivibratório es"));
    const int especial = conf->Lista().PrimeiroEspecial;
    EXPECT_EQ(clb()->currentRow(), especial);
    EXPECT_FALSE(clb()->Marcado(especial));
    // Chosen by a double click on its text.
    const QPoint texto = clb()->visualItemRect(clb()->item(especial)).center();
    QTest::mouseClick(clb()->viewport(), Qt::LeftButton, {}, texto);
    QTest::mouseDClick(clb()->viewport(), Qt::LeftButton, {}, texto);
    EXPECT_TRUE(clb()->Marcado(especial));
    EXPECT_TRUE(linhasConfig(conf).contains(QStringLiteral("Suporte antivibratório es||S.C.")));

    // Item 2, direct coupling: the special accessory is offered, the motor shows its rows.
    item(1);
    EXPECT_EQ(g.ItemAtual, 2);
    EXPECT_EQ(clb()->Quantas(), conf->Lista().PrimeiroEspecial + 1);
    EXPECT_FALSE(clb()->Marcado(conf->Lista().PrimeiroEspecial));
    EXPECT_TRUE(clb()->Marcado(0));
    EXPECT_EQ(em<QLineEdit>(conf, "edVazao")->text(), QStringLiteral("2850"));
    EXPECT_TRUE(linhasConfig(conf).contains(QStringLiteral("|3F 220/380|")));
    // Unticking the motor takes the pole count back to the pole choice;
    // ticking it opens the motor window, and cancelled there it stays unticked.
    marca(0);
    EXPECT_FALSE(g.Itens[2].ComMotor);
    EXPECT_EQ(g.Itens[2].Polos, 1);
    marca(0);
    voltaDe(JAN_MOTOR, [](TItemOrc &) {});
    EXPECT_FALSE(clb()->Marcado(0));
    marca(0);
    voltaDe(JAN_MOTOR, [](TItemOrc &it) { it.ComMotor = it.SemMotor = true; });
    EXPECT_TRUE(clb()->Marcado(0));
    EXPECT_EQ(linhasConfig(conf).last(), QStringLiteral("Motor|Sem Motor|"));
    // Its position comes from the direct-coupling picker.
    marca("POS");
    voltaDe(JAN_POSICAO4, [](TItemOrc &it) { it.Posicao = QStringLiteral("RD 90°"); });
    EXPECT_TRUE(marcados({"POS"}));

    // Back on item 1 everything chosen is still there.
    item(0);
    EXPECT_TRUE(marcados({"BU", "LFD", "POS"}));
    EXPECT_TRUE(clb()->Marcado(conf->Lista().PrimeiroEspecial));
    EXPECT_EQ(g.Itens[1].AcessEspPreco[0], -2);

    // The quotation holds ten special accessories; an eleventh is refused.
    g.Orcamento.NumAcessEsp = MaxAcessEsp;
    for (int j = 1; j < MaxAcessEsp; ++j)
        g.Orcamento.AcessEsp[j] = QStringLiteral("Especial %1").arg(j);
    QTest::keyClick(clb(), Qt::Key_Insert);
    EXPECT_TRUE(respostas.vistas.last().contains(QStringLiteral("o máximo que ele comporta")));
    EXPECT_EQ(g.Orcamento.NumAcessEsp, MaxAcessEsp);
    EXPECT_FALSE(aceEsp->isVisible());
    EXPECT_TRUE(g.Alterado);

    // The data sheet and back keep the item on screen; "&Calculos" leaves.
    clica(conf, "btDataSheet");
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_DATASHEET));
    VoltaJanela();
    EXPECT_EQ(JanelaAtiva(), conf);
    EXPECT_EQ(conf->cbItens()->currentRow(), 0);
    EXPECT_TRUE(marcados({"BU"}));
    clica(conf, "btCancela");
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_CALCULOS));

    // A new quotation leaves nothing of this one in the window.
    ASSERT_TRUE(QMetaObject::invokeMethod(conf, "OrcamentoNovo"));
    EXPECT_EQ(conf->cbItens()->Quantas(), 0);
    EXPECT_EQ(clb()->Quantas(), 0);
    EXPECT_EQ(conf->sgConfig()->RowCount(), 2);
    g.Orcamento.ICMS = 4;
    ASSERT_TRUE(QMetaObject::invokeMethod(conf, "OrcamentoAberto"));
    EXPECT_EQ(em<QComboBox>(conf, "cbICMS")->currentIndex(), 3);
    EXPECT_EQ(conf->FatorV, g.Fatores.FatorVent[4]);
    EXPECT_FALSE(conf->ICMSAlterado);
}

TEST_F(Configura, CondicoesComerciaisEObservacoes) {
    auto &g = G();
    LimpaOrcamento();
    SetAlterado(false);
    auto *cond = qobject_cast<QDialog *>(JanelaClasse("TfrmCondCom"));
    auto *obs = qobject_cast<QDialog *>(JanelaClasse("TfrmObs"));
    ASSERT_TRUE(cond && obs);
    auto campo = [](QDialog *d, const char *nome) { return em<QLineEdit>(d, nome); };
    auto caixa = [&](const char *nome) { return em<QCheckBox>(cond, nome); };
    auto clicaCaixa = [&](const char *nome) {
        QTest::mouseClick(caixa(nome), Qt::LeftButton, {}, QPoint(6, caixa(nome)->height() / 2));
    };
    // The dialog run modally, 'passo' driving it once it shows, ends as 'fim'.
    auto roda = [](QDialog *d, int fim, const std::function<void()> &passo) {
        noProximoDialogo([passo](QDialog *) { passo(); });
        EXPECT_EQ(d->exec(), fim);
    };

    // A quotation without conditions shows the design's defaults; a validity
    // the quotation cannot hold is refused.
    roda(cond, QDialog::Accepted, [&] {
        EXPECT_EQ(campo(cond, "edPagamento")->text(), QStringLiteral("30% sinal 70% contra aviso de embarque"));
        EXPECT_EQ(campo(cond, "edEntrega")->text(), QStringLiteral("25"));
        EXPECT_EQ(campo(cond, "edValidade")->text(), QStringLiteral("7"));
        EXPECT_TRUE(campo(cond, "edFrete")->text().startsWith(QStringLiteral("FOB Dravolin Brum")));
        escreve(campo(cond, "edEntrega"), QStringLiteral("2a0/3b0"));
        EXPECT_EQ(campo(cond, "edEntrega")->text(), QStringLiteral("20/30")) << "only digits and the slash";
        escreve(campo(cond, "edIPI"), QStringLiteral("10"));
        escreve(campo(cond, "edValidade"), QStringLiteral("300"));
        clica(cond, "btOK");
        EXPECT_TRUE(respostas.vistas.last().contains(QStringLiteral("no máximo 255 dias")));
        EXPECT_TRUE(cond->isVisible());
        EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 0);
        escreve(campo(cond, "edValidade"), QStringLiteral("30"));
        // Nor a delivery half over 255 days.
        escreve(campo(cond, "edEntrega"), QStringLiteral("300/5"));
        clica(cond, "btOK");
        EXPECT_EQ(respostas.vistas.last(),
                  QStringLiteral("Cada prazo de entrega pode ser de no máximo 255 dias.\r\nCorrija o número de dias."));
        EXPECT_TRUE(cond->isVisible());
        EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 0);
        // Nor a single term that would print as a pair.
        escreve(campo(cond, "edEntrega"), QStringLiteral("300"));
        clica(cond, "btOK");
        EXPECT_EQ(respostas.vistas.last(),
                  QStringLiteral("O prazo de entrega pode ser de no máximo 254 dias.\r\nCorrija o número de dias."));
        EXPECT_TRUE(cond->isVisible());
        EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 0);
        escreve(campo(cond, "edEntrega"), QStringLiteral("20/30"));
        clica(cond, "btOK");
    });
    const TFatores &c = g.Orcamento.FatoresOrc;
    EXPECT_EQ(c.Entrega, 7700);
    EXPECT_EQ(c.Validade, 30);
    EXPECT_EQ(c.IPI, 10);
    EXPECT_EQ(c.Embalagem, 4);
    EXPECT_EQ(c.Pagamento, QStringLiteral("30% sinal 70% contra aviso de embarque"));
    EXPECT_TRUE(g.Alterado);
    EXPECT_TRUE(controle("btSave")->isEnabled());

    // Opened again it shows the quotation's own values; the packing boxes
    // exclude each other and the packing typed; a packing that is no number
    // is "without packing".
    SetAlterado(false);
    roda(cond, QDialog::Accepted, [&] {
        EXPECT_EQ(campo(cond, "edEntrega")->text(), QStringLiteral("20/30"));
        EXPECT_EQ(campo(cond, "edEmbalagem")->text(), QStringLiteral("4"));
        EXPECT_FALSE(g.Alterado) << "loading is no change";
        clicaCaixa("ckInclusa");
        EXPECT_TRUE(caixa("ckInclusa")->isChecked());
        EXPECT_TRUE(campo(cond, "edEmbalagem")->text().isEmpty());
        clicaCaixa("ckSem");
        EXPECT_FALSE(caixa("ckInclusa")->isChecked());
        QTest::keyClicks(campo(cond, "edEmbalagem"), QStringLiteral("4x"));
        EXPECT_FALSE(caixa("ckSem")->isChecked());
        EXPECT_TRUE(g.Alterado);
        clica(cond, "btOK");
    });
    EXPECT_EQ(c.Embalagem, -1);

    // Observations: two lines of at most 80 characters.
    g.Orcamento.Obs1 = QStringLiteral("Primeira");
    roda(obs, QDialog::Accepted, [&] {
        EXPECT_EQ(campo(obs, "edLinha1")->text(), QStringLiteral("Primeira"));
        escreve(campo(obs, "edLinha1"), QStringLiteral("Motores fornecidos pelo cliente."));
        QTest::keyClicks(campo(obs, "edLinha2"), QString(90, QLatin1Char('x')));
        clica(obs, "btOK");
    });
    EXPECT_EQ(g.Orcamento.Obs1, QStringLiteral("Motores fornecidos pelo cliente."));
    EXPECT_EQ(g.Orcamento.Obs2, QString(80, QLatin1Char('x')));

    // Cancela stores nothing and leaves the quotation unchanged.
    for (auto [d, nome] : {std::pair{cond, "edEmbalagem"}, {obs, "edLinha1"}}) {
        SCOPED_TRACE(nome);
        SetAlterado(false);
        const TOrcamento antes = g.Orcamento;
        roda(d, QDialog::Rejected, [&] {
            QTest::keyClicks(campo(d, nome), QStringLiteral("9"));
            clica(d, "btCancela");
        });
        EXPECT_TRUE(g.Orcamento == antes);
        EXPECT_FALSE(g.Alterado);
    }
}
