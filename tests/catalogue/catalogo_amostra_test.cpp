// The shipped sample catalogue (compiled from data/catalogo.json into the
// build's dados/): it loads through the catalogue operations, holds the
// families, lines, motors, accessories, factors and prices the program relies
// on, and its fan data give realistic operating points.

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "shell/estado.h"

#include <gtest/gtest.h>

#include <QSet>

#include <cmath>
#include <vector>

using namespace quellora;

namespace {

const QString kDados = QStringLiteral(QUELLORA_DADOS_DIR);

class Amostra : public ::testing::Test {
protected:
    void SetUp() override {
        QString erro;
        ASSERT_TRUE(ListaModelos(kDados, lista, &erro)) << erro.toStdString();
    }

    // Loads the line whose list line starts with 'codigo'; returns its list position.
    int Carrega(const char *codigo) {
        for (int p = 0; p < lista.size(); ++p)
            if (lista[p].startsWith(QLatin1String(codigo) + QLatin1String(" - "))) {
                QString erro;
                EXPECT_TRUE(CarregaModelo(kDados, p, &erro)) << erro.toStdString();
                return p;
            }
        ADD_FAILURE() << "linha " << codigo << " fora da lista";
        return -1;
    }

    QStringList lista;
};

double Polinomio(const Faixa<double, 0, 6> &c, double x) {
    long double s = 0, xj = 1;
    for (int j = 0; j <= 6; ++j, xj *= x)
        s += c[j] * xj;
    return static_cast<double>(s);
}

double DescontoRend(const TDadosModelo &m, int i) {
    const double d = Tamanhos[i] / 1000.0;
    return m.RendRef - (100 - (0.5 / std::pow(d, 0.1) + m.CorrRend[i]) * (100 - m.RendRef));
}

// One size's operating point, as the selection computes it (20 °C, sea level).
struct Ponto {
    int tamanho = 0;
    double rotacao = 0, rendimento = 0, potencia = 0, lwa = 0;
};

std::vector<Ponto> Qualificados(const TDadosModelo &m, double vazao, double pressao) {
    const double dens = 1.205208, e = m.Entradas, q = vazao / e, ps = pressao * 1.205 / dens;
    std::vector<Ponto> r;
    for (int i = 1; i <= 23; ++i) {
        if (!m.Existe[i] || m.AreaDescarga[i] == 0)
            continue;
        const double v = q / 3600 / (m.AreaDescarga[i] / e);
        if (m.VelMax[i] < v)
            continue;
        const double d = Tamanhos[i] / 1000.0, pt = 0.061 * v * v + ps;
        const double x = std::log(std::pow(d, 4) * pt * 1e9 / (q * q));
        if (x >= m.XMax || x <= m.XMin)
            continue;
        const double y = Polinomio(m.PolVazao, x), n = q / (d * d * d) / y / m.FatorRot[i];
        bool arranjo = false;
        for (int k = 1; k <= 8; ++k)
            arranjo = arranjo || (m.ArranjoModelo[k].Disponivel && m.ArranjoModelo[k].RotMaxTam[i] >= n);
        if (!arranjo)
            continue;
        Ponto p;
        p.tamanho = Tamanhos[i];
        p.rotacao = n;
        p.rendimento = Polinomio(m.PolRend, y) - DescontoRend(m, i);
        p.potencia = e * q * pt / 75 / 3600 / (0.01 * p.rendimento) / 1.36 * dens / 1.205;
        const TFaixaEspectro *linha = nullptr;
        for (int j = 3 * i - 2; j <= 3 * i && !linha; ++j)
            if (n <= m.Espectro[j].RotLimite)
                linha = &m.Espectro[j];
        EXPECT_NE(linha, nullptr) << "sem linha de espectro para " << p.tamanho << " a " << n;
        p.lwa = 70 * std::log10(Tamanhos[i] / double(m.DiamRef)) + 50 * std::log10(n / m.RotRef) +
                20 * std::log10(dens / 1.20521) + Polinomio(m.PolSom, y) + (e == 2 ? 3 : 0) +
                (linha ? linha->CorrLwA : 0);
        r.push_back(p);
    }
    return r;
}

Ponto MaisEficiente(const std::vector<Ponto> &r) {
    Ponto b;
    for (const Ponto &p : r)
        if (p.rendimento > b.rendimento)
            b = p;
    return b;
}

} // namespace

