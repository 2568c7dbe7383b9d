#include "ui/camposprojeto.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace quellora {

CamposProjeto AcrescentaCamposProjeto(QWidget *pai, QBoxLayout *linha) {
    CamposProjeto c;
    c.edProjeto = new QLineEdit(pai);
    c.edProjeto->setObjectName(QStringLiteral("edProjeto"));
    c.edProjeto->setReadOnly(true);
    c.edOrcamento = new QLineEdit(pai);
    c.edOrcamento->setObjectName(QStringLiteral("edOrcamento"));
    c.edOrcamento->setReadOnly(true);
    c.edOrcamento->setMaximumWidth(80);
    auto *lbProjeto = new QLabel(QStringLiteral("Projeto"), pai);
    lbProjeto->setBuddy(c.edProjeto);
    auto *lbOrcamento = new QLabel(QStringLiteral("Orçamento"), pai);
    lbOrcamento->setBuddy(c.edOrcamento);
    linha->addSpacing(12);
    linha->addWidget(lbProjeto);
    linha->addWidget(c.edProjeto, 1);
    linha->addWidget(lbOrcamento);
    linha->addWidget(c.edOrcamento);
    return c;
}

} // namespace quellora
