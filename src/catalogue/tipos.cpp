#include "catalogue/tipos.h"

namespace quellora {

namespace {

template <class T, int Lo, int Hi, class F>
void Cada(Faixa<T, Lo, Hi> &a, F f) {
    for (int i = Lo; i <= Hi; ++i)
        f(i, a[i]);
}
template <class T, int Lo, int Hi, class F>
void Cada(const Faixa<T, Lo, Hi> &a, F f) {
    for (int i = Lo; i <= Hi; ++i)
        f(i, a[i]);
}

// Offset of element i of an array that starts at 'inicio' with elements of
// 'passo' bytes and first index Lo.
constexpr std::size_t Pos(std::size_t inicio, std::size_t passo, int i, int lo) {
    return inicio + passo * static_cast<std::size_t>(i - lo);
}

} // namespace

// --- TArranjoModelo -------------------------------------------------------

void Le(const LeitorBinario &l, std::size_t b, TArranjoModelo &r) {
    r.Disponivel = l.boolean(b + 0);
    Cada(r.RotMaxTam, [&](int i, std::int32_t &v) { v = l.integer(b + Pos(4, 4, i, 1)); });
}

void Grava(GravadorBinario &g, std::size_t b, const TArranjoModelo &r) {
    g.boolean(b + 0, r.Disponivel);
    Cada(r.RotMaxTam, [&](int i, std::int32_t v) { g.integer(b + Pos(4, 4, i, 1), v); });
}

// --- TFaixaEspectro -------------------------------------------------------

void Le(const LeitorBinario &l, std::size_t b, TFaixaEspectro &r) {
    r.RotLimite = l.dbl(b + 8);
    Cada(r.Banda, [&](int i, double &v) { v = l.dbl(b + Pos(16, 8, i, 1)); });
    r.DifLw = l.dbl(b + 80);
    r.CorrLwA = l.dbl(b + 88);
}

void Grava(GravadorBinario &g, std::size_t b, const TFaixaEspectro &r) {
    g.dbl(b + 8, r.RotLimite);
    Cada(r.Banda, [&](int i, double v) { g.dbl(b + Pos(16, 8, i, 1), v); });
    g.dbl(b + 80, r.DifLw);
    g.dbl(b + 88, r.CorrLwA);
}

// --- TDadosModelo ---------------------------------------------------------

void Le(const LeitorBinario &l, std::size_t b, TDadosModelo &r) {
    r.TemDados = l.boolean(b + 4);
    r.Codigo = l.str(b + 8, 7);
    r.Entradas = l.integer(b + 16);
    r.DiamRef = l.integer(b + 20);
    r.RotRef = l.integer(b + 24);
    Cada(r.Existe, [&](int i, bool &v) { v = l.boolean(b + Pos(32, 1, i, 1)); });
    Cada(r.AreaDescarga, [&](int i, double &v) { v = l.dbl(b + Pos(56, 8, i, 1)); });
    Cada(r.FatorRot, [&](int i, double &v) { v = l.dbl(b + Pos(240, 8, i, 1)); });
    Cada(r.CorrRend, [&](int i, double &v) { v = l.dbl(b + Pos(424, 8, i, 1)); });
    Cada(r.VelMax, [&](int i, std::int32_t &v) { v = l.integer(b + Pos(608, 4, i, 1)); });
    Cada(r.CurvaVazao, [&](int i, double &v) { v = l.dbl(b + Pos(700, 8, i, 1)); });
    Cada(r.CurvaPressao, [&](int i, double &v) { v = l.dbl(b + Pos(756, 8, i, 1)); });
    Cada(r.CurvaRend, [&](int i, double &v) { v = l.dbl(b + Pos(812, 8, i, 1)); });
    r.XMax = l.dbl(b + 924);
    r.XMin = l.dbl(b + 932);
    r.VelPerifMin = l.integer(b + 940);
    Cada(r.PolVazao, [&](int j, double &v) { v = l.dbl(b + Pos(944, 8, j, 0)); });
    Cada(r.PolRend, [&](int j, double &v) { v = l.dbl(b + Pos(1000, 8, j, 0)); });
    Cada(r.PolSom, [&](int j, double &v) { v = l.dbl(b + Pos(1056, 8, j, 0)); });
    Cada(r.ArranjoModelo, [&](int k, TArranjoModelo &a) { Le(l, b + Pos(1112, TArranjoModelo::TamanhoRegistro, k, 1), a); });
    Cada(r.Espectro, [&](int j, TFaixaEspectro &e) { Le(l, b + Pos(3352, TFaixaEspectro::TamanhoRegistro, j, 1), e); });
    Cada(r.AcessArranjo, [&](int k, Faixa<bool, 1, 45> &lin) {
        Cada(lin, [&](int c, bool &v) { v = l.boolean(b + 9976 + 45 * std::size_t(k - 1) + std::size_t(c - 1)); });
    });
    r.DescModelo = l.str(b + 10336, 20);
    r.PotLimite = l.shortInt(b + 10357);
    r.MargemAcima = l.shortInt(b + 10358);
    r.MargemAbaixo = l.shortInt(b + 10359);
    r.RendRef = l.dbl(b + 10360);
}

void Grava(GravadorBinario &g, std::size_t b, const TDadosModelo &r) {
    g.boolean(b + 4, r.TemDados);
    g.str(b + 8, 7, r.Codigo);
    g.integer(b + 16, r.Entradas);
    g.integer(b + 20, r.DiamRef);
    g.integer(b + 24, r.RotRef);
    Cada(r.Existe, [&](int i, bool v) { g.boolean(b + Pos(32, 1, i, 1), v); });
    Cada(r.AreaDescarga, [&](int i, double v) { g.dbl(b + Pos(56, 8, i, 1), v); });
    Cada(r.FatorRot, [&](int i, double v) { g.dbl(b + Pos(240, 8, i, 1), v); });
    Cada(r.CorrRend, [&](int i, double v) { g.dbl(b + Pos(424, 8, i, 1), v); });
    Cada(r.VelMax, [&](int i, std::int32_t v) { g.integer(b + Pos(608, 4, i, 1), v); });
    Cada(r.CurvaVazao, [&](int i, double v) { g.dbl(b + Pos(700, 8, i, 1), v); });
    Cada(r.CurvaPressao, [&](int i, double v) { g.dbl(b + Pos(756, 8, i, 1), v); });
    Cada(r.CurvaRend, [&](int i, double v) { g.dbl(b + Pos(812, 8, i, 1), v); });
    g.dbl(b + 924, r.XMax);
    g.dbl(b + 932, r.XMin);
    g.integer(b + 940, r.VelPerifMin);
    Cada(r.PolVazao, [&](int j, double v) { g.dbl(b + Pos(944, 8, j, 0), v); });
    Cada(r.PolRend, [&](int j, double v) { g.dbl(b + Pos(1000, 8, j, 0), v); });
    Cada(r.PolSom, [&](int j, double v) { g.dbl(b + Pos(1056, 8, j, 0), v); });
    Cada(r.ArranjoModelo, [&](int k, const TArranjoModelo &a) { Grava(g, b + Pos(1112, TArranjoModelo::TamanhoRegistro, k, 1), a); });
    Cada(r.Espectro, [&](int j, const TFaixaEspectro &e) { Grava(g, b + Pos(3352, TFaixaEspectro::TamanhoRegistro, j, 1), e); });
    Cada(r.AcessArranjo, [&](int k, const Faixa<bool, 1, 45> &lin) {
        Cada(lin, [&](int c, bool v) { g.boolean(b + 9976 + 45 * std::size_t(k - 1) + std::size_t(c - 1), v); });
    });
    g.str(b + 10336, 20, r.DescModelo);
    g.shortInt(b + 10357, r.PotLimite);
    g.shortInt(b + 10358, r.MargemAcima);
    g.shortInt(b + 10359, r.MargemAbaixo);
    g.dbl(b + 10360, r.RendRef);
}

// --- TDenominacao ---------------------------------------------------------

void Le(const LeitorBinario &l, std::size_t b, TDenominacao &r) {
    r.Familia = l.str(b + 0, 8);
    r.TextoFamilia = l.str(b + 9, 60);
}

void Grava(GravadorBinario &g, std::size_t b, const TDenominacao &r) {
    g.str(b + 0, 8, r.Familia);
    g.str(b + 9, 60, r.TextoFamilia);
}

// --- TPoloMotor, TDadosMotor ----------------------------------------------

void Le(const LeitorBinario &l, std::size_t b, TPoloMotor &r) {
    r.Carcaca = l.str(b + 8, 11);
    r.RotacaoMotor = l.integer(b + 20);
}

void Grava(GravadorBinario &g, std::size_t b, const TPoloMotor &r) {
    g.str(b + 8, 11, r.Carcaca);
    g.integer(b + 20, r.RotacaoMotor);
}

void Le(const LeitorBinario &l, std::size_t b, TDadosMotor &r) {
    r.Potencia = l.dbl(b + 0);
    Cada(r.PoloMotor, [&](int p, TPoloMotor &m) { Le(l, b + Pos(8, TPoloMotor::TamanhoRegistro, p, 1), m); });
}

void Grava(GravadorBinario &g, std::size_t b, const TDadosMotor &r) {
    g.dbl(b + 0, r.Potencia);
    Cada(r.PoloMotor, [&](int p, const TPoloMotor &m) { Grava(g, b + Pos(8, TPoloMotor::TamanhoRegistro, p, 1), m); });
}

// --- TAcessorio -----------------------------------------------------------

void Le(const LeitorBinario &l, std::size_t b, TAcessorio &r) {
    r.CodAcessorio = l.str(b + 0, 4);
    r.NomeAcessorio = l.str(b + 5, 25);
}

void Grava(GravadorBinario &g, std::size_t b, const TAcessorio &r) {
    g.str(b + 0, 4, r.CodAcessorio);
    g.str(b + 5, 25, r.NomeAcessorio);
}

// --- TFatores -------------------------------------------------------------

void Le(const LeitorBinario &l, std::size_t b, TFatores &r) {
    for (std::size_t i = 0; i < TFatores::TamanhoRegistro; ++i)
        r.bruto[i] = l.byte(b + i);
    r.ICMSPadrao = l.integer(b + 0);
    Cada(r.AliquotaICMS, [&](int k, double &v) { v = l.dbl(b + Pos(4, 8, k, 1)); });
    Cada(r.FatorVent, [&](int k, double &v) { v = l.dbl(b + Pos(84, 8, k, 1)); });
    Cada(r.FatorMotor, [&](int k, double &v) { v = l.dbl(b + Pos(164, 8, k, 1)); });
    r.Pagamento = l.str(b + 244, 80);
    r.Frete = l.str(b + 325, 59);
    r.Validade = l.byte(b + 385);
    r.IPI = l.integer(b + 388);
    r.Embalagem = l.integer(b + 392);
    r.Entrega = l.integer(b + 396);
}

void Grava(GravadorBinario &g, std::size_t b, const TFatores &r) {
    for (std::size_t i = 0; i < TFatores::TamanhoRegistro; ++i)
        g.byte(b + i, r.bruto[i]);
    g.integer(b + 0, r.ICMSPadrao);
    Cada(r.AliquotaICMS, [&](int k, double v) { g.dbl(b + Pos(4, 8, k, 1), v); });
    Cada(r.FatorVent, [&](int k, double v) { g.dbl(b + Pos(84, 8, k, 1), v); });
    Cada(r.FatorMotor, [&](int k, double v) { g.dbl(b + Pos(164, 8, k, 1), v); });
    g.str(b + 244, 80, r.Pagamento);
    g.str(b + 325, 59, r.Frete);
    g.byte(b + 385, r.Validade);
    g.integer(b + 388, r.IPI);
    g.integer(b + 392, r.Embalagem);
    g.integer(b + 396, r.Entrega);
}

// --- TPrecoMotores, TPrecoModelo ------------------------------------------

void Le(const LeitorBinario &l, std::size_t b, TPrecoMotores &r) {
    for (int m = 1; m <= 35; ++m)
        for (int p = 1; p <= 4; ++p)
            r.Preco[m][p] = l.dbl(b + 32 * std::size_t(m - 1) + 8 * std::size_t(p - 1));
}

void Grava(GravadorBinario &g, std::size_t b, const TPrecoMotores &r) {
    for (int m = 1; m <= 35; ++m)
        for (int p = 1; p <= 4; ++p)
            g.dbl(b + 32 * std::size_t(m - 1) + 8 * std::size_t(p - 1), r.Preco[m][p]);
}

namespace {
constexpr std::size_t OffBloco(int k) { return 8 + 8464 * std::size_t(k - 1); }
constexpr std::size_t OffVent(int i) { return 8 * std::size_t(i - 1); }
constexpr std::size_t OffAcess(int i, int c) { return 184 + 360 * std::size_t(i - 1) + 8 * std::size_t(c - 1); }
} // namespace

void Le(const LeitorBinario &l, std::size_t b, TPrecoModelo &r) {
    for (int k = 1; k <= 8; ++k) {
        auto &bl = r.Arranjo[k];
        for (int i = 1; i <= 23; ++i) {
            bl.PrecoVent[i] = l.dbl(b + OffBloco(k) + OffVent(i));
            for (int c = 1; c <= 45; ++c)
                bl.PrecoAcess[i][c] = l.dbl(b + OffBloco(k) + OffAcess(i, c));
        }
    }
}

void Grava(GravadorBinario &g, std::size_t b, const TPrecoModelo &r) {
    for (int k = 1; k <= 8; ++k) {
        const auto &bl = r.Arranjo[k];
        for (int i = 1; i <= 23; ++i) {
            g.dbl(b + OffBloco(k) + OffVent(i), bl.PrecoVent[i]);
            for (int c = 1; c <= 45; ++c)
                g.dbl(b + OffBloco(k) + OffAcess(i, c), bl.PrecoAcess[i][c]);
        }
    }
}

} // namespace quellora
