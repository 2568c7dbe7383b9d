#pragma once
// The read-only project and quotation-number fields that the selection and
// configuration windows show at the end of their top bar, each with its
// caption as buddy.

class QBoxLayout;
class QLineEdit;
class QWidget;

namespace quellora {

struct CamposProjeto {
    QLineEdit *edProjeto = nullptr;
    QLineEdit *edOrcamento = nullptr;
};

// Appends "Projeto" and "Orçamento" with their fields to the row.
CamposProjeto AcrescentaCamposProjeto(QWidget *pai, QBoxLayout *linha);

} // namespace quellora
