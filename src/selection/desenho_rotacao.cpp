#include "selection/desenho_rotacao.h"

#include "selection/desenho_sistema.h"
#include "shell/numeros.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace quellora {

namespace {

const QString TituloPotencia = QStringLiteral("Potência no eixo kW");
const QString TituloRendimento = QStringLiteral("Rendimento %");

QFont Arial(int pontos) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(std::max(1, pontos));
    return f;
}

// Curves on paper a hundred-and-fiftieth of an inch wide: they stand out
// from the hair-thin grid.
QPen Traco(QRgb cor, Qt::PenStyle estilo) {
    const auto &p = Pagina();
    QPen caneta(p.Monocromatico ? QColor(Qt::black) : QColor::fromRgb(cor),
                p.Imprimindo ? std::max(1, PixelsPorPolegada() / 150) : 0);
    caneta.setStyle(estilo);
    return caneta;
}

int AlturaNaEscala(const TGeometriaCurva &geo, const TEixo &e, double v) {
    const Retangulo &g = geo.Grade;
    const double m = e.Maximo() > 0 ? e.Maximo() : 1;
    return g.Bottom - static_cast<int>(std::clamp(v / m, -10.0, 10.0) * (g.Bottom - g.Top));
}

// The legend: a sample of each line and its name, from (x, y).
void Legenda(QPainter &f, int x, int y, const TFiguras &fg) {
    const QFontMetrics fm(f.font(), f.device());
    const int amostra = 3 * fm.horizontalAdvance(QStringLiteral("M"));
    const int meio = y + fm.height() / 2;
    auto item = [&](const QPen &caneta, const QString &nome) {
        f.setPen(caneta);
        f.drawLine(x, meio, x + amostra, meio);
        f.setPen(QPen(Qt::black, 0));
        TextoEm(f, x + amostra + fm.horizontalAdvance(QStringLiteral(" ")), y, nome);
        x += amostra + fm.horizontalAdvance(QStringLiteral(" ") + nome + QStringLiteral("    "));
    };
    item(Traco(CorOperacao, Qt::SolidLine), QStringLiteral("Pressão total"));
    item(Traco(CorPotencia, Qt::DashLine), QStringLiteral("Potência no eixo"));
    item(Traco(CorRendimento, Qt::DotLine), QStringLiteral("Rendimento"));
    if (fg.Sistema.Valido)
        item(Traco(CorSistema, Pagina().Monocromatico ? Qt::DashDotLine : Qt::SolidLine),
             QStringLiteral("Curva do sistema"));
    if (fg.Sistema.Ventiladores > 1)
        item(Traco(CorOperacao, Qt::DashLine), QStringLiteral("Ventiladores em paralelo"));
    // The operating point as the chart marks it.
    const int r = fm.height() / 3;
    f.setPen(QPen(Qt::black, 0));
    f.setBrush(QBrush(QColor::fromRgb(CorPonto), Qt::SolidPattern));
    f.drawEllipse(QRect(x + amostra / 2 - r, meio - r, 2 * r, 2 * r));
    f.setBrush(Qt::NoBrush);
    TextoEm(f, x + amostra, y, QStringLiteral("Ponto de operação"));
}

} // namespace

std::vector<TPontoRotacao> PontosDaRotacao(const TDadosCurva &d) {
    std::vector<TPontoRotacao> v;
    for (int j = 1; j <= 7; ++j) {
        const double q = d.VazaoCurva[0][j], p = d.PressaoCurva[0][j];
        v.push_back({q, p, PotenciaNoGrafico(q, p, d.RendCurva[j]), d.RendCurva[j]});
    }
    return v;
}

TEscalasRotacao EscalasDaRotacao(const std::vector<TPontoRotacao> &pontos, int divisoes) {
    divisoes = std::max(1, divisoes);
    double potencia = 0, rendimento = 100;
    for (const TPontoRotacao &p : pontos) {
        potencia = std::max(potencia, p.Potencia);
        rendimento = std::max(rendimento, p.Rendimento);
    }
    TEscalasRotacao e{EixoRedondo(potencia > 0 ? potencia : 1, divisoes), EixoRedondo(rendimento, divisoes)};
    e.Potencia.Divisoes = e.Rendimento.Divisoes = divisoes;
    return e;
}

