// The open window's listing from a PostgreSQL server holding 5 000
// quotations, sorted by number as the window does on showing. Needs a server
// named by the PG* variables, on which the benchmark may create (and then
// drops) a database of its own; without one it is skipped. For example:
//   pg_virtualenv -t build/quellora_bench --benchmark_filter=Servidor

#include "quotation/arquivo_orc.h"
#include "quotation/propostas.h"
#include "store/acervo_servidor.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <memory>

using namespace quellora;

namespace {

constexpr int NumOrcamentos = 5000;

bool Sql(const QString &comando) {
    bool ok;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("bench"));
        ok = db.open() && QSqlQuery(db).exec(comando);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    return ok;
}

struct Servidor {
    QString banco = QStringLiteral("quellora_bench_%1").arg(QCoreApplication::applicationPid());
    std::unique_ptr<AcervoServidor> acervo;
    QString erro;

    Servidor() {
        if (qEnvironmentVariableIsEmpty("PGHOST") && qEnvironmentVariableIsEmpty("PGPORT")) {
            erro = QStringLiteral("needs a PostgreSQL server in the PG* variables (pg_virtualenv)");
            return;
        }
        if (!Sql(QStringLiteral("CREATE DATABASE %1").arg(banco))) {
            erro = QStringLiteral("could not create database %1").arg(banco);
            return;
        }
        acervo = std::make_unique<AcervoServidor>(QStringLiteral("dbname=") + banco);
        static const char *clientes[] = {"Metalúrgica Andrade", "Alimentos Beta S.A.", "Química Gama", "Têxtil Delta",
                                          "Fundição Épsilon", "", "Cerâmica Zeta", "Papel e Celulose Eta"};
        QRandomGenerator g(2003);
        for (int i = 1; i <= NumOrcamentos && erro.isEmpty(); ++i) {
            TArquivoOrc a;
            a.Orcamento.Numero = i;
            a.Orcamento.NumOrc = QStringLiteral("%1/%2").arg(i % 10000, 4, 10, QLatin1Char('0')).arg(26);
            a.Orcamento.Cliente =
                QString::fromUtf8(clientes[g.bounded(8)]) + QStringLiteral(" %1").arg(g.bounded(60));
            a.Orcamento.Projeto = QStringLiteral("Exaustão do galpão %1").arg(g.bounded(1000));
            a.Orcamento.Data = 37000 + g.bounded(3000) + g.bounded(1.0);
            a.Orcamento.ValorTotalOrc = g.bounded(1e6);
            a.Itens.resize(static_cast<std::size_t>(g.bounded(1, 12)));
            if (acervo->GravaImagem(NomeArquivoOrc(a.Orcamento.NumOrc), ArquivoOrcParaBytes(a), &erro) !=
                Gravacao::Gravada)
                break;
        }
    }
    ~Servidor() {
        if (!acervo)
            return;
        acervo.reset();
        Sql(QStringLiteral("DROP DATABASE %1").arg(banco));
    }
};

void BM_ListaOrcamentosServidor(benchmark::State &s) {
    static Servidor servidor;
    if (!servidor.erro.isEmpty()) {
        s.SkipWithError(servidor.erro.toStdString().c_str());
        return;
    }
    for (auto _ : s) {
        std::vector<TResumoOrc> l;
        QString erro;
        if (!servidor.acervo->Lista(l, &erro) || l.size() != NumOrcamentos) {
            s.SkipWithError("listing incomplete");
            break;
        }
        OrdenaOrcamentos(l, ORDEM_NUMERO);
        benchmark::DoNotOptimize(l);
    }
}
BENCHMARK(BM_ListaOrcamentosServidor)->Unit(benchmark::kMillisecond);

} // namespace
