#pragma once
// Data entry (navigation number 2): the client, the project, the number and
// date of the quotation, and the grid of items with their air duties. The
// header fields of Orcamento follow the edits as they change; the grid goes
// into Itens only when stored (GravaDados), on the way to the selection or
// the data sheet and before a save.

#include "shell/numeros.h"
#include "shell/windows/janelafilha.h"

#include <functional>

class QLineEdit;
class QPushButton;

namespace quellora {

struct EntradaJanela;
struct DadosCliente;
class GradeDados;

inline constexpr const char *MsgInformeVazao = "Você deve informar uma vazão!";
inline constexpr const char *MsgInformePressao = "Você deve informar uma pressão!";
inline constexpr const char *MsgMaximoItens = "Máximo %1 itens por orçamento!";
inline constexpr const char *MsgMinimoUmItem = "Você deve ter no mínimo um item para poder selecionar!";
inline constexpr const char *MsgItemSelecionado =
    "Este item já foi selecionado. Se você alterar este valor, todos os dados \r\n"
    "anteriores serão perdidos.\r\nConfirma?";
inline constexpr const char *MsgEscolhaCliente =
    "Escolha um cliente ou inclua um novo pressionando o botão [Clientes]!";
inline constexpr const char *MsgTemperaturaInvalida = "A temperatura deve ser maior que -273 ºC!";
inline constexpr const char *StatusExcluirLinha = "[Ctrl+Del] Excluir";

// Columns of the item grid.
enum ColunaDados : int {
    COL_ITEM = 0,
    COL_TAG = 1,
    COL_QTD = 2,
    COL_DESCRICAO = 3,
    COL_VAZAO = 4,
    COL_PRESSAO = 5,
    COL_TEMPERATURA = 6,
    COL_ALTITUDE = 7,
    COL_DENSIDADE = 8,
};

class TfrmDados : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmDados(QWidget *painel);

    // Stores the grid into Itens (NumItens, NumItensOrc and the duty fields
    // of each item; the other fields of an item are kept) and the project
    // and number texts into ProjetoAtual / NumOrcAtual. A last row left
    // without flow or pressure is not an item. The first store with items
    // initialises the commercial terms.
    void GravaDados();

    // After New: empty client fields, project and number, the date of the
    // quotation, and one empty row numbered 1 (20 ºC, 0 m). Touches no record.
    void LimpaDados();
    // After opening a quotation: the fields and the grid from Orcamento and
    // Itens 1..NumItens (the densities recomputed), ProjetoAtual and
    // NumOrcAtual from the header. Touches no other record.
    void CarregaDados();

    // For the save dialog: these go through the change handlers like the
    // user's own edits (nothing is stored while Carregando is set).
    void defineNumero(const QString &numero);
    void defineProjeto(const QString &projeto);
    // The seven client fields from the header (after a client was chosen
    // elsewhere).
    void mostraCliente();
    // The date field from the header's Data, "dd/mm/yyyy".
    void mostraData();

    // The grid was changed since it was last stored.
    bool Modificado() const { return modificado_; }

    GradeDados *grade() const { return grDados_; }

protected:
    void aoMostrar() override;
    void aoEsconder() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    friend class GradeDados;

    void btSelecaoClick();
    void btDataSheetClick();
    void BitBtn1Click();
    void edProjetoChange();
    void GravaCliente();

    // Grid events.
    void CalculaDensidadeLinha(int r);
    void celulaEditada(int c, int r);
    // A typed quantity, flow, pressure, temperature or altitude the item
    // cannot take (the grid reports it with 'motivo'), and how refusals
    // name each of those fields.
    static bool AceitaNumero(int c, double v, const QString &texto, QString *motivo);
    static TCampoNumero CampoDaColuna(int c);
    bool podeSelecionar(int c, int r);
    bool confirmaAlteracao(int r); // the question on a selected item's duty
    bool podeAcrescentar();        // the three checks before a row is appended
    void acrescentaLinha();        // appends row RowCount() after the checks
    void excluiLinha();            // Ctrl+Del
    void linhaNova(int r);         // number, 20 ºC, 0 m and the density
    void moveCursor(int c, int r); // programmatic move: asks nothing

    QLineEdit *edNome_ = nullptr;
    QLineEdit *edEndereco_ = nullptr;
    QLineEdit *edCidade_ = nullptr;
    QLineEdit *edEmail_ = nullptr;
    QLineEdit *edContato_ = nullptr;
    QLineEdit *edFone_ = nullptr;
    QLineEdit *edFax_ = nullptr;
    QLineEdit *edOrcamento_ = nullptr;
    QLineEdit *edData_ = nullptr;
    QLineEdit *edProjeto_ = nullptr;
    GradeDados *grDados_ = nullptr;

    bool modificado_ = false;
    bool preenchendo_ = false; // the window fills its own fields
    bool movendo_ = false;     // the window moves the grid cursor itself
};

// The data entry window, or null when it was not created.
TfrmDados *JanelaDados();

// The store, for the main window's save; nothing without the window.
void GravaDados();

// How "&Clientes" chooses a client: the client window shown modally with
// 'pesquisa' in its search box; true with the chosen client after OK, false
// when cancelled. By default the client window's EscolheCliente; tests put
// their own choice here.
using EscolhaCliente = std::function<bool(const QString &pesquisa, DadosCliente &escolhido)>;
void DefineEscolhaCliente(EscolhaCliente f); // null: back to the default
// The choice as "&Clientes" and the save dialog's "Procura cliente" make it.
bool EscolheClienteOrcamento(QWidget *pai, const QString &pesquisa, DadosCliente &escolhido);

// The ICMS choice (list index 0..3) the first store initialises the
// commercial terms with. The configuration window installs its list's
// choice; until then the default choice of the factors in force
// (ICMSPadrao, where 0 stands for index 2).
using IndiceICMSAtual = std::function<int()>;
void DefineIndiceICMS(IndiceICMSAtual f); // null: back to the default
int IndiceICMS();
int IndiceICMSPadrao(int icmsPadrao);

QWidget *CriaTfrmDados(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
