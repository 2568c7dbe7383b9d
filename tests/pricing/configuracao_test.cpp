// The item configuration on the sample catalogue: the checklist of each kind
// of item, the rules of its check boxes, and the grid and prices it gives.

#include "pricing/configuracao.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "pricing/precos.h"
#include "shell/estado.h"
#include "shell/numeros.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace quellora;

namespace {

class Configuracao : public ::testing::Test {
protected:
    void SetUp() override {
        ResetaEstado();
        dir = QStringLiteral(QUELLORA_DADOS_DIR "/");
        ASSERT_TRUE(CarregaAcessorios(dir));
        ASSERT_TRUE(ListaModelos(dir, linhas));
    }
    void TearDown() override { ResetaEstado(); }

    // The item as a confirmed arrangement leaves it, with the line's records loaded.
    TItemOrc Item(const char *linha, const char *arranjo, int tamanho) {
        int p = -1;
        for (int k = 0; k < linhas.size(); ++k)
            if (linhas[k].startsWith(QString::fromLatin1(linha) + QLatin1Char(' ')))
                p = k;
        EXPECT_GE(p, 0) << linha;
        EXPECT_TRUE(CarregaModelo(dir, p));
        EXPECT_TRUE(CarregaPrecoModelo(dir, p));
        TItemOrc it;
        it.Selecionado = true;
        it.Linha = QString::fromLatin1(linha);
        it.IndModelo = it.RegModelo = p;
        it.Arranjo = IndiceDoArranjo(QString::fromLatin1(arranjo));
        it.Direto = it.Arranjo == ArranjoDireto;
        it.Tamanho = tamanho;
        it.IndiceTam = IndiceDoTamanho(tamanho);
        it.Axial = G().Modelo.DescModelo.trimmed().toUpper() == QLatin1String("AXIAL");
        return it;
    }

    TListaAcessorios Monta(TItemOrc &it) {
        return MontaAcessorios(G().Acessorios, G().Modelo, G().PrecoModelo, it, G().Orcamento);
    }

    // The entry of an accessory code, of the position ("POS") or the motor ("MOTOR"); -1 when absent.
    static int Entrada(const TListaAcessorios &l, const QString &codigo) {
        if (codigo == QLatin1String("MOTOR"))
            return 0;
        if (codigo == QLatin1String("POS"))
            return l.IdxPosicao;
        for (int i = 1; i < l.PrimeiroEspecial; ++i)
            if (i != l.IdxPosicao && SeparaCampos(l.Texto(i)).Codigo.trimmed() == codigo)
                return i;
        return -1;
    }

    QString dir;
    QStringList linhas;
};

} // namespace

