#include "proposal/proposta.h"

#include "catalogue/binario.h"
#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "catalogue/energia.h"
#include "pricing/condicoes.h"
#include "pricing/precos.h"
#include "selection/calculo.h"
#include "selection/eficiencia.h"
#include "selection/sistema.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "shell/preferencias.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

// Outside any namespace, as the resource initialiser requires.
static void RegistraLogotipo() { Q_INIT_RESOURCE(proposta); }

namespace quellora {

namespace {

// The maker's contact lines of the footer and the program's line.
const QString EmailVendas = QStringLiteral("vendas@quellora.ind.br");
const QString EmailFabrica = QStringLiteral("fabrica@quellora.ind.br");
const QString FoneFabricante = QStringLiteral("(11) 4525-7700");
const QString VersaoPrograma = QStringLiteral("Quellora - DBL 2003.01.13");

// 1/1.205: the stored 20 °C values are referred to standard air.
constexpr long double UmSobrePadrao = 0.8298755186721991701L;

// --- Values shared by the drawn page and the HTML ---------------------------

const char *const RotulosItem[7] = {"Item",      "Ref./TAG",  "Quantidade solicitada", "Descrição",
                                    "Ventilador modelo/tamanho", "Arranjo/Classe", "Posição"};

struct LinhaTecnica {
    const char *rotulo;
    const char *unidade;
    bool naReduzida; // kept in the reduced form
};

// Rows 7..23 of the operating point table; index 24 only widens the units.
const LinhaTecnica Tecnicas[18] = {
    {"Vazão de ar", "m³/h", true},
    {"Pressão total (op)", "mmCA", false},
    {"Pressão estática (op)", "mmCA", true},
    {"Temperatura de operação", "°C", true},
    {"Altitude", "m", true},
    {"Densidade do fluido", "kg/m³", false},
    {"Rotação", "1/min", true},
    {"Rotação máxima", "1/min", false},
    {"Velocidade de descarga", "m/s", true},
    {"Pressão estática a 20 °C", "mmCA", false},
    {"Pressão total a 20 °C", "mmCA", false},
    {"Potência absorvida a 20 °C", "kW", false},
    {"Potência absorvida (op)", "kW", true},
    {"Velocidade periférica", "m/s", false},
    {"Rendimento total", "%", true},
    {"Potência sonora total LwA", "dB (A)", true},
    {"Motor sugerido", "kW", true},
    {nullptr, "kW", false},
};
constexpr int PrimeiraTecnica = 7;
constexpr int UltimaTecnica = 23;

const LinhaTecnica &Tecnica(int linha) { return Tecnicas[linha - PrimeiraTecnica]; }

QString U(const char *texto) { return QString::fromUtf8(texto); }

// Characters that would end a value and start markup.
QString H(const QString &s) {
    QString r;
    r.reserve(s.size());
    for (QChar c : s) {
        switch (c.unicode()) {
        case '&': r += QLatin1String("&amp;"); break;
        case '<': r += QLatin1String("&lt;"); break;
        case '>': r += QLatin1String("&gt;"); break;
        case '"': r += QLatin1String("&quot;"); break;
        default: r += c;
        }
    }
    return r;
}

const TItemOrc &Item(int k) { return G().Itens[std::clamp(k, 1, 40)]; }

QString ValorItem(int linha, int k) {
    const TItemOrc &it = Item(k);
    switch (linha) {
    case 0: return QString::number(k);
    case 1: return it.RefTag;
    case 2: return QString::number(it.Qtd);
    case 3: return it.Descricao;
    case 4: return NomeLinha(it) + QLatin1Char(' ') + QString::number(it.Tamanho);
    case 5: return (it.Arranjo >= 0 && it.Arranjo <= 8) ? U(Arranjos[it.Arranjo]) : QString();
    default: return it.Posicao;
    }
}

// The drawn page brings the 20 °C rows to the item's altitude; the HTML
// prints them as stored.
QString ValorTecnico(int linha, const TItemOrc &it, bool naAltitude) {
    const long double rho = naAltitude ? UmSobrePadrao * static_cast<long double>(DensidadeRef(it.Altitude)) : 1.0L;
    auto a20 = [rho](double v) { return static_cast<double>(static_cast<long double>(v) * rho); };
    switch (linha) {
    case 7: return FormataFloat(QStringLiteral("0"), it.Direto ? it.VazaoDireto : it.Vazao);
    case 8: return FormataFloat(QStringLiteral("0.0"), it.PTotalOp);
    case 9: return FormataFloat(QStringLiteral("0.0"), it.Direto ? it.PressaoDireto : it.Pressao);
    case 10: return NumeroGeral(it.Temperatura);
    case 11: return NumeroGeral(it.Altitude);
    case 12: return FormataFloat(QStringLiteral("0.000"), it.DensidadeItem);
    case 13: return FormataFloat(QStringLiteral("0"), it.Rotacao);
    case 14: return FormataFloat(QStringLiteral("0"), it.RotMax);
    case 15: return FormataFloat(QStringLiteral("0.0"), it.VelDescarga);
    case 16: return FormataFloat(QStringLiteral("0.0"), a20(it.PEst20));
    case 17: return FormataFloat(QStringLiteral("0.0"), a20(it.PTotal20));
    case 18: return FormataFloat(QStringLiteral("0.00"), a20(it.Pot20));
    case 19: return FormataFloat(QStringLiteral("0.00"), it.PotOp);
    case 20: return FormataFloat(QStringLiteral("0.0"), it.VelPeriferica);
    case 21: return FormataFloat(QStringLiteral("0"), it.Rendimento);
    case 22: return FormataFloat(QStringLiteral("0"), it.LwA);
    default: return FormataFloat(QStringLiteral("0.00"), it.MotorSugerido);
    }
}

bool LinhaVisivel(int linha) { return !G().Proposta.Reduzida || Tecnica(linha).naReduzida; }

// Under the static pressure, the items whose flow and pressure are not the
// ones asked for but those their direct coupling gives at the motor's
// speed say so.
const QString MarcaAcoplamento = QStringLiteral("(no acoplamento direto)");

bool DeverDoAcoplamento(const TItemOrc &it) {
    return it.Direto && (ValorTecnico(7, it, false) != FormataFloat(QStringLiteral("0"), it.Vazao) ||
                         ValorTecnico(9, it, false) != FormataFloat(QStringLiteral("0.0"), it.Pressao));
}

bool AcoplamentoNaPagina() {
    const auto &pr = G().Proposta;
    for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
        if (DeverDoAcoplamento(Item(k)))
            return true;
    return false;
}

QString MarcaDoItem(const TItemOrc &it) { return DeverDoAcoplamento(it) ? MarcaAcoplamento : QString(); }

// Motor rows: 0 "Motor elétrico", 1 "kW/Polos", 2 "Tensão/Frequência".
QString ValorMotor(int linha, const TItemOrc &it) {
    if (!it.ComMotor)
        return QStringLiteral("-.-");
    if (it.SemMotor)
        return linha == 0 ? QStringLiteral("Sem motor") : QStringLiteral("-.-");
    QString v;
    if (linha == 0)
        v = it.Tensao.left(2) + QLatin1Char('/') + it.Protecao;
    else if (linha == 1)
        v = FormataFloat(QStringLiteral("0.00"), it.PotMotor) + QLatin1Char('/') + QString::number(it.Polos);
    else
        v = it.Tensao.mid(3, 7) + QLatin1Char('/') + it.Frequencia.left(2);
    if (it.MotorEspecial)
        v += QLatin1Char('*');
    return v;
}

bool AlgumComMotor() {
    const auto &g = G();
    for (int k = 1; k <= std::min(g.NumItens, 40); ++k)
        if (g.Itens[k].ComMotor)
            return true;
    return false;
}

bool AlgumComMotorNaPagina() {
    const auto &pr = G().Proposta;
    for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
        if (!Item(k).SemMotor)
            return true;
    return false;
}

// --- Energy efficiency ---------------------------------------------------------
// The figures of every item are recomputed from what the item stores, the
// catalogue's energy data and the running-cost preferences of the user's
// data folder. Without them (or with a damaged file) the values read "-.-".

struct EnergiaProposta {
    TEnergiaCatalogo catalogo;
    TPreferencias prefs;
};

EnergiaProposta CarregaEnergiaProposta() {
    EnergiaProposta e;
    const auto &g = G();
    if (!CarregaEnergia(g.DirCatalogo, e.catalogo) || !CarregaPreferencias(g.DirDados, e.prefs))
        e = EnergiaProposta{};
    return e;
}

const LinhaTecnica Energeticas[6] = {
    {"Índice FEI (AMCA 208)", "", true},
    {"Rendimento mínimo UE", "%", true},
    {"Rendimento global UE", "%", true},
    {"Atende UE 2024/1834", "", true},
    {"Consumo anual", "kWh", true},
    {"Custo anual", "R$", true},
};

QString TituloEnergia(const TPreferencias &p) {
    return U("Eficiência energética (%1 h/ano, R$ %2/kWh)")
        .arg(NumeroGeral(p.HorasAno), FormataFloat(QStringLiteral("0.00"), p.Tarifa));
}

QString ValorEnergia(int linha, const TItemOrc &it, const EnergiaProposta &en) {
    const TEficiencia e = EficienciaDoItem(it, en.catalogo, en.prefs);
    const QString nada = QStringLiteral("-.-");
    if (!e.Valida)
        return nada;
    const bool temUE = e.AtendeUE == ResultadoUE::Atende || e.AtendeUE == ResultadoUE::NaoAtende;
    switch (linha) {
    case 0: return FormataFloat(QStringLiteral("0.00"), e.FEI);
    case 1: return temUE ? FormataFloat(QStringLiteral("0.0"), e.UE.Minimo) : nada;
    case 2: return e.UE.Definido ? FormataFloat(QStringLiteral("0.0"), e.RendUE) : nada;
    case 3:
        if (e.AtendeUE == ResultadoUE::ForaDoEscopo)
            return U("isento");
        return temUE ? (e.AtendeUE == ResultadoUE::Atende ? U("Sim") : U("Não")) : nada;
    case 4: return FormataFloat(QStringLiteral(",0"), e.ConsumoAnual);
    default: return FormataFloat(QStringLiteral(",0.00"), e.CustoAnual);
    }
}

// Accessories that some item of the page has: catalogue ones (1..45) and
// the quotation's special ones (0..NumAcessEsp-1).
struct AcessNaPagina {
    std::array<bool, 46> catalogo{};
    std::array<bool, 10> especial{};
};

AcessNaPagina CalculaAcessNaPagina() {
    const auto &g = G();
    const auto &pr = g.Proposta;
    AcessNaPagina a;
    const int especiais = std::clamp(g.Orcamento.NumAcessEsp, 0, 10);
    for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k) {
        const TItemOrc &it = Item(k);
        for (int c = 1; c <= NumAcessorios; ++c)
            a.catalogo[static_cast<std::size_t>(c)] |= it.AcessSel[c];
        for (int j = 0; j < especiais; ++j)
            a.especial[static_cast<std::size_t>(j)] |= it.AcessEspPreco[j] != 0;
    }
    return a;
}

QString TextoAcessorio(const TItemOrc &it, int c) { return it.AcessSel[c] ? U("Incluso") : U("-"); }
QString TextoEspecial(const TItemOrc &it, int j) { return it.AcessEspPreco[j] != 0 ? U("Incluso") : U("-"); }

// Price factors of the quotation's ICMS choice, kept for the quotation total.
struct FatoresPreco {
    double FV = 0, FM = 0, DV = 1, DM = 1;
};

FatoresPreco TomaFatores() {
    auto &g = G();
    const TFatoresProposta p = FatoresProposta(g.Orcamento, g.Fatores);
    const FatoresPreco f{p.FatorV, p.FatorM, p.MultDescV, p.MultDescM};
    g.FatorVProposta = f.FV;
    g.FatorMProposta = f.FM;
    g.MultDescVProposta = f.DV;
    g.MultDescMProposta = f.DM;
    return f;
}

// Unit prices of an item. A fan or motor price that is a marker ("S.C.",
// "N.D.", "INC.") is shown as the marker and counts nothing.
struct PrecosItem {
    double ventilador = 0, motor = 0;
    QString marcaVentilador, marcaMotor;
};

PrecosItem Precos(const TItemOrc &it, const FatoresPreco &f) {
    PrecosItem p;
    p.marcaVentilador = MarcadorPreco(it.PrecoVent);
    p.marcaMotor = MarcadorPreco(it.PrecoMotor);
    if (p.marcaVentilador.isEmpty())
        p.ventilador = static_cast<double>(static_cast<long double>(it.PrecoVent) * f.FV * f.DV + it.PrecoAcess);
    if (p.marcaMotor.isEmpty())
        p.motor = static_cast<double>(static_cast<long double>(it.PrecoMotor) * f.FM * f.DM);
    return p;
}

QString Valor(double v) { return FormataFloat(QStringLiteral(",0.00"), v); }

// Rows of the price section: 0 fan + accessories, 1 motor, 2 unit total, 3 item total.
QString ValorPreco(int linha, const TItemOrc &it, const FatoresPreco &f) {
    const PrecosItem p = Precos(it, f);
    switch (linha) {
    case 0: return p.marcaVentilador.isEmpty() ? Valor(p.ventilador) : p.marcaVentilador;
    case 1:
        if (!p.marcaMotor.isEmpty())
            return p.marcaMotor;
        return it.PrecoMotor != 0 ? Valor(p.motor) : QStringLiteral("-.-");
    case 2: return p.marcaVentilador.isEmpty() ? Valor(p.ventilador + p.motor) : p.marcaVentilador;
    default:
        return p.marcaVentilador.isEmpty() ? Valor((p.ventilador + p.motor) * it.Qtd) : p.marcaVentilador;
    }
}
const char *const RotulosPreco[4] = {"Ventilador + acessórios", "Motor elétrico", "Total unitário",
                                     "Preço total do item"};

// Totals of the whole quotation: fans with accessories, motors.
std::pair<double, double> TotaisQuotacao(const FatoresPreco &f) {
    const auto &g = G();
    long double ger = 0, mot = 0;
    for (int k = 1; k <= std::min(g.NumItens, 40); ++k) {
        const PrecosItem p = Precos(g.Itens[k], f);
        ger += static_cast<long double>(p.ventilador) * g.Itens[k].Qtd;
        mot += static_cast<long double>(p.motor) * g.Itens[k].Qtd;
    }
    return {static_cast<double>(ger), static_cast<double>(mot)};
}

QString TextoEmbalagem(std::int32_t e) {
    if (e < 0)
        return QStringLiteral("sem embalagem");
    if (e == 0)
        return QStringLiteral("inclusa");
    return QString::number(e) + QStringLiteral("% acrescer");
}

int AliquotaICMS(const TFatores &f) {
    const int i = G().Orcamento.ICMS;
    return (i >= 1 && i <= 4) ? static_cast<int>(f.AliquotaICMS[i]) : 0;
}

bool TemObservacoes() {
    const auto &o = G().Orcamento;
    return !o.Obs1.trimmed().isEmpty() || !o.Obs2.trimmed().isEmpty();
}

QString DataOrcamento() {
    return DataParaDateTime(G().Orcamento.Data).toString(QStringLiteral("dd/MM/yyyy"));
}

// --- The fan in its system and the sound where people work ------------------

// What the figures of the items are worked out from: their lines' records
// from the catalogue and the preferences of the user's data folder (their
// defaults when it has none that can be read).
struct BaseFiguras {
    std::vector<TDadosModelo> modelos;
    TPreferencias pref;
};

BaseFiguras CarregaBaseFiguras() {
    const auto &g = G();
    BaseFiguras b;
    if (!LeTodosModelos(g.DirCatalogo, b.modelos))
        b.modelos.clear();
    if (!CarregaPreferencias(g.DirDados, b.pref))
        b.pref = TPreferencias{};
    return b;
}

// The system, sound and warnings of the page's items (index k − PrimeiroItem).
// An item not selected has none; one whose line is missing keeps its sound.
std::vector<TFiguras> FigurasDaPagina(const BaseFiguras &base) {
    const auto &pr = G().Proposta;
    static const TDadosModelo semLinha;
    std::vector<TFiguras> v;
    for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k) {
        const TItemOrc &it = Item(k);
        const TDadosModelo *m = &semLinha;
        for (const TDadosModelo &x : base.modelos)
            if (x.TemDados && !it.Linha.isEmpty() && x.Codigo.left(4) == it.Linha) {
                m = &x;
                break;
            }
        v.push_back(FigurasDoItem(it, *m, base.pref));
    }
    return v;
}

