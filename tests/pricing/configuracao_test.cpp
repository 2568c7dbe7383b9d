// The item configuration on the sample catalogue: the checklist of each kind
// of item, the rules of its check boxes, and the grid and prices it gives.

#include "pricing/configuracao.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "shell/estado.h"
#include "shell/numeros.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace quellora;

namespace {

class Configuracao : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CarregaAcessorios(dir));
        ASSERT_TRUE(ListaModelos(dir, linhas));
    }

    // The item as a confirmed arrangement leaves it, with the line's records loaded.
    TItemOrc Item(const char *linha, const char *arranjo, int tamanho) {
        const auto p = static_cast<int>(linhas.indexOf(QRegularExpression(QString::fromLatin1(linha) + " .*")));
        EXPECT_TRUE(p >= 0 && CarregaModelo(dir, p) && CarregaPrecoModelo(dir, p)) << linha;
        const int k = IndiceDoArranjo(QString::fromLatin1(arranjo));
        return {.Selecionado = true, .Arranjo = k, .Linha = QString::fromLatin1(linha), .IndModelo = p,
                .Axial = G().Modelo.DescModelo.trimmed().toUpper() == "AXIAL", .Direto = k == ArranjoDireto,
                .IndiceTam = IndiceDoTamanho(tamanho), .RegModelo = p, .Tamanho = tamanho};
    }
    static TListaAcessorios Monta(TItemOrc &it) {
        return MontaAcessorios(G().Acessorios, G().Modelo, G().PrecoModelo, it, G().Orcamento);
    }
    // The entry of an accessory code, of the position ("POS") or the motor ("MOTOR"); -1 when absent.
    static int Entrada(const TListaAcessorios &l, const QString &codigo) {
        if (codigo == "MOTOR")
            return 0;
        if (codigo == "POS")
            return l.IdxPosicao;
        for (int i = 1; i < l.PrimeiroEspecial; ++i)
            if (i != l.IdxPosicao && SeparaCampos(l.Texto(i)).Codigo.trimmed() == codigo)
                return i;
        return -1;
    }
    static QString Preco(const TListaAcessorios &l, int i) { return SeparaCampos(l.Texto(i)).Preco; }

    const QString dir = QStringLiteral(QUELLORA_DADOS_DIR "/");
    QStringList linhas;
};

} // namespace

TEST_F(Configuracao, ListaDoItemPorLinhaEArranjo) {
    G().Orcamento.NumAcessEsp = 2;
    G().Orcamento.AcessEsp[0] = "Suporte especial";
    G().Orcamento.AcessEsp[1] = "Pintura de obra";
    const struct {
        const char *linha, *arranjo, *papeis; // the roles the arrangement offers
    } casos[] = {{"BSD", "1", "BU BR QR GAB"}, {"BSD", "9", "BU BR QR GAB"}, {"BSD", "8", "BU QR"},
                 {"BSD", "10", "QR"},          {"BDD", "3", "BR QR"},        {"AXI", "9", ""}};
    for (const auto &c : casos) {
        SCOPED_TRACE(std::string(c.linha) + " / " + c.arranjo);
        TItemOrc it = Item(c.linha, c.arranjo, 500);
        it.AcessEspPrecoLista[1] = 150;
        const TListaAcessorios l = Monta(it);
        EXPECT_EQ(l.Texto(0), TextoEntradaMotor);
        EXPECT_FALSE(l.Marcado(0));
        // Roles point at their own entries, -1 when the arrangement offers none.
        for (const auto &[idx, codigo] : {std::pair{l.IdxBU, "BU"}, {l.IdxBR, "BR"}, {l.IdxQR, "QR"}, {l.IdxGAB, "GAB"}}) {
            EXPECT_EQ(idx, Entrada(l, codigo)) << codigo;
            EXPECT_EQ(idx >= 0, QString(c.papeis).split(' ').contains(codigo)) << codigo;
        }
        // The position entry comes just before the spare parts, unticked.
        ASSERT_GE(l.IdxPosicao, 1);
        EXPECT_EQ(l.Texto(l.IdxPosicao), TextoEntradaPosicao);
        EXPECT_EQ(Entrada(l, "PEC"), l.IdxPosicao + 1);
        EXPECT_FALSE(l.Marcado(l.IdxPosicao));
        // Every entry allowed for the arrangement is there, in catalogue order.
        int esperadas = 0;
        for (int k = 1; k <= 45; ++k)
            esperadas += G().Modelo.AcessArranjo[it.Arranjo][k] ? 1 : 0;
        EXPECT_EQ(l.PrimeiroEspecial, esperadas + 2);
        // Motor mounting is included (ticked and chosen), spare parts on
        // request (unticked), a price shows nothing.
        const int mm = Entrada(l, "MM");
        EXPECT_EQ(l.Texto(mm), "Montagem de motor|MM|INC.|1");
        EXPECT_TRUE(l.Marcado(mm) && it.AcessSel[1]);
        EXPECT_EQ(Preco(l, l.IdxPosicao + 1), "S.C.");
        EXPECT_FALSE(l.Marcado(l.IdxPosicao + 1));
        EXPECT_EQ(Preco(l, Entrada(l, "DRN")), QString());
        // The quotation's special accessories close the list; a priced one is ticked.
        ASSERT_EQ(l.Quantas(), l.PrimeiroEspecial + 2);
        EXPECT_EQ(SeparaCampos(l.Texto(l.PrimeiroEspecial)).Descricao, "Suporte especial");
        EXPECT_FALSE(l.Marcado(l.PrimeiroEspecial));
        EXPECT_TRUE(l.Marcado(l.PrimeiroEspecial + 1));
        EXPECT_EQ(SeparaCampos(l.Texto(l.PrimeiroEspecial + 1)).Numero, 0);
    }

    // A chosen accessory, a position, a motor and the item's own prices come back ticked.
    TItemOrc it = Item("BSD", "9", 500);
    it.AcessSel[7] = true; // COX
    it.Posicao = "RD 0°/BR 90°";
    it.ComMotor = true;
    it.PrecoAcessorio[38] = -3;   // PI: not available for this item
    it.PrecoAcessorio[37] = -7.5; // DRN: a negative that is no marker
    const TListaAcessorios l = Monta(it);
    EXPECT_TRUE(l.Marcado(0) && l.Marcado(l.IdxPosicao) && l.Marcado(Entrada(l, "COX")));
    EXPECT_EQ(Preco(l, Entrada(l, "PI")), "N.D.");
    EXPECT_TRUE(LeNumero(Preco(l, Entrada(l, "DRN")), nullptr));
}

