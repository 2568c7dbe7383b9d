#pragma once
// Catalogue records: the fan lines, line names, motors, accessories, factors
// and prices as they lie in the files of the data directory. Each record has
// an explicit reader and writer at the byte offsets of its file layout.

#include "catalogue/binario.h"

#include <QString>

#include <array>

namespace quellora {

// Speed limits of one drive arrangement in one fan line (280 bytes).
struct TArranjoModelo {
    static constexpr std::size_t TamanhoRegistro = 280;
    bool Disponivel = false;          // 0
    Faixa<std::int32_t, 1, 23> RotMaxTam; // 4, 1/min per size
    bool operator==(const TArranjoModelo &) const = default;
};

// One sound row: octave corrections up to a speed (96 bytes).
struct TFaixaEspectro {
    static constexpr std::size_t TamanhoRegistro = 96;
    double RotLimite = 0;           // 8
    Faixa<double, 1, 8> Banda;      // 16, dB, 63 Hz .. 8 kHz
    double DifLw = 0;               // 80
    double CorrLwA = 0;             // 88
    bool operator==(const TFaixaEspectro &) const = default;
};

// Fan line, dadmod.dat (10616 bytes).
struct TDadosModelo {
    static constexpr std::size_t TamanhoRegistro = 10616;
    bool TemDados = false;                    // 4
    QString Codigo;                           // 8, Str[7]
    std::int32_t Entradas = 0;                // 16
    std::int32_t DiamRef = 0;                 // 20
    std::int32_t RotRef = 0;                  // 24
    Faixa<bool, 1, 23> Existe;                // 32
    Faixa<double, 1, 23> AreaDescarga;        // 56
    Faixa<double, 1, 23> FatorRot;            // 240
    Faixa<double, 1, 23> CorrRend;            // 424
    Faixa<std::int32_t, 1, 23> VelMax;        // 608
    Faixa<double, 1, 7> CurvaVazao;           // 700
    Faixa<double, 1, 7> CurvaPressao;         // 756
    Faixa<double, 1, 7> CurvaRend;            // 812
    double XMax = 0;                          // 924
    double XMin = 0;                          // 932
    std::int32_t VelPerifMin = 0;             // 940
    Faixa<double, 0, 6> PolVazao;             // 944
    Faixa<double, 0, 6> PolRend;              // 1000
    Faixa<double, 0, 6> PolSom;               // 1056
    Faixa<TArranjoModelo, 1, 8> ArranjoModelo;// 1112
    Faixa<TFaixaEspectro, 1, 69> Espectro;    // 3352
    Faixa<Faixa<bool, 1, 45>, 1, 8> AcessArranjo; // 9976 + 45(k-1) + (c-1)
    QString DescModelo;                       // 10336, Str[20]
    std::int8_t PotLimite = 0;                // 10357
    std::int8_t MargemAcima = 0;              // 10358
    std::int8_t MargemAbaixo = 0;             // 10359
    double RendRef = 0;                       // 10360
    bool operator==(const TDadosModelo &) const = default;
};

// Fan family, denmod.dat (70 bytes).
struct TDenominacao {
    static constexpr std::size_t TamanhoRegistro = 70;
    QString Familia;      // 0, Str[8]
    QString TextoFamilia; // 9, Str[60]
    bool operator==(const TDenominacao &) const = default;
};

// One pole version of a motor (24 bytes).
struct TPoloMotor {
    static constexpr std::size_t TamanhoRegistro = 24;
    QString Carcaca;               // 8, Str[11]
    std::int32_t RotacaoMotor = 0; // 20
    bool operator==(const TPoloMotor &) const = default;
};

// Motor, dadmot.dat (112 bytes), in groups of 35.
struct TDadosMotor {
    static constexpr std::size_t TamanhoRegistro = 112;
    double Potencia = 0;                 // 0, kW; 0 = empty slot
    Faixa<TPoloMotor, 1, 4> PoloMotor;   // 8, 2/4/6/8 poles
    bool operator==(const TDadosMotor &) const = default;
};

// Accessory, dadace.dat (31 bytes).
struct TAcessorio {
    static constexpr std::size_t TamanhoRegistro = 31;
    QString CodAcessorio;  // 0, Str[4]
    QString NomeAcessorio; // 5, Str[25]
    bool operator==(const TAcessorio &) const = default;
};

// Commercial factors, dadfat.dat (400 bytes). The quotation header keeps its
// own copy of this record, byte for byte.
struct TFatores {
    static constexpr std::size_t TamanhoRegistro = 400;
    std::array<std::uint8_t, TamanhoRegistro> bruto{}; // image read, kept for the bytes no field covers
    std::int32_t ICMSPadrao = 0;         // 0
    Faixa<double, 1, 4> AliquotaICMS;    // 4
    Faixa<double, 1, 4> FatorVent;       // 84
    Faixa<double, 1, 4> FatorMotor;      // 164
    QString Pagamento;                   // 244, Str[80]
    QString Frete;                       // 325, Str[59]
    std::uint8_t Validade = 0;           // 385
    std::int32_t IPI = 0;                // 388
    std::int32_t Embalagem = 0;          // 392
    std::int32_t Entrega = 0;            // 396
    bool operator==(const TFatores &) const = default;
};

// Motor prices, premot.dat (1120 bytes): motor m (1..35), pole version p (1..4).
struct TPrecoMotores {
    static constexpr std::size_t TamanhoRegistro = 1120;
    Faixa<Faixa<double, 1, 4>, 1, 35> Preco;
    bool operator==(const TPrecoMotores &) const = default;
};

// Line prices, premod.dat (67720 bytes): per arrangement k (1..8) the fan
// price of size i and the price of accessory c of size i.
struct TPrecoModelo {
    static constexpr std::size_t TamanhoRegistro = 67720;
    struct Bloco {
        Faixa<double, 1, 23> PrecoVent;
        Faixa<Faixa<double, 1, 45>, 1, 23> PrecoAcess; // [i][c]
        bool operator==(const Bloco &) const = default;
    };
    Faixa<Bloco, 1, 8> Arranjo;
    bool operator==(const TPrecoModelo &) const = default;
};

// Readers and writers at a record's base offset within an image.
void Le(const LeitorBinario &l, std::size_t base, TArranjoModelo &r);
void Le(const LeitorBinario &l, std::size_t base, TFaixaEspectro &r);
void Le(const LeitorBinario &l, std::size_t base, TDadosModelo &r);
void Le(const LeitorBinario &l, std::size_t base, TDenominacao &r);
void Le(const LeitorBinario &l, std::size_t base, TPoloMotor &r);
void Le(const LeitorBinario &l, std::size_t base, TDadosMotor &r);
void Le(const LeitorBinario &l, std::size_t base, TAcessorio &r);
void Le(const LeitorBinario &l, std::size_t base, TFatores &r);
void Le(const LeitorBinario &l, std::size_t base, TPrecoMotores &r);
void Le(const LeitorBinario &l, std::size_t base, TPrecoModelo &r);

void Grava(GravadorBinario &g, std::size_t base, const TArranjoModelo &r);
void Grava(GravadorBinario &g, std::size_t base, const TFaixaEspectro &r);
void Grava(GravadorBinario &g, std::size_t base, const TDadosModelo &r);
void Grava(GravadorBinario &g, std::size_t base, const TDenominacao &r);
void Grava(GravadorBinario &g, std::size_t base, const TPoloMotor &r);
void Grava(GravadorBinario &g, std::size_t base, const TDadosMotor &r);
void Grava(GravadorBinario &g, std::size_t base, const TAcessorio &r);
void Grava(GravadorBinario &g, std::size_t base, const TFatores &r);
void Grava(GravadorBinario &g, std::size_t base, const TPrecoMotores &r);
void Grava(GravadorBinario &g, std::size_t base, const TPrecoModelo &r);

// Whole-record helpers: a record from its own image and back.
template <class T>
T DeBytes(const QByteArray &b, std::size_t base = 0) {
    T r{};
    Le(LeitorBinario(b), base, r);
    return r;
}

template <class T>
QByteArray ParaBytes(const T &r) {
    QByteArray b(static_cast<qsizetype>(T::TamanhoRegistro), '\0');
    GravadorBinario g(b);
    Grava(g, 0, r);
    return b;
}

} // namespace quellora
