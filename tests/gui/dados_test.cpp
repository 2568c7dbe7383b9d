// Data entry window driven as a user would: typing in the item grid, moving
// with the keys, the buttons, the client and project fields.

#include "clients/clientes.h"
#include "clients/windows/uqlclientes.h"
#include "quotation/orcamento.h"
#include "quotation/windows/uqldados.h"
#include "shell/estado.h"
#include "shell/windows/servicos.h"
#include "ui/grade.h"

#include "gui/respostas.h"

#include <QAccessible>
#include <QApplication>
#include <QDate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace quellora;
using quellora::teste::Respostas;

namespace {

class DadosTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetaEstado();
        painel = std::make_unique<QWidget>();
        painel->resize(800, 560);
        janela = new TfrmDados(painel.get());
        painel->show();
        janela->show();
        QApplication::processEvents();
        grade = janela->findChild<GradeTexto *>(QStringLiteral("grDados"));
        ASSERT_NE(grade, nullptr);
    }

    void TearDown() override {
        DefineEscolhaCliente(nullptr);
        DefineIndiceICMS(nullptr);
        painel.reset();
        ResetaEstado();
    }

    // The widget the keys go to: the cell editor while one is open.
    QWidget *alvo() const {
        if (QWidget *ed = grade->indexWidget(grade->currentIndex()))
            return ed;
        return grade;
    }

    static void tecla(QWidget *w, int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString &texto = {}) {
        QKeyEvent p(QEvent::KeyPress, key, m, texto);
        QApplication::sendEvent(w, &p);
        QKeyEvent r(QEvent::KeyRelease, key, m, texto);
        QApplication::sendEvent(w, &r);
        QApplication::processEvents();
    }
    void tecla(int key, Qt::KeyboardModifiers m = Qt::NoModifier) { tecla(alvo(), key, m); }

    void digita(const QString &s) {
        for (QChar ch : s)
            tecla(alvo(), ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
    }
    // Types a value and presses Enter.
    void celula(const QString &s) {
        digita(s);
        tecla(Qt::Key_Return);
    }
    // A whole row typed from the tag cell: Enter after each cell.
    void linha(const QString &tag, const QString &qtd, const QString &desc, const QString &vazao,
               const QString &pressao, const QString &temp = {}, const QString &alt = {}) {
        for (const QString &v : {tag, qtd, desc, vazao, pressao, temp, alt}) {
            if (v.isEmpty())
                tecla(Qt::Key_Return);
            else
                celula(v);
        }
    }

    void clica(int c, int r) {
        const QRect ret = grade->visualRect(grade->model()->index(r - 1, c));
        const QPointF p = ret.center();
        QMouseEvent press(QEvent::MouseButtonPress, p, grade->viewport()->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grade->viewport(), &press);
        QMouseEvent solta(QEvent::MouseButtonRelease, p, grade->viewport()->mapToGlobal(p), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grade->viewport(), &solta);
        QApplication::processEvents();
    }

    void botao(const char *nome) {
        auto *b = janela->findChild<QPushButton *>(QString::fromLatin1(nome));
        ASSERT_NE(b, nullptr) << nome;
        b->click();
        QApplication::processEvents();
    }

    QLineEdit *edit(const char *nome) const { return janela->findChild<QLineEdit *>(QString::fromLatin1(nome)); }

    // Row r typed in, cursor back on its tag cell.
    void vaiPara(int c, int r) { grade->setCelulaAtual(c, r); }

    std::unique_ptr<QWidget> painel;
    TfrmDados *janela = nullptr;
    GradeTexto *grade = nullptr;
};

// --- Layout and creation ------------------------------------------------------------

