#pragma once
// The pictures of an item on paper: its drive arrangement, the card of the
// arrangement window's drawing, and the picture its discharge position was
// picked on, with the chosen spot framed. Drawn as vectors, so that they
// stay sharp in a PDF.

#include "quotation/registros.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace quellora {

// Registers the drawings (arrangements and positions) with the program's
// resources; called by whatever draws them, once is enough.
void IniciaDesenhos();

// The drawing of the arrangement cards, single or double inlet, and the
// card of an arrangement designation on it ("simples-3", "dupla-7").
QString DesenhoArranjos(int pagina);
QString CartaoDoArranjo(int pagina, const QString &designacao);

// Each draws within 'r', keeping the picture's proportions, centred. False
// (and nothing drawn) when the item has no such picture.
bool DesenhaArranjoDoItem(QPainter &f, const QRectF &r, const TItemOrc &item);
bool DesenhaPosicaoDoItem(QPainter &f, const QRectF &r, const TItemOrc &item);

} // namespace quellora
