// A quotation from the main window to the chart, as a newcomer would make
// it: data entry with three items (the third left without pressure), the
// selection of each on a line, the chart window. With QUELLORA_CAPTURAS set
// to a folder, the windows are also saved there as pictures.

#include "shell_ambiente.h"

#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlcurva.h"
#include "ui/grade.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace quellora;

namespace {

class Fluxo : public teste::AmbienteShell {};

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
    EXPECT_EQ(GradeTexto::Formata(grade->Cells(8, 2), QStringLiteral("0.000")), QStringLiteral("1.028"));
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
    QPushButton *bsd = nullptr;
    for (auto *b : calc->findChildren<QPushButton *>())
        if (b->text() == QLatin1String("BSD"))
            bsd = b;
    ASSERT_TRUE(bsd);
    QTest::mouseClick(bsd, Qt::LeftButton);
    ASSERT_GT(calc->sgModelos()->RowCount(), 2);
    const int destaque = calc->LinhaDestaque();
    EXPECT_GE(calc->sgModelos()->Numero(0, destaque), 560);
    EXPECT_LE(calc->sgModelos()->Numero(0, destaque), 800);
    EXPECT_TRUE(calc->CurvaValida);
    captura("3_selecao");

    // Item 2 on GTD.
    calc->grItens()->setCelulaAtual(1, 2);
    for (auto *b : calc->findChildren<QPushButton *>())
        if (b->text() == QLatin1String("GTD"))
            QTest::mouseClick(b, Qt::LeftButton);
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
