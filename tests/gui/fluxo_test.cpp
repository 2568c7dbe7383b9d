// A quotation from the main window to the chart, as a newcomer would make
// it: data entry with three items (the third left without pressure), the
// selection of each on a line, the chart window, the detours that leave the
// selection and come back, the printed chart sheet. With QUELLORA_CAPTURAS
// set to a folder, the windows are also saved there as pictures.

#include "shell_ambiente.h"

#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlcurva.h"
#include "ui/grade.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quellora;

namespace {

using Fluxo = teste::AmbienteShell;

// Where the yellow duty point sits in the chart's silver frame, as
// fractions of the frame from its lower left corner, found as the eye finds
// them: the frame's sides are the outermost rows and columns mostly silver.
QPointF PontoNoQuadro(const QImage &img) {
    auto prata = [&](int x, int y) {
        const QColor c = img.pixelColor(x, y);
        return std::abs(c.red() - 0xC0) < 16 && std::abs(c.green() - c.red()) < 6 && std::abs(c.blue() - c.red()) < 6;
    };
    QRect amarelo;
    int topo = -1, base = -1, esquerda = -1, direita = -1;
    for (int y = 0; y < img.height(); ++y) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x) {
            n += prata(x, y);
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() < 100)
                amarelo |= QRect(x, y, 1, 1);
        }
        if (n > img.width() / 3) {
            topo = topo < 0 ? y : topo;
            base = y;
        }
    }
    for (int x = 0; x < img.width(); ++x) {
        int n = 0;
        for (int y = std::max(0, topo); y <= base; ++y)
            n += prata(x, y);
        if (n > (base - topo) / 2) {
            esquerda = esquerda < 0 ? x : esquerda;
            direita = x;
        }
    }
    EXPECT_FALSE(amarelo.isNull());
    EXPECT_GT(base - topo, 20);
    EXPECT_GT(direita - esquerda, 20);
    const QPointF c = QRectF(amarelo).center();
    return {(c.x() - esquerda) / (direita - esquerda), (base - c.y()) / (base - topo)};
}

// Well inside: neither near an edge nor squeezed into a corner.
::testing::AssertionResult BemDentro(const QPointF &p) {
    if (p.x() > 0.3 && p.x() < 0.75 && p.y() > 0.3 && p.y() < 0.75)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "duty point at " << p.x() << ", " << p.y() << " of the frame";
}

} // namespace

