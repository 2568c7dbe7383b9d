#include "selection/arranjo.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "quotation/orcamento.h"
#include "shell/estado.h"

#include <cmath>

namespace quellora {

const QString MsgAcoplamentoDireto =
    QStringLiteral("Para acoplamento direto você deverá\r\ninformar a rotação se confirmar a opção.");

QString MsgRotacaoInvalida(const QString &texto) {
    return QStringLiteral("A rotação informada [") + texto + QStringLiteral("] não é válida!");
}

const Faixa<int, 1, 8> RotacoesMotor = {{3500, 1750, 1150, 850, 3000, 1500, 1000, 750}};

namespace {

using ld = long double;

bool IndiceValido(int i) { return i >= 1 && i <= 23; }

} // namespace

TCaixasArranjo CaixasIniciais() {
    TCaixasArranjo c;
    const int tags[NumCaixasArranjo] = {1, 2, 3, 4, 6, 7, 8, 2, 5};
    for (int n = 1; n <= NumCaixasArranjo; ++n)
        c[n].Tag = tags[n - 1];
    return c;
}

int CaixaDoArranjo(int k, int pagina) {
    if (k < 1 || k > 8)
        return 0;
    if (pagina == PAG_DUPLA)
        return k == 2 ? 8 : k == 5 ? 9 : k;
    return k < 6 ? k : k - 1;
}

TCaixasArranjo CaixasHabilitadas(const QString &lista, int pagina, const TDadosModelo &m, int i) {
    TCaixasArranjo c = CaixasIniciais();
    for (const QString &d : lista.split(QLatin1Char('/'))) {
        const int k = IndiceDoArranjo(d);
        const int n = CaixaDoArranjo(k, pagina);
        if (n < 1)
            continue;
        c[n].Habilitada = true;
        c[n].Tag = k;
    }
    const int rotMax = IndiceValido(i) ? m.ArranjoModelo[ArranjoDireto].RotMaxTam[i] : 0;
    if (c[3].Habilitada && rotMax <= 0)
        c[3].Habilitada = false;
    return c;
}

bool ArranjoDiretoNaPagina(int tag, int pagina) {
    if (pagina == PAG_DUPLA)
        return tag == 5;
    return tag == 3 || tag == 4 || tag == 8;
}

TDeverDireto EscalaDireto(double vazaoEntrada, double pressaoPadrao, double densidade, int entradas, double g) {
    const ld gg = static_cast<ld>(g);
    TDeverDireto d;
    d.VazaoEntrada = static_cast<double>(static_cast<ld>(vazaoEntrada) * gg);
    d.VazaoDireto = static_cast<double>(static_cast<ld>(d.VazaoEntrada) * entradas);
    d.PressaoPadrao = static_cast<double>(static_cast<ld>(pressaoPadrao) * gg * gg);
    // The static pressure at the duty's density that the rescaled standard
    // pressure stands for. On a first rescale this is g² times the item's
    // pressure; on a second one it follows the speed already in force.
    d.PressaoDireto =
        densidade > 0 ? static_cast<double>(static_cast<ld>(d.PressaoPadrao) * densidade / DensidadePadrao) : 0.0;
    return d;
}

TDeverDireto DeverNaRotacao(const TResultadoGrade &r, double densidade, int entradas, double rotAtual, int rotacao) {
    const double fator = rotAtual > 0 ? static_cast<double>(static_cast<ld>(rotacao) / static_cast<ld>(rotAtual)) : 0.0;
    return EscalaDireto(r.VazaoEntrada, r.PressaoPadrao, densidade, entradas, fator);
}

bool PreparaDireto(const QString &dirDados, int i, int novaRotacao, double rotAtual, int escolha, QString *erro) {
    TEstado &g = G();
    const int k = g.ItemAtual;
    if (k < 1 || k > MaxItens || !IndiceValido(i) || !(rotAtual > 0)) {
        if (erro)
            *erro = QStringLiteral("Não há tamanho escolhido para o acoplamento direto.");
        return false;
    }
    if (!CarregaMotores(dirDados, 1, erro))
        return false;
    TItemOrc &it = g.Itens[k];
    it.Polos = escolha % 4;
    it.FreqDireto = escolha / 4;
    const TDeverDireto d = DeverNaRotacao(g.Resultado, g.Densidade, g.Modelo.Entradas, rotAtual, novaRotacao);
    g.Resultado.VazaoEntrada = d.VazaoEntrada;
    it.VazaoDireto = d.VazaoDireto;
    g.PressaoCalc = d.PressaoDireto;
    it.PressaoDireto = d.PressaoDireto;
    g.Resultado.PressaoPadrao = d.PressaoPadrao;
    g.TamanhoUnico = i;
    g.SoTamanho = true;
    return true;
}

bool DeverReescalado() {
    const TEstado &g = G();
    if (g.Modelo.Entradas < 1)
        return false;
    const double proprio = static_cast<double>(static_cast<ld>(g.VazaoCalc) / static_cast<ld>(g.Modelo.Entradas));
    return std::fabs(g.Resultado.VazaoEntrada - proprio) > 1e-9 * std::max(1.0, std::fabs(proprio));
}

void PreparaDeverDoItem(int i) {
    TEstado &g = G();
    const int k = g.ItemAtual;
    if (k >= 1 && k <= MaxItens)
        g.PressaoCalc = g.Itens[k].Pressao;
    // As a full calculation starts.
    if (g.Modelo.Entradas >= 1)
        g.Resultado.VazaoEntrada =
            static_cast<double>(static_cast<ld>(g.VazaoCalc) / static_cast<ld>(g.Modelo.Entradas));
    if (g.Densidade > 0)
        g.Resultado.PressaoPadrao =
            static_cast<double>(static_cast<ld>(g.PressaoCalc) * DensidadePadrao / static_cast<ld>(g.Densidade));
    g.TamanhoUnico = i;
    g.SoTamanho = true;
}

void GravaArranjo(TItemOrc &it, const TLinhaGrade &linha, const TResultadoGrade &r, const TDadosModelo &modelo,
                  const TPrecoModelo &precos, int k, bool direto) {
    const int i = linha.Indice;
    const bool valido = IndiceValido(i);
    it.Arranjo = k;
    it.Selecionado = true;
    it.IndiceTam = i;
    it.RotMax = valido ? static_cast<std::int32_t>(std::trunc(r.RotMaxArr[i])) : 0;
    it.Tamanho = linha.Tamanho;
    it.Rotacao = static_cast<std::int32_t>(std::trunc(linha.Rotacao));
    it.VelDescarga = linha.Velocidade;
    it.VelPeriferica = linha.VelPeriferica;
    it.Pot20 = valido ? r.PotPadraoTam[i] : 0;
    it.PotOp = valido ? r.PotOpTam[i] : 0;
    it.PTotal20 = valido ? r.PTotalPadrao[i] : 0;
    it.PTotalOp = valido ? r.PTotalReal[i] : 0;
    it.PEst20 = r.PressaoPadrao;
    it.Rendimento = static_cast<std::int32_t>(std::trunc(linha.Rendimento));
    it.PwOp = linha.PotOp;
    it.PwSt = linha.Pot20;
    // Pole choice 1..4 for 2, 4, 6, 8 poles.
    it.PolosSug = direto ? it.Polos + 1 : (valido ? r.PolosTam[i] / 2 : 0);
    it.MotorIni = valido ? r.MotorTam[i] : 0;
    it.MotorSugerido = linha.PotMotor;
    it.LwTot = valido ? r.LwTotTam[i] : 0;
    it.LwA = valido ? r.LwATam[i] : 0;
    it.IndEspectro = valido ? r.IndEspectroTam[i] : 0;
    // The chart's correction of the size: its efficiency discount, negated.
    it.CorrecaoRend = valido ? -DescontoRendimento(modelo, i) : 0;
    it.Direto = direto;
    it.PrecoVent = (valido && k >= 1 && k <= 8) ? precos.Arranjo[k].PrecoVent[i] : 0;
    // Without a sound row the bands carry no row correction.
    const int f = it.IndEspectro;
    for (int b = 1; b <= 8; ++b)
        it.LwBanda[b] = it.LwA + ((f >= 1 && f <= 69) ? modelo.Espectro[f].Banda[b] : 0.0);
}

void IniciaBlocoComercial() {
    TEstado &g = G();
    if (g.Orcamento.FatoresOrc.Entrega != 0)
        return;
    g.Orcamento.FatoresOrc = g.Fatores;
    g.Orcamento.Iniciado = true;
    CopiaOperador();
}

} // namespace quellora
