// Loading catalogue files from a data directory: indexing rules and the
// errors for missing, short and too small files.

#include "catalogue/arquivos.h"
#include "catalogue/catalogo.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace quellora;

namespace {

class Carrega : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Arq(const char *nome) const { return CaminhoEm(dir.path(), QString::fromLatin1(nome)); }

    void Grava(const char *nome, const QByteArray &b) const {
        QString erro;
        ASSERT_TRUE(GravaArquivoAtomico(Arq(nome), b, &erro)) << erro.toStdString();
    }

    template <class T>
    void GravaRegistros(const char *nome, const std::vector<T> &rs) const {
        QByteArray b;
        for (const auto &r : rs)
            b += ParaBytes(r);
        Grava(nome, b);
    }

    static TDadosModelo Linha(const char *codigo, const char *desc, bool dados) {
        TDadosModelo m;
        m.TemDados = dados;
        m.Codigo = QString::fromLatin1(codigo);
        m.DescModelo = QString::fromLatin1(desc);
        return m;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(Carrega, ListaPulaLinhasSemDadosEIndiceApontaORegistro) {
    GravaRegistros(ArqModelos, std::vector<TDadosModelo>{Linha("BSD", "LIMIT-LOAD", true), Linha("XXX", "SEM", false),
                                                        Linha("GTD", "AEROFOLIO", true)});
    QStringList lista{QStringLiteral("velho")};
    QString erro;
    ASSERT_TRUE(ListaModelos(dir.path(), lista, &erro)) << erro.toStdString();
    EXPECT_EQ(lista, (QStringList{QStringLiteral("BSD - LIMIT-LOAD"), QStringLiteral("GTD - AEROFOLIO")}));
    EXPECT_EQ(RegistroDoModelo(0), 0);
    EXPECT_EQ(RegistroDoModelo(1), 2);
    EXPECT_EQ(RegistroDoModelo(2), -1);
    EXPECT_EQ(RegistroDoModelo(-1), -1);
    EXPECT_FALSE(G().IndiceModelos[1].Ativo);
    EXPECT_EQ(G().Modelo.Codigo, QStringLiteral("GTD")); // the last record read

    ASSERT_TRUE(CarregaModelo(dir.path(), 1, &erro));
    EXPECT_EQ(G().Modelo.Codigo, QStringLiteral("GTD"));
    // A position with no line fails like a read past the end.
    EXPECT_FALSE(CarregaModelo(dir.path(), 2, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("dadmod.dat"))) << erro.toStdString();
}

TEST_F(Carrega, LinhaDaListaCortaCodigoEDescricao) {
    EXPECT_EQ(LinhaDaLista(Linha("ABCDEFG", "DESC", true)), QStringLiteral("ABCDEFGDESC"));
    EXPECT_EQ(LinhaDaLista(Linha("ABCDEF", "DESC", true)), QStringLiteral("ABCDEF DESC"));
    EXPECT_EQ(LinhaDaLista(Linha("AB", "12345678901234567890", true)), QStringLiteral("AB - 12345678901234567890"));
    EXPECT_EQ(LinhaDaLista(Linha("ABCD", "12345678901234567890", true)).size(), 27);
}

TEST_F(Carrega, VinteEUmaLinhasSelecionaveisEMaisNaoPassamDoIndice) {
    for (const auto &[registros, posicao, registro] : {std::tuple{21, 20, 20}, {25, 21, -1}}) {
        GravaRegistros(ArqModelos, std::vector<TDadosModelo>(registros, Linha("L", "X", true)));
        QStringList lista;
        ASSERT_TRUE(ListaModelos(dir.path(), lista));
        EXPECT_EQ(lista.size(), 21) << registros;
        EXPECT_EQ(RegistroDoModelo(posicao), registro) << registros;
    }
}

TEST_F(Carrega, MotoresDoGrupoEProcura) {
    std::vector<TDadosMotor> ms(70);
    const double potencias[] = {0.25, 0.37, 0.55, 0.75, 1.1};
    for (int m = 0; m < 5; ++m)
        ms[static_cast<std::size_t>(35 + m)].Potencia = potencias[m];
    ms[0].Potencia = 99; // group 1
    GravaRegistros(ArqMotores, ms);
    QString erro;
    ASSERT_TRUE(CarregaMotores(dir.path(), 2, &erro)) << erro.toStdString();
    EXPECT_EQ(G().NumMotores, 5);
    EXPECT_EQ(G().Motores[1].Potencia, 0.25);
    EXPECT_TRUE(ProcuraMotor(0.55));
    EXPECT_EQ(G().MotorEscolhido, 3);
    EXPECT_TRUE(ProcuraMotor(0.56));
    EXPECT_EQ(G().MotorEscolhido, 4);
    EXPECT_FALSE(ProcuraMotor(1.2));
    EXPECT_EQ(G().MotorEscolhido, 0);

    // A group beyond the file is an error naming the file.
    EXPECT_FALSE(CarregaMotores(dir.path(), 3, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("dadmot.dat")));
}

TEST_F(Carrega, ErrosNomeiamOArquivo) {
    QString erro;
    EXPECT_FALSE(CarregaDenominacoes(dir.path(), &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("denmod.dat"))) << erro.toStdString();
    EXPECT_TRUE(erro.contains(QStringLiteral("não encontrado"))) << erro.toStdString();

    // Six records where seven are read: the file is too short.
    GravaRegistros(ArqDenominacoes, std::vector<TDenominacao>(6));
    erro.clear();
    EXPECT_FALSE(CarregaDenominacoes(dir.path(), &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("denmod.dat")));

    // A factors file cut in the middle of its record.
    Grava(ArqFatores, QByteArray(399, '\0'));
    erro.clear();
    EXPECT_FALSE(CarregaFatores(dir.path(), &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("dadfat.dat")));

    // A dadmod.dat whose last record is cut short is refused whole.
    Grava(ArqModelos, ParaBytes(Linha("A", "B", true)) + QByteArray(100, '\0'));
    QStringList lista;
    erro.clear();
    EXPECT_FALSE(ListaModelos(dir.path(), lista, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("dadmod.dat")));

    EXPECT_FALSE(CarregaPrecoMotores(dir.path(), 0, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("premot.dat")));
    EXPECT_FALSE(CarregaPrecoModelo(dir.path(), 0, &erro));
    EXPECT_TRUE(erro.contains(QStringLiteral("premod.dat")));
}

TEST_F(Carrega, AcessoriosEFatoresCompletos) {
    std::vector<TAcessorio> ace(45);
    ace[0] = {QStringLiteral("BU"), QStringLiteral("Base única")};
    ace[44] = {QStringLiteral("VZA"), QStringLiteral("Último")};
    GravaRegistros(ArqAcessorios, ace);
    TFatores f;
    f.Entrega = 30;
    GravaRegistros(ArqFatores, std::vector<TFatores>{f});
    QString erro;
    ASSERT_TRUE(CarregaAcessorios(dir.path(), &erro));
    EXPECT_EQ(G().Acessorios[1].NomeAcessorio, QStringLiteral("Base única"));
    EXPECT_EQ(G().Acessorios[45].CodAcessorio, QStringLiteral("VZA"));
    ASSERT_TRUE(CarregaFatores(dir.path(), &erro));
    EXPECT_EQ(G().Fatores.Entrega, 30);
}
