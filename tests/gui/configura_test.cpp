// The configuration window and the conditions and observations dialogs,
// driven as a user would in the whole program on the sample catalogue: items
// confirmed by the engine, accessories ticked in the checklist, the motor and
// position windows reached and come back from, special accessories, and the
// texts that close the proposal. With QUELLORA_CAPTURAS set to a folder the
// windows are also saved there as pictures.

#include "shell_ambiente.h"

#include "catalogue/constantes.h"
#include "pricing/configuracao.h"
#include "pricing/windows/uqlconfigura.h"
#include "quotation/arquivo_orc.h"
#include "quotation/orcamento.h"
#include "selection/calculo.h"
#include "ui/grade.h"
#include "ui/lista.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

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

    // Item k with a duty, confirmed on a line and arrangement as the
    // arrangement window leaves it (the engine's highlighted size).
    void Confirma(int k, const char *linha, double vazao, double pressao, const char *arranjo) {
        auto &g = G();
        TItemOrc &it = g.Itens[k];
        it = TItemOrc{};
        it.RefTag = QStringLiteral("VE-%1").arg(k);
        it.Qtd = k;
        it.Descricao = QStringLiteral("Exaustão %1").arg(k);
        it.Vazao = vazao;
        it.Pressao = pressao;
        it.Temperatura = 20;
        it.DensidadeItem = DensidadeDoAr(20, 0);
        if (!linha)
            return;
        QStringList linhas;
        ASSERT_TRUE(ListaModelos(g.DirDados, linhas));
        int p = -1;
        for (int n = 0; n < linhas.size(); ++n)
            if (linhas[n].startsWith(QString::fromLatin1(linha) + QLatin1Char(' ')))
                p = n;
        ASSERT_GE(p, 0);
        ASSERT_TRUE(CarregaModelo(g.DirDados, p));
        g.VazaoCalc = vazao;
        g.PressaoCalc = pressao;
        g.Densidade = it.DensidadeItem;
        g.SoTamanho = false;
        CalculaModeloCarregado();
        const int i = TamanhoDestaque(g.Resultado);
        ASSERT_GE(i, 1);
        it.Selecionado = true;
        it.TextoModelo = linhas[p].left(30);
        it.Linha = g.Modelo.Codigo.left(4);
        it.IndModelo = it.RegModelo = p;
        it.Arranjo = IndiceDoArranjo(QString::fromLatin1(arranjo));
        it.Direto = it.Arranjo == ArranjoDireto;
        it.IndiceTam = i;
        it.Tamanho = Tamanhos[i];
        it.DescTamanho = g.Resultado.ArranjosTam[i];
        it.Rotacao = static_cast<int>(g.Resultado.RotacaoTam[i]);
        it.PolosSug = g.Resultado.PolosTam[i] / 2;
        it.MotorIni = g.Resultado.MotorTam[i];
        it.MotorSugerido = g.Resultado.PotMotorTam[i];
        if (it.Direto) {
            it.Polos = 1; // 4 poles chosen for the motor speed
            it.VazaoDireto = vazao * 0.95;
            it.PressaoDireto = pressao * 0.9025;
        }
        ASSERT_TRUE(CarregaPrecoModelo(g.DirDados, p));
        it.PrecoVent = PrecoVentilador(g.PrecoModelo, it.Arranjo, it.IndiceTam);
    }

    ListaDesenhada *clb() const { return conf->clb(); }
    int entrada(const char *codigo) const { return entradaAcessorio(conf, codigo); }
    bool marcado(const char *codigo) const { return clb()->Marcado(entrada(codigo)); }
    void item(int r) { escolheItem(conf, r); }
    void marca(int i) { marcaAcessorio(conf, i); }
    void marca(const char *codigo) { marca(entrada(codigo)); }

    QString grade(int col, int row) const { return conf->sgConfig()->Cells(col, row + 1); }
    QStringList linhasDaGrade() const {
        QStringList r;
        for (int row = 1; row < conf->sgConfig()->RowCount(); ++row)
            r << conf->sgConfig()->Cells(0, row) + QLatin1Char('|') + conf->sgConfig()->Cells(1, row) +
                     QLatin1Char('|') + conf->sgConfig()->Cells(2, row);
        return r;
    }

    // A picker or the motor window writes the item and returns here.
    void voltaDe(int numero, const std::function<void(TItemOrc &)> &escolha) {
        ASSERT_EQ(JanelaAtiva(), JanelaNumero(numero));
        escolha(G().Itens[G().ItemAtual]);
        MostraJanela(JAN_CONFIGURA);
        ASSERT_EQ(JanelaAtiva(), conf);
    }

    void captura(QWidget *w, const char *nome) {
        const QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
        if (pasta.isEmpty() || !w)
            return;
        QApplication::processEvents();
        w->grab().save(QDir(pasta).filePath(QString::fromLatin1(nome) + QStringLiteral(".png")));
    }

    // Runs 'passo' on the dialog once its modal loop runs.
    static void noDialogo(QDialog *d, std::function<void()> passo) {
        QTimer::singleShot(0, d, [d, passo] {
            EXPECT_TRUE(d->isVisible());
            passo();
        });
    }

    TfrmConfigura *conf = nullptr;
};

} // namespace

