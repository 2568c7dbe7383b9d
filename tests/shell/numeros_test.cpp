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

    // A whole number may group its thousands as the locale does.
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    for (const auto &[local, texto, aceito, valor] :
         {std::tuple{br, "10.000", true, 10000.0}, {br, "1.234.567", true, 1234567.0}, {br, "10000", true, 10000.0},
          {br, "12,0", true, 12.0}, {br, "12,5", false, 0.0}, {br, "12.5", false, 0.0}, {br, "abc", false, 0.0},
          {br, "-1.500", true, -1500.0}, {us, "10,000", true, 10000.0}, {us, "10.5", false, 0.0}}) {
        double w = -99;
        EXPECT_EQ(LeNumeroInteiro(texto, &w, local), aceito) << texto;
        EXPECT_TRUE(!aceito || w == valor) << texto << " " << w;
    }
}

TEST(Numeros, LocalSemNomeEBrasileiro) {
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(LocalDoPrograma(QLocale::c()), br);
    EXPECT_EQ(LocalDoPrograma(QLocale(QStringLiteral("POSIX"))), br);
    EXPECT_EQ(LocalDoPrograma(us), us);
    EXPECT_EQ(LocalDoPrograma(br), br);
}

TEST(Numeros, RecusaDizOCampoEOQueEleEspera) {
    const TCampoNumero vazao{QStringLiteral("Vazão"), QStringLiteral("Informe a vazão em m³/h.")};
    for (const auto &[texto, porque, msg] :
         {std::tuple{" abc ", RecusaNumero::NaoENumero, "Vazão: «abc» não é um número. Informe a vazão em m³/h."},
          {"12,5", RecusaNumero::NaoEInteiro, "Vazão: «12,5» não é um número inteiro. Informe a vazão em m³/h."},
          {"-3", RecusaNumero::Negativo, "Vazão: «-3» é um número negativo. Informe a vazão em m³/h."},
          {"9e99", RecusaNumero::GrandeDemais, "Vazão: «9e99» é um número grande demais. Informe a vazão em m³/h."}})
        EXPECT_EQ(MsgNumeroRecusado(vazao, texto, porque).toStdString(), msg);
    EXPECT_EQ(MsgNumeroRecusado({QStringLiteral("Qtd"), {}}, "x", RecusaNumero::NaoENumero), "Qtd: «x» não é um número.");
}
