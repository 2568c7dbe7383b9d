#include "shell/numeros.h"

#include <gtest/gtest.h>

using namespace quellora;

TEST(Numeros, FormatosNoLocalDoUsuarioENoPonto) {
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    const QLocale c = QLocale::c();
    const struct {
        const char *formato;
        double v;
        const char *brasil, *ponto;
    } casos[] = {
        {"0", 834.6, "835", "835"},
        {"0.0", 49.96, "50,0", "50.0"},
        {"0.00", 1.8349, "1,83", "1.83"},
        {"0.000", 1.20520842200018, "1,205", "1.205"},
        {"#0.000", 0.5, "0,500", "0.500"},
        {"0000", 7, "0007", "0007"},
        {",0.00", 1234567.891, "1.234.567,89", "1,234,567.89"},
        {"#,##0.00", 999.999, "1.000,00", "1,000.00"},
        {",0.00", -1234.5, "-1.234,50", "-1,234.50"},
        {"0.0", -0.04, "0,0", "0.0"},
        {"0", 0, "0", "0"},
    };
    for (const auto &k : casos) {
        SCOPED_TRACE(std::string(k.formato) + " " + std::to_string(k.v));
        EXPECT_EQ(FormataFloat(k.formato, k.v, br).toStdString(), k.brasil);
        EXPECT_EQ(FormataFloat(k.formato, k.v, c).toStdString(), k.ponto);
    }
    EXPECT_EQ(NumeroGeral(1.20520842200018, br), "1,20520842200018");
    EXPECT_EQ(NumeroGeral(12000, br), "12000");
    EXPECT_EQ(NumeroGeral(12.5, c), "12.5");
}

TEST(Numeros, NumeroDigitado) {
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    for (const auto &[texto, aceito, valor] :
         {std::tuple{"12,5", true, 12.5}, {"12.5", true, 12.5}, {" 40 ", true, 40.0}, {"-3", true, -3.0},
          {"1.205", true, 1.205}, {"1.234,5", false, 0.0}, {"abc", false, 0.0}, {"", false, 0.0}, {"1e400", false, 0.0},
          {"12,5,1", false, 0.0}}) {
        double v = -99;
        EXPECT_EQ(LeNumero(texto, &v, br), aceito) << texto;
        EXPECT_TRUE(!aceito || v == valor) << texto << " " << v;
    }
    double v = 0;
    EXPECT_TRUE(LeNumero("12.5", &v, QLocale::c()));
    EXPECT_FALSE(LeNumero("12,5", &v, QLocale::c()));
}
