#pragma once
// Loading the catalogue files of the data directory into the shared tables.
// Every operation takes the data directory; on failure it returns false with
// a message that names the file, and the table being loaded may be left
// partly filled.

#include "catalogue/tipos.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quellora {

struct TEstado;

inline constexpr const char *ArqModelos = "dadmod.dat";
inline constexpr const char *ArqDenominacoes = "denmod.dat";
inline constexpr const char *ArqMotores = "dadmot.dat";
inline constexpr const char *ArqAcessorios = "dadace.dat";
inline constexpr const char *ArqFatores = "dadfat.dat";
inline constexpr const char *ArqPrecoModelos = "premod.dat";
inline constexpr const char *ArqPrecoMotores = "premot.dat";

inline constexpr int MaxModelos = 21;
inline constexpr int MotoresPorGrupo = 35;
inline constexpr int NumAcessorios = 45;
inline constexpr int NumDenominacoes = 7;

// Operations on the shared tables (shell/estado.h).
[[nodiscard]] bool CarregaDenominacoes(const QString &dirDados, QString *erro = nullptr);
[[nodiscard]] bool CarregaMotores(const QString &dirDados, int grupo, QString *erro = nullptr);
[[nodiscard]] bool CarregaAcessorios(const QString &dirDados, QString *erro = nullptr);
[[nodiscard]] bool CarregaFatores(const QString &dirDados, QString *erro = nullptr);
// Clears 'lista', then adds one line per fan line that has calculation data
// and marks it in IndiceModelos. Modelo is left holding the last record read.
[[nodiscard]] bool ListaModelos(const QString &dirDados, QStringList &lista, QString *erro = nullptr);
// The dadmod.dat record of list position p, or -1.
int RegistroDoModelo(int p);
[[nodiscard]] bool CarregaModelo(const QString &dirDados, int p, QString *erro = nullptr);
[[nodiscard]] bool CarregaPrecoMotores(const QString &dirDados, int registro, QString *erro = nullptr);
[[nodiscard]] bool CarregaPrecoModelo(const QString &dirDados, int p, QString *erro = nullptr);
// The smallest motor of the group in use rated at least x kW; sets MotorEscolhido.
bool ProcuraMotor(double x);
// The same on the motors and MotorEscolhido of the state 'g' given.
bool ProcuraMotor(TEstado &g, double x);

// The list line of a fan line: code and " - " cut to 7, then the description,
// the whole cut to 27 characters.
QString LinhaDaLista(const TDadosModelo &m);

// Whole files as records, for tools and tests; these leave the shared tables alone.
[[nodiscard]] bool LeTodosModelos(const QString &dirDados, std::vector<TDadosModelo> &modelos, QString *erro = nullptr);

template <class T>
[[nodiscard]] bool LeArquivoDeRegistros(const QString &arquivo, std::vector<T> &saida, QString *erro);

} // namespace quellora