TEST_F(Amostra, FamiliasNaOrdemDoMenu) {
    QString erro;
    ASSERT_TRUE(CarregaDenominacoes(kDados, &erro)) << erro.toStdString();
    const char *const familias[7][2] = {
        {"BSD/BDD", "Centrífugos de pás curvadas para trás (limit-load)"},
        {"GTD", "Centrífugos de alto rendimento com pás aerofólio"},
        {"", ""},
        {"RSD", "Centrífugos de pás radiais para transporte e pó"},
        {"AXI", "Axiais de perfil aerodinâmico para grandes vazões"},
        {"SCD", "Centrífugos de pás curvadas para frente (sirocco)"},
        {"PLR", "Plug fans para unidades de tratamento de ar"},
    };
    for (int r = 1; r <= 7; ++r) {
        EXPECT_EQ(G().Denominacoes[r].Familia, QString::fromUtf8(familias[r - 1][0])) << r;
        EXPECT_EQ(G().Denominacoes[r].TextoFamilia, QString::fromUtf8(familias[r - 1][1])) << r;
    }
}

TEST_F(Amostra, LinhasSelecionaveisESemDados) {
    EXPECT_EQ(lista, QStringList({QStringLiteral("BSD - SIMPLES ASPIRAÇÃO"), QStringLiteral("BDD - DUPLA ASPIRAÇÃO"),
                                  QStringLiteral("GTD - AEROFÓLIO"), QStringLiteral("RSD - PÁS RADIAIS"),
                                  QStringLiteral("AXI - AXIAL"), QStringLiteral("SCD - SIROCCO")}));
    std::vector<TDadosModelo> todos;
    ASSERT_TRUE(LeTodosModelos(kDados, todos));
    ASSERT_EQ(todos.size(), 7u);
    EXPECT_EQ(todos[6].Codigo, QStringLiteral("PLR"));
    EXPECT_FALSE(todos[6].TemDados);
    EXPECT_FALSE(G().IndiceModelos[6].Ativo);
    EXPECT_EQ(RegistroDoModelo(5), 5);
    EXPECT_EQ(RegistroDoModelo(6), -1);
}

TEST_F(Amostra, ConstrucaoDasLinhas) {
    struct Esperado {
        const char *codigo;
        int entradas, menor, maior;
        bool direto;
    };
    const Esperado linhas[] = {{"BSD", 1, 200, 2000, true}, {"BDD", 2, 315, 2000, false},
                               {"GTD", 1, 355, 2000, true}, {"RSD", 1, 250, 1250, false},
                               {"AXI", 1, 315, 2000, true}, {"SCD", 1, 160, 710, true}};
    for (const Esperado &e : linhas) {
        SCOPED_TRACE(e.codigo);
        Carrega(e.codigo);
        const TDadosModelo &m = G().Modelo;
        EXPECT_EQ(m.Entradas, e.entradas);
        EXPECT_EQ(m.DescModelo.trimmed().toUpper() == QLatin1String("AXIAL"), QLatin1String(e.codigo) == "AXI");
        EXPECT_EQ(m.ArranjoModelo[ArranjoDireto].Disponivel, e.direto);
        for (int i = 1; i <= 23; ++i) {
            EXPECT_EQ(m.Existe[i], Tamanhos[i] >= e.menor && Tamanhos[i] <= e.maior) << Tamanhos[i];
            if (!m.Existe[i])
                continue;
            const double d = Tamanhos[i] / 1000.0;
            EXPECT_EQ(m.FatorRot[i], 1.0);
            EXPECT_GT(m.AreaDescarga[i] / (d * d), 0.2);
            EXPECT_LT(m.AreaDescarga[i] / (d * d), 1.2 * m.Entradas);
            EXPECT_GE(m.VelMax[i], 15);
            // Every admissible speed finds a sound row, and the chart's lowest
            // speed lies below the highest one.
            int rotMax = 0;
            for (int k = 1; k <= 8; ++k)
                if (m.ArranjoModelo[k].Disponivel)
                    rotMax = std::max(rotMax, m.ArranjoModelo[k].RotMaxTam[i]);
            EXPECT_GE(m.Espectro[3 * i].RotLimite, rotMax);
            EXPECT_LT(m.VelPerifMin * 60 / M_PI / d, rotMax);
            for (int j = 3 * i - 2; j <= 3 * i; ++j) {
                EXPECT_GE(m.Espectro[j].DifLw, 1.0);
                EXPECT_LE(m.Espectro[j].DifLw, 9.0);
                EXPECT_DOUBLE_EQ(m.Espectro[j].CorrLwA, -m.Espectro[j].DifLw);
            }
        }
        // Size correction of efficiency: the largest size loses at most a
        // point, the smallest several.
        EXPECT_GE(DescontoRend(m, 23), -0.5);
        EXPECT_LE(DescontoRend(m, 23), 1.0);
        EXPECT_GE(DescontoRend(m, 1), 4.0);
        EXPECT_LE(DescontoRend(m, 1), 10.0);
        EXPECT_GT(m.MargemAbaixo, m.MargemAcima - 1);
        EXPECT_GT(m.PotLimite, 0);
    }
}

