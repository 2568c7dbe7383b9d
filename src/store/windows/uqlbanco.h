#pragma once
// The program's store (AcervoDoPrograma: the one configured in the data
// folder, followed when the choice changes), the dialog TfrmBanco of the
// main window's "&Banco de dados" that makes the choice, and the dialog
// TfrmRevisoes where the open window picks an earlier revision.

#include "store/acervo.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace quellora {

// The store the windows use, for G()'s data and projects folders and the
// operator's name; made again when the folders or the choice change.
Acervo &AcervoDoPrograma();
// Forgets it (it is closed; the next use opens the choice anew).
void EsqueceAcervoDoPrograma();

class TfrmBanco : public QDialog {
    Q_OBJECT
public:
    TfrmBanco(const QString &dirDados, QWidget *pai = nullptr);

    void btTestarClick();
    void btOKClick();

private:
    TConfigBanco Escolha() const;
    void AtualizaEstado();

    QString dirDados_;
    QRadioButton *rbPasta_ = nullptr;
    QRadioButton *rbServidor_ = nullptr;
    QLineEdit *edConexao_ = nullptr;
};

// Shows the dialog for the program's data folder; true after OK (the
// program then uses the new choice).
bool ConfiguraBanco(QWidget *pai = nullptr);

class TfrmRevisoes : public QDialog {
    Q_OBJECT
public:
    TfrmRevisoes(const QString &numero, const std::vector<TRevisao> &revisoes, QWidget *pai = nullptr);
    // The revision chosen (valid after OK).
    int Escolhida() const;

private:
    QTableWidget *sgRevisoes_ = nullptr;
    std::vector<TRevisao> revisoes_;
};

// The revisions of a quotation of the program's store, shown for choosing
// one; false when cancelled or when they cannot be read (said then).
bool EscolheRevisao(QWidget *pai, const TResumoOrc &orcamento, int &revisao);

} // namespace quellora