TEST_F(Configuracao, RegrasDasCaixas) {
    const auto gabinete = [](TItemOrc &it) { it.ComGabinete = true; };
    const auto quadro = [](TItemOrc &it) { it.ExigeQuadro = true; };
    const struct {
        const char *nome, *linha, *arranjo;
        int tamanho;
        QStringList antes;       // ticked before ("POS" gives the item a position)
        QString clica;           // the entry whose box the user toggles
        int janela;              // window opened, 0 none
        const char *mensagem;    // message shown, null none
        QStringList marcados, desmarcados;
        std::function<void(TItemOrc &)> prepara = nullptr;
        std::function<void(const TItemOrc &)> confere = nullptr;
        bool confirmaGabinete = true;
    } casos[] = {
        {"motor opens the motor window", "BSD", "9", 500, {}, "MOTOR", 10, nullptr, {"MOTOR"}, {}},
        {"motor unticked on direct coupling", "BSD", "4", 500, {"MOTOR"}, "MOTOR", 0, nullptr, {}, {"MOTOR"},
         [](TItemOrc &it) { it.ComMotor = true; it.Polos = 4; },
         [](const TItemOrc &it) { EXPECT_FALSE(it.ComMotor); EXPECT_EQ(it.Polos, 1); }},
        {"no motor unticked keeps the pole choice", "BSD", "4", 500, {"MOTOR"}, "MOTOR", 0, nullptr, {}, {"MOTOR"},
         [](TItemOrc &it) { it.ComMotor = it.SemMotor = true; it.Polos = 1; },
         [](const TItemOrc &it) { EXPECT_EQ(it.Polos, 1); }},
        {"position before a base", "BSD", "9", 500, {}, "POS", 0, MsgEscolhaBase, {}, {"POS"}},
        {"position on an adjustable base", "BSD", "9", 500, {"BR"}, "POS", 8, nullptr, {"POS", "BR"}, {}},
        {"position on a single base", "BSD", "9", 500, {"BU"}, "POS", 9, nullptr, {"POS", "BU"}, {}},
        {"position of arrangement 1", "BSD", "1", 500, {}, "POS", 13, nullptr, {"POS"}, {}},
        {"position of direct coupling", "BSD", "4", 500, {}, "POS", 12, nullptr, {"POS"}, {}},
        {"position of an axial fan", "AXI", "9", 500, {}, "POS", 16, nullptr, {"POS"}, {}},
        {"position of a cabinet up to 560", "BSD", "9", 560, {"GAB"}, "POS", 14, nullptr, {"POS"}, {}, gabinete},
        {"position of a cabinet from 630", "BSD", "9", 630, {"GAB"}, "POS", 15, nullptr, {"POS"}, {}, gabinete},
        {"position with no base to offer", "BSD", "10", 500, {}, "POS", 8, nullptr, {"POS"}, {"QR"}},
        {"position with only the adjustable base", "BDD", "3", 500, {"BR"}, "POS", 8, nullptr, {"POS"}, {}},
        {"single base over an adjustable one", "BSD", "9", 500, {"BR", "POS"}, "BU", 0, MsgBaseRegulavelDesmarcada,
         {"BU"}, {"BR", "POS"}, nullptr, [](const TItemOrc &it) { EXPECT_TRUE(it.Posicao.isEmpty()); }},
        {"adjustable base over a single one", "BSD", "9", 500, {"BU"}, "BR", 0, MsgBaseUnicaDesmarcada, {"BR"}, {"BU"}},
        {"frame kept while the position needs it", "BSD", "9", 500, {"BR", "POS", "QR"}, "QR", 0, MsgQuadro, {"QR"},
         {}, quadro},
        {"frame removed when not needed", "BSD", "9", 500, {"QR"}, "QR", 0, nullptr, {}, {"QR"}},
        {"position unticked forgets it", "BSD", "4", 500, {"POS", "QR"}, "POS", 0, nullptr, {"QR"}, {"POS"}, quadro,
         [](const TItemOrc &it) { EXPECT_TRUE(it.Posicao.isEmpty()); EXPECT_FALSE(it.ExigeQuadro); }},
        {"cabinet confirmed", "BSD", "9", 500, {"BR", "POS", "QR", "LFD", "SID", "MM"}, "GAB", 0, nullptr,
         {"GAB", "LFD", "MM"}, {"BR", "POS", "QR", "SID"}, nullptr,
         [](const TItemOrc &it) { EXPECT_TRUE(it.ComGabinete); EXPECT_EQ(TextoVentilador(it), "BBS 500 / 9"); }},
        {"cabinet cancelled", "BSD", "9", 500, {"BR", "SID"}, "GAB", 0, nullptr, {"BR", "SID"}, {"GAB"}, nullptr,
         [](const TItemOrc &it) { EXPECT_FALSE(it.ComGabinete); }, false},
        {"cabinet removed", "BSD", "9", 500, {"GAB", "POS", "PG06", "PF", "VZA", "LFD"}, "GAB", 0, nullptr, {"LFD"},
         {"GAB", "POS", "PG06", "PF", "VZA"}, gabinete,
         [](const TItemOrc &it) { EXPECT_FALSE(it.ComGabinete); EXPECT_EQ(TextoVentilador(it), "BSD 500 / 9"); }},
        {"accessory refused with a cabinet", "BSD", "9", 500, {"GAB"}, "SID", 0, MsgGabineteNaoPermitido, {"GAB"},
         {"SID"}, gabinete},
        {"frame refused with a cabinet", "BSD", "9", 500, {"GAB"}, "QR", 0, MsgGabineteNaoPermitido, {}, {"QR"},
         [](TItemOrc &it) { it.ComGabinete = it.ExigeQuadro = true; }},
        {"any other accessory", "BSD", "9", 500, {}, "SID", 0, nullptr, {"SID"}, {}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        TItemOrc it = Item(c.linha, c.arranjo, c.tamanho);
        if (c.antes.contains("POS"))
            it.Posicao = "RD 0°/BR 90°";
        if (c.prepara)
            c.prepara(it);
        TListaAcessorios l = Monta(it);
        for (const QString &k : c.antes)
            l.Marca(Entrada(l, k), true);
        const int i = Entrada(l, c.clica);
        ASSERT_GE(i, 0) << c.clica.toStdString();
        l.Marca(i, !l.Marcado(i));
        bool perguntou = false, exigeQuadro = true;
        const TEfeitoMarcacao e = MarcacaoAlterada(l, it, i, exigeQuadro, [&] { return perguntou = true, c.confirmaGabinete; });
        EXPECT_TRUE(e.Alterado);
        EXPECT_EQ(e.Janela, c.janela);
        EXPECT_EQ(e.Retorno, c.janela != 0);
        EXPECT_EQ(e.Mensagens, c.mensagem ? QStringList{c.mensagem} : QStringList{});
        EXPECT_EQ(perguntou, c.clica == "GAB" && !c.antes.contains("GAB"));
        if (c.janela == 8 || c.janela == 9) {
            EXPECT_FALSE(exigeQuadro) << "the belt-drive pickers start from a position without frame";
        }
        for (const QString &k : c.marcados)
            EXPECT_TRUE(l.Marcado(Entrada(l, k))) << k.toStdString();
        for (const QString &k : c.desmarcados)
            EXPECT_FALSE(l.Marcado(Entrada(l, k))) << k.toStdString();
        if (c.confere)
            c.confere(it);
    }
}

TEST_F(Configuracao, GradeEPrecosDoItem) {
    auto &o = G().Orcamento;
    o.NumAcessEsp = 3;
    o.AcessEsp[0] = "Suporte especial";
    o.AcessEsp[1] = "Pintura de obra";
    o.AcessEsp[2] = "Embalagem marítima";
    TItemOrc it = Item("BSD", "9", 450);
    it.Posicao = "LG 90°/BU W";
    it.AcessEspPrecoLista[0] = 100;
    it.AcessEspPreco[1] = 55; // counted once, no longer chosen
    it.ComMotor = it.MotorEspecial = true;
    it.PotMotor = 2.2;
    it.Polos = 4;
    it.Tensao = "3F 220/380";
    it.Frequencia = "60 Hz";
    it.Protecao = "IP55";
    it.PrecoListaMotor = 1234.5;
    TListaAcessorios l = Monta(it);
    l.Marca(Entrada(l, "BU"), true);
    const int drn = Entrada(l, "DRN");
    l.Entradas[static_cast<std::size_t>(drn)].Texto = "Dreno|DRN|12.345|37";
    l.Marca(drn, true);

    // A special accessory ticked by the user is kept "on request" in the item.
    const int esp = l.PrimeiroEspecial + 2;
    l.Marca(esp, true);
    bool exige = false;
    MarcacaoAlterada(l, it, esp, exige, {});
    EXPECT_EQ(it.AcessEspPrecoLista[2], -2);
    EXPECT_EQ(Preco(l, esp), "S.C.");

    const TFatoresPreco f{0.9, 1.25, 0.9, 0.8};
    const TConfiguracaoObtida c = AtualizaConfiguracao(l, it, f);
    const std::vector<TLinhaConfig> esperadas = {
        {"Posição", "LG 90°/BU W", {}},
        {"Montagem de motor", "MM", "INC."},
        {"Base única", "BU", {}},
        {"Dreno", "DRN", {}},
        {"Suporte especial", {}, {}},
        {"Embalagem marítima", {}, "S.C."},
        {"Motor", "*" + FormataFloat("0.00", 2.2) + " kW / 4 P", {}},
        {{}, "*3F 220/380", {}},
        {{}, "*60 Hz / IP55", {}},
    };
    EXPECT_EQ(c.Linhas, esperadas);
    // Net prices rounded one by one: 100 x 0.81 and 12.345 x 0.81.
    EXPECT_DOUBLE_EQ(c.SomaAcess, 81 + 10.0);
    EXPECT_DOUBLE_EQ(it.PrecoAcess, c.SomaAcess);
    EXPECT_DOUBLE_EQ(it.AcessEspPreco[0], 100);
    EXPECT_DOUBLE_EQ(it.AcessEspPreco[1], 0);
    EXPECT_DOUBLE_EQ(it.AcessEspPreco[2], -2);
    EXPECT_DOUBLE_EQ(it.PrecoAcessorio[37], 12.345);
    EXPECT_TRUE(it.AcessSel[0] && it.AcessSel[1] && it.AcessSel[4] && it.AcessSel[37]);
    EXPECT_FALSE(it.AcessSel[5]);
    EXPECT_TRUE(it.Configurado);
    EXPECT_DOUBLE_EQ(it.PrecoMotor, 1234.5);
    EXPECT_DOUBLE_EQ(c.PrecoMotorLiq, 1234.5 * 1.25 * 0.8);

    // Without the special accessory's rounding, and "on request" counts nothing.
    EXPECT_DOUBLE_EQ(SomaAcessorios(it, o.NumAcessEsp, 0.9, 0.9), (100 + 12.345) * 0.81);
    it.SemMotor = true;
    EXPECT_EQ(AtualizaConfiguracao(l, it, f).Linhas.back(), (TLinhaConfig{"Motor", "Sem Motor", {}}));
}
