// The selection and curve windows driven as a user would: line buttons, the
// "Modelo" drop-down, moving between items, the question on a selected
// item, the chart, its printing and its copy.

#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlcurva.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "quotation/orcamento.h"
#include "respostas.h"
#include "selection/calculo.h"
#include "selection/eficiencia.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/windows/aplicacao.h"
#include "ui/grade.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

using namespace quellora;

namespace quellora::teste {

// Item k's duty as data entry stores it.
void Item(int k, double vazao, double pressao, double temp = 20, double alt = 0) {
    TItemOrc &it = G().Itens[k];
    it = TItemOrc{};
    it.RefTag = QStringLiteral("VE-%1").arg(k);
    it.Qtd = 1;
    it.Descricao = QStringLiteral("Ventilador %1").arg(k);
    it.Vazao = vazao;
    it.Pressao = pressao;
    it.Temperatura = temp;
    it.Altitude = alt;
    it.DensidadeItem = DensidadeDoAr(temp, alt);
}

// The engine's own answer for a duty on list position p (-1: the line in
// use), the engine's state left as it was.
TResultadoGrade Referencia(int p, const TItemOrc &it) {
    auto &g = G();
    const TDadosModelo modelo = g.Modelo;
    const TResultadoGrade antes = g.Resultado;
    const bool so = g.SoTamanho;
    EXPECT_TRUE(p < 0 || CarregaModelo(g.DirDados, p));
    g.VazaoCalc = it.Vazao;
    g.PressaoCalc = it.Pressao;
    g.Densidade = it.DensidadeItem;
    g.SoTamanho = false;
    CalculaModeloCarregado();
    TResultadoGrade r = g.Resultado;
    g.Modelo = modelo;
    g.Resultado = antes;
    g.SoTamanho = so;
    return r;
}

} // namespace quellora::teste

using namespace quellora::teste;

namespace {

QPushButton *BotaoDaLinha(QWidget *w, const QString &codigo) {
    for (auto *b : w->findChildren<QPushButton *>())
        if (b->objectName().startsWith(QLatin1String("btLinha")) && b->text() == codigo.left(3))
            return b;
    return nullptr;
}

class Selecao : public ::testing::Test {
protected:
    void SetUp() override {
        ResetaEstado();
        auto &g = G();
        g.DirDados = QStringLiteral(QUELLORA_DADOS_DIR "/");
        g.DirCatalogo = g.DirDados;
        ASSERT_TRUE(CarregaMotores(g.DirCatalogo, 1));
        Item(1, 10000, 50);
        Item(2, 5000, 30);
        Item(3, 3000, 20, 40, 800);
        g.NumItens = 3;
        painel = std::make_unique<QWidget>();
        painel->resize(900, 620);
        w = new TfrmCalculos(painel.get());
        curva = new TfrmCurva(painel.get());
        painel->show();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(painel.get()));
    }
    void TearDown() override {
        painel.reset();
        ResetaEstado();
    }

    int PosicaoDe(const QString &codigo) const {
        for (int k = 0; k < w->linhas().size(); ++k)
            if (w->linhas()[k].startsWith(codigo + QLatin1Char(' ')))
                return k;
        return -1;
    }

    std::unique_ptr<QWidget> painel;
    TfrmCalculos *w = nullptr;
    TfrmCurva *curva = nullptr;
};

} // namespace

