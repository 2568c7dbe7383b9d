// The drawn proposal as the client reads it: nothing written over the
// footer (whatever the paper, what does not fit goes on to a further page
// of the same items), only the items that are ready, descriptions in full.
// The pages are read back from the PDF file with poppler's pdftotext.

#include "proposal/proposta.h"

#include "app_gui.h"
#include "proposal/orcamento_exemplo.h"
#include "proposal/pdf_palavras.h"
#include "shell/fabricante.h"

#include <gtest/gtest.h>

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

using namespace quellora;
using namespace quellora::teste;

namespace {

const QString Dados = QStringLiteral(QUELLORA_DADOS_DIR "/");

class Paginas : public ::testing::Test {
protected:
    void SetUp() override {
        GaranteAppGui();
        ASSERT_TRUE(dir.isValid());
    }
    QString caminho(const QString &nome) const { return dir.filePath(nome); }
    QTemporaryDir dir;
};

QStringList Palavras(const QString &t) { return t.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

// What the footer band holds: the maker's contact lines, then below the
// frame the program, the day and the page number.
QStringList PalavrasDoRodape(int pagina, int paginas) {
    return Palavras(QStringLiteral("Central de vendas: ") + QString::fromUtf8(DadosFabricante::EnderecoVendas) +
                    QString::fromUtf8(" Fábrica: ") + QString::fromUtf8(DadosFabricante::EnderecoFabrica) +
                    QStringLiteral(" Fone: ") + QString::fromUtf8(DadosFabricante::Fone) + QLatin1Char(' ') +
                    CarimboDocumento(QDate::currentDate()) + QString::fromUtf8(" Pág. %1 de %2").arg(pagina).arg(paginas));
}

// Every word of every page either stands above the footer's first line or
// is one of the footer's own; the pages are numbered i of n.
void ConfereRodapes(const std::vector<PaginaPdf> &paginas) {
    const int n = static_cast<int>(paginas.size());
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE("página " + std::to_string(i + 1));
        const PaginaPdf &p = paginas[static_cast<std::size_t>(i)];
        const PalavraPdf *central = p.procura(QStringLiteral("Central"));
        ASSERT_NE(central, nullptr);
        const double topo = central->yMin;
        QStringList naFaixa, esperadas = PalavrasDoRodape(i + 1, n);
        for (const PalavraPdf &w : p.palavras)
            if (w.yMax > topo)
                naFaixa << w.texto;
        naFaixa.sort();
        esperadas.sort();
        EXPECT_EQ(naFaixa, esperadas) << "above the footer's line at y = " << topo;
    }
}

// Item k with twelve catalogue accessories, mostly others than its
// neighbours': the page has dozens of accessory rows.
void DozeAcessorios(TItemOrc &it, int k) {
    it.AcessSel = {};
    for (int j = 0; j < 12; ++j)
        it.AcessSel[1 + (k * 7 + j) % NumAcessorios] = true;
}

const QString ObsLonga1 = QString::fromUtf8(
    "Os preços desta proposta valem para o pedido único de todos os itens, entregues de uma só vez na obra do "
    "cliente em Campinas, com frete e descarga por conta do cliente e seguro de transporte incluso.");
const QString ObsLonga2 = QString::fromUtf8(
    "Motores WEG ou equivalente de rendimento IR3, com protetor térmico; pintura em epóxi cinza RAL 7035 sobre "
    "fundo anticorrosivo; ensaio de vibração e balanceamento G2,5 acompanhados do certificado de cada rotor.");

// Five items of twelve accessories each, with long observations.
void CincoItensCheios() {
    ASSERT_TRUE(MontaOrcamento(Dados, 5));
    auto &g = G();
    for (int k = 1; k <= 5; ++k)
        DozeAcessorios(g.Itens[k], k);
    g.Orcamento.Obs1 = ObsLonga1;
    g.Orcamento.Obs2 = ObsLonga2;
    g.Proposta.SecaoObs = true;
    g.Proposta.Reduzida = false;
    g.Pagina.Logotipo = LogotipoProposta();
}

} // namespace

