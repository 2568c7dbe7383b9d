#pragma once
// The services of the main window that every window uses: navigation between
// the child windows, the title line, the status line, the dirty flag and the
// question before unsaved work is lost, help, and the program's directories.
//
// They work with or without a main window: without one (a window under test
// on its own) the title and status texts are only remembered.

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace quellora {

class TfrmQuellora;

// The main window, or null before it exists / after it is gone.
TfrmQuellora *JanelaPrincipal();

// --- Navigation ------------------------------------------------------------
// Navigation numbers of MostraJanela.
enum NumeroJanela : int {
    JAN_OPERADOR = 1,
    JAN_DADOS = 2,
    JAN_CALCULOS = 3,
    JAN_CURVA = 4,
    JAN_ARRANJO = 5,
    JAN_DATASHEET = 6,
    JAN_CONFIGURA = 7,
    JAN_POSICAO = 8,
    JAN_POSICAOBU = 9,
    JAN_MOTOR = 10,
    JAN_ABRIR = 11,
    JAN_POSICAO4 = 12,
    JAN_POSICAO1 = 13,
    JAN_GAB160A560 = 14,
    JAN_GAB680A1000 = 15,
    JAN_AXIAL = 16,
};

// Hides the current child window (remembering it for VoltaJanela) and shows
// window n (1 to 16). Window 11, the open window, first asks whether to save
// unsaved work; it opens whatever the answer. Any other number only hides.
void MostraJanela(int n);
// Hides the current child window and shows again the one the last
// navigation hid; without one, like Inicio.
void VoltaJanela();
// Hides the current child window; the main window's own panel shows again
// with the default title.
void Inicio();

// The child window now shown, and the one the last navigation hid.
QWidget *JanelaAtiva();
QWidget *JanelaAnterior();
// Child windows call these from their show and hide handlers (JanelaFilha
// does it for them).
void DefineJanelaAtiva(QWidget *janela);
void LiberaJanelaAtiva(QWidget *janela); // clears it if it is 'janela'

// --- Title and status line -------------------------------------------------
inline constexpr const char *TextoTituloPadrao = "Quellora - Seleção de ventiladores";
void MostraTitulo(const QString &texto);
void TituloPadrao();
QString TituloAtual();
// Status panel 0; an empty text clears it.
void TextoStatus(const QString &texto);
QString TextoStatusAtual();

// --- Unsaved work ----------------------------------------------------------
// Alterado := v; the Save button is enabled exactly when v is true.
void SetAlterado(bool v);
// 1 when nothing changed; otherwise asks "Você alterou algum dado. Deseja
// salvar?": Yes saves (6 saved, 2 cancelled), No gives 7, Cancel 2.
int PerguntaSalvar();

// Saving returns 6 when saved and 2 when cancelled or refused. By default
// it is the save dialog's (SalvaOrcamentoJanela); tests may install their
// own operations here.
using OperacaoSalvar = std::function<int()>;
using OperacaoNovo = std::function<void()>;
void DefineSalvaOrcamento(OperacaoSalvar f); // null: back to the default
void DefineNovoOrcamento(OperacaoNovo f);    // null: back to the default
int SalvaOrcamento();
// Default: the selection window reset, LimpaOrcamento, data entry emptied,
// the factors file read again, the configuration window's OrcamentoNovo,
// SetAlterado(false), MostraJanela(2).
void NovoOrcamento();
// The answer of the save question asked when the open window was last
// shown (1 when nothing had changed).
int RespostaAoAbrir();
// The top bar's Save (tag 1) and New (tag 3).
void LeGravaLimpa(int tag);

// --- The quotation's number ------------------------------------------------
// The windows that show the quotation's number follow it through
// numeroAlterado, which a save emits when it gives the quotation a number
// (or takes a new one back), whichever windows exist by then.
class AvisoNumero : public QObject {
    Q_OBJECT
signals:
    void numeroAlterado(const QString &numero);
};
AvisoNumero *AvisoDoNumero();
// NumOrcAtual := numero, and every window told.
void MostraNumeroOrcamento(const QString &numero);

// --- Help ------------------------------------------------------------------
// Help contexts of the program's windows.
enum ContextoAjudaJanela : int {
    AJUDA_PRINCIPAL = 100,
    AJUDA_DADOS = 110,
    AJUDA_CALCULOS = 120,
    AJUDA_CURVA = 130,
    AJUDA_ARRANJO = 140,
    AJUDA_DATASHEET = 150,
    AJUDA_SALVAR = 160,
    AJUDA_CONFIGURA = 170,
    AJUDA_MOTOR = 180,
    AJUDA_POSICAO = 190,
    AJUDA_OPERADOR = 200,
    AJUDA_INSTRUCOES = 210,
    AJUDA_CLIENTES = 220,
    AJUDA_CONDICOES = 230,
    AJUDA_MOTOR4 = 240,
    AJUDA_ABRIR = 250,
    AJUDA_EMAILCNF = 260,
    AJUDA_EMAIL = 270,
};
// Gives a window (and the widgets in it) its help context.
void DefineContextoAjuda(QWidget *janela, int contexto);
// The help context of a widget: its own or its nearest parent's; 100 when
// none has one.
int ContextoAjuda(const QWidget *w);
// Opens the help window at a context (F1 does it with the focused widget's).
void MostraAjuda(int contexto);
// Test hook: called instead of opening the help window.
void DefineMostradorAjuda(std::function<void(int)> f);

} // namespace quellora
