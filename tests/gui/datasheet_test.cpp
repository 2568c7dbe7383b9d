// The data sheet window walked as a user would: pages (those that go on
// with the rows of the same items too), the section boxes, Normal/Reduzida,
// the red warnings and the items the proposal leaves out, Alt+arrow scrolling, printing a page
// range to a PDF printer, the PDF file, the spreadsheet export with the
// program lookup replaced (and, without a program, saved where the user
// chooses), the observations, and the technical data sheets saved and
// handed to the PDF viewer.

#include "shell_ambiente.h"

#include "catalogue/constantes.h"
#include "proposal/folha_tecnica.h"
#include "proposal/orcamento_exemplo.h"
#include "proposal/planilha.h"
#include "proposal/proposta.h"
#include "proposal/windows/uqldatasheet.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>

using namespace quellora;

namespace {

class FolhaDeDados : public teste::AmbienteShell {
protected:
    void TearDown() override {
        TfrmDataSheet::LocalizaPrograma = &ComandoParaAbrir;
        TfrmDataSheet::AbreNoVisualizador = visualizador;
        qputenv("TMPDIR", tmpdir);
        teste::AmbienteShell::TearDown();
    }

    QByteArray tmpdir = qgetenv("TMPDIR");
    std::function<bool(const QString &)> visualizador = TfrmDataSheet::AbreNoVisualizador;
};

} // namespace

