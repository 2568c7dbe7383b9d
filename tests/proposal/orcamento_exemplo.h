#pragma once
// Quotations for the proposal's tests and benchmark: items selected by the
// engine on the sample catalogue and filled as a confirmed arrangement, the
// motor and the accessories fill them, with a fixed header and date.

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "catalogue/binario.h"
#include "quotation/arquivo_orc.h"
#include "quotation/orcamento.h"
#include "selection/calculo.h"
#include "shell/estado.h"

#include <QDateTime>
#include <QStringList>

namespace quellora::teste {

// One duty of the example: tag, quantity, description, flow, pressure,
// temperature, altitude.
struct Dever {
    const char *tag;
    int qtd;
    const char *descricao;
    double vazao, pressao, temperatura, altitude;
};

inline const Dever DeveresExemplo[] = {
    {"EX-01", 2, "Exaustão cozinha", 12000, 60, 20, 0},
    {"IN-02", 1, "Insuflamento galpão", 8000, 45, 35, 760},
    {"EX-03", 4, "Exaustão pintura", 5000, 80, 40, 0},
    {"VE-04", 1, "Ventilação painéis", 3000, 25, 20, 0},
    {"EX-05", 3, "Exaustão forno", 15000, 90, 120, 0},
    {"IN-06", 2, "Pressurização escada", 20000, 35, 20, 900},
    {"EX-07", 1, "Exaustão banheiros", 2500, 20, 20, 0},
};

// The header: office, client, commercial block of the sample factors.
inline void CabecalhoExemplo() {
    auto &g = G();
    auto &o = g.Orcamento;
    o.NumOrc = QStringLiteral("0012/03");
    o.Numero = 12;
    o.Data = DateTimeParaData(QDateTime(QDate(2003, 1, 13), QTime(10, 30)));
    const char *operador[6] = {"Quellora Vendas SP", "Rua das Palmeiras, 120", "São Paulo - SP",
                               "(11) 3333-4444", "vendas.sp@quellora.ind.br", "Marina Souza"};
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
}

// Loads what the proposal reads from the catalogue and fills the quotation
// with the first n duties (cycling through them), each selected on BSD at
// its most efficient size. False when the catalogue cannot be read.
inline bool MontaOrcamento(const QString &dirDados, int n) {
    ResetaEstado();
    auto &g = G();
    g.DirDados = dirDados;
    QStringList linhas;
    if (!CarregaAcessorios(dirDados) || !CarregaFatores(dirDados) || !CarregaMotores(dirDados, 1) ||
        !ListaModelos(dirDados, linhas))
        return false;
    int bsd = -1;
    for (int p = 0; p < linhas.size(); ++p)
        if (linhas[p].startsWith(QLatin1String("BSD")))
            bsd = p;
    if (bsd < 0 || !CarregaModelo(dirDados, bsd) || !CarregaPrecoModelo(dirDados, bsd))
        return false;
    CabecalhoExemplo();
    const int quantos = static_cast<int>(std::size(DeveresExemplo));
    for (int k = 1; k <= n; ++k) {
        const Dever &d = DeveresExemplo[(k - 1) % quantos];
        TItemOrc &it = g.Itens[k];
        it = TItemOrc{};
        it.RefTag = QString::fromUtf8(d.tag);
        it.Qtd = d.qtd;
        it.Descricao = QString::fromUtf8(d.descricao);
        it.Vazao = d.vazao;
        it.Pressao = d.pressao;
        it.Temperatura = d.temperatura;
        it.Altitude = d.altitude;
        it.DensidadeItem = DensidadeDoAr(d.temperatura, d.altitude);

        g.VazaoCalc = it.Vazao;
        g.PressaoCalc = it.Pressao;
        g.Densidade = it.DensidadeItem;
        g.SoTamanho = false;
        g.ModeloCalc = bsd;
        CalculaModeloCarregado();
        const TResultadoGrade &r = g.Resultado;
        const int i = TamanhoDestaque(r);
        if (i == 0)
            return false;
        const TLinhaGrade l = LinhaDaGrade(r, i, DensidadeRef(it.Altitude));
        it.Selecionado = true;
        it.Linha = g.Modelo.Codigo.left(4);
        it.IndModelo = it.RegModelo = bsd;
        it.Arranjo = std::max(1, IndiceDoArranjo(r.ArranjosTam[i].section(QLatin1Char('/'), 0, 0)));
        it.IndiceTam = i;
        it.Tamanho = l.Tamanho;
        it.RotMax = static_cast<int>(r.RotMaxArr[i]);
        it.Rotacao = static_cast<int>(l.Rotacao);
        it.VelDescarga = l.Velocidade;
        it.VelPeriferica = l.VelPeriferica;
        it.Pot20 = r.PotPadraoTam[i];
        it.PotOp = r.PotOpTam[i];
        it.PTotal20 = r.PTotalPadrao[i];
        it.PTotalOp = r.PTotalReal[i];
        it.PEst20 = r.PressaoPadrao;
        it.Rendimento = static_cast<int>(l.Rendimento);
        it.MotorSugerido = l.PotMotor;
        it.LwTot = r.LwTotTam[i];
        it.LwA = r.LwATam[i];
        it.IndEspectro = r.IndEspectroTam[i];
        for (int b = 1; b <= 8; ++b)
            it.LwBanda[b] = it.LwA + g.Modelo.Espectro[std::clamp(it.IndEspectro, 1, 69)].Banda[b];
        it.PrecoVent = g.PrecoModelo.Arranjo[it.Arranjo].PrecoVent[i];
        it.Posicao = QStringLiteral("LG 0");

        // Motor: every fourth item goes without one; the third is special.
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
        // Accessories: belts and guard on all, anti-vibration mounts on odd items.
        it.Configurado = true;
        it.AcessSel[0] = true;
        it.AcessSel[2] = it.AcessSel[3] = true;
        it.AcessSel[7] = k % 2 == 1;
        it.PrecoAcess = 420.0;
    }
    g.NumItens = n;
    g.Orcamento.NumItensOrc = n;
    return true;
}

// The quotation in force as its file image.
inline TArquivoOrc ArquivoDoOrcamento() {
    const auto &g = G();
    TArquivoOrc a;
    a.Orcamento = g.Orcamento;
    for (int k = 1; k <= g.NumItens; ++k)
        a.Itens.push_back(g.Itens[k]);
    return a;
}

} // namespace quellora::teste
