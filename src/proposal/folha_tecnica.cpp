#include "proposal/folha_tecnica.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "pricing/precos.h"
#include "proposal/desenhos_item.h"
#include "proposal/proposta.h"
#include "quotation/arquivo_orc.h"
#include "selection/calculo.h"
#include "selection/desenho_rotacao.h"
#include "selection/desenho_sistema.h"
#include "shell/estado.h"
#include "shell/fabricante.h"
#include "shell/numeros.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace quellora {

namespace {

QString U(const char *texto) { return QString::fromUtf8(texto); }
QString F(const char *formato, double v) { return FormataFloat(QString::fromLatin1(formato), v); }
const QString Nada = QStringLiteral("-.-");

// 1/1.205: the stored 20 °C values are referred to standard air; the sheet
// brings them to the item's altitude, as the proposal's pages do.
constexpr double UmSobrePadrao = 1.0 / 1.205;

// --- Page pieces ------------------------------------------------------------

// Device pixels per screen pixel: gaps given in screen pixels keep their size.
int Escala() { return std::max(1, PixelsPorPolegada() / 96); }

int Tam() { return Pagina().TamFonte; }

void FimDeLinha() { Escreve(QString(), true); }

// What a line of the current font takes, and its ascent.
int AlturaLinha() { return AlturaTexto(QString()) + 2; }
int Ascendente() {
    const QPainter *f = Pagina().Folha;
    return f ? QFontMetrics(f->font(), f->device()).ascent() : 0;
}
// What Regua takes.
int AlturaRegua() { return 2 + 2 * Escala(); }

void Regua() {
    Separador();
    Pagina().PosY += 2 * Escala();
}

// A section's title: bold on a light band from x to 'direita'.
void Titulo(const QString &texto, int x, int direita) {
    auto &p = Pagina();
    FonteArial(Tam(), true);
    if (p.Folha)
        p.Folha->fillRect(QRect(x - 2 * Escala(), p.PosY, direita - x + 4 * Escala(), AlturaTexto(texto) + 2),
                          QColor(0xe8, 0xe8, 0xe8));
    EscreveEm(x, texto, true);
    FonteArial(Tam());
}

// The words of 'texto' in lines no wider than 'largura' in the current font.
QStringList Quebra(const QString &texto, int largura) {
    QStringList linhas;
    QString atual;
    for (const QString &palavra : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString junto = atual.isEmpty() ? palavra : atual + QLatin1Char(' ') + palavra;
        if (!atual.isEmpty() && LarguraTexto(junto) > largura) {
            linhas << atual;
            atual = palavra;
        } else {
            atual = junto;
        }
    }
    if (!atual.isEmpty())
        linhas << atual;
    return linhas;
}

// A column of label, value and unit rows: the label at x, the value ending
// at xValor, the unit after it.
struct Coluna {
    int x, xValor;
    void Linha(const QString &rotulo, const QString &valor, const QString &unidade = {}) const {
        EscreveEm(x, rotulo, false);
        Pagina().PosX = xValor - LarguraTexto(valor);
        Escreve(valor, false);
        if (!unidade.isEmpty())
            EscreveEm(xValor + LarguraTexto(QStringLiteral(" ")), unidade, false);
        FimDeLinha();
    }
};

// --- Values -----------------------------------------------------------------

QString Modelo(const TItemOrc &it) { return NomeLinha(it) + QLatin1Char(' ') + QString::number(it.Tamanho); }

QString Arranjo(const TItemOrc &it) { return it.Arranjo >= 1 && it.Arranjo <= 8 ? U(Arranjos[it.Arranjo]) : Nada; }

QString Acionamento(const TItemOrc &it) {
    if (it.Arranjo < 1 || it.Arranjo > 8)
        return QString();
    return ArranjoCorreia(it.Arranjo) ? U("transmissão por correias") : U("acoplamento direto");
}

QString Motor(const TItemOrc &it) {
    if (it.SemMotor)
        return U("sem motor");
    if (!it.ComMotor)
        return Nada;
    QStringList partes;
    partes << F("0.00", it.PotMotor) + U(" kW");
    if (it.Polos > 0)
        partes << U("%1 polos").arg(it.Polos);
    const QString tensao = (it.Tensao.trimmed() + QLatin1Char(' ') + it.Frequencia.trimmed()).trimmed();
    if (!tensao.isEmpty())
        partes << tensao;
    if (!it.Protecao.trimmed().isEmpty())
        partes << it.Protecao.trimmed();
    if (!it.Marca.trimmed().isEmpty())
        partes << it.Marca.trimmed();
    QString t = partes.join(QStringLiteral(", "));
    if (it.MotorEspecial)
        t += U(" (especial)");
    return t;
}

QString Conformidade(ResultadoUE r) {
    switch (r) {
    case ResultadoUE::Atende: return U("atende");
    case ResultadoUE::NaoAtende: return U("não atende");
    case ResultadoUE::ForaDoEscopo: return U("isento");
    default: return Nada;
    }
}

// --- The sections -----------------------------------------------------------

void DesenhaTopo(const TFolhaTecnica &fl) {
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    const int meio = a.Left + a.largura() / 2;
    FonteArial(Tam());
    Cabecalho();
    FonteArial(Tam(), true);
    EscreveEm(a.Left, U(DadosFabricante::Nome), false);
    FonteArial(Tam());
    const QString folha = U("Folha técnica");
    EscreveEm(a.Right - LarguraTexto(folha), folha, true);
    auto campo = [](int x, const char *rotulo, const QString &valor, bool fim) {
        FonteArial(Tam(), true);
        EscreveEm(x, U(rotulo), false);
        FonteArial(Tam());
        Escreve(valor, fim);
    };
    campo(a.Left, "Cliente: ", fl.Cliente, false);
    campo(meio, "Projeto: ", fl.Projeto, true);
    Regua();
    const TItemOrc &it = fl.Item;
    // The item in a larger font, its description on the same baseline.
    FonteArial(Tam() + 3, true);
    const int base = Ascendente();
    EscreveEm(a.Left, U("Item %1 - %2").arg(fl.Numero).arg(it.RefTag.trimmed()), false);
    FonteArial(Tam() + 1);
    const int desce = base - Ascendente();
    p.PosY += desce;
    Escreve(U("   ") + it.Descricao.trimmed(), false);
    p.PosY -= desce;
    FimDeLinha();
    FonteArial(Tam());
    campo(a.Left, "Ventilador: ", Modelo(it), false);
    campo(meio, "Quantidade: ", QString::number(it.Qtd), true);
    Regua();
}

void DesenhaGrafico(const TFolhaTecnica &fl, int altura) {
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    const TFiguras &fg = fl.Figuras;
    QString titulo = U("Curva característica a %1 rpm").arg(F("0", fl.Item.Rotacao));
    if (fg.Sistema.Ventiladores > 1)
        titulo += U(" - %1 ventiladores em paralelo").arg(fg.Sistema.Ventiladores);
    Titulo(titulo, a.Left, a.Right);
    const Retangulo area{a.Left, p.PosY + 2 * Escala(), a.Right, p.PosY + altura};
    if (fg.Valido) {
        DesenhaCurvaDaRotacao(fg, area);
    } else {
        EscreveEm(a.Left, U("Curva indisponível: a linha do ventilador não está no catálogo."), true);
    }
    p.PosY = area.Bottom + 2 * Escala();
    p.PosX = a.Left;
    p.AlturaLinha = 0;
    FonteArial(Tam());
    Regua();
}

// Rows of the operating data: eleven, two more for fans in parallel, one
// for a fixed pressure; of the efficiency, eight and the line of its basis.
int LinhasOperacao(const TItemOrc &it) {
    return 11 + (std::clamp(it.Ventiladores, 1, MaxVentiladores) > 1 ? 2 : 0) + (it.PressaoFixa > 0 ? 1 : 0);
}
constexpr int LinhasEficiencia = 8;

void DesenhaOperacaoEEficiencia(const TFolhaTecnica &fl) {
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    const int w = a.largura();
    const int espaco = LarguraTexto(QStringLiteral("m³/h  "));
    const int fimEsquerda = a.Left + w * 48 / 100;
    const int inicioDireita = a.Left + w * 52 / 100;
    const Coluna esquerda{a.Left, fimEsquerda - espaco - LarguraTexto(QStringLiteral("m"))};
    const Coluna direita{inicioDireita, a.Right - espaco - LarguraTexto(QStringLiteral("m"))};
    const TItemOrc &it = fl.Item;
    const int topo = p.PosY;

    Titulo(U("Dados de operação"), a.Left, fimEsquerda);
    const double rho20 = UmSobrePadrao * DensidadeRef(it.Altitude);
    const int n = std::clamp(it.Ventiladores, 1, MaxVentiladores);
    esquerda.Linha(U("Vazão de ar"), F("0", it.Direto ? it.VazaoDireto : it.Vazao), U("m³/h"));
    if (n > 1) {
        esquerda.Linha(U("Ventiladores em paralelo"), QString::number(n));
        esquerda.Linha(U("Vazão por ventilador"), F("0", VazaoDoVentilador(it)), U("m³/h"));
    }
    esquerda.Linha(U("Pressão estática"), F("0.0", it.Direto ? it.PressaoDireto : it.Pressao), U("mmCA"));
    esquerda.Linha(U("Pressão total"), F("0.0", it.PTotalOp), U("mmCA"));
    if (it.PressaoFixa > 0)
        esquerda.Linha(U("Pressão fixa do sistema"), F("0.0", it.PressaoFixa), U("mmCA"));
    esquerda.Linha(U("Rotação"), F("0", it.Rotacao), U("1/min"));
    esquerda.Linha(U("Velocidade de descarga"), F("0.0", it.VelDescarga), U("m/s"));
    esquerda.Linha(U("Rendimento total"), F("0", it.Rendimento), U("%"));
    esquerda.Linha(U("Potência no eixo (op)"), F("0.00", it.PotOp), U("kW"));
    esquerda.Linha(U("Potência no eixo a 20 °C"), F("0.00", it.Pot20 * rho20), U("kW"));
    esquerda.Linha(U("Densidade do fluido"), F("0.000", it.DensidadeItem), U("kg/m³"));
    esquerda.Linha(U("Temperatura de operação"), NumeroGeral(it.Temperatura), U("°C"));
    esquerda.Linha(U("Altitude"), NumeroGeral(it.Altitude), U("m"));
    const int fimOperacao = p.PosY;

    p.PosY = topo;
    Titulo(U("Eficiência energética e conformidade"), inicioDireita, a.Right);
    const TEficiencia &e = fl.Eficiencia;
    const bool ue = e.AtendeUE == ResultadoUE::Atende || e.AtendeUE == ResultadoUE::NaoAtende;
    auto ou = [&](bool tem, const QString &v) { return e.Valida && tem ? v : Nada; };
    direita.Linha(U("Índice FEI (AMCA 208)"), ou(true, F("0.00", e.FEI)));
    direita.Linha(U("FEI, pressão estática"), ou(true, F("0.00", e.FEIEstatico)));
    direita.Linha(U("Rendimento mínimo UE 2024/1834"), ou(ue, F("0.0", e.UE.Minimo)), U("%"));
    direita.Linha(U("Rendimento do ventilador (UE)"), ou(e.UE.Definido, F("0.0", e.RendUE)), U("%"));
    direita.Linha(U("Atende UE 2024/1834"), e.Valida ? Conformidade(e.AtendeUE) : Nada);
    direita.Linha(U("Potência elétrica"), ou(true, F("0.00", e.PotEletrica)), U("kW"));
    direita.Linha(U("Consumo anual"), ou(true, F(",0", e.ConsumoAnual)), U("kWh"));
    direita.Linha(U("Custo anual"), ou(true, F(",0.00", e.CustoAnual)), U("R$"));
    FonteArial(Tam() - 1);
    EscreveEm(inicioDireita, U("Base: %1 h/ano, R$ %2/kWh")
                                 .arg(NumeroGeral(fl.Preferencias.HorasAno), F("0.00", fl.Preferencias.Tarifa)),
              true);
    FonteArial(Tam());
    p.PosY = std::max(p.PosY, fimOperacao);
    Regua();
}

void DesenhaRuido(const TFolhaTecnica &fl) {
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    const TFiguras &fg = fl.Figuras;
    const TRuido &r = fg.Ruido;
    Titulo(U("Ruído (bandas de oitava)"), a.Left, a.Right);
    if (!fg.TemRuido) {
        EscreveEm(a.Left, U("Pressão sonora LpA: sem espectro sonoro, dB(A) não calculado"), true);
        Regua();
        return;
    }
    EscreveOitavas(r, a.Left, a.Left + LarguraTexto(U("LwA (dB(A)):  ")), a.Right);
    FonteArial(Tam(), true);
    EscreveEm(a.Left, U("Pressão sonora LpA a %1 m (Q = %2): %3 dB(A)")
                          .arg(NumeroGeral(r.Distancia), NumeroGeral(r.Diretividade), F("0", r.LpA)),
              false);
    FonteArial(Tam());
    EscreveEm(a.Left + a.largura() / 2 + LarguraTexto(QStringLiteral("  ")),
              U("Exposição permitida (NR-15): ") + TextoExposicao(r.Exposicao), true);
    Regua();
}

// Where the construction's values start and its text ends; the pictures'
// width and height, and the height of their captions.
struct Construcao {
    int xValor, fimTexto, largura, alturaFig, alturaLegenda;
};
Construcao MedidasConstrucao() {
    const Retangulo &a = Pagina().AreaPagina;
    Construcao c;
    FonteArial(Tam(), true);
    c.xValor = a.Left + LarguraTexto(U("Acessórios:  "));
    c.fimTexto = a.Left + a.largura() / 2;
    c.largura = (a.Right - c.fimTexto) / 2 - 4 * Escala();
    c.alturaFig = c.largura * 90 / 100;
    FonteArial(Tam() - 1);
    c.alturaLegenda = AlturaTexto(QString());
    FonteArial(Tam());
    return c;
}

QString TextoAcessorios(const TFolhaTecnica &fl) {
    return fl.Acessorios.isEmpty() ? U("nenhum") : fl.Acessorios.join(QStringLiteral("; "));
}

// The accessories' lines: in the text column while they fit beside the
// pictures, else under them across the page in the smaller font.
struct LinhasAcessorios {
    bool Largas = false;
    QStringList Linhas;
};
LinhasAcessorios AcessoriosEmLinhas(const TFolhaTecnica &fl, const Construcao &m) {
    const Retangulo &a = Pagina().AreaPagina;
    LinhasAcessorios r;
    FonteArial(Tam());
    r.Linhas = Quebra(TextoAcessorios(fl), m.fimTexto - m.xValor);
    if ((4 + r.Linhas.size()) * AlturaLinha() > m.alturaLegenda + m.alturaFig + 4 * Escala()) {
        r.Largas = true;
        FonteArial(Tam() - 1);
        r.Linhas = Quebra(TextoAcessorios(fl), a.Right - m.xValor);
    }
    FonteArial(Tam());
    return r;
}

// The warnings' texts: the codes' sentences, and what an item without its
// line on the catalogue lacks.
QStringList AvisosDaFolha(const TFolhaTecnica &fl) {
    const TFiguras &fg = fl.Figuras;
    QStringList avisos;
    for (const QString &c : fg.Avisos)
        avisos << U("• ") + TextoDoAviso(c, fg);
    if (!fg.Valido)
        avisos << U("• Sem a linha do ventilador no catálogo não há curva, sistema nem avisos.");
    return avisos;
}

void DesenhaConstrucao(const TFolhaTecnica &fl) {
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    const TItemOrc &it = fl.Item;
    const Construcao m = MedidasConstrucao();
    const int fimTexto = m.fimTexto, xValor = m.xValor;
    Titulo(U("Construção"), a.Left, a.Right);
    const int topo = p.PosY;

    // The text at the left.
    auto linha = [&](const char *rotulo, const QString &valor) {
        FonteArial(Tam(), true);
        EscreveEm(a.Left, U(rotulo), false);
        FonteArial(Tam());
        const QStringList partes = Quebra(valor, fimTexto - xValor);
        if (partes.isEmpty())
            FimDeLinha();
        for (const QString &parte : partes)
            EscreveEm(xValor, parte, true);
    };
    linha("Ventilador:", Modelo(it) + (it.PaginaArranjo == 1 ? U(", dupla aspiração") : QString()));
    linha("Motor:", Motor(it));
    const QString acionamento = Acionamento(it);
    linha("Arranjo:", Arranjo(it) + (acionamento.isEmpty() ? QString() : U(" (") + acionamento + U(")")));
    linha("Posição:", it.Posicao.trimmed().isEmpty() ? U("não escolhida") : it.Posicao.trimmed());
    const LinhasAcessorios acessorios = AcessoriosEmLinhas(fl, m);
    auto escreveAcessorios = [&] {
        FonteArial(Tam(), true);
        EscreveEm(a.Left, U("Acessórios:"), false);
        FonteArial(acessorios.Largas ? Tam() - 1 : Tam());
        for (const QString &parte : acessorios.Linhas)
            EscreveEm(xValor, parte, true);
        FonteArial(Tam());
    };
    if (!acessorios.Largas)
        escreveAcessorios();
    const int fimTextos = p.PosY;

    // The pictures at the right, each with its caption.
    const int largura = m.largura, alturaFig = m.alturaFig, alturaLegenda = m.alturaLegenda;
    FonteArial(Tam() - 1);
    auto figura = [&](int x, const QString &legenda, auto desenha) {
        if (!p.Folha)
            return;
        const QRectF r(x, topo + alturaLegenda + 2 * Escala(), largura, alturaFig);
        if (!desenha(*p.Folha, r, it))
            return;
        p.PosY = topo;
        EscreveEm(x + (largura - LarguraTexto(legenda)) / 2, legenda, false);
    };
    figura(fimTexto + 4 * Escala(), U("Arranjo ") + Arranjo(it), DesenhaArranjoDoItem);
    figura(fimTexto + largura + 8 * Escala(), U("Posição ") + it.Posicao.trimmed(), DesenhaPosicaoDoItem);
    FonteArial(Tam());
    p.PosX = a.Left;
    p.AlturaLinha = 0;
    p.PosY = std::max(fimTextos, topo + alturaLegenda + alturaFig + 4 * Escala());
    if (acessorios.Largas)
        escreveAcessorios();
    Regua();
}

void DesenhaAvisos(const TFolhaTecnica &fl) {
    const QStringList avisos = AvisosDaFolha(fl);
    if (avisos.isEmpty())
        return;
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    Titulo(U("Avisos"), a.Left, a.Right);
    for (const QString &aviso : avisos)
        for (const QString &l : Quebra(aviso, a.largura()))
            EscreveEm(a.Left, l, true);
    Regua();
}

// What the sections under the chart take, down to the bottom of the text
// area: the chart has the rest.
int AlturaAbaixoDoGrafico(const TFolhaTecnica &fl) {
    const Retangulo &a = Pagina().AreaPagina;
    FonteArial(Tam() - 1);
    const int menor = AlturaLinha();
    FonteArial(Tam());
    const int l = AlturaLinha();
    const Construcao m = MedidasConstrucao();
    int h = l + std::max(LinhasOperacao(fl.Item) * l, LinhasEficiencia * l + menor) + AlturaRegua();
    h += l + (fl.Figuras.TemRuido ? 5 : 1) * l + AlturaRegua();
    const LinhasAcessorios acessorios = AcessoriosEmLinhas(fl, m);
    const int nAcessorios = static_cast<int>(std::max<qsizetype>(1, acessorios.Linhas.size()));
    const int figuras = m.alturaLegenda + m.alturaFig + 4 * Escala();
    h += l + AlturaRegua() +
         (acessorios.Largas ? std::max(4 * l, figuras) + l + (nAcessorios - 1) * menor : std::max((4 + nAcessorios) * l, figuras));
    int avisos = 0;
    for (const QString &aviso : AvisosDaFolha(fl))
        avisos += static_cast<int>(Quebra(aviso, a.largura()).size());
    if (avisos > 0)
        h += l + avisos * l + AlturaRegua();
    // The maker's lines with their rule.
    return h + 3 * menor + 8 * Escala() + 2 + 2 * Escala();
}

// The maker's lines over the bottom of the text area; the page's text below
// the inner frame.
void DesenhaRodape(const TFolhaTecnica &fl, const QString &textoPagina) {
    auto &p = Pagina();
    const Retangulo &a = p.AreaPagina;
    FonteArial(Tam() - 1);
    const int h = AlturaTexto(QString());
    p.PosY = a.Bottom - 2 * h - 8 * Escala();
    p.AlturaLinha = 0;
    Separador();
    p.PosY += 2 * Escala();
    EscreveEm(a.Left, U(DadosFabricante::Nome) + U(" - ") + U(DadosFabricante::Endereco), true);
    EscreveEm(a.Left, U(DadosFabricante::Telefone) + U("   ") + U(DadosFabricante::EmailVendas), true);
    p.PosY = a.Bottom + 4 * Escala();
    const QString item = U("Folha técnica do item %1 (%2)").arg(fl.Numero).arg(fl.Item.RefTag.trimmed());
    EscreveEm(a.Left, item, false);
    EscreveEm(a.Right - LarguraTexto(textoPagina), textoPagina, true);
    FonteArial(Tam());
}

} // namespace

