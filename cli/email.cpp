// quellora-cli email configura: the e-mail settings of a data directory
// (a proposal is sent with "quellora-cli proposta ... --enviar").

#include "comandos.h"

#include "mail/dadosemail.h"


namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli email configura [--dados PASTA] [--nome NOME] --email ENDERECO --smtp SERVIDOR[:PORTA]\n"
    "                          grava as configurações de e-mail (dadmai.dat)";

int Configura(QStringList a) {
    const QString dados = Opcao(a, QStringLiteral("--dados"), DirDadosPadrao());
    const QString nome = Opcao(a, QStringLiteral("--nome"));
    const QString email = Opcao(a, QStringLiteral("--email"));
    const QString smtp = Opcao(a, QStringLiteral("--smtp"));
    if (!a.isEmpty() || email.trimmed().isEmpty() || smtp.trimmed().isEmpty()) {
        Erro(QStringLiteral("Uso:\n") + QString::fromUtf8(Uso) + QLatin1Char('\n'));
        return 2;
    }
    TDadosEmail d = LeDadosEmail(dados);
    DefineDadosEmail(d, nome, email, smtp);
    QString erro;
    if (!GravaDadosEmail(dados, d, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}

int Executa(const QStringList &a) {
    if (!a.isEmpty() && a[0] == QLatin1String("configura"))
        return Configura(a.mid(1));
    Erro(QStringLiteral("Uso:\n") + QString::fromUtf8(Uso) + QLatin1Char('\n'));
    return 2;
}

} // namespace

QUELLORA_CLI_COMANDO(email, "email", Uso, Executa);

} // namespace quellora::cli
