#include "quotation/propostas.h"

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "quotation/arquivo_orc.h"
#include "quotation/orcamento.h"
#include "shell/estado.h"
#include "store/acervo_pasta.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <type_traits>

namespace quellora {

Gravacao GravaArquivo(Acervo &acervo, QString *erro, bool porCima) {
    const auto &g = G();
    TArquivoOrc a;
    a.Orcamento = g.Orcamento;
    const int n = std::clamp(static_cast<int>(g.NumItens), 0, static_cast<int>(MaxItens));
    a.Itens.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k)
        a.Itens.push_back(g.Itens[k]);
    return GravaOrcamento(acervo, g.ArqOrc, a, erro, porCima);
}

bool LeArquivo(Acervo &acervo, QString *erro, int revisao) {
    auto &g = G();
    TArquivoOrc a;
    if (!LeOrcamento(acervo, g.ArqOrc, a, erro, revisao))
        return false;
    g.Orcamento = std::move(a.Orcamento);
    g.NumItens = static_cast<std::int32_t>(a.Itens.size());
    for (int k = 1; k <= MaxItens; ++k)
        g.Itens[k] = k <= g.NumItens ? std::move(a.Itens[static_cast<std::size_t>(k - 1)]) : TItemOrc{};
    return true;
}

bool GravaArquivo(const QString &dirProjetos, QString *erro) {
    AcervoPasta pasta(QString(), dirProjetos);
    return GravaArquivo(pasta, erro) == Gravacao::Gravada;
}

bool LeArquivo(const QString &dirProjetos, QString *erro) {
    AcervoPasta pasta(QString(), dirProjetos);
    return LeArquivo(pasta, erro);
}

// --- Listing ---------------------------------------------------------------

TResumoOrc ResumoOrcamento(const QString &arquivo, const QByteArray &cabecalho, qint64 tamanho) {
    TResumoOrc r;
    r.Arquivo = arquivo;
    r.Numero = arquivo.left(7);
    if (r.Numero.size() >= 5)
        r.Numero[4] = QLatin1Char('/');
    if (!ImagemOrcInteira(cabecalho, tamanho)) {
        r.Cliente = QString::fromUtf8(OrcamentoDanificado);
        return r;
    }
    r.Cliente = QString::fromLatin1(ClienteVazio);
    // Only the four fields shown (Projeto, Cliente, Data, ValorTotalOrc of
    // TOrcamento): thousands of headers are read each time the list shows.
    const LeitorBinario l(cabecalho);
    r.Legivel = true;
    r.Projeto = l.str(9, 80);
    const QString cliente = l.str(344, 50);
    if (!cliente.isEmpty())
        r.Cliente = cliente;
    r.Data = l.data(608);
    r.Total = l.dbl(1468);
    return r;
}

std::vector<TResumoOrc> ListaOrcamentos(const QString &dirProjetos) {
    std::vector<TResumoOrc> lista;
    QDirIterator it(dirProjetos, {QStringLiteral("*.orc")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        QFile f(it.filePath());
        QByteArray cabecalho;
        qint64 tamanho = 0;
        if (f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            tamanho = f.size();
            cabecalho = f.read(static_cast<qint64>(TOrcamento::TamanhoRegistro));
        }
        lista.push_back(ResumoOrcamento(it.fileName(), cabecalho, tamanho));
    }
    return lista;
}

namespace {

// The exchange sort: each row p against every later row i, exchanged when
// p's key is greater. It runs on each key's rank among the distinct keys
// (-1 for a NaN, which is greater than nothing and nothing is greater than)
// and on an index, so that comparisons are cheap and rows move once.
template <class K>
std::vector<std::size_t> Troca(const std::vector<K> &chaves) {
    const std::size_t n = chaves.size();
    auto nan = [](const K &k) {
        if constexpr (std::is_floating_point_v<K>)
            return std::isnan(k);
        else
            return false;
    };
    std::vector<K> distintas;
    distintas.reserve(n);
    for (const K &k : chaves)
        if (!nan(k))
            distintas.push_back(k);
    std::sort(distintas.begin(), distintas.end());
    distintas.erase(std::unique(distintas.begin(), distintas.end()), distintas.end());
    std::vector<int> rank(n);
    for (std::size_t i = 0; i < n; ++i)
        rank[i] = nan(chaves[i]) ? -1
                                 : static_cast<int>(std::lower_bound(distintas.begin(), distintas.end(), chaves[i]) -
                                                    distintas.begin());
    std::vector<std::size_t> ind(n);
    if (distintas.size() == n) {
        // No two keys equal: every sort gives this order.
        for (std::size_t i = 0; i < n; ++i)
            ind[static_cast<std::size_t>(rank[i])] = i;
        return ind;
    }
    std::iota(ind.begin(), ind.end(), std::size_t{0});
    std::vector<int> r(n);
    for (std::size_t i = 0; i < n; ++i)
        r[i] = rank[i];
    for (std::size_t p = 0; p + 1 < n; ++p)
        for (std::size_t i = p + 1; i < n; ++i)
            if (r[p] >= 0 && r[i] >= 0 && r[p] > r[i]) {
                std::swap(r[p], r[i]);
                std::swap(ind[p], ind[i]);
            }
    return ind;
}

template <class K, class F>
void Ordena(std::vector<TResumoOrc> &lista, F chave) {
    std::vector<K> chaves;
    chaves.reserve(lista.size());
    for (const TResumoOrc &r : lista)
        chaves.push_back(chave(r));
    const std::vector<std::size_t> ordem = Troca(chaves);
    std::vector<TResumoOrc> nova;
    nova.reserve(lista.size());
    for (std::size_t i : ordem)
        nova.push_back(std::move(lista[i]));
    lista = std::move(nova);
}

} // namespace

void OrdenaOrcamentos(std::vector<TResumoOrc> &lista, int chave) {
    switch (chave) {
    case ORDEM_DATA:
        Ordena<double>(lista, [](const TResumoOrc &r) { return r.Data; });
        break;
    case ORDEM_CLIENTE:
        Ordena<QByteArray>(lista, [](const TResumoOrc &r) { return ParaWin1252(r.Cliente); });
        break;
    case ORDEM_PROJETO:
        Ordena<QByteArray>(lista, [](const TResumoOrc &r) { return ParaWin1252(r.Projeto); });
        break;
    case ORDEM_TOTAL:
        Ordena<double>(lista, [](const TResumoOrc &r) { return r.Total; });
        break;
    default:
        Ordena<QByteArray>(lista, [](const TResumoOrc &r) { return ParaWin1252(r.Numero); });
        break;
    }
}

QString TextoDataOrcamento(double data) {
    // Years 1 to 9999, as the calendar of the files counts them.
    if (!(data >= -693593.0 && data < 2958466.0))
        return QString();
    return DataParaDateTime(data).toString(QStringLiteral("dd/MM/yyyy"));
}

void AplicaFatoresDoOrcamento() {
    auto &g = G();
    auto &o = g.Orcamento;
    // A quotation whose commercial block was never initialised holds no
    // factors: the factors read from the file stay in force.
    if (o.FatoresOrc.Entrega != 0 || o.Iniciado)
        g.Fatores = o.FatoresOrc;
    if (o.ICMS <= 0 || o.ICMS > 4)
        o.ICMS = 3;
}

} // namespace quellora
