// The preferences file "preferencias.json": what it accepts, what it refuses,
// and that a write keeps what another version put in it.

#include "shell/preferencias.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quellora;

namespace {

TPreferencias Com(double horas, double tarifa, double distancia, int q, double velocidade) {
    TPreferencias p;
    p.HorasAno = horas;
    p.Tarifa = tarifa;
    p.Distancia = distancia;
    p.Diretividade = q;
    p.VelocidadeMax = velocidade;
    return p;
}

} // namespace

TEST(Preferencias, LeituraDoArquivo) {
    const struct {
        const char *caso;
        const char *texto;
        bool aceito;
        TPreferencias esperado; // when accepted
        const char *motivo;     // part of the refusal
    } casos[] = {
        {"vazio de chaves: os valores de fábrica", "{}", true, TPreferencias{}, ""},
        {"todos os campos", R"({"HorasAno":8000,"Tarifa":1.25,"Distancia":3,"Diretividade":4,"VelocidadeMax":12.5})",
         true, Com(8000, 1.25, 3, 4, 12.5), ""},
        {"só alguns", R"({"Tarifa":0.6})", true, Com(4000, 0.6, 1, 2, 15), ""},
        {"não é JSON", "horas=4000", false, {}, "JSON"},
        {"JSON que não é objeto", "[4000]", false, {}, "JSON"},
        {"texto cortado", R"({"HorasAno":40)", false, {}, "JSON"},
        {"número como texto", R"({"HorasAno":"4000"})", false, {}, "HorasAno"},
        {"horas acima de um ano", R"({"HorasAno":9000})", false, {}, "8784"},
        {"tarifa negativa", R"({"Tarifa":-1})", false, {}, "tarifa"},
        {"distância zero", R"({"Distancia":0})", false, {}, "distância"},
        {"diretividade 3", R"({"Diretividade":3})", false, {}, "diretividade"},
        {"diretividade fracionária", R"({"Diretividade":2.5})", false, {}, "diretividade"},
        {"velocidade zero", R"({"VelocidadeMax":0})", false, {}, "velocidade"},
        {"pasta de projetos", R"({"PastaProjetos":"/srv/rede/orçamentos"})", true,
         TPreferencias{.PastaProjetos = QStringLiteral("/srv/rede/orçamentos")}, ""},
        {"pasta de projetos em branco: a do programa", R"({"PastaProjetos":""})", true, TPreferencias{}, ""},
        {"pasta de projetos relativa", R"({"PastaProjetos":"rede/orc"})", false, {}, "caminho completo"},
        {"pasta de projetos que não é texto", R"({"PastaProjetos":3})", false, {}, "PastaProjetos"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.caso);
        TPreferencias p = Com(1, 2, 3, 8, 4);
        const TPreferencias antes = p;
        QString erro;
        const bool ok = PreferenciasDeBytes(QByteArray(c.texto), p, &erro);
        ASSERT_EQ(ok, c.aceito) << erro.toStdString();
        if (ok) {
            EXPECT_EQ(p, c.esperado);
        } else {
            EXPECT_EQ(p, antes) << "a refused file leaves the preferences as they were";
            EXPECT_TRUE(erro.contains(QString::fromUtf8(c.motivo))) << erro.toStdString();
        }
    }
}

TEST(Preferencias, ArquivoNaPastaDeDados) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString arq = QDir(dir.path()).filePath(QStringLiteral("preferencias.json"));

    // No file: the defaults.
    TPreferencias p = Com(1, 2, 3, 8, 4);
    ASSERT_TRUE(CarregaPreferencias(dir.path(), p));
    EXPECT_EQ(p, TPreferencias{});

    // A key of a later version survives a write by this one.
    {
        QFile f(arq);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(R"({"HorasAno": 6000, "PastaFutura": {"x": [1, 2]}})");
    }
    ASSERT_TRUE(CarregaPreferencias(dir.path(), p));
    EXPECT_EQ(p.HorasAno, 6000);
    p.Tarifa = 0.95;
    QString erro;
    ASSERT_TRUE(GravaPreferencias(dir.path(), p, &erro)) << erro.toStdString();
    TPreferencias relido;
    ASSERT_TRUE(CarregaPreferencias(dir.path(), relido));
    EXPECT_EQ(relido, p);
    EXPECT_EQ(relido.Outros.at("PastaFutura").at("x").size(), 2u);

    // An out-of-range value is not written; the file keeps the last good one.
    TPreferencias ruim = p;
    ruim.Diretividade = 5;
    EXPECT_FALSE(GravaPreferencias(dir.path(), ruim, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("diretividade")));
    ASSERT_TRUE(CarregaPreferencias(dir.path(), relido));
    EXPECT_EQ(relido, p);

    // A damaged file is refused with its name.
    {
        QFile f(arq);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("{\"HorasAno\": ");
    }
    EXPECT_FALSE(CarregaPreferencias(dir.path(), relido, &erro));
    EXPECT_TRUE(erro.contains(arq)) << erro.toStdString();
    EXPECT_TRUE(erro.contains(QStringLiteral("danificado"))) << erro.toStdString();
}
