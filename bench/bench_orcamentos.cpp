// The open window's listing over a projects folder of 5 000 quotation files
// (each read only as far as its header), sorted by number as the window does
// on showing; and the sort by client, where many quotations share a client
// and the exchange sort's quadratic pass is needed.

#include "quotation/arquivo_orc.h"
#include "quotation/propostas.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace quellora;

namespace {

constexpr int NumOrcamentos = 5000;

struct Pasta {
    QTemporaryDir dir;
    Pasta() {
        static const char *clientes[] = {"Metalúrgica Andrade", "Alimentos Beta S.A.", "Química Gama", "Têxtil Delta",
                                          "Fundição Épsilon", "", "Cerâmica Zeta", "Papel e Celulose Eta"};
        QRandomGenerator g(2003);
        for (int i = 1; i <= NumOrcamentos; ++i) {
            TArquivoOrc a;
            a.Orcamento.Numero = i;
            a.Orcamento.NumOrc = QStringLiteral("%1/%2").arg(i % 10000, 4, 10, QLatin1Char('0')).arg(i / 10000 + 3, 2, 10, QLatin1Char('0'));
            a.Orcamento.Cliente = QString::fromUtf8(clientes[g.bounded(8)]) + QStringLiteral(" %1").arg(g.bounded(60));
            a.Orcamento.Projeto = QStringLiteral("Exaustão do galpão %1").arg(g.bounded(1000));
            a.Orcamento.Data = 37000 + g.bounded(3000) + g.bounded(1.0);
            a.Orcamento.ValorTotalOrc = g.bounded(1e6);
            a.Itens.resize(static_cast<std::size_t>(g.bounded(1, 12)));
            QFile f(dir.filePath(NomeArquivoOrc(a.Orcamento.NumOrc)));
            if (f.open(QIODevice::WriteOnly))
                f.write(ArquivoOrcParaBytes(a));
        }
    }
};

Pasta &P() {
    static Pasta p;
    return p;
}

void BM_ListaOrcamentos(benchmark::State &s) {
    const QString dir = P().dir.path();
    for (auto _ : s) {
        std::vector<TResumoOrc> l = ListaOrcamentos(dir);
        OrdenaOrcamentos(l, ORDEM_NUMERO);
        if (l.size() != NumOrcamentos)
            s.SkipWithError("listing incomplete");
        benchmark::DoNotOptimize(l);
    }
}
BENCHMARK(BM_ListaOrcamentos)->Unit(benchmark::kMillisecond);

void BM_OrdenaPorCliente(benchmark::State &s) {
    const std::vector<TResumoOrc> lista = ListaOrcamentos(P().dir.path());
    for (auto _ : s) {
        std::vector<TResumoOrc> l = lista;
        OrdenaOrcamentos(l, ORDEM_CLIENTE);
        benchmark::DoNotOptimize(l);
    }
}
BENCHMARK(BM_OrdenaPorCliente)->Unit(benchmark::kMillisecond);

} // namespace
