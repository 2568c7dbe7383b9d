#include "quotation/propostas.h"

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "quotation/arquivo_orc.h"
#include "quotation/orcamento.h"
#include "shell/estado.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <type_traits>

namespace quellora {

bool GravaArquivo(const QString &dirProjetos, QString *erro) {
    const auto &g = G();
    TArquivoOrc a;
    a.Orcamento = g.Orcamento;
    const int n = std::clamp(static_cast<int>(g.NumItens), 0, static_cast<int>(MaxItens));
    a.Itens.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k)
        a.Itens.push_back(g.Itens[k]);
    return GravaArquivoOrc(CaminhoEm(dirProjetos, g.ArqOrc), a, erro);
}

bool LeArquivo(const QString &dirProjetos, QString *erro) {
    auto &g = G();
    TArquivoOrc a;
    if (!LeArquivoOrc(CaminhoEm(dirProjetos, g.ArqOrc), a, erro))
        return false;
    g.Orcamento = std::move(a.Orcamento);
    g.NumItens = static_cast<std::int32_t>(a.Itens.size());
    for (int k = 1; k <= MaxItens; ++k)
        g.Itens[k] = k <= g.NumItens ? std::move(a.Itens[static_cast<std::size_t>(k - 1)]) : TItemOrc{};
    return true;
}

// --- Listing ---------------------------------------------------------------

TResumoOrc ResumoOrcamento(const QString &arquivo, const QByteArray &cabecalho) {
    TResumoOrc r;
    r.Arquivo = arquivo;
    r.Numero = arquivo.left(7);
    if (r.Numero.size() >= 5)
        r.Numero[4] = QLatin1Char('/');
    r.Cliente = QStringLiteral("-.-");
    if (static_cast<std::size_t>(cabecalho.size()) < TOrcamento::TamanhoRegistro)
        return r;
    TOrcamento o;
    Le(LeitorBinario(cabecalho), 0, o);
    r.Legivel = true;
    r.Data = o.Data;
    if (!o.Cliente.isEmpty())
        r.Cliente = o.Cliente;
    r.Projeto = o.Projeto;
    r.Total = o.ValorTotalOrc;
    return r;
}

std::vector<TResumoOrc> ListaOrcamentos(const QString &dirProjetos) {
    std::vector<TResumoOrc> lista;
    QDirIterator it(dirProjetos, {QStringLiteral("*.orc")}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        QFile f(it.filePath());
        QByteArray cabecalho;
        if (f.open(QIODevice::ReadOnly))
            cabecalho = f.read(static_cast<qint64>(TOrcamento::TamanhoRegistro));
        lista.push_back(ResumoOrcamento(it.fileName(), cabecalho));
    }
    return lista;
}

namespace {

// The exchange sort: each row p against every later row i, exchanged when
// p's key is greater. On an index, so that rows are moved once at the end.
template <class K>
std::vector<std::size_t> Troca(const std::vector<K> &chaves) {
    const std::size_t n = chaves.size();
    std::vector<std::size_t> ind(n);
    std::iota(ind.begin(), ind.end(), std::size_t{0});
    // With no two keys equal (and no NaN) any sort gives the same order; the
    // exchange sort's quadratic time is needed only to place equal keys.
    bool distintas = true;
    if constexpr (std::is_floating_point_v<K>)
        distintas = std::none_of(chaves.begin(), chaves.end(), [](K k) { return std::isnan(k); });
    if (distintas) {
        std::vector<std::size_t> rapido = ind;
        std::sort(rapido.begin(), rapido.end(), [&](std::size_t a, std::size_t b) { return chaves[a] < chaves[b]; });
        for (std::size_t i = 0; i + 1 < n && distintas; ++i)
            distintas = chaves[rapido[i]] < chaves[rapido[i + 1]];
        if (distintas)
            return rapido;
    }
    for (std::size_t p = 0; p + 1 < n; ++p)
        for (std::size_t i = p + 1; i < n; ++i)
            if (chaves[ind[p]] > chaves[ind[i]])
                std::swap(ind[p], ind[i]);
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
