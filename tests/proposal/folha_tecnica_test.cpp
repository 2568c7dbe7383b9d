// The technical data sheets as the client receives them: pages counted by
// poppler's pdfinfo, their text read back by pdftotext, their pictures
// rendered by pdftoppm; the pictures an item's position was picked on; the
// chart's scales; the command line.

#include "proposal/folha_tecnica.h"

#include "app_gui.h"
#include "cli_execucao.h"
#include "positions/posicoes.h"
#include "proposal/orcamento_exemplo.h"
#include "proposal/proposta.h"
#include "selection/desenho_rotacao.h"
#include "shell/fabricante.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace quellora;
using namespace quellora::teste;

namespace {

const QString Dados = QStringLiteral(QUELLORA_DADOS_DIR "/");

int PaginasPdf(const QString &pdf) {
    const Execucao e = Executa(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(e.saida);
    return e.status == 0 && m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString TextoDaPagina(const QString &pdf, int pagina) {
    const QString n = QString::number(pagina);
    return Executa(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")})
        .saida;
}

class Folhas : public ::testing::Test {
protected:
    void SetUp() override {
        GaranteAppGui();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(MontaOrcamento(Dados, 7));
        auto &g = G();
        g.Pagina.Logotipo = LogotipoProposta();
        // Item 3 is wanted in no quantity and item 5 was never selected:
        // neither gets a sheet. Item 2 runs as two fans in parallel on a
        // system with a fixed pressure.
        g.Itens[3].Qtd = 0;
        g.Itens[5].Selecionado = false;
        g.Itens[2].Ventiladores = 2;
        g.Itens[2].PressaoFixa = 8;
        g.Itens[1].Posicao = QStringLiteral("RD 0°/BR 90°");
        // Item 4 has every accessory of the catalogue: their names take
        // several lines.
        for (int c = 1; c <= 45; ++c)
            g.Itens[4].AcessSel[c] = true;
    }
    QString caminho(const char *nome) const { return dir.filePath(QString::fromLatin1(nome)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Folhas, UmaPaginaPorItemProntoComSeuTagFeiEDbA) {
    const std::vector<TFolhaTecnica> folhas = FolhasDoOrcamento(G());
    ASSERT_EQ(folhas.size(), 5u);
    EXPECT_EQ(ItensComFolha(G().Itens, G().NumItens), (std::vector<int>{1, 2, 4, 6, 7}));
    const QString pdf = caminho("folhas.pdf");
    QString erro;
    ASSERT_TRUE(GravaFolhasTecnicasPDF(pdf, folhas, &erro)) << erro.toStdString();
    ASSERT_EQ(PaginasPdf(pdf), 5);

    const int numeros[5] = {1, 2, 4, 6, 7};
    for (int i = 0; i < 5; ++i) {
        const TItemOrc &it = G().Itens[numeros[i]];
        SCOPED_TRACE(it.RefTag.toStdString());
        const QString t = TextoDaPagina(pdf, i + 1);
        for (const QString &esperado :
             {it.RefTag, QStringLiteral("FEI"), QStringLiteral("dB(A)"), QStringLiteral("Item %1").arg(numeros[i]),
              QStringLiteral("Folha %1 de 5").arg(i + 1), QString::fromUtf8(DadosFabricante::Nome),
              QStringLiteral("Metalúrgica Andrade Ltda."), QStringLiteral("Ampliação da fábrica de Campinas"),
              QStringLiteral("Proposta nº 0012/03 - 13/01/2003"), it.Descricao, QStringLiteral("Pressão total mmCA"),
              QStringLiteral("Vazão de ar m³/h"), QStringLiteral("Potência no eixo kW"), QStringLiteral("Rendimento %"),
              QStringLiteral("Atende UE 2024/1834"), QStringLiteral("Exposição permitida (NR-15)"),
              QStringLiteral("Lw (dB):"), QStringLiteral("LwA (dB(A)):"), QStringLiteral("Lp (dB):"),
              QStringLiteral("Arranjo"), QStringLiteral("Polias e correias")})
            EXPECT_TRUE(t.contains(esperado)) << esperado.toStdString() << "\n" << t.toStdString();
        // Numbers in the user's locale: a decimal comma.
        EXPECT_TRUE(t.contains(QRegularExpression(QStringLiteral("Densidade do fluido\\s+\\d,\\d{3}\\s+kg/m³"))));
        EXPECT_FALSE(t.contains(QStringLiteral("EX-03")));
        EXPECT_FALSE(t.contains(QStringLiteral("EX-05")));
    }
    const QString paralelo = TextoDaPagina(pdf, 2);
    for (const char *esperado : {"2 ventiladores em paralelo", "Ventiladores em paralelo", "Vazão por ventilador",
                                 "Pressão fixa do sistema", "Curva do sistema"})
        EXPECT_TRUE(paralelo.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_TRUE(TextoDaPagina(pdf, 1).contains(QStringLiteral("RD 0°/BR 90°")));
    EXPECT_TRUE(TextoDaPagina(pdf, 3).contains(QStringLiteral("sem motor")));

    // The rendered pages: the logo, the chart's red pressure curve and
    // yellow operating point; on the parallel item's page, the system in
    // green.
    ASSERT_EQ(Executa(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), pdf, caminho("folha")})
                  .status,
              0);
    const QStringList paginas = QDir(dir.path()).entryList({QStringLiteral("folha*.png")}, QDir::Files, QDir::Name);
    ASSERT_EQ(paginas.size(), 5);
    for (qsizetype i = 0; i < paginas.size(); ++i) {
        SCOPED_TRACE(paginas[i].toStdString());
        const QImage img(dir.filePath(paginas[i]));
        ASSERT_FALSE(img.isNull());
        int azuis = 0, vermelhos = 0, amarelos = 0, verdes = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                azuis += y < img.height() / 8 && c.blue() > 150 && c.red() < 120;
                vermelhos += c.red() > 200 && c.green() < 80 && c.blue() < 80;
                amarelos += c.red() > 200 && c.green() > 200 && c.blue() < 80;
                verdes += c.green() > 100 && c.red() < 60 && c.blue() < 60;
            }
        EXPECT_GT(azuis, 20) << "the logo";
        EXPECT_GT(vermelhos, 20) << "the pressure curve";
        EXPECT_GT(amarelos, 4) << "the operating point";
        if (i == 1) {
            EXPECT_GT(verdes, 20) << "the system curve";
        }
    }
}

TEST_F(Folhas, SemItemProntoNaoGravaNada) {
    const QString pdf = caminho("vazio.pdf");
    QString erro;
    EXPECT_FALSE(GravaFolhasTecnicasPDF(pdf, {}, &erro));
    EXPECT_TRUE(erro.contains(QString::fromUtf8(MsgSemItensProntos))) << erro.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    // A folder that does not exist: the reason names the file.
    const QString longe = caminho("nao/existe/folhas.pdf");
    EXPECT_FALSE(GravaFolhasTecnicasPDF(longe, FolhasDoOrcamento(G()), &erro));
    EXPECT_TRUE(erro.contains(longe)) << erro.toStdString();
}

TEST_F(Folhas, PropostaEFolhasNumSoPdf) {
    const QString pdf = caminho("junto.pdf");
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(PropostaEFolhasPDF(FolhasDoOrcamento(G())));
    f.close();
    ASSERT_EQ(PaginasPdf(pdf), NumPaginasProposta() + 5);
    EXPECT_TRUE(TextoDaPagina(pdf, 1).contains(QStringLiteral("Ponto de Operação")));
    EXPECT_TRUE(TextoDaPagina(pdf, NumPaginasProposta() + 1).contains(QStringLiteral("Folha 1 de 5")));
}

TEST(NomesDasFolhas, SeguemONumeroDoOrcamento) {
    EXPECT_EQ(NomeArquivoFolhas(QStringLiteral("0012/03")), QStringLiteral("folhas_0012_03.pdf"));
    EXPECT_EQ(NomeArquivoFolhas(QString()), QStringLiteral("folhas.pdf"));
    EXPECT_EQ(NomeAnexoPDF(QStringLiteral(" 0012/03 ")), QStringLiteral("proposta_0012_03.pdf"));
    EXPECT_EQ(NomeAnexoPDF(QString()), QStringLiteral("proposta.pdf"));
}

// The picture an item's stored position was picked on.
TEST(FiguraDaPosicao, PeloSeletorDoItemEPeloTexto) {
    struct Caso {
        const char *nome;
        const char *posicao;
        bool gabinete, axial, direto;
        int arranjo, tamanho;
        const char *desenhos; // null: no picture
        int tag;
        const char *area;     // null: picked whole
    };
    const Caso casos[] = {
        {"base regulável sem spot", "LG 0", false, false, false, 2, 450, "posicao", 3, nullptr},
        {"base regulável com spot", "RD 0°/BR 90°", false, false, false, 2, 450, "posicao", 1, "BR 90°"},
        {"espaços e caixa", "  rd 0° / br 270° ", false, false, false, 2, 450, "posicao", 1, "BR 270°"},
        {"base única", "RD 90°/BU Z", false, false, false, 2, 450, "posicaobu", 2, nullptr},
        {"acoplamento direto", "LG 90°", false, false, true, 3, 450, "posicao4", 6, nullptr},
        {"arranjo 1", "RD 180°", false, false, false, 1, 450, "posicao1", 3, nullptr},
        {"gabinete pequeno", "LG 0°/TA 90°", true, false, false, 2, 400, "gab160a560", 3, "TA 90°"},
        {"gabinete grande", "RD 0°/TA 270°", true, false, false, 2, 630, "gab680a1000", 1, "TA 270°"},
        {"axial", "HAV", false, true, false, 2, 450, "axial", 3, nullptr},
        {"fora do seletor do item", "HAV", false, false, false, 2, 450, "axial", 3, nullptr},
        {"sem posição", "", false, false, false, 2, 450, nullptr, 0, nullptr},
        {"texto desconhecido", "XX 45°", false, false, false, 2, 450, nullptr, 0, nullptr},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        TItemOrc it;
        it.Posicao = QString::fromUtf8(c.posicao);
        it.ComGabinete = c.gabinete;
        it.Axial = c.axial;
        it.Direto = c.direto;
        it.Arranjo = c.arranjo;
        it.Tamanho = c.tamanho;
        const TFiguraEscolhida e = FiguraDoItem(it);
        if (!c.desenhos) {
            EXPECT_EQ(e.Figura, nullptr);
            continue;
        }
        ASSERT_NE(e.Figura, nullptr);
        EXPECT_STREQ(e.Seletor->Desenhos, c.desenhos);
        EXPECT_EQ(e.Figura->Tag, c.tag);
        if (c.area) {
            ASSERT_NE(e.Area, nullptr);
            EXPECT_STREQ(e.Area->Texto, c.area);
        } else {
            EXPECT_EQ(e.Area, nullptr);
        }
    }
}

// The power and efficiency scales share the pressure axis's lines and hold
// the curve's highest values.
TEST(CurvaDaRotacao, EscalasComAsLinhasDaPressao) {
    TDadosCurva d;
    for (int j = 1; j <= 7; ++j) {
        d.VazaoCurva[0][j] = 1000 * j;
        d.PressaoCurva[0][j] = 80 - 10 * j;
        d.RendCurva[j] = 50 + 3 * j;
    }
    const std::vector<TPontoRotacao> p = PontosDaRotacao(d);
    ASSERT_EQ(p.size(), 7u);
    double maior = 0;
    for (int j = 1; j <= 7; ++j) {
        const TPontoRotacao &x = p[static_cast<std::size_t>(j - 1)];
        EXPECT_DOUBLE_EQ(x.Potencia, PotenciaNoGrafico(1000 * j, 80 - 10 * j, 50 + 3 * j));
        EXPECT_GT(x.Potencia, 0);
        maior = std::max(maior, x.Potencia);
    }
    for (int divisoes : {3, 4, 5}) {
        SCOPED_TRACE(divisoes);
        const TEscalasRotacao e = EscalasDaRotacao(p, divisoes);
        EXPECT_EQ(e.Potencia.Divisoes, divisoes);
        EXPECT_EQ(e.Rendimento.Divisoes, divisoes);
        EXPECT_GE(e.Potencia.Maximo(), maior);
        EXPECT_GE(e.Rendimento.Maximo(), 100);
    }
}

TEST_F(Folhas, LinhaDeComandoGravaAsFolhas) {
    const QString orc = caminho("0012_03.orc");
    QString erro;
    ASSERT_TRUE(GravaArquivoOrc(orc, ArquivoDoOrcamento(), &erro)) << erro.toStdString();
    const QStringList brasil = {QStringLiteral("LANG=pt_BR.UTF-8"), QStringLiteral("LC_ALL=pt_BR.UTF-8")};
    const Execucao s = ExecutaCli({QStringLiteral("proposta"), orc, QStringLiteral("--folhas"), caminho("f.pdf"),
                                   QStringLiteral("--dados"), QStringLiteral(QUELLORA_DADOS_DIR)},
                                  brasil);
    ASSERT_EQ(s.status, 0) << s.erro.toStdString();
    EXPECT_TRUE(s.saida.contains(QStringLiteral("(5 página(s))"))) << s.saida.toStdString();
    EXPECT_EQ(PaginasPdf(caminho("f.pdf")), 5);
    EXPECT_TRUE(TextoDaPagina(caminho("f.pdf"), 1).contains(QRegularExpression(QStringLiteral("\\d,\\d{3}\\s+kg/m³"))));

    const Execucao falha = ExecutaCli({QStringLiteral("proposta"), orc, QStringLiteral("--folhas"),
                                       caminho("nao/existe/f.pdf"), QStringLiteral("--dados"),
                                       QStringLiteral(QUELLORA_DADOS_DIR)});
    EXPECT_EQ(falha.status, 1);
    EXPECT_TRUE(falha.erro.contains(QStringLiteral("nao/existe/f.pdf"))) << falha.erro.toStdString();
}
