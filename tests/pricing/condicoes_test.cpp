#include "pricing/condicoes.h"

#include <gtest/gtest.h>

using namespace quellora;

TEST(Condicoes, EntregaIdaEVolta) {
    const struct {
        const char *texto;
        std::int32_t valor;
        const char *lido;
    } casos[] = {
        {"20/30", 7700, "20/30"}, {"25", 25, "25"},     {"300", 300, "44/1"}, {"/", 0, "0"},
        {"", 0, "0"},             {"7/", 7, "7"},       {"/2", 512, "0/2"},   {"30/123456", 30 | (12345 << 8), "30/12345"},
        {"254", 254, "254"},      {"255", 255, "255/0"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.texto);
        const std::int32_t v = CodificaEntrega(QString::fromLatin1(c.texto));
        EXPECT_EQ(v, c.valor);
        EXPECT_EQ(DecodificaEntrega(v).toStdString(), c.lido);
    }
}

TEST(Condicoes, CamposQueNaoSaoNumeroEValidadeForaDoByte) {
    const struct {
        const char *texto;
        bool aceita;
        int validade;
    } validades[] = {{"30", true, 30}, {"255", true, 255}, {"0", true, 0},   {"", true, 7},
                     {"x", true, 7},   {"256", false, 0},  {"300", false, 0}, {"-1", false, 0}};
    for (const auto &c : validades) {
        SCOPED_TRACE(c.texto);
        std::uint8_t v = 99;
        EXPECT_EQ(ValidadeDoTexto(QString::fromLatin1(c.texto), &v), c.aceita);
        EXPECT_EQ(v, c.aceita ? c.validade : 99) << "a refused validity stores nothing";
    }

    const struct {
        bool inclusa, sem;
        const char *texto;
        std::int32_t embalagem;
    } embalagens[] = {{true, false, "4", 0}, {false, true, "", -1}, {false, false, "4", 4},
                      {false, false, "x", -1}, {false, false, "", -1}};
    for (const auto &c : embalagens) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(EmbalagemDe(c.inclusa, c.sem, QString::fromLatin1(c.texto)), c.embalagem);
    }
    EXPECT_EQ(InteiroOu(QStringLiteral("12"), 0), 12);
    EXPECT_EQ(InteiroOu(QStringLiteral("1a"), 0), 0);
}
