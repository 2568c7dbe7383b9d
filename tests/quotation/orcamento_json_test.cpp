// A quotation file as JSON and back: every field under its record name, the
// very same bytes after an unchanged round trip, edits applied, mistakes
// refused with the field named; and the command line that does it.

#include "quotation/orcamento_json.h"

#include "catalogue/arquivos.h"
#include "cli_execucao.h"
#include "proposal/orcamento_exemplo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    return OrcamentoDeJson(j, b, erro) ? b : QByteArray();
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
    // With the extension block of the items' fans and fixed pressure too.
    TArquivoOrc paralelo = OrcamentoCheio(3);
    paralelo.Itens[1].Ventiladores = 4;
    paralelo.Itens[2].PressaoFixa = 7.25;
    const QByteArray comBloco = ArquivoOrcParaBytes(paralelo);
    for (const QByteArray &imagem : {cheio, estranho, ArquivoOrcParaBytes(TArquivoOrc{}), comBloco})
        EXPECT_EQ(Compila(Mostra(imagem)), imagem);
    EXPECT_EQ(Mostra(comBloco)["Itens"][1]["Ventiladores"], 4);
    EXPECT_EQ(Mostra(comBloco)["Itens"][2]["PressaoFixa"], 7.25);
    EXPECT_EQ(Mostra(cheio)["Itens"][1]["Ventiladores"], 1);

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
        {"sete ventiladores", [](json &j) { j["Itens"][0]["Ventiladores"] = 7; }, "Itens[0].Ventiladores"},
        {"pressão fixa negativa", [](json &j) { j["Itens"][0]["PressaoFixa"] = -1; }, "Itens[0].PressaoFixa"},
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
    const QString orc = dir.filePath(QStringLiteral("0012_03.orc")), js = dir.filePath(QStringLiteral("o.json")),
                  copia = dir.filePath(QStringLiteral("copia.orc"));
    // Its first item shared by two fans: the extension block comes back too.
    TArquivoOrc dois = OrcamentoCheio(2);
    dois.Itens[0].Ventiladores = 2;
    const QByteArray imagem = ArquivoOrcParaBytes(dois);
    QString erro;
    ASSERT_TRUE(GravaArquivoAtomico(orc, imagem, &erro));
    auto orcamento = [](const QStringList &args) { return ExecutaCli(QStringList{QStringLiteral("orcamento")} + args); };
    const Execucao mostra = orcamento({QStringLiteral("mostra"), orc});
    ASSERT_EQ(mostra.status, 0);
    ASSERT_TRUE(GravaArquivoAtomico(js, mostra.saida.toUtf8(), &erro));
    ASSERT_EQ(orcamento({QStringLiteral("compila"), js, copia}).status, 0);
    QFile c(copia);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), imagem);

    const Execucao lista = orcamento({QStringLiteral("lista"), dir.path(), QStringLiteral("--json")});
    ASSERT_EQ(lista.status, 0);
    const json l = json::parse(lista.saida.toStdString());
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0]["Numero"], "0012/03");
    EXPECT_EQ(orcamento({QStringLiteral("mostra"), dir.filePath(QStringLiteral("nada.orc"))}).status, 1);
}
