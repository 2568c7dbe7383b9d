// The client file with 10 000 generated clients: saving and loading it
// whole (table stream + container + file), and the coder's throughput in
// each direction on the payloads of 10 000 and 100 000 clients (1.6 and
// 16 MB). With QUELLORA_BENCH_PAYLOADS=FOLDER the two payloads are also
// written there (clientes10000.tpf, clientes100000.tpf), for comparisons
// with other coders on the same bytes.

#include "clients/clientes.h"
#include "clients/fluxo.h"
#include "clients/lzh.h"
#include "shell/estado.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <map>

using namespace quellora;

namespace {

constexpr int NumClientes = 10000;

// Plausible clients: company names, contacts, phones, addresses, cities,
// e-mails, discounts and remarks, some fields left null.
void GeraClientes(TTabela &t, int quantos) {
    static const char *empresas[] = {"Ventilação", "Exaustores", "Metalúrgica", "Indústria", "Comércio",
                                     "Climatização", "Engenharia", "Alimentos", "Química", "Têxtil"};
    static const char *sufixos[] = {"Ltda.", "S.A.", "Eireli", "ME", "& Cia."};
    static const char *nomes[] = {"João", "Maria", "José", "Ana", "Paulo", "Carla", "Pedro", "Lúcia"};
    static const char *cidades[] = {"São Paulo/SP", "Campinas/SP", "Curitiba/PR", "Joinville/SC",
                                    "Belo Horizonte/MG", "Porto Alegre/RS", "Recife/PE", "Manaus/AM"};
    QRandomGenerator g(2003);
    TDadosTabela d;
    d.Campos = CamposClientes();
    for (int i = 0; i < quantos; ++i) {
        TRegistro r(12);
        r[0] = 37000.0 + i * 0.731;
        r[1] = QStringLiteral("%1 %2 %3 %4")
                   .arg(QChar(u'A' + g.bounded(26)))
                   .arg(QString::fromUtf8(empresas[g.bounded(10)]))
                   .arg(i)
                   .arg(QString::fromUtf8(sufixos[g.bounded(5)]));
        r[2] = QString::fromUtf8(nomes[g.bounded(8)]);
        r[3] = QStringLiteral("(11) %1-%2").arg(g.bounded(2000, 9999)).arg(g.bounded(1000, 9999));
        if (g.bounded(3) == 0)
            r[4] = QStringLiteral("(11) %1-%2").arg(g.bounded(2000, 9999)).arg(g.bounded(1000, 9999));
        r[5] = QStringLiteral("Rua %1, %2").arg(QString::fromUtf8(nomes[g.bounded(8)])).arg(g.bounded(1, 3000));
        r[6] = QString::fromUtf8(cidades[g.bounded(8)]);
        r[7] = QStringLiteral("contato%1@cliente%2.com.br").arg(g.bounded(100)).arg(i);
        r[8] = static_cast<double>(g.bounded(0, 40)) / 2.0;
        r[9] = static_cast<double>(g.bounded(0, 20)) / 2.0;
        if (g.bounded(4) == 0)
            r[11] = QStringLiteral("Pagamento em 28 dias; entrega na fábrica.");
        d.Registros << r;
    }
    t.Substitui(std::move(d));
}

struct Arquivo {
    QTemporaryDir dir;
    QByteArray fluxo;
    Arquivo() {
        ResetaEstado();
        PreparaTabelaClientes(G().dm.mtClientes);
        GeraClientes(G().dm.mtClientes, NumClientes);
        fluxo = GravaFluxoTabela(G().dm.mtClientes.Dados());
        QString erro;
        if (!SaveClientTable(dir.path(), &erro))
            qFatal("%s", qPrintable(erro));
    }
};

Arquivo &A() {
    static Arquivo a;
    return a;
}

// The table stream of 'quantos' clients, in name order as the file keeps it.
const QByteArray &Payload(int quantos) {
    static std::map<int, QByteArray> feitos;
    QByteArray &p = feitos[quantos];
    if (p.isEmpty()) {
        TTabela t;
        PreparaTabelaClientes(t);
        GeraClientes(t, quantos);
        p = GravaFluxoTabela(t.Dados());
        const QString pasta = qEnvironmentVariable("QUELLORA_BENCH_PAYLOADS");
        if (!pasta.isEmpty()) {
            QFile f(QDir(pasta).filePath(QStringLiteral("clientes%1.tpf").arg(quantos)));
            if (!f.open(QIODevice::WriteOnly) || f.write(p) != p.size())
                qFatal("%s", qPrintable(f.errorString()));
        }
    }
    return p;
}

void BM_SalvaClientes(benchmark::State &s) {
    Arquivo &a = A();
    QString erro;
    for (auto _ : s)
        if (!SaveClientTable(a.dir.path(), &erro))
            s.SkipWithError(qPrintable(erro));
    s.SetBytesProcessed(s.iterations() * a.fluxo.size());
}
BENCHMARK(BM_SalvaClientes)->Unit(benchmark::kMillisecond);

void BM_CarregaClientes(benchmark::State &s) {
    Arquivo &a = A();
    QString erro;
    for (auto _ : s) {
        if (!LoadClientTable(a.dir.path(), &erro))
            s.SkipWithError(qPrintable(erro));
        if (G().dm.mtClientes.Quantos() != NumClientes)
            s.SkipWithError("clientes faltando");
    }
    s.SetBytesProcessed(s.iterations() * a.fluxo.size());
}
BENCHMARK(BM_CarregaClientes)->Unit(benchmark::kMillisecond);

void BM_Compacta(benchmark::State &s) {
    const QByteArray &fluxo = Payload(static_cast<int>(s.range(0)));
    for (auto _ : s)
        benchmark::DoNotOptimize(CompactaContainer(fluxo));
    s.SetBytesProcessed(s.iterations() * fluxo.size());
}
BENCHMARK(BM_Compacta)->Arg(NumClientes)->Arg(10 * NumClientes)->Unit(benchmark::kMillisecond);

void BM_Descompacta(benchmark::State &s) {
    const QByteArray &fluxo = Payload(static_cast<int>(s.range(0)));
    const QByteArray c = CompactaContainer(fluxo);
    QString erro;
    for (auto _ : s) {
        QByteArray p;
        if (!DescompactaContainer(c, p, &erro))
            s.SkipWithError(qPrintable(erro));
        benchmark::DoNotOptimize(p);
    }
    s.SetBytesProcessed(s.iterations() * fluxo.size());
    s.counters["razao"] = static_cast<double>(c.size()) / fluxo.size();
}
BENCHMARK(BM_Descompacta)->Arg(NumClientes)->Arg(10 * NumClientes)->Unit(benchmark::kMillisecond);

void BM_FluxoTabela(benchmark::State &s) {
    const QByteArray &fluxo = A().fluxo;
    QString erro;
    for (auto _ : s) {
        TDadosTabela t;
        t.Campos = CamposClientes();
        if (!LeFluxoTabela(fluxo, t, &erro))
            s.SkipWithError(qPrintable(erro));
        benchmark::DoNotOptimize(t);
    }
    s.SetBytesProcessed(s.iterations() * fluxo.size());
}
BENCHMARK(BM_FluxoTabela)->Unit(benchmark::kMillisecond);

} // namespace
