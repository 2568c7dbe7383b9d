// quellora-cli email configura|enviar: the e-mail settings of a data
// directory, and the sending of a proposal document through them.

#include "comandos.h"

#include "mail/dadosemail.h"
#include "mail/envio.h"
#include "quotation/arquivo_orc.h"

#include <QDir>
#include <QFile>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli email configura [--dados PASTA] [--nome NOME] --email ENDERECO --smtp SERVIDOR[:PORTA]\n"
    "                          grava as configurações de e-mail (dadmai.dat)\n"
    "  quellora-cli email enviar [--dados PASTA] --orc ARQUIVO.orc --anexo ARQUIVO [--para ENDERECO]\n"
    "                     [--copia ENDERECO] [--texto ARQUIVO]\n"
    "                          envia ANEXO como a proposta do orçamento (\"proposta.xls\") pelo servidor\n"
    "                          configurado; sem --para, ao e-mail do cliente do orçamento";

bool LeArquivo(const QString &caminho, QByteArray &dados) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        Erro(QStringLiteral("Não foi possível abrir \"%1\": %2\n").arg(caminho, f.errorString()));
        return false;
    }
    dados = f.readAll();
    return true;
}

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

int Enviar(QStringList a) {
    const QString dados = Opcao(a, QStringLiteral("--dados"), DirDadosPadrao());
    const QString orc = Opcao(a, QStringLiteral("--orc"));
    const QString anexo = Opcao(a, QStringLiteral("--anexo"));
    const QString para = Opcao(a, QStringLiteral("--para"));
    const QString copia = Opcao(a, QStringLiteral("--copia"));
    const QString texto = Opcao(a, QStringLiteral("--texto"));
    if (!a.isEmpty() || orc.isEmpty() || anexo.isEmpty()) {
        Erro(QStringLiteral("Uso:\n") + QString::fromUtf8(Uso) + QLatin1Char('\n'));
        return 2;
    }
    TArquivoOrc arq;
    QString erro;
    if (!LeArquivoOrc(orc, arq, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    QByteArray documento, corpo;
    if (!LeArquivo(anexo, documento) || (!texto.isEmpty() && !LeArquivo(texto, corpo)))
        return 1;
    const ResultadoEnvio r =
        EnviaPropostaPorEmail(dados, arq.Orcamento, para, copia, QString::fromUtf8(corpo), documento);
    if (r.Status != 0)
        Erro(r.Erro + QLatin1Char('\n'));
    else
        Saida(r.Resposta + QLatin1Char('\n'));
    return r.Status;
}

int Executa(const QStringList &a) {
    if (!a.isEmpty() && a[0] == QLatin1String("configura"))
        return Configura(a.mid(1));
    if (!a.isEmpty() && a[0] == QLatin1String("enviar"))
        return Enviar(a.mid(1));
    Erro(QStringLiteral("Uso:\n") + QString::fromUtf8(Uso) + QLatin1Char('\n'));
    return 2;
}

} // namespace

QUELLORA_CLI_COMANDO(email, "email", Uso, Executa);

} // namespace quellora::cli