TEST_F(DadosTest, CriacaoMostraUmaLinhaComTitulosLargurasEDensidade) {
    EXPECT_EQ(grade->ColCount(), 9);
    EXPECT_EQ(grade->RowCount(), 2);
    const QStringList titulos = {"Item",           "Ref/Tag",        "Qtd",       "Descrição",  "Vazão\rm³/h",
                                 "Pressão\rmmH2O", "Temp.\rºC",      "Altitude\rm", "Densidade\rkg/m³"};
    const int larguras[9] = {25, 64, 25, 239, 45, 50, 35, 40, 64};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(grade->Titulo(c), titulos[c]);
        // The design's width, wider only where the title needs it.
        EXPECT_EQ(grade->columnWidth(c), std::max(larguras[c], grade->horizontalHeader()->sectionSizeHint(c))) << c;
    }
    EXPECT_EQ(grade->horizontalHeader()->height(), 30);
    EXPECT_EQ(grade->rowHeight(0), 20);
    EXPECT_EQ(grade->Cells(0, 1), "1");
    EXPECT_EQ(grade->Cells(6, 1), "20");
    EXPECT_EQ(grade->Cells(7, 1), "0");
    EXPECT_EQ(GradeTexto::Formata(grade->Cells(8, 1), "0.000"), "1,205");
    EXPECT_FALSE(grade->Editavel(0));
    EXPECT_FALSE(grade->Editavel(8));

    EXPECT_EQ(edit("edData")->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(TituloAtual(), "Dados");
    // Every edit has its caption as buddy.
    for (const char *nome : {"edNome", "edEndereco", "edCidade", "edEmail", "edContato", "edFone", "edFax",
                             "edOrcamento", "edData", "edProjeto"}) {
        QLineEdit *ed = edit(nome);
        ASSERT_NE(ed, nullptr) << nome;
        bool achou = false;
        for (QLabel *lb : janela->findChildren<QLabel *>())
            achou = achou || lb->buddy() == ed;
        EXPECT_TRUE(achou) << nome;
    }
    for (const char *nome : {"edNome", "edEndereco", "edCidade", "edEmail", "edContato", "edFone", "edFax"})
        EXPECT_TRUE(edit(nome)->isReadOnly()) << nome;
    for (const char *nome : {"btCancela", "btSelecao", "btDataSheet", "BitBtn1"})
        EXPECT_NE(janela->findChild<QPushButton *>(QString::fromLatin1(nome)), nullptr) << nome;
}

// --- Typing items and going to selection -------------------------------------------------

TEST_F(DadosTest, TresItensOTerceiroSemPressaoSelecaoGuardaDois) {
    Respostas r;
    G().Fatores.Entrega = 30;
    G().Fatores.ICMSPadrao = 0;
    G().Orcamento.ICMS = -1;
    edit("edProjeto")->setText("Exaustão galpão 3");
    vaiPara(1, 1);
    linha("EX-01", "2", "Exaustor", "1500", "45.5", "40", "800");
    ASSERT_EQ(grade->Row(), 2) << "Enter after the last cell appends a row";
    EXPECT_EQ(grade->Col(), 1);
    EXPECT_EQ(GradeTexto::Formata(grade->Cells(8, 1), "0.000"), "1,028");
    linha("", "1", "", "2000", "30");
    EXPECT_EQ(grade->RowCount(), 4);
    // Third row: a flow, no pressure.
    celula("T3");
    tecla(Qt::Key_Return);
    tecla(Qt::Key_Return);
    celula("900");
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join("|").toStdString();
    EXPECT_TRUE(G().Alterado);

    botao("btSelecao");
    const auto &g = G();
    EXPECT_EQ(g.NumItens, 2);
    EXPECT_EQ(g.Orcamento.NumItensOrc, 2);
    EXPECT_EQ(g.Itens[1].RefTag, "EX-01");
    EXPECT_EQ(g.Itens[1].Qtd, 2);
    EXPECT_EQ(g.Itens[1].Descricao, "Exaustor");
    EXPECT_EQ(g.Itens[1].Vazao, 1500.0);
    EXPECT_EQ(g.Itens[1].Pressao, 45.5);
    EXPECT_EQ(g.Itens[1].Temperatura, 40.0);
    EXPECT_EQ(g.Itens[1].Altitude, 800.0);
    EXPECT_DOUBLE_EQ(g.Itens[1].DensidadeItem, DensidadeDoAr(40, 800));
    EXPECT_EQ(g.Itens[2].RefTag, "N.D.");
    EXPECT_EQ(g.Itens[2].Descricao, "---");
    EXPECT_EQ(g.Itens[2].Temperatura, 20.0);
    EXPECT_EQ(g.Itens[3].Vazao, 0.0) << "the half-filled last row is no item";
    EXPECT_EQ(g.ProjetoAtual, "Exaustão galpão 3");
    // The first store initialised the commercial terms with the default ICMS.
    EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 30);
    EXPECT_EQ(g.Orcamento.ICMS, 3);
    // Left for the selection window.
    EXPECT_TRUE(janela->isHidden());
    EXPECT_TRUE(r.vistas.isEmpty());
    // The grid still shows the third row as typed.
    EXPECT_EQ(grade->RowCount(), 4);
    EXPECT_EQ(grade->Cells(4, 3), "900");
}