const TFiguras &FiguraDe(const std::vector<TFiguras> &f, int k) {
    static const TFiguras nenhuma;
    const auto i = static_cast<std::size_t>(k - G().Proposta.PrimeiroItem);
    return i < f.size() ? f[i] : nenhuma;
}

QString Inteiro(double v) { return FormataFloat(QStringLiteral("0"), v); }

// Workplace sound, one row closing the sound power rows: the A-weighted
// sound pressure at the preferences' distance and the exposure NR-15
// permits at it ("81 / 8h"). The page is full; the bands of A-weighted power
// and sound pressure are on the chart sheet.
QString RotuloRuidoLocal(const std::vector<TFiguras> &f) {
    double r = 1;
    for (const TFiguras &x : f)
        if (x.TemRuido) {
            r = x.Ruido.Distancia;
            break;
        }
    return U("LpA a %1 m / NR-15").arg(NumeroGeral(r));
}

// An exposure in few letters: "8h", "4h30", "45min", "não".
QString ExposicaoCurta(std::optional<int> minutos) {
    if (!minutos)
        return U("não");
    const int h = *minutos / 60, m = *minutos % 60;
    if (h == 0)
        return QStringLiteral("%1min").arg(m);
    return m == 0 ? QStringLiteral("%1h").arg(h) : QStringLiteral("%1h%2").arg(h).arg(m, 2, 10, QLatin1Char('0'));
}