TEST_F(Selecao, BotaoDeLinhaCalculaEGradeMostraOMotor) {
    teste::Respostas r;
    const int bsd = PosicaoDe(QStringLiteral("BSD"));
    ASSERT_GE(bsd, 0);
    EXPECT_EQ(w->findChild<QLabel *>(QStringLiteral("lbItem"))->text(), QStringLiteral("Item: 1"));
    auto *bt = BotaoDaLinha(w, QStringLiteral("BSD"));
    ASSERT_TRUE(bt);
    QTest::mouseClick(bt, Qt::LeftButton);
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join(QLatin1Char('|')).toStdString();

    const TResultadoGrade ref = Referencia(bsd, G().Itens[1]);
    GradeTexto *sg = w->sgModelos();
    ASSERT_EQ(sg->RowCount(), ref.NumQualificados + 1);
    // The energy figures at the right of the grid's own columns.
    ASSERT_EQ(sg->ColCount(), 14);
    EXPECT_EQ(sg->Titulo(11), QStringLiteral("LwA\rdB(A)"));
    EXPECT_EQ(sg->Titulo(12), QStringLiteral("FEI"));
    EXPECT_EQ(sg->Titulo(13), QStringLiteral("UE"));
    TEnergiaCatalogo energia;
    ASSERT_TRUE(CarregaEnergia(G().DirCatalogo, energia));
    const TBaseEnergia base = BaseDaLinha(energia, QStringLiteral("BSD"), TPreferencias{});
    int atende = 0, naoAtende = 0;
    int row = 1;
    double best = 0;
    int destaque = -1;
    for (int i = 1; i <= 23; ++i) {
        if (!ref.Qualificado[i])
            continue;
        EXPECT_EQ(sg->Numero(0, row), Tamanhos[i]);
        EXPECT_EQ(sg->Cells(1, row), ref.ArranjosTam[i]);
        EXPECT_NEAR(sg->Numero(2, row), ref.RotacaoTam[i], 1e-9 * ref.RotacaoTam[i]);
        EXPECT_NEAR(sg->Numero(6, row), ref.RendTam[i], 1e-9);
        EXPECT_NEAR(sg->Numero(9, row), ref.PotMotorTam[i], 1e-9);
        EXPECT_EQ(sg->Numero(10, row), i);
        const TEficiencia e = EficienciaDoTamanho(ref, i, G().Modelo, G().Itens[1].DensidadeItem, false, base);
        ASSERT_TRUE(e.Valida);
        EXPECT_NEAR(sg->Numero(12, row), e.FEI, 1e-12);
        EXPECT_EQ(sg->TextoExibido(12, row), FormataFloat(QStringLiteral("0.00"), e.FEI));
        EXPECT_EQ(sg->Cells(13, row), e.AtendeUE == ResultadoUE::Atende ? QStringLiteral("✓") : QStringLiteral("✗"));
        (e.AtendeUE == ResultadoUE::Atende ? atende : naoAtende) += 1;
        if (ref.RendTam[i] > best) {
            best = ref.RendTam[i];
            destaque = row;
        }
        ++row;
    }
    EXPECT_GT(atende, 0);
    EXPECT_GT(naoAtende, 0) << "10 000 m³/h at 50 mmCA: the smallest sizes fall short";
    EXPECT_EQ(w->LinhaDestaque(), destaque);
    EXPECT_EQ(sg->Row(), destaque);
    // Under the chart: the highlighted size's FEI, EU check and annual cost.
    const TEficiencia d = w->EficienciaDaLinha(destaque);
    const QString energia1 = w->findChild<QLabel *>(QStringLiteral("lbEnergia"))->text();
    EXPECT_TRUE(energia1.startsWith(QStringLiteral("FEI ") + FormataFloat(QStringLiteral("0.00"), d.FEI)))
        << energia1.toStdString();
    EXPECT_TRUE(energia1.contains(QStringLiteral("R$ ") + FormataFloat(QStringLiteral(",0.00"), d.CustoAnual)))
        << energia1.toStdString();
    // The line follows the cursor.
    sg->setCelulaAtual(0, 1);
    EXPECT_TRUE(w->findChild<QLabel *>(QStringLiteral("lbEnergia"))->text().startsWith(
        QStringLiteral("FEI ") + sg->TextoExibido(12, 1)));
    sg->setCelulaAtual(0, destaque);
    EXPECT_EQ(sg->Titulo(0), G().Modelo.Codigo);
    EXPECT_TRUE(w->findChild<QPushButton *>(QStringLiteral("btSeleciona"))->isEnabled());
    EXPECT_TRUE(w->CurvaValida);
    EXPECT_TRUE(w->findChild<QPushButton *>(QStringLiteral("btCurva"))->isEnabled());
    EXPECT_EQ(G().Itens[1].TextoModelo, w->linhas()[bsd].left(30));
    EXPECT_EQ(G().Itens[1].IndModelo, bsd);
    EXPECT_EQ(w->grItens()->Cells(1, 1), w->linhas()[bsd]);
    EXPECT_TRUE(G().Alterado);
    // The chart is the highlighted size's.
    EXPECT_EQ(G().Curva.CurvaDiametro, static_cast<int>(sg->Numero(0, destaque)));
}

