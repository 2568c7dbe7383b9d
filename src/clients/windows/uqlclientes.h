#pragma once
// TfrmClientes: the client window. Browses, searches, adds, edits and
// deletes the clients of the shared client table and hands the chosen one
// back to the window that opened it (data entry's "&Clientes", the save
// dialog's "Procura cliente").
//
// Callers only need:
//     DadosCliente c;
//     if (EscolheCliente(pesquisa, c)) { ...copy c into the quotation... }

#include "clients/clientes.h"

#include <QDialog>
#include <QList>
#include <QSet>

class QLineEdit;
class QPrinter;
class QPushButton;
class QToolButton;

namespace quellora {

struct EntradaJanela;
class TTabela;

class TfrmClientes : public QDialog {
    Q_OBJECT
public:
    // Loads the client file the first time any client window is created
    // (errors are shown and the table starts empty).
    explicit TfrmClientes(QWidget *pai = nullptr);
    ~TfrmClientes() override;

    // Puts a text into the search box, which positions the table on the
    // nearest client.
    void DefinePesquisa(const QString &texto);

    // Valid after OK: the boxes' texts as they were, the discounts as
    // numbers (0 when a box holds no number).
    const DadosCliente &Resultado() const { return resultado_; }

    // Click handlers (also driven by tests).
    void btNovoClick();
    void btOKClick();
    void BitBtn2Click();
    void SpeedButton1Click();

    void reject() override;

    // Loads the client table from the program's store when it has not been
    // loaded, or when it comes from a server and nothing waits to be saved.
    void Recarrega();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    TTabela &Tabela() const;
    void Navega(int botao);
    // Posts the record being edited; shows the error and returns false when
    // the post is refused (the record stays in edit).
    bool Posta();
    bool AplicaPendentes();
    void Mostra();
    void AtualizaBotoes();
    void Digitado(int caixa);
    void PesquisaMudou(const QString &texto);

    QLineEdit *edSearch_ = nullptr;
    QList<QLineEdit *> caixas_; // DBEdit1 .. DBEdit10
    QList<QString> camposCaixas_;
    QList<QToolButton *> navegador_;
    QToolButton *SpeedButton1_ = nullptr;
    QPushButton *btNovo_ = nullptr;
    QPushButton *btOK_ = nullptr;
    QPushButton *BitBtn2_ = nullptr;
    QSet<int> pendentes_; // number boxes typed into and not yet stored
    bool mostrando_ = false;
    DadosCliente resultado_;
};

// Prints the client list "Relação de Clientes" (name, contact, e-mail,
// phone, fax, address, city/state; page number and date in the footer).
// Returns false when the printer cannot be started.
bool ImprimeRelacaoClientes(QPrinter &impressora, const TTabela &tabela);

// Factory for the program's window table.
QWidget *CriaTfrmClientes(QWidget *painel, const EntradaJanela &entrada);

// Shows the client window modally with 'pesquisa' in its search box; true
// and the chosen client after OK, false after Cancel. Uses the program's
// client window when it exists, else a window of its own.
bool EscolheCliente(const QString &pesquisa, DadosCliente &escolhido);
bool EscolheCliente(QWidget *pai, const QString &pesquisa, DadosCliente &escolhido);

} // namespace quellora