TEST_F(Fluxo, DaEntradaDeDadosAoGrafico) {
    teste::Respostas r;
    abre();
    janela->resize(900, 640);
    captura("1_principal");

    QTest::mouseClick(controle<QPushButton>("btDados"), Qt::LeftButton);
    QWidget *dados = JanelaNumero(JAN_DADOS);
    ASSERT_TRUE(dados && dados->isVisible());
    auto *grade = dados->findChild<GradeTexto *>(QStringLiteral("grDados"));
    ASSERT_TRUE(grade);
    // "&Clientes" opens the program's client window; Cancel leaves the
    // client fields as they were.
    QString modal;
    QTimer::singleShot(0, [&] {
        QWidget *w = QApplication::activeModalWidget();
        modal = w ? w->objectName() : QString();
        if (w && !qEnvironmentVariable("QUELLORA_CAPTURAS").isEmpty())
            w->grab().save(QDir(qEnvironmentVariable("QUELLORA_CAPTURAS")).filePath(QStringLiteral("2_clientes.png")));
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
    });
    QTest::mouseClick(dados->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    EXPECT_EQ(modal, QStringLiteral("TfrmClientes"));
    EXPECT_TRUE(dados->findChild<QLineEdit *>(QStringLiteral("edNome"))->text().isEmpty());

    auto *projeto = dados->findChild<QLineEdit *>(QStringLiteral("edProjeto"));
    projeto->setFocus();
    digita(projeto, QStringLiteral("Ventilação da fundição"));

    grade->setFocus();
    grade->setCelulaAtual(1, 1);
    linha(grade, {QStringLiteral("EX-01"), QStringLiteral("2"), QStringLiteral("Exaustor"), QStringLiteral("10000"),
                  QStringLiteral("50"), QString(), QString()});
    // Enter after the last cell appends a row and goes to its tag.
    linha(grade, {QStringLiteral("IN-02"), QStringLiteral("1"), QStringLiteral("Insuflamento"),
                  QStringLiteral("20000"), QStringLiteral("150"), QStringLiteral("40"), QStringLiteral("800")});
    linha(grade, {QStringLiteral("RS-03"), QStringLiteral("1"), QStringLiteral("Sem pressão"),
                  QStringLiteral("3000")});
    EXPECT_EQ(grade->RowCount(), 4);
    captura("2_dados");

    QTest::mouseClick(dados->findChild<QPushButton *>(QStringLiteral("btSelecao")), Qt::LeftButton);
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join(QLatin1Char('|')).toStdString();
    // The third row, without pressure, is left out.
    EXPECT_EQ(G().NumItens, 2);
    EXPECT_EQ(G().Orcamento.Projeto, QStringLiteral("Ventilação da fundição"));

    auto *calc = qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS));
    ASSERT_TRUE(calc && calc->isVisible());
    EXPECT_EQ(TituloAtual(), QStringLiteral("Cálculos"));
    EXPECT_EQ(calc->grItens()->RowCount(), 3);
    clicaLinha(calc, "BSD");
    ASSERT_GT(calc->sgModelos()->RowCount(), 2);
    const int destaque = calc->LinhaDestaque();
    EXPECT_GE(calc->sgModelos()->Numero(0, destaque), 560);
    EXPECT_LE(calc->sgModelos()->Numero(0, destaque), 800);
    EXPECT_TRUE(calc->CurvaValida);
    captura("3_selecao");

    // Item 2 on GTD.
    calc->grItens()->setCelulaAtual(1, 2);
    clicaLinha(calc, "GTD");
    EXPECT_EQ(G().Itens[2].Linha.isEmpty(), true); // not confirmed yet
    EXPECT_TRUE(G().Itens[2].TextoModelo.startsWith(QStringLiteral("GTD")));
    captura("4_selecao_item2");

    // The chart window, and back.
    QTest::mouseClick(calc->findChild<QPushButton *>(QStringLiteral("btCurva")), Qt::LeftButton);
    auto *curva = qobject_cast<TfrmCurva *>(JanelaNumero(JAN_CURVA));
    ASSERT_TRUE(curva && curva->isVisible());
    EXPECT_EQ(curva->findChild<QLabel *>(QStringLiteral("lbItem"))->text(), QStringLiteral("Item: 2"));
    EXPECT_EQ(curva->findChild<QLabel *>(QStringLiteral("st5"))->text(), QStringLiteral("20000 m³/h"));
    captura("5_curva");
    const int linhas = calc->sgModelos()->RowCount();
    QTest::mouseClick(curva->findChild<QPushButton *>(QStringLiteral("btCancela")), Qt::LeftButton);
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(calc->sgModelos()->RowCount(), linhas);
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join(QLatin1Char('|')).toStdString();

    // No arrangement was confirmed: back from another window the lines are
    // gone, and with them the sizes, the chart and what acts on them.
    auto *btSeleciona = calc->findChild<QPushButton *>("btSeleciona");
    auto *btCurva = calc->findChild<QPushButton *>("btCurva");
    ASSERT_TRUE(btCurva->isEnabled());
    for (const auto &[botao, numero] : {std::pair{"btConfigura", JAN_CONFIGURA}, {"btDataSheet", JAN_DATASHEET}}) {
        SCOPED_TRACE(botao);
        QTest::mouseClick(calc->findChild<QPushButton *>(botao), Qt::LeftButton);
        QTest::mouseClick(JanelaNumero(numero)->findChild<QPushButton *>("btCancela"), Qt::LeftButton);
        ASSERT_TRUE(calc->isVisible());
        for (int k = 1; k <= G().NumItens; ++k)
            EXPECT_TRUE(calc->grItens()->Cells(1, k).isEmpty()) << k;
        EXPECT_TRUE(calc->sgModelos()->Cells(0, 1).isEmpty());
        EXPECT_TRUE(calc->sgModelos()->Titulo(0).isEmpty());
        EXPECT_FALSE(btSeleciona->isEnabled());
        EXPECT_FALSE(btCurva->isEnabled());
        EXPECT_FALSE(calc->CurvaValida);
        QImage branca(calc->pb()->imagem().size(), QImage::Format_RGB32);
        branca.fill(Qt::white);
        EXPECT_TRUE(calc->pb()->imagem().convertToFormat(QImage::Format_RGB32) == branca) << "the small chart is blank";
    }
    captura("6_selecao_de_volta");

    // A line for item 1 again: its own chart, and the curve window shows
    // item 1 and the highlighted size.
    calc->grItens()->setCelulaAtual(1, 1);
    clicaLinha(calc, "BSD");
    ASSERT_TRUE(btCurva->isEnabled());
    EXPECT_TRUE(btSeleciona->isEnabled());
    const int row = calc->sgModelos()->Row();
    EXPECT_EQ(G().Curva.CurvaDiametro, static_cast<int>(calc->sgModelos()->Numero(0, row)));
    QTest::mouseClick(btCurva, Qt::LeftButton);
    ASSERT_TRUE(curva->isVisible());
    auto st = [&](int i) { return curva->findChild<QLabel *>(QStringLiteral("st%1").arg(i))->text(); };
    EXPECT_EQ(curva->findChild<QLabel *>("lbItem")->text(), "Item: 1");
    EXPECT_EQ(st(2), "EX-01");
    EXPECT_EQ(st(4), "BSD " + calc->sgModelos()->Cells(0, row));
    EXPECT_EQ(st(5), "10000 m³/h");
    EXPECT_NE(st(9), "0,00 kW");
    EXPECT_NE(st(10), "0 %");
    // The duty point well inside the chart, on the screen and on the sheet.
    EXPECT_TRUE(BemDentro(PontoNoQuadro(curva->painel()->imagem())));

    // Its sheet printed on a PDF printer at its own (high) resolution, then
    // looked at as a page at 100 pixels per inch.
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath("folha.pdf");
    curva->confirmaImpressao = [&](QPrinter &p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    };
    QTest::mouseClick(curva->findChild<QPushButton *>("BitBtn2"), Qt::LeftButton);
    EXPECT_FALSE(Pagina().Imprimindo);
    constexpr int Ppp = 100;
    ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", QString::number(Ppp), "-png", "-singlefile", pdf, pasta.filePath("folha")}), 0);
    const QImage pagina = QImage(pasta.filePath("folha.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(pagina.isNull());
    if (const QString capturas = qEnvironmentVariable("QUELLORA_CAPTURAS"); !capturas.isEmpty())
        pagina.save(QDir(capturas).filePath("7_folha_da_curva.png"));
    EXPECT_TRUE(BemDentro(PontoNoQuadro(pagina.copy(0, pagina.height() / 3, pagina.width(), pagina.height() * 2 / 3))));

    // The logo's blues (its fan, "LORA" and the line under it) span the
    // whole 240 x 60 box at 96 pixels per inch: 97 % of its width, 94 % of
    // its height, nothing beyond.
    QRect logo;
    for (int y = 0; y < pagina.height() / 5; ++y)
        for (int x = 0; x < pagina.width(); ++x) {
            const QColor c = pagina.pixelColor(x, y);
            if (c.blue() > c.red() + 60)
                logo |= QRect(x, y, 1, 1);
        }
    const double largura = 240.0 * Ppp / 96, altura = 60.0 * Ppp / 96;
    EXPECT_NEAR(logo.width(), 0.97 * largura, 0.03 * largura);
    EXPECT_NEAR(logo.height(), 0.94 * altura, 0.06 * altura);

    // Along the heading text, from the page's right edge: the outer frame,
    // the inner frame, then the text, a margin (4 pixels at 96 per inch)
    // away from the inner frame.
    auto escuro = [&](int x) {
        for (int y = logo.top() + 3; y <= logo.top() + 12; ++y)
            if (qGray(pagina.pixel(x, y)) < 160)
                return true;
        return false;
    };
    int x = pagina.width() - 1;
    auto ate = [&](bool tinta) {
        while (x > 0 && escuro(x) != tinta)
            --x;
    };
    ate(true); // outer frame
    ate(false);
    ate(true); // inner frame
    const int molduraInterna = x;
    ate(false);
    ate(true); // the heading's last letter
    EXPECT_GT(x, logo.right()) << "the heading text lies right of the logo";
    EXPECT_GE(molduraInterna - x - 1, 4 * Ppp / 96 - 1);
    QTest::mouseClick(curva->findChild<QPushButton *>("btCancela"), Qt::LeftButton);

    // "Novo", not saving: an empty quotation in an emptied data entry.
    ASSERT_TRUE(G().Alterado);
    r.responde(ID_NAO);
    QTest::mouseClick(controle<QAbstractButton>("SpeedButton4"), Qt::LeftButton);
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], QStringLiteral("Você alterou algum dado.\r\nDeseja salvar?"));
    EXPECT_EQ(G().NumItens, 0);
    EXPECT_FALSE(G().Alterado);
    EXPECT_TRUE(dados->isVisible());
    EXPECT_EQ(grade->RowCount(), 2);
    EXPECT_TRUE(grade->Cells(1, 1).isEmpty());
    EXPECT_TRUE(grade->Cells(4, 1).isEmpty());
    EXPECT_EQ(grade->Cells(6, 1), QStringLiteral("20"));
    EXPECT_TRUE(projeto->text().isEmpty());
    EXPECT_FALSE(calc->CurvaValida);
    EXPECT_TRUE(calc->sgModelos()->Cells(0, 1).isEmpty());
    // Leaving for selection again stores nothing of the old items.
    QTest::mouseClick(dados->findChild<QPushButton *>(QStringLiteral("btSelecao")), Qt::LeftButton);
    EXPECT_EQ(G().NumItens, 0);
}
