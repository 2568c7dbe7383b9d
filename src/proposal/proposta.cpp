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
#include "shell/fabricante.h"
#include "shell/numeros.h"
#include "shell/preferencias.h"
#include "shell/versao.h"

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
#include <memory>
#include <vector>

// Outside any namespace, as the resource initialiser requires.
static void RegistraLogotipo() { Q_INIT_RESOURCE(proposta); }

namespace quellora {

namespace {

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

// The column (0-based) of item k on the page.
int ColunaDe(int k) {
    const auto &v = G().Proposta.ItensPagina;
    const auto i = std::find(v.begin(), v.end(), k);
    return static_cast<int>(i - v.begin());
}

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
    for (int k : pr.ItensPagina)
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

// Some item of the proposal (of any page) has a motor line.
bool AlgumComMotor() {
    const auto &g = G();
    for (int k = 1; k <= std::min(g.NumItens, 40); ++k)
        if (ItemPronto(g.Itens[k]) && g.Itens[k].ComMotor)
            return true;
    return false;
}

bool AlgumComMotorNaPagina() {
    const auto &pr = G().Proposta;
    for (int k : pr.ItensPagina)
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
    for (int k : pr.ItensPagina) {
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

// Totals of the whole proposal (the items it shows): fans with accessories, motors.
std::pair<double, double> TotaisQuotacao(const FatoresPreco &f) {
    const auto &g = G();
    long double ger = 0, mot = 0;
    for (int k = 1; k <= std::min(g.NumItens, 40); ++k) {
        if (!ItemPronto(g.Itens[k]))
            continue;
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

// The system, sound and warnings of the page's items (in their columns' order).
// An item not selected has none; one whose line is missing keeps its sound.
std::vector<TFiguras> FigurasDaPagina(const BaseFiguras &base) {
    const auto &pr = G().Proposta;
    static const TDadosModelo semLinha;
    std::vector<TFiguras> v;
    for (int k : pr.ItensPagina) {
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
    const auto i = static_cast<std::size_t>(ColunaDe(k));
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
    for (int k : pr.ItensPagina) {
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
    return pr.ColItens + (ColunaDe(k) + 1) * pr.LargItem;
}

// Width a value has in its column: the column less a blank's gap from its
// neighbour.
int LarguraValor() { return G().Proposta.LargItem - LarguraTexto(QStringLiteral(" ")); }

// A number at the right of its item column; what would run into the
// neighbouring column is cut short with an ellipsis (texts are broken into
// lines before they get here).
void EscreveNaColuna(int k, const QString &texto) {
    const int largura = LarguraValor();
    QString t = texto;
    if (LarguraTexto(t) > largura)
        t = MetricasFonte().elidedText(t, Qt::ElideRight, largura);
    Pagina().PosX = FimColuna(k);
    EscreveDireita(t, false);
}

void FimDeLinha() { Escreve(QString(), true); }

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
void FaixaClara() {
    auto &p = Pagina();
    if (p.Folha)
        p.Folha->fillRect(QRect(p.AreaPagina.Left - 2 * Escala(), p.PosY, p.AreaPagina.largura() + 4 * Escala(),
                                AlturaTexto(QString()) + 2),
                          CorFaixa);
}

void Titulo(const QString &texto) {
    FonteArial(Tam(), true);
    FaixaClara();
    EscreveEm(Pagina().AreaPagina.Left, texto, true);
    FonteArial(Tam());
}

void Layout() {
    auto &p = Pagina();
    auto &pr = G().Proposta;
    const Retangulo &a = p.AreaPagina;
    FonteArial(Tam());
    const int w = LarguraTexto(QStringLiteral("M"));
    // The widths of the printed page: the preview shows the page as it is
    // printed, with the same lines and page breaks.
    pr.ColMeio = a.Left + (a.Right - a.Left) / 2;
    pr.ColUnidade = a.Left + 16 * w;
    int unidades = 0;
    for (int l = PrimeiraTecnica; l <= UltimaTecnica + 1; ++l)
        unidades = std::max(unidades, LarguraTexto(U(Tecnica(l).unidade)));
    pr.ColItens = pr.ColUnidade + unidades;
    pr.LargItem = 9 * w;
    // Five columns never run past the text area (an A4 sheet is narrower
    // than the letter sheet these widths were made for).
    pr.LargItem = std::min(pr.LargItem, (a.Right - pr.ColItens) / ItensPorPagina);
}

// Values of one row of items, each broken into the lines its column needs,
// written in the current font: the row is as many lines tall as its longest
// value. 'abaixo' lowers the values (a smaller font on the label's baseline).
void ValoresEmLinhas(const std::vector<QStringList> &partes, int abaixo) {
    const auto &pr = G().Proposta;
    auto &p = Pagina();
    qsizetype linhas = 1;
    for (const QStringList &v : partes)
        linhas = std::max(linhas, v.size());
    const QFont fonte = p.Folha->font();
    for (qsizetype l = 0; l < linhas; ++l) {
        p.PosY += abaixo;
        for (std::size_t c = 0; c < partes.size() && c < pr.ItensPagina.size(); ++c)
            if (l < partes[c].size())
                EscreveNaColuna(pr.ItensPagina[c], partes[c][l]);
        p.PosY -= abaixo;
        // Every line as tall as one of the page font.
        FonteArial(Tam());
        FimDeLinha();
        p.Folha->setFont(fonte);
    }
}

// The item table's rows 0..ultima. Texts take as many lines as they need.
void DesenhaItens(int ultima) {
    const auto &pr = G().Proposta;
    const int esquerda = Pagina().AreaPagina.Left;
    for (int linha = 0; linha <= ultima; ++linha) {
        FonteArial(Tam(), linha == 0);
        if (linha == 0)
            FaixaClara();
        EscreveEm(esquerda, U(RotulosItem[linha]), false);
        // The smaller values stand on the label's baseline.
        int abaixo = 0;
        if (linha == 3 || linha == 6) {
            const int base = MetricasFonte().ascent();
            FonteArial(Tam() - 1);
            abaixo = base - MetricasFonte().ascent();
        }
        std::vector<QStringList> partes;
        for (int k : pr.ItensPagina) {
            const QString v = ValorItem(linha, k);
            partes.push_back(linha == 0 ? QStringList{v} : QuebraTexto(v, LarguraValor()));
        }
        ValoresEmLinhas(partes, abaixo);
        FonteArial(Tam());
    }
    Regua();
}

// One row of the operating point's kind: label, unit, a value per item.
void LinhaDeValores(const QString &rotulo, const QString &unidade, const std::function<QString(int)> &valor) {
    const auto &pr = G().Proposta;
    FonteArial(Tam());
    EscreveEm(Pagina().AreaPagina.Left, rotulo, false);
    EscreveEm(pr.ColUnidade, unidade, false);
    for (int k : pr.ItensPagina)
        EscreveNaColuna(k, valor(k));
    FimDeLinha();
}

// The direct-coupling marks, one point smaller, in as many lines as the
// column needs.
void DesenhaMarcas() {
    const auto &pr = G().Proposta;
    FonteArial(Tam() - 1);
    std::vector<QStringList> partes;
    for (int k : pr.ItensPagina)
        partes.push_back(QuebraTexto(MarcaDoItem(Item(k)), LarguraValor()));
    ValoresEmLinhas(partes, 0);
    FonteArial(Tam());
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

// The heading of a further page of the same items: the logo and number, the
// client and the project, then the items' numbers and tags over their
// columns.
void DesenhaCabecalhoContinuacao() {
    const auto &o = G().Orcamento;
    Cabecalho();
    FonteArial(Tam(), true);
    EscreveEm(Pagina().AreaPagina.Left, QStringLiteral("Para: "), false);
    FonteArial(Tam());
    Escreve(o.Cliente, false);
    FonteArial(Tam(), true);
    EscreveEm(G().Proposta.ColMeio, QStringLiteral("Ref: "), false);
    FonteArial(Tam());
    Escreve(o.Projeto, true);
    Regua();
    Regua();
    DesenhaItens(1);
}

// --- The rows below the item table ---------------------------------------------
// Every section below the item table is a list of rows, each drawing its own
// line (or lines) in its own fonts. A page takes rows while they fit above
// the footer; the rest go on a further page of the same items.

struct LinhaCorpo {
    std::function<void()> desenha;
    int secao = -1;      // the section's title (Corpo::titulos), -1: none
    bool titulo = false; // the section's title: never the last row of a page
    int altura = 0;      // measured on the page
};

struct Corpo {
    std::vector<LinhaCorpo> linhas;
    std::vector<QString> titulos;
};

// What the rows' values are worked out from, read once per document.
struct DadosDocumento {
    BaseFiguras base;
    EnergiaProposta energia;
};

DadosDocumento CarregaDadosDocumento() { return {CarregaBaseFiguras(), CarregaEnergiaProposta()}; }

class MontaCorpo {
public:
    void titulo(const QString &texto) {
        c_.titulos.push_back(texto);
        secao_ = static_cast<int>(c_.titulos.size()) - 1;
        c_.linhas.push_back({[texto] { Titulo(texto); }, secao_, true});
    }
    void semTitulo() { secao_ = -1; }
    void linha(std::function<void()> desenha) { c_.linhas.push_back({std::move(desenha), secao_, false}); }
    // The section's closing rule, drawn with its last row.
    void fecha() {
        if (!c_.linhas.empty()) {
            auto &u = c_.linhas.back().desenha;
            u = [antes = std::move(u)] {
                antes();
                Regua();
            };
        }
        secao_ = -1;
    }
    Corpo corpo() { return std::move(c_); }

private:
    Corpo c_;
    int secao_ = -1;
};

// The operating point, then the page's fans in parallel and warnings.
void LinhasTecnicas(MontaCorpo &m, const std::shared_ptr<const std::vector<TFiguras>> &f) {
    m.titulo(U("Ponto de Operação"));
    for (int linha = PrimeiraTecnica; linha <= UltimaTecnica; ++linha) {
        if (!LinhaVisivel(linha))
            continue;
        m.linha([linha] {
            LinhaDeValores(U(Tecnica(linha).rotulo), U(Tecnica(linha).unidade),
                           [linha](int k) { return ValorTecnico(linha, Item(k), true); });
        });
        if (linha == 9 && AcoplamentoNaPagina())
            m.linha(DesenhaMarcas);
    }
    for (int linha : LinhasSistemaDaPagina(*f))
        m.linha([linha, f] {
            LinhaDeValores(RotuloSistema(linha), UnidadeSistema(linha),
                           [&](int k) { return ValorSistema(linha, FiguraDe(*f, k), Item(k)); });
        });
    m.fecha();
}

// The sound power bands, then the sound where people work.
void LinhasRuido(MontaCorpo &m, const std::shared_ptr<const std::vector<TFiguras>> &f) {
    m.titulo(U("Nivel de potência sonora Lw (dB)"));
    for (int b = 1; b <= 9; ++b)
        m.linha([b] {
            const auto &pr = G().Proposta;
            FonteArial(Tam());
            EscreveEm(pr.ColUnidade, b <= 8 ? U(Bandas[b]) : QStringLiteral("Lw tot"), false);
            for (int k : pr.ItensPagina) {
                const TItemOrc &it = Item(k);
                EscreveNaColuna(k, FormataFloat(QStringLiteral("0"), b <= 8 ? it.LwBanda[b] : it.LwTot));
            }
            FimDeLinha();
        });
    m.linha([f] {
        LinhaDeValores(RotuloRuidoLocal(*f), U("dB (A)"), [&](int k) { return ValorRuidoLocal(FiguraDe(*f, k)); });
    });
    m.fecha();
}

void LinhasEnergia(MontaCorpo &m, const EnergiaProposta &en) {
    const auto e = std::make_shared<const EnergiaProposta>(en);
    m.titulo(TituloEnergia(en.prefs));
    for (int linha = 0; linha < 6; ++linha)
        m.linha([linha, e] {
            LinhaDeValores(U(Energeticas[linha].rotulo), U(Energeticas[linha].unidade),
                           [&](int k) { return ValorEnergia(linha, Item(k), *e); });
        });
    m.fecha();
}

void LinhasMotor(MontaCorpo &m) {
    if (!AlgumComMotor())
        return;
    m.semTitulo();
    const int linhas = AlgumComMotorNaPagina() ? 3 : 1;
    for (int linha = 0; linha < linhas; ++linha)
        m.linha([linha] {
            const auto &pr = G().Proposta;
            const char *rotulos[3] = {"Motor elétrico", "kW/Polos", "Tensão/Frequência"};
            FonteArial(Tam(), linha == 0);
            EscreveEm(Pagina().AreaPagina.Left, U(rotulos[linha]), false);
            FonteArial(Tam());
            for (int k : pr.ItensPagina)
                EscreveNaColuna(k, ValorMotor(linha, Item(k)));
            FimDeLinha();
        });
    m.fecha();
}

void LinhasAcessorios(MontaCorpo &m, const AcessNaPagina &a) {
    m.titulo(U("Acessórios"));
    for (int c = 1; c <= NumAcessorios; ++c)
        if (a.catalogo[static_cast<std::size_t>(c)])
            m.linha([c] {
                LinhaDeValores(G().Acessorios[c].NomeAcessorio, QString(),
                               [c](int k) { return TextoAcessorio(Item(k), c); });
            });
    for (int j = 0; j < 10; ++j)
        if (a.especial[static_cast<std::size_t>(j)])
            m.linha([j] {
                LinhaDeValores(G().Orcamento.AcessEsp[j], QString(), [j](int k) { return TextoEspecial(Item(k), j); });
            });
    m.fecha();
}

void LinhasPrecos(MontaCorpo &m) {
    const FatoresPreco f = TomaFatores();
    m.titulo(U("Preços unitários em R$"));
    for (int linha = 0; linha < 4; ++linha)
        m.linha([linha, f] {
            LinhaDeValores(U(RotulosPreco[linha]), QString(), [&](int k) { return ValorPreco(linha, Item(k), f); });
            if (linha >= 2)
                Regua();
        });
    m.linha([f] {
        const auto &pr = G().Proposta;
        const auto [ger, mot] = TotaisQuotacao(f);
        FonteArial(Tam(), true);
        EscreveEm(Pagina().AreaPagina.Left, QStringLiteral("Geral: Ventilador+Acessorios"), false);
        const QString textos[5] = {Valor(ger), QStringLiteral("Motor"), Valor(mot), QStringLiteral("Total"),
                                   Valor(ger + mot)};
        for (int k = 1; k <= 5; ++k) {
            FonteArial(Tam(), k % 2 == 0);
            Pagina().PosX = pr.ColItens + k * pr.LargItem - 20 * Escala();
            EscreveDireita(textos[k - 1], false);
        }
        FonteArial(Tam());
        FimDeLinha();
    });
    m.fecha();
}

// The four lines of the conditions stay together.
void LinhasCondicoes(MontaCorpo &m) {
    m.semTitulo();
    m.linha([] {
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
    });
    m.fecha();
}

// Each observation in as many lines as the page's width needs.
void LinhasObservacoes(MontaCorpo &m) {
    if (!TemObservacoes())
        return;
    const auto &o = G().Orcamento;
    m.titulo(U("Observações:"));
    FonteArial(Tam());
    const int largura = Pagina().AreaPagina.largura();
    for (const QString &obs : {o.Obs1, o.Obs2})
        for (const QString &l : QuebraTexto(obs, largura))
            m.linha([l] {
                FonteArial(Tam());
                EscreveEm(Pagina().AreaPagina.Left, l, true);
            });
    m.fecha();
}

// The rows of the page's items with the sections the options ask for.
Corpo CorpoDaPagina(const DadosDocumento &d) {
    const auto &pr = G().Proposta;
    MontaCorpo m;
    const auto figuras = std::make_shared<const std::vector<TFiguras>>(
        pr.SecaoRuido || pr.SecaoTecnicas ? FigurasDaPagina(d.base) : std::vector<TFiguras>{});
    if (pr.SecaoTecnicas)
        LinhasTecnicas(m, figuras);
    if (pr.SecaoRuido)
        LinhasRuido(m, figuras);
    if (pr.SecaoTecnicas) {
        LinhasEnergia(m, d.energia);
        LinhasMotor(m);
    }
    if (pr.SecaoAcessorios)
        LinhasAcessorios(m, CalculaAcessNaPagina());
    if (pr.SecaoPrecos)
        LinhasPrecos(m);
    if (pr.SecaoCondicoes)
        LinhasCondicoes(m);
    if (pr.SecaoObs)
        LinhasObservacoes(m);
    return m.corpo();
}

// The title a section's rows carry on to a further page with.
QString TituloContinuado(const QString &titulo) {
    QString t = titulo;
    if (t.endsWith(QLatin1Char(':')))
        t.chop(1);
    return t + U(" (continuação)");
}

// The footer's contact lines.
QString LinhaVendas() {
    return QStringLiteral("Central de vendas: ") + QString::fromUtf8(DadosFabricante::EnderecoVendas);
}
QString LinhaFabrica() { return U("Fábrica: ") + QString::fromUtf8(DadosFabricante::EnderecoFabrica); }

// y of the footer's first line; its rule lies 4 above.
int TopoRodape() {
    FonteArial(Tam());
    return Pagina().AreaPagina.Bottom - 2 * AlturaTexto(LinhaVendas()) - 4 * Escala();
}

// The lowest the rows above the footer may reach: a gap above its rule.
int LimiteCorpo() { return TopoRodape() - 6 * Escala(); }

void DesenhaRodape() {
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    const int y = TopoRodape();
    p.PosY = y - 4 * Escala();
    p.AlturaLinha = 0;
    Separador();
    p.PosY = y;
    const QString fabrica = LinhaFabrica();
    EscreveEm(a.Left, LinhaVendas(), false);
    EscreveEm(a.Right - LarguraTexto(fabrica), fabrica, true);
    EscreveEm(a.Left, QStringLiteral("Fone: ") + QString::fromUtf8(DadosFabricante::Fone), true);

    // Below the text area, on the inner frame's bottom edge.
    p.PosY = a.Bottom + 4 * Escala();
    EscreveEm(a.Left, CarimboDocumento(QDate::currentDate()), false);
    const QString &pagina = G().Proposta.TextoPagina;
    EscreveEm(a.Right - LarguraTexto(pagina), pagina, true);
}

// The page state while a proposal page is laid out or drawn: at the
// proposal's own resolution, in the page font; restored afterwards.
class EstadoDaFolha {
public:
    EstadoDaFolha() : pagina_(Pagina()), itens_(G().Proposta.ItensPagina) {
        auto &p = Pagina();
        p.Resolucao = ResolucaoProposta;
        p.TamFonte = 9;
        p.TamFonteMenor = 7;
    }
    ~EstadoDaFolha() {
        Pagina() = pagina_;
        G().Proposta.ItensPagina = itens_;
    }
    EstadoDaFolha(const EstadoDaFolha &) = delete;
    EstadoDaFolha &operator=(const EstadoDaFolha &) = delete;

private:
    TEstadoPagina pagina_;
    std::vector<int> itens_;
};

// Frame, layout and cursor of a page of 'area' on 'folha'.
void PreparaFolha(QPainter &folha, const Retangulo &area) {
    auto &p = Pagina();
    p.Folha = &folha;
    p.AreaPagina = area;
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
    FonteArial(Tam());
}

// The rows of the page's items each measured, and the pages they fill on
// a page of 'area': appended to 'paginas'.
void PaginasDoGrupo(const Retangulo &area, const DadosDocumento &d, std::vector<TPaginaProposta> &paginas) {
    QImage img(1, 1, QImage::Format_RGB32);
    const int dpm = static_cast<int>(ResolucaoProposta / 0.0254 + 0.5);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter f(&img);
    auto &p = Pagina();

    PreparaFolha(f, area);
    DesenhaCabecalho();
    DesenhaItens(6);
    const int topoPrimeira = p.PosY;
    PreparaFolha(f, area);
    DesenhaCabecalhoContinuacao();
    const int topoSeguinte = p.PosY;
    const int limite = LimiteCorpo();

    Corpo c = CorpoDaPagina(d);
    for (LinhaCorpo &l : c.linhas) {
        const int antes = p.PosY;
        l.desenha();
        l.altura = p.PosY - antes;
    }
    std::vector<int> alturaTitulo;
    for (const QString &t : c.titulos) {
        const int antes = p.PosY;
        Titulo(TituloContinuado(t));
        alturaTitulo.push_back(p.PosY - antes);
    }

    const auto n = static_cast<int>(c.linhas.size());
    int i = 0;
    bool primeira = true;
    do {
        TPaginaProposta pag;
        pag.Itens = G().Proposta.ItensPagina;
        pag.Continuacao = !primeira;
        pag.De = i;
        int y = primeira ? topoPrimeira : topoSeguinte;
        if (!primeira && i < n && c.linhas[i].secao >= 0 && !c.linhas[i].titulo)
            y += alturaTitulo[static_cast<std::size_t>(c.linhas[i].secao)];
        while (i < n) {
            const LinhaCorpo &l = c.linhas[static_cast<std::size_t>(i)];
            int precisa = l.altura;
            // A title goes with the row after it.
            if (l.titulo && i + 1 < n && c.linhas[static_cast<std::size_t>(i + 1)].secao == l.secao)
                precisa += c.linhas[static_cast<std::size_t>(i + 1)].altura;
            // A page takes at least one row, however tall.
            if (y + precisa > limite && i > pag.De)
                break;
            y += l.altura;
            ++i;
        }
        pag.Ate = i;
        paginas.push_back(pag);
        primeira = false;
    } while (i < n);
}

// --- HTML ---------------------------------------------------------------------

const QString CorFundo = QStringLiteral("#e8e8e8");
constexpr int Borda = 1;
const QString CelulaDireita = QStringLiteral("<td colspan=5 align=left");

QString Colspan(const char *formato) { return U(formato).arg(7); }

void TabelaHTML(QStringList &L, const BaseFiguras &base, const QDate &feito) {
    auto &g = G();
    const auto &o = g.Orcamento;
    const auto &pr = g.Proposta;
    const int n = static_cast<int>(pr.ItensPagina.size());
    const QString Enchimento = QStringLiteral("<td>-.-</td>").repeated(ItensPorPagina - n) + QStringLiteral("</tr>");
    auto celulas = [&](auto valor) {
        QString s;
        for (int k : pr.ItensPagina)
            s += QStringLiteral("<td>") + valor(k) + QStringLiteral("</td>");
        return s;
    };

    // Heading.
    L << QStringLiteral("<BR><BR><table bgcolor=") + CorFundo + QStringLiteral(" border=") + QString::number(Borda) +
             U("><tr bgcolor=#e8e8e8><td colspan=2><b><font face=\"arial\" color=\"#000000\" size=\"6\">");
    L << U(DadosFabricante::Marca1) + U("&nbsp;<font color=\"#0000ff\">") + U(DadosFabricante::Marca2) +
             U("</font></font></b><br>");
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
        for (int k : pr.ItensPagina)
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
    const QString fone = U(DadosFabricante::Fone);
    L << U("<tr><td colspan=2 align=\"left\">Central&nbsp;de&nbsp;vendas:&nbsp;") +
             link(U(DadosFabricante::EnderecoVendas)) + QStringLiteral("</td>");
    L << CelulaDireita + U(">Fábrica: ") + link(U(DadosFabricante::EnderecoFabrica)) + QStringLiteral("</td></tr>");
    L << U("<tr><td colspan=2 align=\"left\">Fone: ") + fone + QStringLiteral("</td>");
    L << CelulaDireita + QStringLiteral(">Fone: ") + fone + QStringLiteral("</td></tr>");
    L << QString();
    L << U("<tr align=\"center\"><td colspan=%1>%2</td></tr></table>").arg(7).arg(CarimboDocumento(feito));
}

} // namespace

// --- Paging -------------------------------------------------------------------

std::vector<std::vector<int>> GruposProposta(const Faixa<TItemOrc, 0, 40> &itens, int numItens) {
    std::vector<std::vector<int>> grupos;
    std::vector<int> grupo;
    for (int k = 1; k <= std::clamp(numItens, 0, 40); ++k) {
        if (!ItemPronto(itens[k]))
            continue;
        grupo.push_back(k);
        if (static_cast<int>(grupo.size()) == ItensPorPagina) {
            grupos.push_back(grupo);
            grupo.clear();
        }
    }
    if (!grupo.empty() || grupos.empty())
        grupos.push_back(grupo);
    return grupos;
}

std::vector<TItemFora> ItensForaDaProposta(const Faixa<TItemOrc, 0, 40> &itens, int numItens) {
    std::vector<TItemFora> fora;
    for (int k = 1; k <= std::clamp(numItens, 0, 40); ++k)
        if (!ItemPronto(itens[k]))
            fora.push_back({k, !itens[k].Selecionado, itens[k].Qtd <= 0});
    return fora;
}

QString AvisoItensFora(const std::vector<TItemFora> &fora) {
    if (fora.empty())
        return {};
    QStringList partes;
    for (const TItemFora &f : fora) {
        QStringList motivos;
        if (f.NaoSelecionado)
            motivos << U("não selecionado");
        if (f.SemQuantidade)
            motivos << U("quantidade 0");
        partes << U("item %1 (%2)").arg(f.Item).arg(motivos.join(U(" e ")));
    }
    return U("Fora da proposta: ") + partes.join(QStringLiteral(", "));
}

QString CarimboDocumento(const QDate &feito) {
    return U("Quellora %1 - gerado em %2").arg(U(VersaoPrograma), feito.toString(QStringLiteral("dd/MM/yyyy")));
}

QPageLayout LayoutPaginaProposta() { return PaginaA4(); }

Retangulo AreaPaginaPadrao() {
    const QRect r = LayoutPaginaProposta().paintRectPixels(ResolucaoProposta);
    return {0, 0, r.width(), r.height()};
}

Retangulo AreaDoDispositivo(const QPaintDevice &dispositivo) {
    const double kx = double(ResolucaoProposta) / std::max(1, dispositivo.logicalDpiX());
    const double ky = double(ResolucaoProposta) / std::max(1, dispositivo.logicalDpiY());
    return {0, 0, static_cast<int>(dispositivo.width() * kx + 0.5), static_cast<int>(dispositivo.height() * ky + 0.5)};
}

std::vector<TPaginaProposta> PaginasProposta(const Retangulo &area) {
    const EstadoDaFolha estado;
    const DadosDocumento d = CarregaDadosDocumento();
    std::vector<TPaginaProposta> paginas;
    for (const std::vector<int> &grupo : GruposProposta(G().Itens, G().NumItens)) {
        DefinePagina(grupo);
        PaginasDoGrupo(area, d, paginas);
    }
    return paginas;
}

int NumPaginasProposta() { return static_cast<int>(PaginasProposta().size()); }

void DefinePagina(const std::vector<int> &itens) {
    auto &v = G().Proposta.ItensPagina;
    v.clear();
    for (int k : itens)
        if (k >= 1 && k <= 40 && static_cast<int>(v.size()) < ItensPorPagina)
            v.push_back(k);
}

void EscreveDireita(const QString &texto, bool fimDeLinha) {
    Pagina().PosX -= LarguraTexto(texto);
    Escreve(texto, fimDeLinha);
}

void DesenhaProposta(QPainter &folha, const QRectF &alvo, const Retangulo &area, const TPaginaProposta &pagina) {
    if (area.largura() <= 0 || area.altura() <= 0)
        return;
    const EstadoDaFolha estado;
    folha.save();
    folha.translate(alvo.topLeft());
    folha.scale(alvo.width() / area.largura(), alvo.height() / area.altura());
    DefinePagina(pagina.Itens);
    PreparaFolha(folha, area);
    const DadosDocumento d = CarregaDadosDocumento();
    if (pagina.Continuacao)
        DesenhaCabecalhoContinuacao();
    else {
        DesenhaCabecalho();
        DesenhaItens(6);
    }
    const Corpo c = CorpoDaPagina(d);
    const int ate = std::min(pagina.Ate, static_cast<int>(c.linhas.size()));
    for (int i = std::max(0, pagina.De); i < ate; ++i) {
        const LinhaCorpo &l = c.linhas[static_cast<std::size_t>(i)];
        if (i == pagina.De && pagina.Continuacao && l.secao >= 0 && !l.titulo)
            Titulo(TituloContinuado(c.titulos[static_cast<std::size_t>(l.secao)]));
        l.desenha();
    }
    DesenhaRodape();
    folha.restore();
}

bool ImprimeProposta(QPagedPaintDevice &dispositivo, int de, int ate) {
    QPainter f;
    if (!f.begin(&dispositivo))
        return false;
    ImprimePaginasProposta(f, dispositivo, de, ate);
    f.end();
    return true;
}

void ImprimePaginasProposta(QPainter &folha, QPagedPaintDevice &dispositivo, int de, int ate) {
    auto &p = Pagina();
    auto &pr = G().Proposta;
    const bool imprimindo = p.Imprimindo;
    const QString texto = pr.TextoPagina;
    p.Imprimindo = true;
    // Laid out on the device's own page: nothing runs into its footer.
    const Retangulo area = AreaDoDispositivo(dispositivo);
    const std::vector<TPaginaProposta> paginas = PaginasProposta(area);
    const int n = static_cast<int>(paginas.size());
    de = std::clamp(de, 1, n);
    ate = std::clamp(ate, de, n);
    for (int i = de; i <= ate; ++i) {
        pr.TextoPagina = U("Pág. %1 de %2").arg(i).arg(n);
        DesenhaProposta(folha, QRectF(0, 0, dispositivo.width(), dispositivo.height()), area,
                        paginas[static_cast<std::size_t>(i - 1)]);
        if (i < ate)
            dispositivo.newPage();
    }
    p.Imprimindo = imprimindo;
    pr.TextoPagina = texto;
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

QStringList GeraHTML(const QDate &feito) {
    auto &pr = G().Proposta;
    const std::vector<int> itens = pr.ItensPagina;
    QStringList L;
    L << U("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"><html><head><title>proposta</title>"
           "<STYLE TYPE=\"text/css\"><!--TD {font-family: Verdana, Arial;font-size: 10}--></STYLE></head><body>");
    const BaseFiguras base = CarregaBaseFiguras();
    for (const std::vector<int> &grupo : GruposProposta(G().Itens, G().NumItens)) {
        L << QStringLiteral("<BR><BR>");
        DefinePagina(grupo);
        TabelaHTML(L, base, feito);
    }
    L << QStringLiteral("</body></html>");
    pr.ItensPagina = itens;
    return L;
}

QByteArray BytesHTML(const QStringList &linhas) {
    QByteArray b;
    for (const QString &l : linhas)
        b += ParaWin1252(l) + QByteArrayLiteral("\r\n");
    return b;
}

QByteArray PropostaHTML(const QDate &feito) { return BytesHTML(GeraHTML(feito)); }

bool GravaPropostaHTML(const QString &caminho, QString *erro, const QDate &feito) {
    QSaveFile arquivo(caminho);
    const QByteArray b = PropostaHTML(feito);
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
