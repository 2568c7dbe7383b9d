// quellora-cli: the headless face of Quellora's core.

#include "comandos.h"
#include "shell/versao.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace quellora::cli {

namespace {
std::vector<Comando> &Tabela() {
    static std::vector<Comando> t;
    return t;
}
} // namespace

bool Registra(const Comando &c) {
    Tabela().push_back(c);
    return true;
}

const TPastas &PastasPadrao() {
    static const TPastas p = PastasEmUso(QCoreApplication::applicationDirPath());
    return p;
}

QString DirDadosPadrao() {
    const TPastas &p = PastasPadrao();
    if (p.Instalado)
        QDir().mkpath(p.Dados); // created at the first use; a failure shows when a file is written
    return p.Dados;
}

QString DirCatalogoPadrao() { return PastasPadrao().Catalogo; }

void Saida(const QString &texto) { SaidaUtf8(texto.toUtf8()); }

void SaidaUtf8(const QByteArray &utf8) {
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
}

void Erro(const QString &texto) {
    const QByteArray b = texto.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<std::size_t>(b.size()), stderr);
}

QString Opcao(QStringList &args, const QString &nome, const QString &padrao) {
    const int i = static_cast<int>(args.indexOf(nome));
    if (i < 0)
        return padrao;
    QString v;
    if (i + 1 < args.size())
        v = args.at(i + 1);
    args.remove(i, i + 1 < args.size() ? 2 : 1);
    return v;
}

bool Chave(QStringList &args, const QString &nome) { return args.removeAll(nome) > 0; }

} // namespace quellora::cli

int main(int argc, char **argv) {
    using namespace quellora::cli;
    // Commands that draw pages measure text: that needs the GUI application,
    // off screen unless a platform is named.
    bool desenha = false;
    for (const auto &c : Tabela())
        desenha |= argc > 1 && c.desenha && std::strcmp(argv[1], c.nome) == 0;
    if (desenha && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> aplicacao(desenha ? new QGuiApplication(argc, argv)
                                                        : new QCoreApplication(argc, argv));
    QCoreApplication &app = *aplicacao;
    QStringList args = app.arguments().mid(1);
    auto uso = [] {
        QString t = QStringLiteral("Uso:\n  quellora-cli --help | --version\n");
        for (const auto &c : Tabela())
            t += QString::fromUtf8(c.uso) + QLatin1Char('\n');
        return t;
    };
    if (!args.isEmpty() && args.first() == QLatin1String("--version")) {
        Saida(QStringLiteral("quellora-cli " QUELLORA_VERSAO "\n"));
        return 0;
    }
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        (args.isEmpty() ? Erro : Saida)(uso());
        return args.isEmpty() ? 2 : 0;
    }
    for (const auto &c : Tabela())
        if (args.first() == QLatin1String(c.nome))
            return c.executa(args.mid(1));
    Erro(QStringLiteral("Comando desconhecido: %1\n").arg(args.first()) + uso());
    return 2;
}
