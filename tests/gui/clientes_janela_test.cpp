// The client window driven as a user would: adding, searching, editing,
// deleting, OK and Cancel, the Enter key, and what reaches the client file.

#include "catalogue/arquivos.h"
#include "clients/clientes.h"
#include "clients/fluxo.h"
#include "clients/lzh.h"
#include "clients/windows/uqlclientes.h"
#include "shell/estado.h"

#include "gui/respostas.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace quellora;
using quellora::teste::Respostas;

namespace {

class JanelaClientes : public ::testing::Test {
protected:
    void SetUp() override {
        localAntes = QLocale();
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        ResetaEstado();
        ASSERT_TRUE(dir.isValid());
        G().DirDados = dir.path() + QLatin1Char('/');
    }

    void TearDown() override {
        janela.reset();
        ResetaEstado();
        QLocale::setDefault(localAntes);
    }

    // A new program run: the state starts over and the window loads the file.
    void Abre() {
        janela.reset();
        const QString d = G().DirDados;
        ResetaEstado();
        G().DirDados = d;
        janela = std::make_unique<TfrmClientes>();
        janela->show();
        QApplication::setActiveWindow(janela.get());
        QApplication::processEvents();
    }

    template <class W = QWidget>
    W *w(const char *nome) const {
        W *x = janela->findChild<W *>(QString::fromLatin1(nome));
        EXPECT_NE(x, nullptr) << nome;
        return x;
    }
    QLineEdit *ed(int n) const { return w<QLineEdit>(QStringLiteral("DBEdit%1").arg(n).toLatin1().constData()); }
    void clica(const char *nome) const { w<QAbstractButton>(nome)->click(); QApplication::processEvents(); }

    static void tecla(QWidget *alvo, int key, const QString &texto = {}) {
        QKeyEvent p(QEvent::KeyPress, key, Qt::NoModifier, texto);
        QApplication::sendEvent(alvo, &p);
        QKeyEvent r(QEvent::KeyRelease, key, Qt::NoModifier, texto);
        QApplication::sendEvent(alvo, &r);
        QApplication::processEvents();
    }
    // Types into a box as the keyboard would (after selecting what is there
    // when 'substitui').
    static void digita(QLineEdit *alvo, const QString &s, bool substitui = true) {
        alvo->setFocus();
        if (substitui)
            alvo->selectAll();
        if (s.isEmpty() && substitui) {
            tecla(alvo, Qt::Key_Delete);
            return;
        }
        for (QChar ch : s)
            tecla(alvo, ch.toUpper().unicode(), QString(ch));
    }

    QStringList NomesNoArquivo() const {
        QFile f(CaminhoEm(dir.path(), QStringLiteral("clientes.dat")));
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<sem arquivo>")};
        QByteArray fluxo;
        QString erro;
        TDadosTabela t;
        if (!DescompactaContainer(f.readAll(), fluxo, &erro) || !LeFluxoTabela(fluxo, t, &erro))
            return {erro};
        QStringList l;
        for (const TRegistro &r : t.Registros)
            l << r[1].toString();
        return l;
    }
    bool ArquivoExiste() const { return QFile::exists(CaminhoEm(dir.path(), QStringLiteral("clientes.dat"))); }

    // Adds a client through "Novo" and the boxes.
    void Novo(const QString &nome, const QString &fone = {}, const QString &descV = {}) {
        clica("btNovo");
        digita(ed(1), nome);
        if (!fone.isEmpty())
            digita(ed(3), fone);
        if (!descV.isEmpty())
            digita(ed(8), descV);
    }

    QTemporaryDir dir;
    QLocale localAntes;
    std::unique_ptr<TfrmClientes> janela;
};

} // namespace