QString ValorRuidoLocal(const TFiguras &f) {
    if (!f.TemRuido)
        return QStringLiteral("-.-");
    return Inteiro(f.Ruido.LpA) + QStringLiteral(" / ") + ExposicaoCurta(f.Ruido.Exposicao);
}

// The system rows of a page: which of them it shows.
struct LinhaSistema {
    const char *rotulo;
    const char *unidade;
    QString (*valor)(const TFiguras &, const TItemOrc &);
};

QString ValorOuNada(const TFiguras &f, double v) { return f.Valido ? Inteiro(v) : QStringLiteral("-.-"); }

// The warnings of an item in a few letters each, as its column has room for.
QString AvisosCurtos(const TFiguras &f) {
    if (!f.Valido)
        return QStringLiteral("-.-");
    static const std::pair<const char *, const char *> curtos[] = {
        {AvisoInstavel, "instável"}, {AvisoVelocidade, "veloc."}, {AvisoRotacao, "rotação"}, {AvisoRuido, "ruído"}};
    QStringList l;
    for (const auto &[codigo, curto] : curtos)
        if (f.Avisos.contains(QString::fromLatin1(codigo)))
            l << U(curto);
    return l.isEmpty() ? QStringLiteral("-") : l.join(QLatin1Char(' '));
}

const LinhaSistema LinhasSistema[] = {
    {"Ventiladores em paralelo", "",
     [](const TFiguras &f, const TItemOrc &) { return f.Valido ? QString::number(f.Sistema.Ventiladores) : U("-.-"); }},
    {"Vazão por ventilador", "m³/h",
     [](const TFiguras &f, const TItemOrc &it) { return ValorOuNada(f, VazaoDoVentilador(it)); }},
    {"Vazão total com um parado", "m³/h",
     [](const TFiguras &f, const TItemOrc &) {
         const TPontoSistema *p = f.Sistema.Com(f.Sistema.Ventiladores - 1);
         return p && p->Existe ? Inteiro(p->VazaoTotal) : U("-.-");
     }},
    {"Pressão fixa do sistema", "mmCA",
     [](const TFiguras &f, const TItemOrc &it) {
         return f.Valido ? FormataFloat(QStringLiteral("0.0"), it.PressaoFixa) : U("-.-");
     }},
};

// Rows 0..3 of LinhasSistema, then 4 for the warnings, that the page shows:
// the parallel rows when an item has more than one fan, the fixed pressure
// when one has it, the warnings when one has any. The page is full: no row
// goes in that says nothing.
std::vector<int> LinhasSistemaDaPagina(const std::vector<TFiguras> &f) {
    const auto &pr = G().Proposta;
    bool paralelo = false, fixa = false, avisos = false;
    for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k) {
        const TFiguras &x = FiguraDe(f, k);
        if (!x.Valido)
            continue;
        paralelo = paralelo || x.Sistema.Ventiladores > 1;
        fixa = fixa || Item(k).PressaoFixa > 0;
        avisos = avisos || !x.Avisos.isEmpty();
    }
    std::vector<int> l;
    for (int linha = 0; paralelo && linha < 3; ++linha)
        l.push_back(linha);
    if (fixa)
        l.push_back(3);
    if (avisos)
        l.push_back(4);
    return l;
}