// The seven chart points and the selection laws describe the same
// characteristic: each point's duty parameter maps back to its flow
// coefficient, and its efficiency is the efficiency law's.
TEST_F(Amostra, CurvaDoGraficoIgualADaSelecao) {
    for (const char *codigo : {"BSD", "BDD", "GTD", "RSD", "AXI", "SCD"}) {
        SCOPED_TRACE(codigo);
        Carrega(codigo);
        const TDadosModelo &m = G().Modelo;
        ASSERT_LT(m.XMin, m.XMax);
        for (int j = 1; j <= 7; ++j) {
            const double y = m.CurvaVazao[j], psi = m.CurvaPressao[j];
            const double x = std::log(1000 * psi / (y * y));
            EXPECT_NEAR(Polinomio(m.PolVazao, x) / y, 1.0, 1e-3) << j;
            EXPECT_NEAR(Polinomio(m.PolRend, y), m.CurvaRend[j], 0.05) << j;
            if (j > 1 && j < 7) {
                EXPECT_GT(x, m.XMin) << j;
                EXPECT_LT(x, m.XMax) << j;
            }
            if (j > 1) {   // pressure falls and flow rises along the stable branch
                EXPECT_GT(y, m.CurvaVazao[j - 1]);
                EXPECT_LT(psi, m.CurvaPressao[j - 1]);
            }
        }
    }
}

TEST_F(Amostra, DeveresTipicosDaoPontosRealistas) {
    struct Dever {
        const char *codigo;
        double vazao, pressao;
        int menor, maior;            // size of the most efficient point
        double rpmMin, rpmMax, rendMin, rendMax, kwMin, kwMax, lwaMin, lwaMax;
    };
    const Dever deveres[] = {
        {"BSD", 10000, 50, 560, 800, 700, 1300, 75, 85, 1.7, 2.5, 80, 98},
        {"SCD", 3000, 30, 315, 500, 500, 1100, 50, 65, 0.3, 0.7, 70, 95},
        {"AXI", 40000, 25, 800, 1400, 500, 1200, 70, 85, 3.5, 6.5, 80, 100},
        {"RSD", 5000, 250, 500, 800, 1400, 2500, 60, 75, 4.0, 6.5, 90, 110},
        {"GTD", 20000, 150, 710, 1000, 900, 1600, 82, 90, 8.5, 12.0, 85, 105},
        {"BDD", 30000, 60, 710, 1120, 500, 1000, 75, 85, 5.5, 8.0, 80, 100},
    };
    for (const Dever &dv : deveres) {
        SCOPED_TRACE(dv.codigo);
        Carrega(dv.codigo);
        const auto r = Qualificados(G().Modelo, dv.vazao, dv.pressao);
        EXPECT_GE(r.size(), 4u);
        const Ponto b = MaisEficiente(r);
        EXPECT_GE(b.tamanho, dv.menor);
        EXPECT_LE(b.tamanho, dv.maior);
        EXPECT_GE(b.rotacao, dv.rpmMin);
        EXPECT_LE(b.rotacao, dv.rpmMax);
        EXPECT_GE(b.rendimento, dv.rendMin);
        EXPECT_LE(b.rendimento, dv.rendMax);
        EXPECT_GE(b.potencia, dv.kwMin);
        EXPECT_LE(b.potencia, dv.kwMax);
        EXPECT_GE(b.lwa, dv.lwaMin);
        EXPECT_LE(b.lwa, dv.lwaMax);
        for (const Ponto &p : r)
            EXPECT_GT(p.rendimento, 40) << p.tamanho;
    }
}

