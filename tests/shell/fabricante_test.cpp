// The maker is one name and one city on every document and picture that
// shows it; Quellora names the program only. And the program's version, one
// source for the command line and the documents' stamp.

#include "shell/fabricante.h"

#include "app_gui.h"
#include "catalogue/catalogo.h"
#include "cli_execucao.h"
#include "mail/smtp.h"
#include "pricing/condicoes.h"
#include "proposal/orcamento_exemplo.h"
#include "proposal/proposta.h"
#include "shell/estado.h"
#include "shell/versao.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

using namespace quellora;
using namespace quellora::teste;

namespace {

QString Fonte(const char *caminho) {
    QFile f(QStringLiteral(QUELLORA_SOURCE_DIR "/") + QString::fromLatin1(caminho));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

const QString Nome = QString::fromUtf8(DadosFabricante::Nome);
const QString Marca = QString::fromUtf8(DadosFabricante::Marca1) + QLatin1Char(' ') + QString::fromUtf8(DadosFabricante::Marca2);
const QString Cidade = QString::fromUtf8(DadosFabricante::Cidade);

} // namespace

TEST(Fabricante, UmNomeEUmaCidade) {
    EXPECT_TRUE(Nome.startsWith(Marca + QLatin1Char(' '))) << "the heading's name is the maker's";
    EXPECT_TRUE(QString::fromUtf8(DadosFabricante::Endereco).endsWith(Cidade));
    for (const char *c : {DadosFabricante::EmailFabrica, DadosFabricante::EmailVendas, DadosFabricante::Telefone})
        EXPECT_FALSE(QString::fromUtf8(c).contains(QStringLiteral("quellora"), Qt::CaseInsensitive)) << c;
    EXPECT_TRUE(QString::fromUtf8(DadosFabricante::Telefone).contains(QString::fromUtf8(DadosFabricante::Fone)));
    EXPECT_TRUE(QString::fromUtf8(DadosFabricante::EmailVendas).endsWith(QString::fromUtf8(DadosFabricante::EnderecoVendas)));
    EXPECT_TRUE(QString::fromUtf8(DadosFabricante::EmailFabrica).endsWith(QString::fromUtf8(DadosFabricante::EnderecoFabrica)));
}

TEST(Fabricante, OMesmoEmCadaDocumento) {
    GaranteAppGui();
    ASSERT_TRUE(MontaOrcamento(QStringLiteral(QUELLORA_DADOS_DIR "/"), 2));
    const QStringList html = QString::fromLatin1(PropostaHTML()).split(QStringLiteral("\r\n"));
    const QString catalogo = Fonte("data/catalogo.json");
    ASSERT_TRUE(CarregaFatores(QStringLiteral(QUELLORA_DADOS_DIR "/")));
    const QString freteDados = G().Fatores.Frete;

    const struct {
        const char *onde;
        QString texto;   // what the document shows
        QString esperado; // the maker's name in it, as it must read
    } casos[] = {
        {"logotipo da janela principal", Fonte("resources/imagens/logo.svg").remove(QRegularExpression(QStringLiteral("<[^>]*>"))),
         Marca.toUpper()},
        {"logotipo da proposta", Fonte("resources/imagens/logo_proposta.svg").remove(QRegularExpression(QStringLiteral("<[^>]*>"))),
         Marca.toUpper()},
        {"cabeçalho do HTML", html.value(3).replace(QStringLiteral("&nbsp;"), QStringLiteral(" "))
                                  .remove(QRegularExpression(QStringLiteral("<[^>]*>"))),
         Marca},
        {"frete padrão", FreteFabricante(), QStringLiteral("FOB ") + Marca + QStringLiteral(" - ") + Cidade},
        {"frete dos dados de exemplo", freteDados, FreteFabricante()},
        {"frete da fonte dos dados", catalogo.contains(QStringLiteral("\"Frete\": \"") + FreteFabricante() + QLatin1Char('"'))
                                         ? FreteFabricante() : QString(),
         FreteFabricante()},
        {"saudação do e-mail (HELO)", EnvioSmtp{}.NomeHelo, QString(Nome).remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")))},
        {"tela de abertura", Fonte("resources/imagens/splash.svg"), Nome},
        {"ajuda", Fonte("resources/ajuda/quellora.html"), Nome},
        {"pacote", Fonte("pacote/copyright"), Nome},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.onde);
        ASSERT_FALSE(c.texto.isEmpty());
        EXPECT_TRUE(c.texto.simplified().contains(c.esperado)) << c.texto.toStdString();
        // Quellora is the program, never the maker.
        EXPECT_FALSE(c.texto.contains(QStringLiteral("Quellora Ventiladores"), Qt::CaseInsensitive));
        EXPECT_FALSE(c.texto.contains(QStringLiteral("QUELLORA")) && c.texto.contains(QStringLiteral("VENTILADORES")));
        EXPECT_FALSE(c.texto.contains(QStringLiteral("Jundia")));
    }
    EXPECT_EQ(EnvioSmtp{}.NomeHelo, QStringLiteral("DravolinBrumLtda"));
    // The footer's contact lines are the maker's.
    EXPECT_TRUE(html.contains(QStringLiteral("<tr><td colspan=2 align=\"left\">Central&nbsp;de&nbsp;vendas:&nbsp;"
                                             "<a href=\"mailto:%1\">%1</a></td>")
                                  .arg(QString::fromUtf8(DadosFabricante::EnderecoVendas))));
}

TEST(VersaoDoPrograma, DoProjetoParaALinhaDeComandoEOsDocumentos) {
    // The project's version in CMakeLists.txt is the program's.
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("project\\(Quellora VERSION ([0-9.]+)")).match(Fonte("CMakeLists.txt"));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(QString::fromLatin1(VersaoPrograma), m.captured(1));
    const Execucao v = ExecutaCli({QStringLiteral("--version")});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.saida, QStringLiteral("quellora-cli %1\n").arg(m.captured(1)));

    const struct {
        QDate feito;
        const char *data;
    } casos[] = {{QDate(2026, 12, 9), "09/12/2026"}, {QDate(2027, 1, 1), "01/01/2027"}, {QDate(2003, 1, 13), "13/01/2003"}};
    GaranteAppGui();
    ASSERT_TRUE(MontaOrcamento(QStringLiteral(QUELLORA_DADOS_DIR "/"), 1));
    for (const auto &c : casos) {
        SCOPED_TRACE(c.data);
        const QString carimbo = QStringLiteral("Quellora %1 - gerado em %2").arg(m.captured(1), QString::fromLatin1(c.data));
        EXPECT_EQ(CarimboDocumento(c.feito), carimbo);
        const QStringList html = QString::fromLatin1(PropostaHTML(c.feito)).split(QStringLiteral("\r\n"));
        EXPECT_EQ(html.value(html.size() - 3),
                  QStringLiteral("<tr align=\"center\"><td colspan=7>%1</td></tr></table>").arg(carimbo));
        EXPECT_FALSE(html.join(QString()).contains(QStringLiteral("DBL")));
    }
}
