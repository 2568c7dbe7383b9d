// A quotation file as JSON and back: every field under its record name, the
// very same bytes after an unchanged round trip, edits applied, mistakes
// refused with the field named; and the command line that does it.

#include "quotation/orcamento_json.h"

#include "catalogue/binario.h"
#include "quotation/orcamento.h"

#include "quotation/orcamento_cheio.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quellora;
using namespace quellora::teste;
using nlohmann::json;

namespace {

json Mostra(const QByteArray &imagem) {
    TArquivoOrc a;
    EXPECT_TRUE(ArquivoOrcDeBytes(imagem, QStringLiteral("x.orc"), a, nullptr));
    // Through text, as a script would see it.
    return json::parse(OrcamentoParaJson(a).dump());
}

QByteArray Compila(const json &j, QString *erro = nullptr) {
    QByteArray b;
    if (!OrcamentoDeJson(j, b, erro))
        return {};
    return b;
}

} // namespace

TEST(OrcamentoJson, MostraECompilaDaoOsMesmosBytes) {
    const QByteArray cheio = ArquivoOrcParaBytes(OrcamentoCheio(3));
    // An image the program would tidy when writing its fields: a Boolean
    // stored as 2, a text length above its capacity, a NaN and a -0.
    QByteArray estranho = cheio;
    estranho[0] = 2;
    estranho[9] = char(200);
    GravadorBinario(estranho).dbl(1716 + 676, std::numeric_limits<double>::quiet_NaN());
    GravadorBinario(estranho).dbl(1716 + 744, -0.0);
    for (const QByteArray &imagem : {cheio, estranho, ArquivoOrcParaBytes(TArquivoOrc{})}) {
        const json j = Mostra(imagem);
        EXPECT_EQ(Compila(j), imagem);
    }

    const json j = Mostra(cheio);
    EXPECT_EQ(j["Itens"].size(), 3u);
    EXPECT_TRUE(j["Orcamento"]["FatoresOrc"].contains("FatorVent"));
    EXPECT_EQ(j["Itens"][0]["AcessSel"].size(), 46u);
    EXPECT_EQ(j["Itens"][0]["LwBanda"].size(), 8u);

    // Edits: a field changed, an item removed, a record from fields alone.
    json e = j;
    e["Itens"][1]["RefTag"] = "V-200";
    e["Itens"].erase(2);
    e["Orcamento"].erase("NumItensOrc");
    e["Itens"].push_back({{"RefTag", "Novo"}, {"Vazao", 1500}, {"Temperatura", 20}});
    const QByteArray b = Compila(e);
    ASSERT_EQ(b.size(), 1716 + 3 * 1364);
    TArquivoOrc lido;
    ASSERT_TRUE(ArquivoOrcDeBytes(b, QStringLiteral("e.orc"), lido, nullptr));
    EXPECT_EQ(lido.Orcamento.NumItensOrc, 3);
    EXPECT_EQ(lido.Itens[1].RefTag, QStringLiteral("V-200"));
    EXPECT_EQ(lido.Itens[0], OrcamentoCheio(3).Itens[0]);
    EXPECT_EQ(lido.Itens[2].RefTag, QStringLiteral("Novo"));
    EXPECT_EQ(lido.Itens[2].Vazao, 1500.0);
    EXPECT_EQ(lido.Itens[2].Qtd, 0);
}

TEST(OrcamentoJson, ErrosNomeiamOCampo) {
    const json base = Mostra(ArquivoOrcParaBytes(OrcamentoCheio(1)));
    struct Caso {
        const char *nome;
        std::function<void(json &)> muda;
        const char *esperado;
    } casos[] = {
        {"campo desconhecido", [](json &j) { j["Itens"][0]["Vazão"] = 1; }, "Itens[0]: campo desconhecido"},
        {"texto longo", [](json &j) { j["Itens"][0]["RefTag"] = "12345678901"; }, "Itens[0].RefTag"},
        {"fora da página de código", [](json &j) { j["Orcamento"]["Projeto"] = "Ventilação ≠"; },
         "Orcamento.Projeto"},
        {"inteiro fora da faixa", [](json &j) { j["Itens"][0]["GrupoMotor"] = 200; }, "Itens[0].GrupoMotor"},
        {"tipo errado", [](json &j) { j["Orcamento"]["Data"] = "hoje"; }, "Orcamento.Data"},
        {"lista curta", [](json &j) { j["Itens"][0]["LwBanda"] = json::array({1, 2}); }, "Itens[0].LwBanda"},
        {"contagem divergente", [](json &j) { j["Orcamento"]["NumItensOrc"] = 2; }, "Orcamento.NumItensOrc"},
        {"bruto inválido", [](json &j) { j["Orcamento"]["bruto"] = "AAAA"; }, "Orcamento.bruto"},
        {"41 itens", [](json &j) { j["Itens"] = json(std::vector<json>(41, json::object())); }, "Itens"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        json j = base;
        c.muda(j);
        QString erro;
        EXPECT_TRUE(Compila(j, &erro).isEmpty());
        EXPECT_TRUE(erro.startsWith(QString::fromUtf8(c.esperado))) << erro.toStdString();
    }
}

TEST(OrcamentoJson, LinhaDeComando) {
    QTemporaryDir dir;
    const QString orc = dir.filePath(QStringLiteral("0012_03.orc"));
    const QByteArray imagem = ArquivoOrcParaBytes(OrcamentoCheio(2));
    {
        QFile f(orc);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(imagem);
    }
    auto roda = [](const QStringList &args, QByteArray *saida = nullptr) {
        QProcess p;
        p.start(QStringLiteral(QUELLORA_CLI), QStringList{QStringLiteral("orcamento")} + args);
        p.waitForFinished(60000);
        if (saida)
            *saida = p.readAllStandardOutput();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    };
    QByteArray texto;
    ASSERT_EQ(roda({QStringLiteral("mostra"), orc}, &texto), 0);
    const QString js = dir.filePath(QStringLiteral("o.json"));
    {
        QFile f(js);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texto);
    }
    const QString copia = dir.filePath(QStringLiteral("copia.orc"));
    ASSERT_EQ(roda({QStringLiteral("compila"), js, copia}), 0);
    QFile c(copia);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), imagem);

    ASSERT_EQ(roda({QStringLiteral("lista"), dir.path(), QStringLiteral("--json")}, &texto), 0);
    const json l = json::parse(texto.toStdString());
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0]["Numero"], "0012/03");
    EXPECT_EQ(roda({QStringLiteral("mostra"), dir.filePath(QStringLiteral("nada.orc"))}), 1);
}
