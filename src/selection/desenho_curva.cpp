#include "selection/desenho_curva.h"

#include "shell/numeros.h"

#include <QFontMetrics>
#include <QPointF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quellora {

namespace {

const QString TituloPressao = QStringLiteral("Pressão total mmCA");
const QString TituloVazao = QStringLiteral("Vazão de ar m³/h");

int Trunc(long double v) { return static_cast<int>(std::trunc(v)); }

QFont Arial(int pontos, bool negrito = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(std::max(1, pontos));
    f.setBold(negrito);
    return f;
}

void Caneta(QPainter &f, QRgb cor, bool monocromatico) {
    if (monocromatico)
        return;
    QPen p = f.pen();
    p.setColor(QColor::fromRgb(cor));
    f.setPen(p);
}

} // namespace

void TextoGirado(QPainter &f, int x, int y, const QString &texto, double graus) {
    const QFontMetrics fm(f.font(), f.device());
    f.save();
    f.translate(x, y);
    f.rotate(-graus);
    f.drawText(0, fm.ascent(), texto);
    f.restore();
}

void TextoEm(QPainter &f, int x, int y, const QString &texto) {
    const QFontMetrics fm(f.font(), f.device());
    f.drawText(x, y + fm.ascent(), texto);
}

void LinhaNaGrade(const TGeometriaCurva &geo, const QPolygon &linha) {
    QPainter *f = Pagina().Folha;
    if (!f)
        return;
    const Retangulo &g = geo.Grade;
    f->save();
    f->setClipRect(QRect(g.Left, g.Top, g.Right - g.Left + 1, g.Bottom - g.Top + 1));
    f->drawPolyline(linha);
    f->restore();
}

QPoint TGeometriaCurva::Ponto(double vazao, double pressao) const {
    const long double ev = Eixos.Vazao.Maximo() > 0 ? Eixos.Vazao.Maximo() : 1;
    const long double ep = Eixos.Pressao.Maximo() > 0 ? Eixos.Pressao.Maximo() : 1;
    // Points far off the chart stay far off, within what a pixel can hold.
    auto limita = [](long double v) { return Trunc(std::clamp(v, -1.0e6L, 1.0e6L)); };
    return {limita(Grade.Left + vazao * static_cast<long double>(Grade.Right - Grade.Left) / ev),
            limita(Grade.Bottom - pressao * static_cast<long double>(Grade.Bottom - Grade.Top) / ep)};
}

int TGeometriaCurva::XVertical(int i) const {
    return Trunc(Grade.Left + i * static_cast<long double>(Grade.Right - Grade.Left) / std::max(1, Eixos.Vazao.Divisoes));
}

int TGeometriaCurva::YHorizontal(int n) const {
    return Trunc(Grade.Top + n * static_cast<long double>(Grade.Bottom - Grade.Top) / std::max(1, Eixos.Pressao.Divisoes));
}

bool TGeometriaCurva::Dentro(const QPoint &p) const {
    return p.x() >= Grade.Left && p.x() <= Grade.Right && p.y() >= Grade.Top && p.y() <= Grade.Bottom;
}

TGeometriaCurva GeometriaCurva(const Retangulo &area, const TMedidasCurva &m, const TEixosCurva &eixos) {
    TGeometriaCurva g;
    g.Eixos = eixos;
    Retangulo r = area;
    r.Left += m.AlturaTituloPressao + m.LarguraEscalaPressao;
    r.Bottom -= 2 * m.AlturaTituloVazao;
    r.Right -= m.LarguraEscalaVazao / 2;
    r.Left += 4;
    r.Top += 4;
    r.Right -= 4;
    r.Bottom -= 4;
    g.Grade = r;
    return g;
}

QString RotuloEixo(const TEixo &e, int i) { return NumeroGeral(i * e.Passo); }

