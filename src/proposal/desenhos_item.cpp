#include "proposal/desenhos_item.h"

#include "catalogue/constantes.h"
#include "positions/posicoes.h"
#include "selection/arranjo.h"

#include <QPainter>
#include <QSvgRenderer>

// Outside any namespace, as the resource initialiser requires.
static void RegistraDesenhos() { Q_INIT_RESOURCE(desenhos); }

namespace quellora {

namespace {

// 'origem' (a picture's own size) scaled to fit 'r', centred in it.
QRectF Encaixa(const QSizeF &origem, const QRectF &r) {
    if (origem.isEmpty())
        return {};
    const QSizeF t = origem.scaled(r.size(), Qt::KeepAspectRatio);
    return QRectF(r.center() - QPointF(t.width() / 2, t.height() / 2), t);
}

} // namespace

void IniciaDesenhos() {
    static const bool feito = (RegistraDesenhos(), true);
    (void)feito;
}

QString DesenhoArranjos(int pagina) {
    return pagina == PAG_DUPLA ? QStringLiteral(":/imagens/arranjos_dupla.svg")
                               : QStringLiteral(":/imagens/arranjos_simples.svg");
}

QString CartaoDoArranjo(int pagina, const QString &designacao) {
    return (pagina == PAG_DUPLA ? QStringLiteral("dupla-") : QStringLiteral("simples-")) + designacao;
}

bool DesenhaArranjoDoItem(QPainter &f, const QRectF &r, const TItemOrc &item) {
    if (item.Arranjo < 1 || item.Arranjo > 8)
        return false;
    IniciaDesenhos();
    const QString designacao = QString::fromLatin1(Arranjos[item.Arranjo]);
    // The item's own page first; an arrangement only the other page draws
    // is drawn from there.
    for (const int pagina : {item.PaginaArranjo == PAG_DUPLA ? PAG_DUPLA : PAG_SIMPLES,
                             item.PaginaArranjo == PAG_DUPLA ? PAG_SIMPLES : PAG_DUPLA}) {
        QSvgRenderer svg(DesenhoArranjos(pagina));
        const QString cartao = CartaoDoArranjo(pagina, designacao);
        if (!svg.isValid() || !svg.elementExists(cartao))
            continue;
        const QRectF area = Encaixa(svg.boundsOnElement(cartao).size(), r);
        f.save();
        f.setRenderHint(QPainter::Antialiasing);
        svg.render(&f, cartao, area);
        f.restore();
        return true;
    }
    return false;
}

bool DesenhaPosicaoDoItem(QPainter &f, const QRectF &r, const TItemOrc &item) {
    const TFiguraEscolhida e = FiguraDoItem(item);
    if (!e.Figura)
        return false;
    IniciaDesenhos();
    QSvgRenderer svg(DesenhoFigura(*e.Seletor, *e.Figura));
    if (!svg.isValid())
        return false;
    const QSizeF tamanho(e.Figura->Ret.Largura(), e.Figura->Ret.Altura());
    const QRectF area = Encaixa(tamanho, r);
    f.save();
    f.setRenderHint(QPainter::Antialiasing);
    svg.render(&f, area);
    if (e.Area) {
        // The chosen spot, framed in red as the picker marks it.
        const qreal k = area.width() / tamanho.width();
        const TRetangulo &a = e.Area->Ret;
        QPen caneta(QColor(Qt::red), std::max<qreal>(1, k));
        f.setPen(caneta);
        f.setBrush(Qt::NoBrush);
        f.drawRect(QRectF(area.left() + a.Esquerda * k, area.top() + a.Topo * k, a.Largura() * k, a.Altura() * k));
    }
    f.restore();
    return true;
}

} // namespace quellora
