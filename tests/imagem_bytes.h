#pragma once
// Reading fields out of a record image in tests, by offset, and checking them.

#include "catalogue/binario.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <initializer_list>

namespace quellora::teste {

inline double Dbl(const QByteArray &b, std::size_t off) { return LeitorBinario(b).dbl(off); }
inline std::int32_t Int(const QByteArray &b, std::size_t off) { return LeitorBinario(b).integer(off); }
inline QString Str(const QByteArray &b, std::size_t off, int n) { return LeitorBinario(b).str(off, n); }
inline std::uint8_t Byte(const QByteArray &b, std::size_t off) { return LeitorBinario(b).byte(off); }

// A field expected in an image: a byte, an integer, a double, or a counted
// text of capacity n; Confere checks them all.
struct Campo {
    std::size_t off;
    char tipo;
    double valor = 0;
    const char *texto = "";
    int n = 0;
};
inline Campo B(std::size_t off, double v) { return {off, 'b', v}; }
inline Campo I(std::size_t off, double v) { return {off, 'i', v}; }
inline Campo D(std::size_t off, double v) { return {off, 'd', v}; }
inline Campo S(std::size_t off, int n, const char *texto) { return {off, 's', 0, texto, n}; }

inline void Confere(const QByteArray &b, std::initializer_list<Campo> campos) {
    for (const Campo &c : campos) {
        SCOPED_TRACE(c.off);
        if (c.tipo == 'b')
            EXPECT_EQ(Byte(b, c.off), c.valor);
        else if (c.tipo == 'i')
            EXPECT_EQ(Int(b, c.off), c.valor);
        else if (c.tipo == 'd')
            EXPECT_DOUBLE_EQ(Dbl(b, c.off), c.valor);
        else
            EXPECT_EQ(Str(b, c.off, c.n).toStdString(), c.texto);
    }
}

} // namespace quellora::teste