// --- The data ---------------------------------------------------------------

TBaseFolhas CarregaBaseFolhas(const QString &dirCatalogo, const QString &dirDados) {
    TBaseFolhas b;
    if (!LeTodosModelos(dirCatalogo, b.Modelos))
        b.Modelos.clear();
    if (!CarregaEnergia(dirCatalogo, b.Energia))
        b.Energia = TEnergiaCatalogo{};
    if (!CarregaPreferencias(dirDados, b.Preferencias))
        b.Preferencias = TPreferencias{};
    return b;
}

TFolhaTecnica MontaFolhaTecnica(const TItemOrc &item, int numero, const TBaseFolhas &base, const TOrcamento &orc,
                                const Faixa<TAcessorio, 1, 45> &acessorios) {
    TFolhaTecnica f;
    f.Numero = numero;
    f.Item = item;
    f.Preferencias = base.Preferencias;
    f.Cliente = orc.Cliente;
    f.Projeto = orc.Projeto;
    f.NumOrc = orc.NumOrc;
    static const TDadosModelo semLinha;
    const TDadosModelo *m = &semLinha;
    for (const TDadosModelo &x : base.Modelos)
        if (x.TemDados && !item.Linha.isEmpty() && x.Codigo.left(4) == item.Linha) {
            m = &x;
            break;
        }
    f.Figuras = FigurasDoItem(item, *m, base.Preferencias);
    f.Eficiencia = EficienciaDoItem(item, base.Energia, base.Preferencias);
    for (int c = 1; c <= NumAcessorios; ++c)
        if (item.AcessSel[c] && !acessorios[c].NomeAcessorio.trimmed().isEmpty())
            f.Acessorios << acessorios[c].NomeAcessorio.trimmed();
    for (int j = 0; j < std::clamp(orc.NumAcessEsp, 0, 10); ++j)
        if (item.AcessEspPreco[j] != 0 && !orc.AcessEsp[j].trimmed().isEmpty())
            f.Acessorios << orc.AcessEsp[j].trimmed();
    return f;
}