TGeometriaCurva DesenhaGradeCurva(const Retangulo &area, const TEixosCurva &eixos) {
    auto &p = Pagina();
    TGeometriaCurva geo;
    geo.Eixos = eixos;
    if (!p.Folha)
        return geo;
    QPainter &f = *p.Folha;
    const int ppp = PixelsPorPolegada();
    f.setFont(Arial(p.TamFonte));
    f.setPen(QPen(Qt::black, 0));
    const QFontMetrics fm(f.font(), f.device());

    // The vertical axis title, turned by 90°.
    TextoGirado(f, area.Left, area.Bottom - (area.Bottom - area.Top - fm.horizontalAdvance(TituloPressao)) / 2,
                TituloPressao, 90);

    // Room for the titles and labels.
    const int nv = eixos.Vazao.Divisoes, np = eixos.Pressao.Divisoes;
    TMedidasCurva m;
    m.AlturaTituloPressao = fm.height();
    m.LarguraEscalaPressao = fm.horizontalAdvance(RotuloEixo(eixos.Pressao, np));
    m.AlturaTituloVazao = fm.height();
    m.LarguraEscalaVazao = fm.horizontalAdvance(RotuloEixo(eixos.Vazao, nv));
    const int left4 = area.Left + m.AlturaTituloPressao + m.LarguraEscalaPressao;
    TextoEm(f, left4 + (area.Right - fm.horizontalAdvance(TituloVazao)) / 2, area.Bottom - fm.height(), TituloVazao);
    geo = GeometriaCurva(area, m, eixos);
    const Retangulo &g = geo.Grade;

    // Grid and labels in silver, at the axes' round steps.
    f.setPen(QPen(QColor::fromRgb(CorGrade), 0));
    f.setBrush(Qt::NoBrush);
    f.drawRect(g.Left, g.Top, g.Right - g.Left - 1, g.Bottom - g.Top - 1);
    for (int i = 1; i < nv; ++i)
        f.drawLine(geo.XVertical(i), g.Top, geo.XVertical(i), g.Bottom + 2);
    // On a small chart, where the flow labels would touch, every other one.
    const int passo = geo.XVertical(1) - geo.XVertical(0) <
                              fm.horizontalAdvance(RotuloEixo(eixos.Vazao, nv) + QStringLiteral("  "))
                          ? 2
                          : 1;
    for (int i = 0; i <= nv; i += passo) {
        const QString t = RotuloEixo(eixos.Vazao, i);
        TextoEm(f, geo.XVertical(i) - fm.horizontalAdvance(t) / 2, g.Bottom + 3, t);
    }
    for (int n = 1; n < np; ++n)
        f.drawLine(g.Left - 2, geo.YHorizontal(n), g.Right, geo.YHorizontal(n));
    for (int n = np; n >= 0; --n) {
        const QString t = RotuloEixo(eixos.Pressao, np - n);
        int x = g.Left - 2 - fm.horizontalAdvance(t);
        if (n == np)
            x -= Trunc(ppp * 0.1L / 2.54L);
        TextoEm(f, x, geo.YHorizontal(n) - fm.height() / 2, t);
    }
    return geo;
}

void DesenhaRotacaoOperacao(const TGeometriaCurva &geo, const TDadosCurva &d, int direita) {
    auto &p = Pagina();
    if (!p.Folha)
        return;
    QPainter &f = *p.Folha;
    f.setFont(Arial(p.TamFonte));
    const QFontMetrics fm(f.font(), f.device());
    Caneta(f, CorOperacao, p.Monocromatico);
    QPolygon l;
    for (int j = 1; j <= 7; ++j)
        l << geo.Ponto(d.VazaoCurva[0][j], d.PressaoCurva[0][j]);
    LinhaNaGrade(geo, l);
    // Its speed after its last point, above it where the page ends.
    const QPoint ult = l.last();
    const QString t = NumeroGeral(d.RpmCurva[0]) + QStringLiteral("rpm");
    const int largura = fm.horizontalAdvance(t);
    if (ult.x() + 2 + largura <= direita)
        TextoEm(f, ult.x() + 2, ult.y() - fm.height() / 2, t);
    else
        TextoEm(f, std::min(ult.x(), direita) - largura, ult.y() - fm.height() - 2, t);
}

void DesenhaPontoOperacao(const TGeometriaCurva &geo, const TEntradaCurva &e) {
    auto &p = Pagina();
    if (!p.Folha)
        return;
    QPainter &f = *p.Folha;
    f.setBrush(QBrush(QColor::fromRgb(CorPonto), Qt::SolidPattern));
    const int r = p.Imprimindo ? Trunc(PixelsPorPolegada() * 0.1L / 2.54L) : p.TamFonte / 2;
    const QPoint op = geo.Ponto(e.CurvaVazaoOp, e.CurvaPressaoOp);
    f.drawEllipse(QRect(op.x() - r, op.y() - r, 2 * r, 2 * r));
    f.setBrush(Qt::NoBrush);
    f.setPen(QPen(Qt::black, 0));
}

