#include "ui/botoes.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>

namespace quellora {

BotoesOkCancela CriaBotoesOkCancela(QWidget *pai, const QString &nomeOk, const QString &nomeCancela) {
    BotoesOkCancela b;
    b.ok = new QPushButton(QStringLiteral("OK"), pai);
    b.ok->setObjectName(nomeOk);
    b.ok->setIcon(QIcon(QStringLiteral(":/imagens/ok.svg")));
    b.ok->setDefault(true);
    b.ok->setMinimumWidth(90);
    b.cancela = new QPushButton(QStringLiteral("Cancela"), pai);
    b.cancela->setObjectName(nomeCancela);
    b.cancela->setIcon(QIcon(QStringLiteral(":/imagens/cancela.svg")));
    b.cancela->setMinimumWidth(90);
    b.linha = new QHBoxLayout;
    b.linha->addStretch();
    b.linha->addWidget(b.ok);
    b.linha->addWidget(b.cancela);
    return b;
}

} // namespace quellora
