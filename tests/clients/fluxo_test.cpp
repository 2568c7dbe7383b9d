// The table stream: extended floats, the bytes the writer produces, the
// older layouts the reader takes, and its refusals.

#include "clients/clientes.h"
#include "clients/fluxo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quellora;

namespace {

QByteArray Hex(const char *h) { return QByteArray::fromHex(h); }

QByteArray Ext(double v) {
    std::uint8_t x[10];
    DoubleParaExtended(v, x);
    return QByteArray(reinterpret_cast<const char *>(x), 10);
}

double DeExt(const QByteArray &b) {
    return ExtendedParaDouble(reinterpret_cast<const std::uint8_t *>(b.constData()));
}

// Tagged values, written out by hand for the hand-made streams.
QByteArray S(const QByteArray &t) { return QByteArray(1, '\x06') + QByteArray(1, static_cast<char>(t.size())) + t; }
QByteArray I8(int v) { return QByteArray(1, '\x02') + QByteArray(1, static_cast<char>(v)); }
QByteArray F(double v) { return QByteArray(1, '\x05') + Ext(v); }
const QByteArray Falso(1, '\x08');
const QByteArray Verdadeiro(1, '\x09');
const QByteArray Lista(1, '\x01');
const QByteArray Fim(1, '\x00');

QByteArray DefCampo(const QByteArray &nome, const QByteArray &tipo, int tamanho, int largura, bool especie = true) {
    return S(nome) + S(tipo) + I8(tamanho) + S(nome) + S("") + I8(largura) + Falso + Falso +
           (especie ? S("Data") : QByteArray());
}

TDadosTabela TabelaClientes() {
    TDadosTabela t;
    t.Campos = CamposClientes();
    return t;
}

} // namespace

TEST(Extended, ValoresConhecidos) {
    EXPECT_EQ(Ext(1.0).toHex(), QByteArray("0000000000000080ff3f"));
    EXPECT_EQ(Ext(-2.5).toHex(), QByteArray("00000000000000a000c0"));
    EXPECT_EQ(Ext(0.0).toHex(), QByteArray("00000000000000000000"));
    EXPECT_EQ(Ext(-0.0).toHex(), QByteArray("00000000000000000080"));
    EXPECT_EQ(Ext(std::numeric_limits<double>::infinity()).toHex(), QByteArray("0000000000000080ff7f"));
    // 37966.5 (a date at noon): 37966.5 = 1.158... * 2^15.
    EXPECT_EQ(DeExt(Ext(37966.5)), 37966.5);
    EXPECT_TRUE(std::isnan(DeExt(Ext(std::nan("")))));
}

TEST(Extended, IdaEVoltaExatasDeTodoDouble) {
    const double casos[] = {0.1, 12.5, -7.25, 1e300, -1e-300, std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                            4.9406564584124654e-320, 45678.123456789, 1.0 / 3.0};
    for (double v : casos) {
        EXPECT_EQ(DeExt(Ext(v)), v) << v;
        EXPECT_EQ(std::signbit(DeExt(Ext(v))), std::signbit(v));
    }
}

TEST(Extended, ArredondaAoParMaisProximo) {
    // 1 + 2^-53 lies halfway between 1 and the next double: ties to even (1).
    EXPECT_EQ(DeExt(Hex("0004000000000080ff3f")), 1.0);
    // 1 + 3 * 2^-53: halfway between 1 + 2^-52 (odd) and 1 + 2^-51 (even).
    EXPECT_EQ(DeExt(Hex("000c000000000080ff3f")), 1.0 + std::ldexp(1.0, -51));
    // Just above half: up.
    EXPECT_EQ(DeExt(Hex("0104000000000080ff3f")), 1.0 + std::ldexp(1.0, -52));
    // Beyond the double range: infinity; below it: zero; in the subnormal
    // range: the subnormal.
    EXPECT_TRUE(std::isinf(DeExt(Hex("0000000000000080ff7e"))));
    EXPECT_EQ(DeExt(Hex("0000000000000080ff00")), 0.0);
    EXPECT_EQ(DeExt(Hex("0000000000000080ce3b")), std::ldexp(1.0, -1073));
    // Pseudo-denormal and unnormal encodings never crash.
    EXPECT_TRUE(std::isfinite(DeExt(Hex("00000000000000800000"))));
    (void)DeExt(Hex("0000000000000040ff3f"));
}

