#pragma once
// Sample quotations for the tests and benchmarks:
// - MontaOrcamento: items selected by the engine on the sample catalogue and
//   confirmed as the arrangement, motor and configuration windows confirm
//   them, with a fixed header and date;
// - OrcamentoCheio: every byte in use, an image the program could have written.

#include "catalogue/binario.h"
#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "quotation/arquivo_orc.h"
#include "quotation/orcamento.h"
#include "selection/arranjo.h"
#include "shell/estado.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>

namespace quellora::teste {

inline const struct {
    const char *tag;
    int qtd;
    const char *descricao;
    double vazao, pressao, temperatura, altitude;
} DeveresExemplo[] = {
    {"EX-01", 2, "Exaustão cozinha", 12000, 60, 20, 0},
    {"IN-02", 1, "Insuflamento galpão", 8000, 45, 35, 760},
    {"EX-03", 4, "Exaustão pintura", 5000, 80, 40, 0},
    {"VE-04", 1, "Ventilação painéis", 3000, 25, 20, 0},
    {"EX-05", 3, "Exaustão forno", 15000, 90, 120, 0},
    {"IN-06", 2, "Pressurização escada", 20000, 35, 20, 900},
    {"EX-07", 1, "Exaustão banheiros", 2500, 20, 20, 0},
};

// Loads what the proposal reads from the catalogue and fills the quotation
// with the first n duties (cycling through them), each selected on BSD at
// its most efficient size. False when the catalogue cannot be read.
inline bool MontaOrcamento(const QString &dirDados, int n) {
    ResetaEstado();
    auto &g = G();
    g.DirDados = dirDados;
    g.DirCatalogo = dirDados;
    QStringList linhas;
    if (!CarregaAcessorios(dirDados) || !CarregaFatores(dirDados) || !CarregaMotores(dirDados, 1) ||
        !ListaModelos(dirDados, linhas))
        return false;
    const auto bsd = static_cast<int>(linhas.indexOf(QRegularExpression(QStringLiteral("BSD .*"))));
    if (bsd < 0 || !CarregaModelo(dirDados, bsd) || !CarregaPrecoModelo(dirDados, bsd))
        return false;
    auto &o = g.Orcamento;
    o.NumOrc = QStringLiteral("0012/03");
    o.Numero = 12;
    o.Data = DateTimeParaData(QDateTime(QDate(2003, 1, 13), QTime(10, 30)));
    const char *operador[6] = {"Dravolin Brum Vendas SP", "Rua das Palmeiras, 120", "São Paulo - SP",
                               "(11) 3333-4444", "vendas.sp@dravolinbrum.com.br", "Marina Souza"};
    for (int i = 0; i < 6; ++i)
        o.OperadorOrc[i] = QString::fromUtf8(operador[i]);
    o.Cliente = QStringLiteral("Metalúrgica Andrade Ltda.");
    o.Contato = QStringLiteral("Eng. Paulo Andrade");
    o.Fone = QStringLiteral("(19) 3241-5500 ");
    o.Fax = QStringLiteral("(19) 3241-5501");
    o.email = QStringLiteral("paulo@andrade.com.br");
    o.Projeto = QStringLiteral("Ampliação da fábrica de Campinas");
    o.FatoresOrc = g.Fatores;
    o.ICMS = 2;
    o.descontoV = 5;
    o.Obs1 = QStringLiteral("Preços válidos para pedido único.");
    o.Obs2 = QStringLiteral("Motores WEG ou equivalente.");
    for (int k = 1; k <= n; ++k) {
        const auto &d = DeveresExemplo[(k - 1) % std::size(DeveresExemplo)];
        TItemOrc &it = g.Itens[k];
        it = TItemOrc{};
        it.RefTag = QString::fromUtf8(d.tag);
        it.Qtd = d.qtd;
        it.Descricao = QString::fromUtf8(d.descricao);
        it.Vazao = g.VazaoCalc = d.vazao;
        it.Pressao = g.PressaoCalc = d.pressao;
        it.Temperatura = d.temperatura;
        it.Altitude = d.altitude;
        it.DensidadeItem = g.Densidade = DensidadeDoAr(d.temperatura, d.altitude);
        g.SoTamanho = false;
        g.ModeloCalc = bsd;
        CalculaModeloCarregado();
        const TResultadoGrade &r = g.Resultado;
        const int i = TamanhoDestaque(r);
        if (i == 0)
            return false;
        const int arranjo = std::max(1, IndiceDoArranjo(r.ArranjosTam[i].section(QLatin1Char('/'), 0, 0)));
        GravaArranjo(it, LinhaDaGrade(r, i, DensidadeRef(it.Altitude)), r, g.Modelo, g.PrecoModelo, arranjo, false);
        it.Linha = g.Modelo.Codigo.left(4);
        it.IndModelo = it.RegModelo = bsd;
        it.Posicao = QStringLiteral("LG 0");

        // Every fourth item goes without motor; the third is special.
        it.ComMotor = true;
        it.SemMotor = k % 4 == 0;
        if (!it.SemMotor) {
            ProcuraMotor(it.MotorSugerido);
            it.PotMotor = g.Motores[std::max(1, g.MotorEscolhido)].Potencia;
            it.Polos = 2 * std::max(1, r.PolosTam[i] / 2);
            it.Tensao = QStringLiteral("3F 220/380V");
            it.Frequencia = QStringLiteral("60 Hz");
            it.Protecao = QStringLiteral("IP55");
            it.MotorEspecial = k % 7 == 3;
            it.PrecoMotor = 1500.0 + 250.0 * k;
        }
        // Belts and guard on all, anti-vibration mounts on odd items.
        it.Configurado = true;
        it.AcessSel[0] = it.AcessSel[2] = it.AcessSel[3] = true;
        it.AcessSel[7] = k % 2 == 1;
        it.PrecoAcess = 420.0;
    }
    g.NumItens = g.Orcamento.NumItensOrc = n;
    return true;
}

// The quotation in force as its file image, and back.
inline TArquivoOrc ArquivoDoOrcamento() {
    const auto &g = G();
    TArquivoOrc a;
    a.Orcamento = g.Orcamento;
    for (int k = 1; k <= g.NumItens; ++k)
        a.Itens.push_back(g.Itens[k]);
    return a;
}
inline void ColocaOrcamento(const TArquivoOrc &a) {
    auto &g = G();
    g.Orcamento = a.Orcamento;
    g.NumItens = static_cast<int>(a.Itens.size());
    for (int k = 1; k <= g.NumItens; ++k)
        g.Itens[k] = a.Itens[static_cast<std::size_t>(k - 1)];
}

// Header and items filled from a byte pattern, unused bytes included, then
// passed once through the writer: counted texts longer than their fields
// read back cut, so only then does the image read back as itself.
inline TArquivoOrc OrcamentoCheio(int itens = MaxItens) {
    QByteArray b(static_cast<qsizetype>(TOrcamento::TamanhoRegistro + TItemOrc::TamanhoRegistro * itens), '\0');
    for (qsizetype i = 0; i < b.size(); ++i)
        b[i] = static_cast<char>((i * 7 + i / 1716 + 3) & 0xFF);
    GravadorBinario(b).integer(632, itens);
    TArquivoOrc a, c;
    (void)ArquivoOrcDeBytes(b, QString(), a, nullptr);
    (void)ArquivoOrcDeBytes(ArquivoOrcParaBytes(a), QString(), c, nullptr);
    return c;
}

} // namespace quellora::teste