TEST_F(Amostra, GruposDeMotores) {
    struct Grupo {
        int sincrona2, maiorMin, maiorMax;
    };
    const Grupo grupos[6] = {{3600, 300, 400}, {3600, 3, 4}, {3000, 300, 400},
                             {3600, 300, 400}, {3600, 300, 400}, {3600, 75, 150}};
    QString erro;
    for (int g = 1; g <= 6; ++g) {
        SCOPED_TRACE(g);
        ASSERT_TRUE(CarregaMotores(kDados, g, &erro)) << erro.toStdString();
        const auto &mot = G().Motores;
        ASSERT_GT(G().NumMotores, 5);
        EXPECT_LE(G().NumMotores, 35);
        EXPECT_GE(mot[G().NumMotores].Potencia, grupos[g - 1].maiorMin);
        EXPECT_LE(mot[G().NumMotores].Potencia, grupos[g - 1].maiorMax);
        if (g != 6) {
            EXPECT_DOUBLE_EQ(mot[1].Potencia, 0.12);
        }
        for (int m = 1; m <= 35; ++m) {
            if (m > G().NumMotores) {
                EXPECT_EQ(mot[m].Potencia, 0.0);
                continue;
            }
            if (m > 1) {
                EXPECT_GT(mot[m].Potencia, mot[m - 1].Potencia);
            }
            for (int p = 1; p <= 4; ++p) {
                const TPoloMotor &pm = mot[m].PoloMotor[p];
                EXPECT_EQ(pm.Carcaca.isEmpty(), pm.RotacaoMotor == 0) << m << "/" << p;
                if (pm.RotacaoMotor == 0)
                    continue;
                const int polos = 2 * p, sincrona = grupos[g - 1].sincrona2 * 2 / polos;
                EXPECT_LT(pm.RotacaoMotor, sincrona) << m << "/" << p;
                EXPECT_GT(pm.RotacaoMotor, sincrona * 0.9) << m << "/" << p;
            }
            EXPECT_FALSE(mot[m].PoloMotor[2].Carcaca.isEmpty()) << m; // every power has a 4-pole version
        }
    }
    // Part of the usual searches in group 1.
    ASSERT_TRUE(CarregaMotores(kDados, 1, &erro));
    EXPECT_TRUE(ProcuraMotor(2.0));
    EXPECT_DOUBLE_EQ(G().Motores[G().MotorEscolhido].Potencia, 2.2);
    EXPECT_TRUE(ProcuraMotor(7.5));
    EXPECT_DOUBLE_EQ(G().Motores[G().MotorEscolhido].Potencia, 7.5);
    EXPECT_EQ(G().Motores[G().MotorEscolhido].PoloMotor[1].Carcaca, QStringLiteral("132S"));
    EXPECT_FALSE(ProcuraMotor(1000));
    EXPECT_EQ(G().MotorEscolhido, 0);
    EXPECT_FALSE(CarregaMotores(kDados, 7, &erro));
}

