#pragma once
// Little-endian field access for every fixed-layout record file of the
// program, the Windows-1252 conversion and the Delphi-style Date.
//
// Records are read from and written to plain byte images by offset, so that
// every reader and writer spells out the layout it implements.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

namespace quellora {

// Array indexed from Lo to Hi inclusive, as the record layouts number them
// (sizes 1..23, motors 1..35, accessories 1..45, items 0..40).
template <class T, int Lo, int Hi>
struct Faixa {
    static_assert(Hi >= Lo);
    static constexpr int Primeiro = Lo;
    static constexpr int Ultimo = Hi;
    static constexpr int Quantos = Hi - Lo + 1;

    std::array<T, Quantos> v{};

    T &operator[](int i) {
        assert(i >= Lo && i <= Hi);
        return v[static_cast<std::size_t>(i - Lo)];
    }
    const T &operator[](int i) const {
        assert(i >= Lo && i <= Hi);
        return v[static_cast<std::size_t>(i - Lo)];
    }
    bool operator==(const Faixa &) const = default;
};

// Windows-1252 to and from Unicode. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) map to the C1 controls of the same value,
// as Windows does, so that any byte survives a round trip. Characters that
// the code page cannot hold become '?'.
QString DeWin1252(const char *dados, int tamanho);
QString DeWin1252(const QByteArray &dados);
QByteArray ParaWin1252(const QString &texto);
// The same bytes written at 'destino': texto.size() of them, one for each
// UTF-16 unit.
void EscreveWin1252(QStringView texto, char *destino);

// Date: days since 30 December 1899, the fraction being the time of day,
// in local time (no time zone stored).
QDateTime DataParaDateTime(double dias);
double DateTimeParaData(const QDateTime &momento);

// Reads fields of one record image. The image is a view: it must outlive the
// reader. Every access is bounds-checked against the image; reading outside
// it is a programming error (asserted) and yields zero.
class LeitorBinario {
public:
    LeitorBinario(const std::uint8_t *dados, std::size_t tamanho) : d_(dados), n_(tamanho) {}
    explicit LeitorBinario(const QByteArray &dados)
        : d_(reinterpret_cast<const std::uint8_t *>(dados.constData())),
          n_(static_cast<std::size_t>(dados.size())) {}

    std::size_t tamanho() const { return n_; }

    std::uint8_t byte(std::size_t off) const;
    std::int8_t shortInt(std::size_t off) const { return static_cast<std::int8_t>(byte(off)); }
    bool boolean(std::size_t off) const { return byte(off) != 0; }
    std::int32_t integer(std::size_t off) const;
    std::uint32_t word32(std::size_t off) const { return static_cast<std::uint32_t>(integer(off)); }
    std::uint16_t word16(std::size_t off) const;
    double dbl(std::size_t off) const;
    double data(std::size_t off) const { return dbl(off); }
    // Str[N]: length byte, then up to N characters. A stored length above N
    // reads as N; the field's N+1 bytes are never read past.
    QString str(std::size_t off, int capacidade) const;

private:
    bool cabe(std::size_t off, std::size_t n) const { return off <= n_ && n <= n_ - off; }
    const std::uint8_t *d_;
    std::size_t n_;
};

// Writes fields into one record image in place.
class GravadorBinario {
public:
    GravadorBinario(std::uint8_t *dados, std::size_t tamanho) : d_(dados), n_(tamanho) {}
    explicit GravadorBinario(QByteArray &dados)
        : d_(reinterpret_cast<std::uint8_t *>(dados.data())), n_(static_cast<std::size_t>(dados.size())) {}

    void byte(std::size_t off, std::uint8_t v);
    void shortInt(std::size_t off, std::int8_t v) { byte(off, static_cast<std::uint8_t>(v)); }
    void boolean(std::size_t off, bool v) { byte(off, v ? 1 : 0); }
    void integer(std::size_t off, std::int32_t v);
    void word32(std::size_t off, std::uint32_t v) { integer(off, static_cast<std::int32_t>(v)); }
    void word16(std::size_t off, std::uint16_t v);
    void dbl(std::size_t off, double v);
    void data(std::size_t off, double v) { dbl(off, v); }
    // Str[N]: writes the length byte and the characters, cut to N. The bytes
    // of the field past the text are left as they were.
    void str(std::size_t off, int capacidade, const QString &texto);

private:
    bool cabe(std::size_t off, std::size_t n) const { return off <= n_ && n <= n_ - off; }
    std::uint8_t *d_;
    std::size_t n_;
};

// The text as a Str[N] stores it: cut to N characters of the code page.
QString CortaStr(const QString &texto, int capacidade);

} // namespace quellora