TGeometriaCurva DesenhaCurva(const TDadosCurva &d, const TEntradaCurva &e, const BlocoCurva &bloco,
                             const TExtrasCurva &extras) {
    auto &p = Pagina();
    TGeometriaCurva geo;
    if (!p.Folha)
        return geo;
    QPainter &f = *p.Folha;
    const bool mono = p.Monocromatico;

    // 1. White page, black pen.
    f.setRenderHint(QPainter::Antialiasing, false);
    f.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    f.fillRect(QRect(p.AreaPagina.Left, p.AreaPagina.Top, p.AreaPagina.largura(), p.AreaPagina.altura()), Qt::white);
    f.setPen(QPen(Qt::black, 0));

    // 2. The printed sheet: frame, heading and the item's data, the chart
    //    centred below them.
    if (p.Imprimindo) {
        DesenhaMoldura();
        Cabecalho();
        FonteArial(p.TamFonte);
        const int a = p.AreaPagina.Left + 17 * LarguraTexto(QStringLiteral("R"));
        const int b = 2 * a;
        for (const auto &[rotulo, valor] : bloco) {
            EscreveEm(a, rotulo, false);
            EscreveEm(b, valor, true);
        }
        Separador();
        if (extras.Texto)
            extras.Texto();
        const int w = p.AreaPagina.Right - p.AreaPagina.Left;
        const int s = std::max(0, p.AreaPagina.Bottom - w - p.PosY);
        p.AreaPagina.Top = p.PosY + s;
        p.AreaPagina.Bottom -= s;
    } else {
        f.setFont(Arial(p.TamFonte));
        f.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    }
    const Retangulo area = p.AreaPagina;
    // 3-7. Titles, grid and labels, on the axes that hold the duty point
    //      well inside.
    std::vector<QPointF> contidos = PontosDaOperacao(d);
    contidos.insert(contidos.end(), extras.Contidos.begin(), extras.Contidos.end());
    geo = DesenhaGradeCurva(area, EixosDaCurva(QPointF(e.CurvaVazaoOp, e.CurvaPressaoOp), contidos));
    QFontMetrics fm(f.font(), f.device());

    // 8-9. The ten speed curves, cut at the frame, each with its speed at
    //      its first point on the chart.
    f.setFont(Arial(p.TamFonteMenor));
    fm = QFontMetrics(f.font(), f.device());
    f.setPen(QPen(Qt::black, 0));
    Caneta(f, CorRotacoes, mono);
    auto ponto = [&](int c, int j) { return geo.Ponto(d.VazaoCurva[c][j], d.PressaoCurva[c][j]); };
    auto linha = [&](const QPolygon &l) { LinhaNaGrade(geo, l); };
    for (int c = 1; c <= 10; ++c) {
        QPolygon l;
        for (int j = 1; j <= 7; ++j)
            l << ponto(c, j);
        linha(l);
        for (int j = 1; j <= 7; ++j)
            if (geo.Dentro(ponto(c, j))) {
                const QString t = NumeroGeral(d.RpmCurva[c]);
                const QPoint p1 = ponto(c, j);
                TextoEm(f, p1.x() - 2 - fm.horizontalAdvance(t), p1.y() - fm.height() / 2, t);
                break;
            }
    }

    // 10. Lines of equal efficiency.
    Caneta(f, CorRendimento, mono);
    for (int j = 1; j <= 7; ++j) {
        QPolygon l;
        for (int c = 1; c <= 10; ++c)
            l << ponto(c, j);
        linha(l);
    }

    // 11. Their efficiencies, turned by 60°, at the highest curve on the
    //     chart.
    for (int j = 1; j <= 7; ++j) {
        for (int c = 10; c >= 1; --c) {
            const QPoint pt = ponto(c, j);
            if (!geo.Dentro(pt))
                continue;
            QString t = NumeroGeral(std::lround(d.RendCurva[j]));
            if (p.Imprimindo)
                t += QLatin1Char('%');
            TextoGirado(f, pt.x(), pt.y() - 2, t, 60);
            break;
        }
    }

    // 12. The operating speed in red.
    DesenhaRotacaoOperacao(geo, d, area.Right);

    if (extras.Grafico) {
        f.save();
        extras.Grafico(geo);
        f.restore();
    }

    // 13. The operating point, filled yellow.
    DesenhaPontoOperacao(geo, e);
    return geo;
}

} // namespace quellora
