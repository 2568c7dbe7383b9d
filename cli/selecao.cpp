// quellora-cli selecao: the selection of a fan for one duty (or a schedule of
// duties) over one fan line or every line, as the selection window runs it.

#include "comandos.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "catalogue/energia.h"
#include "quotation/orcamento.h"
#include "selection/calculo.h"
#include "selection/curva.h"
#include "selection/eficiencia.h"
#include "selection/figuras_json.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/preferencias.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli selecao --linha LINHA --vazao Q --pressao P [--temperatura T] [--altitude H]\n"
    "                       [--ventiladores N] [--distancia M] [--q 1|2|4|8] [--dados PASTA] [--json]\n"
    "                          os tamanhos da linha (código, como BSD, ou posição na lista a partir de 0)\n"
    "                          que atendem à vazão Q (m³/h) e à pressão estática P (mmCA); T em °C\n"
    "                          (padrão 20), H em m (padrão 0)\n"
    "                       [--fei-min X] [--ordem fei|potencia|custo] [--horas H] [--tarifa R$_KWH]\n"
    "                          com FEI, conferência UE e custo anual de energia; só os tamanhos de\n"
    "                          FEI de pelo menos X; os tamanhos pelo FEI (maior primeiro), pela\n"
    "                          potência absorvida ou pelo custo anual (menor primeiro); horas por ano\n"
    "                          e tarifa do custo (padrão: as preferências do usuário)\n"
    "                       [--ventiladores N] [--distancia M] [--q 1|2|4|8]\n"
    "                          com N ventiladores em paralelo (1 a 6) cada um atende a Q/N; o ruído\n"
    "                          a M metros com diretividade Q e os avisos de cada tamanho (M e Q das\n"
    "                          preferências quando não dados)\n"
    "  quellora-cli selecao --todas --vazao Q --pressao P [...]\n"
    "                          o tamanho mais eficiente de cada linha (também --horas, --tarifa)\n"
    "  quellora-cli selecao --linha LINHA --curva TAMANHO --vazao Q --pressao P [...]\n"
    "                          os dados da curva do tamanho (mm) em JSON\n"
    "  quellora-cli selecao --lote ARQUIVO.csv (--linha LINHA | --todas) [--dados PASTA] [--json]\n"
    "                          uma seleção por ponto de operação do arquivo (colunas tag, quantidade,\n"
    "                          descrição, vazão, pressão, temperatura, altitude; com cabeçalho;\n"
    "                          separadas por vírgula ou ponto e vírgula)";

// ---------------------------------------------------------------------------
// Numbers and texts

// A plain decimal, "-" then digits then "." and digits (at most 24
// characters), read as QString::toDouble reads it: the nearest double. A
// schedule has tens of thousands of them, and toDouble is slow; anything
// else (signs, exponents, "inf") is left to it.
std::optional<double> NumeroSimples(const QString &t) {
    char buf[24];
    if (t.isEmpty() || t.size() > static_cast<qsizetype>(sizeof buf))
        return std::nullopt;
    const auto n = static_cast<std::size_t>(t.size());
    std::size_t k = 0, digitos = 0, fracao = 0;
    bool ponto = false;
    for (const QChar ch : t) {
        const char16_t u = ch.unicode();
        if (u >= '0' && u <= '9') {
            ++(ponto ? fracao : digitos);
        } else if (u == '.' && !ponto && digitos > 0) {
            ponto = true;
        } else if (!(u == '-' && k == 0)) {
            return std::nullopt;
        }
        buf[k++] = static_cast<char>(u);
    }
    if (digitos == 0 || (ponto && fracao == 0))
        return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(buf, buf + n, v, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != buf + n)
        return std::nullopt;
    return v;
}

