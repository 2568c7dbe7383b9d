#include "quotation/numeracao.h"

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "quotation/trava.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <limits>

namespace quellora {

namespace {

// Runs 'novo' on the stored value under the lock and writes back what it
// gives: novo(existe, atual, gravar) -> false to refuse (with its message).
using Passo = std::function<bool(bool existe, std::int64_t atual, std::int64_t &gravar, QString *erro)>;

bool AlteraContador(const QString &dirDados, const Passo &novo, QString *erro) {
    const QString caminho = CaminhoEm(dirDados, QString::fromLatin1(ArqContador));
    const QString nome = QDir::toNativeSeparators(caminho);
    auto falha = [&](const QString &t) {
        if (erro)
            *erro = t;
        return false;
    };
    TravaArquivo trava(CaminhoEm(dirDados, QString::fromLatin1(ArqTravaContador)));
    QString motivo;
    if (!trava.trava(EsperaContadorMs, &motivo))
        return falha(QStringLiteral("O contador de propostas \"%1\" não pôde ser usado: %2").arg(nome, motivo));

    QFile f(caminho);
    const bool existia = f.exists();
    if (!f.open(QIODevice::ReadWrite))
        return falha(QStringLiteral("Não foi possível abrir o contador de propostas \"%1\": %2.")
                         .arg(nome, f.errorString()));
    const QByteArray lido = f.read(4);
    // An empty file is a counter whose creation was interrupted.
    const bool existe = existia && !lido.isEmpty();
    if (existe && lido.size() < 4)
        return falha(QStringLiteral("O contador de propostas \"%1\" está danificado: tem %2 bytes em vez de 4.")
                         .arg(nome)
                         .arg(lido.size()));
    const std::int64_t atual = existe ? LeitorBinario(lido).integer(0) : 0;
    std::int64_t gravar = 0;
    if (!novo(existe, atual, gravar, erro))
        return false;
    if (gravar > std::numeric_limits<std::int32_t>::max())
        return falha(QStringLiteral("O contador de propostas \"%1\" chegou ao seu limite.").arg(nome));
    if (!trava.confirma())
        return falha(QStringLiteral("O contador de propostas \"%1\" foi tomado por outro programa durante o uso; "
                                    "tente de novo.")
                         .arg(nome));
    QByteArray b(4, '\0');
    GravadorBinario(b).integer(0, static_cast<std::int32_t>(gravar));
    if (!f.seek(0) || f.write(b) != 4 || !f.flush())
        return falha(QStringLiteral("Erro de gravação no contador de propostas \"%1\": %2.").arg(nome, f.errorString()));
    f.close();
    return true;
}

} // namespace

bool ProximoNumero(const QString &dirDados, std::int32_t &numero, QString *erro,
                   const std::function<bool(std::int32_t)> &ocupado) {
    std::int32_t n = 0;
    const bool ok = AlteraContador(
        dirDados,
        [&](bool existe, std::int64_t atual, std::int64_t &gravar, QString *) {
            // A counter never hands out 0 ("not numbered") nor less.
            n = existe ? static_cast<std::int32_t>(std::max<std::int64_t>(atual, 1)) : 1;
            for (int i = 0; ocupado && i < MaxNumerosOcupados && n < std::numeric_limits<std::int32_t>::max() &&
                            ocupado(n);
                 ++i)
                ++n;
            gravar = std::int64_t(n) + 1;
            return true;
        },
        erro);
    if (ok)
        numero = n;
    return ok;
}

bool UsaNumero(const QString &dirDados, const QString &texto, std::int32_t &numero, QString *erro) {
    const std::int32_t r = NumeroDoTexto(texto);
    const bool ok = AlteraContador(
        dirDados,
        [&](bool existe, std::int64_t atual, std::int64_t &gravar, QString *) {
            std::int64_t c = existe ? atual : 1;
            if (r >= c) // also when equal: the next automatic number must not repeat it
                c = std::int64_t(r) + 1;
            gravar = c;
            return true;
        },
        erro);
    if (ok)
        numero = r;
    return ok;
}

int NumeroDoTexto(const QString &texto) {
    const QString t = texto.left(4).trimmed();
    if (t.isEmpty())
        return 0;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    return t.toInt();
}

QString TextoNumOrc(std::int32_t numero, double data) {
    const int ano = DataParaDateTime(data).date().year();
    const QString t = QStringLiteral("0000") + QString::number(numero) + QLatin1Char('/') +
                      QStringLiteral("%1").arg(((ano % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
    return t.right(7);
}

} // namespace quellora