TEST_F(Selecao, ListaSuspensaOutroItemEVoltaMantemODestaque) {
    teste::Respostas r;
    QTest::mouseClick(BotaoDaLinha(w, QStringLiteral("BSD")), Qt::LeftButton);
    const int destaque1 = w->LinhaDestaque();
    const QString tam1 = w->sgModelos()->Cells(0, destaque1);

    // Item 2 has no line: an empty size grid, nothing to select.
    GradeTexto *gi = w->grItens();
    gi->setFocus();
    gi->setCelulaAtual(1, 2);
    EXPECT_EQ(G().ItemAtual, 2);
    EXPECT_EQ(w->findChild<QLabel *>(QStringLiteral("lbItem"))->text(), QStringLiteral("Item: 2"));
    EXPECT_EQ(w->sgModelos()->RowCount(), 2);
    EXPECT_TRUE(w->sgModelos()->Cells(0, 1).isEmpty());
    EXPECT_FALSE(w->findChild<QPushButton *>(QStringLiteral("btSeleciona"))->isEnabled());

    // Choose GTD in the drop-down of item 2, as a user: F2 opens the editor.
    const int gtd = PosicaoDe(QStringLiteral("GTD"));
    ASSERT_GE(gtd, 0);
    QTest::keyClick(gi, Qt::Key_F2);
    auto *cb = gi->findChild<QComboBox *>();
    ASSERT_TRUE(cb);
    cb->setCurrentIndex(cb->findText(w->linhas()[gtd]));
    QTest::keyClick(cb, Qt::Key_Return);
    QTest::qWait(20); // the view commits the editor's choice from the event loop
    EXPECT_EQ(gi->Cells(1, 2), w->linhas()[gtd]);
    const TResultadoGrade ref = Referencia(gtd, G().Itens[2]);
    EXPECT_EQ(w->sgModelos()->RowCount(), ref.NumQualificados + 1);
    EXPECT_EQ(G().Itens[2].IndModelo, gtd);
    EXPECT_EQ(G().Modelo.Codigo, QStringLiteral("GTD"));

    // Back to item 1: recalculated on its own line, same highlight.
    gi->setCelulaAtual(1, 1);
    EXPECT_EQ(G().ItemAtual, 1);
    EXPECT_EQ(G().Modelo.Codigo, QStringLiteral("BSD"));
    EXPECT_EQ(w->LinhaDestaque(), destaque1);
    EXPECT_EQ(w->sgModelos()->Cells(0, destaque1), tam1);
    EXPECT_TRUE(r.vistas.isEmpty());
}

TEST_F(Selecao, ItemSelecionadoMostraSoASelecaoGuardadaEPerguntaAntesDeTrocar) {
    auto &g = G();
    const int bsd = PosicaoDe(QStringLiteral("BSD"));
    // Item 2 carries a confirmed selection on BSD.
    TItemOrc &it = g.Itens[2];
    it.Selecionado = true;
    it.TextoModelo = w->linhas()[bsd].left(30);
    it.RegModelo = bsd;
    it.IndModelo = bsd;
    it.Tamanho = 630;
    it.IndiceTam = IndiceDoTamanho(630);
    it.Arranjo = 3;
    it.Rotacao = 1100;
    it.Rendimento = 80;
    it.PotOp = 1.9;
    it.PTotal20 = 55;
    it.RotMax = 2000;
    w->PreencheItens();

    teste::Respostas r;
    GradeTexto *gi = w->grItens();
    gi->setCelulaAtual(1, 2);
    // One row from the stored fields, nothing to select until a line is chosen.
    EXPECT_EQ(w->sgModelos()->Cells(0, 1), QStringLiteral("630"));
    EXPECT_EQ(w->sgModelos()->Cells(1, 1), QStringLiteral("4"));
    EXPECT_EQ(w->sgModelos()->Cells(2, 1), QStringLiteral("1100"));
    EXPECT_TRUE(w->sgModelos()->Cells(10, 1).isEmpty());
    EXPECT_EQ(w->LinhaDestaque(), 1);
    EXPECT_FALSE(w->findChild<QPushButton *>(QStringLiteral("btSeleciona"))->isEnabled());
    EXPECT_EQ(g.Curva.CurvaRotacao, 1100);

    // A line button on it asks first; No changes nothing.
    r.responde(ID_NAO);
    QTest::mouseClick(BotaoDaLinha(w, QStringLiteral("GTD")), Qt::LeftButton);
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_TRUE(r.vistas[0].startsWith(QStringLiteral("Este item já foi selecionado.")));
    EXPECT_TRUE(g.Itens[2].Selecionado);
    EXPECT_EQ(g.Itens[2].Tamanho, 630);
    EXPECT_EQ(gi->Cells(1, 2), w->linhas()[bsd]);

    // Yes: the item loses its selection (duty kept) and GTD is calculated.
    r.responde(ID_SIM);
    QTest::mouseClick(BotaoDaLinha(w, QStringLiteral("GTD")), Qt::LeftButton);
    EXPECT_EQ(r.vistas.size(), 2);
    EXPECT_FALSE(g.Itens[2].Selecionado);
    EXPECT_EQ(g.Itens[2].Tamanho, 0);
    EXPECT_EQ(g.Itens[2].Vazao, 5000);
    EXPECT_EQ(g.Modelo.Codigo, QStringLiteral("GTD"));
    EXPECT_GT(w->sgModelos()->RowCount(), 2);
    EXPECT_TRUE(w->findChild<QPushButton *>(QStringLiteral("btSeleciona"))->isEnabled());
}

