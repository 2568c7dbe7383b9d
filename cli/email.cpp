// quellora-cli email configura: the e-mail settings of a data directory
// (a proposal is sent with "quellora-cli proposta ... --enviar").

#include "comandos.h"

#include "mail/chaveiro.h"
#include "mail/conexaoemail.h"
#include "mail/dadosemail.h"

#include <QDir>
#include <QFileInfo>

#include <iostream>
#include <string>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli email configura [--dados PASTA] [--nome NOME] --email ENDERECO --smtp SERVIDOR[:PORTA]\n"
    "                     [--porta N] [--seguranca nenhuma|starttls|ssl] [--usuario USUARIO [--senha-da-entrada]]\n"
    "                     [--certificado ARQUIVO.pem]\n"
    "                          grava as configurações de e-mail (dadmai.dat e conexaoemail.json); a senha,\n"
    "                          lida da entrada padrão, vai para o chaveiro da área de trabalho (ou, sem\n"
    "                          ele, para senhasemail.json, legível só pelo usuário); --certificado confia\n"
    "                          no certificado desse arquivo para o servidor";

int Configura(QStringList a) {
    const QString dados = Opcao(a, QStringLiteral("--dados"), DirDadosPadrao());
    const QString nome = Opcao(a, QStringLiteral("--nome"));
    const QString email = Opcao(a, QStringLiteral("--email"));
    const QString smtp = Opcao(a, QStringLiteral("--smtp"));
    const bool temPorta = a.contains(QStringLiteral("--porta"));
    const QString porta = Opcao(a, QStringLiteral("--porta"));
    const QString seguranca = Opcao(a, QStringLiteral("--seguranca"));
    const bool temUsuario = a.contains(QStringLiteral("--usuario"));
    const QString usuario = Opcao(a, QStringLiteral("--usuario"));
    const bool senhaDaEntrada = Chave(a, QStringLiteral("--senha-da-entrada"));
    const QString certificado = Opcao(a, QStringLiteral("--certificado"));
    if (!a.isEmpty() || email.trimmed().isEmpty() || smtp.trimmed().isEmpty()) {
        Erro(QStringLiteral("Uso:\n") + QString::fromUtf8(Uso) + QLatin1Char('\n'));
        return 2;
    }
    TConexaoEmail cx;
    QString erro;
    if (!CarregaConexaoEmail(dados, cx, &erro))
        cx = TConexaoEmail{}; // replaced whole by what is given now
    const TConexaoEmail antes = cx;
    QString host;
    quint16 portaServidor = 0;
    bool explicita = false;
    if (!SeparaServidor(smtp, &host, &portaServidor, &explicita) || host.isEmpty()) {
        Erro(QStringLiteral("Servidor de e-mail inválido: \"%1\".\n").arg(smtp));
        return 2;
    }
    // A port given with the server's name is the server's; --porta, when
    // given, is the one used.
    if (explicita)
        cx.Porta = 0;
    if (temPorta) {
        bool ok = false;
        const uint p = porta.toUInt(&ok);
        if (!ok || p < 1 || p > 65535) {
            Erro(QStringLiteral("--porta: «%1» não é um número de 1 a 65535.\n").arg(porta));
            return 2;
        }
        cx.Porta = static_cast<int>(p);
    }
    if (!seguranca.isEmpty()) {
        const auto s = SegurancaDeTexto(seguranca);
        if (!s) {
            Erro(QStringLiteral("--seguranca: «%1» não é nenhuma, starttls nem ssl.\n").arg(seguranca));
            return 2;
        }
        cx.Seguranca = *s;
    }
    if (temUsuario)
        cx.Usuario = usuario.trimmed();
    if (!certificado.isEmpty() && !ImpressaoDigitalDeArquivo(certificado, &cx.Certificado, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    TDadosEmail d = LeDadosEmail(dados);
    const QString contaAntes = ContaSenhaEmail(d, antes);
    DefineDadosEmail(d, nome, email, smtp);
    const QString conta = ContaSenhaEmail(d, cx);
    if (senhaDaEntrada && conta.isEmpty()) {
        Erro(QStringLiteral("--senha-da-entrada precisa de um usuário (--usuario).\n"));
        return 2;
    }
    // Without the file and its options, the server is reached as it always was.
    const bool conexao = temPorta || !seguranca.isEmpty() || temUsuario || !certificado.isEmpty() ||
                         QFileInfo::exists(QDir(dados).filePath(QString::fromLatin1(ArqConexaoEmail)));
    if (!GravaDadosEmail(dados, d, &erro) || (conexao && !GravaConexaoEmail(dados, cx, &erro))) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    const auto cofre = CofreDoUsuario(dados);
    if (conta.isEmpty() && !contaAntes.isEmpty() && !cofre->Apaga(contaAntes, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    if (senhaDaEntrada) {
        // One line; the line end is not part of the password.
        std::string linha;
        std::getline(std::cin, linha);
        QString senha = QString::fromStdString(linha);
        if (senha.endsWith(QLatin1Char('\r')))
            senha.chop(1);
        if (senha.isEmpty()) {
            Erro(QStringLiteral("--senha-da-entrada: a entrada padrão não trouxe uma senha.\n"));
            return 2;
        }
        if (!cofre->Grava(conta, senha, &erro)) {
            Erro(erro + QLatin1Char('\n'));
            return 1;
        }
        Saida(cofre->Onde() + QLatin1Char('\n'));
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
