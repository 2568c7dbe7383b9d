#pragma once
// A program directory of its own for each main-window test: dados/ with the
// compiled sample catalogue and texts, scripted message boxes, help requests
// recorded instead of opening the help window.

#include "catalogue/arquivos.h"
#include "catalogue/catalogo.h"
#include "pricing/windows/uqlconfigura.h"
#include "shell/estado.h"
#include "shell/windows/janelafilha.h"
#include "shell/windows/janelas.h"
#include "shell/windows/servicos.h"
#include "shell/windows/uquellora.h"
#include "ui/grade.h"
#include "ui/lista.h"

#include "gui/respostas.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace quellora::teste {

class AmbienteShell : public ::testing::Test {
protected:
    void SetUp() override {
        ResetaEstado();
        DefineSalvaOrcamento(nullptr);
        DefineNovoOrcamento(nullptr);
        DefineMostradorAjuda([this](int c) { ajudas.push_back(c); });
        ASSERT_TRUE(dir.isValid());
        dados = dir.filePath(QStringLiteral("dados"));
        ASSERT_TRUE(QDir().mkpath(dados));
        const QDir origem(QStringLiteral(QUELLORA_DADOS_DIR));
        for (const QString &a : origem.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(origem.filePath(a), QDir(dados).filePath(a))) << a.toStdString();
    }

    void TearDown() override {
        delete janela;
        janela = nullptr;
        DefineMostradorAjuda(nullptr);
        DefineSalvaOrcamento(nullptr);
        DefineNovoOrcamento(nullptr);
        ResetaEstado();
    }

    // Starts the main window on the directory, with all its windows, shown.
    TfrmQuellora *abre(int larguraTela = 1024) {
        janela = new TfrmQuellora(dir.path(), larguraTela);
        janela->criaJanelas();
        janela->show();
        QApplication::processEvents();
        return janela;
    }

    // Closes the program and starts it again on the same folder.
    void reinicia() {
        ASSERT_TRUE(janela->close());
        delete janela;
        janela = nullptr;
        ResetaEstado();
        abre();
    }

    QString arquivoDados(const char *nome) const { return QDir(dados).filePath(QString::fromLatin1(nome)); }