QString RotuloSistema(int linha) { return linha < 4 ? U(LinhasSistema[linha].rotulo) : U("Avisos"); }
QString UnidadeSistema(int linha) { return linha < 4 ? U(LinhasSistema[linha].unidade) : QString(); }
QString ValorSistema(int linha, const TFiguras &f, const TItemOrc &it) {
    return linha < 4 ? LinhasSistema[linha].valor(f, it) : AvisosCurtos(f);
}

// --- Drawing ------------------------------------------------------------------

int Tam() { return Pagina().TamFonte; }

// Right edge of the page's n-th item column.
int FimColuna(int k) {
    const auto &pr = G().Proposta;
    return pr.ColItens + (k - pr.PrimeiroItem + 1) * pr.LargItem;
}

// A value at the right of its item column; what would run into the
// neighbouring column is cut short with an ellipsis.
void EscreveNaColuna(int k, const QString &texto) {
    const auto &pr = G().Proposta;
    const int largura = pr.LargItem - LarguraTexto(QStringLiteral(" "));
    QString t = texto;
    if (LarguraTexto(t) > largura && Pagina().Folha)
        t = QFontMetrics(Pagina().Folha->font(), Pagina().Folha->device()).elidedText(t, Qt::ElideRight, largura);
    Pagina().PosX = FimColuna(k);
    EscreveDireita(t, false);
}

void FimDeLinha() { Escreve(QString(), true); }

// A text for a column 'largura' wide in the current font: one line when it
// fits, else broken at a blank into two, the second cut short if need be.
QStringList EmDuasLinhas(const QString &texto, int largura) {
    if (LarguraTexto(texto) <= largura)
        return {texto};
    qsizetype corte = -1;
    for (qsizetype i = texto.indexOf(QLatin1Char(' ')); i > 0; i = texto.indexOf(QLatin1Char(' '), i + 1)) {
        if (LarguraTexto(texto.left(i)) > largura)
            break;
        corte = i;
    }
    if (corte < 0)
        return {texto};
    return {texto.left(corte), texto.mid(corte + 1).trimmed()};
}

// Device pixels per screen pixel: the page's small gaps, given in screen
// pixels, keep their size on paper.
int Escala() { return std::max(1, PixelsPorPolegada() / 96); }

// A rule, and below it the gap a rule leaves on the screen.
void Regua() {
    Separador();
    Pagina().PosY += 2 * (Escala() - 1);
}

const QColor CorFaixa(0xe8, 0xe8, 0xe8);

// A light band behind the line about to be written in the current font.
void Faixa() {
    auto &p = Pagina();
    if (p.Folha)
        p.Folha->fillRect(QRect(p.AreaPagina.Left - 2 * Escala(), p.PosY, p.AreaPagina.largura() + 4 * Escala(),
                                AlturaTexto(QString()) + 2),
                          CorFaixa);
}

void Titulo(const QString &texto) {
    FonteArial(Tam(), true);
    Faixa();
    EscreveEm(Pagina().AreaPagina.Left, texto, true);
    FonteArial(Tam());
}
void Titulo(const char *texto) { Titulo(U(texto)); }

void Layout() {
    auto &p = Pagina();
    auto &pr = G().Proposta;
    const Retangulo &a = p.AreaPagina;
    FonteArial(Tam());
    const int w = LarguraTexto(QStringLiteral("M"));
    pr.ColMeio = a.Left + (a.Right - a.Left) / 2;
    pr.ColUnidade = a.Left + (p.Imprimindo ? 16 : 18) * w;
    int unidades = 0;
    for (int l = PrimeiraTecnica; l <= UltimaTecnica + 1; ++l)
        unidades = std::max(unidades, LarguraTexto(U(Tecnica(l).unidade)));
    pr.ColItens = pr.ColUnidade + unidades;
    pr.LargItem = (p.Imprimindo ? 9 : 10) * w;
    // Five columns never run past the text area (an A4 sheet is narrower
    // than the letter sheet these widths were made for).
    pr.LargItem = std::min(pr.LargItem, (a.Right - pr.ColItens) / ItensPorPagina);
}

void DesenhaCabecalho() {
    const auto &o = G().Orcamento;
    const int esquerda = Pagina().AreaPagina.Left;
    const int meio = G().Proposta.ColMeio;
    Cabecalho();
    struct Linha {
        QString esquerda;
        const char *rotulo;
        QString valor;
    };
    const Linha linhas[6] = {
        {o.OperadorOrc[0], "Para: ", o.Cliente},
        {o.OperadorOrc[1], "Att: ", o.Contato},
        {o.OperadorOrc[2], "Fone/Fax: ", o.Fone.trimmed() + QLatin1Char('/') + o.Fax.trimmed()},
        {QStringLiteral("Fone/Fax: ") + o.OperadorOrc[3], "email: ", o.email},
        {o.OperadorOrc[4], "Ref: ", o.Projeto},
        {QStringLiteral("Contato: ") + o.OperadorOrc[5], nullptr, QString()},
    };
    for (int i = 0; i < 6; ++i) {
        FonteArial(Tam(), i == 0);
        EscreveEm(esquerda, linhas[i].esquerda, false);
        if (linhas[i].rotulo) {
            FonteArial(Tam(), true);
            EscreveEm(meio, U(linhas[i].rotulo), false);
            FonteArial(Tam());
            Escreve(linhas[i].valor, false);
        }
        FimDeLinha();
    }
    Regua();
    Regua();
}

void DesenhaItens() {
    const auto &pr = G().Proposta;
    const int esquerda = Pagina().AreaPagina.Left;
    auto &p = Pagina();
    for (int linha = 0; linha <= 6; ++linha) {
        FonteArial(Tam(), linha == 0);
        if (linha == 0)
            Faixa();
        EscreveEm(esquerda, U(RotulosItem[linha]), false);
        // The smaller values stand on the label's baseline.
        int abaixo = 0;
        if (linha == 3 || linha == 6) {
            const int base = QFontMetrics(p.Folha->font(), p.Folha->device()).ascent();
            FonteArial(Tam() - 1);
            abaixo = base - QFontMetrics(p.Folha->font(), p.Folha->device()).ascent();
        }
        // Descriptions and positions too long for their column take two lines.
        std::vector<QStringList> partes;
        qsizetype linhas = 1;
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k) {
            const QString v = ValorItem(linha, k);
            partes.push_back(abaixo ? EmDuasLinhas(v, pr.LargItem - LarguraTexto(QStringLiteral(" "))) : QStringList{v});
            linhas = std::max(linhas, partes.back().size());
        }
        for (qsizetype l = 0; l < linhas; ++l) {
            p.PosY += abaixo;
            for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k) {
                const QStringList &v = partes[static_cast<std::size_t>(k - pr.PrimeiroItem)];
                if (l < v.size())
                    EscreveNaColuna(k, v[l]);
            }
            p.PosY -= abaixo;
            // Every line as tall as one of the page font.
            FonteArial(Tam());
            FimDeLinha();
            if (abaixo)
                FonteArial(Tam() - 1);
        }
        FonteArial(Tam());
    }
    Regua();
}