std::vector<int> ItensComFolha(const Faixa<TItemOrc, 0, 40> &itens, int numItens) {
    std::vector<int> v;
    for (int k = 1; k <= std::clamp(numItens, 0, 40); ++k)
        if (ItemPronto(itens[k]))
            v.push_back(k);
    return v;
}

std::vector<TFolhaTecnica> FolhasDoOrcamento(const TEstado &g) {
    const TBaseFolhas base = CarregaBaseFolhas(g.DirCatalogo, g.DirDados);
    std::vector<TFolhaTecnica> v;
    for (int k : ItensComFolha(g.Itens, g.NumItens))
        v.push_back(MontaFolhaTecnica(g.Itens[k], k, base, g.Orcamento, g.Acessorios));
    return v;
}

// --- Drawing ------------------------------------------------------------------

void DesenhaFolhaTecnica(QPainter &f, const Retangulo &r, const TFolhaTecnica &folha, const QString &textoPagina) {
    auto &p = Pagina();
    p.Folha = &f;
    p.AreaPagina = r;
    f.setPen(QPen(Qt::black, std::max(1, PixelsPorPolegada() / 96)));
    f.setRenderHint(QPainter::TextAntialiasing);
    DesenhaMoldura();
    const int folga = 4 * (Escala() - 1);
    p.AreaPagina = {p.AreaPagina.Left + folga, p.AreaPagina.Top + folga, p.AreaPagina.Right - folga,
                    p.AreaPagina.Bottom - folga};
    p.PosX = p.AreaPagina.Left;
    p.PosY = p.AreaPagina.Top;
    p.AlturaLinha = 0;
    FonteArial(Tam());

    DesenhaTopo(folha);
    // The chart takes what the sections under it leave, within bounds.
    const int h = p.AreaPagina.altura();
    const int livre = p.AreaPagina.Bottom - p.PosY - AlturaAbaixoDoGrafico(folha) - AlturaLinha() - AlturaRegua() -
                      4 * Escala();
    DesenhaGrafico(folha, std::clamp(livre, h * 16 / 100, h * 42 / 100));
    DesenhaOperacaoEEficiencia(folha);
    DesenhaRuido(folha);
    DesenhaConstrucao(folha);
    DesenhaAvisos(folha);
    DesenhaRodape(folha, textoPagina);
}

