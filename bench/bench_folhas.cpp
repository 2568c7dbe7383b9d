// The technical data sheets of a full quotation (40 ready items, 40 pages):
// the figures of every item from the catalogue and the PDF file written.
// The goal is under 2 s.
//
//   build/quellora_bench --benchmark_filter=Folhas

#include "../tests/app_gui.h"
#include "../tests/proposal/orcamento_exemplo.h"

#include "proposal/folha_tecnica.h"
#include "proposal/proposta.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace quellora;

namespace {

void BM_FolhasTecnicas40Itens(benchmark::State &state) {
    teste::GaranteAppGui();
    if (!teste::MontaOrcamento(QStringLiteral(QUELLORA_DADOS_DIR "/"), 40)) {
        state.SkipWithError("the sample catalogue could not be read");
        return;
    }
    G().Pagina.Logotipo = LogotipoProposta();
    QTemporaryDir dir;
    const QString arquivo = dir.filePath(QStringLiteral("folhas.pdf"));
    for (auto _ : state) {
        QString erro;
        const std::vector<TFolhaTecnica> folhas = FolhasDoOrcamento(G());
        if (folhas.size() != 40 || !GravaFolhasTecnicasPDF(arquivo, folhas, &erro))
            state.SkipWithError(erro.isEmpty() ? "not 40 sheets" : erro.toUtf8().constData());
    }
}
BENCHMARK(BM_FolhasTecnicas40Itens)->Unit(benchmark::kMillisecond);

} // namespace
