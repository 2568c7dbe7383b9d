// The catalogue compiler: the shipped source compiles, shows back and
// compiles again to the same bytes; a broken source is refused with the path
// of the offending value and writes nothing.

#include "catalogue/arquivos.h"
#include "catalogue/catalogo.h"
#include "catalogue/energia.h"
#include "catalogue/fonte.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace quellora;
using nlohmann::json;

namespace {

json LeFonte() {
    QFile f(QStringLiteral(QUELLORA_SOURCE_DIR "/data/catalogo.json"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return json::parse(f.readAll().toStdString());
}

QByteArray Conteudo(const QString &arq) {
    QFile f(arq);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const char *const kArquivos[] = {ArqModelos, ArqDenominacoes, ArqMotores,      ArqAcessorios,
                                 ArqFatores, ArqPrecoModelos, ArqPrecoMotores, ArqEnergia};

} // namespace

TEST(FonteCatalogo, CompilaMostraCompilaDaOsMesmosBytes) {
    QTemporaryDir a, b;
    QString erro;
    ASSERT_TRUE(CompilaCatalogo(LeFonte(), a.path(), &erro)) << erro.toStdString();
    json mostrado;
    ASSERT_TRUE(MostraCatalogo(a.path(), mostrado, &erro)) << erro.toStdString();
    ASSERT_TRUE(CompilaCatalogo(json::parse(mostrado.dump()), b.path(), &erro)) << erro.toStdString();
    for (const char *nome : kArquivos) {
        const QByteArray x = Conteudo(CaminhoEm(a.path(), QString::fromLatin1(nome)));
        EXPECT_FALSE(x.isEmpty() && QString::fromLatin1(nome) != QLatin1String(ArqPrecoMotores)) << nome;
        EXPECT_EQ(x, Conteudo(CaminhoEm(b.path(), QString::fromLatin1(nome)))) << nome;
    }
    // The canonical form is stable too.
    json outra;
    ASSERT_TRUE(MostraCatalogo(b.path(), outra, &erro));
    EXPECT_EQ(outra, mostrado);
}

TEST(FonteCatalogo, TamanhosDosArquivosCompilados) {
    QTemporaryDir d;
    QString erro;
    const json fonte = LeFonte();
    ASSERT_TRUE(CompilaCatalogo(fonte, d.path(), &erro)) << erro.toStdString();
    auto tamanho = [&](const char *n) { return QFileInfo(CaminhoEm(d.path(), QString::fromLatin1(n))).size(); };
    EXPECT_EQ(tamanho(ArqModelos), 10616 * static_cast<qint64>(fonte["modelos"].size()));
    EXPECT_EQ(tamanho(ArqDenominacoes), 7 * 70);
    EXPECT_EQ(tamanho(ArqMotores) % (35 * 112), 0);
    EXPECT_EQ(tamanho(ArqAcessorios), 45 * 31);
    EXPECT_EQ(tamanho(ArqFatores), 400);
    EXPECT_EQ(tamanho(ArqPrecoModelos), 67720 * static_cast<qint64>(fonte["precos_modelos"].size()));
    EXPECT_EQ(tamanho(ArqPrecoMotores), 1120 * static_cast<qint64>(fonte["precos_motores"].size()));
    EXPECT_EQ(tamanho(ArqEnergia), 16 + 40 * static_cast<qint64>(fonte["rendimento_motores"].size()) +
                                       12 * static_cast<qint64>(fonte["modelos"].size()) + 4);

    // A source without energy data leaves no energy file behind.
    json semEnergia = fonte;
    semEnergia.erase("rendimento_motores");
    for (auto &m : semEnergia["modelos"]) {
        m.erase("TipoUE");
        m.erase("CategoriaUE");
    }
    ASSERT_TRUE(CompilaCatalogo(semEnergia, d.path(), &erro)) << erro.toStdString();
    EXPECT_FALSE(QFileInfo::exists(CaminhoEm(d.path(), QString::fromLatin1(ArqEnergia))));
}

TEST(FonteCatalogo, FonteInvalidaNomeiaOCampoENaoGrava) {
    QTemporaryDir d;
    QString erro;
    json fonte = LeFonte();
    fonte["modelos"][0]["Existe"] = json::array({true, false});
    EXPECT_FALSE(CompilaCatalogo(fonte, d.path(), &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("modelos[0].Existe"))) << erro.toStdString();
    EXPECT_TRUE(QDir(d.path()).entryList(QDir::Files).isEmpty());

    fonte = LeFonte();
    fonte["modelos"][0]["Codigo"] = "CODIGOLONGO";
    EXPECT_FALSE(CompilaCatalogo(fonte, d.path(), &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("modelos[0].Codigo"))) << erro.toStdString();

    fonte = LeFonte();
    fonte["acessorios"][0]["CodAcessorio"] = 12;
    EXPECT_FALSE(CompilaCatalogo(fonte, d.path(), &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("acessorios[0].CodAcessorio"))) << erro.toStdString();

    const struct {
        const char *nome;
        void (*estraga)(json &);
        const char *onde;
    } energia[] = {
        {"tipo desconhecido", [](json &f) { f["modelos"][1]["TipoUE"] = "misto"; }, "modelos[1].TipoUE"},
        {"categoria E", [](json &f) { f["modelos"][1]["CategoriaUE"] = "E"; }, "modelos[1].CategoriaUE"},
        {"tipo sem categoria", [](json &f) { f["modelos"][2].erase("CategoriaUE"); }, "modelos[2]"},
        {"tipo sem tabela", [](json &f) { f.erase("rendimento_motores"); }, "rendimento_motores"},
        {"rendimento acima de 100 %", [](json &f) { f["rendimento_motores"][3]["Rendimento"][0] = 101.0; },
         "rendimento_motores"},
    };
    for (const auto &c : energia) {
        SCOPED_TRACE(c.nome);
        fonte = LeFonte();
        c.estraga(fonte);
        EXPECT_FALSE(CompilaCatalogo(fonte, d.path(), &erro));
        EXPECT_TRUE(erro.contains(QString::fromLatin1(c.onde))) << erro.toStdString();
    }

    fonte = LeFonte();
    fonte.erase("fatores");
    EXPECT_FALSE(CompilaCatalogo(fonte, d.path(), &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("fatores"))) << erro.toStdString();
    EXPECT_TRUE(QDir(d.path()).entryList(QDir::Files).isEmpty());
}

TEST(FonteCatalogo, LinhaDeComandoListaAsLinhas) {
    QProcess p;
    p.start(QStringLiteral(QUELLORA_CLI), {QStringLiteral("catalogo"), QStringLiteral("lista"),
                                            QStringLiteral(QUELLORA_DADOS_DIR)});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QStringList esperado;
    ASSERT_TRUE(ListaModelos(QStringLiteral(QUELLORA_DADOS_DIR), esperado));
    const QStringList linhas = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(linhas, esperado);

    QProcess ruim;
    ruim.start(QStringLiteral(QUELLORA_CLI), {QStringLiteral("catalogo"), QStringLiteral("lista"),
                                               QStringLiteral("/nao/existe")});
    ASSERT_TRUE(ruim.waitForFinished(30000));
    EXPECT_NE(ruim.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(ruim.readAllStandardError()).contains(QStringLiteral("dadmod.dat")));
}