void ImprimeFolhasTecnicas(QPainter &f, QPagedPaintDevice &dispositivo, const std::vector<TFolhaTecnica> &folhas) {
    auto &p = Pagina();
    const TEstadoPagina antes = p;
    p.Imprimindo = true;
    p.TamFonte = 9;
    p.TamFonteMenor = 7;
    const int n = static_cast<int>(folhas.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            dispositivo.newPage();
        DesenhaFolhaTecnica(f, {0, 0, dispositivo.width(), dispositivo.height()}, folhas[static_cast<std::size_t>(i)],
                            U("Folha %1 de %2").arg(i + 1).arg(n));
    }
    p = antes;
}

bool GravaFolhasTecnicasPDF(const QString &caminho, const std::vector<TFolhaTecnica> &folhas, QString *erro) {
    auto falha = [&](const QString &motivo) {
        if (erro)
            *erro = U("Não foi possível gravar as folhas técnicas \"%1\": %2").arg(caminho, motivo);
        return false;
    };
    if (folhas.empty())
        return falha(U(MsgSemItensProntos));
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly))
        return falha(arquivo.errorString());
    {
        QPdfWriter pdf(&arquivo);
        PreparaPDF(pdf, U("Folhas técnicas - proposta nº ") + folhas.front().NumOrc);
        QPainter f;
        if (!f.begin(&pdf))
            return falha(U("a página não pôde ser desenhada"));
        ImprimeFolhasTecnicas(f, pdf, folhas);
        f.end();
    }
    if (!arquivo.commit())
        return falha(arquivo.errorString());
    return true;
}

QByteArray PropostaEFolhasPDF(const std::vector<TFolhaTecnica> &folhas) {
    QByteArray dados;
    QBuffer buffer(&dados);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        PreparaPDF(pdf, U("Proposta nº ") + G().Orcamento.NumOrc);
        QPainter f;
        if (!f.begin(&pdf))
            return {};
        ImprimePaginasProposta(f, pdf, 1, NumPaginasProposta());
        if (!folhas.empty()) {
            pdf.newPage();
            ImprimeFolhasTecnicas(f, pdf, folhas);
        }
        f.end();
    }
    return dados;
}

QString NomeArquivoFolhas(const QString &numOrc) {
    const QString n = numOrc.trimmed();
    return n.isEmpty() ? U("folhas.pdf") : U("folhas_%1.pdf").arg(NomeArquivoOrc(n).chopped(4));
}

QString NomeAnexoPDF(const QString &numOrc) {
    const QString n = numOrc.trimmed();
    return n.isEmpty() ? U("proposta.pdf") : U("proposta_%1.pdf").arg(NomeArquivoOrc(n).chopped(4));
}

} // namespace quellora
