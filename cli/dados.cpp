// quellora-cli dados: the folders in use (beside the program, or the user's
// and the shipped ones when installed), as the program finds them.

#include "comandos.h"

#include <QCoreApplication>
#include <QDir>

#include <nlohmann/json.hpp>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli dados [--json]                      as pastas em uso: dados do usuário, catálogo e projetos";

int Executa(const QStringList &entrada) {
    QStringList a = entrada;
    const bool json = Chave(a, QStringLiteral("--json"));
    if (!a.isEmpty()) {
        Erro(QStringLiteral("Uso:\n") + QString::fromUtf8(Uso) + QLatin1Char('\n'));
        return 2;
    }
    QString erro;
    const TPastas p = PastasEmUso(QCoreApplication::applicationDirPath(), &erro);
    if (!erro.isEmpty())
        Erro(erro + QStringLiteral("\nA pasta de projetos padrão é mostrada.\n"));
    const QString modo = p.Instalado ? QStringLiteral("instalado") : QStringLiteral("portátil");
    const struct {
        const char *chave;
        const char *rotulo;
        QString valor;
    } linhas[] = {
        {"Modo", "Modo", modo},
        {"Programa", "Programa", p.Programa},
        {"Dados", "Dados do usuário", p.Dados},
        {"Catalogo", "Catálogo", p.Catalogo},
        {"Projetos", "Projetos", p.Projetos},
    };
    if (json) {
        nlohmann::json j = nlohmann::json::object();
        for (const auto &l : linhas)
            j[l.chave] = QDir::toNativeSeparators(l.valor).toStdString();
        Saida(QString::fromStdString(j.dump(2)) + QLatin1Char('\n'));
        return 0;
    }
    for (const auto &l : linhas)
        Saida(QStringLiteral("%1: %2\n").arg(QString::fromUtf8(l.rotulo), QDir::toNativeSeparators(l.valor)));
    return 0;
}

} // namespace

QUELLORA_CLI_COMANDO(dados, "dados", Uso, Executa);

} // namespace quellora::cli
