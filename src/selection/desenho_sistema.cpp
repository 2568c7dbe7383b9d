#include "selection/desenho_sistema.h"

#include "shell/numeros.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quellora {

namespace {

QFont Arial(int pontos) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(std::max(1, pontos));
    return f;
}

// On paper the dashes of a hair-thin pen are too fine to see: the pen is a
// two-hundredth of an inch there.
QPen Caneta(QRgb cor, Qt::PenStyle estilo, bool mono) {
    const auto &pg = Pagina();
    QPen p(mono ? QColor(Qt::black) : QColor::fromRgb(cor), pg.Imprimindo ? std::max(1, PixelsPorPolegada() / 200) : 0);
    p.setStyle(estilo);
    return p;
}

QString F(const char *formato, double v) { return FormataFloat(QString::fromLatin1(formato), v); }

} // namespace

QString TextoBanda(int b) {
    static const char *const t[NumBandas] = {"63", "125", "250", "500", "1k", "2k", "4k", "8k"};
    return (b >= 0 && b < NumBandas) ? QString::fromLatin1(t[b]) : QString();
}

QString TextoPontoSistema(const TPontoSistema &p) {
    if (!p.Existe)
        return QStringLiteral("fora da curva do ventilador");
    QString t = QStringLiteral("%1 m³/h a %2 mmCA; %3 m³/h e %4 kW cada")
                    .arg(F("0", p.VazaoTotal), F("0.0", p.Pressao), F("0", p.VazaoPorVentilador),
                         F("0.00", p.PotenciaPorVentilador));
    if (p.Extrapolado)
        t += QStringLiteral(" (além da curva)");
    return t;
}

void DesenhaSistema(const TGeometriaCurva &geo, const TDadosCurva &d, const TSistema &s) {
    auto &pg = Pagina();
    if (!pg.Folha)
        return;
    QPainter &f = *pg.Folha;
    const bool mono = pg.Monocromatico;
    const Retangulo &g = geo.Grade;
    f.save();
    f.setClipRect(QRect(g.Left, g.Top, g.Right - g.Left, g.Bottom - g.Top));
    f.setBrush(Qt::NoBrush);

    // The curves of two and more fans together, dashed like the speed they run at.
    f.setPen(Caneta(CorOperacao, Qt::DashLine, mono));
    for (int n = 2; n <= s.Ventiladores; ++n) {
        QPolygon linha;
        for (const TPontoCurva &p : CurvaCombinada(d, n))
            linha << geo.Ponto(p.Vazao, p.Pressao);
        f.drawPolyline(linha);
    }

    // The system curve, from no flow to the top or the right of the grid.
    if (s.Valido) {
        // In black it stands apart from the speed curves by its dashes.
        f.setPen(Caneta(CorSistema, mono ? Qt::DashDotLine : Qt::SolidLine, mono));
        const double qMax = geo.Eixos.Vazao.Maximo(), pMax = geo.Eixos.Pressao.Maximo();
        double qTopo = qMax;
        if (s.K > 0 && pMax > s.P0)
            qTopo = std::min(qMax, std::sqrt((pMax - s.P0) / s.K));
        QPolygon linha;
        constexpr int Passos = 48;
        for (int k = 0; k <= Passos; ++k) {
            const double q = qTopo * k / Passos;
            linha << geo.Ponto(q, s.PressaoEm(q));
        }
        f.drawPolyline(linha);
    }
    f.restore();

    // Where 1..N of the fans run: green dots with their count.
    const int ppp = PixelsPorPolegada();
    const int r = pg.Imprimindo ? std::max(2, static_cast<int>(ppp * 0.08 / 2.54)) : std::max(2, pg.TamFonte / 2 - 1);
    f.save();
    f.setFont(Arial(pg.TamFonteMenor));
    const QFontMetrics fm(f.font(), f.device());
    for (const TPontoSistema &p : s.Pontos) {
        if (!p.Existe)
            continue;
        const QPoint c = geo.Ponto(p.VazaoTotal, p.PressaoTotal);
        f.setPen(Caneta(CorSistema, Qt::SolidLine, mono));
        f.setBrush(p.Extrapolado || mono ? QBrush(Qt::white) : QBrush(QColor::fromRgb(CorSistema)));
        f.drawEllipse(QRect(c.x() - r, c.y() - r, 2 * r, 2 * r));
        f.setPen(Caneta(CorSistema, Qt::SolidLine, mono));
        f.drawText(c.x() + r + 1, c.y() - r - 1 - fm.descent(), QString::number(p.Ventiladores));
    }
    f.restore();
}