TEST_F(DadosTest, SelecaoSemItemRecusada) {
    Respostas r;
    vaiPara(1, 1);
    celula("TAG");
    botao("btSelecao");
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], "Você deve ter no mínimo um item para poder selecionar!");
    EXPECT_EQ(r.estilos[0], MB_ERRO);
    EXPECT_EQ(G().NumItens, 0);
    EXPECT_EQ(G().Orcamento.NumItensOrc, 0);
    EXPECT_FALSE(janela->isHidden());
    EXPECT_EQ(G().Orcamento.FatoresOrc.Entrega, 0);
}

// --- Appending rows --------------------------------------------------------------

TEST_F(DadosTest, AcrescimoExigeVazaoEPressaoEObedeceAoLimite) {
    Respostas r;
    vaiPara(1, 1);
    tecla(Qt::Key_Down);
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], "Você deve informar uma vazão!");
    EXPECT_EQ(r.estilos[0], MB_ERRO);
    EXPECT_EQ(grade->RowCount(), 2);
    EXPECT_EQ(grade->Col(), 4);
    EXPECT_EQ(grade->Row(), 1);

    celula("1200"); // flow, now on pressure
    vaiPara(6, 1);
    tecla(Qt::Key_Down);
    ASSERT_EQ(r.vistas.size(), 2);
    EXPECT_EQ(r.vistas[1], "Você deve informar uma pressão!");
    EXPECT_EQ(grade->Col(), 5);
    EXPECT_EQ(grade->RowCount(), 2);

    celula("30");
    vaiPara(3, 1);
    tecla(Qt::Key_Down);
    EXPECT_EQ(r.vistas.size(), 2);
    ASSERT_EQ(grade->RowCount(), 3);
    EXPECT_EQ(grade->Row(), 2);
    EXPECT_EQ(grade->Col(), 3);
    EXPECT_EQ(grade->Cells(0, 2), "2");
    EXPECT_EQ(grade->Cells(6, 2), "20");
    EXPECT_EQ(grade->Cells(7, 2), "0");
    EXPECT_EQ(GradeTexto::Formata(grade->Cells(8, 2), "0.000"), "1,205");
    EXPECT_TRUE(janela->Modificado());

    // Up to forty items, and not one more.
    for (int k = 2; k <= 40; ++k) {
        vaiPara(4, k);
        celula("1000");
        celula("20");
        if (k < 40) {
            tecla(Qt::Key_Down);
            ASSERT_EQ(grade->RowCount(), k + 2);
        }
    }
    const int antes = static_cast<int>(r.vistas.size());
    vaiPara(5, 40);
    tecla(Qt::Key_Down);
    ASSERT_EQ(r.vistas.size(), antes + 1);
    EXPECT_EQ(r.vistas.last(), "Máximo 40 itens por orçamento!");
    EXPECT_EQ(grade->RowCount(), 41);
    botao("btSelecao");
    EXPECT_EQ(G().NumItens, 40);
}