TEST(FluxoTabela, EscreveVersao250ComOsBytesDoFormato) {
    TDadosTabela t = TabelaClientes();
    TRegistro r(12);
    r[0] = 1.0;             // ID
    r[1] = QString("Acme"); // Cliente
    t.Registros.append(r);

    QByteArray esperado = QByteArray("TPF0") + Hex("03FA00") + Lista;
    for (const auto &[nome, tipo, tamanho, largura] :
         {std::tuple{"ID", "Float", 0, 10}, {"Cliente", "String", 50, 50}, {"Contato", "String", 25, 25},
          {"Fone", "String", 14, 14}, {"Fax", "String", 14, 14}, {"Endereco", "String", 50, 50},
          {"Cidade_Estado", "String", 40, 40}, {"email", "String", 40, 40}, {"descontoV", "Float", 0, 10},
          {"descontoM", "Float", 0, 10}, {"Data", "DateTime", 0, 10}, {"Obs", "String", 80, 80}})
        esperado += DefCampo(nome, tipo, tamanho, largura);
    esperado += Fim;
    esperado += Hex("0100"); // no index definitions
    esperado += Lista;       // the records
    // The client with only a four-letter name: 01, 02 00, 08 05 (ID), 08 06
    // 04 "Acme", then 09 for the ten other fields, 00.
    esperado += Lista + Hex("0200") + Hex("0805") + Ext(1.0) + Hex("080604") + QByteArray("Acme") +
                QByteArray(10, '\x09') + Fim;
    esperado += Fim;
    EXPECT_EQ(GravaFluxoTabela(t).toHex().toStdString(), esperado.toHex().toStdString());

    // The definition of Cliente spelled out as bytes.
    EXPECT_TRUE(GravaFluxoTabela(t).contains(Hex("0607") + "Cliente" + Hex("0606") + "String" + Hex("0232") +
                                             Hex("0607") + "Cliente" + Hex("0600") + Hex("0232") + Hex("0808") +
                                             Hex("0604") + "Data"));
}

TEST(FluxoTabela, InteirosECadeiasNoMenorFormato) {
    TDadosTabela t;
    t.Campos = {TDefCampo::Cria("N", TipoCampo::Integer), TDefCampo::Cria("T", TipoCampo::Memo, 0)};
    for (int v : {127, -128, 128, -32768, 32768}) {
        TRegistro r(2);
        r[0] = v;
        r[1] = QString(v == 32768 ? 300 : 2, QLatin1Char('z'));
        t.Registros.append(r);
    }
    const QByteArray f = GravaFluxoTabela(t);
    EXPECT_TRUE(f.contains(Hex("08027F08")));
    EXPECT_TRUE(f.contains(Hex("080280")));
    EXPECT_TRUE(f.contains(Hex("08038000")));
    EXPECT_TRUE(f.contains(Hex("08030080")));
    EXPECT_TRUE(f.contains(Hex("080400800000080C2C010000")));

    TDadosTabela lida;
    QString erro;
    ASSERT_TRUE(LeFluxoTabela(f, lida, &erro)) << erro.toStdString();
    ASSERT_EQ(lida.Registros.size(), 5);
    EXPECT_EQ(lida.Registros[4][0].toInt(), 32768);
    EXPECT_EQ(lida.Registros[4][1].toString().size(), 300);
}

TEST(FluxoTabela, IdaEVoltaComAcentosENulos) {
    TDadosTabela t = TabelaClientes();
    TRegistro r(12);
    r[0] = 45000.75;
    r[1] = QString("Ventilação São João Ltda.");
    r[2] = QString(""); // given a value, even an empty one
    r[8] = 12.5;
    r[11] = QString("€ œ ™");
    t.Registros.append(r);
    TDadosTabela lida = TabelaClientes();
    QString erro;
    ASSERT_TRUE(LeFluxoTabela(GravaFluxoTabela(t), lida, &erro)) << erro.toStdString();
    ASSERT_EQ(lida.Registros.size(), 1);
    EXPECT_EQ(lida.Registros[0], r);
    EXPECT_TRUE(lida.Registros[0][2].isValid());
    EXPECT_FALSE(lida.Registros[0][3].isValid());
    EXPECT_TRUE(GravaFluxoTabela(t).contains(QByteArray("Ventila\xE7\xE3o S\xE3o Jo\xE3o")));
}

