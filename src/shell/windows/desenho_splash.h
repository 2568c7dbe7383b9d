#pragma once
// Pictures drawn once when the program is built and shipped in the resources
// as their pixels (start-up then shows images: no SVG to read, no fonts to
// load); drawn at run time only when such pixels are missing or do not fit.
// The start-up picture: the background drawing, the product name in its two
// colours and the start-up line.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace quellora {

inline constexpr QSize TamanhoSplash(440, 270);

// The picture over the background drawing 'figuraSvg'. Needs a
// QGuiApplication (its fonts).
QImage DesenhoSplash(const QByteArray &figuraSvg);

// An SVG drawing over 'tamanho' (its own units; 'escala' pixels a unit), on
// a transparent image.
QImage DesenhoSvg(const QByteArray &svg, const QSize &tamanho, qreal escala = 1);

// The pixels of a resource stored uncompressed as they are in memory, when
// they make an image of 'tamanho' in 'formato'; a null image otherwise. The
// image reads the resource in place.
QImage PixelsProntos(const QString &recurso, const QSize &tamanho, QImage::Format formato);

} // namespace quellora