TEST_F(Configuracao, ListaDoItemPorLinhaEArranjo) {
    G().Orcamento.NumAcessEsp = 2;
    G().Orcamento.AcessEsp[0] = QStringLiteral("Suporte especial");
    G().Orcamento.AcessEsp[1] = QStringLiteral("Pintura de obra");
    const struct {
        const char *linha, *arranjo;
        bool BU, BR, QR, GAB;
    } casos[] = {
        {"BSD", "1", true, true, true, true},   {"BSD", "9", true, true, true, true},
        {"BSD", "8", true, false, true, false}, {"BSD", "10", false, false, true, false},
        {"BDD", "3", false, true, true, false}, {"AXI", "9", false, false, false, false},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(std::string(c.linha) + " / " + c.arranjo);
        TItemOrc it = Item(c.linha, c.arranjo, 500);
        it.AcessEspPrecoLista[1] = 150;
        const TListaAcessorios l = Monta(it);
        EXPECT_EQ(l.Texto(0), QString::fromUtf8(TextoEntradaMotor));
        EXPECT_FALSE(l.Marcado(0));
        // Roles point at their own entries, -1 when the arrangement offers none.
        EXPECT_EQ(l.IdxBU, Entrada(l, QStringLiteral("BU")));
        EXPECT_EQ(l.IdxBU >= 0, c.BU);
        EXPECT_EQ(l.IdxBR, Entrada(l, QStringLiteral("BR")));
        EXPECT_EQ(l.IdxBR >= 0, c.BR);
        EXPECT_EQ(l.IdxQR, Entrada(l, QStringLiteral("QR")));
        EXPECT_EQ(l.IdxQR >= 0, c.QR);
        EXPECT_EQ(l.IdxGAB, Entrada(l, QStringLiteral("GAB")));
        EXPECT_EQ(l.IdxGAB >= 0, c.GAB);
        // The position entry comes just before the spare parts, unticked.
        ASSERT_GE(l.IdxPosicao, 1);
        EXPECT_EQ(l.Texto(l.IdxPosicao), QString::fromUtf8(TextoEntradaPosicao));
        EXPECT_EQ(Entrada(l, QStringLiteral("PEC")), l.IdxPosicao + 1);
        EXPECT_FALSE(l.Marcado(l.IdxPosicao));
        // Every entry allowed for the arrangement is there, in catalogue order.
        int esperadas = 0;
        for (int k = 1; k <= 45; ++k)
            esperadas += G().Modelo.AcessArranjo[it.Arranjo][k] ? 1 : 0;
        EXPECT_EQ(l.PrimeiroEspecial, esperadas + 2);
        // Markers: motor mounting is included (ticked and chosen), spare parts on request.
        const int mm = Entrada(l, QStringLiteral("MM"));
        EXPECT_EQ(l.Texto(mm), QStringLiteral("Montagem de motor|MM|INC.|1"));
        EXPECT_TRUE(l.Marcado(mm));
        EXPECT_TRUE(it.AcessSel[1]);
        EXPECT_EQ(SeparaCampos(l.Texto(l.IdxPosicao + 1)).Preco, QStringLiteral("S.C."));
        EXPECT_FALSE(l.Marcado(l.IdxPosicao + 1));
        EXPECT_EQ(SeparaCampos(l.Texto(Entrada(l, QStringLiteral("DRN")))).Preco, QString()); // a price shows nothing
        // The quotation's special accessories close the list; a priced one is ticked.
        ASSERT_EQ(l.Quantas(), l.PrimeiroEspecial + 2);
        EXPECT_EQ(SeparaCampos(l.Texto(l.PrimeiroEspecial)).Descricao, QStringLiteral("Suporte especial"));
        EXPECT_FALSE(l.Marcado(l.PrimeiroEspecial));
        EXPECT_TRUE(l.Marcado(l.PrimeiroEspecial + 1));
        EXPECT_EQ(SeparaCampos(l.Texto(l.PrimeiroEspecial + 1)).Numero, 0);
    }

    // A chosen accessory, a position, a motor and the item's own prices come back ticked.
    TItemOrc it = Item("BSD", "9", 500);
    it.AcessSel[7] = true; // COX
    it.Posicao = QStringLiteral("RD 0°/BR 90°");
    it.ComMotor = true;
    it.PrecoAcessorio[38] = -3; // PI: not available for this item
    it.PrecoAcessorio[37] = -7.5; // DRN: a negative that is no marker
    const TListaAcessorios l = Monta(it);
    EXPECT_TRUE(l.Marcado(0));
    EXPECT_TRUE(l.Marcado(l.IdxPosicao));
    EXPECT_TRUE(l.Marcado(Entrada(l, QStringLiteral("COX"))));
    EXPECT_EQ(SeparaCampos(l.Texto(Entrada(l, QStringLiteral("PI")))).Preco, QStringLiteral("N.D."));
    EXPECT_TRUE(LeNumero(SeparaCampos(l.Texto(Entrada(l, QStringLiteral("DRN")))).Preco, nullptr));
}