// One row of the operating point's kind: label, unit, a value per item.
void LinhaDeValores(const QString &rotulo, const QString &unidade, const std::function<QString(int)> &valor) {
    const auto &pr = G().Proposta;
    EscreveEm(Pagina().AreaPagina.Left, rotulo, false);
    EscreveEm(pr.ColUnidade, unidade, false);
    for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
        EscreveNaColuna(k, valor(k));
    FimDeLinha();
}

// The direct-coupling marks, one point smaller, in two lines where the
// column is too narrow for one.
void DesenhaMarcas() {
    const auto &pr = G().Proposta;
    FonteArial(Tam() - 1);
    std::vector<QStringList> partes;
    qsizetype linhas = 1;
    for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k) {
        partes.push_back(EmDuasLinhas(MarcaDoItem(Item(k)), pr.LargItem - LarguraTexto(QStringLiteral(" "))));
        linhas = std::max(linhas, partes.back().size());
    }
    for (qsizetype l = 0; l < linhas; ++l) {
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k) {
            const QStringList &v = partes[static_cast<std::size_t>(k - pr.PrimeiroItem)];
            if (l < v.size())
                EscreveNaColuna(k, v[l]);
        }
        FimDeLinha();
    }
    FonteArial(Tam());
}

// The operating point, then the page's fans in parallel and warnings.
void DesenhaTecnicas(const std::vector<TFiguras> &f) {
    const auto &pr = G().Proposta;
    const int esquerda = Pagina().AreaPagina.Left;
    Titulo("Ponto de Operação");
    for (int linha = PrimeiraTecnica; linha <= UltimaTecnica; ++linha) {
        if (!LinhaVisivel(linha))
            continue;
        EscreveEm(esquerda, U(Tecnica(linha).rotulo), false);
        EscreveEm(pr.ColUnidade, U(Tecnica(linha).unidade), false);
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
            EscreveNaColuna(k, ValorTecnico(linha, Item(k), true));
        FimDeLinha();
        if (linha == 9 && AcoplamentoNaPagina())
            DesenhaMarcas();
    }
    for (int linha : LinhasSistemaDaPagina(f))
        LinhaDeValores(RotuloSistema(linha), UnidadeSistema(linha),
                       [&](int k) { return ValorSistema(linha, FiguraDe(f, k), Item(k)); });
    Regua();
}

// The sound power bands, then the sound where people work.
void DesenhaRuido(const std::vector<TFiguras> &f) {
    const auto &pr = G().Proposta;
    Titulo("Nivel de potência sonora Lw (dB)");
    for (int b = 1; b <= 9; ++b) {
        EscreveEm(pr.ColUnidade, b <= 8 ? U(Bandas[b]) : QStringLiteral("Lw tot"), false);
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k) {
            const TItemOrc &it = Item(k);
            EscreveNaColuna(k, FormataFloat(QStringLiteral("0"), b <= 8 ? it.LwBanda[b] : it.LwTot));
        }
        FimDeLinha();
    }
    LinhaDeValores(RotuloRuidoLocal(f), U("dB (A)"), [&](int k) { return ValorRuidoLocal(FiguraDe(f, k)); });
    Regua();
}

void DesenhaEnergia() {
    const auto &pr = G().Proposta;
    const int esquerda = Pagina().AreaPagina.Left;
    const EnergiaProposta en = CarregaEnergiaProposta();
    Titulo(TituloEnergia(en.prefs));
    for (int linha = 0; linha < 6; ++linha) {
        EscreveEm(esquerda, U(Energeticas[linha].rotulo), false);
        EscreveEm(pr.ColUnidade, U(Energeticas[linha].unidade), false);
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
            EscreveNaColuna(k, ValorEnergia(linha, Item(k), en));
        FimDeLinha();
    }
    Regua();
}

void DesenhaMotor() {
    if (!AlgumComMotor())
        return;
    const auto &pr = G().Proposta;
    const int esquerda = Pagina().AreaPagina.Left;
    const char *rotulos[3] = {"Motor elétrico", "kW/Polos", "Tensão/Frequência"};
    const int linhas = AlgumComMotorNaPagina() ? 3 : 1;
    for (int linha = 0; linha < linhas; ++linha) {
        FonteArial(Tam(), linha == 0);
        EscreveEm(esquerda, U(rotulos[linha]), false);
        FonteArial(Tam());
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
            EscreveNaColuna(k, ValorMotor(linha, Item(k)));
        FimDeLinha();
    }
    Regua();
}

void DesenhaAcessorios(const AcessNaPagina &a) {
    const auto &g = G();
    const auto &pr = g.Proposta;
    const int esquerda = Pagina().AreaPagina.Left;
    Titulo("Acessórios");
    for (int c = 1; c <= NumAcessorios; ++c) {
        if (!a.catalogo[static_cast<std::size_t>(c)])
            continue;
        EscreveEm(esquerda, g.Acessorios[c].NomeAcessorio, false);
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
            EscreveNaColuna(k, TextoAcessorio(Item(k), c));
        FimDeLinha();
    }
    for (int j = 0; j < 10; ++j) {
        if (!a.especial[static_cast<std::size_t>(j)])
            continue;
        EscreveEm(esquerda, g.Orcamento.AcessEsp[j], false);
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
            EscreveNaColuna(k, TextoEspecial(Item(k), j));
        FimDeLinha();
    }
    Regua();
}

void DesenhaPrecos() {
    const auto &pr = G().Proposta;
    const int esquerda = Pagina().AreaPagina.Left;
    const FatoresPreco f = TomaFatores();
    Titulo("Preços unitários em R$");
    for (int linha = 0; linha < 4; ++linha) {
        EscreveEm(esquerda, U(RotulosPreco[linha]), false);
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
            EscreveNaColuna(k, ValorPreco(linha, Item(k), f));
        FimDeLinha();
        if (linha >= 2)
            Regua();
    }
    const auto [ger, mot] = TotaisQuotacao(f);
    FonteArial(Tam(), true);
    EscreveEm(esquerda, QStringLiteral("Geral: Ventilador+Acessorios"), false);
    const QString textos[5] = {Valor(ger), QStringLiteral("Motor"), Valor(mot), QStringLiteral("Total"),
                               Valor(ger + mot)};
    for (int k = 1; k <= 5; ++k) {
        FonteArial(Tam(), k % 2 == 0);
        Pagina().PosX = pr.ColItens + k * pr.LargItem - 20;
        EscreveDireita(textos[k - 1], false);
    }
    FonteArial(Tam());
    FimDeLinha();
    Regua();
}