TEST_F(Selecao, DeverForaDosLimitesAvisaEEsvaziaOModelo) {
    auto &g = G();
    Item(3, 10, 2000); // no fan of any line does this
    w->PreencheItens();
    teste::Respostas r;
    w->grItens()->setCelulaAtual(1, 3);
    QTest::mouseClick(BotaoDaLinha(w, QStringLiteral("BSD")), Qt::LeftButton);
    ASSERT_FALSE(r.vistas.isEmpty());
    EXPECT_TRUE(r.vistas.last().startsWith(QStringLiteral("Características de desempenho ultrapassam limites")));
    EXPECT_TRUE(w->grItens()->Cells(1, 3).isEmpty());
    EXPECT_FALSE(w->CurvaValida);
    EXPECT_TRUE(g.Itens[3].TextoModelo.isEmpty());
}

TEST_F(Selecao, CurvaRecebeOsTextosImprimeECopia) {
    teste::Respostas r;
    QTest::mouseClick(BotaoDaLinha(w, QStringLiteral("BSD")), Qt::LeftButton);
    const TTextosCurva t = w->TextosDaCurva();
    EXPECT_EQ(t.Item, QStringLiteral("Item: 1"));
    EXPECT_EQ(t.Valores[1], QStringLiteral("VE-1"));
    EXPECT_EQ(t.Valores[3], QStringLiteral("BSD ") + w->sgModelos()->Cells(0, w->sgModelos()->Row()));
    EXPECT_EQ(t.Valores[4], QStringLiteral("10000 m³/h"));
    EXPECT_EQ(t.Valores[5], QStringLiteral("50,0 mmCA"));
    EXPECT_EQ(t.Bloco[5].second, QStringLiteral("50 mmCA"));
    EXPECT_TRUE(t.Valores[9].endsWith(QStringLiteral(" %")));

    curva->defineTextos(t);
    curva->show();
    EXPECT_EQ(curva->findChild<QLabel *>(QStringLiteral("st5"))->text(), QStringLiteral("10000 m³/h"));

    // The copy on the clipboard has the operating point in yellow where the
    // chart's geometry puts it.
    curva->copiaParaAreaDeTransferencia();
    const QImage img = QApplication::clipboard()->image();
    ASSERT_FALSE(img.isNull());
    const QPoint op = curva->painel()->geometria().Ponto(G().Curva.CurvaVazaoOp, G().Curva.CurvaPressaoOp);
    EXPECT_EQ(img.pixel(op), qRgb(255, 255, 0));

    // Cancel in the (scripted) print dialog prints nothing.
    QTemporaryDir dir;
    const QString outro = dir.filePath(QStringLiteral("outro.pdf"));
    curva->confirmaImpressao = [&](QPrinter &p) {
        p.setOutputFileName(outro);
        return false;
    };
    QTest::mouseClick(curva->findChild<QPushButton *>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists(outro));

    // The real print dialog, with Qt's own texts in Brazilian Portuguese as
    // the program starts it, cancelled.
    QTranslator *traducao = CarregaTraducoes();
    ASSERT_TRUE(traducao) << "qtbase_pt_BR.qm not found";
    curva->confirmaImpressao = nullptr;
    QString titulo;
    QStringList botoes;
    QTimer::singleShot(0, [&] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            titulo = d->windowTitle();
            for (auto *b : d->findChildren<QPushButton *>())
                botoes << b->text();
            d->reject();
        }
    });
    QTest::mouseClick(curva->findChild<QPushButton *>(QStringLiteral("BitBtn2")), Qt::LeftButton);
    const QString cancela = QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text();
    QCoreApplication::removeTranslator(traducao);
    delete traducao;
    EXPECT_EQ(titulo, QStringLiteral("Imprimir"));
    EXPECT_TRUE(botoes.contains(QStringLiteral("Cancelar"))) << botoes.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(botoes.contains(QStringLiteral("Cancel"))) << botoes.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(cancela, QStringLiteral("Cancelar"));
}