TGeometriaCurva DesenhaCurvaDaRotacao(const TFiguras &fg, const Retangulo &area) {
    auto &p = Pagina();
    TGeometriaCurva geo;
    if (!p.Folha || !fg.Valido)
        return geo;
    QPainter &f = *p.Folha;
    f.save();
    f.setRenderHint(QPainter::Antialiasing, false);
    const TDadosCurva &d = fg.Curva;
    const TEntradaCurva &e = fg.Entrada;

    // The legend above the grid, in the smaller font.
    f.setFont(Arial(p.TamFonteMenor));
    const QFontMetrics fmMenor(f.font(), f.device());
    Legenda(f, area.Left, area.Top, fg);

    // The axes hold the duty, the fan's curve and where the fans meet the
    // system; the right keeps room for the power and efficiency scales.
    std::vector<QPointF> contidos = PontosDaOperacao(d);
    const std::vector<QPointF> sistema = PontosDoSistema(fg.Sistema);
    contidos.insert(contidos.end(), sistema.begin(), sistema.end());
    const TEixosCurva eixos = EixosDaCurva(QPointF(e.CurvaVazaoOp, e.CurvaPressaoOp), contidos);
    const std::vector<TPontoRotacao> pontos = PontosDaRotacao(d);
    const TEscalasRotacao escalas = EscalasDaRotacao(pontos, eixos.Pressao.Divisoes);
    f.setFont(Arial(p.TamFonte));
    const QFontMetrics fm(f.font(), f.device());
    auto maisLargo = [&](const TEixo &x) {
        int w = 0;
        for (int i = 0; i <= x.Divisoes; ++i)
            w = std::max(w, fm.horizontalAdvance(RotuloEixo(x, i)));
        return w;
    };
    const int folga = fm.horizontalAdvance(QStringLiteral(" "));
    const int wPot = maisLargo(escalas.Potencia), wRend = maisLargo(escalas.Rendimento);
    const int direita = 2 * folga + wPot + folga + wRend + 2 * fm.height() + 2 * folga;
    Retangulo grade = area;
    grade.Top += fmMenor.height() + fm.height() / 2;
    grade.Right -= direita;
    geo = DesenhaGradeCurva(grade, eixos);
    const Retangulo &g = geo.Grade;

    // The scales at the right, each in its line's colour, and their titles.
    auto escala = [&](const TEixo &x, int esquerda, int largura, QRgb cor) {
        f.setPen(Traco(cor, Qt::SolidLine));
        for (int n = 0; n <= x.Divisoes; ++n) {
            const QString t = RotuloEixo(x, x.Divisoes - n);
            TextoEm(f, esquerda + largura - fm.horizontalAdvance(t), geo.YHorizontal(n) - fm.height() / 2, t);
        }
    };
    const int xPot = g.Right + 2 * folga;
    const int xRend = xPot + wPot + folga;
    escala(escalas.Potencia, xPot, wPot, CorPotencia);
    escala(escalas.Rendimento, xRend, wRend, CorRendimento);
    const int meio = (g.Top + g.Bottom) / 2;
    f.setPen(Traco(CorPotencia, Qt::SolidLine));
    TextoGirado(f, xRend + wRend + folga, meio + fm.horizontalAdvance(TituloPotencia) / 2, TituloPotencia, 90);
    f.setPen(Traco(CorRendimento, Qt::SolidLine));
    TextoGirado(f, xRend + wRend + folga + fm.height(), meio + fm.horizontalAdvance(TituloRendimento) / 2,
                TituloRendimento, 90);

    // The system and the fans in parallel, under the fan's own lines.
    DesenhaSistema(geo, d, fg.Sistema);

    // Power and efficiency along the operating speed's curve.
    QPolygon potencia, rendimento;
    for (const TPontoRotacao &pt : pontos) {
        const int x = geo.Ponto(pt.Vazao, 0).x();
        potencia << QPoint(x, AlturaNaEscala(geo, escalas.Potencia, pt.Potencia));
        rendimento << QPoint(x, AlturaNaEscala(geo, escalas.Rendimento, pt.Rendimento));
    }
    f.setPen(Traco(CorPotencia, Qt::DashLine));
    LinhaNaGrade(geo, potencia);
    f.setPen(Traco(CorRendimento, Qt::DotLine));
    LinhaNaGrade(geo, rendimento);

    // The pressure at the operating speed, then the operating point on it.
    f.setPen(Traco(CorOperacao, Qt::SolidLine));
    DesenhaRotacaoOperacao(geo, d, g.Right);
    f.setPen(QPen(Qt::black, 0));
    DesenhaPontoOperacao(geo, e);
    f.restore();
    return geo;
}

} // namespace quellora