TEST_F(JanelaClientes, ControlesRotulosELimites) {
    Abre();
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Clientes"));
    const char *rotulos[] = {"Cliente", "Contato", "Fone", "Fax", "Endereço", "Cidade/Estado", "e-mail",
                             "Desc.Vent. %", "Desc.Mot.%", "Obs."};
    const int limites[] = {50, 25, 14, 14, 50, 40, 40, 32767, 32767, 80};
    for (int i = 1; i <= 10; ++i) {
        QLabel *rotulo = nullptr;
        for (QLabel *l : janela->findChildren<QLabel *>())
            if (l->buddy() == ed(i))
                rotulo = l;
        ASSERT_NE(rotulo, nullptr) << i;
        EXPECT_EQ(rotulo->text(), QString::fromUtf8(rotulos[i - 1]));
        EXPECT_EQ(ed(i)->maxLength(), limites[i - 1]) << i;
    }
    EXPECT_EQ(w<QToolButton>("nbFirst")->toolTip(), QStringLiteral("Primeiro cliente"));
    EXPECT_EQ(w<QToolButton>("nbCancel")->toolTip(), QStringLiteral("Cancela alterações"));
    EXPECT_EQ(w<QToolButton>("SpeedButton1")->toolTip(), QStringLiteral("Imprimir"));
    EXPECT_TRUE(w<QPushButton>("btOK")->isDefault());
    EXPECT_EQ(w<QPushButton>("btNovo")->text(), QStringLiteral("&Novo"));
    ASSERT_NE(w<QWidget>("DBNavigator1"), nullptr);
    ASSERT_NE(w<QPushButton>("BitBtn2"), nullptr);
}

TEST_F(JanelaClientes, DoisClientesEmQualquerOrdemRecarregadosEmOrdem) {
    Respostas r;
    Abre();
    EXPECT_FALSE(ArquivoExiste());
    Novo(QStringLiteral("Zeta Ventilação"), QStringLiteral("11 5555-0000"), QStringLiteral("7,5"));
    Novo(QStringLiteral("Alfa Exaustores"));
    clica("btOK");
    EXPECT_EQ(janela->result(), QDialog::Accepted);
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join('|').toStdString();
    EXPECT_EQ(janela->Resultado().Cliente, QStringLiteral("Alfa Exaustores"));
    EXPECT_EQ(NomesNoArquivo(), (QStringList{"Alfa Exaustores", "Zeta Ventilação"}));

    Abre();
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Alfa Exaustores"));
    clica("nbNext");
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Zeta Ventilação"));
    EXPECT_EQ(ed(3)->text(), QStringLiteral("11 5555-0000"));
    EXPECT_EQ(ed(8)->text(), QStringLiteral("7,5"));
    EXPECT_FALSE(w<QToolButton>("nbNext")->isEnabled());
    clica("nbFirst");
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Alfa Exaustores"));

    // OK hands back what the boxes show.
    clica("nbLast");
    clica("btOK");
    const DadosCliente &c = janela->Resultado();
    EXPECT_EQ(c.Cliente, QStringLiteral("Zeta Ventilação"));
    EXPECT_EQ(c.Fone, QStringLiteral("11 5555-0000"));
    EXPECT_DOUBLE_EQ(c.descontoV, 7.5);
    EXPECT_DOUBLE_EQ(c.descontoM, 0.0);
}

TEST_F(JanelaClientes, PesquisaPosicionaNoMaisProximo) {
    Respostas r;
    Abre();
    for (const char *n : {"Delta", "Bravo", "Charlie", "alfa"})
        Novo(QString::fromLatin1(n));
    clica("btOK");
    Abre();
    digita(w<QLineEdit>("edSearch"), QStringLiteral("c"));
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Charlie"));
    digita(w<QLineEdit>("edSearch"), QStringLiteral("B"));
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Bravo"));
    // The caller's preset search.
    janela->DefinePesquisa(QStringLiteral("Del"));
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Delta"));
    // Enter in the search box goes to OK and does not close the window.
    tecla(w<QLineEdit>("edSearch"), Qt::Key_Return);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_TRUE(w<QPushButton>("btOK")->hasFocus());
}

TEST_F(JanelaClientes, EdicaoMantemOId) {
    Respostas r;
    Abre();
    Novo(QStringLiteral("Acme"));
    clica("btOK");
    Abre();
    const double id = G().dm.mtClientes.Valor("ID").toDouble();
    ASSERT_GT(id, 0);
    digita(ed(2), QStringLiteral("Maria"));
    digita(ed(1), QStringLiteral("Acme Ind. e Com."));
    clica("btOK");
    Abre();
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Acme Ind. e Com."));
    EXPECT_EQ(ed(2)->text(), QStringLiteral("Maria"));
    EXPECT_EQ(G().dm.mtClientes.Quantos(), 1);
    EXPECT_EQ(G().dm.mtClientes.Valor("ID").toDouble(), id);
}