TEST(FluxoTabela, DefinicoesGravadasSubstituemAEstrutura) {
    // A file whose Contato is 14 long loads so and is written back so.
    TDadosTabela t = TabelaClientes();
    t.Campos[2].Tamanho = 14;
    t.Campos[2].Largura = 14;
    TDadosTabela lida = TabelaClientes();
    QString erro;
    ASSERT_TRUE(LeFluxoTabela(GravaFluxoTabela(t), lida, &erro));
    EXPECT_EQ(lida.Campos[2].Tamanho, 14);
    EXPECT_EQ(GravaFluxoTabela(lida), GravaFluxoTabela(t));

    // Display label, mask, width, flags and kind come from the file.
    const QByteArray f = QByteArray("TPF0") + Hex("03FA00") + Lista + S("Nome") + S("String") + I8(30) +
                         S("Nome do cliente") + S("!>aaa") + I8(20) + Verdadeiro + Verdadeiro + S("Lookup") +
                         S("Valor") + S("Currency") + I8(0) + S("Valor") + S("") + I8(10) + Falso + Falso +
                         S("Estranho") + Fim + Hex("0100") + Lista + Fim;
    TDadosTabela outra = TabelaClientes();
    ASSERT_TRUE(LeFluxoTabela(f, outra, &erro)) << erro.toStdString();
    ASSERT_EQ(outra.Campos.size(), 2);
    EXPECT_EQ(outra.Campos[0].Rotulo, QStringLiteral("Nome do cliente"));
    EXPECT_EQ(outra.Campos[0].Mascara, QStringLiteral("!>aaa"));
    EXPECT_EQ(outra.Campos[0].Largura, 20);
    EXPECT_TRUE(outra.Campos[0].Obrigatorio);
    EXPECT_TRUE(outra.Campos[0].SomenteLeitura);
    EXPECT_EQ(outra.Campos[0].Especie, EspecieCampo::Lookup);
    EXPECT_EQ(outra.Campos[1].Tipo, TipoCampo::Currency);
    EXPECT_EQ(outra.Campos[1].Especie, EspecieCampo::Data); // unknown kind
}

TEST(FluxoTabela, ListaDeDefinicoesVaziaMantemAEstrutura) {
    const QByteArray f = QByteArray("TPF0") + Hex("03FA00") + Lista + Fim + Hex("0100") + Lista + Lista + I8(0) +
                         Falso + F(7) + Falso + S("Z\xE9") + QByteArray(10, '\x09') + Fim + Fim;
    TDadosTabela t = TabelaClientes();
    QString erro;
    ASSERT_TRUE(LeFluxoTabela(f, t, &erro)) << erro.toStdString();
    EXPECT_EQ(t.Campos, CamposClientes());
    ASSERT_EQ(t.Registros.size(), 1);
    EXPECT_EQ(t.Registros[0][0].toDouble(), 7.0);
    EXPECT_EQ(t.Registros[0][1].toString(), QString::fromLatin1("Z\xE9"));
}