TEST_F(Configura, TresItensDaSelecaoAoArquivo) {
    auto &g = G();
    Confirma(1, "BSD", 10000, 50, "9");
    Confirma(2, "BSD", 3000, 40, "4");
    Confirma(3, nullptr, 5000, 30, nullptr);
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
    EXPECT_EQ(conf->findChild<QLineEdit *>(QStringLiteral("edProjeto"))->text(), QStringLiteral("Galpão 2"));
    EXPECT_EQ(conf->cbItens()->Quantas(), 3);
    EXPECT_EQ(conf->cbItens()->currentRow(), -1);
    EXPECT_EQ(g.Orcamento.ICMS, 2) << "the list's choice: 12 %, the factors' default";
    for (const char *oculto : {"btAtPreco", "gbFatores", "gbDesconto"})
        EXPECT_FALSE(conf->findChild<QWidget *>(QString::fromLatin1(oculto))->isVisible()) << oculto;

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
    EXPECT_TRUE(marcado("MM"));
    EXPECT_EQ(linhasDaGrade(), (QStringList{QStringLiteral("Ventilador|BSD 710 / 9|"),
                                            QStringLiteral("Montagem de motor|MM|INC.")}));
    EXPECT_EQ(conf->findChild<QLineEdit *>(QStringLiteral("edVazao"))->text(), QStringLiteral("10000"));
    EXPECT_TRUE(g.Itens[1].Configurado);

    // The position needs a base first; with the adjustable base the belt picker opens.
    marca("POS");
    EXPECT_EQ(respostas.vistas.last(), QString::fromUtf8(MsgEscolhaBase));
    EXPECT_FALSE(marcado("POS"));
    // The mouse on the box ticks it as the space bar does.
    const QRect br = clb()->visualItemRect(clb()->item(entrada("BR")));
    QTest::mouseClick(clb()->viewport(), Qt::LeftButton, {}, QPoint(br.left() + 10, br.center().y()));
    EXPECT_TRUE(marcado("BR"));
    marca("POS");
    voltaDe(JAN_POSICAO, [](TItemOrc &it) {
        it.Posicao = QStringLiteral("RD 180°/BR 0°");
        it.ExigeQuadro = true;
    });
    EXPECT_TRUE(marcado("POS"));
    EXPECT_TRUE(marcado("QR")) << "the frame this position needs";
    EXPECT_EQ(grade(0, 1), QStringLiteral("Posição"));
    EXPECT_EQ(grade(1, 1), QStringLiteral("RD 180°/BR 0°"));
    captura(janela, "configura_1_posicao");
    const int vistas = static_cast<int>(respostas.vistas.size());
    marca("QR");
    EXPECT_EQ(respostas.vistas.size(), vistas + 1);
    EXPECT_EQ(respostas.vistas.last(), QString::fromUtf8(MsgQuadro));
    EXPECT_TRUE(marcado("QR"));

    // A cabinet, confirmed: only what a cabinet allows stays, and the line shows as BBS.
    respostas.responde(ID_OK);
    marca("GAB");
    EXPECT_EQ(respostas.vistas.last(), QString::fromUtf8(MsgConfirmaGabinete));
    EXPECT_EQ(respostas.estilos.back(), MB_OKCANCEL_EXCLAMACAO);
    EXPECT_TRUE(g.Itens[1].ComGabinete);
    EXPECT_FALSE(marcado("BR"));
    EXPECT_FALSE(marcado("QR"));
    EXPECT_FALSE(marcado("POS"));
    EXPECT_TRUE(g.Itens[1].Posicao.isEmpty());
    EXPECT_TRUE(marcado("MM"));
    EXPECT_EQ(grade(1, 0), QStringLiteral("BBS 710 / 9"));
    marca("SID");
    EXPECT_EQ(respostas.vistas.last(), QString::fromUtf8(MsgGabineteNaoPermitido));
    EXPECT_FALSE(marcado("SID"));
    marca("PG06");
    marca("LFD");
    marca("POS");
    voltaDe(JAN_GAB680A1000, [](TItemOrc &it) { it.Posicao = QStringLiteral("RD 0°/TA 90°"); });
    EXPECT_TRUE(marcado("POS"));
    EXPECT_FALSE(marcado("QR"));
    captura(janela, "configura_2_gabinete");

    // Without the cabinet, its own accessories and position go.
    marca("GAB");
    EXPECT_FALSE(g.Itens[1].ComGabinete);
    EXPECT_FALSE(marcado("PG06"));
    EXPECT_FALSE(marcado("POS"));
    EXPECT_TRUE(marcado("LFD"));
    EXPECT_EQ(grade(1, 0), QStringLiteral("BSD 710 / 9"));
    marca("BU");
    marca("POS");
    voltaDe(JAN_POSICAOBU, [](TItemOrc &it) {
        it.Posicao = QStringLiteral("LG 90°/BU W");
        it.ExigeQuadro = false;
    });
    EXPECT_FALSE(marcado("QR"));
    // A frame chosen by the user stays when the motor window comes back.
    marca("QR");
    marca(0);
    voltaDe(JAN_MOTOR, [](TItemOrc &it) { it.ComMotor = it.SemMotor = true; });
    EXPECT_TRUE(marcado("QR"));
    EXPECT_TRUE(clb()->Marcado(0));

    // A special accessory of the quotation, typed in its dialog (Insert key).
    auto *aceEsp = qobject_cast<QDialog *>(JanelaClasse("TfrmAceEsp"));
    ASSERT_NE(aceEsp, nullptr);
    noDialogo(aceEsp, [&] {
        EXPECT_EQ(aceEsp->findChild<QLabel *>(QStringLiteral("lbModelo"))->text(), LegendaModelo());
        auto *ed = aceEsp->findChild<QLineEdit *>(QStringLiteral("edDenominacao"));
        QTest::mouseClick(aceEsp->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        EXPECT_EQ(respostas.vistas.last(), QStringLiteral("Você precisa informar um valor para a descrição!"));
        EXPECT_TRUE(aceEsp->isVisible());
        digita(ed, QStringLiteral("Suporte antivibratório especial"));
        captura(aceEsp, "configura_3_acessorio_especial");
        QTest::mouseClick(aceEsp->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
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
    EXPECT_TRUE(linhasDaGrade().contains(QStringLiteral("Suporte antivibratório es||S.C.")));
    captura(janela, "configura_4_lista");

    // Item 2, direct coupling: the special accessory is offered, the motor shows its rows.
    item(1);
    EXPECT_EQ(g.ItemAtual, 2);
    EXPECT_EQ(clb()->Quantas(), conf->Lista().PrimeiroEspecial + 1);
    EXPECT_FALSE(clb()->Marcado(conf->Lista().PrimeiroEspecial));
    EXPECT_TRUE(clb()->Marcado(0));
    EXPECT_EQ(conf->findChild<QLineEdit *>(QStringLiteral("edVazao"))->text(), QStringLiteral("2850"));
    EXPECT_TRUE(linhasDaGrade().contains(QStringLiteral("|3F 220/380|")));
    // Unticking the motor takes the pole count back to the pole choice.
    marca(0);
    EXPECT_FALSE(g.Itens[2].ComMotor);
    EXPECT_EQ(g.Itens[2].Polos, 1);
    // Ticking it opens the motor window; cancelled there, the box is unticked again.
    marca(0);
    voltaDe(JAN_MOTOR, [](TItemOrc &) {});
    EXPECT_FALSE(clb()->Marcado(0));
    marca(0);
    voltaDe(JAN_MOTOR, [](TItemOrc &it) {
        it.ComMotor = true;
        it.SemMotor = true;
    });
    EXPECT_TRUE(clb()->Marcado(0));
    EXPECT_EQ(linhasDaGrade().last(), QStringLiteral("Motor|Sem Motor|"));
    // Its position comes from the direct-coupling picker.
    marca("POS");
    voltaDe(JAN_POSICAO4, [](TItemOrc &it) { it.Posicao = QStringLiteral("RD 90°"); });
    EXPECT_TRUE(marcado("POS"));

    // Back on item 1 everything chosen is still there.
    item(0);
    EXPECT_TRUE(marcado("BU"));
    EXPECT_TRUE(marcado("LFD"));
    EXPECT_TRUE(marcado("POS"));
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
    g.Orcamento.NumAcessEsp = 1;
    EXPECT_TRUE(g.Alterado);

    // Saved and read back, every choice and price is in place.
    TArquivoOrc arq{g.Orcamento, {g.Itens[1], g.Itens[2], g.Itens[3]}};
    TArquivoOrc lido;
    QString erro;
    ASSERT_TRUE(ArquivoOrcDeBytes(ArquivoOrcParaBytes(arq), QStringLiteral("teste.orc"), lido, &erro));
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const TItemOrc &a = g.Itens[k];
        const TItemOrc &b = lido.Itens[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(b.AcessSel, a.AcessSel);
        EXPECT_EQ(b.Posicao, a.Posicao);
        EXPECT_EQ(b.AcessEspPrecoLista, a.AcessEspPrecoLista);
        EXPECT_EQ(b.PrecoAcess, a.PrecoAcess);
        EXPECT_EQ(b.PrecoVent, a.PrecoVent);
        EXPECT_EQ(b.ComGabinete, a.ComGabinete);
    }

    // The data sheet and back keep the item on screen; "&Calculos" leaves.
    QTest::mouseClick(conf->findChild<QPushButton *>(QStringLiteral("btDataSheet")), Qt::LeftButton);
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_DATASHEET));
    VoltaJanela();
    EXPECT_EQ(JanelaAtiva(), conf);
    EXPECT_EQ(conf->cbItens()->currentRow(), 0);
    EXPECT_TRUE(marcado("BU"));
    QTest::mouseClick(conf->findChild<QPushButton *>(QStringLiteral("btCancela")), Qt::LeftButton);
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_CALCULOS));

    // A new quotation leaves nothing of this one in the window.
    ASSERT_TRUE(QMetaObject::invokeMethod(conf, "OrcamentoNovo"));
    EXPECT_EQ(conf->cbItens()->Quantas(), 0);
    EXPECT_EQ(clb()->Quantas(), 0);
    EXPECT_EQ(conf->sgConfig()->RowCount(), 2);
    g.Orcamento.ICMS = 4;
    ASSERT_TRUE(QMetaObject::invokeMethod(conf, "OrcamentoAberto"));
    EXPECT_EQ(conf->findChild<QComboBox *>(QStringLiteral("cbICMS"))->currentIndex(), 3);
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
    auto campo = [&](QDialog *d, const char *nome) { return d->findChild<QLineEdit *>(QString::fromLatin1(nome)); };
    auto caixa = [&](const char *nome) { return cond->findChild<QCheckBox *>(QString::fromLatin1(nome)); };
    auto clica = [](QCheckBox *b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); };
    auto ok = [](QDialog *d) { QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btOK")), Qt::LeftButton); };
    auto reescreve = [](QLineEdit *ed, const QString &t) {
        ed->selectAll();
        QTest::keyClick(ed, Qt::Key_Backspace);
        QTest::keyClicks(ed, t);
    };

    // A quotation without conditions shows the design's defaults.
    noDialogo(cond, [&] {
        EXPECT_EQ(campo(cond, "edPagamento")->text(), QStringLiteral("30% sinal 70% contra aviso de embarque"));
        EXPECT_EQ(campo(cond, "edEntrega")->text(), QStringLiteral("25"));
        EXPECT_EQ(campo(cond, "edValidade")->text(), QStringLiteral("7"));
        EXPECT_TRUE(campo(cond, "edFrete")->text().startsWith(QStringLiteral("FOB DravolinBrum")));
        reescreve(campo(cond, "edEntrega"), QStringLiteral("2a0/3b0"));
        EXPECT_EQ(campo(cond, "edEntrega")->text(), QStringLiteral("20/30")) << "only digits and the slash";
        reescreve(campo(cond, "edIPI"), QStringLiteral("10"));
        reescreve(campo(cond, "edValidade"), QStringLiteral("300"));
        captura(cond, "condicoes");
        ok(cond);
        EXPECT_TRUE(respostas.vistas.last().contains(QStringLiteral("no máximo 255 dias")));
        EXPECT_TRUE(cond->isVisible()) << "a validity the quotation cannot hold is refused";
        EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 0);
        reescreve(campo(cond, "edValidade"), QStringLiteral("30"));
        ok(cond);
    });
    EXPECT_EQ(cond->exec(), QDialog::Accepted);
    const TFatores &c = g.Orcamento.FatoresOrc;
    EXPECT_EQ(c.Entrega, 7700);
    EXPECT_EQ(c.Validade, 30);
    EXPECT_EQ(c.IPI, 10);
    EXPECT_EQ(c.Embalagem, 4);
    EXPECT_EQ(c.Pagamento, QStringLiteral("30% sinal 70% contra aviso de embarque"));
    EXPECT_TRUE(g.Alterado);
    EXPECT_TRUE(controle<QWidget>("btSave")->isEnabled());

    // Opened again it shows the quotation's own values; the packing boxes exclude each other.
    SetAlterado(false);
    noDialogo(cond, [&] {
        EXPECT_EQ(campo(cond, "edEntrega")->text(), QStringLiteral("20/30"));
        EXPECT_EQ(campo(cond, "edEmbalagem")->text(), QStringLiteral("4"));
        EXPECT_FALSE(g.Alterado) << "loading is no change";
        clica(caixa("ckInclusa"));
        EXPECT_TRUE(caixa("ckInclusa")->isChecked());
        EXPECT_TRUE(campo(cond, "edEmbalagem")->text().isEmpty());
        clica(caixa("ckSem"));
        EXPECT_FALSE(caixa("ckInclusa")->isChecked());
        QTest::keyClicks(campo(cond, "edEmbalagem"), QStringLiteral("x"));
        EXPECT_FALSE(caixa("ckSem")->isChecked());
        EXPECT_TRUE(g.Alterado);
        QTest::mouseClick(cond->findChild<QPushButton *>(QStringLiteral("btCancela")), Qt::LeftButton);
    });
    EXPECT_EQ(cond->exec(), QDialog::Rejected);
    EXPECT_EQ(c.Embalagem, 4) << "Cancela stores nothing";
    EXPECT_FALSE(g.Alterado);
    noDialogo(cond, [&] {
        QTest::keyClicks(campo(cond, "edEmbalagem"), QStringLiteral("x"));
        ok(cond);
    });
    EXPECT_EQ(cond->exec(), QDialog::Accepted);
    EXPECT_EQ(c.Embalagem, -1) << "a packing that is no number: without packing";

    // Observations.
    g.Orcamento.Obs1 = QStringLiteral("Primeira");
    noDialogo(obs, [&] {
        EXPECT_EQ(campo(obs, "edLinha1")->text(), QStringLiteral("Primeira"));
        reescreve(campo(obs, "edLinha1"), QStringLiteral("Motores fornecidos pelo cliente."));
        QTest::keyClicks(campo(obs, "edLinha2"), QString(90, QLatin1Char('x')));
        captura(obs, "observacoes");
        ok(obs);
    });
    EXPECT_EQ(obs->exec(), QDialog::Accepted);
    EXPECT_EQ(g.Orcamento.Obs1, QStringLiteral("Motores fornecidos pelo cliente."));
    EXPECT_EQ(g.Orcamento.Obs2, QString(80, QLatin1Char('x')));
    noDialogo(obs, [&] {
        reescreve(campo(obs, "edLinha1"), QStringLiteral("outra"));
        QTest::mouseClick(obs->findChild<QPushButton *>(QStringLiteral("btCancela")), Qt::LeftButton);
    });
    EXPECT_EQ(obs->exec(), QDialog::Rejected);
    EXPECT_EQ(g.Orcamento.Obs1, QStringLiteral("Motores fornecidos pelo cliente."));
}
