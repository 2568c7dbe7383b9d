#include "mail/dadosemail.h"

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "shell/estado.h"

#include <QFile>

namespace quellora {

namespace {
constexpr std::size_t Campos[3] = {0, 51, 102};
QString Arquivo(const QString &dirDados) { return CaminhoEm(dirDados, QString::fromLatin1(ArqEmail)); }
} // namespace

TDadosEmail DadosEmailDeBytes(const QByteArray &dados) {
    TDadosEmail d;
    if (static_cast<std::size_t>(dados.size()) < TamanhoDadosEmail)
        return d;
    d.Bruto = dados.left(static_cast<qsizetype>(TamanhoDadosEmail));
    const LeitorBinario l(d.Bruto);
    d.NomeRemetente = l.str(Campos[0], MaxCampoEmail);
    d.EmailRemetente = l.str(Campos[1], MaxCampoEmail);
    d.ServidorSMTP = l.str(Campos[2], MaxCampoEmail);
    return d;
}

QByteArray DadosEmailParaBytes(const TDadosEmail &d) {
    QByteArray b = d.Bruto;
    b.resize(static_cast<qsizetype>(TamanhoDadosEmail), '\0');
    GravadorBinario g(b);
    g.str(Campos[0], MaxCampoEmail, d.NomeRemetente);
    g.str(Campos[1], MaxCampoEmail, d.EmailRemetente);
    g.str(Campos[2], MaxCampoEmail, d.ServidorSMTP);
    return b;
}

void DefineDadosEmail(TDadosEmail &d, const QString &nome, const QString &email, const QString &servidor) {
    d.NomeRemetente = CortaStr(nome.trimmed(), MaxCampoEmail);
    d.EmailRemetente = CortaStr(email.trimmed(), MaxCampoEmail);
    d.ServidorSMTP = CortaStr(servidor.trimmed(), MaxCampoEmail);
    d.Bruto = DadosEmailParaBytes(d);
}

TDadosEmail LeDadosEmail(const QString &dirDados) {
    QFile f(Arquivo(dirDados));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return DadosEmailDeBytes(f.read(static_cast<qint64>(TamanhoDadosEmail)));
}

bool GravaDadosEmail(const QString &dirDados, const TDadosEmail &d, QString *erro) {
    return GravaArquivoAtomico(Arquivo(dirDados), DadosEmailParaBytes(d), erro);
}

void LoadEmailSettings(const QString &dirDados) { G().DadosEmail = LeDadosEmail(dirDados); }

bool SaveEmailSettings(const QString &dirDados, QString *erro) {
    return GravaDadosEmail(dirDados, G().DadosEmail, erro);
}

} // namespace quellora
