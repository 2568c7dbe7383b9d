#include "pricing/atualizacao.h"

#include "catalogue/catalogo.h"
#include "pricing/precos.h"
#include "quotation/orcamento.h"
#include "shell/estado.h"

#include <algorithm>

namespace quellora {

namespace {

// Lines are found by their position in the list of lines with data; the
// index behind it is filled when the selection window is created. A run
// without that window (the command line) fills it here.
bool GaranteIndiceModelos(const QString &dirDados, QString *erro) {
    for (int r = 0; r < MaxModelos; ++r)
        if (G().IndiceModelos[r].Ativo)
            return true;
    QStringList lista;
    return ListaModelos(dirDados, lista, erro);
}

bool TemBlocoDePreco(const TItemOrc &it) {
    return it.Arranjo >= 1 && it.Arranjo <= 8 && it.IndiceTam >= 1 && it.IndiceTam <= 23;
}

// The record of premot.dat that prices the item's motor, or -1 when the item
// has no motor of the maker's normal line.
//
// The price file holds one record per motor group, in the order of the
// groups of dadmot.dat: record 0 prices group 1 (IP55 60 Hz three-phase),
// record 5 group 6 (Dahlander), each record's row m being the m-th motor of
// its group. The motor window keeps the group it chose in the item as
// GrupoMotor, the group number minus 1 (-1 for a combination outside the
// line), so the record is GrupoMotor itself. (RegPrecoMotor, which the motor
// window sets to 255, names no record.)
int RegistroPrecoMotor(const TItemOrc &it) {
    if (!it.ComMotor || it.SemMotor || it.MotorEspecial)
        return -1;
    if (it.GrupoMotor < 0 || it.GrupoMotor >= NumGruposMotores)
        return -1;
    if (it.RegMotor < 1 || it.RegMotor > MotoresPorGrupo || it.Polos < 2 || it.Polos > 8 || it.Polos % 2 != 0)
        return -1;
    return it.GrupoMotor;
}

} // namespace

TLinhaRelatorio SeparaEstilo(const QString &linha) {
    const qsizetype i = linha.lastIndexOf(QLatin1Char('|'));
    if (i < 0)
        return {linha, QString()};
    return {linha.left(i), linha.mid(i + 1)};
}

bool AtualizaPrecos(const QString &dirDados, TRelatorioPrecos &rel, QString *erro) {
    auto &g = G();
    rel = TRelatorioPrecos{};
    const int n = std::clamp(g.NumItens, 0, MaxItens);
    if (n > 0 && !GaranteIndiceModelos(dirDados, erro))
        return false;

    const double fv = FatoresICMS(g.Orcamento.FatoresOrc, g.Orcamento.ICMS).FatorV;
    const double dv = MultDesconto(g.Orcamento.descontoV);
    const auto itensAntes = g.Itens;
    const int itemAntes = g.ItemAtual;
    auto desfaz = [&] {
        g.Itens = itensAntes;
        g.ItemAtual = itemAntes;
        rel = TRelatorioPrecos{};
        return false;
    };
    auto linha = [&](const QString &texto, bool falhou) {
        rel.Linhas << (falhou ? texto + QStringLiteral(" - ERRO|B") : texto + QStringLiteral(" - OK"));
        rel.Erro = rel.Erro || falhou;
    };

    for (int a = 1; a <= n; ++a) {
        g.ItemAtual = a;
        TItemOrc &it = g.Itens[a];
        // An item without a size and an arrangement has no prices to update.
        if (!it.Selecionado) {
            rel.Linhas << QStringLiteral("%1 - *** NÃO SELECIONADO ***|O").arg(a);
            continue;
        }
        if (!CarregaModelo(dirDados, it.IndModelo, erro) || !CarregaPrecoModelo(dirDados, it.RegModelo, erro))
            return desfaz();
        rel.Linhas << QStringLiteral("%1 - %2|O").arg(a).arg(LegendaModelo().mid(8));

        const bool temBloco = TemBlocoDePreco(it);
        const TPrecoModelo::Bloco *bloco = temBloco ? &g.PrecoModelo.Arranjo[it.Arranjo] : nullptr;

        const double pv = bloco ? bloco->PrecoVent[it.IndiceTam] : 0;
        if (pv > 0)
            it.PrecoVent = pv;
        linha(QStringLiteral("Ventilador"), !(pv > 0));

        double pm = 0;
        if (const int reg = RegistroPrecoMotor(it); reg >= 0) {
            if (!CarregaPrecoMotores(dirDados, reg, erro))
                return desfaz();
            pm = g.PrecoMotores.Preco[it.RegMotor][it.Polos / 2];
        }
        if (pm > 0) {
            it.PrecoListaMotor = pm;
            it.PrecoMotor = pm;
        }
        linha(QStringLiteral("Motor"), !(pm > 0));

        // Every accessory's price is stored, chosen or not, markers included.
        // The special accessories keep their own prices (the price files
        // have none for them) and stay in the total.
        if (bloco) {
            for (int k = 1; k <= NumAcessorios; ++k)
                it.PrecoAcessorio[k] = bloco->PrecoAcess[it.IndiceTam][k];
            it.PrecoAcess = SomaAcessorios(it, g.Orcamento.NumAcessEsp, fv, dv);
        }
        linha(QStringLiteral("Acessórios"), !bloco);
    }

    if (g.Orcamento.NumAcessEsp > 0) {
        rel.Linhas << QStringLiteral("Acessórios Especiais- ERRO|B");
        rel.Erro = true;
    }
    g.ItemAtual = 1;
    return true;
}

} // namespace quellora