TEST_F(JanelaClientes, NomeDeEspacosEhRecusado) {
    Respostas r;
    Abre();
    Novo(QStringLiteral("    "));
    clica("btOK");
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], QStringLiteral("Você precisa informar pelo menos o nome do cliente!"));
    EXPECT_EQ(r.estilos[0], MB_ERRO);
    EXPECT_TRUE(janela->isVisible()); // the window stays open
    EXPECT_FALSE(ArquivoExiste());
    EXPECT_TRUE(G().dm.mtClientes.EmEdicao());

    // Fixing the name lets OK through.
    digita(ed(1), QStringLiteral("Beta"));
    clica("btOK");
    EXPECT_FALSE(janela->isVisible());
    EXPECT_EQ(NomesNoArquivo(), QStringList{"Beta"});
}

TEST_F(JanelaClientes, DescontosQueNaoSaoNumeros) {
    Respostas r;
    Abre();
    Novo(QStringLiteral("Gama"), {}, QStringLiteral("dez"));
    digita(ed(9), QStringLiteral("3,25"));
    clica("btOK");
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_EQ(r.vistas[0], QStringLiteral("'dez' is not a valid floating point value for field 'descontoV'"));
    EXPECT_TRUE(janela->isVisible());
    EXPECT_TRUE(ed(8)->hasFocus());
    EXPECT_FALSE(ArquivoExiste());
    // The result values read the boxes: not a number is 0.
    EXPECT_EQ(janela->Resultado().descontoV, 0.0);
    EXPECT_EQ(janela->Resultado().descontoM, 3.25);

    // An empty box posts null and gives 0.
    digita(ed(8), QString());
    clica("btOK");
    EXPECT_FALSE(janela->isVisible());
    EXPECT_EQ(janela->Resultado().descontoV, 0.0);
    Abre();
    EXPECT_FALSE(G().dm.mtClientes.Valor("descontoV").isValid());
    EXPECT_EQ(G().dm.mtClientes.Valor("descontoM").toDouble(), 3.25);
}

TEST_F(JanelaClientes, CancelarNaoGravaNada) {
    Respostas r;
    Abre();
    Novo(QStringLiteral("Acme"));
    clica("btOK");
    QFile f(CaminhoEm(dir.path(), QStringLiteral("clientes.dat")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray antes = f.readAll();
    f.close();

    Abre();
    Novo(QStringLiteral("Beta"));
    clica("BitBtn2");
    EXPECT_EQ(janela->result(), QDialog::Rejected);
    EXPECT_EQ(G().dm.mtClientes.Quantos(), 1);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), antes);
    f.close();

    // Closing the window with an edit in progress is a cancel too.
    Abre();
    digita(ed(2), QStringLiteral("Fulano"));
    janela->close();
    EXPECT_EQ(janela->result(), QDialog::Rejected);
    EXPECT_FALSE(G().dm.mtClientes.EmEdicao());
    EXPECT_FALSE(G().dm.mtClientes.Valor("Contato").isValid());
}

TEST_F(JanelaClientes, OkSemNadaNaoGravaEDevolveVazio) {
    Respostas r;
    Abre();
    clica("btOK");
    EXPECT_EQ(janela->result(), QDialog::Accepted);
    EXPECT_FALSE(ArquivoExiste());
    EXPECT_TRUE(janela->Resultado().Cliente.isEmpty());
    EXPECT_EQ(janela->Resultado().descontoV, 0.0);
}

TEST_F(JanelaClientes, ExclusaoEhGravada) {
    Respostas r;
    Abre();
    Novo(QStringLiteral("Acme"));
    Novo(QStringLiteral("Beta"));
    clica("btOK");
    // A new run: delete one, nothing else, OK.
    Abre();
    clica("nbDelete");
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Beta"));
    clica("btOK");
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join('|').toStdString();
    EXPECT_EQ(NomesNoArquivo(), QStringList{"Beta"});
}

TEST_F(JanelaClientes, TeclaEnter) {
    Respostas r;
    Abre();
    clica("btNovo");
    EXPECT_TRUE(ed(1)->hasFocus());
    digita(ed(1), QStringLiteral("Omega"));
    tecla(ed(1), Qt::Key_Return);
    EXPECT_TRUE(ed(2)->hasFocus());
    EXPECT_TRUE(janela->isVisible());
    tecla(ed(10), Qt::Key_Enter);
    EXPECT_FALSE(G().dm.mtClientes.EmEdicao()); // posted
    EXPECT_TRUE(w<QPushButton>("btOK")->hasFocus());
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(G().dm.mtClientes.Quantos(), 1);
}

