#include "pricing/precos.h"

#include <gtest/gtest.h>

using namespace quellora;

TEST(Precos, ArredondamentoMarcadoresENomeDaLinha) {
    EXPECT_DOUBLE_EQ(round2(10.004), 10.0);
    EXPECT_DOUBLE_EQ(round2(10.005), 10.01);
    EXPECT_DOUBLE_EQ(round2(1234.5678), 1234.57);
    EXPECT_DOUBLE_EQ(round2(-0.004), 0.0); // Int toward zero of 0.1

    struct {
        double p;
        const char *texto;
    } marcas[] = {{-1, "INC."}, {-1.5, "INC."}, {-2, "S.C."}, {-3, "N.D."}, {-4, ""}, {0, ""}, {-0.5, ""}, {250, ""}};
    for (const auto &m : marcas) {
        SCOPED_TRACE(m.p);
        EXPECT_EQ(MarcadorPreco(m.p).toStdString(), m.texto);
    }

    struct {
        const char *linha;
        bool gabinete;
        const char *nome;
    } nomes[] = {{"BSD", true, "BBS"}, {"BSD", false, "BSD"}, {"GTD", true, "BBL"}, {"GTD", false, "GTD"}, {"AXI", true, "AXI"}};
    for (const auto &n : nomes) {
        TItemOrc it;
        it.Linha = QString::fromLatin1(n.linha);
        it.ComGabinete = n.gabinete;
        EXPECT_EQ(NomeLinha(it).toStdString(), n.nome);
    }
}
