#pragma once
// The quotation's header and item records. The quotation file is nothing but
// the header followed by the items, byte for byte, so the offsets below are
// the file format. Every record keeps the image it was read from, so bytes
// that no field covers survive a read and a write unchanged.

#include "catalogue/tipos.h"

#include <QString>

#include <array>

namespace quellora {

// Header, 1716 bytes.
struct TOrcamento {
    static constexpr std::size_t TamanhoRegistro = 1716;
    std::array<std::uint8_t, TamanhoRegistro> bruto{};

    bool Iniciado = false;                 // 0
    std::int32_t Numero = 0;               // 4
    QString Projeto;                       // 9, Str[80]
    QString NumOrc;                        // 90, Str[7]
    Faixa<QString, 0, 5> OperadorOrc;      // 98 + 41j, Str[40]
    QString Cliente;                       // 344, Str[50]
    QString Endereco;                      // 395, Str[50]
    QString Cidade_Estado;                 // 446, Str[40]
    QString email;                         // 487, Str[40]
    QString Contato;                       // 528, Str[25]
    QString Fone;                          // 554, Str[25]
    QString Fax;                           // 580, Str[25]
    double Data = 0;                       // 608, Date
    double descontoV = 0;                  // 616
    double descontoM = 0;                  // 624
    std::int32_t NumItensOrc = 0;          // 632
    // 636, 400 bytes: the quotation's copy of the factors record. Its last
    // fields are the header's Pagamento (880), Frete (961), Validade (1021),
    // IPI (1024), Embalagem (1028) and Entrega (1032).
    TFatores FatoresOrc;
    std::int32_t ICMS = 0;                 // 1036
    QString Obs1;                          // 1040, Str[80]
    QString Obs2;                          // 1121, Str[80]
    std::int32_t NumAcessEsp = 0;          // 1204
    Faixa<QString, 0, 9> AcessEsp;         // 1208 + 26j, Str[25]
    double ValorTotalOrc = 0;              // 1468

    bool operator==(const TOrcamento &) const = default;
};

// Item, 1364 bytes.
struct TItemOrc {
    static constexpr std::size_t TamanhoRegistro = 1364;
    std::array<std::uint8_t, TamanhoRegistro> bruto{};

    bool Selecionado = false;              // 0
    QString RefTag;                        // 1, Str[10]
    std::int32_t Qtd = 0;                  // 12
    QString Descricao;                     // 16, Str[40]
    std::int32_t Arranjo = 0;              // 60
    QString Linha;                         // 64, Str[4]
    std::int32_t IndModelo = 0;            // 72
    QString Posicao;                       // 76, Str[20]
    bool Configurado = false;              // 97
    Faixa<bool, 0, 45> AcessSel;           // 100
    Faixa<double, 1, 45> PrecoAcessorio;   // 148
    bool ComMotor = false;                 // 508
    bool SemMotor = false;                 // 509
    std::int32_t PolosSug = 0;             // 512
    std::int32_t MotorIni = 0;             // 516
    std::int32_t RegMotor = 0;             // 520
    std::int32_t FreqDireto = 0;           // 524
    std::int32_t Polos = 0;                // 528
    double PwOp = 0;                       // 532
    double PwSt = 0;                       // 540
    double MotorSugerido = 0;              // 548
    bool SoSugestao = false;               // 556
    QString Tensao;                        // 557, Str[12]
    QString Frequencia;                    // 570, Str[5]
    QString Protecao;                      // 576, Str[9]
    QString ObsMotor;                      // 586, Str[50]
    QString Marca;                         // 637, Str[10]
    double PotMotor = 0;                   // 648
    std::int32_t RotMotor = 0;             // 656
    QString Carcaca;                       // 660, Str[6]
    double PrecoListaMotor = 0;            // 668
    double Vazao = 0;                      // 676
    bool Axial = false;                    // 684
    bool ComGabinete = false;              // 685
    bool ExigeQuadro = false;              // 686
    bool Direto = false;                   // 687
    double VazaoDireto = 0;                // 688
    std::int32_t IndiceTam = 0;            // 696
    std::int32_t PaginaArranjo = 0;        // 700
    std::int32_t RegModelo = 0;            // 704
    std::int32_t Tamanho = 0;              // 708
    std::int32_t RotMax = 0;               // 712
    std::int32_t Rotacao = 0;              // 716
    std::int32_t Rendimento = 0;           // 720
    double PressaoDireto = 0;              // 736
    double Pressao = 0;                    // 744
    double PotOp = 0;                      // 752
    double Pot20 = 0;                      // 760
    double CorrecaoRend = 0;               // 768
    double Temperatura = 0;                // 776
    double Altitude = 0;                   // 784
    double DensidadeItem = 0;              // 792
    double VelDescarga = 0;                // 800
    double VelPeriferica = 0;              // 808
    double PTotal20 = 0;                   // 816
    double PTotalOp = 0;                   // 824
    double PEst20 = 0;                     // 832
    double PrecoVent = 0;                  // 840
    double PrecoMotor = 0;                 // 848
    double LwTot = 0;                      // 856
    double LwA = 0;                        // 864
    std::int32_t IndEspectro = 0;          // 872
    double PrecoAcess = 0;                 // 876
    Faixa<double, 1, 8> LwBanda;           // 884
    QString DescTamanho;                   // 948, Str[10]
    QString TextoModelo;                   // 959, Str[30]
    Faixa<double, 0, 9> AcessEspPrecoLista;// 992 + 16j
    Faixa<double, 0, 9> AcessEspPreco;     // 1000 + 16j
    bool MotorEspecial = false;            // 1152
    std::uint8_t RegPrecoMotor = 0;        // 1153
    std::int8_t GrupoMotor = 0;            // 1154

    // Beside the record (the file's extension block, extensao_orc.h): the
    // identical fans in parallel that share the duty, and the system's
    // pressure at no flow, mmCA (0: none).
    std::int32_t Ventiladores = 1;
    double PressaoFixa = 0;

    bool operator==(const TItemOrc &) const = default;
};

// An item the proposal, the spreadsheet document and the data sheets show:
// selected at least once and wanted in some quantity. The others stay in the
// quotation with their numbers but print nothing.
inline bool ItemPronto(const TItemOrc &item) { return item.Selecionado && item.Qtd > 0; }

void Le(const LeitorBinario &l, std::size_t base, TOrcamento &r);
void Grava(GravadorBinario &g, std::size_t base, const TOrcamento &r);
void Le(const LeitorBinario &l, std::size_t base, TItemOrc &r);
void Grava(GravadorBinario &g, std::size_t base, const TItemOrc &r);

} // namespace quellora
