// quellora-cli catalogo compila|mostra|lista

#include "comandos.h"

#include "catalogue/catalogo.h"
#include "catalogue/fonte.h"
#include "shell/estado.h"

#include <QDir>
#include <QFile>

#include <nlohmann/json.hpp>

namespace quellora::cli {

namespace {

int Compila(const QString &fonte, const QString &dir) {
    QFile f(fonte);
    if (!f.open(QIODevice::ReadOnly)) {
        Erro(QStringLiteral("Não foi possível abrir \"%1\": %2\n").arg(fonte, f.errorString()));
        return 1;
    }
    nlohmann::json j = nlohmann::json::parse(f.readAll().toStdString(), nullptr, false);
    if (j.is_discarded()) {
        Erro(QStringLiteral("\"%1\" não é um JSON válido.\n").arg(fonte));
        return 1;
    }
    if (!QDir().mkpath(dir)) {
        Erro(QStringLiteral("Não foi possível criar a pasta \"%1\".\n").arg(dir));
        return 1;
    }
    QString erro;
    if (!CompilaCatalogo(j, dir, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}

int Mostra(const QString &dir) {
    nlohmann::json j;
    QString erro;
    if (!MostraCatalogo(dir, j, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    Saida(QString::fromStdString(j.dump(1)) + QLatin1Char('\n'));
    return 0;
}

int Lista(const QString &dir) {
    QStringList lista;
    QString erro;
    if (!ListaModelos(dir, lista, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    for (const QString &l : lista)
        Saida(l + QLatin1Char('\n'));
    return 0;
}

int Executa(const QStringList &a) {
    if (a.size() == 3 && a[0] == QLatin1String("compila"))
        return Compila(a[1], a[2]);
    if (a.size() <= 2 && !a.isEmpty() && a[0] == QLatin1String("mostra"))
        return Mostra(a.size() == 2 ? a[1] : DirCatalogoPadrao());
    if (a.size() <= 2 && !a.isEmpty() && a[0] == QLatin1String("lista"))
        return Lista(a.size() == 2 ? a[1] : DirCatalogoPadrao());
    Erro(QStringLiteral("Uso: quellora-cli catalogo compila FONTE.json PASTA | mostra [PASTA] | lista [PASTA]\n"));
    return 2;
}

} // namespace

QUELLORA_CLI_COMANDO(catalogo, "catalogo",
                     "  quellora-cli catalogo compila FONTE.json PASTA   compila o catálogo nos arquivos de dados\n"
                     "  quellora-cli catalogo mostra [PASTA]             escreve os arquivos como JSON\n"
                     "  quellora-cli catalogo lista [PASTA]              as linhas de ventiladores disponíveis",
                     Executa);

} // namespace quellora::cli
