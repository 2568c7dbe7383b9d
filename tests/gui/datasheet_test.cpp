// The data sheet window walked as a user would: pages, the section boxes,
// Normal/Reduzida, the red warnings, Alt+arrow scrolling, printing a page
// range to a PDF printer, the PDF file, the spreadsheet export with the
// program lookup replaced, and the observations. With QUELLORA_CAPTURAS set
// to a folder, the window is also saved there as a picture.

#include "shell_ambiente.h"

#include "proposal/orcamento_exemplo.h"
#include "proposal/planilha.h"
#include "proposal/proposta.h"
#include "proposal/windows/uqldatasheet.h"

#include <QCheckBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace quellora;

namespace {

class FolhaDeDados : public teste::AmbienteShell {
protected:
    void TearDown() override {
        TfrmDataSheet::LocalizaPrograma = &ComandoParaAbrir;
        qputenv("TMPDIR", tmpdir);
        teste::AmbienteShell::TearDown();
    }

    // Answers the next modal dialog with OK.
    static void AceitaODialogo() {
        QTimer::singleShot(0, [] {
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                d->accept();
        });
    }

    static void AltSeta(QWidget *w, int key, Qt::KeyboardModifiers m = Qt::AltModifier) {
        QKeyEvent p(QEvent::KeyPress, key, m);
        QApplication::sendEvent(w, &p);
        QKeyEvent s(QEvent::KeyRelease, key, m);
        QApplication::sendEvent(w, &s);
    }

    static QString Texto(const QString &pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    QByteArray tmpdir = qgetenv("TMPDIR");
};

} // namespace

TEST_F(FolhaDeDados, PaginasOpcoesImpressaoPdfPlanilhaEObservacoes) {
    // Seven items, the sixth not selected and the seventh of quantity 0.
    ASSERT_TRUE(teste::MontaOrcamento(dados + QLatin1Char('/'), 7));
    const TArquivoOrc orc = teste::ArquivoDoOrcamento();
    abre();
    janela->resize(1000, 760);
    auto &g = G();
    g.Orcamento = orc.Orcamento;
    for (int k = 1; k <= 7; ++k)
        g.Itens[k] = orc.Itens[static_cast<std::size_t>(k - 1)];
    g.NumItens = 7;
    g.Itens[6].Selecionado = false;
    g.Itens[7].Qtd = 0;

    MostraJanela(JAN_DATASHEET);
    auto *w = qobject_cast<TfrmDataSheet *>(JanelaNumero(JAN_DATASHEET));
    ASSERT_TRUE(w && w->isVisible());
    auto *lbPg = w->findChild<QLabel *>(QStringLiteral("lbPg"));
    auto *prox = w->findChild<QPushButton *>(QStringLiteral("btNextPg"));
    auto *ant = w->findChild<QPushButton *>(QStringLiteral("btPrevPg"));
    EXPECT_EQ(TextoStatusAtual(), QStringLiteral("Alt+Setas para mover o relatório"));
    EXPECT_TRUE(w->findChild<QLabel *>(QStringLiteral("lbQuantidade"))->isVisible());
    EXPECT_TRUE(w->findChild<QLabel *>(QStringLiteral("lbSelecao"))->isVisible());
    EXPECT_FALSE(w->findChild<QCheckBox *>(QStringLiteral("cbPrecos"))->isVisible());
    EXPECT_FALSE(w->findChild<QPushButton *>(QStringLiteral("btBases"))->isVisible());
    ASSERT_TRUE(prox->isVisible() && lbPg->isVisible());
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 1/2"));
    EXPECT_FALSE(ant->isEnabled());
    QApplication::processEvents();
    if (!qEnvironmentVariable("QUELLORA_CAPTURAS").isEmpty())
        janela->grab().save(QDir(qEnvironmentVariable("QUELLORA_CAPTURAS")).filePath(QStringLiteral("folha_de_dados.png")));

    // Pages, sections and the reduced form all repaint the sheet.
    const QImage pagina1 = w->folha()->grab().toImage();
    QTest::mouseClick(prox, Qt::LeftButton);
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 2/2"));
    EXPECT_FALSE(prox->isEnabled());
    EXPECT_TRUE(ant->isEnabled());
    const QImage pagina2 = w->folha()->grab().toImage();
    EXPECT_NE(pagina1, pagina2);
    w->findChild<QCheckBox *>(QStringLiteral("cbRuido"))->click();
    EXPECT_FALSE(g.Proposta.SecaoRuido);
    EXPECT_NE(w->folha()->grab().toImage(), pagina2);
    auto *btReduzida = w->findChild<QPushButton *>(QStringLiteral("btReduzida"));
    EXPECT_EQ(btReduzida->text(), QStringLiteral("Normal"));
    QTest::mouseClick(btReduzida, Qt::LeftButton);
    EXPECT_EQ(btReduzida->text(), QStringLiteral("Reduzida"));
    EXPECT_FALSE(g.Proposta.Reduzida);

    // Alt+arrows scroll the sheet by 50; an arrow alone does not.
    QScrollBar *v = w->findChild<QScrollArea *>(QStringLiteral("sb"))->verticalScrollBar();
    ASSERT_GT(v->maximum(), 100);
    EXPECT_EQ(janela->focusWidget(), w);
    AltSeta(w, Qt::Key_Down);
    EXPECT_EQ(v->value(), 50);
    AltSeta(w, Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(v->value(), 50);
    AltSeta(w, Qt::Key_Up);
    EXPECT_EQ(v->value(), 0);

    // Printing page 2 of 2 to a PDF printer; the preview stays where it was.
    const QString impresso = dir.filePath(QStringLiteral("impresso.pdf"));
    w->confirmaImpressao = [&](QPrinter &p) {
        EXPECT_EQ(p.toPage(), 2);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(impresso);
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 2);
        return true;
    };
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btImprime")), Qt::LeftButton);
    const QString t = Texto(impresso);
    EXPECT_TRUE(t.contains(QStringLiteral("Pág. 2 de 2")));
    EXPECT_FALSE(t.contains(QStringLiteral("Pág. 1 de 2")));
    EXPECT_TRUE(t.contains(QStringLiteral("EX-07")));
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 2/2"));
    EXPECT_EQ(g.Proposta.TextoPagina, QStringLiteral("Pág. 2/2"));

    // "Salvar PDF": every page.
    const QString salvo = dir.filePath(QStringLiteral("salvo"));
    w->escolheArquivoPDF = [&] { return salvo; };
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btPDF")), Qt::LeftButton);
    const QString s = Texto(salvo + QStringLiteral(".pdf"));
    EXPECT_TRUE(s.contains(QStringLiteral("Pág. 1 de 2")) && s.contains(QStringLiteral("Pág. 2 de 2")));

    // The spreadsheet export: proposta.xls in the temporary folder, opened
    // by the program found; the two failures.
    QTemporaryDir temp;
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString copia = dir.filePath(QStringLiteral("aberto.xls"));
    QString pedido;
    TfrmDataSheet::LocalizaPrograma = [&](const QString &f) {
        pedido = f;
        return QStringList{QStringLiteral("/bin/cp"), f, copia};
    };
    auto *btExcel = w->findChild<QPushButton *>(QStringLiteral("btExcel"));
    QTest::mouseClick(btExcel, Qt::LeftButton);
    EXPECT_EQ(pedido, QDir(temp.path()).filePath(QStringLiteral("proposta.xls")));
    const QByteArray html = PropostaHTML();
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(copia).size(), html.size(), 10000);
    QFile aberto(copia);
    ASSERT_TRUE(aberto.open(QIODevice::ReadOnly));
    EXPECT_EQ(aberto.readAll(), html);
    TfrmDataSheet::LocalizaPrograma = [](const QString &) { return QStringList(); };
    QTest::mouseClick(btExcel, Qt::LeftButton);
    TfrmDataSheet::LocalizaPrograma = [](const QString &f) { return QStringList{QStringLiteral("/nao/existe"), f}; };
    QTest::mouseClick(btExcel, Qt::LeftButton);
    ASSERT_EQ(respostas.vistas.size(), 2);
    EXPECT_EQ(respostas.vistas[0], QStringLiteral("Não foi possível localizar o programa para abrir uma planilha!"));
    EXPECT_EQ(respostas.vistas[1], QStringLiteral("Não foi possível abrir o arquivo!"));
    EXPECT_EQ(respostas.estilos[1], MB_ERRO);