void EscreveOitavas(const TRuido &r, int xRotulo, int xTabela, int direita) {
    // The bands in columns, a last column for the total.
    const int largura = (direita - xTabela) / (NumBandas + 1);
    auto coluna = [&](int c, const QString &t, bool fim) {
        EscreveEm(xTabela + (c + 1) * largura - LarguraTexto(t + QLatin1Char(' ')), t, fim);
    };
    auto tabela = [&](const QString &rotulo, const Oitavas &v, double total) {
        EscreveEm(xRotulo, rotulo, false);
        for (int k = 0; k < NumBandas; ++k)
            coluna(k, F("0", v[k]), false);
        coluna(NumBandas, F("0", total), true);
    };
    EscreveEm(xRotulo, QStringLiteral("Banda (Hz):"), false);
    for (int k = 0; k < NumBandas; ++k)
        coluna(k, TextoBanda(k), false);
    coluna(NumBandas, QStringLiteral("Total"), true);
    tabela(QStringLiteral("Lw (dB):"), r.Lw, r.LwTotal);
    tabela(QStringLiteral("LwA (dB(A)):"), r.LwA, r.LwATotal);
    tabela(QStringLiteral("Lp (dB):"), r.Lp, r.LpTotal);
}

void EscreveFiguras(const TFiguras &fg) {
    auto &p = Pagina();
    if (!p.Folha || !fg.Valido)
        return;
    FonteArial(p.TamFonte);
    const int a = p.AreaPagina.Left + 17 * LarguraTexto(QStringLiteral("R"));
    const int b = 2 * a;
    auto linha = [&](const QString &rotulo, const QString &valor) {
        EscreveEm(a, rotulo, false);
        EscreveEm(b, valor, true);
    };

    if (fg.TemRuido) {
        const TRuido &r = fg.Ruido;
        EscreveOitavas(r, a, b, p.AreaPagina.Right);
        linha(QStringLiteral("Pressão sonora LpA:"),
              QStringLiteral("%1 dB(A) a %2 m, Q = %3").arg(F("0", r.LpA), NumeroGeral(r.Distancia),
                                                            NumeroGeral(r.Diretividade)));
        linha(QStringLiteral("Exposição (NR-15):"), TextoExposicao(r.Exposicao));
    } else {
        linha(QStringLiteral("Pressão sonora LpA:"), QStringLiteral("sem espectro sonoro"));
    }

    const TSistema &s = fg.Sistema;
    linha(QStringLiteral("Ventiladores:"), s.Ventiladores == 1 ? QStringLiteral("1")
                                                               : QStringLiteral("%1 em paralelo").arg(s.Ventiladores));
    if (s.Valido) {
        for (int n = s.Ventiladores; n >= 1; --n)
            if (const TPontoSistema *pt = s.Com(n))
                linha(QStringLiteral("%1 em operação:").arg(n), TextoPontoSistema(*pt));
    }
    if (fg.Avisos.isEmpty()) {
        linha(QStringLiteral("Avisos:"), QStringLiteral("nenhum"));
    } else {
        for (qsizetype k = 0; k < fg.Avisos.size(); ++k)
            linha(k == 0 ? QStringLiteral("Avisos:") : QString(), TextoDoAviso(fg.Avisos[k], fg));
    }
    Separador();
}

TExtrasCurva ExtrasDasFiguras(const TFiguras &f) {
    if (!f.Valido)
        return {};
    TExtrasCurva e;
    e.Contidos = PontosDoSistema(f.Sistema);
    e.Texto = [f] { EscreveFiguras(f); };
    e.Grafico = [f](const TGeometriaCurva &geo) { DesenhaSistema(geo, f.Curva, f.Sistema); };
    return e;
}

} // namespace quellora
