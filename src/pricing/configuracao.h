#pragma once
// The configuration of one quotation item: the accessory checklist built from
// the catalogue, the rules that run when a check box changes, the grid of the
// configuration obtained and the accessory prices counted from it. The
// configuration window shows what these functions decide.

#include "catalogue/tipos.h"
#include "pricing/precos.h"
#include "quotation/registros.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace quellora {

inline constexpr const char *TextoEntradaMotor = "Motor eletrico";
inline constexpr const char *TextoEntradaPosicao = "Posição ventilador/motor";
// The quotation holds this many special accessories (descriptions in the
// header, price pairs in every item).
inline constexpr int MaxAcessEsp = 10;

// One line of the checklist and whether its box is ticked.
struct TEntradaAcessorio {
    QString Texto;
    bool Marcado = false;
};

// The checklist of an item: entry 0 is the motor, then the catalogue
// accessories the item's arrangement allows (with the position pseudo-entry
// just before "PEC"), then the quotation's special accessories from
// PrimeiroEspecial on. The indices name the entries with a role; -1 when the
// item's list has no such entry.
struct TListaAcessorios {
    std::vector<TEntradaAcessorio> Entradas;
    int PrimeiroEspecial = 0;
    int IdxBU = -1;
    int IdxBR = -1;
    int IdxQR = -1;
    int IdxGAB = -1;
    int IdxPosicao = -1;

    int Quantas() const { return static_cast<int>(Entradas.size()); }
    bool Marcado(int i) const { return i >= 0 && i < Quantas() && Entradas[static_cast<std::size_t>(i)].Marcado; }
    void Marca(int i, bool v) {
        if (i >= 0 && i < Quantas())
            Entradas[static_cast<std::size_t>(i)].Marcado = v;
    }
    QString Texto(int i) const { return i >= 0 && i < Quantas() ? Entradas[static_cast<std::size_t>(i)].Texto : QString(); }
    bool Especial(int i) const { return i >= PrimeiroEspecial && i < Quantas(); }
};

// The fields of an entry "description|code|price text|accessory number"
// (number 0 for special accessories).
struct TCamposEntrada {
    QString Descricao;
    QString Codigo;
    QString Preco;
    int Numero = 0;
};
TCamposEntrada SeparaCampos(const QString &entrada);

// The entry of special accessory j of the item (its list price formatted
// "0.00", or its marker).
QString EntradaEspecial(const QString &descricao, double precoLista);

// Builds the item's checklist. Accessories priced "INC." are ticked and
// chosen (AcessSel) on the way; the others are ticked as AcessSel says; the
// position entry is ticked when the item has a position; a special
// accessory is ticked when its list price in the item is not zero.
TListaAcessorios MontaAcessorios(const Faixa<TAcessorio, 1, 45> &acessorios, const TDadosModelo &modelo,
                                 const TPrecoModelo &precos, TItemOrc &item, const TOrcamento &orcamento);

// Codes that may stay with a cabinet, and those the cabinet's removal takes away.
bool CodigoPermitidoComGabinete(const QString &codigo);
bool CodigoSaiComGabinete(const QString &codigo);
// Whether entry i may be ticked on an item with a cabinet.
bool AcessorioPermitido(const TListaAcessorios &l, int i);

// Factors and discount multipliers in force for the prices.
struct TFatoresPreco {
    double FatorV = 0;
    double FatorM = 0;
    double MultDescV = 1;
    double MultDescM = 1;
};

// The fan's price in the line's price record (0 outside the record).
double PrecoVentilador(const TPrecoModelo &precos, int arranjo, int indiceTam);
// "%s %d / %s": the line as shown, the size and the arrangement.
QString TextoVentilador(const TItemOrc &item);

// A row of the configuration grid: text, detail, price text.
struct TLinhaConfig {
    QString Texto;
    QString Detalhe;
    QString Preco;
    bool operator==(const TLinhaConfig &) const = default;
};

struct TConfiguracaoObtida {
    // Rows after the fan row: position, ticked accessories, motor.
    std::vector<TLinhaConfig> Linhas;
    double SomaAcess = 0;
    double PrecoMotorLiq = 0;
};

// The configuration grid of the item from its checklist, writing the item's
// choices and prices (Configurado, AcessSel, PrecoAcessorio, AcessEspPreco,
// PrecoMotor, PrecoAcess).
TConfiguracaoObtida AtualizaConfiguracao(const TListaAcessorios &l, TItemOrc &item, const TFatoresPreco &f);

// PrecoAcess of items 1..numItens from their stored choices.
void RecalculaAcessorios(Faixa<TItemOrc, 0, 40> &itens, int numItens, int numAcessEsp, double fatorV,
                         double multDescV);

// What a toggled check box asks of the window, in this order: messages
// (exclamation, OK), then the configuration grid rebuilt, then the window
// named opened (after RetornoJanela := true).
struct TEfeitoMarcacao {
    QStringList Mensagens;
    bool Alterado = false;
    bool Atualiza = false;
    bool Gabinete = false; // the cabinet changed: fan row and lists repainted
    bool Retorno = false;
    int Janela = 0;
};

inline constexpr const char *MsgGabineteNaoPermitido = "Este acessório não é permitido pois o modelo possui gabinete!";
inline constexpr const char *MsgConfirmaGabinete =
    "Quando é selecionado o Gabinete, apenas os seguintes acessórios são \r\npermitidos para o ventilador:\r\n"
    "- Motor elétrico / Montagem de motor\r\n- Ligação flexível desc. / Coxins de borracha\r\n"
    "- Polias e correias / Polias reg. e correias\r\n- Contra flange descarga / Flange descarga\r\n"
    "- Registro gravitacional desc. / Registro venezeziana desc.\r\n- Posição de descarga / Tela descarga\r\n"
    "- Pintura / Veneziana de proteção\r\n\r\nTodos os acessórios já selecionados e que não pertençam a relação \r\n"
    "acima serão excluidos.\r\n\r\nConfirma a opção?";
inline constexpr const char *MsgQuadro = "Esta posição de ventilador necessita deste acessório.\r\n"
                                          "Para alterá-la escolha a posição diferente RD 180° ou LG 180°";
inline constexpr const char *MsgBaseRegulavelDesmarcada = "Base Regulável e/ou Posição foram desmarcados!";
inline constexpr const char *MsgBaseUnicaDesmarcada = "Base Única e/ou Posição foram desmarcados!";
inline constexpr const char *MsgEscolhaBase = "Você deve escolher Base Única ou Regulável antes de escolher a posição!";

// The rules of a check box the user toggled: entry i is already in its new
// state. 'confirmaGabinete' asks whether the cabinet is wanted (false:
// cancelled). 'posicaoExigeQuadro' is the pickers' shared flag.
TEfeitoMarcacao MarcacaoAlterada(TListaAcessorios &l, TItemOrc &item, int i, bool &posicaoExigeQuadro,
                                 const std::function<bool()> &confirmaGabinete);

// The position entry is unticked and the item forgets its position.
void DesmarcaPosicao(TListaAcessorios &l, TItemOrc &item);

} // namespace quellora
