// The operator's profile file "dadope.dat".

#include "catalogue/arquivos.h"
#include "shell/estado.h"
#include "shell/operador.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace quellora;

namespace {

TOperador Exemplo() {
    TOperador op;
    op[0] = QString::fromUtf8("José Conceição");
    op[1] = QStringLiteral("Av. Brasil, 100");
    op[2] = QStringLiteral("Campinas/SP");
    op[3] = QStringLiteral("(19) 3232-0000");
    op[4] = QStringLiteral("jose@example.com");
    op[5] = QStringLiteral("Maria");
    op[6] = QStringLiteral("Representante Norte");
    return op;
}

QByteArray LeArquivo(const QString &arq) {
    QFile f(arq);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void Grava(const QString &arq, const QByteArray &b) {
    QFile f(arq);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

class Operador : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString arq() const { return dir.filePath(QStringLiteral("dadope.dat")); }
    QTemporaryDir dir;
};

} // namespace

TEST(OperadorBytes, ImagemDoRegistro) {
    const QByteArray b = OperadorParaBytes(Exemplo());
    ASSERT_EQ(b.size(), 287);
    // Name: length, then Windows-1252 text; the rest of the field zero.
    EXPECT_EQ(quint8(b[0]), 14);
    EXPECT_EQ(b.mid(1, 14), QByteArray("Jos\xe9 Concei\xe7\xe3o"));
    EXPECT_EQ(b.mid(15, 26), QByteArray(26, '\0'));
    // Each field at 41 × i.
    EXPECT_EQ(quint8(b[41]), 15);
    EXPECT_EQ(b.mid(42, 15), QByteArray("Av. Brasil, 100"));
    EXPECT_EQ(quint8(b[205]), 5);
    EXPECT_EQ(b.mid(206, 5), QByteArray("Maria"));
    EXPECT_EQ(quint8(b[246]), 19);
    EXPECT_EQ(b.mid(247, 19), QByteArray("Representante Norte"));
    EXPECT_EQ(b.mid(266), QByteArray(21, '\0'));
    EXPECT_EQ(OperadorDeBytes(b), Exemplo());
}

TEST(OperadorBytes, CamposCortados) {
    TOperador op;
    op[0] = QString(50, QLatin1Char('n'));
    op[6] = QStringLiteral("1234567890123456789012345"); // 25 characters
    const QByteArray b = OperadorParaBytes(op);
    ASSERT_EQ(b.size(), 287);
    EXPECT_EQ(quint8(b[0]), 40);
    EXPECT_EQ(quint8(b[246]), 20);
    EXPECT_EQ(b.mid(247, 20), QByteArray("12345678901234567890"));
    EXPECT_EQ(b.mid(267), QByteArray(20, '\0'));
    const TOperador c = CortaOperador(op);
    EXPECT_EQ(c[0].size(), 40);
    EXPECT_EQ(c[6], QStringLiteral("12345678901234567890"));
}

TEST_F(Operador, GravaELe) {
    G().Operador = Exemplo();
    QString erro;
    ASSERT_TRUE(GravaOperador(dir.path(), &erro)) << erro.toStdString();
    EXPECT_EQ(LeArquivo(arq()), OperadorParaBytes(Exemplo()));
    ResetaEstado();
    ASSERT_TRUE(CarregaOperador(dir.path(), &erro)) << erro.toStdString();
    EXPECT_EQ(G().Operador, Exemplo());
}

TEST_F(Operador, ArquivoComoEstiver) {
    TOperador outro, quarenta;
    outro[0] = "Segundo";
    for (int i = 0; i < 7; ++i)
        quarenta[i] = QString(40, 'x');
    // A length byte past the field's capacity (a foreign file) reads as 40.
    QByteArray excedente(287, 'x');
    for (int i = 0; i < 7; ++i)
        excedente[41 * i] = char(200);
    const struct {
        const char *nome;
        std::optional<QByteArray> arquivo; // none: no file; "/" a directory in its place
        bool ok;
        TOperador esperado;
    } casos[] = {
        {"ausente: perfil vazio", std::nullopt, true, {}},
        {"curto", OperadorParaBytes(Exemplo()).left(286), false, {}},
        {"vazio", QByteArray(), false, {}},
        {"ilegível", QByteArray("/"), false, {}},
        {"maior: o primeiro registro", OperadorParaBytes(Exemplo()) + OperadorParaBytes(outro) + "xyz", true, Exemplo()},
        {"comprimento acima do campo", excedente, true, quarenta},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir pasta;
        if (c.arquivo == "/")
            ASSERT_TRUE(QDir(pasta.path()).mkdir("dadope.dat"));
        else if (c.arquivo)
            Grava(pasta.filePath("dadope.dat"), *c.arquivo);
        G().Operador[0] = "antigo";
        QString erro;
        EXPECT_EQ(CarregaOperador(pasta.path(), &erro), c.ok) << erro.toStdString();
        EXPECT_TRUE(c.ok || erro.contains("dadope.dat")) << erro.toStdString();
        EXPECT_EQ(G().Operador, c.ok ? c.esperado : TOperador{});
    }

    // Writing over a directory fails with the file named, too.
    ASSERT_TRUE(QDir(dir.path()).mkdir("dadope.dat"));
    G().Operador = Exemplo();
    QString erro;
    EXPECT_FALSE(GravaOperador(dir.path(), &erro));
    EXPECT_TRUE(erro.contains("dadope.dat")) << erro.toStdString();
}