TEST_F(Paginas, NadaEscritoSobreORodapeEmPapelNenhum) {
    CincoItensCheios();
    const struct {
        const char *papel;
        QPageSize::PageSizeId tamanho; // A4 is the program's own PDF file
    } casos[] = {{"A4", QPageSize::A4}, {"Carta", QPageSize::Letter}, {"A5", QPageSize::A5}};
    int paginasA4 = 0;
    for (const auto &c : casos) {
        SCOPED_TRACE(c.papel);
        const QString pdf = caminho(QString::fromLatin1(c.papel) + QStringLiteral(".pdf"));
        if (c.tamanho == QPageSize::A4) {
            QString erro;
            ASSERT_TRUE(GravaPropostaPDF(pdf, &erro)) << erro.toStdString();
        } else {
            QPdfWriter w(pdf);
            w.setPageLayout(QPageLayout(QPageSize(c.tamanho), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                        QPageLayout::Millimeter));
            w.setResolution(300);
            ASSERT_TRUE(ImprimeProposta(w, 1, 99));
        }
        const std::vector<PaginaPdf> paginas = PalavrasDoPdf(pdf);
        ASSERT_FALSE(paginas.empty());
        // The rows do not fit one page: they go on to another.
        EXPECT_GE(paginas.size(), 2u);
        ConfereRodapes(paginas);

        // Nothing is lost on the way: every accessory of the items and
        // every word of the observations is on some page.
        QStringList todas;
        for (const PaginaPdf &p : paginas)
            todas << p.textos();
        const QString texto = todas.join(QLatin1Char(' '));
        for (int a = 1; a <= NumAcessorios; ++a) {
            bool usado = false;
            for (int k = 1; k <= 5; ++k)
                usado |= G().Itens[k].AcessSel[a];
            if (usado) {
                EXPECT_TRUE(texto.contains(G().Acessorios[a].NomeAcessorio.simplified())) << a;
            }
        }
        for (const QString &w : Palavras(ObsLonga1 + QLatin1Char(' ') + ObsLonga2))
            EXPECT_TRUE(todas.contains(w)) << w.toStdString();
        // A further page repeats the items' numbers and tags over their
        // columns and names the section it goes on with.
        const PaginaPdf &segunda = paginas[1];
        for (const char *t : {"Item", "Ref./TAG", "EX-01", "EX-05"})
            EXPECT_NE(segunda.procura(QString::fromUtf8(t)), nullptr) << t;
        EXPECT_TRUE(segunda.textos().contains(QString::fromUtf8("(continuação)")));
        if (c.tamanho == QPageSize::A4) {
            paginasA4 = static_cast<int>(paginas.size());
        } else if (c.tamanho == QPageSize::A5) {
            EXPECT_GT(static_cast<int>(paginas.size()), paginasA4) << "a smaller sheet holds less";
        }
    }
    // What the preview and the data sheet window count.
    EXPECT_EQ(NumPaginasProposta(), paginasA4);
}

TEST_F(Paginas, PaginasSeguintesContinuamAsLinhasEmOrdem) {
    CincoItensCheios();
    const std::vector<TPaginaProposta> paginas = PaginasProposta();
    ASSERT_GE(paginas.size(), 2u);
    // One group of items; each page goes on where the one before stopped.
    int linha = 0;
    for (std::size_t i = 0; i < paginas.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(paginas[i].Itens, (std::vector<int>{1, 2, 3, 4, 5}));
        EXPECT_EQ(paginas[i].Continuacao, i > 0);
        EXPECT_EQ(paginas[i].De, linha);
        EXPECT_GT(paginas[i].Ate, paginas[i].De) << "no page without rows";
        linha = paginas[i].Ate;
    }
    // With the accessories and observations left out the items fit one page.
    G().Proposta.SecaoAcessorios = G().Proposta.SecaoObs = false;
    EXPECT_EQ(NumPaginasProposta(), 1);
}