void DesenhaCondicoes() {
    const auto &o = G().Orcamento;
    const auto &c = o.FatoresOrc;
    const int esquerda = Pagina().AreaPagina.Left;
    const int meio = G().Proposta.ColMeio;
    const int icms = AliquotaICMS(c);
    const QString linhas[4][2] = {
        {U("Condições comerciais"), QStringLiteral("Validade: %1 dias").arg(int(c.Validade))},
        {QStringLiteral("Pagamento: ") + c.Pagamento, QStringLiteral("Frete: ") + c.Frete},
        {icms == 0 ? U("ICMS:             isento") : U("ICMS:           %1% incluso").arg(icms),
         QStringLiteral("Embalagem: ") + TextoEmbalagem(c.Embalagem)},
        {QStringLiteral("IPI:                 %1% acrescer").arg(c.IPI),
         QStringLiteral("Entrega:       %1 dias").arg(DecodificaEntrega(c.Entrega))},
    };
    for (int i = 0; i < 4; ++i) {
        FonteArial(Tam(), i == 0);
        EscreveEm(esquerda, linhas[i][0], false);
        FonteArial(Tam());
        EscreveEm(meio, linhas[i][1], true);
    }
    Regua();
}

void DesenhaObservacoes() {
    if (!TemObservacoes())
        return;
    const auto &o = G().Orcamento;
    const int esquerda = Pagina().AreaPagina.Left;
    Titulo("Observações:");
    EscreveEm(esquerda, o.Obs1, true);
    EscreveEm(esquerda, o.Obs2, true);
    Regua();
}

void DesenhaRodape() {
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    FonteArial(Tam());
    const QString vendas = QStringLiteral("Central de vendas: ") + EmailVendas;
    const QString fabrica = U("Fábrica: ") + EmailFabrica;
    const int h = AlturaTexto(vendas);
    const int y = a.Bottom - 2 * h - 4 * Escala();
    p.PosY = y - 4 * Escala();
    p.AlturaLinha = 0;
    Separador();
    p.PosY = y;
    EscreveEm(a.Left, vendas, false);
    EscreveEm(a.Right - LarguraTexto(fabrica), fabrica, true);
    EscreveEm(a.Left, QStringLiteral("Fone: ") + FoneFabricante, true);

    // Below the text area, on the inner frame's bottom edge.
    p.PosY = a.Bottom + 4 * Escala();
    EscreveEm(a.Left, VersaoPrograma, false);
    const QString &pagina = G().Proposta.TextoPagina;
    EscreveEm(a.Right - LarguraTexto(pagina), pagina, true);
}

// --- HTML ---------------------------------------------------------------------

const QString CorFundo = QStringLiteral("#e8e8e8");
constexpr int Borda = 1;
const QString CelulaDireita = QStringLiteral("<td colspan=5 align=left");

QString Colspan(const char *formato) { return U(formato).arg(7); }

