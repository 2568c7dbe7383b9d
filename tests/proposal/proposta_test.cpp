// The proposal as the client receives it: the HTML document against a
// reference file, its rules, the PDF pages as rendered by poppler, the
// spreadsheet file as LibreOffice Calc reads it, and the command line.
//
// The reference proposta_pequena.html is rewritten by running this test
// with QUELLORA_ATUALIZA_REFERENCIAS=1 (then review the difference).

#include "proposal/proposta.h"

#include "app_gui.h"
#include "catalogue/binario.h"
#include "proposal/orcamento_exemplo.h"
#include "proposal/planilha.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>

using namespace quellora;

namespace {

const QString Referencia = QStringLiteral(QUELLORA_SOURCE_DIR "/tests/proposal/proposta_pequena.html");

struct Saida {
    int status = -1;
    QByteArray saida, erro;
};

Saida Roda(const QString &programa, const QStringList &args, const QStringList &ambiente = {}, int ms = 60000) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &v : ambiente)
        env.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(env);
    p.start(programa, args);
    Saida s;
    if (!p.waitForFinished(ms))
        return s;
    s.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    s.saida = p.readAllStandardOutput();
    s.erro = p.readAllStandardError();
    return s;
}

// With QUELLORA_CAPTURAS set, a copy of the file there to look at.
void Guarda(const QString &arquivo) {
    const QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
    if (!pasta.isEmpty()) {
        const QString destino = QDir(pasta).filePath(QFileInfo(arquivo).fileName());
        QFile::remove(destino);
        QFile::copy(arquivo, destino);
    }
}

QStringList Linhas(const QByteArray &b) {
    QStringList l = DeWin1252(b).split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    return l;
}

