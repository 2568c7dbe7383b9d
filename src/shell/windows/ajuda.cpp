#include "shell/windows/ajuda.h"

#include "shell/windows/servicos.h"
#include "shell/windows/uquellora.h"
#include "shell/windows/recursos.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace quellora {

namespace {
QPointer<JanelaAjuda> &Unica() {
    static QPointer<JanelaAjuda> j;
    return j;
}
} // namespace

QString AncoraAjuda(int contexto) { return QStringLiteral("c%1").arg(contexto); }

JanelaAjuda::JanelaAjuda(QWidget *pai) : QWidget(pai, Qt::Window) {
    IniciaRecursos();
    setObjectName(QStringLiteral("JanelaAjuda"));
    setWindowTitle(QStringLiteral("Quellora - Ajuda"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    texto_ = new QTextBrowser(this);
    texto_->setObjectName(QStringLiteral("tbAjuda"));
    texto_->setOpenExternalLinks(false);
    texto_->setSource(QUrl(QStringLiteral("qrc:/ajuda/quellora.html")));

    auto *inicio = new QPushButton(QStringLiteral("&Sumário"), this);
    inicio->setObjectName(QStringLiteral("btSumario"));
    auto *volta = new QPushButton(QStringLiteral("&Voltar"), this);
    volta->setObjectName(QStringLiteral("btVoltar"));
    auto *fecha = new QPushButton(QStringLiteral("&Fechar"), this);
    fecha->setObjectName(QStringLiteral("btFechar"));
    connect(inicio, &QPushButton::clicked, this, [this] { vaiPara(0); });
    connect(volta, &QPushButton::clicked, texto_, &QTextBrowser::backward);
    connect(texto_, &QTextBrowser::backwardAvailable, volta, &QPushButton::setEnabled);
    volta->setEnabled(false);
    connect(fecha, &QPushButton::clicked, this, &QWidget::close);

    auto *barra = new QHBoxLayout;
    barra->addWidget(inicio);
    barra->addWidget(volta);
    barra->addStretch();
    barra->addWidget(fecha);
    auto *l = new QVBoxLayout(this);
    l->addLayout(barra);
    l->addWidget(texto_);
    resize(620, 520);
}

void JanelaAjuda::vaiPara(int contexto) {
    QUrl u(QStringLiteral("qrc:/ajuda/quellora.html"));
    if (contexto > 0)
        u.setFragment(AncoraAjuda(contexto));
    texto_->setSource(u);
    if (contexto <= 0)
        texto_->scrollToAnchor(QStringLiteral("topo"));
}

void AbreAjuda(int contexto) {
    auto &j = Unica();
    // Under a modal dialog the help window must belong to it, or the dialog
    // would block it.
    QWidget *dono = QApplication::activeModalWidget();
    if (!dono)
        dono = JanelaPrincipal();
    if (!j) {
        j = new JanelaAjuda(dono);
        // Beside the program's window, not over its corner.
        if (dono)
            j->move(dono->window()->geometry().topLeft() + QPoint(80, 50));
    }
    else if (j->parentWidget() != dono) {
        const QRect g = j->geometry();
        j->setParent(dono, Qt::Window);
        j->setGeometry(g);
    }
    j->vaiPara(contexto);
    j->show();
    j->raise();
    j->activateWindow();
}

JanelaAjuda *JanelaAjudaAberta() { return Unica().data(); }

} // namespace quellora