TEST(FluxoTabela, VersoesAntigas) {
    const QByteArray defs = Lista + DefCampo("Nome", "String", 20, 20, false) +
                            DefCampo("Desc", "Float", 0, 10, false) + DefCampo("Quando", "DateTime", 0, 10, false) +
                            Fim;
    const QByteArray defs250 = Lista + DefCampo("Nome", "String", 20, 20) + DefCampo("Desc", "Float", 0, 10) +
                               DefCampo("Quando", "DateTime", 0, 10) + Fim;
    QString erro;

    // 100: no version, no index list, records without status or null flags;
    // an integer tag for a float; a date-time of 0 loads as null.
    {
        const QByteArray f = QByteArray("TPF0") + defs + Lista + S("Alfa") + I8(5) + F(0.0) + S("Beta") + F(2.5) +
                             F(38000.25) + Fim;
        TDadosTabela t;
        ASSERT_TRUE(LeFluxoTabela(f, t, &erro)) << erro.toStdString();
        ASSERT_EQ(t.Registros.size(), 2);
        EXPECT_EQ(t.Registros[0][1].toDouble(), 5.0);
        EXPECT_FALSE(t.Registros[0][2].isValid());
        EXPECT_EQ(t.Registros[1][2].toDouble(), 38000.25);
    }
    // 200: index definitions (skipped, whatever they hold).
    {
        const QByteArray f = QByteArray("TPF0") + Hex("03C800") + defs + Lista + Lista + S("porNome") + I8(3) +
                             Fim + Fim + Lista + S("Alfa") + I8(5) + F(1) + Fim;
        TDadosTabela t;
        ASSERT_TRUE(LeFluxoTabela(f, t, &erro)) << erro.toStdString();
        ASSERT_EQ(t.Registros.size(), 1);
    }
    // 230: each record a list with its status; older versions follow.
    {
        const QByteArray f = QByteArray("TPF0") + Hex("03E600") + defs + Hex("0100") + Lista + Lista + I8(1) +
                             S("Novo") + F(1) + F(2) + I8(0) + S("Velho") + F(3) + F(4) + Fim + Fim;
        TDadosTabela t;
        ASSERT_TRUE(LeFluxoTabela(f, t, &erro)) << erro.toStdString();
        ASSERT_EQ(t.Registros.size(), 1);
        EXPECT_EQ(t.Registros[0][0].toString(), QStringLiteral("Novo"));
    }
    // 249: null flags, no kind names yet.
    {
        const QByteArray f = QByteArray("TPF0") + Hex("03F900") + defs + Hex("0100") + Lista + Lista + I8(0) +
                             Falso + S("Alfa") + Verdadeiro + Falso + F(0.0) + Fim + Fim;
        TDadosTabela t;
        ASSERT_TRUE(LeFluxoTabela(f, t, &erro)) << erro.toStdString();
        ASSERT_EQ(t.Registros.size(), 1);
        EXPECT_FALSE(t.Registros[0][1].isValid());
        EXPECT_FALSE(t.Registros[0][2].isValid());
    }
    // 250 with the kind names.
    {
        const QByteArray f = QByteArray("TPF0") + Hex("03FA00") + defs250 + Hex("0100") + Lista + Lista + I8(0) +
                             Falso + S("Alfa") + Falso + F(3) + Verdadeiro + Fim + Fim;
        TDadosTabela t;
        ASSERT_TRUE(LeFluxoTabela(f, t, &erro)) << erro.toStdString();
        ASSERT_EQ(t.Registros.size(), 1);
        EXPECT_EQ(t.Registros[0][1].toDouble(), 3.0);
    }
}

TEST(FluxoTabela, Recusas) {
    struct Caso {
        const char *nome;
        QByteArray fluxo;
        const char *mensagem;
    } casos[] = {
        {"assinatura", QByteArray("TPF1") + Hex("03FA00"), "Invalid stream format"},
        {"curto", QByteArray("TP"), "Stream read error"},
        {"tipo", QByteArray("TPF0") + Hex("03FA00") + Lista + S("X") + S("string") + I8(1) + S("X") + S("") +
                     I8(1) + Falso + Falso + S("Data") + Fim,
         "Unknown field type (string)"},
        {"cursor", QByteArray("TPF0") + Hex("03FA00") + Lista + S("X") + S("Cursor"), "Unknown field type (Cursor)"},
        {"versao", QByteArray("TPF0") + S("250"), "Invalid property value"},
        {"lista", QByteArray("TPF0") + Hex("03FA00") + Hex("02"), "Invalid property value"},
        {"fim", QByteArray("TPF0") + Hex("03FA00") + Lista + Fim + Hex("0100") + Lista, "Stream read error"},
        {"cadeia", QByteArray("TPF0") + Hex("03FA00") + Lista + Fim + Hex("0100") + Lista + Lista + I8(0) + Falso +
                       F(1) + Falso + I8(3),
         "Invalid property value"},
        {"longa", QByteArray("TPF0") + Hex("03FA00") + Lista + Fim + Hex("0100") + Lista + Lista + I8(0) + Falso +
                      F(1) + Falso + Hex("0CFFFFFF7F") + "abc",
         "Stream read error"},
        {"real", QByteArray("TPF0") + Hex("03FA00") + Lista + Fim + Hex("0100") + Lista + Lista + I8(0) + Falso +
                     Hex("0501020304"),
         "Stream read error"},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nome);
        TDadosTabela t = TabelaClientes();
        QString erro;
        EXPECT_FALSE(LeFluxoTabela(c.fluxo, t, &erro));
        EXPECT_EQ(erro, QString::fromLatin1(c.mensagem));
    }
    // An empty payload loads nothing.
    TDadosTabela t = TabelaClientes();
    QString erro;
    EXPECT_TRUE(LeFluxoTabela(QByteArray(), t, &erro));
    EXPECT_TRUE(t.Registros.isEmpty());
}
