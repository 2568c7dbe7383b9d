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
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
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

    static void digita(QWidget *w, const QString &texto) {
        for (QChar c : texto) {
            QKeyEvent p(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &p);
            QKeyEvent s(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &s);
        }
    }

    // With QUELLORA_CAPTURAS set to a folder, a picture of the window there.
    static void captura(QWidget *w, const QString &nome) {
        const QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
        if (pasta.isEmpty() || !w)
            return;
        QApplication::processEvents();
        w->grab().save(QDir(pasta).filePath(nome + QStringLiteral(".png")));
    }

    static void tecla(QWidget *w, int key) {
        QKeyEvent p(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(w, &p);
        QKeyEvent s(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(w, &s);
    }

    // With QUELLORA_CAPTURAS set to a folder, the main window is saved there
    // as a picture.
    void captura(const char *nome) const {
        const QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
        if (pasta.isEmpty() || !janela)
            return;
        QApplication::processEvents();
        janela->grab().save(QDir(pasta).filePath(QString::fromLatin1(nome) + QStringLiteral(".png")));
    }

    static void envia(QWidget *w, int key, const QString &texto = {}) {
        QKeyEvent p(QEvent::KeyPress, key, Qt::NoModifier, texto);
        QApplication::sendEvent(w, &p);
        QKeyEvent s(QEvent::KeyRelease, key, Qt::NoModifier, texto);
        QApplication::sendEvent(w, &s);
        QApplication::processEvents();
    }

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
    // The user picks item row r in the configuration's item list.
    static void escolheItem(TfrmConfigura *conf, int r) {
        ListaDesenhada *l = conf->cbItens();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(r)).center());
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

    Respostas respostas;
    QTemporaryDir dir;
    QString dados;
    TfrmQuellora *janela = nullptr;
    std::vector<int> ajudas;
};

} // namespace quellora::teste
