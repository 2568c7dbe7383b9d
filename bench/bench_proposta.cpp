// The proposal of a full quotation (40 items in 8 groups; in the normal form
// with observations and conditions each group takes two A4 pages): the HTML
// document as saved for the spreadsheet program and the e-mail, and the PDF
// file.
//
//   build/quellora_bench --benchmark_filter=Proposta

#include "../tests/app_gui.h"
#include "../tests/proposal/orcamento_exemplo.h"

#include "proposal/proposta.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace quellora;

namespace {

bool Prepara(benchmark::State &state) {
    teste::GaranteAppGui();
    if (!teste::MontaOrcamento(QStringLiteral(QUELLORA_DADOS_DIR), 40)) {
        state.SkipWithError("the sample catalogue could not be read");
        return false;
    }
    auto &pr = G().Proposta;
    pr.Reduzida = false;
    pr.SecaoObs = true;
    pr.SecaoCondicoes = true;
    G().Pagina.Logotipo = LogotipoProposta();
    return true;
}

void BM_PropostaHtml40Itens(benchmark::State &state) {
    if (!Prepara(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(PropostaHTML());
}
BENCHMARK(BM_PropostaHtml40Itens)->Unit(benchmark::kMillisecond);

void BM_PropostaPdf16Paginas(benchmark::State &state) {
    if (!Prepara(state))
        return;
    QTemporaryDir dir;
    const QString arquivo = dir.filePath(QStringLiteral("proposta.pdf"));
    for (auto _ : state) {
        QString erro;
        if (!GravaPropostaPDF(arquivo, &erro))
            state.SkipWithError(erro.toUtf8().constData());
    }
}
BENCHMARK(BM_PropostaPdf16Paginas)->Unit(benchmark::kMillisecond);

// What the data sheet window does on every change of the sections: the
// pages measured on A4.
void BM_PaginasProposta40Itens(benchmark::State &state) {
    if (!Prepara(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(PaginasProposta());
}
BENCHMARK(BM_PaginasProposta40Itens)->Unit(benchmark::kMillisecond);

} // namespace
