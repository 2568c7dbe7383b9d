// The work of "quellora-cli sistema --linha BSD --tamanho 710 --vazao 60000
// --pressao 50 --ventiladores 6", the process start left out: the line list,
// the motors, the line and the preferences read from dados/, the full
// calculation of one fan's duty, the size's chart, the system with the
// points of six and five fans, and the JSON written. The goal: under 5 ms.

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "quotation/orcamento.h"
#include "selection/calculo.h"
#include "selection/figuras_json.h"
#include "shell/estado.h"
#include "shell/preferencias.h"

#include <benchmark/benchmark.h>

#include <QStringList>

using namespace quellora;

namespace {

void SistemaSeisVentiladores(benchmark::State &st) {
    const QString dir = QStringLiteral(QUELLORA_DADOS_DIR);
    const int i = IndiceDoTamanho(710);
    for (auto _ : st) {
        ResetaEstado();
        TEstado &g = G();
        QStringList lista;
        TPreferencias pref;
        if (!ListaModelos(dir, lista) || !CarregaMotores(dir, 1) || !CarregaPreferencias(dir, pref)) {
            st.SkipWithError("sample catalogue not found");
            return;
        }
        int p = -1;
        for (int k = 0; k < lista.size() && p < 0; ++k)
            if (lista[k].section(QLatin1Char(' '), 0, 0) == QLatin1String("BSD"))
                p = k;
        g.Densidade = DensidadeDoAr(20, 0);
        g.VazaoCalc = 60000.0 / 6;
        g.PressaoCalc = 50;
        g.ModeloCalc = p;
        g.SoTamanho = false;
        if (!CalculaTamanhos(dir).Concluido || !g.Resultado.Qualificado[i]) {
            st.SkipWithError("BSD 710 does not qualify");
            return;
        }
        const TFiguras f = FigurasDoTamanho(g.Modelo, g.Resultado, i, g.VazaoCalc, g.Densidade, 6, 0, pref);
        std::string json = SistemaJson(f, 0).dump();
        benchmark::DoNotOptimize(json);
    }
}
BENCHMARK(SistemaSeisVentiladores)->Unit(benchmark::kMillisecond);

} // namespace
