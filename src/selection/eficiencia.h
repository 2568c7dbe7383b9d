#pragma once
// Energy figures of a fan at its duty: the Fan Energy Index of ANSI/AMCA 208
// on the total and the static pressure basis, the minimum efficiency of
// Regulation (EU) 2024/1834 with the fan's own efficiency reckoned as the
// regulation does, the tier-2 target of Regulation (EU) No 327/2011, and the
// annual energy and cost of running the fan. Parameters in, figures out.

#include "catalogue/energia.h"
#include "catalogue/tipos.h"
#include "quotation/registros.h"
#include "selection/resultado.h"
#include "shell/preferencias.h"

#include <QString>

namespace quellora {

inline constexpr double PascalPorMmCA = 9.80665;

enum class BaseFEI { Total, Estatica };

// V-belt drive efficiency at a shaft power (kW): 0.96 (H / (H + 1.64))^0.05.
double RendTransmissaoCorreia(double potEixo);
// Reference motor efficiency at the power it delivers (kW).
double RendMotorReferencia(double potTransmitida);

// The index and the powers behind it, kW.
struct TFEI {
    double PotRef = 0;       // H_ref, the reference fan's shaft power
    double RendTransRef = 0; // eta_trans,ref
    double RendMotorRef = 0; // eta_mtr,ref
    double FEPRef = 0;       // reference electrical input
    double FEPReal = 0;      // actual electrical input
    double FEI = 0;
};

// Flow in m³/s, pressure in Pa (total or static as 'base' says), density in
// kg/m³ and the fan's actual electrical input in kW.
TFEI CalculaFEI(double vazao, double pressao, double densidade, double fepReal, BaseFEI base);
// A bare-shaft fan of shaft power H kW: its drive and motor are taken as the
// reference ones, so FEI = H_ref / H.
TFEI CalculaFEIEixoLivre(double vazao, double pressao, double densidade, double potEixo, BaseFEI base);

// A minimum efficiency of the EU regulations at an electrical input.
struct TMinimoUE {
    bool Definido = false; // the fan has a type and category
    bool NoEscopo = false; // 0.125 kW <= Pe <= 500 kW
    bool Estatica = false; // the category reckons static efficiency (A, C)
    double N = 0;          // efficiency grade
    double Minimo = 0;     // %
};
// Regulation (EU) 2024/1834.
TMinimoUE MinimoUE(TipoUE tipo, char categoria, double potEletrica);
// Tier 2 (from 2015) of Regulation (EU) No 327/2011.
TMinimoUE MinimoUE2011(TipoUE tipo, char categoria, double potEletrica);

// One fan at its duty, everything the figures start from.
struct TPontoEnergia {
    double Vazao = 0;           // m³/h, the whole fan
    double PressaoEstatica = 0; // mmCA at the duty's density
    double PressaoTotal = 0;    // mmCA at the duty's density
    double Densidade = 0;       // kg/m³
    double PotEixo = 0;         // absorbed power at the duty, kW
    bool Correia = false;       // belt drive; otherwise direct or coupled
    double PotMotor = 0;        // rated power of the motor fitted, kW
    int Polos = 0;              // its poles
    TipoUE Tipo = TipoUE::Nenhum;
    char Categoria = 0;
};

enum class ResultadoUE { SemDados, ForaDoEscopo, Atende, NaoAtende };

struct TEficiencia {
    bool Valida = false;        // false without the motor table or a duty
    double FEI = 0;             // total pressure basis
    double FEIEstatico = 0;
    double RendTransmissao = 0; // fraction
    double RendMotor = 0;       // fraction, IE3
    double PotEletrica = 0;     // kW
    TipoUE Tipo = TipoUE::Nenhum; // the line's EU type and category
    char Categoria = 0;
    TMinimoUE UE;               // 2024/1834
    double RendUE = 0;          // the fan's own efficiency, %, of the category's pressure
    ResultadoUE AtendeUE = ResultadoUE::SemDados;
    TMinimoUE UE2011;           // 327/2011 tier 2
    ResultadoUE AtendeUE2011 = ResultadoUE::SemDados;
    double ConsumoAnual = 0;    // kWh
    double CustoAnual = 0;      // R$
};

TEficiencia CalculaEficiencia(const TPontoEnergia &p, const TEnergiaCatalogo &catalogo, double horasAno,
                              double tarifa);

// What the sizes of one line share.
struct TBaseEnergia {
    const TEnergiaCatalogo *Catalogo = nullptr;
    TipoUE Tipo = TipoUE::Nenhum;
    char Categoria = 0;
    double HorasAno = 0;
    double Tarifa = 0;
};
TBaseEnergia BaseDaLinha(const TEnergiaCatalogo &catalogo, const QString &codigo, const TPreferencias &prefs);

// Size i of a calculation. In full mode the size runs on a belt when one of
// its admissible arrangements is a belt drive, and its motor is the one the
// calculation found; in single-size mode (direct coupling) it runs direct
// with the item's pole choice.
TPontoEnergia PontoDoTamanho(const TResultadoGrade &r, int i, const TDadosModelo &modelo, double densidade,
                             bool soTamanho, const TBaseEnergia &base);
TEficiencia EficienciaDoTamanho(const TResultadoGrade &r, int i, const TDadosModelo &modelo, double densidade,
                                bool soTamanho, const TBaseEnergia &base);

// A quotation item from what it stores: its duty (rescaled for direct
// coupling), arrangement, absorbed power, and the motor chosen for it (or
// the suggested one). An item without a selection gives no figures.
TPontoEnergia PontoDoItem(const TItemOrc &it, const TEnergiaCatalogo &catalogo);
TEficiencia EficienciaDoItem(const TItemOrc &it, const TEnergiaCatalogo &catalogo, const TPreferencias &prefs);

// ✓ meets the EU minimum, ✗ falls short, – outside the regulation or no type.
QString MarcaUE(ResultadoUE r);

// Arrangement k (1..8) is a belt drive: "1", "3", "9", "10".
bool ArranjoCorreia(int k);

} // namespace quellora