TEST_F(FolhaDeDados, PaginasOpcoesImpressaoPdfPlanilhaEObservacoes) {
    // Eight items, the sixth not selected and the seventh of quantity 0:
    // the proposal shows the other six, the eighth on a page of its own.
    ASSERT_TRUE(teste::MontaOrcamento(dados + QLatin1Char('/'), 8));
    const TArquivoOrc orc = teste::ArquivoDoOrcamento();
    abre();
    janela->resize(1000, 760);
    auto &g = G();
    g.Orcamento = orc.Orcamento;
    for (int k = 1; k <= 8; ++k)
        g.Itens[k] = orc.Itens[static_cast<std::size_t>(k - 1)];
    g.NumItens = 8;
    g.Itens[6].Selecionado = false;
    g.Itens[7].Qtd = 0;
    g.Itens[8].RefTag = QStringLiteral("EX-08");

    MostraJanela(JAN_DATASHEET);
    auto *w = qobject_cast<TfrmDataSheet *>(JanelaNumero(JAN_DATASHEET));
    ASSERT_TRUE(w && w->isVisible());
    auto *lbPg = em<QLabel>(w, "lbPg");
    auto *prox = em<QPushButton>(w, "btNextPg");
    auto *ant = em<QPushButton>(w, "btPrevPg");
    EXPECT_EQ(TextoStatusAtual(), QStringLiteral("Alt+Setas para mover o relatório"));
    for (auto [nome, visivel] : {std::pair{"lbQuantidade", true}, {"lbSelecao", true}, {"lbForaDaProposta", true},
                                 {"cbPrecos", false}, {"btBases", false}})
        EXPECT_EQ(em(w, nome)->isVisible(), visivel) << nome;
    EXPECT_EQ(em<QLabel>(w, "lbForaDaProposta")->text(),
              QStringLiteral("Fora da proposta: item 6 (não selecionado), item 7 (quantidade 0)"));
    ASSERT_TRUE(prox->isVisible() && lbPg->isVisible());
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 1/2"));
    EXPECT_FALSE(ant->isEnabled());
    // The sheet has the proportions of the paper (A4).
    EXPECT_NEAR(double(w->folha()->height()) / w->folha()->width(), 297.0 / 210.0, 0.003);
    captura("folha_de_dados");

    // Pages, sections and the reduced form all repaint the sheet.
    const QImage pagina1 = w->folha()->grab().toImage();
    QTest::mouseClick(prox, Qt::LeftButton);
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 2/2"));
    EXPECT_FALSE(prox->isEnabled());
    EXPECT_TRUE(ant->isEnabled());
    const QImage pagina2 = w->folha()->grab().toImage();
    EXPECT_NE(pagina1, pagina2);
    em<QCheckBox>(w, "cbRuido")->click();
    EXPECT_FALSE(g.Proposta.SecaoRuido);
    const QImage semRuido = w->folha()->grab().toImage();
    EXPECT_NE(semRuido, pagina2);
    auto *btReduzida = em<QPushButton>(w, "btReduzida");
    EXPECT_EQ(btReduzida->text(), QStringLiteral("Normal"));
    QTest::mouseClick(btReduzida, Qt::LeftButton);
    EXPECT_EQ(btReduzida->text(), QStringLiteral("Reduzida"));
    EXPECT_FALSE(g.Proposta.Reduzida);
    EXPECT_NE(w->folha()->grab().toImage(), semRuido);

    // Alt+arrows scroll the sheet by 50; an arrow alone does not.
    QScrollBar *v = em<QScrollArea>(w, "sb")->verticalScrollBar();
    ASSERT_GT(v->maximum(), 100);
    EXPECT_EQ(janela->focusWidget(), w);
    for (auto [key, mods, valor] : {std::tuple{Qt::Key_Down, Qt::AltModifier, 50}, {Qt::Key_Down, Qt::NoModifier, 50},
                                    {Qt::Key_Up, Qt::AltModifier, 0}}) {
        tecla(w, key, mods);
        EXPECT_EQ(v->value(), valor) << key << " " << mods;
    }

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
    clica(w, "btImprime");
    const QString t = textoPdf(impresso);
    EXPECT_TRUE(t.contains(QStringLiteral("Pág. 2 de 2")));
    EXPECT_FALSE(t.contains(QStringLiteral("Pág. 1 de 2")));
    EXPECT_TRUE(t.contains(QStringLiteral("EX-08")));
    for (const char *fora : {"IN-06", "EX-07"})
        EXPECT_FALSE(t.contains(QString::fromLatin1(fora))) << fora;
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 2/2"));
    EXPECT_EQ(g.Proposta.TextoPagina, QStringLiteral("Pág. 2/2"));

    // "Salvar PDF": every page.
    const QString salvo = dir.filePath(QStringLiteral("salvo"));
    QString proposto;
    w->escolheArquivo = [&](const QString &p) {
        proposto = p;
        return salvo;
    };
    clica(w, "btPDF");
    const QString s = textoPdf(salvo + QStringLiteral(".pdf"));
    EXPECT_TRUE(s.contains(QStringLiteral("Pág. 1 de 2")) && s.contains(QStringLiteral("Pág. 2 de 2")));
    EXPECT_EQ(QFileInfo(proposto).fileName(), QStringLiteral("proposta_0012_03.pdf"));

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
    clica(w, "btExcel");
    EXPECT_EQ(pedido, QDir(temp.path()).filePath(QStringLiteral("proposta.xls")));
    const QByteArray html = PropostaHTML();
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(copia).size(), html.size(), 10000);
    QFile aberto(copia);
    ASSERT_TRUE(aberto.open(QIODevice::ReadOnly));
    EXPECT_EQ(aberto.readAll(), html);
    TfrmDataSheet::LocalizaPrograma = [](const QString &f) { return QStringList{QStringLiteral("/nao/existe"), f}; };
    clica(w, "btExcel");
    EXPECT_EQ(respostas.vistas, QStringList{"Não foi possível abrir o arquivo!"});
    EXPECT_EQ(respostas.estilos.back(), MB_ERRO);
    // Without a spreadsheet program: declined, nothing; accepted, the file
    // saved where the user chooses (named after the quotation).
    TfrmDataSheet::LocalizaPrograma = [](const QString &) { return QStringList(); };
    const QString planilha = dir.filePath(QStringLiteral("planilha"));
    w->escolheArquivo = [&](const QString &p) {
        proposto = p;
        return planilha;
    };
    respostas.vistas.clear();
    respostas.responde(ID_NAO).responde(ID_SIM);
    clica(w, "btExcel");
    EXPECT_FALSE(QFileInfo::exists(planilha + QStringLiteral(".xls")));
    proposto.clear();
    clica(w, "btExcel");
    const QString pergunta = QStringLiteral("Não foi possível localizar o programa para abrir uma planilha!\r\n"
                                            "Deseja salvar a planilha em um arquivo, para abri-la depois?");
    EXPECT_EQ(respostas.vistas, (QStringList{pergunta, pergunta}));
    EXPECT_EQ(respostas.estilos.back(), MB_SIMNAO_EXCLAMACAO);
    EXPECT_EQ(QFileInfo(proposto).fileName(), QStringLiteral("proposta_0012_03.xls"));
    QFile guardada(planilha + QStringLiteral(".xls"));
    ASSERT_TRUE(guardada.open(QIODevice::ReadOnly));
    EXPECT_EQ(guardada.readAll(), html);

    // Observations confirmed: with text the box ticks and the quotation
    // changes; blank, neither.
    auto *cbObs = em<QCheckBox>(w, "cbObs");
    for (auto [obs1, marcada] : {std::pair{"Entregar na obra", true}, {"  ", false}}) {
        SCOPED_TRACE(obs1);
        SetAlterado(false);
        g.Orcamento.Obs1 = QString::fromUtf8(obs1);
        g.Orcamento.Obs2.clear();
        noProximoDialogo([](QDialog *d) { d->accept(); });
        clica(w, "btObs");
        EXPECT_EQ(cbObs->isChecked(), marcada);
        EXPECT_EQ(g.Alterado, marcada);
    }
    QMetaObject::invokeMethod(w, "MarcaObservacoes", Q_ARG(bool, true));
    EXPECT_TRUE(cbObs->isChecked());

    // Back and in again: page 1, the warnings recomputed.
    clica(w, "btCancela");
    EXPECT_FALSE(w->isVisible());
    g.Itens[7].Qtd = 1;
    MostraJanela(JAN_DATASHEET);
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 1/2"));
    EXPECT_FALSE(em(w, "lbQuantidade")->isVisible());
    EXPECT_TRUE(em(w, "lbSelecao")->isVisible());
    EXPECT_EQ(em<QLabel>(w, "lbForaDaProposta")->text(), QStringLiteral("Fora da proposta: item 6 (não selecionado)"));
}