// A number as the user types it: decimal point or comma; with both, the last
// one is the decimal separator and the others group thousands.
std::optional<double> Numero(QString t) {
    t = t.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const qsizetype ponto = t.lastIndexOf(QLatin1Char('.'));
    const qsizetype virgula = t.lastIndexOf(QLatin1Char(','));
    if (ponto >= 0 && virgula >= 0) {
        const QChar milhar = ponto > virgula ? QLatin1Char(',') : QLatin1Char('.');
        t.remove(milhar);
    }
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (const auto v = NumeroSimples(t))
        return v;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString Fixo(double v, int casas) { return QString::number(v, 'f', casas); }

// Messages are written with the line breaks of the terminal.
QString TextoDoAviso(QString t) {
    t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

std::string J(double v) {
    if (!std::isfinite(v))
        return "null";
    return QString::number(v, 'g', 17).toStdString();
}

std::string J(const QString &s) { return nlohmann::json(s.toStdString()).dump(); }

// A JSON object written field by field, so that numbers keep 17 digits.
class Objeto {
public:
    Objeto &n(const char *nome, double v) { return campo(nome, J(v)); }
    Objeto &i(const char *nome, long long v) { return campo(nome, std::to_string(v)); }
    Objeto &s(const char *nome, const QString &v) { return campo(nome, J(v)); }
    Objeto &b(const char *nome, bool v) { return campo(nome, v ? "true" : "false"); }
    Objeto &bruto(const char *nome, const std::string &v) { return campo(nome, v); }
    std::string texto() const { return "{" + t_ + "}"; }

private:
    Objeto &campo(const char *nome, const std::string &v) {
        if (!t_.empty())
            t_ += ",";
        t_ += "\"" + std::string(nome) + "\":" + v;
        return *this;
    }
    std::string t_;
};

std::string Lista(const std::vector<std::string> &itens) {
    std::string t = "[";
    for (std::size_t k = 0; k < itens.size(); ++k)
        t += (k ? "," : "") + itens[k];
    return t + "]";
}

// ---------------------------------------------------------------------------
// Catalogue

struct Catalogo {
    QString dir;
    QStringList lista;                  // list lines
    QStringList codigos;                // line codes, trimmed, by list position
    std::vector<TDadosModelo> modelos;  // by list position
};

bool AbreCatalogo(const QString &dir, Catalogo &c) {
    QString erro;
    c.dir = dir;
    if (!ListaModelos(dir, c.lista, &erro) || !CarregaMotores(dir, 1, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return false;
    }
    std::vector<TDadosModelo> todos;
    if (!LeTodosModelos(dir, todos, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return false;
    }
    for (int p = 0; p < c.lista.size(); ++p) {
        const int r = RegistroDoModelo(p);
        c.modelos.push_back(r >= 0 && r < static_cast<int>(todos.size()) ? todos[static_cast<std::size_t>(r)]
                                                                          : TDadosModelo{});
    }
    for (const TDadosModelo &m : c.modelos)
        c.codigos << m.Codigo.trimmed();
    if (c.lista.isEmpty()) {
        Erro(QStringLiteral("Nenhuma linha de ventiladores com dados em \"%1\".\n").arg(dir));
        return false;
    }
    return true;
}

// List position of a line given by code or position, or -1 (with a message).
int PosicaoDaLinha(const Catalogo &c, const QString &linha) {
    bool numero = false;
    const int p = linha.trimmed().toInt(&numero);
    if (numero) {
        if (p >= 0 && p < c.lista.size())
            return p;
    } else {
        for (int k = 0; k < static_cast<int>(c.modelos.size()); ++k)
            if (c.modelos[static_cast<std::size_t>(k)].Codigo.trimmed().compare(linha.trimmed(), Qt::CaseInsensitive) == 0)
                return k;
    }
    QString t = QStringLiteral("Linha não encontrada: \"%1\". Linhas disponíveis:\n").arg(linha);
    for (int k = 0; k < c.lista.size(); ++k)
        t += QStringLiteral("  %1  %2\n").arg(k).arg(c.lista.at(k));
    Erro(t);
    return -1;
}

const QString &Codigo(const Catalogo &c, int p) { return c.codigos.at(p); }

// ---------------------------------------------------------------------------
// Calculation

struct Ponto {
    double vazao = 0, pressao = 0, temperatura = 20, altitude = 0;
};

// What a calculation runs on: a state (the shared one, or for a thread of a
// schedule a copy of it) with the caches that go with that state.
struct Calculo {
    explicit Calculo(TEstado &estado) : g(estado) {}
    TEstado &g;
    int naMemoria = -1; // list position of the line now in g.Modelo
    // Messages as printed, by message text (see TextoImpresso).
    QHash<QString, QString> feitos[2];
    // Where the messages go: standard error, or appended here (UTF-8).
    std::string *avisos = nullptr;
};

// The air of a duty: its density, and that of air at 20 °C at its altitude
// (the size grid's reference). Worked out once for all the lines a duty is
// computed on.
struct Ar {
    double densidade = 0, rho20 = 0;
};

Ar ArDoPonto(const Ponto &pt) { return {DensidadeDoAr(pt.temperatura, pt.altitude), DensidadeRef(pt.altitude)}; }

// A calculation message as printed: the terminal's line breaks, and only its
// first line when 'curto'. The few message texts are worked out once each.
const QString &TextoImpresso(Calculo &k, const QString &texto, bool curto) {
    QHash<QString, QString> &feitos = k.feitos[curto];
    auto it = feitos.constFind(texto);
    if (it == feitos.cend()) {
        QString t = TextoDoAviso(texto);
        if (curto)
            t = t.section(QLatin1Char('\n'), 0, 0);
        it = feitos.insert(texto, t);
    }
    return *it;
}

// Full calculation of line p for the duty of that density on k's state; messages to
// standard error (or k.avisos), with 'antes' and, when 'comCodigo', the
// line's code and ": " before each, and only the first line of each when
// 'curto'.
TFimCalculo Calcula(Calculo &k, const Catalogo &c, int p, const Ponto &pt, double densidade, const QString &antes,
                    bool comCodigo, bool curto) {
    TEstado &g = k.g;
    g.TempDens = pt.temperatura;
    g.AltDens = pt.altitude;
    g.Densidade = densidade;
    g.VazaoCalc = pt.vazao;
    g.PressaoCalc = pt.pressao;
    g.ModeloCalc = p;
    g.SoTamanho = false;
    if (k.naMemoria != p) {
        g.Modelo = c.modelos[static_cast<std::size_t>(p)];
        k.naMemoria = p;
    }
    return CalculaModeloCarregado(g, [&](AvisoCalculo tipo, const QString &texto, int i) {
        QString t = TextoImpresso(k, texto, curto);
        if (tipo == AvisoCalculo::SemEspectro && i >= 1 && i <= 23)
            t = QStringLiteral("tamanho %1: ").arg(Tamanhos[i]) + t;
        const QString m = antes + (comCodigo ? Codigo(c, p) + QStringLiteral(": ") : QString()) + t + QLatin1Char('\n');
        if (k.avisos) {
            const QByteArray b = m.toUtf8();
            k.avisos->append(b.constData(), static_cast<std::size_t>(b.size()));
        }
        else
            Erro(m);
    });
}

// The energy figures of a size; null where there are none.
void EnergiaJson(Objeto &o, const TEficiencia &e) {
    const bool v = e.Valida;
    auto n = [&](const char *nome, double x, bool ha = true) {
        if (v && ha)
            o.n(nome, x);
        else
            o.bruto(nome, "null");
    };
    auto atende = [&](const char *nome, ResultadoUE a) {
        if (!v || a == ResultadoUE::SemDados)
            o.bruto(nome, "null");
        else
            o.b(nome, a != ResultadoUE::NaoAtende);
    };
    const bool tipo = v && e.UE.Definido;
    n("FEI", e.FEI);
    n("FEIEstatico", e.FEIEstatico);
    n("RendTransmissao", e.RendTransmissao);
    n("RendMotor", e.RendMotor);
    n("PotEletrica", e.PotEletrica);
    n("RendMinUE", e.UE.Minimo, tipo && e.UE.NoEscopo);
    n("RendUE", e.RendUE, tipo);
    if (tipo) {
        o.s("TipoUE", CodigoTipoUE(e.Tipo)).s("CategoriaUE", QString(QLatin1Char(e.Categoria)));
    } else {
        o.bruto("TipoUE", "null").bruto("CategoriaUE", "null");
    }
    n("NUE", e.UE.N, tipo);
    if (tipo)
        o.b("EscopoUE", e.UE.NoEscopo);
    else
        o.bruto("EscopoUE", "null");
    atende("AtendeUE", e.AtendeUE);
    n("RendMinUE2011", e.UE2011.Minimo, tipo && e.UE2011.NoEscopo);
    atende("AtendeUE2011", e.AtendeUE2011);
    n("ConsumoAnual", e.ConsumoAnual);
    n("CustoAnual", e.CustoAnual);
}

std::string TamanhoJson(const TResultadoGrade &r, int i, const TEficiencia *energia = nullptr) {
    Objeto o;
    o
        .i("Tamanho", Tamanhos[i])
        .i("Indice", i)
        .s("ArranjosTam", r.ArranjosTam[i])
        .n("Velocidade", r.Velocidade[i])
        .n("PTotalPadrao", r.PTotalPadrao[i])
        .n("PTotalReal", r.PTotalReal[i])
        .n("X", r.X[i])
        .n("Y", r.Y[i])
        .n("RotBase", r.RotBase[i])
        .n("RotacaoTam", r.RotacaoTam[i])
        .n("RotMaxArr", r.RotMaxArr[i])
        .n("DescontoRend", r.DescontoRend[i])
        .n("RendTam", r.RendTam[i])
        .n("PotOpTam", r.PotOpTam[i])
        .n("PotPadraoTam", r.PotPadraoTam[i])
        .n("PotMotorTam", r.PotMotorTam[i])
        .n("LwTotTam", r.LwTotTam[i])
        .n("LwATam", r.LwATam[i])
        .i("IndEspectroTam", r.IndEspectroTam[i])
        .i("MotorTam", r.MotorTam[i])
        .i("PolosTam", r.PolosTam[i]);
    if (energia)
        EnergiaJson(o, *energia);
    return o.texto();
}

// ---------------------------------------------------------------------------
// Text output: the columns of the size grid with their display formats.

struct Coluna {
    const char *linha1, *linha2;
    int largura;
};

const Coluna Colunas[] = {
    {"", "", 5},          // size, headed by the line code
    {"Arr", "", 10},
    {"N", "rpm", 6},
    {"c", "m/s", 6},
    {"vp", "m/s", 6},
    {"pt 20º", "mmCA", 8},
    {"n", "%", 4},
    {"Pw(op)", "kW", 8},
    {"Pw 20º", "kW", 8},
    {"Pm", "kW", 8},
    {"", "", 3},          // size index
    {"LwA", "dB(A)", 6},
};
constexpr int NumColunas = static_cast<int>(std::size(Colunas));

// The single line's table adds the energy columns after the grid's.
const Coluna ColunasEnergia[] = {
    {"FEI", "", 5},
    {"UE", "", 3},
};

int Largura(int k) { return k < NumColunas ? Colunas[k].largura : ColunasEnergia[k - NumColunas].largura; }

QStringList CelulasEnergia(const TEficiencia &e) {
    if (!e.Valida)
        return {QStringLiteral("–"), QStringLiteral("–")};
    return {Fixo(e.FEI, 2), MarcaUE(e.AtendeUE)};
}

QString Linha(const QStringList &celulas, const QString &marca) {
    QString t = marca;
    for (int k = 0; k < celulas.size(); ++k) {
        const int w = Largura(k);
        t += QLatin1Char(' ');
        t += k == 1 ? celulas[k].leftJustified(w) : celulas[k].rightJustified(w);
    }
    return t + QLatin1Char('\n');
}

// Appends 'texto' padded with spaces to 'largura' characters, on the left
// (a right-justified cell) or on the right; never cut.
void Justificado(std::string &t, const char *texto, std::size_t n, int largura, bool aDireita) {
    const std::size_t falta = n < static_cast<std::size_t>(largura) ? largura - n : 0;
    if (aDireita)
        t.append(falta, ' ');
    t.append(texto, n);
    if (!aDireita)
        t.append(falta, ' ');
}

void Justificado(std::string &t, const QString &texto, int largura, bool aDireita) {
    const QByteArray j = (aDireita ? texto.rightJustified(largura) : texto.leftJustified(largura)).toUtf8();
    t.append(j.constData(), static_cast<std::size_t>(j.size()));
}

// v with 'casas' (0 to 2) decimals, exactly as QString::number(v, 'f', casas)
// writes it: the decimal value of the double rounded half away from zero.
// For a double below 10^15, v × 10^casas is exact in the 64-bit significand
// of extended precision; other values go through QString::number itself.
qsizetype FixoEm(char *buf, double v, int casas) {
    static_assert(std::numeric_limits<long double>::digits >= 64);
    const long double y = static_cast<long double>(v) * (casas == 0 ? 1 : casas == 1 ? 10 : 100);
    const long double piso = std::floor(y);
    const std::uint64_t n = static_cast<std::uint64_t>(piso) + (y - piso >= 0.5L ? 1 : 0);
    std::uint64_t divisor = casas == 0 ? 1 : casas == 1 ? 10 : 100;
    char *p = std::to_chars(buf, buf + 24, n / divisor).ptr;
    if (casas > 0) {
        *p++ = '.';
        std::uint64_t resto = n % divisor;
        for (int k = casas - 1; k >= 0; --k) {
            p[k] = static_cast<char>('0' + resto % 10);
            resto /= 10;
        }
        p += casas;
    }
    return p - buf;
}

void FixoJustificado(std::string &t, double v, int casas, int largura) {
    if (std::isfinite(v) && !std::signbit(v) && v < 1e15 && casas >= 0 && casas <= 2) {
        char buf[32];
        Justificado(t, buf, static_cast<std::size_t>(FixoEm(buf, v, casas)), largura, true);
    } else {
        Justificado(t, Fixo(v, casas), largura, true);
    }
}

void InteiroJustificado(std::string &t, long long v, int largura) {
    char buf[24];
    Justificado(t, buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf), largura, true);
}

// One data row of the size grid, the cells with their display formats
// (the format of Linha), after 'marca'; then the cells of 'mais' (the energy
// columns).
void AcrescentaLinha(std::string &t, const TLinhaGrade &l, const char *marca, const QStringList &mais = {}) {
    auto w = [](int k) { return Colunas[k].largura; };
    t += marca;
    t += ' ';
    InteiroJustificado(t, l.Tamanho, w(0));
    t += ' ';
    bool ascii = true;
    for (QChar ch : l.Arranjos)
        ascii = ascii && ch.unicode() < 0x80;
    if (ascii) {
        for (QChar ch : l.Arranjos)
            t += static_cast<char>(ch.unicode());
        t.append(static_cast<std::size_t>(std::max<qsizetype>(0, w(1) - l.Arranjos.size())), ' ');
    } else {
        Justificado(t, l.Arranjos, w(1), false);
    }
    const struct {
        double v;
        int casas;
    } numeros[] = {{l.Rotacao, 0}, {l.Velocidade, 1}, {l.VelPeriferica, 1}, {l.PTotal20, 1},
                   {l.Rendimento, 0}, {l.PotOp, 2}, {l.Pot20, 2}, {l.PotMotor, 2}};
    for (int k = 0; k < 8; ++k) {
        t += ' ';
        FixoJustificado(t, numeros[k].v, numeros[k].casas, w(k + 2));
    }
    t += ' ';
    InteiroJustificado(t, l.Indice, w(10));
    t += ' ';
    FixoJustificado(t, l.LwA, 0, w(11));
    for (int k = 0; k < mais.size(); ++k) {
        t += ' ';
        Justificado(t, mais[k], Largura(NumColunas + k), true);
    }
    t += '\n';
}

QString Cabecalho(const QString &codigo, const QString &antes = {}, bool energia = false) {
    QStringList l1, l2;
    for (const Coluna &c : Colunas) {
        l1 << QString::fromUtf8(c.linha1);
        l2 << QString::fromUtf8(c.linha2);
    }
    if (energia)
        for (const Coluna &c : ColunasEnergia) {
            l1 << QString::fromUtf8(c.linha1);
            l2 << QString::fromUtf8(c.linha2);
        }
    l1[0] = codigo;
    return Linha(l1, antes + QStringLiteral("  ")) + Linha(l2, QString(antes.size() + 2, QLatin1Char(' ')));
}

// ---------------------------------------------------------------------------
// Options

enum class Ordem { Tamanho, FEI, Potencia, Custo };

struct Opcoes {
    QString linha, dados, curva, lote;
    QString preferencias; // the folder of the user's preferences as given; empty: the user's
    bool todas = false, json = false;
    Ponto ponto;
    std::optional<double> feiMin, horas, tarifa;
    Ordem ordem = Ordem::Tamanho;
    // Fans in parallel sharing the duty, and where the sound is reckoned
    // (the preferences' values unless given).
    int ventiladores = 1;
    std::optional<double> distancia, q;
    // The duty of one of the fans.
    Ponto PorVentilador() const {
        Ponto p = ponto;
        p.vazao /= ventiladores;
        return p;
    }
};

// Reads a numeric option; false (with a message) when missing or not a number.
bool LeNumero(QStringList &args, const char *nome, bool obrigatoria, double &valor) {
    const QString chave = QStringLiteral("--") + QLatin1String(nome);
    if (!args.contains(chave)) {
        if (!obrigatoria)
            return true;
        Erro(QStringLiteral("Falta a opção %1.\n").arg(chave));
        return false;
    }
    const QString texto = Opcao(args, chave);
    const auto v = Numero(texto);
    if (!v) {
        Erro(QStringLiteral("O valor de %1 não é um número: \"%2\".\n").arg(chave, texto));
        return false;
    }
    valor = *v;
    return true;
}

// Duty checks shared by the options and the schedule rows; the problem, or empty.
QString ProblemaDoPonto(const Ponto &p) {
    if (p.vazao <= 0)
        return QStringLiteral("a vazão deve ser maior que zero");
    if (p.pressao < 0)
        return QStringLiteral("a pressão não pode ser negativa");
    if (p.temperatura <= -273)
        return QStringLiteral("a temperatura deve ser maior que -273 °C");
    return {};
}

bool LeOpcoes(QStringList args, Opcoes &o) {
    o.json = Chave(args, QStringLiteral("--json"));
    o.todas = Chave(args, QStringLiteral("--todas"));
    auto texto = [&](const char *nome, QString &destino) {
        const QString chave = QStringLiteral("--") + QLatin1String(nome);
        if (!args.contains(chave))
            return true;
        destino = Opcao(args, chave);
        if (destino.trimmed().isEmpty()) {
            Erro(QStringLiteral("Falta o valor de %1.\n").arg(chave));
            return false;
        }
        return true;
    };
    if (!texto("linha", o.linha) || !texto("dados", o.dados) || !texto("curva", o.curva) || !texto("lote", o.lote))
        return false;
    if (o.todas == !o.linha.isEmpty()) {
        Erro(o.todas ? QStringLiteral("Use --linha ou --todas, não as duas.\n")
                     : QStringLiteral("Falta a opção --linha (ou --todas).\n"));
        return false;
    }
    if (!o.curva.isEmpty() && (o.todas || !o.lote.isEmpty())) {
        Erro(QStringLiteral("--curva vale para uma linha (--linha) e um ponto de operação.\n"));
        return false;
    }
    // The energy figures: the size listing of a line, and the best size of each line.
    const bool soLinha = o.todas || !o.lote.isEmpty() || !o.curva.isEmpty();
    const bool semEnergia = !o.lote.isEmpty() || !o.curva.isEmpty();
    for (const auto &[nome, destino, proibida] :
         {std::tuple{"fei-min", &o.feiMin, soLinha}, std::tuple{"horas", &o.horas, semEnergia},
          std::tuple{"tarifa", &o.tarifa, semEnergia}}) {
        const QString chave = QStringLiteral("--") + QLatin1String(nome);
        if (!args.contains(chave))
            continue;
        if (proibida) {
            Erro(QStringLiteral("%1 não vale com %2.\n")
                     .arg(chave, !o.lote.isEmpty() ? QStringLiteral("--lote")
                                 : !o.curva.isEmpty() ? QStringLiteral("--curva")
                                                      : QStringLiteral("--todas")));
            return false;
        }
        double v = 0;
        if (!LeNumero(args, nome, true, v))
            return false;
        *destino = v;
    }
    if (args.contains(QStringLiteral("--ordem"))) {
        const QString ordem = Opcao(args, QStringLiteral("--ordem"));
        if (soLinha) {
            Erro(QStringLiteral("--ordem vale para os tamanhos de uma linha (--linha).\n"));
            return false;
        }
        if (ordem == QLatin1String("fei"))
            o.ordem = Ordem::FEI;
        else if (ordem == QLatin1String("potencia"))
            o.ordem = Ordem::Potencia;
        else if (ordem == QLatin1String("custo"))
            o.ordem = Ordem::Custo;
        else {
            Erro(QStringLiteral("--ordem: \"%1\" não é fei, potencia nem custo.\n").arg(ordem));
            return false;
        }
    }
    if (o.lote.isEmpty()) {
        if (!LeNumero(args, "vazao", true, o.ponto.vazao) || !LeNumero(args, "pressao", true, o.ponto.pressao) ||
            !LeNumero(args, "temperatura", false, o.ponto.temperatura) ||
            !LeNumero(args, "altitude", false, o.ponto.altitude))
            return false;
        const QString problema = ProblemaDoPonto(o.ponto);
        if (!problema.isEmpty()) {
            Erro(QStringLiteral("Entrada inválida: %1.\n").arg(problema));
            return false;
        }
    }
    const bool sistema = args.contains(QStringLiteral("--ventiladores")) ||
                         args.contains(QStringLiteral("--distancia")) || args.contains(QStringLiteral("--q"));
    if (sistema && !o.lote.isEmpty()) {
        Erro(QStringLiteral("--ventiladores, --distancia e --q valem para um ponto de operação, não para --lote.\n"));
        return false;
    }
    for (const auto &[nome, destino] : {std::pair{"distancia", &o.distancia}, {"q", &o.q}}) {
        double v = 0;
        if (!args.contains(QStringLiteral("--") + QLatin1String(nome)))
            continue;
        if (!LeNumero(args, nome, true, v))
            return false;
        *destino = v;
    }
    double n = 1;
    if (!LeNumero(args, "ventiladores", false, n))
        return false;
    if (n != std::trunc(n) || n < 1 || n > MaxVentiladores) {
        Erro(QStringLiteral("Entrada inválida: o número de ventiladores deve ser de 1 a %1.\n").arg(MaxVentiladores));
        return false;
    }
    o.ventiladores = static_cast<int>(n);
    if (!args.isEmpty()) {
        Erro(QStringLiteral("Opção desconhecida: %1\nUso:\n%2\n").arg(args.first(), QString::fromUtf8(Uso)));
        return false;
    }
    // --dados names one folder for the catalogue and the preferences.
    o.preferencias = o.dados;
    if (o.dados.isEmpty())
        o.dados = DirCatalogoPadrao();
    return true;
}

// ---------------------------------------------------------------------------
// Energy figures

// The catalogue's energy data and the running-cost basis.
struct Energia {
    TEnergiaCatalogo catalogo;
    TPreferencias prefs;
};

// Reads them from the catalogue and the user's data folder (one folder with
// --dados), the command line's hours, tariff, distance and directivity over
// the preferences. False, with a message, when a file is damaged or a value
// out of range.
bool AbreEnergia(const Opcoes &o, Energia &en) {
    QString erro;
    const QString dirPreferencias = o.preferencias.isEmpty() ? DirDadosPadrao() : o.preferencias;
    if (!CarregaEnergia(o.dados, en.catalogo, &erro) || !CarregaPreferencias(dirPreferencias, en.prefs, &erro)) {
        Erro(erro + QLatin1Char('\n'));
        return false;
    }
    if (o.horas)
        en.prefs.HorasAno = *o.horas;
    if (o.tarifa)
        en.prefs.Tarifa = *o.tarifa;
    if (o.distancia)
        en.prefs.Distancia = *o.distancia;
    if (o.q)
        en.prefs.Diretividade = *o.q == std::trunc(*o.q) && std::abs(*o.q) < 100 ? static_cast<int>(*o.q) : 0;
    const QString problema = ValidaPreferencias(en.prefs);
    if (!problema.isEmpty()) {
        Erro(QStringLiteral("Entrada inválida: %1.\n").arg(problema));
        return false;
    }
    const bool precisa = o.feiMin || o.ordem == Ordem::FEI || o.ordem == Ordem::Custo;
    if (precisa && en.catalogo.vazio()) {
        Erro(QStringLiteral("Não há dados de eficiência (%1) em \"%2\" para --fei-min ou --ordem.\n")
                 .arg(QString::fromLatin1(ArqEnergia), o.dados));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// One line

struct TamanhoEnergia {
    int i = 0;
    TEficiencia e;
};

// The qualifying sizes with their figures, filtered and ordered as asked.
std::vector<TamanhoEnergia> TamanhosDaLinha(const TResultadoGrade &r, const TBaseEnergia &base, const Opcoes &o) {
    const TEstado &g = G();
    std::vector<TamanhoEnergia> v;
    for (int i = 1; i <= 23; ++i)
        if (r.Qualificado[i])
            v.push_back({i, EficienciaDoTamanho(r, i, g.Modelo, g.Densidade, false, base)});
    if (o.feiMin)
        std::erase_if(v, [&](const TamanhoEnergia &t) { return !(t.e.Valida && t.e.FEI >= *o.feiMin); });
    // Sizes without figures last; ties in size order.
    auto chave = [&](const TamanhoEnergia &t) {
        switch (o.ordem) {
        case Ordem::FEI: return t.e.Valida ? -t.e.FEI : HUGE_VAL;
        case Ordem::Potencia: return r.PotOpTam[t.i];
        case Ordem::Custo: return t.e.Valida ? t.e.CustoAnual : HUGE_VAL;
        default: return static_cast<double>(t.i);
        }
    };
    std::stable_sort(v.begin(), v.end(),
                     [&](const TamanhoEnergia &a, const TamanhoEnergia &b) { return chave(a) < chave(b); });
    return v;
}

// A size's fields and energy figures with the sound and warnings of its
// figures after them.
std::string TamanhoComFiguras(const TResultadoGrade &r, const TamanhoEnergia &t, const TFiguras &f) {
    std::string s = TamanhoJson(r, t.i, &t.e);
    const std::string extra = FigurasDoTamanhoJson(f).dump();
    s.pop_back();
    return s + "," + extra.substr(1);
}

int UmaLinha(const Catalogo &c, int p, const Opcoes &o, const Energia &en) {
    const Ponto duty = o.PorVentilador();
    Calculo k(G());
    const TFimCalculo fim = Calcula(k, c, p, duty, ArDoPonto(duty).densidade, {}, false, false);
    if (!fim.Concluido)
        return 1;
    const TEstado &g = G();
    const TResultadoGrade &r = g.Resultado;
    const int destaque = TamanhoDestaque(r);
    const double rho20 = DensidadeRef(o.ponto.altitude);
    const std::vector<TamanhoEnergia> lista = TamanhosDaLinha(r, BaseDaLinha(en.catalogo, Codigo(c, p), en.prefs), o);
    int status = 0;
    if (lista.empty()) {
        Erro(QStringLiteral("Nenhum tamanho com FEI de pelo menos %1.\n").arg(*o.feiMin));
        status = 1;
    }
    std::vector<TFiguras> figuras; // in the order of the list
    for (const TamanhoEnergia &t : lista)
        figuras.push_back(FigurasDoTamanho(g.Modelo, r, t.i, duty.vazao, g.Densidade, o.ventiladores, 0, en.prefs));
    if (o.json) {
        std::vector<std::string> tams;
        for (std::size_t k = 0; k < lista.size(); ++k)
            tams.push_back(TamanhoComFiguras(r, lista[k], figuras[k]));
        Objeto obj;
        obj.s("Linha", Codigo(c, p))
            .n("Vazao", o.ponto.vazao)
            .n("Pressao", o.ponto.pressao)
            .n("HorasAno", en.prefs.HorasAno)
            .n("Tarifa", en.prefs.Tarifa)
            .n("Densidade", g.Densidade)
            .i("Ventiladores", o.ventiladores)
            .n("VazaoEntrada", r.VazaoEntrada)
            .n("PressaoPadrao", r.PressaoPadrao)
            .i("NumQualificados", r.NumQualificados);
        if (destaque)
            obj.i("Destaque", Tamanhos[destaque]);
        else
            obj.bruto("Destaque", "null");
        obj.bruto("Tamanhos", Lista(tams));
        Saida(QString::fromStdString(obj.texto()) + QLatin1Char('\n'));
        return status;
    }
    QString t = QStringLiteral("%1\nVazão %2 m³/h, pressão estática %3 mmCA, %4 °C, %5 m: densidade %6 kg/m³\n")
                    .arg(c.lista.at(p), Fixo(o.ponto.vazao, 0), Fixo(o.ponto.pressao, 1),
                         Fixo(o.ponto.temperatura, 0), Fixo(o.ponto.altitude, 0), Fixo(g.Densidade, 3));
    if (o.ventiladores > 1)
        t += QStringLiteral("%1 ventiladores em paralelo: %2 m³/h cada\n").arg(o.ventiladores).arg(Fixo(duty.vazao, 0));
    t += QLatin1Char('\n') + Cabecalho(Codigo(c, p), {}, true);
    std::string linhas;
    QString avisos;
    for (std::size_t k = 0; k < lista.size(); ++k) {
        const TamanhoEnergia &s = lista[k];
        AcrescentaLinha(linhas, LinhaDaGrade(r, s.i, rho20), s.i == destaque ? "* " : "  ", CelulasEnergia(s.e));
        if (!figuras[k].Avisos.isEmpty())
            avisos += QStringLiteral("  %1: %2\n").arg(Tamanhos[s.i]).arg(TextoDosAvisos(figuras[k]).replace(
                          QLatin1Char('\n'), QStringLiteral("\n        ")));
    }
    t += QString::fromStdString(linhas);
    t += QStringLiteral("\n* o mais eficiente\n"
                        "FEI: índice de energia do ventilador (AMCA 208, pressão total); UE: rendimento mínimo do\n"
                        "Regulamento (UE) 2024/1834 (✓ atende, ✗ não atende, – fora do escopo ou sem dados)\n");
    if (!avisos.isEmpty())
        t += QStringLiteral("\nAvisos (ruído a %1 m, Q = %2):\n").arg(NumeroGeral(en.prefs.Distancia, QLocale::c()))
                 .arg(en.prefs.Diretividade) +
             avisos;
    Saida(t);
    return status;
}

// ---------------------------------------------------------------------------
// Chart data

std::string ListaInt(const Faixa<std::int32_t, 0, 10> &v) {
    std::vector<std::string> t;
    for (int k = 0; k <= 10; ++k)
        t.push_back(std::to_string(v[k]));
    return Lista(t);
}

int Curva(const Catalogo &c, int p, const Opcoes &o) {
    bool numero = false;
    const int tamanho = o.curva.trimmed().toInt(&numero);
    const int i = numero ? IndiceDoTamanho(tamanho) : 0;
    if (i == 0) {
        Erro(QStringLiteral("Tamanho inválido: \"%1\" (use o diâmetro em mm, como 630).\n").arg(o.curva));
        return 1;
    }
    Calculo k(G());
    const Ponto duty = o.PorVentilador();
    const TFimCalculo fim = Calcula(k, c, p, duty, ArDoPonto(duty).densidade, {}, false, false);
    if (!fim.Concluido)
        return 1;
    TEstado &g = G();
    if (!g.Resultado.Qualificado[i]) {
        Erro(QStringLiteral("O tamanho %1 da linha %2 não atende a este ponto de operação.\n")
                 .arg(tamanho)
                 .arg(Codigo(c, p)));
        return 1;
    }
    DefineCurva(EntradaDaGrade(g.Modelo, g.Resultado, i, g.VazaoCalc, g.Densidade));
    const TEntradaCurva &e = g.Curva;
    const TDadosCurva &d = g.DadosCurva;
    std::vector<std::string> vazao, pressao, rend;
    for (int k = 0; k <= 10; ++k) {
        std::vector<std::string> vq, vp;
        for (int j = 1; j <= 7; ++j) {
            vq.push_back(std::to_string(d.VazaoCurva[k][j]));
            vp.push_back(J(d.PressaoCurva[k][j]));
        }
        vazao.push_back(Lista(vq));
        pressao.push_back(Lista(vp));
    }
    for (int j = 1; j <= 7; ++j)
        rend.push_back(J(d.RendCurva[j]));
    const std::string entrada = Objeto()
                                    .i("CurvaDiametro", e.CurvaDiametro)
                                    .n("CurvaFatorRot", e.CurvaFatorRot)
                                    .i("CurvaRotacao", e.CurvaRotacao)
                                    .i("CurvaRotMax", e.CurvaRotMax)
                                    .i("CurvaVelPerifMin", e.CurvaVelPerifMin)
                                    .i("CurvaEntradas", e.CurvaEntradas)
                                    .n("CorrecaoRendSel", e.CorrecaoRendSel)
                                    .i("CurvaVazaoOp", e.CurvaVazaoOp)
                                    .n("CurvaPressaoOp", e.CurvaPressaoOp)
                                    .texto();
    const std::string obj = Objeto()
                                .s("Linha", Codigo(c, p))
                                .i("Tamanho", tamanho)
                                .bruto("Entrada", entrada)
                                .bruto("RpmCurva", ListaInt(d.RpmCurva))
                                .bruto("RotCurva", ListaInt(d.RotCurva))
                                .bruto("VazaoCurva", Lista(vazao))
                                .bruto("PressaoCurva", Lista(pressao))
                                .bruto("RendCurva", Lista(rend))
                                .n("PressaoMaxCurva", d.PressaoMaxCurva)
                                .i("EscalaVazao", d.EscalaVazao)
                                .i("EscalaPressao", d.EscalaPressao)
                                .texto();
    Saida(QString::fromStdString(obj) + QLatin1Char('\n'));
    return 0;
}

// ---------------------------------------------------------------------------
// Several lines, several duties

struct Duty {
    QString tag, descricao;
    int qtd = 1;
    Ponto ponto;
};

// The most efficient size of line p for the duty as a row or JSON object.
struct Escolha {
    const QString *codigo = nullptr; // the catalogue's
    int posicao = 0;
    int qualificados = 0;
    int destaque = 0;     // size index, 0 none
    TLinhaGrade linha;
    std::string json;     // the size's fields
};

// With 'en' the size's energy figures go with its fields.
// 'json': also the size's fields as JSON (text output has no use for
// them), with 'en' its energy figures among them.
Escolha Escolhe(Calculo &k, const Catalogo &c, int p, const Ponto &pt, const Ar &ar, const QString &antes, bool json,
                const Energia *en = nullptr) {
    Escolha e;
    e.codigo = &Codigo(c, p);
    e.posicao = p;
    const TFimCalculo fim = Calcula(k, c, p, pt, ar.densidade, antes, true, true);
    if (!fim.Concluido)
        return e;
    const TEstado &g = k.g;
    const TResultadoGrade &r = g.Resultado;
    e.qualificados = r.NumQualificados;
    e.destaque = TamanhoDestaque(r);
    if (e.destaque) {
        e.linha = LinhaDaGrade(r, e.destaque, ar.rho20);
        if (json && en) {
            const TEficiencia f = EficienciaDoTamanho(r, e.destaque, g.Modelo, g.Densidade, false,
                                                      BaseDaLinha(en->catalogo, *e.codigo, en->prefs));
            e.json = TamanhoJson(r, e.destaque, &f);
        } else if (json) {
            e.json = TamanhoJson(r, e.destaque);
        }
    }
    return e;
}

std::string EscolhaJson(const Escolha &e) {
    Objeto o;
    o.s("Linha", *e.codigo).i("Posicao", e.posicao).i("NumQualificados", e.qualificados);
    if (e.destaque)
        o.i("Destaque", Tamanhos[e.destaque]).bruto("Tamanho", e.json);
    else
        o.bruto("Destaque", "null").bruto("Tamanho", "null");
    return o.texto();
}

// The start of a line's rows: its code in the column of the line (UTF-8).
std::string ColunaDoCodigo(const QString &codigo) {
    std::string t = "  ";
    Justificado(t, codigo, 5, false);
    return t;
}

// The row of e after 'codigo' (ColunaDoCodigo of its line).
void AcrescentaEscolha(std::string &t, const Escolha &e, const std::string &codigo) {
    t += codigo;
    if (e.destaque)
        AcrescentaLinha(t, e.linha, "");
    else
        t += "   nenhum tamanho atende\n";
}


std::vector<int> LinhasEscolhidas(const Catalogo &c, const Opcoes &o) {
    std::vector<int> ps;
    if (o.todas) {
        for (int p = 0; p < c.lista.size(); ++p)
            ps.push_back(p);
    } else {
        const int p = PosicaoDaLinha(c, o.linha);
        if (p >= 0)
            ps.push_back(p);
    }
    return ps;
}

int Todas(const Catalogo &c, const Opcoes &o, const Energia &en) {
    std::vector<Escolha> es;
    bool alguma = false;
    Calculo k(G());
    const Ponto duty = o.PorVentilador();
    const Ar ar = ArDoPonto(duty);
    for (int p = 0; p < c.lista.size(); ++p) {
        es.push_back(Escolhe(k, c, p, duty, ar, {}, o.json, o.json ? &en : nullptr));
        alguma = alguma || es.back().destaque != 0;
    }
    if (o.json) {
        std::vector<std::string> ls;
        for (const Escolha &e : es)
            ls.push_back(EscolhaJson(e));
        Saida(QString::fromStdString(Objeto().n("Densidade", G().Densidade).bruto("Linhas", Lista(ls)).texto()) +
              QLatin1Char('\n'));
    } else {
        QString t = QStringLiteral("Vazão %1 m³/h, pressão estática %2 mmCA, %3 °C, %4 m: densidade %5 kg/m³\n\n")
                        .arg(Fixo(o.ponto.vazao, 0), Fixo(o.ponto.pressao, 1), Fixo(o.ponto.temperatura, 0),
                             Fixo(o.ponto.altitude, 0), Fixo(G().Densidade, 3));
        t += Cabecalho(QStringLiteral("Tam."), QStringLiteral("Linha"));
        std::string linhas;
        for (const Escolha &e : es)
            AcrescentaEscolha(linhas, e, ColunaDoCodigo(*e.codigo));
        t += QString::fromStdString(linhas);
        Saida(t);
    }
    if (!alguma)
        Erro(QStringLiteral("Nenhuma linha atende a este ponto de operação.\n"));
    return alguma ? 0 : 1;
}

// ---------------------------------------------------------------------------
// Schedule of duties (CSV)

// Splits one CSV line; false when a quoted field is not closed. The
// characters between quotes and separators go into the field a run at a time.
bool Campos(QStringView linha, QChar sep, QStringList &campos) {
    campos.clear();
    campos.reserve(8);
    QString atual;
    bool aspas = false;
    qsizetype inicio = 0; // from here up to the character at hand: the field's as they are
    auto junta = [&](qsizetype ate) {
        if (ate > inicio)
            atual.append(linha.sliced(inicio, ate - inicio));
    };
    for (qsizetype k = 0; k < linha.size(); ++k) {
        const QChar ch = linha[k];
        if (ch == QLatin1Char('"')) {
            junta(k);
            if (aspas && k + 1 < linha.size() && linha[k + 1] == QLatin1Char('"')) {
                atual += ch; // a doubled quote between quotes: one quote
                ++k;
            } else {
                aspas = !aspas;
            }
            inicio = k + 1;
        } else if (ch == sep && !aspas) {
            junta(k);
            campos.append(std::move(atual));
            atual = QString();
            inicio = k + 1;
        }
    }
    junta(linha.size());
    campos.append(std::move(atual));
    return !aspas;
}

// Text of a schedule file: UTF-8, or Windows-1252 as spreadsheets save it.
QString TextoDoArquivo(const QByteArray &b) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString t = utf8.decode(b);
    if (utf8.hasError())
        t = DeWin1252(b);
    if (t.startsWith(QChar(0xFEFF)))
        t.remove(0, 1);
    return t;
}

// The duties of the file; malformed rows reported and skipped. False when
// the file cannot be read.
bool LeLote(const QString &arquivo, std::vector<Duty> &duties) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        Erro(QStringLiteral("Não foi possível abrir \"%1\": %2\n").arg(arquivo, f.errorString()));
        return false;
    }
    const QString texto = TextoDoArquivo(f.readAll());
    const QString nome = QFileInfo(arquivo).fileName();
    QChar sep;
    // The lines of the text, n counting from 0, each without its '\n'.
    qsizetype fim = -1;
    for (int n = 0; fim < texto.size(); ++n) {
        const qsizetype inicio = fim + 1;
        fim = texto.indexOf(QLatin1Char('\n'), inicio);
        if (fim < 0)
            fim = texto.size();
        QStringView l = QStringView(texto).sliced(inicio, fim - inicio);
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        if (l.trimmed().isEmpty())
            continue;
        if (sep.isNull()) { // header row: it tells the separator
            sep = l.contains(QLatin1Char(';')) ? QLatin1Char(';') : QLatin1Char(',');
            continue;
        }
        auto ruim = [&](const QString &motivo) {
            Erro(QStringLiteral("%1, linha %2: %3; linha ignorada.\n").arg(nome, QString::number(n + 1), motivo));
        };
        QStringList c;
        if (!Campos(l, sep, c)) {
            ruim(QStringLiteral("aspas não fechadas"));
            continue;
        }
        if (c.size() < 5 || c.size() > 7) {
            ruim(QStringLiteral("%1 colunas (esperadas de 5 a 7: tag, quantidade, descrição, vazão, pressão, "
                                "temperatura, altitude)")
                     .arg(c.size()));
            continue;
        }
        Duty d;
        d.tag = c[0].trimmed();
        d.descricao = c[2].trimmed();
        if (!c[1].trimmed().isEmpty()) {
            bool ok = false;
            d.qtd = c[1].trimmed().toInt(&ok);
            if (!ok || d.qtd < 1) {
                ruim(QStringLiteral("quantidade inválida: \"%1\"").arg(c[1].trimmed()));
                continue;
            }
        }
        struct {
            int coluna;
            const char *nome;
            bool obrigatorio;
            double *destino;
        } numeros[] = {{3, "vazão", true, &d.ponto.vazao},
                       {4, "pressão", true, &d.ponto.pressao},
                       {5, "temperatura", false, &d.ponto.temperatura},
                       {6, "altitude", false, &d.ponto.altitude}};
        bool ok = true;
        for (const auto &x : numeros) {
            const QString v = x.coluna < c.size() ? c[x.coluna].trimmed() : QString();
            if (v.isEmpty() && !x.obrigatorio)
                continue;
            const auto num = Numero(v);
            if (!num) {
                ruim(v.isEmpty() ? QStringLiteral("falta a %1").arg(QString::fromUtf8(x.nome))
                                 : QStringLiteral("%1 não numérica: \"%2\"").arg(QString::fromUtf8(x.nome), v));
                ok = false;
                break;
            }
            *x.destino = *num;
        }
        if (!ok)
            continue;
        const QString problema = ProblemaDoPonto(d.ponto);
        if (!problema.isEmpty()) {
            ruim(problema);
            continue;
        }
        duties.push_back(std::move(d));
    }
    return true;
}

// The columns of a schedule's row before the line's: tag, quantity, flow, pressure.
QString InicioDaLinha(const QString &tag, const QString &qtd, const QString &vazao, const QString &pressao) {
    return tag.left(10).leftJustified(10) + QLatin1Char(' ') + qtd.rightJustified(4) + QLatin1Char(' ') +
           vazao.rightJustified(9) + QLatin1Char(' ') + pressao.rightJustified(8) + QLatin1Char(' ');
}

// What the duties of a schedule are computed against, the same for all.
struct Programa {
    const Catalogo &c;
    const std::vector<int> &ps;          // the lines, in the order of the rows
    std::vector<std::string> codigos;    // ColunaDoCodigo of each of ps
    const std::vector<Duty> &duties;
    bool json = false;
};

// A run of consecutive duties of a schedule, computed on one thread: the
// rows (or JSON objects) and the messages of its duties, in order.
struct Trecho {
    std::size_t de = 0, ate = 0;     // duties [de, ate)
    std::string linhas;              // table rows, UTF-8
    std::vector<std::string> js;     // JSON objects
    std::string avisos;              // messages, UTF-8
    bool alguma = false;             // some duty got a size
};

// Computes the duties of t on k's state line by line, so that each line is
// brought into the state once, then writes them duty by duty, each with its
// lines in the order of the rows, as one duty after the other would.
void CalculaTrecho(Calculo &k, const Programa &pr, Trecho &t) {
    const std::size_t n = t.ate - t.de, np = pr.ps.size();
    std::vector<Ar> ar(n);
    std::vector<QString> antes(n);
    for (std::size_t j = 0; j < n; ++j) {
        const Duty &d = pr.duties[t.de + j];
        ar[j] = ArDoPonto(d.ponto);
        antes[j] = d.tag + QStringLiteral(" / ");
    }
    std::vector<Escolha> es(n * np);
    std::vector<std::string> avisos(n * np);
    for (std::size_t q = 0; q < np; ++q) {
        for (std::size_t j = 0; j < n; ++j) {
            k.avisos = &avisos[j * np + q];
            es[j * np + q] = Escolhe(k, pr.c, pr.ps[q], pr.duties[t.de + j].ponto, ar[j], antes[j], pr.json);
        }
    }
    k.avisos = nullptr;
    if (!pr.json)
        t.linhas.reserve(n * np * 150);
    for (std::size_t j = 0; j < n; ++j) {
        const Duty &d = pr.duties[t.de + j];
        const std::string colunas =
            pr.json ? std::string()
                    : InicioDaLinha(d.tag, QString::number(d.qtd), Fixo(d.ponto.vazao, 0), Fixo(d.ponto.pressao, 1))
                          .toStdString();
        for (std::size_t q = 0; q < np; ++q) {
            const Escolha &e = es[j * np + q];
            t.alguma = t.alguma || e.destaque != 0;
            t.avisos += avisos[j * np + q];
            if (pr.json) {
                t.js.push_back(Objeto()
                                   .s("Tag", d.tag)
                                   .i("Qtd", d.qtd)
                                   .s("Descricao", d.descricao)
                                   .n("Vazao", d.ponto.vazao)
                                   .n("Pressao", d.ponto.pressao)
                                   .n("Temperatura", d.ponto.temperatura)
                                   .n("Altitude", d.ponto.altitude)
                                   .n("Densidade", ar[j].densidade)
                                   .bruto("Selecao", EscolhaJson(e))
                                   .texto());
            } else {
                t.linhas += colunas;
                AcrescentaEscolha(t.linhas, e, pr.codigos[q]);
            }
        }
    }
}

// Duties of a schedule handed to a thread at a time.
constexpr std::size_t DutiesPorTrecho = 256;

int Lote(const Catalogo &c, const Opcoes &o) {
    // A schedule's messages can run to thousands of lines: written in blocks,
    // all before the table, as they were when each went out at once.
    static char blocoAvisos[1 << 16];
    std::setvbuf(stderr, blocoAvisos, _IOFBF, sizeof blocoAvisos);
    std::vector<Duty> duties;
    if (!LeLote(o.lote, duties))
        return 1;
    const std::vector<int> ps = LinhasEscolhidas(c, o);
    if (ps.empty())
        return 1;
    if (duties.empty()) {
        Erro(QStringLiteral("Nenhum ponto de operação válido em \"%1\".\n").arg(o.lote));
        return 1;
    }
    Programa pr{c, ps, {}, duties, o.json};
    for (int p : ps)
        pr.codigos.push_back(ColunaDoCodigo(Codigo(c, p)));

    // The duties are independent of one another: runs of them are computed
    // on every processor at once, each thread on its own copy of the state
    // as the catalogue left it, and written in the order of the file.
    std::vector<Trecho> trechos;
    for (std::size_t de = 0; de < duties.size(); de += DutiesPorTrecho) {
        Trecho &t = trechos.emplace_back();
        t.de = de;
        t.ate = std::min(de + DutiesPorTrecho, duties.size());
    }
    const std::size_t nThreads =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, trechos.size());
    std::vector<std::unique_ptr<TEstado>> estados;
    for (std::size_t k = 0; k < nThreads; ++k)
        estados.push_back(std::make_unique<TEstado>(G()));
    std::atomic<std::size_t> proximo{0};
    auto trabalha = [&](TEstado &estado) {
        Calculo k(estado);
        for (std::size_t i; (i = proximo.fetch_add(1)) < trechos.size();)
            CalculaTrecho(k, pr, trechos[i]);
    };
    std::vector<std::thread> threads;
    for (std::size_t k = 1; k < nThreads; ++k)
        threads.emplace_back(trabalha, std::ref(*estados[k]));
    trabalha(*estados[0]);
    for (std::thread &th : threads)
        th.join();

    bool alguma = false;
    for (const Trecho &t : trechos) {
        alguma = alguma || t.alguma;
        std::fwrite(t.avisos.data(), 1, t.avisos.size(), stderr);
    }
    std::fflush(stderr);
    if (o.json) {
        std::vector<std::string> js;
        js.reserve(duties.size() * ps.size());
        for (Trecho &t : trechos)
            for (std::string &j : t.js)
                js.push_back(std::move(j));
        Saida(QString::fromStdString(Lista(js)) + QLatin1Char('\n'));
    } else {
        const std::string cabecalho =
            Cabecalho(QStringLiteral("Tam."), InicioDaLinha(QStringLiteral("Tag"), QStringLiteral("Qtd"),
                                                           QStringLiteral("Vazão"), QStringLiteral("Pressão")) +
                                                  QStringLiteral("Linha"))
                .toStdString();
        SaidaUtf8(QByteArray::fromRawData(cabecalho.data(), static_cast<qsizetype>(cabecalho.size())));
        for (const Trecho &t : trechos)
            SaidaUtf8(QByteArray::fromRawData(t.linhas.data(), static_cast<qsizetype>(t.linhas.size())));
    }
    if (!alguma)
        Erro(QStringLiteral("Nenhum ponto de operação atendido.\n"));
    return alguma ? 0 : 1;
}

int Executa(const QStringList &args) {
    Opcoes o;
    if (!LeOpcoes(args, o))
        return 2;
    ResetaEstado();
    Catalogo c;
    if (!AbreCatalogo(o.dados, c))
        return 1;
    if (!o.lote.isEmpty())
        return Lote(c, o);
    Energia en;
    if (o.curva.isEmpty() && !AbreEnergia(o, en))
        return 1;
    if (o.todas)
        return Todas(c, o, en);
    const int p = PosicaoDaLinha(c, o.linha);
    if (p < 0)
        return 2;
    if (!o.curva.isEmpty())
        return Curva(c, p, o);
    return UmaLinha(c, p, o, en);
}

} // namespace

QUELLORA_CLI_COMANDO(selecao, "selecao", Uso, Executa);

} // namespace quellora::cli