TEST_F(DadosTest, EnterAndaComoTabEValorNaoNumericoERecusado) {
    Respostas r;
    vaiPara(1, 1);
    tecla(Qt::Key_Return);
    EXPECT_EQ(grade->Col(), 2);
    tecla(Qt::Key_Return);
    EXPECT_EQ(grade->Col(), 3);
    // A description of at most the 40 characters the item keeps.
    celula("Ventilador centrífugo de simples aspiração, classe II");
    EXPECT_EQ(grade->Cells(3, 1), "Ventilador centrífugo de simples aspiraç");
    celula("1500");
    // A refused value leaves the cell as it was and says why, naming the
    // field and what it expects: the flow is a whole number (its thousands
    // may be grouped); no negative quantity, flow or pressure, nor a
    // temperature below absolute zero.
    const struct {
        int col;
        const char *texto, *fica, *motivo;
    } casos[] = {
        {4, "abc", "1500", "Vazão: «abc» não é um número. Informe a vazão em m³/h."},
        {4, "12.5", "1500", "Vazão: «12.5» não é um número inteiro. Informe a vazão em m³/h."},
        {2, "x", "", "Quantidade: «x» não é um número. Informe a quantidade de ventiladores."},
        {2, "-2", "", "Quantidade: «-2» é um número negativo. Informe a quantidade de ventiladores."},
        {4, "-1500", "1500", "Vazão: «-1500» é um número negativo. Informe a vazão em m³/h."},
        {2, "99999999999", "", "Quantidade: «99999999999» é um número grande demais. Informe a quantidade de ventiladores."},
        {2, "2147483647", "2147483647", nullptr},
        {6, "-300", "20", MsgTemperaturaInvalida},
        {7, "alto", "0", "Altitude: «alto» não é um número. Informe a altitude do local em m."},
        {4, "2.500", "2500", nullptr},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.texto);
        r.vistas.clear();
        vaiPara(c.col, 1);
        celula(c.texto);
        EXPECT_EQ(grade->Cells(c.col, 1), c.fica);
        EXPECT_EQ(r.vistas, c.motivo ? QStringList{QString::fromUtf8(c.motivo)} : QStringList{});
    }
    EXPECT_EQ(GradeTexto::Formata(grade->Cells(8, 1), "0.000"), "1,205");
    // A comma is read as the decimal point.
    vaiPara(7, 1);
    celula("1000,5");
    EXPECT_EQ(grade->Cells(7, 1), "1000.5");
}

TEST_F(DadosTest, NumerosNaFormaDoLocalDoUsuario) {
    Respostas r;
    vaiPara(1, 1);
    // A Brazilian user types a comma; the cell keeps the value with a dot and
    // shows it, and the density, the Brazilian way.
    linha("EX-01", "1", "Exaustor", "1500", "12,5", "40,5", "800");
    EXPECT_EQ(grade->Cells(5, 1), "12.5");
    EXPECT_EQ(grade->TextoExibido(5, 1), "12,5");
    EXPECT_EQ(grade->TextoExibido(6, 1), "40,5");
    EXPECT_EQ(grade->TextoExibido(8, 1), "1,027");
    // A screen reader reads what the cells show.
    QAccessibleInterface *tabela = QAccessible::queryAccessibleInterface(grade);
    ASSERT_TRUE(tabela && tabela->tableInterface());
    QStringList lidos;
    for (int c : {0, 4, 5, 8})
        if (QAccessibleInterface *celula = tabela->tableInterface()->cellAt(0, c))
            lidos << celula->text(QAccessible::Name);
    EXPECT_EQ(lidos, (QStringList{"1", "1500", "12,5", "1,027"}));
    // Its editor shows the same.
    vaiPara(5, 1);
    tecla(Qt::Key_F2);
    ASSERT_NE(alvo(), grade);
    EXPECT_EQ(qobject_cast<QLineEdit *>(alvo())->text(), "12,5");
    tecla(Qt::Key_Escape);
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join("|").toStdString();
    botao("btSelecao");
    const TItemOrc &it = G().Itens[1];
    EXPECT_EQ(std::tuple(it.Pressao, it.Temperatura, it.Altitude), std::tuple(12.5, 40.5, 800.0));

    // An English-speaking user reads and types dots: the comma is no decimal
    // point there.
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(grade->TextoExibido(5, 1), "12.5");
    EXPECT_EQ(grade->TextoExibido(8, 1), "1.027");
    vaiPara(5, 1);
    celula("7,5");
    EXPECT_EQ(grade->Cells(5, 1), "12.5");
    EXPECT_EQ(r.vistas, QStringList{"Pressão: «7,5» não é um número. Informe a pressão estática em mmCA."});

    // A machine that names no locale (C or POSIX): the numbers read and
    // shown the Brazilian way, the thousands of a flow included.
    QLocale::setDefault(LocalDoPrograma(QLocale::c()));
    vaiPara(4, 1);
    celula("10.000");
    vaiPara(5, 1);
    celula("50,5");
    EXPECT_EQ(std::tuple(grade->Cells(4, 1), grade->Cells(5, 1), grade->TextoExibido(5, 1)),
              std::tuple(QString("10000"), QString("50.5"), QString("50,5")));
    EXPECT_EQ(r.vistas.size(), 1);
    QLocale::setDefault(antes);
}

