#pragma once
// The program's own preferences, "preferencias.json" in the data directory:
// the running-cost basis (operating hours per year, energy tariff), where the
// sound pressure is reckoned (distance, directivity), the outlet velocity
// above which a size is flagged and the folder quotations are saved in. A missing file means the defaults; a file
// that can't be read, isn't JSON or holds a value out of range is refused
// with a message naming the file. Keys this version doesn't know are kept
// when the file is written again.

#include <QByteArray>
#include <QString>

#include <nlohmann/json.hpp>

namespace quellora {

inline constexpr const char *ArqPreferencias = "preferencias.json";

struct TPreferencias {
    double HorasAno = 4000;     // operating hours per year
    double Tarifa = 0.80;       // R$/kWh
    double Distancia = 1;       // m, from the fan to where people work
    int Diretividade = 2;       // Q: 1 free field, 2 on the floor, 4 at a wall, 8 in a corner
    double VelocidadeMax = 15;  // m/s at the outlet
    QString PastaProjetos;      // an absolute folder, perhaps shared; empty: the program's own

    // Whatever else the file held, written back untouched.
    nlohmann::json Outros = nlohmann::json::object();

    bool operator==(const TPreferencias &o) const {
        return HorasAno == o.HorasAno && Tarifa == o.Tarifa && Distancia == o.Distancia &&
               Diretividade == o.Diretividade && VelocidadeMax == o.VelocidadeMax &&
               PastaProjetos == o.PastaProjetos && Outros == o.Outros;
    }
};

// Empty when every value is in range; otherwise what is wrong, in words.
QString ValidaPreferencias(const TPreferencias &p);

// Empty when 'pasta' may be chosen as the projects folder (empty, or an
// existing folder); otherwise why not, as a sentence.
QString ProblemaPastaProjetos(const QString &pasta);

// The file's text (UTF-8 JSON, one key a line, dots for decimals).
QByteArray PreferenciasParaBytes(const TPreferencias &p);
// Reads the file's text. On failure 'p' is left as it was and 'erro' says why.
[[nodiscard]] bool PreferenciasDeBytes(const QByteArray &dados, TPreferencias &p, QString *erro);

// A directory without the file gives the defaults and succeeds.
[[nodiscard]] bool CarregaPreferencias(const QString &dirDados, TPreferencias &p, QString *erro = nullptr);
// Written whole through a temporary file; refused when a value is out of range.
[[nodiscard]] bool GravaPreferencias(const QString &dirDados, const TPreferencias &p, QString *erro = nullptr);

} // namespace quellora
