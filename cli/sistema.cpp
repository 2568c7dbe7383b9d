// quellora-cli ruido and sistema: the sound of a spectrum where people work,
// and one size of a line in its system with fans in parallel, as the
// selection window and the chart work them out.

#include "comandos.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "quotation/orcamento.h"
#include "selection/calculo.h"
#include "selection/figuras_json.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/preferencias.h"

#include <cmath>

namespace quellora::cli {

namespace {

const char *const UsoRuido =
    "  quellora-cli ruido --lw L63,L125,L250,L500,L1k,L2k,L4k,L8k [--distancia M] [--q 1|2|4|8]\n"
    "                     [--dados PASTA]\n"
    "                          potência sonora total e ponderada A, pressão sonora por banda e LpA a M\n"
    "                          metros com diretividade Q, e a exposição diária permitida pela NR-15\n"
    "                          (minutos), em JSON; M e Q das preferências quando não dados";
const char *const UsoSistema =
    "  quellora-cli sistema --linha LINHA --tamanho T --vazao Q --pressao P [--temperatura C]\n"
    "                       [--altitude H] [--ventiladores N] [--p0 MMCA] [--distancia M] [--q 1|2|4|8]\n"
    "                       [--dados PASTA]\n"
    "                          o tamanho T (mm) da linha com N ventiladores iguais em paralelo (1 a 6,\n"
    "                          padrão 1), cada um escolhido para Q/N à pressão estática P, na curva do\n"
    "                          sistema p = p0 + k·Q² que passa pelo ponto de operação: a rotação, os\n"
    "                          pontos com N e com N − 1 ventiladores e a curva dos N juntos, em JSON";

// An option's number, dot form; false (with a message) when missing or not a number.
bool Valor(QStringList &a, const char *nome, bool obrigatoria, double &v) {
    const QString chave = QStringLiteral("--") + QLatin1String(nome);
    if (!a.contains(chave)) {
        if (obrigatoria)
            Erro(QStringLiteral("Falta a opção %1.\n").arg(chave));
        return !obrigatoria;
    }
    const QString t = Opcao(a, chave);
    if (!LeNumero(t, &v, QLocale::c())) {
        Erro(QStringLiteral("O valor de %1 não é um número: \"%2\".\n").arg(chave, t));
        return false;
    }
    return true;
}

// --dados names one folder for the catalogue and the preferences; without
// it, the folders in use.
struct Pastas {
    QString catalogo, dados;
};
Pastas PastasDe(QStringList &a) {
    const QString d = Opcao(a, QStringLiteral("--dados"));
    return d.isEmpty() ? Pastas{DirCatalogoPadrao(), DirDadosPadrao()} : Pastas{d, d};
}

// The preferences of the data folder with the distance and directivity
// given on the command line over them.
bool Preferencias(QStringList &a, const QString &dados, TPreferencias &p) {
    QString erro;
    if (!CarregaPreferencias(dados, p, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return false;
    }
    double q = p.Diretividade;
    if (!Valor(a, "distancia", false, p.Distancia) || !Valor(a, "q", false, q))
        return false;
    p.Diretividade = q == std::trunc(q) && std::abs(q) < 100 ? static_cast<int>(q) : 0;
    const QString motivo = ValidaPreferencias(p);
    if (!motivo.isEmpty()) {
        Erro(QStringLiteral("Entrada inválida: %1.\n").arg(motivo));
        return false;
    }
    return true;
}

bool SemSobras(const QStringList &a, const char *uso) {
    if (a.isEmpty())
        return true;
    Erro(QStringLiteral("Opção desconhecida: %1\nUso:\n%2\n").arg(a.first(), QString::fromUtf8(uso)));
    return false;
}

void Escreve(const nlohmann::ordered_json &j) { Saida(QString::fromStdString(j.dump()) + QLatin1Char('\n')); }

int Ruido(const QStringList &entrada) {
    QStringList a = entrada;
    const Pastas pastas = PastasDe(a);
    const QString lw = Opcao(a, QStringLiteral("--lw"));
    TPreferencias p;
    if (!Preferencias(a, pastas.dados, p) || !SemSobras(a, UsoRuido))
        return 2;
    const QStringList partes = lw.split(QLatin1Char(','));
    if (lw.isEmpty() || partes.size() != NumBandas) {
        Erro(QStringLiteral("--lw: são %1 níveis separados por vírgula, de 63 Hz a 8 kHz.\n").arg(NumBandas));
        return 2;
    }
    Oitavas b{};
    for (int k = 0; k < NumBandas; ++k) {
        if (!LeNumero(partes[k].trimmed(), &b[static_cast<std::size_t>(k)], QLocale::c())) {
            Erro(QStringLiteral("--lw: \"%1\" não é um número.\n").arg(partes[k]));
            return 2;
        }
    }
    Escreve(RuidoJson(CalculaRuido(b, p.Distancia, p.Diretividade)));
    return 0;
}

// List position of a line given by code or position; -1 with a message.
int Linha(const QStringList &lista, const QString &linha) {
    bool numero = false;
    const int p = linha.toInt(&numero);
    if (numero && p >= 0 && p < lista.size())
        return p;
    for (int k = 0; k < lista.size(); ++k)
        if (!numero && lista[k].section(QLatin1Char(' '), 0, 0).compare(linha.trimmed(), Qt::CaseInsensitive) == 0)
            return k;
    Erro(QStringLiteral("Linha não encontrada: \"%1\". Linhas disponíveis:\n").arg(linha));
    for (int k = 0; k < lista.size(); ++k)
        Erro(QStringLiteral("  %1  %2\n").arg(k).arg(lista[k]));
    return -1;
}

int Sistema(const QStringList &entrada) {
    QStringList a = entrada;
    const Pastas pastas = PastasDe(a);
    const QString &dados = pastas.catalogo;
    const QString linha = Opcao(a, QStringLiteral("--linha"));
    double tamanho = 0, vazao = 0, pressao = 0, temperatura = 20, altitude = 0, ventiladores = 1, p0 = 0;
    TPreferencias pref;
    if (!Valor(a, "tamanho", true, tamanho) || !Valor(a, "vazao", true, vazao) ||
        !Valor(a, "pressao", true, pressao) || !Valor(a, "temperatura", false, temperatura) ||
        !Valor(a, "altitude", false, altitude) || !Valor(a, "ventiladores", false, ventiladores) ||
        !Valor(a, "p0", false, p0) || !Preferencias(a, pastas.dados, pref) || !SemSobras(a, UsoSistema))
        return 2;
    QString problema;
    if (linha.trimmed().isEmpty())
        problema = QStringLiteral("falta a opção --linha");
    else if (vazao <= 0)
        problema = QStringLiteral("a vazão deve ser maior que zero");
    else if (pressao <= 0)
        problema = QStringLiteral("a pressão deve ser maior que zero");
    else if (temperatura <= -273)
        problema = QStringLiteral("a temperatura deve ser maior que -273 °C");
    else if (ventiladores != std::trunc(ventiladores) || ventiladores < 1 || ventiladores > MaxVentiladores)
        problema = QStringLiteral("o número de ventiladores deve ser de 1 a %1").arg(MaxVentiladores);
    else if (p0 < 0 || p0 >= pressao)
        problema = QStringLiteral("a pressão fixa --p0 deve ser pelo menos zero e menor que a pressão");
    const int i = IndiceDoTamanho(static_cast<int>(tamanho));
    if (problema.isEmpty() && (tamanho != std::trunc(tamanho) || i == 0))
        problema = QStringLiteral("tamanho inválido: %1 (use o diâmetro em mm, como 630)").arg(NumeroGeral(tamanho));
    if (!problema.isEmpty()) {
        Erro(QStringLiteral("Entrada inválida: %1.\n").arg(problema));
        return 2;
    }

    ResetaEstado();
    TEstado &g = G();
    QStringList lista;
    QString erro;
    if (!ListaModelos(dados, lista, &erro) || !CarregaMotores(dados, 1, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return 1;
    }
    const int p = Linha(lista, linha);
    if (p < 0)
        return 2;
    const int n = static_cast<int>(ventiladores);
    g.Densidade = DensidadeDoAr(temperatura, altitude);
    g.VazaoCalc = vazao / n;
    g.PressaoCalc = pressao;
    g.ModeloCalc = p;
    g.SoTamanho = false;
    const TFimCalculo fim = CalculaTamanhos(dados, [](AvisoCalculo, const QString &texto, int) {
        Erro(texto.section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n'));
    });
    if (!fim.Concluido)
        return 1;
    if (!g.Resultado.Qualificado[i]) {
        Erro(QStringLiteral("O tamanho %1 da linha %2 não atende a %3 m³/h por ventilador a %4 mmCA.\n")
                 .arg(Tamanhos[i])
                 .arg(g.Modelo.Codigo.trimmed(), NumeroGeral(g.VazaoCalc, QLocale::c()),
                      NumeroGeral(pressao, QLocale::c())));
        return 1;
    }
    const TFiguras f = FigurasDoTamanho(g.Modelo, g.Resultado, i, g.VazaoCalc, g.Densidade, n, p0, pref);
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    j["Linha"] = g.Modelo.Codigo.trimmed().toStdString();
    j["Tamanho"] = Tamanhos[i];
    j["Vazao"] = vazao;
    j["Pressao"] = pressao;
    j["Densidade"] = g.Densidade;
    j.update(SistemaJson(f, p0));
    Escreve(j);
    return 0;
}

} // namespace

QUELLORA_CLI_COMANDO(ruido, "ruido", UsoRuido, Ruido);
QUELLORA_CLI_COMANDO(sistema, "sistema", UsoSistema, Sistema);

} // namespace quellora::cli