TEST_F(DadosTest, ValorRecusadoDizPorQueEOCursorFicaNaCelula) {
    Respostas r;
    vaiPara(4, 1);
    celula("1500");
    celula("-3");
    EXPECT_EQ(grade->Col(), 5) << "the cursor stays on the refused cell";
    EXPECT_EQ(grade->Cells(5, 1), "");
    // Its editor is still open, with the cell's own value back, selected:
    // what is typed next replaces it.
    ASSERT_NE(alvo(), grade);
    EXPECT_EQ(qobject_cast<QLineEdit *>(alvo())->text(), "");
    celula("30");
    EXPECT_EQ(grade->Cells(5, 1), "30");
    EXPECT_EQ(grade->Col(), 6);
    celula("abc");
    EXPECT_EQ(grade->Col(), 6);
    EXPECT_EQ(qobject_cast<QLineEdit *>(alvo())->text(), "20");
    // Also when the cursor would leave downwards.
    digita("-400");
    tecla(Qt::Key_Down);
    EXPECT_EQ(grade->Row(), 1);
    EXPECT_EQ(grade->Cells(6, 1), "20");
    // Each refusal says why.
    EXPECT_EQ(r.vistas, (QStringList{"Pressão: «-3» é um número negativo. Informe a pressão estática em mmCA.",
                                     "Temperatura: «abc» não é um número. Informe a temperatura do ar em °C.",
                                     QString::fromUtf8(MsgTemperaturaInvalida)}));
}

// --- A selected item's duty ---------------------------------------------------------

class DadosSelecionadoTest : public DadosTest {
protected:
    void SetUp() override {
        DadosTest::SetUp();
        Respostas r;
        vaiPara(1, 1);
        linha("A", "1", "um", "1000", "10");
        linha("B", "2", "dois", "2000", "20");
        linha("C", "3", "tres", "3000", "30");
        botao("btSelecao");
        ASSERT_EQ(G().NumItens, 3);
        for (int k = 1; k <= 3; ++k) {
            G().Itens[k].Selecionado = true;
            G().Itens[k].Tamanho = 400 + k;
            G().Itens[k].Posicao = QStringLiteral("CW 90");
        }
        janela->show();
        SetAlterado(false);
        ASSERT_TRUE(r.vistas.isEmpty());
    }
};

TEST_F(DadosSelecionadoTest, MudarODeverPerguntaNaoMantemSimReseta) {
    Respostas r;
    vaiPara(3, 2);
    r.responde(ID_NAO).responde(ID_NAO);
    tecla(Qt::Key_Right); // description -> flow
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], QString::fromUtf8(MsgItemSelecionado));
    EXPECT_EQ(r.estilos[0], MB_SIMNAO_EXCLAMACAO);
    EXPECT_EQ(grade->Col(), 3) << "No keeps the cursor where it was";
    EXPECT_TRUE(G().Itens[2].Selecionado);
    EXPECT_FALSE(G().Alterado);

    // Enter from the description: one question, and No keeps the cursor
    // there with no editor on the flow.
    vaiPara(3, 2);
    celula("dois b");
    ASSERT_EQ(r.vistas.size(), 2);
    EXPECT_EQ(grade->Col(), 3);
    EXPECT_EQ(grade->Cells(3, 2), "dois b");
    EXPECT_EQ(alvo(), grade);
    EXPECT_TRUE(G().Itens[2].Selecionado);
    r.vistas.clear();
    r.estilos.clear();

    // The tag, quantity and description change without the question.
    vaiPara(1, 2);
    celula("B2");
    EXPECT_EQ(r.vistas.size(), 0);

    r.responde(ID_SIM);
    clica(5, 2);
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(grade->Col(), 5);
    EXPECT_EQ(grade->Row(), 2);
    const TItemOrc &it = G().Itens[2];
    EXPECT_FALSE(it.Selecionado);
    EXPECT_EQ(it.Tamanho, 0);
    EXPECT_EQ(it.Posicao, "");
    EXPECT_EQ(it.Vazao, 2000.0);
    EXPECT_EQ(it.RefTag, "B");
    EXPECT_TRUE(G().Alterado);
    celula("25");
    botao("btSelecao");
    EXPECT_EQ(G().Itens[2].Pressao, 25.0);
    EXPECT_EQ(G().Itens[2].RefTag, "B2");
    EXPECT_TRUE(G().Itens[1].Selecionado) << "the other items keep their selection";
    EXPECT_TRUE(G().Itens[3].Selecionado);
}