TEST_F(Configuracao, RegrasDasCaixas) {
    struct Caso {
        const char *nome;
        const char *linha, *arranjo;
        int tamanho;
        QStringList antes;       // ticked before ("POS" gives the item a position)
        QString clica;           // the entry whose box the user toggles
        int janela;              // window opened, 0 none
        const char *mensagem;    // message shown, null none
        QStringList marcados;    // ticked after
        QStringList desmarcados; // unticked after
        std::function<void(TItemOrc &)> prepara = nullptr;
        std::function<void(const TItemOrc &)> confere = nullptr;
        bool confirmaGabinete = true;
    };
    const Caso casos[] = {
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
        {"position of a cabinet up to 560", "BSD", "9", 560, {"GAB"}, "POS", 14, nullptr, {"POS"}, {},
         [](TItemOrc &it) { it.ComGabinete = true; }},
        {"position of a cabinet from 630", "BSD", "9", 630, {"GAB"}, "POS", 15, nullptr, {"POS"}, {},
         [](TItemOrc &it) { it.ComGabinete = true; }},
        {"position with no base to offer", "BSD", "10", 500, {}, "POS", 8, nullptr, {"POS"}, {"QR"}},
        {"position with only the adjustable base", "BDD", "3", 500, {"BR"}, "POS", 8, nullptr, {"POS"}, {}},
        {"single base over an adjustable one", "BSD", "9", 500, {"BR", "POS"}, "BU", 0, MsgBaseRegulavelDesmarcada,
         {"BU"}, {"BR", "POS"}, nullptr, [](const TItemOrc &it) { EXPECT_TRUE(it.Posicao.isEmpty()); }},
        {"adjustable base over a single one", "BSD", "9", 500, {"BU"}, "BR", 0, MsgBaseUnicaDesmarcada, {"BR"},
         {"BU"}},
        {"frame kept while the position needs it", "BSD", "9", 500, {"BR", "POS", "QR"}, "QR", 0, MsgQuadro, {"QR"},
         {}, [](TItemOrc &it) { it.ExigeQuadro = true; }},
        {"frame removed when not needed", "BSD", "9", 500, {"QR"}, "QR", 0, nullptr, {}, {"QR"}},
        {"position unticked forgets it", "BSD", "4", 500, {"POS", "QR"}, "POS", 0, nullptr, {"QR"}, {"POS"},
         [](TItemOrc &it) { it.ExigeQuadro = true; },
         [](const TItemOrc &it) { EXPECT_TRUE(it.Posicao.isEmpty()); EXPECT_FALSE(it.ExigeQuadro); }},
        {"cabinet confirmed", "BSD", "9", 500, {"BR", "POS", "QR", "LFD", "SID", "MM"}, "GAB", 0, nullptr,
         {"GAB", "LFD", "MM"}, {"BR", "POS", "QR", "SID"}, nullptr,
         [](const TItemOrc &it) { EXPECT_TRUE(it.ComGabinete); EXPECT_EQ(TextoVentilador(it), QStringLiteral("BBS 500 / 9")); }},
        {"cabinet cancelled", "BSD", "9", 500, {"BR", "SID"}, "GAB", 0, nullptr, {"BR", "SID"}, {"GAB"}, nullptr,
         [](const TItemOrc &it) { EXPECT_FALSE(it.ComGabinete); }, false},
        {"cabinet removed", "BSD", "9", 500, {"GAB", "POS", "PG06", "PF", "VZA", "LFD"}, "GAB", 0, nullptr, {"LFD"},
         {"GAB", "POS", "PG06", "PF", "VZA"}, [](TItemOrc &it) { it.ComGabinete = true; },
         [](const TItemOrc &it) { EXPECT_FALSE(it.ComGabinete); EXPECT_EQ(TextoVentilador(it), QStringLiteral("BSD 500 / 9")); }},
        {"accessory refused with a cabinet", "BSD", "9", 500, {"GAB"}, "SID", 0, MsgGabineteNaoPermitido, {"GAB"},
         {"SID"}, [](TItemOrc &it) { it.ComGabinete = true; }},
        {"frame refused with a cabinet", "BSD", "9", 500, {"GAB"}, "QR", 0, MsgGabineteNaoPermitido, {}, {"QR"},
         [](TItemOrc &it) { it.ComGabinete = true; it.ExigeQuadro = true; }},
        {"any other accessory", "BSD", "9", 500, {}, "SID", 0, nullptr, {"SID"}, {}},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        TItemOrc it = Item(c.linha, c.arranjo, c.tamanho);
        if (c.antes.contains(QStringLiteral("POS")))
            it.Posicao = QStringLiteral("RD 0°/BR 90°");
        if (c.prepara)
            c.prepara(it);
        TListaAcessorios l = Monta(it);
        for (const QString &k : c.antes)
            l.Marca(Entrada(l, k), true);
        const int i = Entrada(l, c.clica);
        ASSERT_GE(i, 0) << c.clica.toStdString();
        l.Marca(i, !l.Marcado(i));
        bool perguntou = false;
        bool exigeQuadro = true;
        const TEfeitoMarcacao e = MarcacaoAlterada(l, it, i, exigeQuadro, [&] {
            perguntou = true;
            return c.confirmaGabinete;
        });
        EXPECT_TRUE(e.Alterado);
        EXPECT_EQ(e.Janela, c.janela);
        EXPECT_EQ(e.Retorno, c.janela != 0);
        EXPECT_EQ(e.Mensagens, c.mensagem ? QStringList{QString::fromUtf8(c.mensagem)} : QStringList{});
        EXPECT_EQ(perguntou, c.clica == QLatin1String("GAB") && !c.antes.contains(QStringLiteral("GAB")));
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
    o.AcessEsp[0] = QStringLiteral("Suporte especial");
    o.AcessEsp[1] = QStringLiteral("Pintura de obra");
    o.AcessEsp[2] = QStringLiteral("Embalagem marítima");
    TItemOrc it = Item("BSD", "9", 450);
    it.Posicao = QStringLiteral("LG 90°/BU W");
    it.AcessEspPrecoLista[0] = 100;
    it.AcessEspPreco[1] = 55; // counted once, no longer chosen
    it.ComMotor = true;
    it.MotorEspecial = true;
    it.PotMotor = 2.2;
    it.Polos = 4;
    it.Tensao = QStringLiteral("3F 220/380");
    it.Frequencia = QStringLiteral("60 Hz");
    it.Protecao = QStringLiteral("IP55");
    it.PrecoListaMotor = 1234.5;
    TListaAcessorios l = Monta(it);
    l.Marca(Entrada(l, QStringLiteral("BU")), true);
    const int drn = Entrada(l, QStringLiteral("DRN"));
    l.Entradas[static_cast<std::size_t>(drn)].Texto = QStringLiteral("Dreno|DRN|12.345|37");
    l.Marca(drn, true);

    // A special accessory ticked by the user is kept "on request" in the item.
    const int esp = l.PrimeiroEspecial + 2;
    l.Marca(esp, true);
    bool exige = false;
    MarcacaoAlterada(l, it, esp, exige, {});
    EXPECT_EQ(it.AcessEspPrecoLista[2], -2);
    EXPECT_EQ(SeparaCampos(l.Texto(esp)).Preco, QStringLiteral("S.C."));

    const TFatoresPreco f{0.9, 1.25, 0.9, 0.8};
    const TConfiguracaoObtida c = AtualizaConfiguracao(l, it, f);
    const QString kw = FormataFloat(QStringLiteral("0.00"), 2.2);
    const std::vector<TLinhaConfig> esperadas = {
        {QStringLiteral("Posição"), QStringLiteral("LG 90°/BU W"), {}},
        {QStringLiteral("Montagem de motor"), QStringLiteral("MM"), QStringLiteral("INC.")},
        {QStringLiteral("Base única"), QStringLiteral("BU"), {}},
        {QStringLiteral("Dreno"), QStringLiteral("DRN"), {}},
        {QStringLiteral("Suporte especial"), {}, {}},
        {QStringLiteral("Embalagem marítima"), {}, QStringLiteral("S.C.")},
        {QStringLiteral("Motor"), QStringLiteral("*") + kw + QStringLiteral(" kW / 4 P"), {}},
        {{}, QStringLiteral("*3F 220/380"), {}},
        {{}, QStringLiteral("*60 Hz / IP55"), {}},
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
    const TConfiguracaoObtida s = AtualizaConfiguracao(l, it, f);
    EXPECT_EQ(s.Linhas.back(), (TLinhaConfig{QStringLiteral("Motor"), QStringLiteral("Sem Motor"), {}}));
    EXPECT_DOUBLE_EQ(MultDesconto(12.5), 0.875);
}
