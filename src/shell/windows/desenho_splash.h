#pragma once
// The start-up picture: the background drawing, the product name in its two
// colours and the start-up line. Drawn once when the program is built (the
// picture then shipped in the resources) and, only when that picture is
// missing, at start-up.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace quellora {

inline constexpr QSize TamanhoSplash(440, 270);

// The picture over the background drawing 'figuraSvg'. Needs a
// QGuiApplication (its fonts).
QImage DesenhoSplash(const QByteArray &figuraSvg);

} // namespace quellora