    // Observations: confirmed with text ticks the box and marks the
    // quotation changed; confirmed blank clears it and changes nothing.
    auto *cbObs = w->findChild<QCheckBox *>(QStringLiteral("cbObs"));
    auto *btObs = w->findChild<QPushButton *>(QStringLiteral("btObs"));
    SetAlterado(false);
    AceitaODialogo();
    QTest::mouseClick(btObs, Qt::LeftButton);
    EXPECT_TRUE(cbObs->isChecked());
    EXPECT_TRUE(g.Alterado);
    SetAlterado(false);
    g.Orcamento.Obs1 = QStringLiteral("  ");
    g.Orcamento.Obs2.clear();
    AceitaODialogo();
    QTest::mouseClick(btObs, Qt::LeftButton);
    EXPECT_FALSE(cbObs->isChecked());
    EXPECT_FALSE(g.Alterado);
    QMetaObject::invokeMethod(w, "MarcaObservacoes", Q_ARG(bool, true));
    EXPECT_TRUE(cbObs->isChecked());

    // Back and in again: page 1, the warnings recomputed.
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("btCancela")), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    g.Itens[7].Qtd = 1;
    MostraJanela(JAN_DATASHEET);
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 1/2"));
    EXPECT_FALSE(w->findChild<QLabel *>(QStringLiteral("lbQuantidade"))->isVisible());
    EXPECT_TRUE(w->findChild<QLabel *>(QStringLiteral("lbSelecao"))->isVisible());
}