TEST_F(Paginas, ItensQueNaoEstaoProntosFicamDeFora) {
    const struct {
        const char *nome;
        int itens;
        std::function<void(Faixa<TItemOrc, 0, 40> &)> prepara;
        std::vector<std::vector<int>> grupos;
        const char *aviso;
    } casos[] = {
        {"todos prontos", 6, [](auto &) {}, {{1, 2, 3, 4, 5}, {6}}, ""},
        {"o segundo nunca selecionado", 7, [](auto &i) { i[2].Selecionado = false; }, {{1, 3, 4, 5, 6}, {7}},
         "Fora da proposta: item 2 (não selecionado)"},
        {"quantidade 0 e um não selecionado", 6,
         [](auto &i) {
             i[3].Qtd = 0;
             i[5].Selecionado = false;
         },
         {{1, 2, 4, 6}}, "Fora da proposta: item 3 (quantidade 0), item 5 (não selecionado)"},
        {"nenhum pronto", 2,
         [](auto &i) {
             i[1].Selecionado = false;
             i[1].Qtd = 0;
             i[2].Qtd = 0;
         },
         {{}}, "Fora da proposta: item 1 (não selecionado e quantidade 0), item 2 (quantidade 0)"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_TRUE(MontaOrcamento(Dados, c.itens));
        auto &g = G();
        c.prepara(g.Itens);
        EXPECT_EQ(GruposProposta(g.Itens, g.NumItens), c.grupos);
        EXPECT_EQ(AvisoItensFora(ItensForaDaProposta(g.Itens, g.NumItens)), QString::fromUtf8(c.aviso));

        // The HTML: one table per group, the items under their own numbers,
        // the empty columns filled.
        const QString html = QString::fromLatin1(PropostaHTML());
        const QStringList linhas = html.split(QStringLiteral("\r\n"));
        EXPECT_EQ(linhas.count(QStringLiteral("<BR><BR>")), static_cast<qsizetype>(c.grupos.size()));
        qsizetype de = 0;
        for (const std::vector<int> &grupo : c.grupos) {
            QString numeros;
            for (int k : grupo)
                numeros += QStringLiteral("<td>&nbsp;%1</td>").arg(k);
            numeros += QStringLiteral("<td>-.-</td>").repeated(ItensPorPagina - static_cast<int>(grupo.size())) +
                       QStringLiteral("</tr>");
            const qsizetype i = linhas.indexOf(numeros, de);
            EXPECT_GT(i, de) << numeros.toStdString();
            de = std::max(de, i);
        }

        // The pages: the tags of the ready items only.
        g.Pagina.Logotipo = LogotipoProposta();
        const QString pdf = caminho(QString::fromUtf8(c.nome) + QStringLiteral(".pdf"));
        ASSERT_TRUE(GravaPropostaPDF(pdf, nullptr));
        QStringList palavras;
        for (const PaginaPdf &p : PalavrasDoPdf(pdf))
            palavras << p.textos();
        ASSERT_FALSE(palavras.isEmpty());
        for (int k = 1; k <= c.itens; ++k) {
            const QString tag = g.Itens[k].RefTag;
            const bool pronto = ItemPronto(g.Itens[k]);
            EXPECT_EQ(palavras.contains(tag), pronto) << tag.toStdString();
            EXPECT_EQ(html.contains(QStringLiteral("<td>&nbsp;") + tag + QStringLiteral("</td>")), pronto)
                << tag.toStdString();
        }
    }
}

TEST_F(Paginas, TotaisSoDosItensProntos) {
    // An item left out adds nothing to the totals: the same figures as the
    // quotation without it.
    auto totais = [] {
        G().Proposta.SecaoPrecos = true;
        const QStringList l = QString::fromLatin1(PropostaHTML()).split(QStringLiteral("\r\n"));
        const qsizetype i = l.indexOf(QStringLiteral("<tr align=\"right\"><td colspan=2 align=\"left\">"
                                                     "<b>Geral: Ventilador+Acessorios</b></td>"));
        return i < 0 ? QStringList() : l.mid(i + 1, 6);
    };
    ASSERT_TRUE(MontaOrcamento(Dados, 4));
    G().Itens[2].Selecionado = false;
    const QStringList semODois = totais();
    ASSERT_EQ(semODois.size(), 6);
    ASSERT_TRUE(MontaOrcamento(Dados, 4));
    G().Itens[2] = G().Itens[3];
    G().Itens[3] = G().Itens[4];
    G().NumItens = 3;
    EXPECT_EQ(totais(), semODois);
}

TEST_F(Paginas, TextoQuebradoEmLinhasSemPerderNada) {
    QImage img(400, 100, QImage::Format_RGB32);
    QPainter f(&img);
    auto &p = Pagina();
    p = TEstadoPagina{};
    p.Folha = &f;
    p.Resolucao = 96;
    FonteArial(9);
    const int largura = LarguraTexto(QStringLiteral("Exaustão cabine"));
    const struct {
        const char *texto;
        int linhas; // 0: more than one, any number
    } casos[] = {
        {"Exaustão", 1},
        {"Exaustão cabine", 1},
        {"Exaustão cabine pintura", 2},
        {"Exaustão   cabine    pintura eletrostática nº 3", 0},
        {"Pressurizaçãodaescadadeemergência", 0}, // one word wider than a line
        {"", 1},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.texto);
        const QString t = QString::fromUtf8(c.texto);
        const QStringList l = QuebraTexto(t, largura);
        if (c.linhas > 0)
            EXPECT_EQ(l.size(), c.linhas);
        else
            EXPECT_GT(l.size(), 1);
        for (const QString &linha : l)
            EXPECT_LE(LarguraTexto(linha), largura) << linha.toStdString();
        // The letters all there, in their order.
        EXPECT_EQ(l.join(QString()).remove(QLatin1Char(' ')), t.simplified().remove(QLatin1Char(' ')));
    }
    p = TEstadoPagina{};
    f.end();
}

