// The proposal as the client receives it: the HTML document against a
// reference file, its rules, the PDF pages as rendered by poppler, the
// spreadsheet file as LibreOffice Calc reads it, and the command line.
//
// The reference proposta_pequena.html is rewritten by running this test
// with QUELLORA_ATUALIZA_REFERENCIAS=1 (then review the difference).

#include "proposal/proposta.h"

#include "app_gui.h"
#include "cli_execucao.h"
#include "proposal/orcamento_exemplo.h"
#include "proposal/planilha.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <functional>

using namespace quellora;
using namespace quellora::teste;

namespace {

const QString Referencia = QStringLiteral(QUELLORA_SOURCE_DIR "/tests/proposal/proposta_pequena.html");
const QString Dados = QStringLiteral(QUELLORA_DADOS_DIR "/");
const QStringList LocalBrasil = {QStringLiteral("LANG=pt_BR.UTF-8"), QStringLiteral("LC_ALL=pt_BR.UTF-8")};

QStringList Linhas(const QByteArray &b) {
    QStringList l = DeWin1252(b).split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

bool Contem(const QStringList &l, const QString &t) { return !l.filter(t).isEmpty(); }

class Proposta : public ::testing::Test {
protected:
    void SetUp() override {
        GaranteAppGui();
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(MontaOrcamento(Dados, 3));
    }
    QString caminho(const char *nome) const { return dir.filePath(QString::fromLatin1(nome)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Proposta, HtmlDeUmOrcamentoPequenoIgualAReferencia) {
    G().Proposta.Reduzida = false;
    G().Proposta.SecaoObs = true;
    const QByteArray b = PropostaHTML(QDate(2026, 12, 9));
    ASSERT_FALSE(b.contains("\n\n")) << "every line ends with CR LF";
    QFile f(Referencia);
    if (qEnvironmentVariableIsSet("QUELLORA_ATUALIZA_REFERENCIAS")) {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
        f.close();
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << Referencia.toStdString();
    const QStringList esperado = Linhas(f.readAll()), obtido = Linhas(b);
    for (qsizetype i = 0; i < std::min(esperado.size(), obtido.size()); ++i)
        EXPECT_EQ(obtido[i].toStdString(), esperado[i].toStdString()) << "linha " << i + 1;
    EXPECT_EQ(obtido.size(), esperado.size());
}

TEST_F(Proposta, RegrasDoDocumentoHtml) {
    // The reduced form leaves seven rows out (the normal form is the reference file).
    const char *omitidas[] = {"Pressão total (op)",       "Densidade do fluido",   "Rotação máxima",
                              "Pressão estática a 20 °C", "Pressão total a 20 °C", "Potência absorvida a 20 °C",
                              "Velocidade periférica"};
    auto rotulo = [](const char *r) { return QStringLiteral("\"left\">%1</td>").arg(QString::fromUtf8(r)); };
    const struct {
        const char *nome;
        std::function<void()> prepara;
        std::function<void(const QStringList &)> confere;
    } casos[] = {
        {"sete itens em duas páginas", [] { ASSERT_TRUE(MontaOrcamento(Dados, 7)); },
         [](const QStringList &l) {
             EXPECT_EQ(l.count(QStringLiteral("<BR><BR>")), 2);
             EXPECT_EQ(l.filter(QRegularExpression(QStringLiteral("^<BR><BR><table bgcolor=#e8e8e8 border=1>"))).size(), 2);
             // The second page: items 6 and 7, three filler cells per item row.
             const qsizetype segunda = l.lastIndexOf(QStringLiteral("<BR><BR>"));
             EXPECT_EQ(l[segunda + 17], QStringLiteral("<td>&nbsp;6</td><td>&nbsp;7</td><td>-.-</td><td>-.-</td>"
                                                       "<td>-.-</td></tr>"));
             EXPECT_EQ(l.last(), QStringLiteral("</body></html>"));
         }},
        {"forma reduzida", [] { G().Proposta.Reduzida = true; },
         [&](const QStringList &l) {
             for (const char *r : omitidas)
                 EXPECT_FALSE(Contem(l, rotulo(r))) << r;
             for (const char *r : {"Vazão de ar", "Pressão estática (op)", "Altitude", "Rendimento total", "Motor sugerido"})
                 EXPECT_TRUE(Contem(l, rotulo(r))) << r;
             // The sound where people work after the sound power rows: the
             // pressure at the preferences' 1 m and the exposure NR-15 permits.
             const qsizetype lpa = l.indexOf(QStringLiteral("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td  align=\"left\">"
                                                            "LpA a 1 m / NR-15</td><td align=\"left\">dB (A)</td>"));
             ASSERT_GE(lpa, 1);
             EXPECT_TRUE(l[lpa - 1].contains(QStringLiteral("Lw tot")));
             EXPECT_EQ(l[lpa + 1], QStringLiteral("<td>81 / 8h</td><td>77 / 8h</td><td>80 / 8h</td><td>-.-</td><td>-.-</td></tr>"));
             EXPECT_FALSE(Contem(l, QStringLiteral("acoplamento direto"))) << "no item is direct-coupled";
         }},
        {"ventiladores em paralelo e avisos",
         [] {
             // The second item's fan one of two on a duty twice its own; the
             // first blowing faster than the preferences' 15 m/s.
             G().Itens[2].Ventiladores = 2;
             G().Itens[2].Vazao *= 2;
             G().Itens[1].VelDescarga = 15.5;
         },
         [](const QStringList &l) {
             // At the end of the operating point rows.
             const qsizetype i = l.indexOf(QStringLiteral("<tr bgcolor=\"#e8e8e8\" align=\"right\"><td  align=\"left\">Ventiladores em "
                                                          "paralelo</td><td align=\"left\"></td>"));
             ASSERT_GE(i, 2);
             EXPECT_TRUE(l[i - 2].contains(QStringLiteral("Motor sugerido")));
             EXPECT_EQ(l[i + 1], QStringLiteral("<td>1</td><td>2</td><td>1</td><td>-.-</td><td>-.-</td></tr>"));
             EXPECT_TRUE(l[i + 2].contains(QStringLiteral("Vazão por ventilador")));
             EXPECT_EQ(l[i + 3], QStringLiteral("<td>12000</td><td>8000</td><td>5000</td><td>-.-</td><td>-.-</td></tr>"));
             EXPECT_TRUE(l[i + 4].contains(QStringLiteral("Vazão total com um parado")));
             EXPECT_TRUE(l[i + 5].startsWith(QStringLiteral("<td>-.-</td><td>"))) << l[i + 5].toStdString();
             EXPECT_TRUE(l[i + 6].contains(QStringLiteral(">Avisos<")));
             EXPECT_EQ(l[i + 7], QStringLiteral("<td>veloc.</td><td>-</td><td>-</td><td>-.-</td><td>-.-</td></tr>"));
             EXPECT_TRUE(l[i + 8].isEmpty());
         }},
        {"condições: pagamento com &nbsp; e ICMS zero",
         [] {
             G().Proposta.SecaoCondicoes = true;
             G().Fatores.AliquotaICMS[2] = 0;
         },
         [](const QStringList &l) {
             EXPECT_TRUE(l.contains(QStringLiteral(
                 "<tr bgcolor=\"#e8e8e8\" align=\"left\"><td colspan=2 align=\"left\"><b>Pagamento:&nbsp;</b>"
                 "30%&nbsp;sinal&nbsp;70%&nbsp;contra&nbsp;aviso&nbsp;de&nbsp;embarque</td>")));
             EXPECT_TRUE(Contem(l, QStringLiteral("<b>ICMS:           </b>0% incluso</td>")));
             EXPECT_TRUE(Contem(l, QStringLiteral("><b>Entrega:</b>       30/45 dias</td></tr>")));
         }},
        {"acoplamento direto que muda o dever, marcado sob a pressão",
         [] {
             TItemOrc &dois = G().Itens[2], &tres = G().Itens[3];
             dois.Direto = true;
             dois.VazaoDireto = 11234;
             dois.PressaoDireto = 63.2;
             tres.Direto = true; // at the very duty asked for: nothing to mark
             tres.VazaoDireto = tres.Vazao;
             tres.PressaoDireto = tres.Pressao;
         },
         [&](const QStringList &l) {
             const qsizetype p = l.indexOf(QRegularExpression(QStringLiteral(".*\"left\">Pressão estática \\(op\\)</td>.*")));
             ASSERT_GT(p, 0);
             EXPECT_TRUE(l[p - 1].contains(QStringLiteral("<td>11234</td>")));
             EXPECT_TRUE(l[p + 1].contains(QStringLiteral("<td>63,2</td>")));
             EXPECT_EQ(l[p + 3], QStringLiteral("<td></td><td>(no acoplamento direto)</td><td></td><td>-.-</td><td>-.-</td></tr>"));
         }},
        {"dados com marcação são escapados",
         [] {
             auto &o = G().Orcamento;
             o.Projeto = QStringLiteral("Galpão <A&B>");
             o.Cliente = QStringLiteral("Hotel \"Mar\" & Cia");
             o.OperadorOrc[4] = QStringLiteral("x\"><script>@y.com");
             o.Obs1 = QStringLiteral("<b>urgente</b>");
             G().Itens[1].Descricao = QStringLiteral("Duto <1> & \"2\"");
             G().Proposta.SecaoObs = true;
         },
         [](const QStringList &l) {
             EXPECT_TRUE(l.contains(QStringLiteral("<b>REF:</b> Galpão &lt;A&amp;B&gt;<br></td></tr>")));
             EXPECT_TRUE(l.contains(QStringLiteral("<b>Para:</b> Hotel &quot;Mar&quot; &amp; Cia<br>")));
             for (const char *t : {"<a href=\"mailto:x&quot;&gt;&lt;script&gt;@y.com\">", "<b>&lt;b&gt;urgente&lt;/b&gt;</b>",
                                   "<td>&nbsp;Duto &lt;1&gt; &amp; &quot;2&quot;</td>"})
                 EXPECT_TRUE(Contem(l, QString::fromUtf8(t))) << t;
             EXPECT_FALSE(Contem(l, QStringLiteral("<A&B>")));
             EXPECT_FALSE(Contem(l, QStringLiteral("<script>")));
         }},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_TRUE(MontaOrcamento(Dados, 3));
        c.prepara();
        c.confere(Linhas(PropostaHTML()));
    }
}

TEST_F(Proposta, PdfTemAsPaginasEOConteudoDesenhado) {
    ASSERT_TRUE(MontaOrcamento(Dados, 7));
    auto &g = G();
    g.Pagina.Logotipo = LogotipoProposta();
    ASSERT_FALSE(g.Pagina.Logotipo.isNull());
    g.Proposta.SecaoCondicoes = g.Proposta.SecaoObs = g.Proposta.SecaoPrecos = true;
    g.Orcamento.FatoresOrc.AliquotaICMS[2] = 0;
    g.Itens[2].Direto = true;
    g.Itens[2].VazaoDireto = 11234;
    g.Itens[2].PressaoDireto = 63.2;
    const QString pdf = caminho("proposta.pdf");
    QString erro;
    ASSERT_TRUE(GravaPropostaPDF(pdf, &erro)) << erro.toStdString();

    const Execucao texto = Executa(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_EQ(texto.status, 0);
    const QString &t = texto.saida;
    for (const char *esperado : {"Proposta nº 0012/03 - 13/01/2003", "Metalúrgica Andrade Ltda.", "Ponto de Operação",
                                 "Nivel de potência sonora Lw (dB)", "Sem motor", "Correias", "EX-07",
                                 "Pág. 1 de 3", "Pág. 2 de 3", "Pág. 3 de 3",
                                 "Preços válidos para pedido único.", "Preços unitários em R$",
                                 "Geral: Ventilador+Acessorios", "Eficiência energética (4000 h/ano, R$ 0,80/kWh)",
                                 "Índice FEI (AMCA 208)", "Atende UE 2024/1834", "(no acoplamento", "11234"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(esperado), Qt::CaseInsensitive)) << esperado;
    EXPECT_TRUE(t.contains(QRegularExpression(QStringLiteral("ICMS:\\s+isento"))));
    EXPECT_TRUE(t.contains(QRegularExpression(QStringLiteral("Entrega:\\s+30/45 dias"))));
    EXPECT_FALSE(t.contains(QStringLiteral("Rotação máxima"))) << "reduced form";
    EXPECT_EQ(t.count(CarimboDocumento(QDate::currentDate())), 3) << "the program and the day, on every page";
    // The first five items with every section fill more than their page:
    // the rest goes on to a page of their own, then come items 6 and 7.
    const std::vector<TPaginaProposta> folhas = PaginasProposta();
    ASSERT_EQ(folhas.size(), 3u);
    EXPECT_EQ(folhas[1].Itens, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(folhas[1].Continuacao);
    EXPECT_EQ(folhas[2].Itens, (std::vector<int>{6, 7}));
    EXPECT_FALSE(folhas[2].Continuacao);

    ASSERT_EQ(Executa(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"), pdf,
                                                   caminho("pag")}).status, 0);
    const QStringList paginas = QDir(dir.path()).entryList({QStringLiteral("pag*.png")}, QDir::Files, QDir::Name);
    ASSERT_EQ(paginas.size(), 3);
    for (const QString &p : paginas) {
        SCOPED_TRACE(p.toStdString());
        const QImage img(dir.filePath(p));
        ASSERT_FALSE(img.isNull());
        int azuis = 0, escuros = 0;
        for (int y = 0; y < img.height() / 8; ++y)
            for (int x = 0; x < img.width() / 2; ++x) {
                const QColor c = img.pixelColor(x, y);
                azuis += c.blue() > 150 && c.red() < 120;
                escuros += c.lightness() < 80;
            }
        EXPECT_GT(azuis, 20) << "the logo";
        EXPECT_GT(escuros, 200) << "frame and text";
    }
}

TEST_F(Proposta, PlanilhaAbreODocumentoComoTabela) {
    G().Proposta.Reduzida = false;
    const QString xls = caminho("proposta.xls");
    ASSERT_TRUE(GravaPropostaHTML(xls, nullptr));
    const Execucao s = Executa(QStringLiteral("soffice"),
                               {QStringLiteral("-env:UserInstallation=file://") + caminho("perfil"), QStringLiteral("--headless"),
                                QStringLiteral("--convert-to"), QStringLiteral("csv"), QStringLiteral("--outdir"), dir.path(), xls},
                               LocalBrasil, 180000);
    ASSERT_EQ(s.status, 0) << s.erro.toStdString();
    QFile csv(caminho("proposta.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << s.saida.toStdString();
    const QStringList linhas = DeWin1252(csv.readAll()).split(QLatin1Char('\n'));
    auto linha = [&](const char *inicio) { return linhas.filter(QRegularExpression(QString::fromUtf8(inicio))).value(0); };
    // One row per item table row, one cell per item; numbers in the user's
    // locale are read as numbers: 1,205 kg/m³, not 1205.
    EXPECT_FALSE(linha("^Ref\\./TAG.*EX-01.*,.*IN-02.*,.*EX-03").isEmpty()) << linhas.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(linha("^Descrição").contains(QStringLiteral("Exaustão cozinha")));
    EXPECT_TRUE(linha("^Vazão de ar").contains(QStringLiteral("12000")));
    EXPECT_TRUE(linha("^Densidade do fluido").contains(QStringLiteral("\"1,205\""))) << linha("^Densidade").toStdString();
}

TEST_F(Proposta, LinhaDeComandoGravaHtmlEPdf) {
    const QString orc = caminho("0012_03.orc");
    QString erro;
    ASSERT_TRUE(GravaArquivoOrc(orc, ArquivoDoOrcamento(), &erro)) << erro.toStdString();
    const Execucao s = ExecutaCli({QStringLiteral("proposta"), orc, QStringLiteral("--html"), caminho("p.xls"),
                                   QStringLiteral("--pdf"), caminho("p.pdf"), QStringLiteral("--reduzida"),
                                   QStringLiteral("--dados"), QStringLiteral(QUELLORA_DADOS_DIR)},
                                  LocalBrasil);
    ASSERT_EQ(s.status, 0) << s.erro.toStdString();
    G().Proposta.Reduzida = G().Proposta.SecaoObs = true;
    QFile html(caminho("p.xls")), pdf(caminho("p.pdf"));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly) && pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(html.readAll(), PropostaHTML());
    EXPECT_EQ(pdf.read(5), "%PDF-");

    const Execucao falta =
        ExecutaCli({QStringLiteral("proposta"), caminho("nada.orc"), QStringLiteral("--html"), caminho("x.xls")});
    EXPECT_EQ(falta.status, 1);
    EXPECT_TRUE(falta.erro.contains(QStringLiteral("nada.orc")));
    EXPECT_FALSE(QFile::exists(caminho("x.xls")));
}

TEST(ProgramaDaPlanilha, LinhaExecDaEntradaEAssociacaoDoDesktop) {
    const QString f = QStringLiteral("/tmp/x y/proposta.xls");
    const struct {
        const char *exec;
        QStringList esperado;
    } casos[] = {
        {"libreoffice --calc %U", {QStringLiteral("libreoffice"), QStringLiteral("--calc"), f}},
        {"\"/opt/Meu Office/calc\" %f --nologo", {QStringLiteral("/opt/Meu Office/calc"), f, QStringLiteral("--nologo")}},
        {"gnumeric", {QStringLiteral("gnumeric"), f}},
        {"app %i %c --x=100%% %F %u", {QStringLiteral("app"), QStringLiteral("--x=100%"), f}},
        {"", {}},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.exec);
        EXPECT_EQ(ComandoDaEntrada(QString::fromUtf8(c.exec), f), c.esperado);
    }

    // The desktop's association, as xdg-mime and the desktop entry give it.
    QTemporaryDir casa;
    auto escreve = [&](const char *nome, const QByteArray &conteudo) {
        const QString arquivo = casa.filePath(QString::fromLatin1(nome));
        QDir().mkpath(QFileInfo(arquivo).path());
        QFile a(arquivo);
        ASSERT_TRUE(a.open(QIODevice::WriteOnly));
        a.write(conteudo);
    };
    escreve("dados/applications/teste-planilha.desktop",
            "[Desktop Entry]\nType=Application\nName=Planilha\nExec=planilha --abre %f\n"
            "MimeType=application/vnd.ms-excel;\n[Desktop Action Nova]\nExec=planilha --nova\n");
    escreve("config/mimeapps.list", "[Default Applications]\napplication/vnd.ms-excel=teste-planilha.desktop\n");
    const QByteArray dados = qgetenv("XDG_DATA_HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(casa.filePath(QStringLiteral("dados"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(casa.filePath(QStringLiteral("config"))));
    EXPECT_EQ(ComandoParaAbrir(f), (QStringList{QStringLiteral("planilha"), QStringLiteral("--abre"), f}));
    EXPECT_TRUE(ComandoParaAbrir(QStringLiteral("/tmp/x.semtipoconhecido")).isEmpty());
    for (const auto &[nome, antes] : {std::pair{"XDG_DATA_HOME", dados}, std::pair{"XDG_CONFIG_HOME", config}})
        if (antes.isEmpty())
            qunsetenv(nome);
        else
            qputenv(nome, antes);
}
