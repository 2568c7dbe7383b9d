#include "catalogue/binario.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <vector>

using namespace quellora;

TEST(Binario, NumerosLittleEndianNasPosicoesPedidas) {
    std::vector<std::uint8_t> b(32, 0xEE);
    GravadorBinario g(b.data(), b.size());
    g.integer(1, -2);
    g.shortInt(5, -3);
    g.dbl(8, 1.5);
    g.word16(16, 0xBEEF);
    EXPECT_EQ(b[0], 0xEE);
    EXPECT_EQ((std::vector<std::uint8_t>{b[1], b[2], b[3], b[4]}), (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(b[5], 0xFD);
    // 1.5 = 0x3FF8000000000000
    EXPECT_EQ((std::vector<std::uint8_t>(b.begin() + 8, b.begin() + 16)),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
    EXPECT_EQ(b[16], 0xEF);
    EXPECT_EQ(b[17], 0xBE);

    LeitorBinario l(b.data(), b.size());
    EXPECT_EQ(l.integer(1), -2);
    EXPECT_EQ(l.shortInt(5), -3);
    EXPECT_EQ(l.byte(5), 0xFD);
    EXPECT_DOUBLE_EQ(l.dbl(8), 1.5);
    EXPECT_EQ(l.word16(16), 0xBEEF);
    EXPECT_TRUE(l.boolean(0));
}

TEST(Binario, StrComprimentoAcimaDaCapacidadeLeSoOCampo) {
    // Str[4] at 0 claims 200 characters; the next field starts at 5.
    std::vector<std::uint8_t> b = {200, 'A', 'B', 'C', 'D', 'X', 'Y'};
    LeitorBinario l(b.data(), b.size());
    EXPECT_EQ(l.str(0, 4), QStringLiteral("ABCD"));
}

TEST(Binario, StrGravadaCortadaEMantemORestoDoCampo) {
    std::vector<std::uint8_t> b(8, 'z');
    GravadorBinario g(b.data(), b.size());
    g.str(0, 4, QStringLiteral("Ventilador"));
    EXPECT_EQ(b[0], 4);
    EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 5), "Vent");
    EXPECT_EQ(b[5], 'z');
    g.str(0, 4, QStringLiteral("ab"));
    EXPECT_EQ(b[0], 2);
    EXPECT_EQ(b[3], 'n'); // the bytes past the text are left alone
    EXPECT_EQ(LeitorBinario(b.data(), b.size()).str(0, 4), QStringLiteral("ab"));
}

TEST(Binario, Windows1252NosDoisSentidos) {
    const QString texto = QStringLiteral("Pressão € “ok” ç");
    const QByteArray b = ParaWin1252(texto);
    EXPECT_EQ(b, QByteArray("Press\xE3o \x80 \x93ok\x94 \xE7"));
    EXPECT_EQ(DeWin1252(b), texto);
    // Every byte survives a round trip, the undefined ones included.
    QByteArray todos;
    for (int i = 0; i < 256; ++i)
        todos.append(static_cast<char>(i));
    EXPECT_EQ(ParaWin1252(DeWin1252(todos)), todos);
    // What the code page cannot hold becomes '?'.
    EXPECT_EQ(ParaWin1252(QStringLiteral("Ω")), QByteArray("?"));
}

TEST(Binario, DataContaDiasDesde30DeDezembroDe1899) {
    EXPECT_EQ(DataParaDateTime(0).date(), QDate(1899, 12, 30));
    EXPECT_EQ(DataParaDateTime(2).date(), QDate(1900, 1, 1));
    const QDateTime t(QDate(2003, 1, 13), QTime(18, 0));
    EXPECT_DOUBLE_EQ(DateTimeParaData(t), 37634.75);
    EXPECT_EQ(DataParaDateTime(37634.75), t);
    EXPECT_EQ(DataParaDateTime(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
}
