// The operating-point calculation: one duty over one line, and a schedule of
// 40 duties over every line of the sample catalogue (the quick comparison of
// "quellora-cli selecao --lote ... --todas"), also with the energy figures of
// every qualifying size (FEI, EU check, running cost) as the selection window
// shows them.

#include "catalogue/catalogo.h"
#include "catalogue/energia.h"
#include "quotation/orcamento.h"
#include "selection/calculo.h"
#include "selection/eficiencia.h"
#include "shell/estado.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <cmath>
#include <vector>

using namespace quellora;

namespace {

struct Amostra {
    std::vector<TDadosModelo> linhas; // by list position
    TEnergiaCatalogo energia;
    bool ok = false;
};

const Amostra &Catalogo() {
    static const Amostra a = [] {
        Amostra r;
        const QString dir = QStringLiteral(QUELLORA_DADOS_DIR);
        QStringList lista;
        ResetaEstado();
        if (!ListaModelos(dir, lista) || !CarregaMotores(dir, 1))
            return r;
        for (int p = 0; p < lista.size(); ++p) {
            if (!CarregaModelo(dir, p))
                return r;
            r.linhas.push_back(G().Modelo);
        }
        r.ok = !r.linhas.empty() && CarregaEnergia(dir, r.energia) && !r.energia.vazio();
        return r;
    }();
    return a;
}

struct Ponto {
    double vazao, pressao, temperatura, altitude;
    double densidade = 0; // as data entry computes it for the item
};

// 40 duties a sales engineer might bring: 1 500 to 90 000 m³/h, 15 to
// 250 mmCA, 15 to 60 °C, 0 to 1 500 m.
std::vector<Ponto> Pontos() {
    std::vector<Ponto> v;
    for (int k = 0; k < 40; ++k) {
        const double f = k / 39.0;
        Ponto p{1500 * std::pow(60.0, f), 15 + 235 * std::fmod(f * 7.3, 1.0), 15 + 45 * std::fmod(f * 3.1, 1.0),
                1500 * std::fmod(f * 5.7, 1.0)};
        p.densidade = DensidadeDoAr(p.temperatura, p.altitude);
        v.push_back(p);
    }
    return v;
}

// The full calculation of the duty on the line in Modelo.
void Calcula(const Ponto &p) {
    TEstado &g = G();
    g.Densidade = p.densidade;
    g.VazaoCalc = p.vazao;
    g.PressaoCalc = p.pressao;
    g.SoTamanho = false;
    benchmark::DoNotOptimize(CalculaModeloCarregado());
}

void UmPontoUmaLinha(benchmark::State &st) {
    const Amostra &a = Catalogo();
    if (!a.ok) {
        st.SkipWithError("sample catalogue not found");
        return;
    }
    Ponto p{10000, 50, 20, 0};
    p.densidade = DensidadeDoAr(20, 0);
    G().Modelo = a.linhas.front();
    for (auto _ : st)
        Calcula(p);
    st.counters["tamanhos"] = G().Resultado.NumQualificados;
}
BENCHMARK(UmPontoUmaLinha)->Unit(benchmark::kMicrosecond);

// The same, with the line read from dadmod.dat as the selection window does.
void UmPontoUmaLinhaLendoOArquivo(benchmark::State &st) {
    if (!Catalogo().ok) {
        st.SkipWithError("sample catalogue not found");
        return;
    }
    const QString dir = QStringLiteral(QUELLORA_DADOS_DIR);
    TEstado &g = G();
    for (auto _ : st) {
        g.TempDens = 20;
        g.AltDens = 0;
        CalculaDensidade();
        g.VazaoCalc = 10000;
        g.PressaoCalc = 50;
        g.ModeloCalc = 0;
        g.SoTamanho = false;
        benchmark::DoNotOptimize(CalculaTamanhos(dir));
    }
}
BENCHMARK(UmPontoUmaLinhaLendoOArquivo)->Unit(benchmark::kMicrosecond);

void QuarentaPontosTodasAsLinhas(benchmark::State &st) {
    const Amostra &a = Catalogo();
    if (!a.ok) {
        st.SkipWithError("sample catalogue not found");
        return;
    }
    const std::vector<Ponto> pontos = Pontos();
    // Line by line, as the selection window loads a line and calculates.
    for (auto _ : st)
        for (const TDadosModelo &l : a.linhas) {
            G().Modelo = l;
            for (const Ponto &p : pontos)
                Calcula(p);
        }
    st.counters["linhas"] = static_cast<double>(a.linhas.size());
    st.counters["calculos"] = benchmark::Counter(static_cast<double>(pontos.size() * a.linhas.size()),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(QuarentaPontosTodasAsLinhas)->Unit(benchmark::kMicrosecond);

void QuarentaPontosTodasAsLinhasComEnergia(benchmark::State &st) {
    const Amostra &a = Catalogo();
    if (!a.ok) {
        st.SkipWithError("sample catalogue not found");
        return;
    }
    const std::vector<Ponto> pontos = Pontos();
    const TPreferencias prefs;
    std::vector<TBaseEnergia> bases;
    for (const TDadosModelo &l : a.linhas)
        bases.push_back(BaseDaLinha(a.energia, l.Codigo, prefs));
    long tamanhos = 0;
    for (auto _ : st) {
        tamanhos = 0;
        for (std::size_t k = 0; k < a.linhas.size(); ++k) {
            G().Modelo = a.linhas[k];
            for (const Ponto &p : pontos) {
                Calcula(p);
                const TResultadoGrade &r = G().Resultado;
                for (int i = 1; i <= 23; ++i)
                    if (r.Qualificado[i]) {
                        benchmark::DoNotOptimize(EficienciaDoTamanho(r, i, a.linhas[k], p.densidade, false, bases[k]));
                        ++tamanhos;
                    }
            }
        }
    }
    st.counters["tamanhos"] = static_cast<double>(tamanhos);
}
BENCHMARK(QuarentaPontosTodasAsLinhasComEnergia)->Unit(benchmark::kMicrosecond);

} // namespace
