#include "positions/posicoes.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quellora;

namespace {

// Window coordinates of the centre of spot i of a picture (the picture's own
// centre when i < 0).
std::pair<int, int> Centro(const TSeletor &s, int tag, int i = -1) {
    const TFigura &f = *s.Figura(tag);
    const TRetangulo r = i < 0 ? f.Ret : f.Areas[i].Ret.Deslocado(f.Ret.Esquerda, f.Ret.Topo);
    return {(r.Esquerda + r.Direita) / 2, (r.Topo + r.Base) / 2};
}

// Points at spot i of a picture (at its centre when i < 0).
bool Aponta(TEstadoSeletor &e, int tag, int i = -1) {
    const TFigura &f = *e.Seletor().Figura(tag);
    const auto [x, y] = Centro(e.Seletor(), tag, i);
    return e.Aponta(tag, x - f.Ret.Esquerda, y - f.Ret.Topo);
}

std::optional<TEscolha> Clica(TEstadoSeletor &e, std::pair<int, int> p) {
    e.Pressiona(p.first, p.second);
    return e.Solta(p.first, p.second);
}

std::optional<TEscolha> ClicaMarcador(TEstadoSeletor &e) {
    const TRetangulo m = e.Marcador();
    return Clica(e, {(m.Esquerda + m.Direita) / 2, (m.Topo + m.Base) / 2});
}

} // namespace

// Every spot of every picker: left and top edges inside, right and bottom
// edges outside; pointing inside shows the marker exactly over the spot and
// the tag just above it.
TEST(Posicoes, BordasDeTodasAsAreas) {
    int areas = 0;
    for (const TSeletor &s : Seletores()) {
        for (const TFigura &f : s.Figuras) {
            for (int i = 0; i < f.NumAreas(); ++i) {
                const TArea &a = f.Areas[i];
                const TRetangulo &r = a.Ret;
                SCOPED_TRACE(std::string(s.Classe) + " " + Designacao(f, &a).toStdString());
                ++areas;
                EXPECT_TRUE(r.Esquerda >= 0 && r.Topo >= 0 && r.Direita <= f.Ret.Largura() && r.Base <= f.Ret.Altura());
                EXPECT_LE(Designacao(f, &a).size(), 20);
                for (const auto &[x, y, dentro] :
                     {std::tuple{r.Esquerda, r.Topo, true}, {r.Direita - 1, r.Base - 1, true}, {r.Direita, r.Topo, false},
                      {r.Esquerda, r.Base, false}, {r.Esquerda - 1, r.Topo, false}, {r.Esquerda, r.Topo - 1, false}})
                    EXPECT_EQ(AreaEm(f, x, y) == &a, dentro) << x << "," << y;
                bool quadro = false;
                TEstadoSeletor e(s, quadro);
                e.Mostra(0);
                EXPECT_TRUE(e.Aponta(f.Tag, r.Esquerda, r.Topo));
                ASSERT_TRUE(e.MarcadorVisivel());
                EXPECT_EQ(e.Marcador(), r.Deslocado(f.Ret.Esquerda, f.Ret.Topo));
                EXPECT_EQ(e.Etiqueta(), Designacao(f, &a));
                EXPECT_EQ(e.EtiquetaEsquerda(), f.Ret.Esquerda + r.Esquerda);
                EXPECT_EQ(e.EtiquetaTopo(15), f.Ret.Topo + r.Topo - 15 - 2);
                if (!AreaEm(f, r.Direita, r.Topo)) {
                    EXPECT_FALSE(e.Aponta(f.Tag, r.Direita, r.Topo));
                    EXPECT_FALSE(e.MarcadorVisivel());
                }
            }
        }
    }
    EXPECT_EQ(areas, 18 + 18 + 6);
}

