#include "selection/eficiencia.h"

#include "selection/calculo.h"

#include <cmath>

namespace quellora {

namespace {

// Reference fan efficiencies of the two bases.
constexpr double Eta0Total = 0.66;
constexpr double Eta0Estatica = 0.60;

// The efficiency grade N of each regulation, static and total columns.
struct Graus {
    double estatica, total;
};

// a ln Pe + b + N up to the break, c ln Pe + d + N beyond it.
struct Curva {
    double a, b, c, d;
};
constexpr Curva Curva2024{4.56, -10.5, 1.1, -2.6};
constexpr Curva CurvaAxial2011{2.74, -6.33, 0.78, -1.88};

bool CategoriaEstatica(char c) { return c == 'A' || c == 'C'; }

TMinimoUE Minimo(TipoUE tipo, char categoria, double pe, Graus n, Curva f, bool quebraInclusiva) {
    TMinimoUE m;
    m.Definido = tipo != TipoUE::Nenhum && categoria >= 'A' && categoria <= 'D';
    if (!m.Definido || !(pe > 0) || !std::isfinite(pe))
        return m;
    m.Estatica = CategoriaEstatica(categoria);
    m.N = m.Estatica ? n.estatica : n.total;
    m.NoEscopo = pe >= 0.125 && pe <= 500;
    const bool abaixo = quebraInclusiva ? pe <= 10 : pe < 10;
    m.Minimo = abaixo ? f.a * std::log(pe) + f.b + m.N : f.c * std::log(pe) + f.d + m.N;
    return m;
}

ResultadoUE Confere(const TMinimoUE &m, double rend) {
    if (!m.Definido)
        return ResultadoUE::SemDados;
    if (!m.NoEscopo)
        return ResultadoUE::ForaDoEscopo;
    return rend >= m.Minimo ? ResultadoUE::Atende : ResultadoUE::NaoAtende;
}

} // namespace

double RendTransmissaoCorreia(double potEixo) {
    if (!(potEixo > 0))
        return 0;
    return 0.96 * std::pow(potEixo / (potEixo + 1.64), 0.05);
}

double RendMotorReferencia(double potTransmitida) {
    if (!(potTransmitida > 0))
        return 0;
    if (potTransmitida >= 185)
        return 0.962;
    const double x = std::log10(potTransmitida);
    return (((-0.003812 * x + 0.025834) * x - 0.072577) * x + 0.125559) * x + 0.850274;
}

TFEI CalculaFEI(double vazao, double pressao, double densidade, double fepReal, BaseFEI base) {
    TFEI f;
    const double eta0 = base == BaseFEI::Total ? Eta0Total : Eta0Estatica;
    f.PotRef = (vazao + 0.118) * (pressao + 100 * densidade / 1.2) / (1000 * eta0);
    f.RendTransRef = RendTransmissaoCorreia(f.PotRef);
    if (!(f.RendTransRef > 0))
        return f;
    f.RendMotorRef = RendMotorReferencia(f.PotRef / f.RendTransRef);
    if (!(f.RendMotorRef > 0))
        return f;
    f.FEPRef = f.PotRef / (f.RendTransRef * f.RendMotorRef);
    f.FEPReal = fepReal;
    f.FEI = fepReal > 0 ? f.FEPRef / fepReal : 0;
    return f;
}

TFEI CalculaFEIEixoLivre(double vazao, double pressao, double densidade, double potEixo, BaseFEI base) {
    TFEI f = CalculaFEI(vazao, pressao, densidade, 0, base);
    if (f.FEPRef > 0 && potEixo > 0) {
        f.FEPReal = potEixo / (f.RendTransRef * f.RendMotorRef);
        f.FEI = f.FEPRef / f.FEPReal;
    }
    return f;
}

TMinimoUE MinimoUE(TipoUE tipo, char categoria, double pe) {
    Graus n{64, 67};
    if (tipo == TipoUE::Axial)
        n = {50, 64};
    else if (tipo == TipoUE::CentrifugoRadial || (tipo == TipoUE::CentrifugoFrente && pe < 5))
        n = {52, 57};
    return Minimo(tipo, categoria, pe, n, Curva2024, false);
}

TMinimoUE MinimoUE2011(TipoUE tipo, char categoria, double pe) {
    switch (tipo) {
    case TipoUE::Axial: return Minimo(tipo, categoria, pe, {40, 58}, CurvaAxial2011, true);
    case TipoUE::CentrifugoFrente:
    case TipoUE::CentrifugoRadial: return Minimo(tipo, categoria, pe, {44, 49}, CurvaAxial2011, true);
    default: return Minimo(tipo, categoria, pe, {61, 64}, Curva2024, true);
    }
}

TEficiencia CalculaEficiencia(const TPontoEnergia &p, const TEnergiaCatalogo &catalogo, double horasAno,
                              double tarifa) {
    TEficiencia e;
    if (catalogo.vazio() || !(p.Vazao > 0) || !(p.PotEixo > 0) || !(p.Densidade > 0) || !std::isfinite(p.PotEixo))
        return e;
    const double q = p.Vazao / 3600;
    const double pt = p.PressaoTotal * PascalPorMmCA;
    const double ps = p.PressaoEstatica * PascalPorMmCA;
    e.RendTransmissao = p.Correia ? RendTransmissaoCorreia(p.PotEixo) : 1.0;
    const double potMotor = p.PotMotor > 0 ? p.PotMotor : p.PotEixo / e.RendTransmissao;
    e.RendMotor = RendimentoIE3(catalogo, potMotor, p.Polos);
    if (!(e.RendTransmissao > 0) || !(e.RendMotor > 0))
        return e;
    e.PotEletrica = p.PotEixo / (e.RendTransmissao * e.RendMotor);
    e.FEI = CalculaFEI(q, pt, p.Densidade, e.PotEletrica, BaseFEI::Total).FEI;
    e.FEIEstatico = CalculaFEI(q, ps, p.Densidade, e.PotEletrica, BaseFEI::Estatica).FEI;

    e.Tipo = p.Tipo;
    e.Categoria = p.Categoria;
    e.UE = MinimoUE(p.Tipo, p.Categoria, e.PotEletrica);
    e.UE2011 = MinimoUE2011(p.Tipo, p.Categoria, e.PotEletrica);
    const bool estatica = CategoriaEstatica(p.Categoria);
    e.RendUE = 100 * q * (estatica ? ps : pt) / (1000 * e.PotEletrica);
    e.AtendeUE = Confere(e.UE, e.RendUE);
    e.AtendeUE2011 = Confere(e.UE2011, e.RendUE);

    e.ConsumoAnual = e.PotEletrica * horasAno;
    e.CustoAnual = e.ConsumoAnual * tarifa;
    e.Valida = std::isfinite(e.FEI) && std::isfinite(e.FEIEstatico) && std::isfinite(e.CustoAnual);
    return e;
}

QString MarcaUE(ResultadoUE r) {
    switch (r) {
    case ResultadoUE::Atende: return QStringLiteral("✓");
    case ResultadoUE::NaoAtende: return QStringLiteral("✗");
    default: return QStringLiteral("–");
    }
}

bool ArranjoCorreia(int k) { return k == 1 || k == 2 || k == 7 || k == 8; }

TBaseEnergia BaseDaLinha(const TEnergiaCatalogo &catalogo, const QString &codigo, const TPreferencias &prefs) {
    TBaseEnergia b;
    b.Catalogo = &catalogo;
    if (const TLinhaEnergia *l = LinhaEnergia(catalogo, codigo)) {
        b.Tipo = l->Tipo;
        b.Categoria = l->Categoria;
    }
    b.HorasAno = prefs.HorasAno;
    b.Tarifa = prefs.Tarifa;
    return b;
}

TPontoEnergia PontoDoTamanho(const TResultadoGrade &r, int i, const TDadosModelo &modelo, double densidade,
                             bool soTamanho, const TBaseEnergia &base) {
    TPontoEnergia p;
    if (i < 1 || i > 23 || !(densidade > 0))
        return p;
    p.Vazao = r.VazaoEntrada * modelo.Entradas;
    p.PressaoEstatica = r.PressaoPadrao * densidade / static_cast<double>(DensidadePadrao);
    p.PressaoTotal = r.PTotalReal[i];
    p.Densidade = densidade;
    p.PotEixo = r.PotOpTam[i];
    if (!soTamanho)
        for (int k = 1; k <= 8 && !p.Correia; ++k) {
            const TArranjoModelo &a = modelo.ArranjoModelo[k];
            p.Correia = ArranjoCorreia(k) && a.Disponivel && a.RotMaxTam[i] >= r.RotacaoTam[i];
        }
    p.PotMotor = r.PotMotorTam[i];
    const int polos = r.PolosTam[i];
    p.Polos = soTamanho ? (polos >= 0 && polos <= 3 ? 2 * polos + 2 : 0) : polos;
    p.Tipo = base.Tipo;
    p.Categoria = base.Categoria;
    return p;
}

TEficiencia EficienciaDoTamanho(const TResultadoGrade &r, int i, const TDadosModelo &modelo, double densidade,
                                bool soTamanho, const TBaseEnergia &base) {
    if (!base.Catalogo)
        return {};
    return CalculaEficiencia(PontoDoTamanho(r, i, modelo, densidade, soTamanho, base), *base.Catalogo, base.HorasAno,
                             base.Tarifa);
}

TPontoEnergia PontoDoItem(const TItemOrc &it, const TEnergiaCatalogo &catalogo) {
    TPontoEnergia p;
    if (!it.Selecionado)
        return p;
    p.Vazao = it.Direto ? it.VazaoDireto : it.Vazao;
    p.PressaoEstatica = it.Direto ? it.PressaoDireto : it.Pressao;
    p.PressaoTotal = it.PTotalOp;
    p.Densidade = it.DensidadeItem;
    p.PotEixo = it.PotOp;
    p.Correia = !it.Direto && ArranjoCorreia(it.Arranjo);
    // The motor chosen for the item, or, without one (also for an item sold
    // without motor), the one the selection suggested.
    if (it.ComMotor && !it.SemMotor && it.PotMotor > 0) {
        p.PotMotor = it.PotMotor;
        p.Polos = it.Polos;
    } else {
        p.PotMotor = it.MotorSugerido;
        p.Polos = 2 * it.PolosSug;
    }
    if (const TLinhaEnergia *l = LinhaEnergia(catalogo, it.Linha)) {
        p.Tipo = l->Tipo;
        p.Categoria = l->Categoria;
    }
    return p;
}

TEficiencia EficienciaDoItem(const TItemOrc &it, const TEnergiaCatalogo &catalogo, const TPreferencias &prefs) {
    return CalculaEficiencia(PontoDoItem(it, catalogo), catalogo, prefs.HorasAno, prefs.Tarifa);
}

} // namespace quellora