class Proposta : public ::testing::Test {
protected:
    void SetUp() override {
        teste::GaranteAppGui();
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(teste::MontaOrcamento(QStringLiteral(QUELLORA_DADOS_DIR "/"), 3));
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::system());
        ResetaEstado();
    }
    QString caminho(const char *nome) const { return dir.filePath(QString::fromLatin1(nome)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Proposta, HtmlDeUmOrcamentoPequenoIgualAReferencia) {
    G().Proposta.Reduzida = false;
    G().Proposta.SecaoObs = true;
    const QByteArray b = PropostaHTML();
    ASSERT_FALSE(b.contains("\n\n")) << "every line ends with CR LF";
    if (qEnvironmentVariableIsSet("QUELLORA_ATUALIZA_REFERENCIAS")) {
        QFile f(Referencia);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
    }
    QFile f(Referencia);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << Referencia.toStdString();
    const QStringList esperado = Linhas(f.readAll());
    const QStringList obtido = Linhas(b);
    for (qsizetype i = 0; i < std::min(esperado.size(), obtido.size()); ++i)
        EXPECT_EQ(obtido[i].toStdString(), esperado[i].toStdString()) << "linha " << i + 1;
    EXPECT_EQ(obtido.size(), esperado.size());
}

TEST_F(Proposta, RegrasDoDocumentoHtml) {
    struct Caso {
        const char *nome;
        std::function<void()> prepara;
        std::function<void(const QStringList &)> confere;
    };
    const char *omitidas[] = {"Pressão total (op)",       "Densidade do fluido",   "Rotação máxima",
                              "Pressão estática a 20 °C", "Pressão total a 20 °C", "Potência absorvida a 20 °C",
                              "Velocidade periférica"};
    auto tem = [](const QStringList &l, const QString &t) {
        return std::any_of(l.begin(), l.end(), [&](const QString &x) { return x.contains(t); });
    };
    const Caso casos[] = {
        {"sete itens em duas páginas",
         [] { ASSERT_TRUE(teste::MontaOrcamento(QStringLiteral(QUELLORA_DADOS_DIR "/"), 7)); },
         [](const QStringList &l) {
             EXPECT_EQ(l.count(QStringLiteral("<BR><BR>")), 2);
             const auto tabelas = l.filter(QRegularExpression(QStringLiteral("^<BR><BR><table bgcolor=#e8e8e8 border=1>")));
             EXPECT_EQ(tabelas.size(), 2);
             // The second page: items 6 and 7, three filler cells per item row.
             const qsizetype segunda = l.lastIndexOf(QStringLiteral("<BR><BR>"));
             EXPECT_EQ(l[segunda + 17], QStringLiteral("<td>&nbsp;6</td><td>&nbsp;7</td><td>-.-</td><td>-.-</td>"
                                                       "<td>-.-</td></tr>"));
             EXPECT_EQ(l.last(), QStringLiteral("</body></html>"));
         }},
        {"forma reduzida", [] { G().Proposta.Reduzida = true; },
         [&](const QStringList &l) {
             for (const char *r : omitidas)
                 EXPECT_FALSE(tem(l, QStringLiteral("\"left\">%1</td>").arg(QString::fromUtf8(r)))) << r;
             for (const char *r : {"Vazão de ar", "Pressão estática (op)", "Altitude", "Rendimento total",
                                   "Motor sugerido"})
                 EXPECT_TRUE(tem(l, QStringLiteral("\"left\">%1</td>").arg(QString::fromUtf8(r)))) << r;
         }},
        {"forma normal", [] { G().Proposta.Reduzida = false; },
         [&](const QStringList &l) {
             for (const char *r : omitidas)
                 EXPECT_TRUE(tem(l, QStringLiteral("\"left\">%1</td>").arg(QString::fromUtf8(r)))) << r;
         }},
        {"condições: pagamento com &nbsp; e ICMS zero",
         [] {
             G().Proposta.SecaoCondicoes = true;
             G().Fatores.AliquotaICMS[2] = 0;
         },
         [&](const QStringList &l) {
             EXPECT_TRUE(l.contains(QStringLiteral(
                 "<tr bgcolor=\"#e8e8e8\" align=\"left\"><td colspan=2 align=\"left\"><b>Pagamento:&nbsp;</b>"
                 "30%&nbsp;sinal&nbsp;70%&nbsp;contra&nbsp;aviso&nbsp;de&nbsp;embarque</td>")));
             EXPECT_TRUE(tem(l, QStringLiteral("<b>ICMS:           </b>0% incluso</td>")));
             EXPECT_TRUE(tem(l, QStringLiteral("><b>Entrega:</b>       30/45 dias</td></tr>")));
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
         [&](const QStringList &l) {
             EXPECT_TRUE(l.contains(QStringLiteral("<b>REF:</b> Galpão &lt;A&amp;B&gt;<br></td></tr>")));
             EXPECT_TRUE(l.contains(QStringLiteral("<b>Para:</b> Hotel &quot;Mar&quot; &amp; Cia<br>")));
             EXPECT_TRUE(tem(l, QStringLiteral("<a href=\"mailto:x&quot;&gt;&lt;script&gt;@y.com\">")));
             EXPECT_TRUE(tem(l, QStringLiteral("<b>&lt;b&gt;urgente&lt;/b&gt;</b>")));
             EXPECT_TRUE(tem(l, QStringLiteral("<td>&nbsp;Duto &lt;1&gt; &amp; &quot;2&quot;</td>")));
             EXPECT_FALSE(tem(l, QStringLiteral("<A&B>")));
             EXPECT_FALSE(tem(l, QStringLiteral("<script>")));
         }},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_TRUE(teste::MontaOrcamento(QStringLiteral(QUELLORA_DADOS_DIR "/"), 3));
        c.prepara();
        c.confere(Linhas(PropostaHTML()));
    }
}

TEST_F(Proposta, PdfTemAsPaginasEOConteudoDesenhado) {
    ASSERT_TRUE(teste::MontaOrcamento(QStringLiteral(QUELLORA_DADOS_DIR "/"), 7));
    auto &g = G();
    g.Pagina.Logotipo = LogotipoProposta();
    ASSERT_FALSE(g.Pagina.Logotipo.isNull());
    g.Proposta.SecaoCondicoes = true;
    g.Proposta.SecaoObs = true;
    g.Proposta.SecaoPrecos = true;
    g.Orcamento.FatoresOrc.AliquotaICMS[2] = 0;
    const QString pdf = caminho("proposta.pdf");
    QString erro;
    ASSERT_TRUE(GravaPropostaPDF(pdf, &erro)) << erro.toStdString();
    Guarda(pdf);

    const Saida texto = Roda(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_EQ(texto.status, 0);
    const QString t = QString::fromUtf8(texto.saida);
    for (const char *esperado : {"Proposta nº 0012/03 - 13/01/2003", "Metalúrgica Andrade Ltda.", "Ponto de Operação",
                                 "Nivel de potência sonora Lw (dB)", "Sem motor", "Correias", "EX-07",
                                 "Pág. 1 de 2", "Pág. 2 de 2", "Quellora - DBL 2003.01.13",
                                 "Preços válidos para pedido único.", "Preços unitários em R$",
                                 "Geral: Ventilador+Acessorios"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(esperado), Qt::CaseInsensitive)) << esperado;
    EXPECT_TRUE(t.contains(QRegularExpression(QStringLiteral("ICMS:\\s+isento"))));
    EXPECT_TRUE(t.contains(QRegularExpression(QStringLiteral("Entrega:\\s+30/45 dias"))));
    EXPECT_FALSE(t.contains(QStringLiteral("Rotação máxima"))) << "reduced form";

    ASSERT_EQ(Roda(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"), pdf,
                                                caminho("pag")})
                  .status,
              0);
    const QStringList paginas = QDir(dir.path()).entryList({QStringLiteral("pag*.png")}, QDir::Files, QDir::Name);
    ASSERT_EQ(paginas.size(), 2);
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
    QFile f(xls);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(PropostaHTML());
    f.close();
    const Saida s = Roda(QStringLiteral("soffice"),
                         {QStringLiteral("-env:UserInstallation=file://") + caminho("perfil"), QStringLiteral("--headless"),
                          QStringLiteral("--convert-to"), QStringLiteral("csv"), QStringLiteral("--outdir"), dir.path(), xls},
                         {QStringLiteral("LANG=pt_BR.UTF-8"), QStringLiteral("LC_ALL=pt_BR.UTF-8")}, 180000);
    ASSERT_EQ(s.status, 0) << s.erro.toStdString();
    QFile csv(caminho("proposta.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << s.saida.toStdString();
    const QStringList linhas = DeWin1252(csv.readAll()).split(QLatin1Char('\n'));
    auto linha = [&](const QString &inicio) {
        for (const QString &l : linhas)
            if (l.startsWith(inicio))
                return l;
        return QString();
    };
    // One row per item table row, one cell per item.
    EXPECT_TRUE(linha(QStringLiteral("Ref./TAG")).contains(QRegularExpression(QStringLiteral("EX-01.*,.*IN-02.*,.*EX-03"))))
        << linhas.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(linha(QStringLiteral("Descrição")).contains(QStringLiteral("Exaustão cozinha")));
    EXPECT_TRUE(linha(QStringLiteral("Vazão de ar")).contains(QStringLiteral("12000")));
    // Numbers in the user's locale are read as numbers: 1,205 kg/m³, not 1205.
    EXPECT_TRUE(linha(QStringLiteral("Densidade do fluido")).contains(QStringLiteral("\"1,205\"")))
        << linha(QStringLiteral("Densidade do fluido")).toStdString();
}

TEST_F(Proposta, LinhaDeComandoGravaHtmlEPdf) {
    const QString orc = caminho("0012_03.orc");
    QString erro;
    ASSERT_TRUE(GravaArquivoOrc(orc, teste::ArquivoDoOrcamento(), &erro)) << erro.toStdString();
    Guarda(orc);
    const QStringList ambiente = {QStringLiteral("LANG=pt_BR.UTF-8"), QStringLiteral("LC_ALL=pt_BR.UTF-8")};
    const Saida s = Roda(QStringLiteral(QUELLORA_CLI),
                         {QStringLiteral("proposta"), orc, QStringLiteral("--html"), caminho("p.xls"), QStringLiteral("--pdf"),
                          caminho("p.pdf"), QStringLiteral("--reduzida"), QStringLiteral("--dados"),
                          QStringLiteral(QUELLORA_DADOS_DIR)},
                         ambiente);
    ASSERT_EQ(s.status, 0) << s.erro.toStdString();
    G().Proposta.Reduzida = true;
    G().Proposta.SecaoObs = true;
    QFile html(caminho("p.xls"));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    EXPECT_EQ(html.readAll(), PropostaHTML());
    QFile pdf(caminho("p.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    const Saida falta = Roda(QStringLiteral(QUELLORA_CLI), {QStringLiteral("proposta"), caminho("nada.orc"),
                                                            QStringLiteral("--html"), caminho("x.xls")});
    EXPECT_EQ(falta.status, 1);
    EXPECT_TRUE(QString::fromUtf8(falta.erro).contains(QStringLiteral("nada.orc")));
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
    QDir(casa.path()).mkpath(QStringLiteral("dados/applications"));
    QDir(casa.path()).mkpath(QStringLiteral("config"));
    QFile entrada(casa.filePath(QStringLiteral("dados/applications/teste-planilha.desktop")));
    ASSERT_TRUE(entrada.open(QIODevice::WriteOnly));
    entrada.write("[Desktop Entry]\nType=Application\nName=Planilha\nExec=planilha --abre %f\n"
                  "MimeType=application/vnd.ms-excel;\n[Desktop Action Nova]\nExec=planilha --nova\n");
    entrada.close();
    QFile associacao(casa.filePath(QStringLiteral("config/mimeapps.list")));
    ASSERT_TRUE(associacao.open(QIODevice::WriteOnly));
    associacao.write("[Default Applications]\napplication/vnd.ms-excel=teste-planilha.desktop\n");
    associacao.close();
    const QByteArray dados = qgetenv("XDG_DATA_HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(casa.filePath(QStringLiteral("dados"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(casa.filePath(QStringLiteral("config"))));
    EXPECT_EQ(ComandoParaAbrir(f), (QStringList{QStringLiteral("planilha"), QStringLiteral("--abre"), f}));
    EXPECT_TRUE(ComandoParaAbrir(QStringLiteral("/tmp/x.semtipoconhecido")).isEmpty());
    qputenv("XDG_DATA_HOME", dados);
    qputenv("XDG_CONFIG_HOME", config);
    if (dados.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    if (config.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
}