TEST_F(FolhaDeDados, PaginasQueContinuamContadasNaNavegacaoENaImpressao) {
    // Five items of twelve accessories each and long observations: more
    // than a page of rows.
    ASSERT_TRUE(teste::MontaOrcamento(dados + QLatin1Char('/'), 5));
    const TArquivoOrc orc = teste::ArquivoDoOrcamento();
    abre();
    janela->resize(1000, 760);
    auto &g = G();
    teste::ColocaOrcamento(orc);
    for (int k = 1; k <= 5; ++k) {
        g.Itens[k].AcessSel = {};
        for (int j = 0; j < 12; ++j)
            g.Itens[k].AcessSel[1 + (k * 7 + j) % NumAcessorios] = true;
    }
    g.Orcamento.Obs1 = QStringLiteral("Entrega de todos os itens de uma só vez na obra do cliente, com descarga "
                                      "por conta do cliente e seguro de transporte incluso no preço.");
    g.Orcamento.Obs2 = QStringLiteral("Pintura em epóxi cinza RAL 7035 sobre fundo anticorrosivo; motores WEG "
                                      "ou equivalente de rendimento IR3, com protetor térmico.");

    MostraJanela(JAN_DATASHEET);
    auto *w = qobject_cast<TfrmDataSheet *>(JanelaNumero(JAN_DATASHEET));
    ASSERT_TRUE(w && w->isVisible());
    QMetaObject::invokeMethod(w, "MarcaObservacoes", Q_ARG(bool, true));
    auto *lbPg = em<QLabel>(w, "lbPg");
    auto *prox = em<QPushButton>(w, "btNextPg");
    EXPECT_FALSE(em(w, "lbForaDaProposta")->isVisible());
    const int n = w->numPaginas();
    ASSERT_GE(n, 2) << "the rows go on to a further page";
    EXPECT_EQ(n, NumPaginasProposta());
    ASSERT_TRUE(prox->isVisible());
    EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. 1/%1").arg(n));
    captura("folha_de_dados_continua");

    // The page buttons reach every page, the last one going on with the
    // accessories or the observations.
    QImage antes = w->folha()->grab().toImage();
    for (int i = 2; i <= n; ++i) {
        QTest::mouseClick(prox, Qt::LeftButton);
        EXPECT_EQ(lbPg->text(), QStringLiteral("Pág. %1/%2").arg(i).arg(n));
        const QImage agora = w->folha()->grab().toImage();
        EXPECT_NE(agora, antes) << i;
        antes = agora;
    }
    EXPECT_FALSE(prox->isEnabled());
    captura("folha_de_dados_continuacao");

    // Printing every page: all of them, numbered of n.
    const QString impresso = dir.filePath(QStringLiteral("todas.pdf"));
    w->confirmaImpressao = [&](QPrinter &p) {
        EXPECT_EQ(p.toPage(), n);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(impresso);
        return true;
    };
    clica(w, "btImprime");
    const QString t = textoPdf(impresso);
    for (int i = 1; i <= n; ++i)
        EXPECT_TRUE(t.contains(QStringLiteral("Pág. %1 de %2").arg(i).arg(n))) << i;
    EXPECT_TRUE(t.contains(QStringLiteral("(continuação)")));

    // Without the accessories and observations the items fit one page:
    // the count follows, the preview back within it.
    em<QCheckBox>(w, "cbAcessorios")->click();
    em<QCheckBox>(w, "cbObs")->click();
    EXPECT_EQ(w->numPaginas(), 1);
    EXPECT_EQ(w->paginaAtual(), 1);
    EXPECT_FALSE(prox->isVisible());
    EXPECT_EQ(g.Proposta.TextoPagina, QStringLiteral("Pág. 1/1"));
}

