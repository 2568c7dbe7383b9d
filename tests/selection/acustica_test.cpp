// The sound where people work: sum of bands, A-weighting, the distance law,
// and the NR-15 table with its rule between rows, as one table of cases.

#include "selection/acustica.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quellora;

TEST(Acustica, RegrasDoRuido) {
    const Oitavas plano{}; // 0 dB in every band
    const Oitavas exemplo = {90, 92, 94, 96, 95, 93, 90, 85};
    // An exposure as a number: minutes, or −1 when none is permitted.
    auto minutos = [](double lpa) { return static_cast<double>(ExposicaoNR15(lpa).value_or(-1)); };
    const struct {
        const char *nome;
        std::function<double()> valor;
        double esperado;
    } casos[] = {
        // Bands together: eight equal ones are 10·log10(8) above each.
        {"oito bandas de 80 dB", [] { return SomaNiveis(Oitavas{80, 80, 80, 80, 80, 80, 80, 80}); }, 89.0309},
        // The A-weighting alone, on a flat spectrum of 0 dB.
        {"ponderação A de um espectro plano", [&] { return SomaNiveis(PonderaA(plano)); }, 6.9871},
        {"ponderação A a 63 Hz", [&] { return PonderaA(plano)[0]; }, -26.2},
        {"ponderação A a 4 kHz", [&] { return PonderaA(plano)[6]; }, 1.0},
        // Lp = Lw + 10·log10(Q / (4π r²)).
        {"1 m, no chão (Q = 2)", [] { return TermoDistancia(1, 2); }, -7.9818},
        {"2 m, campo livre (Q = 1)", [] { return TermoDistancia(2, 1); }, -17.0127},
        {"1 m, num canto (Q = 8)", [] { return TermoDistancia(1, 8); }, -1.9612},
        {"espectro de exemplo: Lw total", [&] { return CalculaRuido(exemplo, 1, 2).LwTotal; }, 101.9178},
        {"espectro de exemplo: LwA", [&] { return CalculaRuido(exemplo, 1, 2).LwATotal; }, 99.8184},
        {"espectro de exemplo: Lp a 63 Hz", [&] { return CalculaRuido(exemplo, 1, 2).Lp[0]; }, 82.0182},
        {"espectro de exemplo: LpA a 1 m", [&] { return CalculaRuido(exemplo, 1, 2).LpA; }, 91.8366},
        // NR-15, Annex 1: the rows themselves ...
        {"85 dB(A): 8 h", [&] { return minutos(85); }, 480},
        {"89 dB(A): 4 h 30 min", [&] { return minutos(89); }, 270},
        {"96 dB(A): 1 h 45 min", [&] { return minutos(96); }, 105},
        {"115 dB(A): 7 min", [&] { return minutos(115); }, 7},
        // ... a level between rows takes the next higher row ...
        {"85,1 dB(A) como 86: 7 h", [&] { return minutos(85.1); }, 420},
        {"97 dB(A) como 98: 1 h 15 min", [&] { return minutos(97); }, 75},
        {"114,5 dB(A) como 115: 7 min", [&] { return minutos(114.5); }, 7},
        {"o exemplo, 91,8 dB(A), como 92: 3 h", [&] { return static_cast<double>(*CalculaRuido(exemplo, 1, 2).Exposicao); }, 180},
        // ... below the table its first row, above 115 none.
        {"70 dB(A): 8 h", [&] { return minutos(70); }, 480},
        {"115,1 dB(A): não permitida", [&] { return minutos(115.1); }, -1},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_NEAR(c.valor(), c.esperado, 5e-5);
    }
    EXPECT_EQ(TextoExposicao(480), QStringLiteral("8 h"));
    EXPECT_EQ(TextoExposicao(270), QStringLiteral("4 h 30 min"));
    EXPECT_EQ(TextoExposicao(7), QStringLiteral("7 min"));
    EXPECT_EQ(TextoExposicao(std::nullopt), QStringLiteral("não permitida"));
}
