#include "pricing/condicoes.h"

#include <gtest/gtest.h>

using namespace quellora;

TEST(Condicoes, EntregaIdaEVolta) {
    for (const auto &[texto, valor, lido] :
         {std::tuple{"20/30", 7700, "20/30"}, {"25", 25, "25"}, {"300", 300, "44/1"}, {"/", 0, "0"}, {"", 0, "0"},
          {"7/", 7, "7"}, {"/2", 512, "0/2"}, {"30/123456", 30 | (12345 << 8), "30/12345"}, {"254", 254, "254"},
          {"255", 255, "255/0"}}) {
        const std::int32_t v = CodificaEntrega(texto);
        EXPECT_EQ(v, valor) << texto;
        EXPECT_EQ(DecodificaEntrega(v).toStdString(), lido) << texto;
    }
    // A pair's halves hold up to 255 days each; more is refused, where it
    // would mix the two ("300/5" read back as "44/5"). A single term would be
    // read back as a pair from 255 days on ("300" as "44/1").
    for (const auto &[texto, aceita, valor] :
         {std::tuple{"20/30", true, 7700}, {"255/255", true, 255 | (255 << 8)}, {"254", true, 254},
          {"255", false, -1}, {"300", false, -1}, {"-3", false, -1},
          {"300/5", false, -1}, {"5/300", false, -1}, {"256/0", false, -1}, {"/", true, 0}}) {
        std::int32_t v = -1;
        EXPECT_EQ(EntregaDoTexto(texto, &v), aceita) << texto;
        EXPECT_EQ(v, valor) << texto;
    }
}

TEST(Condicoes, CamposQueNaoSaoNumeroEValidadeForaDoByte) {
    // A refused validity stores nothing.
    for (const auto &[texto, aceita, validade] :
         {std::tuple{"30", true, 30}, {"255", true, 255}, {"0", true, 0}, {"", true, 7}, {"x", true, 7},
          {"256", false, 99}, {"300", false, 99}, {"-1", false, 99}}) {
        std::uint8_t v = 99;
        EXPECT_EQ(ValidadeDoTexto(texto, &v), aceita) << texto;
        EXPECT_EQ(v, validade) << texto;
    }
    for (const auto &[inclusa, sem, texto, embalagem] : {std::tuple{true, false, "4", 0}, {false, true, "", -1},
                                                         {false, false, "4", 4}, {false, false, "x", -1},
                                                         {false, false, "", -1}})
        EXPECT_EQ(EmbalagemDe(inclusa, sem, texto), embalagem) << texto;
    EXPECT_EQ(InteiroOu(QStringLiteral("12"), 0), 12);
    EXPECT_EQ(InteiroOu(QStringLiteral("1a"), 0), 0);
}
