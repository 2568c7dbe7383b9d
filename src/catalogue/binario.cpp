#include "catalogue/binario.h"


#include <bit>
#include <cmath>
#include <cstring>

namespace quellora {

namespace {

// 0x80..0x9F of Windows-1252; zero marks the undefined positions, which map
// to U+0080 + n like the platform's own conversion.
constexpr char16_t kAlto[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t ParaUnicode(std::uint8_t b) {
    if (b >= 0x80 && b <= 0x9F) {
        char16_t u = kAlto[b - 0x80];
        return u ? u : static_cast<char16_t>(b);
    }
    return static_cast<char16_t>(b);
}

std::uint8_t ParaByte(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<std::uint8_t>(u);
    if (u <= 0x9F) {
        // A C1 control stands for itself only where the code page leaves the
        // byte undefined.
        return kAlto[u - 0x80] == 0 ? static_cast<std::uint8_t>(u) : '?';
    }
    for (int i = 0; i < 32; ++i)
        if (kAlto[i] == u)
            return static_cast<std::uint8_t>(0x80 + i);
    return '?';
}

const QDateTime &Epoca() {
    static const QDateTime e(QDate(1899, 12, 30), QTime(0, 0), Qt::LocalTime);
    return e;
}

} // namespace

QString DeWin1252(const char *dados, int tamanho) {
    QString s;
    s.resize(tamanho);
    for (int i = 0; i < tamanho; ++i)
        s[i] = QChar(ParaUnicode(static_cast<std::uint8_t>(dados[i])));
    return s;
}

QString DeWin1252(const QByteArray &dados) { return DeWin1252(dados.constData(), static_cast<int>(dados.size())); }

QByteArray ParaWin1252(const QString &texto) {
    QByteArray b(texto.size(), Qt::Uninitialized);
    EscreveWin1252(texto, b.data());
    return b;
}

void EscreveWin1252(QStringView texto, char *destino) {
    for (QChar c : texto)
        *destino++ = static_cast<char>(ParaByte(c.unicode()));
}

QDateTime DataParaDateTime(double dias) {
    if (!std::isfinite(dias))
        return {};
    // Whole days from the epoch by the calendar, the fraction as time of day;
    // before the epoch the fraction still counts forward, as Delphi does.
    double inteiro = std::trunc(dias);
    double fracao = std::fabs(dias - inteiro);
    QDate d = Epoca().date().addDays(static_cast<qint64>(inteiro));
    qint64 ms = std::llround(fracao * 86400000.0);
    if (ms >= 86400000)
        ms = 86400000 - 1;
    return QDateTime(d, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)), Qt::LocalTime);
}

double DateTimeParaData(const QDateTime &momento) {
    if (!momento.isValid())
        return 0;
    qint64 dias = Epoca().date().daysTo(momento.date());
    double fracao = momento.time().msecsSinceStartOfDay() / 86400000.0;
    return dias >= 0 ? dias + fracao : dias - fracao;
}

std::uint8_t LeitorBinario::byte(std::size_t off) const {
    assert(cabe(off, 1));
    return cabe(off, 1) ? d_[off] : 0;
}

std::int32_t LeitorBinario::integer(std::size_t off) const {
    assert(cabe(off, 4));
    if (!cabe(off, 4))
        return 0;
    std::uint32_t v = std::uint32_t(d_[off]) | std::uint32_t(d_[off + 1]) << 8 | std::uint32_t(d_[off + 2]) << 16 |
                      std::uint32_t(d_[off + 3]) << 24;
    return static_cast<std::int32_t>(v);
}

std::uint16_t LeitorBinario::word16(std::size_t off) const {
    assert(cabe(off, 2));
    if (!cabe(off, 2))
        return 0;
    return static_cast<std::uint16_t>(d_[off] | d_[off + 1] << 8);
}

double LeitorBinario::dbl(std::size_t off) const {
    assert(cabe(off, 8));
    if (!cabe(off, 8))
        return 0;
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | d_[off + static_cast<std::size_t>(i)];
    return std::bit_cast<double>(v);
}

QString LeitorBinario::str(std::size_t off, int capacidade) const {
    const auto n = static_cast<std::size_t>(capacidade);
    assert(cabe(off, n + 1));
    if (!cabe(off, n + 1))
        return {};
    std::size_t len = d_[off];
    if (len > n)
        len = n;
    return DeWin1252(reinterpret_cast<const char *>(d_ + off + 1), static_cast<int>(len));
}

void GravadorBinario::byte(std::size_t off, std::uint8_t v) {
    assert(cabe(off, 1));
    if (cabe(off, 1))
        d_[off] = v;
}

void GravadorBinario::integer(std::size_t off, std::int32_t v) {
    assert(cabe(off, 4));
    if (!cabe(off, 4))
        return;
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        d_[off + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

void GravadorBinario::word16(std::size_t off, std::uint16_t v) {
    assert(cabe(off, 2));
    if (!cabe(off, 2))
        return;
    d_[off] = static_cast<std::uint8_t>(v);
    d_[off + 1] = static_cast<std::uint8_t>(v >> 8);
}

void GravadorBinario::dbl(std::size_t off, double v) {
    assert(cabe(off, 8));
    if (!cabe(off, 8))
        return;
    auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        d_[off + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

void GravadorBinario::str(std::size_t off, int capacidade, const QString &texto) {
    const auto n = static_cast<std::size_t>(capacidade);
    assert(cabe(off, n + 1));
    if (!cabe(off, n + 1))
        return;
    QByteArray b = ParaWin1252(texto);
    std::size_t len = std::min<std::size_t>(static_cast<std::size_t>(b.size()), n);
    d_[off] = static_cast<std::uint8_t>(len);
    if (len)
        std::memcpy(d_ + off + 1, b.constData(), len);
}

QString CortaStr(const QString &texto, int capacidade) {
    return texto.left(capacidade);
}

} // namespace quellora