TEST_F(Paginas, DescricaoInteiraEmQuantasLinhasPrecisar) {
    ASSERT_TRUE(MontaOrcamento(Dados, 5));
    auto &g = G();
    g.Pagina.Logotipo = LogotipoProposta();
    // As long as the quotation file keeps (40 characters).
    g.Itens[2].Descricao = QString::fromUtf8("Exaustão cabine pintura eletrostática 3");
    g.Itens[4].Descricao = QString::fromUtf8("Ventilação dos painéis elétricos do CCM");
    const QString pdf = caminho(QStringLiteral("descricao.pdf"));
    ASSERT_TRUE(GravaPropostaPDF(pdf, nullptr));
    const std::vector<PaginaPdf> paginas = PalavrasDoPdf(pdf);
    ASSERT_EQ(paginas.size(), 1u);
    const PaginaPdf &p = paginas[0];
    EXPECT_FALSE(p.textos().join(QLatin1Char(' ')).contains(QChar(0x2026))) << "nothing cut short";
    const PalavraPdf *modelo = p.procura(QStringLiteral("Ventilador"));
    ASSERT_NE(modelo, nullptr);
    for (int k : {2, 4}) {
        const QStringList palavras = Palavras(g.Itens[k].Descricao);
        double fundo = 0, primeira = 1e9;
        for (const QString &w : palavras) {
            const PalavraPdf *x = p.procura(w);
            ASSERT_NE(x, nullptr) << w.toStdString();
            fundo = std::max(fundo, x->yMax);
            primeira = std::min(primeira, x->yMin);
        }
        EXPECT_GT(fundo - primeira, 2 * (modelo->yMax - modelo->yMin)) << "three lines or more";
        // The rows below move down.
        EXPECT_LE(fundo, modelo->yMin) << k;
    }
}