TEST_F(Amostra, AcessoriosEArranjos) {
    QString erro;
    ASSERT_TRUE(CarregaAcessorios(kDados, &erro)) << erro.toStdString();
    QSet<QString> codigos;
    int pec = 0, gab = 0;
    for (int c = 1; c <= 45; ++c) {
        const TAcessorio &a = G().Acessorios[c];
        EXPECT_FALSE(a.CodAcessorio.trimmed().isEmpty()) << c;
        EXPECT_FALSE(a.NomeAcessorio.trimmed().isEmpty()) << c;
        EXPECT_FALSE(codigos.contains(a.CodAcessorio)) << a.CodAcessorio.toStdString();
        codigos.insert(a.CodAcessorio);
        if (a.CodAcessorio == QLatin1String("PEC"))
            pec = c;
        if (a.CodAcessorio == QLatin1String("GAB"))
            gab = c;
    }
    for (const char *c : {"BU", "BR", "QR", "PEC", "GAB", "MM", "PG06", "PG16", "PG17", "PF", "FM", "FP", "ISO",
                          "LFD", "CFD", "FLD", "COX", "PREC", "RGD", "RVD", "TLD", "SP06", "SP16", "SP17", "VZA"})
        EXPECT_TRUE(codigos.contains(QLatin1String(c))) << c;
    ASSERT_GT(pec, 0);
    ASSERT_GT(gab, 0);
    EXPECT_EQ(G().Acessorios[4].CodAcessorio, QStringLiteral("BU"));
    EXPECT_EQ(G().Acessorios[4].NomeAcessorio, QStringLiteral("Base única"));

    auto indice = [&](const char *cod) {
        for (int c = 1; c <= 45; ++c)
            if (G().Acessorios[c].CodAcessorio == QLatin1String(cod))
                return c;
        return 0;
    };
    for (const char *codigo : {"BSD", "BDD", "GTD", "RSD", "AXI", "SCD"}) {
        SCOPED_TRACE(codigo);
        Carrega(codigo);
        const TDadosModelo &m = G().Modelo;
        const bool gabinete = QLatin1String(codigo) == "BSD" || QLatin1String(codigo) == "GTD";
        bool algum = false;
        for (int k = 1; k <= 8; ++k) {
            int n = 0;
            for (int c = 1; c <= 45; ++c)
                n += m.AcessArranjo[k][c];
            if (!m.ArranjoModelo[k].Disponivel) {
                EXPECT_EQ(n, 0) << Arranjos[k];
                continue;
            }
            EXPECT_GE(n, 20) << Arranjos[k];
            algum = algum || m.AcessArranjo[k][gab];
            if (k == ArranjoDireto) {   // no belt, no motor base on direct coupling
                EXPECT_FALSE(m.AcessArranjo[k][indice("BU")]);
                EXPECT_FALSE(m.AcessArranjo[k][indice("BR")]);
                EXPECT_FALSE(m.AcessArranjo[k][indice("PREC")]);
            }
        }
        EXPECT_EQ(algum, gabinete);
    }
}

TEST_F(Amostra, FatoresEPrecos) {
    QString erro;
    ASSERT_TRUE(CarregaFatores(kDados, &erro)) << erro.toStdString();
    const TFatores &f = G().Fatores;
    EXPECT_EQ(f.AliquotaICMS[1], 18.0);
    EXPECT_EQ(f.AliquotaICMS[2], 12.0);
    EXPECT_EQ(f.AliquotaICMS[3], 7.0);
    EXPECT_EQ(f.AliquotaICMS[4], 4.0);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_GT(f.FatorVent[i], 0.8);
        EXPECT_GT(f.FatorMotor[i], 0.8);
    }
    EXPECT_FALSE(f.Pagamento.isEmpty());
    EXPECT_TRUE(f.Frete.startsWith(QLatin1String("FOB")));
    EXPECT_GT(f.Validade, 0);
    EXPECT_GT(f.Entrega, 0);

    int marcadores[4] = {};
    for (const char *codigo : {"BSD", "BDD", "GTD", "RSD", "AXI", "SCD"}) {
        SCOPED_TRACE(codigo);
        const int p = Carrega(codigo);
        ASSERT_TRUE(CarregaPrecoModelo(kDados, p, &erro)) << erro.toStdString();
        const TDadosModelo &m = G().Modelo;
        for (int k = 1; k <= 8; ++k) {
            if (!m.ArranjoModelo[k].Disponivel)
                continue;
            double anterior = 0;
            for (int i = 1; i <= 23; ++i) {
                const double preco = G().PrecoModelo.Arranjo[k].PrecoVent[i];
                if (preco < 0)
                    ++marcadores[static_cast<int>(-preco)];
                if (!m.Existe[i]) {
                    EXPECT_EQ(preco, -3.0) << Arranjos[k] << " " << Tamanhos[i];
                } else if (preco > 0) {
                    EXPECT_GT(preco, anterior) << Arranjos[k] << " " << Tamanhos[i];
                    anterior = preco;
                }
            }
        }
        for (int c = 1; c <= 45; ++c) {
            const double preco = G().PrecoModelo.Arranjo[1].PrecoAcess[12][c];
            if (preco < 0)
                ++marcadores[static_cast<int>(-preco)];
        }
    }
    EXPECT_GT(marcadores[1], 0);
    EXPECT_GT(marcadores[2], 0);
    EXPECT_GT(marcadores[3], 0);

    for (int g = 0; g < 6; ++g) {
        ASSERT_TRUE(CarregaPrecoMotores(kDados, g, &erro)) << erro.toStdString();
        EXPECT_GT(G().PrecoMotores.Preco[1][2], 0) << g;
    }
    EXPECT_FALSE(CarregaPrecoMotores(kDados, 6, &erro));
}
