// quellora-cli preferencias: shows or changes the preferences of a data
// directory (running-cost basis, sound at the workplace, velocity limit, the
// projects folder).

#include "comandos.h"

#include "shell/preferencias.h"

#include <QDir>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli preferencias [mostra] [--dados PASTA]\n"
    "                          as preferências em uso, em JSON\n"
    "  quellora-cli preferencias define [--dados PASTA] [--horas H] [--tarifa R$_KWH] [--distancia M]\n"
    "                          [--q 1|2|4|8] [--velocidade-max M_S] [--pasta-projetos PASTA]\n"
    "                          grava as preferências (preferencias.json); --pasta-projetos \"\"\n"
    "                          volta à pasta de projetos padrão";

int FalhaUso() {
    Erro(QStringLiteral("Uso:\n") + QString::fromUtf8(Uso) + QLatin1Char('\n'));
    return 2;
}

int Executa(const QStringList &entrada) {
    QStringList a = entrada;
    const bool define = !a.isEmpty() && a.first() == QLatin1String("define");
    if (!a.isEmpty() && (define || a.first() == QLatin1String("mostra")))
        a.removeFirst();
    const QString dados = Opcao(a, QStringLiteral("--dados"), DirDadosPadrao());
    TPreferencias p;
    QString erro;
    if (!CarregaPreferencias(dados, p, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    if (define) {
        const struct {
            const char *opcao;
            double *valor;
        } reais[] = {{"--horas", &p.HorasAno},
                     {"--tarifa", &p.Tarifa},
                     {"--distancia", &p.Distancia},
                     {"--velocidade-max", &p.VelocidadeMax}};
        for (const auto &r : reais) {
            const QString v = Opcao(a, QString::fromLatin1(r.opcao));
            bool ok = true;
            if (!v.isEmpty())
                *r.valor = v.toDouble(&ok);
            if (!ok) {
                Erro(QStringLiteral("%1: «%2» não é um número.\n").arg(QString::fromLatin1(r.opcao), v));
                return 2;
            }
        }
        const QString q = Opcao(a, QStringLiteral("--q"));
        bool ok = true;
        if (!q.isEmpty())
            p.Diretividade = q.toInt(&ok);
        if (!ok) {
            Erro(QStringLiteral("--q: «%1» não é 1, 2, 4 ou 8.\n").arg(q));
            return 2;
        }
        if (a.contains(QStringLiteral("--pasta-projetos"))) {
            p.PastaProjetos = QDir::fromNativeSeparators(Opcao(a, QStringLiteral("--pasta-projetos")).trimmed());
            const QString problema = ProblemaPastaProjetos(p.PastaProjetos);
            if (!problema.isEmpty()) {
                Erro(problema + QLatin1Char('\n'));
                return 2;
            }
        }
    }
    if (!a.isEmpty())
        return FalhaUso();
    if (define && !GravaPreferencias(dados, p, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    Saida(QString::fromUtf8(PreferenciasParaBytes(p)));
    return 0;
}

} // namespace

QUELLORA_CLI_COMANDO(preferencias, "preferencias", Uso, Executa);

} // namespace quellora::cli