void TabelaHTML(QStringList &L, const BaseFiguras &base) {
    auto &g = G();
    const auto &o = g.Orcamento;
    const auto &pr = g.Proposta;
    const int n = std::max(0, pr.UltimoItem - pr.PrimeiroItem + 1);
    const QString Enchimento = QStringLiteral("<td>-.-</td>").repeated(ItensPorPagina - n) + QStringLiteral("</tr>");
    auto celulas = [&](auto valor) {
        QString s;
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
            s += QStringLiteral("<td>") + valor(k) + QStringLiteral("</td>");
        return s;
    };

    // Heading.
    L << QStringLiteral("<BR><BR><table bgcolor=") + CorFundo + QStringLiteral(" border=") + QString::number(Borda) +
             U("><tr bgcolor=#e8e8e8><td colspan=2><b><font face=\"arial\" color=\"#000000\" size=\"6\">");
    L << U("Dravolin&nbsp;<font color=\"#0000ff\">Brum</font></font></b><br>");
    L << QStringLiteral("<b>") + H(o.OperadorOrc[0]) + QStringLiteral("</b><BR>");
    L << H(o.OperadorOrc[1]) + QStringLiteral("<br>");
    L << H(o.OperadorOrc[2]) + QStringLiteral("<br>");
    L << QStringLiteral("Fone/Fax: ") + H(o.OperadorOrc[3]) + QStringLiteral("<br>");
    L << U("<a href=\"mailto:%1\">%1</a><br>").arg(H(o.OperadorOrc[4].trimmed()));
    L << QStringLiteral("Contato: ") + H(o.OperadorOrc[5]) + QStringLiteral("</td>");
    L << CelulaDireita + U("><b><font face=\"arial\" size=\"5\">Proposta nº ") + H(o.NumOrc) + QStringLiteral(" - ") +
             DataOrcamento() + QStringLiteral("</font></b><BR>");
    L << QStringLiteral("<b>Para:</b> ") + H(o.Cliente) + QStringLiteral("<br>");
    L << QStringLiteral("<b>Att:</b> ") + H(o.Contato) + QStringLiteral("<BR>");
    L << QStringLiteral("<b>Fone/Fax:</b> ") + H(o.Fone.trimmed()) + QLatin1Char('/') + H(o.Fax.trimmed()) +
             QStringLiteral("<BR>");
    L << QStringLiteral("<b>email:</b> ") + H(o.email) + QStringLiteral("<BR>");
    L << QStringLiteral("<b>REF:</b> ") + H(o.Projeto) + QStringLiteral("<br></td></tr>");
    L << QString();

    // Item table.
    for (int linha = 0; linha <= 6; ++linha) {
        const QString rotulo = U(RotulosItem[linha]);
        L << QStringLiteral("<tr ") + (linha > 0 ? U("bgcolor=\"#e8e8e8\" ") : QString()) +
                 QStringLiteral("align=right><td colspan=2 align=left>") +
                 (linha == 0 ? QStringLiteral("<b>") + rotulo + QStringLiteral("</b></td>") : rotulo + QStringLiteral("</td>"));
        QString s;
        for (int k = pr.PrimeiroItem; k <= pr.UltimoItem; ++k)
            s += QStringLiteral("<td>&nbsp;") + H(ValorItem(linha, k)) + QStringLiteral("</td>");
        L << s + Enchimento;
    }
    L << QString();

    const std::vector<TFiguras> figuras =
        pr.SecaoRuido || pr.SecaoTecnicas ? FigurasDaPagina(base) : std::vector<TFiguras>{};
    // A row of the operating point's kind: its label and unit, then a value per item.
    auto linhaDeValores = [&](const QString &rotulo, const QString &unidade, auto valor) {
        L << U("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td  align=\"left\">") + rotulo + U("</td><td align=\"left\">") +
                 unidade + QStringLiteral("</td>");
        L << celulas(valor) + Enchimento;
    };

    if (pr.SecaoTecnicas) {
        L << Colspan("<tr align=left><td colspan=%1 align=\"left\"><b>Ponto de Operação</b></td></tr>");
        for (int linha = PrimeiraTecnica; linha <= UltimaTecnica; ++linha) {
            if (!LinhaVisivel(linha))
                continue;
            L << U("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td  align=\"left\">") + U(Tecnica(linha).rotulo) +
                     U("</td><td align=\"left\">") + U(Tecnica(linha).unidade) + QStringLiteral("</td>");
            L << celulas([&](int k) { return ValorTecnico(linha, Item(k), false); }) + Enchimento;
            if (linha == 9 && AcoplamentoNaPagina()) {
                L << U("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td  align=\"left\"></td><td align=\"left\"></td>");
                L << celulas([](int k) { return H(MarcaDoItem(Item(k))); }) + Enchimento;
            }
        }
        for (int linha : LinhasSistemaDaPagina(figuras))
            linhaDeValores(RotuloSistema(linha), UnidadeSistema(linha),
                           [&](int k) { return ValorSistema(linha, FiguraDe(figuras, k), Item(k)); });
        L << QString();
    }

    if (pr.SecaoRuido) {
        L << Colspan("<tr align=\"left\"><td colspan=%1 align=\"left\"><b>Nível de potência sonora</b></td></tr>");
        for (int b = 1; b <= 9; ++b) {
            const QString banda = b <= 8 ? U(Bandas[b]) : QStringLiteral("Lw tot");
            L << U("<tr bgcolor=\"#e8e8e8\" align=right><td></td><td align=\"left\">") + banda + QStringLiteral("</td>") +
                     celulas([&](int k) {
                         const TItemOrc &it = Item(k);
                         return FormataFloat(QStringLiteral("0"), b <= 8 ? it.LwBanda[b] : it.LwTot);
                     }) +
                     Enchimento;
        }
        linhaDeValores(RotuloRuidoLocal(figuras), U("dB (A)"),
                       [&](int k) { return H(ValorRuidoLocal(FiguraDe(figuras, k))); });
        L << QString();
    }

    if (pr.SecaoTecnicas) {
        const EnergiaProposta en = CarregaEnergiaProposta();
        L << U("<tr align=\"left\"><td colspan=%1 align=\"left\"><b>%2</b></td></tr>").arg(7).arg(TituloEnergia(en.prefs));
        for (int linha = 0; linha < 6; ++linha) {
            L << U("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td  align=\"left\">") + U(Energeticas[linha].rotulo) +
                     U("</td><td align=\"left\">") + U(Energeticas[linha].unidade) + QStringLiteral("</td>");
            L << celulas([&](int k) { return ValorEnergia(linha, Item(k), en); }) + Enchimento;
        }
        L << QString();
    }

    if (pr.SecaoTecnicas && AlgumComMotor()) {
        L << U("<tr align=\"right\"><td colspan=2 align=\"left\"><b>Motor elétrico</b></td>");
        L << celulas([](int k) { return H(ValorMotor(0, Item(k))); }) + Enchimento;
        if (AlgumComMotorNaPagina()) {
            L << U("<tr bgcolor=#e8e8e8 align=\"right\"><td colspan=2 align=\"left\">kW/Polos</td>");
            L << celulas([](int k) { return H(ValorMotor(1, Item(k))); }) + Enchimento;
            L << U("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td colspan=2 align=\"left\">Tensão/Frequência</td>");
            L << celulas([](int k) { return H(ValorMotor(2, Item(k))); }) + Enchimento;
            L << QString();
        }
    }

    if (pr.SecaoAcessorios) {
        const AcessNaPagina a = CalculaAcessNaPagina();
        const QString rotulo = U("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td colspan=2 align=\"left\">");
        L << Colspan("<tr align=\"left\"><td colspan=%1 align=\"left\"><b>Acessórios</b></td></tr>");
        for (int c = 1; c <= NumAcessorios; ++c) {
            if (!a.catalogo[static_cast<std::size_t>(c)])
                continue;
            L << rotulo + H(g.Acessorios[c].NomeAcessorio) + QStringLiteral("</td>");
            L << celulas([c](int k) { return TextoAcessorio(Item(k), c); }) + Enchimento;
        }
        for (int j = 0; j < 10; ++j) {
            if (!a.especial[static_cast<std::size_t>(j)])
                continue;
            L << rotulo + H(o.AcessEsp[j]) + QStringLiteral("</td>");
            L << celulas([j](int k) { return TextoEspecial(Item(k), j); }) + QStringLiteral("</tr>");
        }
        L << QString();
    }

    if (pr.SecaoPrecos) {
        const FatoresPreco f = TomaFatores();
        L << Colspan("<tr align=\"left\"><td colspan=%1 align=\"left\"><b>Preços unitários em R$</b></td></tr>");
        for (int linha = 0; linha < 4; ++linha) {
            L << U("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td colspan=2 align=\"left\">") + U(RotulosPreco[linha]) +
                     QStringLiteral("</td>");
            L << celulas([&](int k) { return ValorPreco(linha, Item(k), f); }) + Enchimento;
        }
        const auto [ger, mot] = TotaisQuotacao(f);
        L << U("<tr align=\"right\"><td colspan=2 align=\"left\"><b>Geral: Ventilador+Acessorios</b></td>");
        L << QStringLiteral("<td>") + Valor(ger) + QStringLiteral("</td>");
        L << QStringLiteral("<td><b>Motor</b></td>");
        L << QStringLiteral("<td>") + Valor(mot) + QStringLiteral("</td>");
        L << QStringLiteral("<td><b>Total</b></td>");
        L << QStringLiteral("<td>") + Valor(ger + mot) + QStringLiteral("</td>");
        L << QStringLiteral("</tr>");
        L << QString();
    }

    if (pr.SecaoCondicoes) {
        const auto &c = o.FatoresOrc;
        const QString linha = U("<tr bgcolor=\"#e8e8e8\" align=\"left\"><td colspan=2 align=\"left\">");
        QString pagamento = U("<b>Pagamento: </b>") + H(c.Pagamento.left(98 - 18));
        pagamento.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
        L << linha + U("<b>Condições comerciais</b></td>");
        L << CelulaDireita + QStringLiteral("><b>Validade:</b> %1 dias</td></tr>").arg(int(c.Validade));
        L << linha + pagamento + QStringLiteral("</td>");
        L << CelulaDireita + QStringLiteral("><b>Frete: </b>") + H(c.Frete) + QStringLiteral("</td></tr>");
        L << linha + QStringLiteral("<b>ICMS:           </b>%1% incluso</td>").arg(AliquotaICMS(g.Fatores));
        L << CelulaDireita + QStringLiteral("><b>Embalagem: </b>") + TextoEmbalagem(c.Embalagem) +
                 QStringLiteral("</td></tr>");
        L << linha + QStringLiteral("<b>IPI: </b>%1% acrescer</td>").arg(c.IPI);
        L << CelulaDireita + QStringLiteral("><b>Entrega:</b>       %1 dias</td></tr>").arg(DecodificaEntrega(c.Entrega));
        L << QString();
    }

    if (pr.SecaoObs && TemObservacoes()) {
        const QString obs = U("<tr bgcolor=\"#e8e8e8\" align=\"left\"><td colspan=%1 align=\"left\"><b>%2</b></td></tr>");
        L << U("<tr align=\"left\"><td colspan=%1 align=\"left\"><b>Observações:</b></td></tr>").arg(7);
        L << obs.arg(7).arg(H(o.Obs1));
        L << obs.arg(7).arg(H(o.Obs2));
        L << QString();
    }

    // Footer rows and the closing row.
    auto link = [](const QString &email) { return U("<a href=\"mailto:%1\">%1</a>").arg(email); };
    L << U("<tr><td colspan=2 align=\"left\">Central&nbsp;de&nbsp;vendas:&nbsp;") + link(EmailVendas) +
             QStringLiteral("</td>");
    L << CelulaDireita + U(">Fábrica: ") + link(EmailFabrica) + QStringLiteral("</td></tr>");
    L << U("<tr><td colspan=2 align=\"left\">Fone: ") + FoneFabricante + QStringLiteral("</td>");
    L << CelulaDireita + QStringLiteral(">Fone: ") + FoneFabricante + QStringLiteral("</td></tr>");
    L << QString();
    L << U("<tr align=\"center\"><td colspan=%1>%2</td></tr></table>").arg(7).arg(VersaoPrograma);
}

} // namespace