TEST_F(DadosSelecionadoTest, CursorParadoNoDeverNaoEditaSemPergunta) {
    Respostas r;
    // The cursor was left on a flow before the item was selected elsewhere.
    G().Itens[1].Selecionado = false;
    vaiPara(4, 1);
    G().Itens[1].Selecionado = true;
    r.responde(ID_NAO);
    digita("9");
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], QString::fromUtf8(MsgItemSelecionado));
    EXPECT_EQ(grade->Cells(4, 1), "1000");
    EXPECT_TRUE(G().Itens[1].Selecionado);
    // Showing the window again puts the cursor back on the tag.
    janela->hide();
    janela->show();
    EXPECT_EQ(grade->Col(), 1);
    EXPECT_EQ(grade->Row(), 1);
}

TEST_F(DadosSelecionadoTest, CtrlDelExcluiLinhaERenumera) {
    Respostas r;
    // Rows A, B, C and the empty row the last Enter appended.
    ASSERT_EQ(grade->RowCount(), 5);
    vaiPara(3, 2);
    tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(r.vistas.isEmpty()) << "no confirmation";
    ASSERT_EQ(grade->RowCount(), 4);
    EXPECT_EQ(grade->Cells(0, 1), "1");
    EXPECT_EQ(grade->Cells(0, 2), "2");
    EXPECT_EQ(grade->Cells(1, 2), "C");
    EXPECT_EQ(G().Itens[2].RefTag, "C");
    EXPECT_EQ(G().Itens[2].Tamanho, 403) << "item 2 is the former item 3, selection kept";
    EXPECT_TRUE(G().Itens[2].Selecionado);
    EXPECT_EQ(G().Itens[3].Tamanho, 0);
    EXPECT_TRUE(janela->Modificado());
    EXPECT_TRUE(G().Alterado);

    botao("btDataSheet");
    EXPECT_EQ(G().NumItens, 2);
    EXPECT_TRUE(G().Itens[2].Selecionado);

    // The last rows go too, also from a cell being edited, but the grid
    // keeps one, emptied.
    janela->show();
    vaiPara(1, 3);
    digita("zz");
    ASSERT_NE(alvo(), grade);
    tecla(alvo(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(alvo(), grade);
    ASSERT_EQ(grade->RowCount(), 3);
    EXPECT_EQ(grade->Cells(1, 2), "C");
    vaiPara(1, 2);
    tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grade->RowCount(), 2);
    vaiPara(1, 1);
    tecla(grade, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(grade->RowCount(), 2);
    EXPECT_EQ(grade->Cells(0, 1), "1");
    EXPECT_EQ(grade->Cells(1, 1), "");
    EXPECT_EQ(grade->Cells(4, 1), "");
    EXPECT_EQ(grade->Cells(6, 1), "20");
    EXPECT_FALSE(G().Itens[1].Selecionado);
}

// --- Data sheet ------------------------------------------------------------------

TEST_F(DadosTest, FolhaDeDadosGuardaOQueMudouMesmoDepoisDeVoltar) {
    Respostas r;
    vaiPara(1, 1);
    linha("X", "1", "", "800", "12");
    botao("btCancela"); // Inicio: nothing stored
    EXPECT_TRUE(janela->isHidden());
    EXPECT_EQ(G().NumItens, 0);
    janela->show();
    botao("btDataSheet");
    EXPECT_EQ(G().NumItens, 1);
    EXPECT_EQ(G().Itens[1].Vazao, 800.0);
    EXPECT_FALSE(janela->Modificado());
    EXPECT_TRUE(janela->isHidden());
    // Nothing changed: the data sheet leaves the items alone.
    G().Itens[1].Vazao = 801;
    janela->show();
    botao("btDataSheet");
    EXPECT_EQ(G().Itens[1].Vazao, 801.0);
}

TEST_F(DadosTest, StatusMostraCtrlDelEnquantoAGradeTemOFoco) {
    painel->activateWindow();
    QApplication::processEvents();
    if (!painel->isActiveWindow())
        GTEST_SKIP() << "no active window on this platform";
    grade->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(TextoStatusAtual(), QString::fromUtf8(StatusExcluirLinha));
    edit("edProjeto")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(TextoStatusAtual(), "");
}

// --- Header fields -------------------------------------------------------------------

TEST_F(DadosTest, ClientesPreencheOsCamposEOsDescontos) {
    Respostas r;
    QString pesquisa;
    bool escolhe = false;
    DefineEscolhaCliente([&](const QString &p, DadosCliente &c) {
        pesquisa = p;
        if (!escolhe)
            return false;
        c.Cliente = "Metalúrgica Souza";
        c.Endereco = "Rua A, 10";
        c.Cidade_Estado = "Campinas/SP";
        c.Contato = "Ana";
        c.Fone = "19 3333-4444";
        c.Fax = "19 3333-4445";
        c.email = "ana@souza.com.br";
        c.descontoV = 5;
        c.descontoM = 2.5;
        return true;
    });
    edit("edNome")->setText("  Antiga ");
    SetAlterado(false);
    G().Orcamento.Cliente = "Antiga";
    botao("BitBtn1");
    EXPECT_EQ(pesquisa, "Antiga");
    EXPECT_EQ(G().Orcamento.Cliente, "Antiga");
    EXPECT_FALSE(G().Alterado);

    escolhe = true;
    botao("BitBtn1");
    const auto &o = G().Orcamento;
    EXPECT_EQ(edit("edNome")->text(), "Metalúrgica Souza");
    EXPECT_EQ(o.Cliente, "Metalúrgica Souza");
    EXPECT_EQ(o.Endereco, "Rua A, 10");
    EXPECT_EQ(o.Cidade_Estado, "Campinas/SP");
    EXPECT_EQ(o.Contato, "Ana");
    EXPECT_EQ(o.Fone, "19 3333-4444");
    EXPECT_EQ(o.Fax, "19 3333-4445");
    EXPECT_EQ(o.email, "ana@souza.com.br");
    EXPECT_EQ(o.descontoV, 5.0);
    EXPECT_EQ(o.descontoM, 2.5);
    EXPECT_TRUE(G().Alterado);

    // Typing in a client field only says where clients come from.
    tecla(edit("edCidade"), Qt::Key_X, Qt::NoModifier, "x");
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], QString::fromUtf8(MsgEscolhaCliente));
    EXPECT_EQ(o.Cidade_Estado, "Campinas/SP");
}

