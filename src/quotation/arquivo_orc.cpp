#include "quotation/arquivo_orc.h"

#include "catalogue/arquivos.h"
#include "quotation/orcamento.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace quellora {

QString NomeArquivoOrc(const QString &numOrc) {
    QString n = numOrc;
    if (n.size() >= 5)
        n[4] = QLatin1Char('_');
    return n + QStringLiteral(".orc");
}

QByteArray ArquivoOrcParaBytes(const TArquivoOrc &a) {
    const qsizetype n = static_cast<qsizetype>(a.Itens.size());
    QByteArray b(static_cast<qsizetype>(TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * n), '\0');
    GravadorBinario g(b);
    TOrcamento cab = a.Orcamento;
    cab.NumItensOrc = static_cast<std::int32_t>(n);
    Grava(g, 0, cab);
    for (qsizetype k = 0; k < n; ++k)
        Grava(g, TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * static_cast<std::size_t>(k),
              a.Itens[static_cast<std::size_t>(k)]);
    return b;
}

bool ImagemOrcInteira(const QByteArray &cabecalho, qint64 tamanho, QString *detalhe) {
    auto falha = [&](const QString &t) {
        if (detalhe)
            *detalhe = t;
        return false;
    };
    if (static_cast<std::size_t>(cabecalho.size()) < TOrcamento::TamanhoRegistro ||
        tamanho < static_cast<qint64>(TOrcamento::TamanhoRegistro))
        return falha(QStringLiteral("Tem %1 bytes, menos que os %2 do cabeçalho.")
                         .arg(std::min<qint64>(tamanho, cabecalho.size()))
                         .arg(TOrcamento::TamanhoRegistro));
    const std::int32_t n = LeitorBinario(cabecalho).integer(632);
    if (n < 0 || n > MaxItens)
        return falha(QStringLiteral("O cabeçalho anuncia %1 itens; um orçamento tem de 0 a %2.").arg(n).arg(MaxItens));
    const auto precisa = static_cast<qint64>(TOrcamento::TamanhoRegistro +
                                             TItemOrc::TamanhoRegistro * static_cast<std::size_t>(n));
    if (tamanho < precisa)
        return falha(QStringLiteral("O cabeçalho anuncia %1 itens, que ocupam %2 bytes; o arquivo tem %3.")
                         .arg(n)
                         .arg(precisa)
                         .arg(tamanho));
    return true;
}

bool ArquivoOrcDeBytes(const QByteArray &dados, const QString &nome, TArquivoOrc &a, QString *erro) {
    QString detalhe;
    if (!ImagemOrcInteira(dados, dados.size(), &detalhe)) {
        if (erro)
            *erro = QStringLiteral("O arquivo %1 está danificado ou não é um orçamento.\r\n%2").arg(nome, detalhe);
        return false;
    }
    LeitorBinario l(dados);
    TArquivoOrc r;
    Le(l, 0, r.Orcamento);
    r.Itens.resize(static_cast<std::size_t>(r.Orcamento.NumItensOrc));
    for (std::size_t k = 0; k < r.Itens.size(); ++k)
        Le(l, TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * k, r.Itens[k]);
    a = std::move(r);
    return true;
}

bool LeArquivoOrc(const QString &caminho, TArquivoOrc &a, QString *erro) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        if (erro)
            *erro = QStringLiteral("Não foi possível abrir o arquivo %1: %2").arg(caminho, f.errorString());
        return false;
    }
    // A genuine file is never larger than 40 items; read no more than that.
    const qint64 maximo = static_cast<qint64>(TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * MaxItens);
    const QByteArray dados = f.read(maximo);
    if (f.error() != QFileDevice::NoError) {
        if (erro)
            *erro = QStringLiteral("Erro ao ler o arquivo %1: %2").arg(caminho, f.errorString());
        return false;
    }
    return ArquivoOrcDeBytes(dados, caminho, a, erro);
}

bool GravaArquivoOrc(const QString &caminho, const TArquivoOrc &a, QString *erro) {
    return GravaArquivoAtomico(caminho, ArquivoOrcParaBytes(a), erro);
}

} // namespace quellora