// "Folhas técnicas": the save dialog proposes a name after the quotation,
// the sheets of the ready items are written there and handed to the
// desktop's PDF viewer; a cancelled dialog writes nothing; without a ready
// item the user is told so before any dialog.
TEST_F(FolhaDeDados, FolhasTecnicasGravadasEAbertas) {
    ASSERT_TRUE(teste::MontaOrcamento(dados + QLatin1Char('/'), 7));
    const TArquivoOrc orc = teste::ArquivoDoOrcamento();
    abre();
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
    EXPECT_EQ(em<QPushButton>(w, "btFolhas")->text(), QStringLiteral("Folhas &técnicas"));
    janela->resize(800, 600);
    captura("datasheet_folhas");

    QStringList abertos;
    TfrmDataSheet::AbreNoVisualizador = [&](const QString &f) {
        abertos << f;
        return true;
    };
    QString proposto;
    const QString salvo = dir.filePath(QStringLiteral("folhas"));
    w->escolheArquivo = [&](const QString &p) {
        proposto = p;
        return salvo;
    };
    clica(w, "btFolhas");
    EXPECT_EQ(QFileInfo(proposto).fileName(), QStringLiteral("folhas_0012_03.pdf"));
    const QString pdf = salvo + QStringLiteral(".pdf");
    EXPECT_EQ(abertos, QStringList{pdf});
    const QString t = textoPdf(pdf);
    for (const char *esperado : {"EX-01", "IN-02", "EX-05", "Folha 1 de 5", "Folha 5 de 5", "FEI", "dB(A)"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_FALSE(t.contains(QStringLiteral("Folha 6 de")));
    EXPECT_TRUE(respostas.vistas.isEmpty()) << respostas.vistas.join(QLatin1Char('\n')).toStdString();

    // Cancelled: nothing written, nothing opened.
    abertos.clear();
    w->escolheArquivo = [](const QString &) { return QString(); };
    QFile::remove(pdf);
    clica(w, "btFolhas");
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(abertos.isEmpty());

    // The viewer that does not open it: said, the file kept.
    w->escolheArquivo = [&](const QString &) { return salvo; };
    TfrmDataSheet::AbreNoVisualizador = [](const QString &) { return false; };
    clica(w, "btFolhas");
    EXPECT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(respostas.vistas, QStringList{QStringLiteral("Não foi possível abrir o arquivo!")});

    // No ready item: told, no dialog.
    respostas.vistas.clear();
    for (int k = 1; k <= 7; ++k)
        g.Itens[k].Qtd = 0;
    proposto.clear();
    w->escolheArquivo = [&](const QString &p) {
        proposto = p;
        return salvo;
    };
    clica(w, "btFolhas");
    EXPECT_TRUE(proposto.isEmpty());
    EXPECT_EQ(respostas.vistas, QStringList{QString::fromUtf8(MsgSemItensProntos)});
}
