#include "quotation/arquivo_orc.h"

#include "catalogue/arquivos.h"
#include "quotation/extensao_orc.h"
#include "quotation/orcamento.h"

#include <QFile>
#include <QFileInfo>

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
    return b + ExtensaoParaBytes(a.Itens);
}

bool ArquivoOrcDeBytes(const QByteArray &dados, const QString &nome, TArquivoOrc &a, QString *erro) {
    auto falha = [&](const QString &t) {
        if (erro)
            *erro = t;
        return false;
    };
    const auto tam = static_cast<std::size_t>(dados.size());
    if (tam < TOrcamento::TamanhoRegistro)
        return falha(QStringLiteral("O arquivo %1 não é um orçamento: tem %2 bytes, menos que o cabeçalho.")
                         .arg(nome)
                         .arg(dados.size()));
    LeitorBinario l(dados);
    const std::int32_t n = l.integer(632);
    if (n < 0 || n > MaxItens)
        return falha(QStringLiteral("O arquivo %1 não é um orçamento válido: anuncia %2 itens (o máximo é %3).")
                         .arg(nome)
                         .arg(n)
                         .arg(MaxItens));
    const std::size_t precisa = TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * static_cast<std::size_t>(n);
    if (tam < precisa)
        return falha(QStringLiteral("O arquivo %1 está incompleto: anuncia %2 itens, mas tem %3 bytes de %4.")
                         .arg(nome)
                         .arg(n)
                         .arg(dados.size())
                         .arg(precisa));
    TArquivoOrc r;
    Le(l, 0, r.Orcamento);
    r.Itens.resize(static_cast<std::size_t>(n));
    for (std::size_t k = 0; k < r.Itens.size(); ++k)
        Le(l, TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * k, r.Itens[k]);
    QString motivo;
    if (ExtensaoDeBytes(dados.mid(static_cast<qsizetype>(precisa)), r.Itens, &motivo) == LeituraExtensao::Recusada)
        r.AvisoExtensao = QStringLiteral("O bloco de extensão do arquivo %1 foi ignorado: %2. Os itens ficam com "
                                         "um ventilador e sem pressão fixa.")
                              .arg(nome, motivo);
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
    // A genuine file is never larger than 40 items and their extension
    // block; read no more than that.
    const qint64 maximo = static_cast<qint64>(TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * MaxItens +
                                              TamanhoExtensaoOrc(MaxItens));
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