TEST_F(DadosTest, ClientesUsaAJanelaDeClientes) {
    Respostas r;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    G().DirDados = dir.path() + QLatin1Char('/');
    // The user adds a client in the client window and presses OK.
    bool viu = false;
    QTimer::singleShot(0, [&] {
        auto *c = qobject_cast<TfrmClientes *>(QApplication::activeModalWidget());
        if (!c)
            return;
        viu = true;
        c->btNovoClick();
        // The discount as the user's locale writes it.
        const QString desconto = QLocale().toString(7.5);
        for (const auto &[nome, texto] : {std::pair{"DBEdit1", QStringLiteral("Tecelagem Lima")},
                                          {"DBEdit3", QStringLiteral("11 5555-0000")}, {"DBEdit8", desconto}}) {
            auto *ed = c->findChild<QLineEdit *>(QString::fromLatin1(nome));
            ASSERT_NE(ed, nullptr) << nome;
            ed->setFocus();
            for (QChar ch : texto)
                tecla(ed, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
        }
        c->btOKClick();
        if (c->isVisible())
            c->reject();
    });
    botao("BitBtn1");
    ASSERT_TRUE(viu);
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join("|").toStdString();
    EXPECT_EQ(edit("edNome")->text(), "Tecelagem Lima");
    EXPECT_EQ(G().Orcamento.Cliente, "Tecelagem Lima");
    EXPECT_EQ(G().Orcamento.Fone, "11 5555-0000");
    EXPECT_EQ(G().Orcamento.descontoV, 7.5);
    EXPECT_TRUE(QFile::exists(dir.filePath("clientes.dat")));
}

TEST_F(DadosTest, ProjetoENumeroAcompanhamOCabecalho) {
    Respostas r;
    G().ArqOrc = "0012_03.orc";
    G().Orcamento.NumOrc = "0012/03";
    janela->defineNumero("0012/03");
    EXPECT_EQ(G().ArqOrc, "0012_03.orc") << "same number, same file";
    edit("edProjeto")->setText(QString(90, QLatin1Char('p')));
    EXPECT_EQ(G().Orcamento.Projeto, QString(80, QLatin1Char('p')));
    EXPECT_TRUE(G().Alterado);
    janela->defineNumero("0013/03");
    EXPECT_EQ(G().Orcamento.NumOrc, "0013/03");
    EXPECT_EQ(G().ArqOrc, "");

    // While a quotation is being loaded the edits store nothing.
    SetAlterado(false);
    G().Carregando = true;
    edit("edProjeto")->setText("outro");
    G().Carregando = false;
    EXPECT_EQ(G().Orcamento.Projeto, QString(80, QLatin1Char('p')));
    EXPECT_FALSE(G().Alterado);
}

// --- New and open ------------------------------------------------------------------

TEST_F(DadosTest, CarregaELimpaDados) {
    Respostas r;
    auto &g = G();
    LimpaOrcamento();
    g.Orcamento.Cliente = "Cliente X";
    g.Orcamento.Fone = "1234567890123456789012345"; // 25 characters, kept whole
    g.Orcamento.Projeto = "Projeto Y";
    g.Orcamento.NumOrc = "0007/24";
    g.Orcamento.Data = DateTimeParaData(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    g.NumItens = 2;
    g.Itens[1].RefTag = "N.D.";
    g.Itens[1].Qtd = 1;
    g.Itens[1].Descricao = "---";
    g.Itens[1].Vazao = 1500;
    g.Itens[1].Pressao = 40;
    g.Itens[1].Temperatura = 100;
    g.Itens[1].Altitude = 0;
    g.Itens[1].DensidadeItem = 9.99; // recomputed on loading
    g.Itens[2].RefTag = "T2";
    g.Itens[2].Vazao = 700;
    g.Itens[2].Pressao = 12.25;
    g.Itens[2].Temperatura = 20;
    g.Carregando = true;
    janela->CarregaDados();
    g.Carregando = false;
    EXPECT_FALSE(g.Alterado);
    EXPECT_EQ(edit("edNome")->text(), "Cliente X");
    EXPECT_EQ(edit("edFone")->text(), "1234567890123456789012345");
    EXPECT_EQ(edit("edProjeto")->text(), "Projeto Y");
    EXPECT_EQ(edit("edOrcamento")->text(), "0007/24");
    EXPECT_EQ(edit("edData")->text(), "05/03/2024");
    EXPECT_EQ(g.NumOrcAtual, "0007/24");
    ASSERT_EQ(grade->RowCount(), 3);
    EXPECT_EQ(grade->Cells(1, 1), "N.D.");
    EXPECT_EQ(grade->Cells(3, 1), "---");
    EXPECT_EQ(grade->Cells(4, 1), "1500");
    EXPECT_EQ(GradeTexto::Formata(grade->Cells(8, 1), "0.000"), "0,947");
    EXPECT_EQ(grade->Cells(5, 2), "12.25");

    // Shown again (as after a client was chosen in the save dialog), the
    // header keeps its 25-character phone.
    janela->mostraCliente();
    EXPECT_EQ(g.Orcamento.Fone, "1234567890123456789012345");
    botao("btSelecao");
    EXPECT_EQ(g.Orcamento.Fone, "1234567890123456789012345");
    EXPECT_EQ(g.NumItens, 2);
    EXPECT_EQ(g.Itens[2].RefTag, "T2");

    janela->show();
    LimpaOrcamento();
    janela->LimpaDados();
    EXPECT_EQ(edit("edNome")->text(), "");
    EXPECT_EQ(edit("edProjeto")->text(), "");
    EXPECT_EQ(edit("edOrcamento")->text(), "");
    EXPECT_EQ(edit("edData")->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    ASSERT_EQ(grade->RowCount(), 2);
    EXPECT_EQ(grade->Cells(0, 1), "1");
    EXPECT_EQ(grade->Cells(1, 1), "");
    EXPECT_EQ(grade->Cells(6, 1), "20");
    EXPECT_FALSE(janela->Modificado());
}

TEST(DadosICMS, EscolhaPadraoDosFatores) {
    EXPECT_EQ(IndiceICMSPadrao(0), 2);
    EXPECT_EQ(IndiceICMSPadrao(1), 1);
    EXPECT_EQ(IndiceICMSPadrao(3), 3);
    EXPECT_EQ(IndiceICMSPadrao(7), 2);
    DefineIndiceICMS([] { return 0; });
    EXPECT_EQ(IndiceICMS(), 0);
    DefineIndiceICMS(nullptr);
}

} // namespace