    template <class T = QWidget>
    T *controle(const char *nome) const {
        return janela ? janela->findChild<T *>(QString::fromLatin1(nome)) : nullptr;
    }
    template <class T = QWidget>
    static T *em(QWidget *w, const char *nome) {
        T *x = w->findChild<T *>(QString::fromLatin1(nome));
        EXPECT_NE(x, nullptr) << nome;
        return x;
    }
    static void clica(QWidget *w, const char *nome) {
        if (auto *b = em<QAbstractButton>(w, nome))
            QTest::mouseClick(b, Qt::LeftButton);
    }
    // A click on a grid cell (data rows from 1).
    static void clicaCelula(GradeTexto *g, int col, int row) {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(row - 1, col)).center());
    }

    static void tecla(QWidget *w, int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString &texto = {}) {
        QKeyEvent p(QEvent::KeyPress, key, m, texto);
        QApplication::sendEvent(w, &p);
        QKeyEvent s(QEvent::KeyRelease, key, m, texto);
        QApplication::sendEvent(w, &s);
    }
    static void envia(QWidget *w, int key, const QString &texto = {}) {
        tecla(w, key, Qt::NoModifier, texto);
        QApplication::processEvents();
    }
    static void digita(QWidget *w, const QString &texto) {
        for (QChar c : texto)
            tecla(w, 0, Qt::NoModifier, QString(c));
    }
    // The edit's text replaced as typed.
    static void escreve(QLineEdit *ed, const QString &texto) {
        ed->setFocus();
        ed->selectAll();
        digita(ed, texto);
    }
    // The window gets the keyboard, as the desktop gives it back after a
    // dialog closes (a headless platform does not).
    static void ativa(QWidget *w) {
        w->activateWindow();
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }

    // With QUELLORA_CAPTURAS set to a folder, a picture of the window there
    // (the main window when only a name is given).
    static void captura(QWidget *w, const QString &nome) {
        const QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
        if (pasta.isEmpty() || !w)
            return;
        QApplication::processEvents();
        w->grab().save(QDir(pasta).filePath(nome + QStringLiteral(".png")));
    }
    void captura(const char *nome) const { captura(janela, QString::fromLatin1(nome)); }

    // Keys go to the cell editor while one is open.
    static QWidget *alvo(GradeTexto *g) {
        if (QWidget *ed = g->indexWidget(g->currentIndex()))
            return ed;
        return g;
    }

    // Cells typed one after the other, Enter after each.
    static void linha(GradeTexto *g, const QStringList &celulas) {
        for (const QString &v : celulas) {
            for (QChar c : v)
                envia(alvo(g), c.toUpper().unicode(), QString(c));
            envia(alvo(g), Qt::Key_Return);
        }
    }

    // The selection window's line button with this code.
    static void clicaLinha(QWidget *calc, const char *codigo) {
        for (auto *b : calc->findChildren<QPushButton *>())
            if (b->objectName().startsWith(QLatin1String("btLinha")) && b->text() == QLatin1String(codigo)) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        ADD_FAILURE() << "no line button " << codigo;
    }

    // The configuration window's checklist entry of an accessory code ("POS":
    // the position entry), -1 when the item's list has none.
    static int entradaAcessorio(TfrmConfigura *conf, const char *codigo) {
        const TListaAcessorios &l = conf->Lista();
        if (QLatin1String(codigo) == QLatin1String("POS"))
            return l.IdxPosicao;
        for (int i = 1; i < l.PrimeiroEspecial; ++i)
            if (i != l.IdxPosicao && SeparaCampos(l.Texto(i)).Codigo.trimmed() == QLatin1String(codigo))
                return i;
        return -1;
    }
    // The user toggles entry i's box with the space bar.
    static void marcaAcessorio(TfrmConfigura *conf, int i) {
        ASSERT_GE(i, 0);
        conf->clb()->setCurrentRow(i);
        QTest::keyClick(conf->clb(), Qt::Key_Space);
    }
    static void marcaAcessorio(TfrmConfigura *conf, const char *codigo) {
        marcaAcessorio(conf, entradaAcessorio(conf, codigo));
    }
    // Passes when the boxes of the codes 'sim' are ticked and those of 'nao' are not.
    static ::testing::AssertionResult marcados(TfrmConfigura *conf, std::initializer_list<const char *> sim,
                                               std::initializer_list<const char *> nao = {}) {
        QStringList errados;
        for (bool esperado : {true, false})
            for (const char *c : esperado ? sim : nao)
                if (conf->clb()->Marcado(entradaAcessorio(conf, c)) != esperado)
                    errados << QLatin1String(c);
        if (errados.isEmpty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "boxes not as expected: " << errados.join(' ').toStdString();
    }
    // The user picks item row r in the configuration's item list.
    static void escolheItem(TfrmConfigura *conf, int r) {
        ListaDesenhada *l = conf->cbItens();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(r)).center());
    }
    // The configuration grid's rows, "name|detail|price".
    static QStringList linhasConfig(TfrmConfigura *conf) {
        QStringList l;
        for (int r = 1; r < conf->sgConfig()->RowCount(); ++r)
            l << conf->sgConfig()->Cells(0, r) + QLatin1Char('|') + conf->sgConfig()->Cells(1, r) + QLatin1Char('|') +
                     conf->sgConfig()->Cells(2, r);
        return l;
    }

    // The next modal dialog, once it shows, is handed to 'f' (which closes
    // it); 'visto' gets its object name.
    static void noProximoDialogo(std::function<void(QDialog *)> f, QString *visto = nullptr) {
        auto *t = new QTimer;
        t->setInterval(10);
        QObject::connect(t, &QTimer::timeout, t, [t, f, visto] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!d)
                return;
            t->stop();
            t->deleteLater();
            if (visto)
                *visto = d->objectName();
            f(d);
        });
        t->start();
    }

    // The text of a PDF file, as pdftotext lays it out.
    static QString textoPdf(const QString &pdf) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(30000)) << pdf.toStdString();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    Respostas respostas;
    QTemporaryDir dir;
    QString dados;
    TfrmQuellora *janela = nullptr;
    std::vector<int> ajudas;
};

} // namespace quellora::teste
