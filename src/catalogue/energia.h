#pragma once
// The catalogue's energy data, "dadefi.dat" beside the seven catalogue
// files: the full-load efficiency of IE3 motors (IEC 60034-30-1, 60 Hz) by
// rated power and poles, and the EU fan type and measurement category of
// every fan line. The catalogue compiler writes it from the catalogue source;
// its reader refuses a damaged file with a message naming it.
//
// Layout (little-endian):
//   0   4 bytes  "QEFI"
//   4   Integer  version, 1
//   8   Integer  n, motor powers (1..64)
//   12  Integer  m, fan lines (0..21), in the order of dadmod.dat
//   16  n x 40   Double rated power (kW, ascending), 4 x Double efficiency (%)
//                for 2, 4, 6 and 8 poles
//   ..  m x 12   Str[7] line code, Byte type (TipoUE), Byte category ('A'..'D',
//                0 without a type), 2 bytes 0
//   end Integer  CRC-16 (ITU-T V.41) of every byte before it

#include "catalogue/binario.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace quellora {

inline constexpr const char *ArqEnergia = "dadefi.dat";

// Fan types of the EU regulation, as the catalogue source names them.
enum class TipoUE : std::uint8_t {
    Nenhum = 0,
    Axial = 1,
    CentrifugoFrente = 2,    // forward-curved blades
    CentrifugoRadial = 3,    // radial blades (backward-inclined 50..90°)
    CentrifugoTras = 4,      // backward-curved or backward-inclined blades
    CentrifugoAerofolio = 5, // airfoil blades
};

// "axial", "centrifugo-frente", "centrifugo-radial", "centrifugo-tras",
// "centrifugo-aerofolio"; empty for Nenhum.
QString CodigoTipoUE(TipoUE t);
// False for a text that names no type.
bool TipoUEDeCodigo(const QString &codigo, TipoUE &t);

// IE3 efficiency of one rated power.
struct TRendMotor {
    double Potencia = 0;           // kW
    Faixa<double, 1, 4> Rendimento; // %, 2/4/6/8 poles
    bool operator==(const TRendMotor &) const = default;
};

// The EU classification of one fan line.
struct TLinhaEnergia {
    QString Codigo;            // the line's code, as in dadmod.dat
    TipoUE Tipo = TipoUE::Nenhum;
    char Categoria = 0;        // measurement category 'A'..'D'
    bool operator==(const TLinhaEnergia &) const = default;
};

struct TEnergiaCatalogo {
    std::vector<TRendMotor> Motores;
    std::vector<TLinhaEnergia> Linhas;
    bool vazio() const { return Motores.empty(); }
    bool operator==(const TEnergiaCatalogo &) const = default;
};

// Empty when the data can be written; otherwise what is wrong, in words.
QString ValidaEnergia(const TEnergiaCatalogo &e);
// The file image; the data must be valid.
QByteArray EnergiaParaBytes(const TEnergiaCatalogo &e);
// Reads a file image. On failure 'e' is left as it was and 'motivo' says why.
[[nodiscard]] bool EnergiaDeBytes(const QByteArray &dados, TEnergiaCatalogo &e, QString *motivo);

// A directory without the file gives empty data and succeeds: the figures
// that need it are not shown.
[[nodiscard]] bool CarregaEnergia(const QString &dirDados, TEnergiaCatalogo &e, QString *erro = nullptr);

// IE3 efficiency (a fraction) of a motor of 'potencia' kW with 'polos' poles
// (2, 4, 6, 8; anything else reads as 4). A power between two listed ones
// takes the lower one's value; below the table its first row, above it the
// last. 0 when the table is empty.
double RendimentoIE3(const TEnergiaCatalogo &e, double potencia, int polos);

// The classification of the line with this code (blanks and letter case
// ignored); failing that, of the first line whose code starts with the four
// characters a quotation item keeps of it. Null when none.
const TLinhaEnergia *LinhaEnergia(const TEnergiaCatalogo &e, const QString &codigo);

} // namespace quellora
