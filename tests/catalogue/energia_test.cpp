// The catalogue's energy data file: the shipped one reads back as its
// source says, a damaged image is refused with a reason, and the message
// names the file.

#include "catalogue/energia.h"

#include "catalogue/arquivos.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>

using namespace quellora;

namespace {

TEnergiaCatalogo Exemplo() {
    TEnergiaCatalogo e;
    for (double p : {0.75, 1.1, 2.2}) {
        TRendMotor m;
        m.Potencia = p;
        m.Rendimento = {{80 + p, 85 + p, 84 + p, 78 + p}};
        e.Motores.push_back(m);
    }
    e.Linhas = {{QStringLiteral("BSD"), TipoUE::CentrifugoTras, 'B'},
                {QStringLiteral("AXI"), TipoUE::Axial, 'A'},
                {QStringLiteral("PLR"), TipoUE::Nenhum, 0}};
    return e;
}

// Sets the checksum of a hand-changed image again, so that only the change
// itself is judged.
QByteArray Assina(QByteArray b) {
    const qsizetype fim = b.size() - 4;
    const std::uint16_t soma = qChecksum(QByteArrayView(b.constData(), fim), Qt::ChecksumItuV41);
    GravadorBinario(b).integer(static_cast<std::size_t>(fim), soma);
    return b;
}

} // namespace

TEST(Energia, ArquivoDanificadoERecusadoComOMotivo) {
    const TEnergiaCatalogo e = Exemplo();
    const QByteArray bom = EnergiaParaBytes(e);
    ASSERT_EQ(bom.size(), 16 + 3 * 40 + 3 * 12 + 4);
    TEnergiaCatalogo lido;
    QString motivo;
    ASSERT_TRUE(EnergiaDeBytes(bom, lido, &motivo)) << qPrintable(motivo);
    EXPECT_EQ(lido, e);
    EXPECT_EQ(EnergiaParaBytes(lido), bom);

    const std::size_t linha0 = 16 + 3 * 40;
    const struct {
        const char *nome;
        std::function<QByteArray()> imagem;
        const char *trecho;
    } casos[] = {
        {"vazio", [] { return QByteArray(); }, "curto"},
        {"cortado", [&] { return bom.left(bom.size() - 1); }, "tamanho"},
        {"um byte a mais", [&] { return Assina(bom + QByteArray(1, '\0')); }, "tamanho"},
        {"outro arquivo", [&] { return Assina(QByteArray("XXXX") + bom.mid(4)); }, "não é"},
        {"outra versão", [&] {
             QByteArray b = bom;
             GravadorBinario(b).integer(4, 2);
             return Assina(b);
         }, "versão"},
        {"contagem absurda", [&] {
             QByteArray b = bom;
             GravadorBinario(b).integer(8, 1 << 30);
             return Assina(b);
         }, "contagens"},
        {"um bit trocado", [&] {
             QByteArray b = bom;
             b[20] = static_cast<char>(b[20] ^ 0x10);
             return b;
         }, "soma"},
        {"potências fora de ordem", [&] {
             QByteArray b = bom;
             GravadorBinario(b).dbl(16 + 40, 0.5);
             return Assina(b);
         }, "ordem"},
        {"rendimento acima de 100 %", [&] {
             QByteArray b = bom;
             GravadorBinario(b).dbl(16 + 8, 120);
             return Assina(b);
         }, "rendimento"},
        {"rendimento que não é número", [&] {
             QByteArray b = bom;
             GravadorBinario(b).dbl(16 + 16, std::nan(""));
             return Assina(b);
         }, "rendimento"},
        {"tipo desconhecido", [&] {
             QByteArray b = bom;
             b[static_cast<qsizetype>(linha0 + 8)] = 9;
             return Assina(b);
         }, "tipo"},
        {"categoria E", [&] {
             QByteArray b = bom;
             b[static_cast<qsizetype>(linha0 + 9)] = 'E';
             return Assina(b);
         }, "categoria"},
        {"categoria sem tipo", [&] {
             QByteArray b = bom;
             b[static_cast<qsizetype>(linha0 + 2 * 12 + 9)] = 'A';
             return Assina(b);
         }, "categoria"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        TEnergiaCatalogo antes = Exemplo();
        motivo.clear();
        EXPECT_FALSE(EnergiaDeBytes(c.imagem(), antes, &motivo));
        EXPECT_TRUE(motivo.contains(QString::fromUtf8(c.trecho))) << qPrintable(motivo);
        EXPECT_EQ(antes, Exemplo()) << "left as it was";
    }

    // From a directory: none is no data; a damaged one is named.
    QTemporaryDir dir;
    TEnergiaCatalogo d = e;
    QString erro;
    EXPECT_TRUE(CarregaEnergia(dir.path(), d, &erro));
    EXPECT_TRUE(d.vazio());
    const QString arq = CaminhoEm(dir.path(), QString::fromLatin1(ArqEnergia));
    ASSERT_TRUE(GravaArquivoAtomico(arq, bom.left(30), &erro));
    EXPECT_FALSE(CarregaEnergia(dir.path(), d, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("dadefi.dat"))) << qPrintable(erro);
    EXPECT_TRUE(erro.contains(QStringLiteral("danificado"))) << qPrintable(erro);

    // The lines by code, and by the four characters an item keeps.
    ASSERT_TRUE(LinhaEnergia(e, QStringLiteral(" axi ")));
    EXPECT_EQ(LinhaEnergia(e, QStringLiteral(" axi "))->Tipo, TipoUE::Axial);
    EXPECT_EQ(LinhaEnergia(e, QStringLiteral("XYZ")), nullptr);
}

TEST(Energia, ArquivoDaAmostraTrazCadaLinhaEOMotorIE3) {
    TEnergiaCatalogo e;
    QString erro;
    ASSERT_TRUE(CarregaEnergia(QStringLiteral(QUELLORA_DADOS_DIR), e, &erro)) << qPrintable(erro);
    ASSERT_FALSE(e.vazio());
    const struct {
        const char *codigo;
        TipoUE tipo;
        char categoria;
    } linhas[] = {{"BSD", TipoUE::CentrifugoTras, 'B'},     {"BDD", TipoUE::CentrifugoTras, 'B'},
                  {"GTD", TipoUE::CentrifugoAerofolio, 'D'}, {"RSD", TipoUE::CentrifugoRadial, 'D'},
                  {"AXI", TipoUE::Axial, 'A'},               {"SCD", TipoUE::CentrifugoFrente, 'B'},
                  {"PLR", TipoUE::Nenhum, 0}};
    for (const auto &l : linhas) {
        SCOPED_TRACE(l.codigo);
        const TLinhaEnergia *x = LinhaEnergia(e, QString::fromLatin1(l.codigo));
        ASSERT_TRUE(x);
        EXPECT_EQ(x->Tipo, l.tipo);
        EXPECT_EQ(x->Categoria, l.categoria);
    }
    // IEC 60034-30-1, IE3 at 60 Hz.
    EXPECT_DOUBLE_EQ(RendimentoIE3(e, 7.5, 4), 0.917);
    EXPECT_DOUBLE_EQ(RendimentoIE3(e, 0.75, 2), 0.770);
    EXPECT_DOUBLE_EQ(RendimentoIE3(e, 375, 4), 0.962);
}