// --- Paging -------------------------------------------------------------------

int NumPaginasProposta() {
    const int n = std::clamp(G().NumItens, 0, 40);
    return std::max(1, (n + ItensPorPagina - 1) / ItensPorPagina);
}

void DefinePagina(int primeiro) {
    auto &pr = G().Proposta;
    pr.PrimeiroItem = primeiro;
    pr.UltimoItem = std::min(primeiro + ItensPorPagina - 1, std::clamp(G().NumItens, 0, 40));
}

void EscreveDireita(const QString &texto, bool fimDeLinha) {
    Pagina().PosX -= LarguraTexto(texto);
    Escreve(texto, fimDeLinha);
}

void DesenhaProposta(QPainter &folha, const Retangulo &r) {
    auto &p = Pagina();
    const auto &pr = G().Proposta;
    p.Folha = &folha;
    p.AreaPagina = r;
    // Rules and frames a ninety-sixth of an inch wide, at any resolution.
    folha.setPen(QPen(Qt::black, std::max(1, PixelsPorPolegada() / 96)));
    folha.setRenderHint(QPainter::TextAntialiasing);
    DesenhaMoldura();
    // The text area's margin inside the inner frame, as on the screen.
    const int folga = 4 * (Escala() - 1);
    p.AreaPagina = {p.AreaPagina.Left + folga, p.AreaPagina.Top + folga, p.AreaPagina.Right - folga,
                    p.AreaPagina.Bottom - folga};
    Layout();
    p.PosX = p.AreaPagina.Left;
    p.PosY = p.AreaPagina.Top;
    p.AlturaLinha = 0;
    const AcessNaPagina acessorios = CalculaAcessNaPagina();

    FonteArial(Tam());
    DesenhaCabecalho();
    DesenhaItens();
    const std::vector<TFiguras> figuras =
        pr.SecaoRuido || pr.SecaoTecnicas ? FigurasDaPagina(CarregaBaseFiguras()) : std::vector<TFiguras>{};
    if (pr.SecaoTecnicas)
        DesenhaTecnicas(figuras);
    if (pr.SecaoRuido)
        DesenhaRuido(figuras);
    if (pr.SecaoTecnicas) {
        DesenhaEnergia();
        DesenhaMotor();
    }
    if (pr.SecaoAcessorios)
        DesenhaAcessorios(acessorios);
    if (pr.SecaoPrecos)
        DesenhaPrecos();
    if (pr.SecaoCondicoes)
        DesenhaCondicoes();
    if (pr.SecaoObs)
        DesenhaObservacoes();
    DesenhaRodape();
}

bool ImprimeProposta(QPagedPaintDevice &dispositivo, int de, int ate) {
    QPainter f;
    if (!f.begin(&dispositivo))
        return false;
    ImprimePaginasProposta(f, dispositivo, de, ate);
    f.end();
    return true;
}

void ImprimePaginasProposta(QPainter &f, QPagedPaintDevice &dispositivo, int de, int ate) {
    auto &p = Pagina();
    auto &pr = G().Proposta;
    const TEstadoPagina pagina = p;
    const TEstadoProposta proposta = pr;
    p.Imprimindo = true;
    p.TamFonte = 9;
    p.TamFonteMenor = 7;
    const int n = NumPaginasProposta();
    de = std::clamp(de, 1, n);
    ate = std::clamp(ate, de, n);
    for (int i = de; i <= ate; ++i) {
        DefinePagina(ItensPorPagina * i - 4);
        pr.TextoPagina = U("Pág. %1 de %2").arg(i).arg(n);
        DesenhaProposta(f, {0, 0, dispositivo.width(), dispositivo.height()});
        if (i < ate)
            dispositivo.newPage();
    }
    p = pagina;
    // The layout and the price factors stay as the last page left them.
    pr.PrimeiroItem = proposta.PrimeiroItem;
    pr.UltimoItem = proposta.UltimoItem;
    pr.TextoPagina = proposta.TextoPagina;
}

bool GravaPropostaPDF(const QString &caminho, QString *erro) {
    auto falha = [&](const QString &motivo) {
        if (erro)
            *erro = U("Não foi possível gravar o PDF \"%1\": %2").arg(caminho, motivo);
        return false;
    };
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly))
        return falha(arquivo.errorString());
    {
        QPdfWriter pdf(&arquivo);
        PreparaPDF(pdf, U("Proposta nº ") + G().Orcamento.NumOrc);
        if (!ImprimeProposta(pdf, 1, NumPaginasProposta()))
            return falha(U("a página não pôde ser desenhada"));
    }
    if (!arquivo.commit())
        return falha(arquivo.errorString());
    return true;
}

QStringList GeraHTML() {
    auto &pr = G().Proposta;
    const int primeiro = pr.PrimeiroItem, ultimo = pr.UltimoItem;
    QStringList L;
    L << U("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"><html><head><title>proposta</title>"
           "<STYLE TYPE=\"text/css\"><!--TD {font-family: Verdana, Arial;font-size: 10}--></STYLE></head><body>");
    const BaseFiguras base = CarregaBaseFiguras();
    for (int pag = 1; pag <= NumPaginasProposta(); ++pag) {
        L << QStringLiteral("<BR><BR>");
        DefinePagina(ItensPorPagina * pag - 4);
        TabelaHTML(L, base);
    }
    L << QStringLiteral("</body></html>");
    pr.PrimeiroItem = primeiro;
    pr.UltimoItem = ultimo;
    return L;
}

QByteArray BytesHTML(const QStringList &linhas) {
    QByteArray b;
    for (const QString &l : linhas)
        b += ParaWin1252(l) + QByteArrayLiteral("\r\n");
    return b;
}

QByteArray PropostaHTML() { return BytesHTML(GeraHTML()); }

bool GravaPropostaHTML(const QString &caminho, QString *erro) {
    QSaveFile arquivo(caminho);
    const QByteArray b = PropostaHTML();
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(b) != b.size() || !arquivo.commit()) {
        if (erro)
            *erro = U("Não foi possível gravar o arquivo \"%1\": %2").arg(caminho, arquivo.errorString());
        return false;
    }
    return true;
}

QImage LogotipoProposta() {
    RegistraLogotipo();
    // Drawn at printer resolution; the page scales it by its logical size.
    constexpr qreal escala = 6.25;
    QImageReader leitor(QStringLiteral(":/proposta/logo_proposta.svg"));
    leitor.setScaledSize(QSize(240, 60) * escala);
    QImage img = leitor.read();
    img.setDevicePixelRatio(escala);
    return img;
}

} // namespace quellora
