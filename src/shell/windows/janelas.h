#pragma once
// The program's windows, created once at start-up in a fixed order from one
// table, and found again by navigation number or by class name.
//
// Each entry names a window and says how to create it.

#include <QString>

class QWidget;

namespace quellora {

class JanelaFilha;

struct EntradaJanela {
    int numero;          // navigation number (MostraJanela), 0 when none
    const char *classe;  // class name, also the window's objectName
    const char *titulo;  // title line of a child window, caption of a dialog
    int contextoAjuda;   // help context, 0 for the main window's
    // Creates the window. 'painel' is the main window's client panel: child
    // windows are created in it, dialogs with its window as parent. Null
    // for entries that create nothing of their own (the client data module).
    QWidget *(*cria)(QWidget *painel, const EntradaJanela &entrada);
};

// The table, in creation order.
const EntradaJanela *TabelaJanelas(int *quantas);

// Creates every window of the table, once, in order. Calling it again does
// nothing.
void CriaJanelas(QWidget *painel);
// Forgets the windows (they die with the main window).
void EsqueceJanelas();

// The child window of a navigation number, or null.
JanelaFilha *JanelaNumero(int n);
// A window by class name ("TfrmOperador"), or null.
QWidget *JanelaClasse(const char *classe);

// Calls the public slot 'metodo' of the window of class 'classe' when the
// window has it; windows built apart reach each other this way. False when
// the window or the slot is not there (nothing is done then).
bool ChamaJanela(const char *classe, const char *metodo);
bool ChamaJanela(const char *classe, const char *metodo, bool valor);

} // namespace quellora
