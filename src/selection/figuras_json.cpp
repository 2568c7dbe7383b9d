#include "selection/figuras_json.h"

#include <cmath>

namespace quellora {

namespace {

using oj = nlohmann::ordered_json;

oj Numero(double v) { return std::isfinite(v) ? oj(v) : oj(nullptr); }

oj Lista(const Oitavas &b) {
    oj l = oj::array();
    for (double v : b)
        l.push_back(Numero(v));
    return l;
}

oj Exposicao(const std::optional<int> &m) { return m ? oj(*m) : oj(nullptr); }

oj Avisos(const TFiguras &f) {
    oj l = oj::array();
    for (const QString &a : f.Avisos)
        l.push_back(a.toStdString());
    return l;
}

oj Ponto(int n, const TPontoSistema *p) {
    oj o = oj::object();
    o["Ventiladores"] = n;
    const bool existe = n == 0 || (p && p->Existe);
    o["NaCurva"] = existe;
    auto v = [&](const char *nome, double valor) { o[nome] = existe ? Numero(n == 0 ? 0.0 : valor) : oj(nullptr); };
    v("VazaoTotal", p ? p->VazaoTotal : 0);
    v("VazaoPorVentilador", p ? p->VazaoPorVentilador : 0);
    v("Pressao", p ? p->Pressao : 0);
    v("PressaoTotal", p ? p->PressaoTotal : 0);
    v("PotenciaPorVentilador", p ? p->PotenciaPorVentilador : 0);
    o["Extrapolado"] = p && p->Extrapolado;
    return o;
}

} // namespace

nlohmann::ordered_json RuidoJson(const TRuido &r) {
    oj o = oj::object();
    o["LwTotal"] = Numero(r.LwTotal);
    o["LwA"] = Numero(r.LwATotal);
    o["LpBandas"] = Lista(r.Lp);
    o["LpA"] = Numero(r.LpA);
    o["ExposicaoNR15"] = Exposicao(r.Exposicao);
    o["Distancia"] = r.Distancia;
    o["Q"] = r.Diretividade;
    return o;
}

nlohmann::ordered_json SistemaJson(const TFiguras &f, double pressaoFixa) {
    const TSistema &s = f.Sistema;
    oj o = oj::object();
    o["Rotacao"] = f.Entrada.CurvaRotacao;
    o["Ventiladores"] = s.Ventiladores;
    o["PressaoFixa"] = pressaoFixa;
    o["K"] = Numero(s.K);
    oj pontos = oj::array();
    for (int n : {s.Ventiladores, s.Ventiladores - 1})
        pontos.push_back(Ponto(n, s.Com(n)));
    o["Pontos"] = std::move(pontos);
    oj curva = oj::array();
    for (const TPontoCurva &p : s.Combinada)
        curva.push_back({{"VazaoTotal", p.Vazao}, {"PressaoTotal", p.Pressao}});
    o["Curva"] = std::move(curva);
    o["Avisos"] = Avisos(f);
    return o;
}

nlohmann::ordered_json FigurasDoTamanhoJson(const TFiguras &f) {
    oj o = oj::object();
    o["LwBandas"] = f.TemRuido ? Lista(f.Ruido.Lw) : oj(nullptr);
    o["LpA"] = f.TemRuido ? Numero(f.Ruido.LpA) : oj(nullptr);
    o["ExposicaoNR15"] = f.TemRuido ? Exposicao(f.Ruido.Exposicao) : oj(nullptr);
    o["Avisos"] = Avisos(f);
    return o;
}

} // namespace quellora