// Pointing, pressing and releasing, the pictures offered for a size and the
// frame flag, picker by picker.
TEST(Posicoes, EscolhaEQuadro) {
    const struct {
        const char *nome;
        int janela, tamanho;
        bool quadroAntes;
        std::function<std::optional<TEscolha>(TEstadoSeletor &, bool &quadro)> passos;
        const char *posicao; // null: nothing picked
        bool exigeQuadro;    // stored with the pick by the belt-drive pickers
        bool quadroDepois;
    } casos[] = {
        {"710: BR 0° de RD 180° exige quadro", 8, 710, false,
         [](TEstadoSeletor &e, bool &) { return Aponta(e, 5, 0) ? ClicaMarcador(e) : std::nullopt; }, "RD 180°/BR 0°",
         true, true},
        {"800: RD 180° e LG 180° não são oferecidas", 8, 800, false,
         [](TEstadoSeletor &e, bool &) {
             EXPECT_FALSE(e.Oferecida(5));
             EXPECT_FALSE(e.Oferecida(7));
             EXPECT_TRUE(e.Oferecida(6));
             EXPECT_FALSE(Aponta(e, 5, 0));
             EXPECT_FALSE(e.MarcadorVisivel());
             return Clica(e, Centro(e.Seletor(), 5, 0));
         },
         nullptr, false, false},
        {"o quadro segue a última figura apontada", 8, 710, false,
         // Straight from one spot to another.
         [](TEstadoSeletor &e, bool &) { return Aponta(e, 7, 1) && Aponta(e, 1, 0) ? ClicaMarcador(e) : std::nullopt; },
         "RD 0°/BR 90°", false, false},
        {"pressionar fora e soltar no marcador não escolhe", 8, 710, false,
         [](TEstadoSeletor &e, bool &) {
             Aponta(e, 1, 1);
             const TFigura &f = *e.Seletor().Figura(1);
             e.Pressiona(f.Ret.Esquerda, f.Ret.Topo);
             const TRetangulo m = e.Marcador();
             return e.Solta(m.Esquerda, m.Topo);
         },
         nullptr, false, false},
        {"pressionar no marcador e soltar fora não escolhe, nem depois", 8, 710, false,
         [](TEstadoSeletor &e, bool &) {
             Aponta(e, 2, 0);
             const TRetangulo m = e.Marcador();
             e.Pressiona(m.Esquerda, m.Topo);
             EXPECT_TRUE(e.MarcadorCheio());
             EXPECT_FALSE(e.Solta(m.Direita, m.Topo));
             EXPECT_FALSE(e.MarcadorCheio());
             return e.Solta(m.Esquerda, m.Topo);
         },
         nullptr, false, false},
        {"um marcador deixado em RD 180° some a partir de 800", 8, 800, false,
         [](TEstadoSeletor &e, bool &) {
             e.Mostra(710);
             Aponta(e, 5, 2);
             const TRetangulo antes = e.Marcador();
             e.Mostra(800);
             EXPECT_FALSE(e.MarcadorVisivel());
             return Clica(e, {antes.Esquerda + 2, antes.Topo + 2});
         },
         nullptr, false, true},
        {"base única: RD 180°/BU Z exige quadro", 9, 710, false,
         [](TEstadoSeletor &e, bool &) { return Aponta(e, 3) && e.Etiqueta() == "RD 180°/BU Z" ? ClicaMarcador(e) : std::nullopt; },
         "RD 180°/BU Z", true, true},
        {"base única: de volta à janela, o marcador em LG 180° ainda exige quadro", 9, 710, false,
         [](TEstadoSeletor &e, bool &quadro) {
             Aponta(e, 7);
             EXPECT_TRUE(Aponta(e, 7)); // the same picture again: nothing changes
             quadro = false;            // as the configuration window does
             e.Mostra(710);
             return ClicaMarcador(e);
         },
         "LG 180°/BU W", true, true},
        {"base única: LG 0°/BU Z não exige", 9, 900, true,
         [](TEstadoSeletor &e, bool &) { return !e.Oferecida(3) && Aponta(e, 5) ? ClicaMarcador(e) : std::nullopt; },
         "LG 0°/BU Z", false, false},
        {"acoplamento direto: 180° sem marcador nem escolha", 12, 500, true,
         [](TEstadoSeletor &e, bool &) {
             Aponta(e, 1);
             EXPECT_FALSE(Aponta(e, 3));
             EXPECT_FALSE(e.MarcadorVisivel());
             return Clica(e, Centro(e.Seletor(), 3));
         },
         nullptr, false, true},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        const TSeletor &s = *SeletorNumero(c.janela);
        bool quadro = c.quadroAntes;
        TEstadoSeletor e(s, quadro);
        e.Mostra(c.tamanho);
        const std::optional<TEscolha> escolha = c.passos(e, quadro);
        EXPECT_EQ(escolha.has_value(), c.posicao != nullptr);
        if (escolha && c.posicao) {
            EXPECT_EQ(escolha->Posicao, c.posicao);
            EXPECT_EQ(escolha->GravaQuadro, s.GravaQuadro());
            if (s.GravaQuadro()) {
                EXPECT_EQ(escolha->ExigeQuadro, c.exigeQuadro);
            }
        }
        EXPECT_EQ(quadro, c.quadroDepois);
    }
}