TEST_F(JanelaClientes, NavegadorEditaGravaECancela) {
    Respostas r;
    Abre();
    EXPECT_FALSE(w<QToolButton>("nbPost")->isEnabled());
    clica("nbInsert");
    EXPECT_TRUE(w<QToolButton>("nbPost")->isEnabled());
    digita(ed(1), QStringLiteral("Kappa"));
    clica("nbPost");
    EXPECT_FALSE(G().dm.mtClientes.EmEdicao());
    clica("nbEdit");
    digita(ed(1), QStringLiteral("Lambda"));
    clica("nbCancel");
    EXPECT_EQ(ed(1)->text(), QStringLiteral("Kappa"));
    EXPECT_EQ(G().dm.mtClientes.Valor("Cliente").toString(), QStringLiteral("Kappa"));
}

TEST_F(JanelaClientes, ArquivoDanificadoEhAvisadoENaoSePerde) {
    {
        QFile f(CaminhoEm(dir.path(), QStringLiteral("clientes.dat")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("@LHC\x10\x00\x00\x00\x00\x00\x00\x00garbage", 19);
    }
    Respostas r;
    Abre();
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_TRUE(r.vistas[0].contains(QLatin1String("clientes.dat"))) << r.vistas[0].toStdString();
    EXPECT_EQ(r.estilos[0], MB_ERRO);
    EXPECT_EQ(G().dm.mtClientes.Quantos(), 0);

    Novo(QStringLiteral("Novo cliente"));
    clica("btOK");
    ASSERT_EQ(r.vistas.size(), 2);
    EXPECT_TRUE(r.vistas[1].contains(QLatin1String("clientes.dat.recusado"))) << r.vistas[1].toStdString();
    EXPECT_TRUE(QFile::exists(CaminhoEm(dir.path(), QStringLiteral("clientes.dat.recusado"))));
    EXPECT_EQ(NomesNoArquivo(), QStringList{"Novo cliente"});
}

TEST_F(JanelaClientes, RelacaoDeClientesEmPdf) {
    Respostas r;
    Abre();
    for (int i = 0; i < 70; ++i)
        Novo(QStringLiteral("Cliente número %1 com um nome bem comprido para cortar").arg(i, 3, 10, QLatin1Char('0')),
             QStringLiteral("11 4000-%1").arg(i));
    clica("nbPost");
    const QString pdf = dir.filePath(QStringLiteral("relacao.pdf"));
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(pdf);
    impressora.setPageOrientation(QPageLayout::Landscape);
    ASSERT_TRUE(ImprimeRelacaoClientes(impressora, G().dm.mtClientes));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    EXPECT_TRUE(b.startsWith("%PDF"));
    // 70 clients do not fit on one landscape page.
    EXPECT_GE(b.count("/Type /Page\n") + b.count("/Type /Page\r") + b.count("/Type /Page "), 2) << b.size();
    if (qEnvironmentVariableIsSet("QUELLORA_GUARDA_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("QUELLORA_GUARDA_PDF"));
}

TEST_F(JanelaClientes, EscolheClienteComoOsOutrosChamam) {
    Respostas r;
    Abre();
    Novo(QStringLiteral("Alfa"));
    Novo(QStringLiteral("Zeta"), QStringLiteral("3333-4444"), QStringLiteral("5"));
    clica("btOK");
    janela.reset();

    // OK on the window the call shows: the client the search found.
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<TfrmClientes *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->findChild<QPushButton *>(QStringLiteral("btOK"))->click();
    });
    DadosCliente c;
    ASSERT_TRUE(EscolheCliente(nullptr, QStringLiteral("Ze"), c));
    EXPECT_EQ(c.Cliente, QStringLiteral("Zeta"));
    EXPECT_EQ(c.Fone, QStringLiteral("3333-4444"));
    EXPECT_EQ(c.descontoV, 5.0);

    // Cancel: nothing chosen.
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<TfrmClientes *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    });
    DadosCliente nada;
    EXPECT_FALSE(EscolheCliente(nullptr, QStringLiteral("A"), nada));
    EXPECT_TRUE(nada.Cliente.isEmpty());
}
