#pragma once
// The program's windows, from one table, and found by navigation number or
// by class name. Each window is created on its first use (the first time it
// is asked for), once, and lives until the main window goes.
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

// The table.
const EntradaJanela *TabelaJanelas(int *quantas);

// Takes the table's windows into use, to be created in 'painel' (the main
// window's client panel) on their first use. Calling it again does nothing.
void CriaJanelas(QWidget *painel);
// Forgets the windows (they die with the main window).
void EsqueceJanelas();

// The child window of a navigation number (created now if this is its
// first use), or null.
JanelaFilha *JanelaNumero(int n);
// A window by class name ("TfrmOperador"), created now if this is its first
// use, or null.
QWidget *JanelaClasse(const char *classe);
// The same, only when the window has been created already.
QWidget *JanelaCriada(const char *classe);

// Calls the public slot 'metodo' of the window of class 'classe' when the
// window has it; windows built apart reach each other this way. False when
// the window or the slot is not there (nothing is done then).
bool ChamaJanela(const char *classe, const char *metodo);
bool ChamaJanela(const char *classe, const char *metodo, bool valor);

} // namespace quellora
