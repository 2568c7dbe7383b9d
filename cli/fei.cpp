// quellora-cli fei: the Fan Energy Index (ANSI/AMCA 208) of a fan at one
// duty, from its shaft power and drive or from its electrical input.

#include "comandos.h"

#include "selection/eficiencia.h"

#include <QLocale>

#include <cmath>
#include <optional>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli fei --vazao M3H --pressao MMCA [--base total|estatica]\n"
    "                   (--potencia KW [--transmissao correia|direto|nenhuma] [--rend-motor FRAC]\n"
    "                    | --potencia-eletrica KW) [--densidade KG_M3]\n"
    "                          o FEI no ponto de operação, em JSON: vazão em m³/h, pressão total (ou\n"
    "                          estática, com --base estatica) em mmCA, densidade padrão 1,2 kg/m³;\n"
    "                          a potência no eixo com a transmissão (padrão nenhuma: eixo livre) e o\n"
    "                          rendimento do motor (padrão: o de referência), ou a potência elétrica";

std::string J(double v) { return std::isfinite(v) ? QString::number(v, 'g', 17).toStdString() : "null"; }

// A number option: absent gives nullopt; 'ok' false (with a message) when it is no number.
std::optional<double> Numero(QStringList &args, const char *nome, bool &ok) {
    const QString chave = QStringLiteral("--") + QLatin1String(nome);
    if (!args.contains(chave))
        return std::nullopt;
    const QString t = Opcao(args, chave);
    bool lido = false;
    double v = QLocale::c().toDouble(t.trimmed(), &lido);
    if (!lido)
        v = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(t.trimmed(), &lido);
    if (!lido || !std::isfinite(v)) {
        Erro(QStringLiteral("O valor de %1 não é um número: \"%2\".\n").arg(chave, t));
        ok = false;
        return std::nullopt;
    }
    return v;
}

int Executa(const QStringList &entrada) {
    QStringList a = entrada;
    bool ok = true;
    const auto vazao = Numero(a, "vazao", ok);
    const auto pressao = Numero(a, "pressao", ok);
    const auto potencia = Numero(a, "potencia", ok);
    const auto eletrica = Numero(a, "potencia-eletrica", ok);
    const auto rendMotor = Numero(a, "rend-motor", ok);
    const double densidade = Numero(a, "densidade", ok).value_or(1.2);
    const QString base = Opcao(a, QStringLiteral("--base"), QStringLiteral("total"));
    const QString transmissao = Opcao(a, QStringLiteral("--transmissao"), QStringLiteral("nenhuma"));
    if (!ok)
        return 2;
    auto uso = [&](const QString &motivo) {
        Erro(motivo + QStringLiteral("\nUso:\n") + QString::fromUtf8(Uso) + QLatin1Char('\n'));
        return 2;
    };
    if (!a.isEmpty())
        return uso(QStringLiteral("Opção desconhecida: %1").arg(a.first()));
    if (!vazao || !pressao)
        return uso(QStringLiteral("Faltam --vazao e --pressao."));
    if (potencia.has_value() == eletrica.has_value())
        return uso(QStringLiteral("Indique --potencia ou --potencia-eletrica (uma das duas)."));
    if (base != QLatin1String("total") && base != QLatin1String("estatica"))
        return uso(QStringLiteral("--base: \"%1\" não é total nem estatica.").arg(base));
    if (transmissao != QLatin1String("correia") && transmissao != QLatin1String("direto") &&
        transmissao != QLatin1String("nenhuma"))
        return uso(QStringLiteral("--transmissao: \"%1\" não é correia, direto nem nenhuma.").arg(transmissao));
    if (eletrica && (rendMotor || a.contains(QStringLiteral("--transmissao"))))
        return uso(QStringLiteral("--transmissao e --rend-motor valem com --potencia."));
    if (rendMotor && transmissao == QLatin1String("nenhuma"))
        return uso(QStringLiteral("--rend-motor vale com --transmissao correia ou direto."));
    const double h = potencia.value_or(0), pe = eletrica.value_or(0);
    if (!(*vazao > 0) || *pressao < 0 || !(densidade > 0) || !(h > 0 || pe > 0) ||
        (rendMotor && !(*rendMotor > 0 && *rendMotor <= 1))) {
        Erro(QStringLiteral("Entrada inválida: vazão, densidade e potência devem ser maiores que zero, a pressão não "
                            "pode ser negativa e o rendimento do motor fica entre 0 e 1.\n"));
        return 2;
    }

    const double q = *vazao / 3600, p = *pressao * PascalPorMmCA;
    const BaseFEI b = base == QLatin1String("total") ? BaseFEI::Total : BaseFEI::Estatica;
    TFEI f;
    if (eletrica) {
        f = CalculaFEI(q, p, densidade, pe, b);
    } else if (transmissao == QLatin1String("nenhuma")) {
        f = CalculaFEIEixoLivre(q, p, densidade, h, b);
    } else {
        const double trans = transmissao == QLatin1String("correia") ? RendTransmissaoCorreia(h) : 1.0;
        const double motor = rendMotor.value_or(RendMotorReferencia(h / trans));
        f = CalculaFEI(q, p, densidade, h / (trans * motor), b);
    }
    Saida(QString::fromStdString("{\"FEI\":" + J(f.FEI) + ",\"PotRef\":" + J(f.PotRef) + ",\"FEPRef\":" + J(f.FEPRef) +
                                 ",\"FEPReal\":" + J(f.FEPReal) + "}\n"));
    return 0;
}

} // namespace

QUELLORA_CLI_COMANDO(fei, "fei", Uso, Executa);

} // namespace quellora::cli
