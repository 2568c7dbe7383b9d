#pragma once
// The program's shared state: the quotation being edited, the catalogue
// tables in use, the calculation's result table and the settings records.
// Every window and operation reads and writes it here; a test resets it with
// ResetaEstado().

#include "catalogue/tipos.h"
#include "clients/clientes.h"
#include "mail/dadosemail.h"
#include "proposal/pagina.h"
#include "proposal/proposta.h"
#include "quotation/registros.h"
#include "selection/resultado.h"
#include "selection/curva.h"

#include <QString>

namespace quellora {

struct TIndiceModelo {
    std::int32_t Registro = 0;
    bool Ativo = false;
};

struct TEstado {
    // --- Directories (with a trailing separator) ---------------------------
    QString DirPrograma;
    QString DirDados;     // the user's own files (written)
    QString DirCatalogo;  // the catalogue and the family texts (read only)
    QString DirProjetos;
    QString VersaoDados = QStringLiteral("2003.01.13");

    // --- Catalogue tables --------------------------------------------------
    TDadosModelo Modelo;
    Faixa<TIndiceModelo, 0, 20> IndiceModelos;
    Faixa<TDenominacao, 1, 7> Denominacoes;
    Faixa<TDadosMotor, 1, 35> Motores;
    std::int32_t NumMotores = 0;
    std::int32_t MotorEscolhido = 0;
    Faixa<TAcessorio, 1, 45> Acessorios;
    TFatores Fatores;
    TPrecoMotores PrecoMotores;
    TPrecoModelo PrecoModelo;

    // --- Quotation ---------------------------------------------------------
    TOrcamento Orcamento;
    Faixa<TItemOrc, 0, 40> Itens;
    std::int32_t NumItens = 0;
    std::int32_t ItemAtual = 0;
    bool Alterado = false;
    bool Carregando = false;
    QString ArqOrc;
    QString ProjetoAtual;
    QString NumOrcAtual;
    double TempDens = 0;
    double AltDens = 0;
    double Densidade = 0;
    double ValorTotal = 0;
    Faixa<QString, 0, 6> Operador; // name, address, city, phone, e-mail, contact, representative

    // Factors left by the last drawing of the proposal's price section.
    double FatorVProposta = 0;
    double MultDescVProposta = 0;
    double FatorMProposta = 0;
    double MultDescMProposta = 0;

    // --- Page drawing --------------------------------------------------------
    TEstadoPagina Pagina;
    // Proposal page options and the layout of the page being drawn.
    TEstadoProposta Proposta;

    // --- Operating-point calculation ---------------------------------------
    TResultadoGrade Resultado;
    double VazaoCalc = 0;
    double PressaoCalc = 0;
    std::int32_t ModeloCalc = 0;
    bool SoTamanho = false;
    std::int32_t TamanhoUnico = 0;

    // --- Position pickers: the position last pointed at needs a frame -------
    bool PosicaoExigeQuadro = false;

    // --- Clients (data module: client table and its file) ----------------
    Tdm dm;

    // --- E-mail settings (dadmai.dat) ---------------------------------------
    TDadosEmail DadosEmail;

    // --- Performance chart: inputs (PreparaCurva) and data (CalculaCurva) ---
    TEntradaCurva Curva;
    TDadosCurva DadosCurva;
};

// The one instance. Large: it lives in static storage.
TEstado &G();

// Everything back to the state at program start (all zero).
void ResetaEstado();

} // namespace quellora
