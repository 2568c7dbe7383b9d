#include "shell/operador.h"

#include "catalogue/arquivos.h"
#include "shell/estado.h"

#include <QFileInfo>

namespace quellora {

namespace {
constexpr std::size_t TamanhoCampo = 41;
QString Arquivo(const QString &dirDados) { return CaminhoEm(dirDados, QString::fromLatin1(ArqOperador)); }
} // namespace

TOperador CortaOperador(const TOperador &op) {
    TOperador r;
    for (int i = 0; i < CamposOperador; ++i)
        r[i] = CortaStr(op[i], MaxCampoOperador[i]);
    return r;
}

QByteArray OperadorParaBytes(const TOperador &op) {
    QByteArray b(static_cast<qsizetype>(TamanhoOperador), '\0');
    GravadorBinario g(b);
    for (int i = 0; i < CamposOperador; ++i)
        g.str(TamanhoCampo * std::size_t(i), 40, CortaStr(op[i], MaxCampoOperador[i]));
    return b;
}

TOperador OperadorDeBytes(const QByteArray &dados) {
    TOperador r;
    if (static_cast<std::size_t>(dados.size()) < TamanhoOperador)
        return r;
    LeitorBinario l(reinterpret_cast<const std::uint8_t *>(dados.constData()), TamanhoOperador);
    for (int i = 0; i < CamposOperador; ++i)
        r[i] = l.str(TamanhoCampo * std::size_t(i), 40);
    return r;
}

bool CarregaOperador(const QString &dirDados, QString *erro) {
    auto &g = G();
    g.Operador = TOperador{};
    const QString arq = Arquivo(dirDados);
    if (!QFileInfo::exists(arq))
        return true;
    QByteArray b;
    if (!LeRegistros(arq, TamanhoOperador, 0, 1, b, erro))
        return false;
    g.Operador = OperadorDeBytes(b);
    return true;
}

bool GravaOperador(const QString &dirDados, QString *erro) {
    return GravaArquivoAtomico(Arquivo(dirDados), OperadorParaBytes(G().Operador), erro);
}

} // namespace quellora
