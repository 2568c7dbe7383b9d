#include "pricing/configuracao.h"

#include "catalogue/constantes.h"
#include "pricing/precos.h"
#include "shell/numeros.h"

#include <algorithm>
#include <array>

namespace quellora {

namespace {

// Navigation numbers of the windows the rules open.
enum : int {
    JanPosicao = 8,
    JanPosicaoBU = 9,
    JanMotor = 10,
    JanPosicao4 = 12,
    JanPosicao1 = 13,
    JanGab160a560 = 14,
    JanGab680a1000 = 15,
    JanAxial = 16,
};

constexpr std::array<const char *, 22> PermitidosComGabinete = {
    "MM", "PEC", "PG06", "PG16", "PG17", "GAB", "PF",  "FM",  "FP",   "ISO",  "LFD",
    "CFD", "FLD", "COX",  "PREC", "RGD",  "RVD", "TLD", "SP06", "SP16", "SP17", "VZA"};
constexpr std::array<const char *, 8> SaemComGabinete = {"PG06", "PG16", "PG17", "PF", "FM", "FP", "ISO", "VZA"};

template <std::size_t N>
bool Contem(const std::array<const char *, N> &codigos, const QString &codigo) {
    const QString c = codigo.trimmed();
    for (const char *k : codigos)
        if (c == QLatin1String(k))
            return true;
    return false;
}

bool LePreco(const QString &texto, double *p) { return LeNumero(texto, p); }

QString Arranjo(int k) { return k >= 0 && k <= 8 ? QString::fromLatin1(Arranjos[k]) : QString(); }

QString Codigo(const TListaAcessorios &l, int i) { return SeparaCampos(l.Texto(i)).Codigo.trimmed(); }

// Both entries unticked; the position with them.
void DesmarcaComPosicao(TListaAcessorios &l, TItemOrc &item, int base) {
    l.Marca(base, false);
    DesmarcaPosicao(l, item);
}

} // namespace

TCamposEntrada SeparaCampos(const QString &entrada) {
    const QStringList c = entrada.split(QLatin1Char('|'));
    TCamposEntrada r;
    r.Descricao = c.value(0);
    r.Codigo = c.value(1);
    r.Preco = c.value(2);
    bool ok = false;
    const int n = c.value(3).trimmed().toInt(&ok);
    r.Numero = ok ? n : 0;
    return r;
}

QString EntradaEspecial(const QString &descricao, double precoLista) {
    const QString marcador = MarcadorPreco(precoLista);
    const QString preco = marcador.isEmpty() ? FormataFloat(QStringLiteral("0.00"), precoLista) : marcador;
    return QStringLiteral("%1|%2|%3|0").arg(descricao, QString(), preco);
}

TListaAcessorios MontaAcessorios(const Faixa<TAcessorio, 1, 45> &acessorios, const TDadosModelo &modelo,
                                 const TPrecoModelo &precos, TItemOrc &item, const TOrcamento &orcamento) {
    TListaAcessorios l;
    l.Entradas.push_back({QString::fromUtf8(TextoEntradaMotor), item.ComMotor});
    const bool arranjoValido = item.Arranjo >= 1 && item.Arranjo <= 8;
    const bool tamanhoValido = item.IndiceTam >= 1 && item.IndiceTam <= 23;
    for (int k = 1; k <= 45; ++k) {
        const QString codigo = acessorios[k].CodAcessorio.trimmed();
        if (codigo == QLatin1String("PEC")) {
            l.IdxPosicao = l.Quantas();
            l.Entradas.push_back({QString::fromUtf8(TextoEntradaPosicao), !item.Posicao.isEmpty()});
        }
        if (!arranjoValido || !modelo.AcessArranjo[item.Arranjo][k])
            continue;
        const int idx = l.Quantas();
        if (codigo == QLatin1String("BU"))
            l.IdxBU = idx;
        else if (codigo == QLatin1String("BR"))
            l.IdxBR = idx;
        else if (codigo == QLatin1String("QR"))
            l.IdxQR = idx;
        else if (codigo == QLatin1String("GAB"))
            l.IdxGAB = idx;

        double preco = item.PrecoAcessorio[k];
        if (preco == 0 && tamanhoValido)
            preco = precos.Arranjo[item.Arranjo].PrecoAcess[item.IndiceTam][k];
        QString textoPreco = MarcadorPreco(preco);
        if (textoPreco.isEmpty() && preco < 0)
            textoPreco = FormataFloat(QStringLiteral("0.00"), 0);
        const QString inicio = (acessorios[k].NomeAcessorio + QLatin1Char('|') + acessorios[k].CodAcessorio +
                                QLatin1Char('|')).left(31);
        const bool incluso = textoPreco == QLatin1String("INC.");
        if (incluso)
            item.AcessSel[k] = true;
        l.Entradas.push_back({inicio + textoPreco + QLatin1Char('|') + QString::number(k), incluso || item.AcessSel[k]});
    }
    l.PrimeiroEspecial = l.Quantas();
    const int especiais = std::clamp(orcamento.NumAcessEsp, 0, MaxAcessEsp);
    for (int j = 0; j < especiais; ++j)
        l.Entradas.push_back({EntradaEspecial(orcamento.AcessEsp[j], item.AcessEspPrecoLista[j]),
                              item.AcessEspPrecoLista[j] != 0});
    return l;
}

bool CodigoPermitidoComGabinete(const QString &codigo) { return Contem(PermitidosComGabinete, codigo); }

bool CodigoSaiComGabinete(const QString &codigo) { return Contem(SaemComGabinete, codigo); }

bool AcessorioPermitido(const TListaAcessorios &l, int i) {
    if (i == 0 || i == l.IdxPosicao || i >= l.PrimeiroEspecial)
        return true;
    return CodigoPermitidoComGabinete(Codigo(l, i));
}

double PrecoVentilador(const TPrecoModelo &precos, int arranjo, int indiceTam) {
    if (arranjo < 1 || arranjo > 8 || indiceTam < 1 || indiceTam > 23)
        return 0;
    return precos.Arranjo[arranjo].PrecoVent[indiceTam];
}

QString TextoVentilador(const TItemOrc &item) {
    return QStringLiteral("%1 %2 / %3").arg(NomeLinha(item)).arg(item.Tamanho).arg(Arranjo(item.Arranjo));
}

TConfiguracaoObtida AtualizaConfiguracao(const TListaAcessorios &l, TItemOrc &item, const TFatoresPreco &f) {
    TConfiguracaoObtida r;
    item.Configurado = true;
    const long double fator = static_cast<long double>(f.FatorV) * f.MultDescV;
    long double soma = 0;
    if (l.Marcado(l.IdxPosicao))
        r.Linhas.push_back({QStringLiteral("Posição"), item.Posicao, QString()});
    for (int i = 1; i < l.Quantas(); ++i) {
        if (i == l.IdxPosicao)
            continue;
        const TCamposEntrada c = SeparaCampos(l.Texto(i));
        const bool especial = l.Especial(i);
        const int j = i - l.PrimeiroEspecial;
        const int k = c.Numero;
        const bool catalogo = !especial && k >= 1 && k <= 45;
        if (!l.Marcado(i)) {
            if (especial && j < MaxAcessEsp)
                item.AcessEspPreco[j] = 0;
            else if (catalogo)
                item.AcessSel[k] = false;
            continue;
        }
        TLinhaConfig linha{c.Descricao, c.Codigo, QString()};
        double p = 0;
        const bool numero = LePreco(c.Preco, &p);
        if (especial && j < MaxAcessEsp) {
            if (numero) {
                item.AcessEspPreco[j] = p;
                soma += round2(static_cast<double>(p * fator));
            } else {
                // A special accessory priced by a marker ("S.C.") is chosen
                // and counts nothing.
                item.AcessEspPreco[j] = item.AcessEspPrecoLista[j];
                linha.Preco = c.Preco;
            }
        } else if (catalogo) {
            item.AcessSel[0] = true;
            item.AcessSel[k] = true;
            if (numero) {
                item.PrecoAcessorio[k] = p;
                soma += round2(static_cast<double>(p * fator));
            } else {
                linha.Preco = c.Preco;
            }
        }
        r.Linhas.push_back(linha);
    }
    if (item.ComMotor) {
        const QString m = item.MotorEspecial ? QStringLiteral("*") : QString();
        if (item.SemMotor) {
            r.Linhas.push_back({QStringLiteral("Motor"), QStringLiteral("Sem Motor"), QString()});
        } else {
            r.Linhas.push_back({QStringLiteral("Motor"),
                                m + FormataFloat(QStringLiteral("0.00"), item.PotMotor) + QStringLiteral(" kW / ") +
                                    QString::number(item.Polos) + QStringLiteral(" P"),
                                QString()});
            r.Linhas.push_back({QString(), m + item.Tensao, QString()});
            r.Linhas.push_back({QString(), m + item.Frequencia + QStringLiteral(" / ") + item.Protecao, QString()});
            item.PrecoMotor = item.PrecoListaMotor;
            r.PrecoMotorLiq =
                static_cast<double>(static_cast<long double>(item.PrecoMotor) * f.FatorM * f.MultDescM);
        }
    }
    r.SomaAcess = static_cast<double>(soma);
    item.PrecoAcess = r.SomaAcess;
    return r;
}

void RecalculaAcessorios(Faixa<TItemOrc, 0, 40> &itens, int numItens, int numAcessEsp, double fatorV,
                         double multDescV) {
    for (int a = 1; a <= std::min(numItens, 40); ++a)
        itens[a].PrecoAcess = SomaAcessorios(itens[a], numAcessEsp, fatorV, multDescV);
}

void DesmarcaPosicao(TListaAcessorios &l, TItemOrc &item) {
    l.Marca(l.IdxPosicao, false);
    item.Posicao.clear();
    item.ExigeQuadro = false;
}

TEfeitoMarcacao MarcacaoAlterada(TListaAcessorios &l, TItemOrc &item, int i, bool &posicaoExigeQuadro,
                                 const std::function<bool()> &confirmaGabinete) {
    TEfeitoMarcacao e;
    if (i < 0 || i >= l.Quantas())
        return e;
    const bool marcado = l.Marcado(i);
    if (l.Especial(i)) {
        const int j = i - l.PrimeiroEspecial;
        if (j < MaxAcessEsp) {
            // Kept in the item: a special accessory has no price of its own
            // in the catalogue, so it is chosen "on request".
            item.AcessEspPrecoLista[j] = marcado ? (item.AcessEspPrecoLista[j] != 0 ? item.AcessEspPrecoLista[j] : -2) : 0;
            const TCamposEntrada c = SeparaCampos(l.Texto(i));
            l.Entradas[static_cast<std::size_t>(i)].Texto = EntradaEspecial(c.Descricao, item.AcessEspPrecoLista[j]);
        }
    }
    e.Alterado = true;

    // The motor: ticking it opens the motor window; unticking forgets the motor.
    if (i == 0) {
        if (marcado) {
            e.Retorno = true;
            e.Janela = JanMotor;
            return e;
        }
        const bool tinhaMotor = item.ComMotor && !item.SemMotor;
        item.ComMotor = false;
        // Direct coupling keeps the pole choice (0..3) until a motor is confirmed.
        if (item.Direto && tinhaMotor)
            item.Polos = item.Polos / 2 - 1;
        e.Atualiza = true;
    }

    if (item.ComGabinete && !AcessorioPermitido(l, i)) {
        e.Mensagens << QString::fromUtf8(MsgGabineteNaoPermitido);
        l.Marca(i, false);
        e.Atualiza = true;
        return e;
    }

    if (i == l.IdxGAB) {
        if (marcado) {
            if (confirmaGabinete && !confirmaGabinete()) {
                l.Marca(i, false);
                return e;
            }
            DesmarcaPosicao(l, item);
            for (int n = 1; n < l.Quantas(); ++n)
                if (l.Marcado(n) && !AcessorioPermitido(l, n))
                    l.Marca(n, false);
        } else {
            DesmarcaPosicao(l, item);
            for (int n = 1; n < l.Quantas(); ++n)
                if (l.Marcado(n) && !l.Especial(n) && CodigoSaiComGabinete(Codigo(l, n)))
                    l.Marca(n, false);
        }
        item.ComGabinete = l.Marcado(i);
        e.Gabinete = true;
        e.Atualiza = true;
        return e;
    }

    const bool posicao = i == l.IdxPosicao;
    if (posicao && !marcado) {
        // Unticked by hand: the item has no position any more.
        if (l.IdxBU == l.IdxBR)
            l.Marca(l.IdxBU, false);
        DesmarcaPosicao(l, item);
        e.Atualiza = true;
        return e;
    }
    if (posicao && item.ComGabinete) {
        e.Retorno = true;
        e.Janela = item.Tamanho >= 630 ? JanGab680a1000 : JanGab160a560;
        return e;
    }
    if (posicao && item.Axial) {
        e.Retorno = true;
        e.Janela = JanAxial;
        return e;
    }
    if (posicao && (item.Direto || item.Arranjo == 1)) {
        e.Retorno = true;
        e.Janela = item.Arranjo == 1 ? JanPosicao1 : JanPosicao4;
        e.Atualiza = true;
        return e;
    }
    if (i == l.IdxQR) {
        if (!marcado && item.ExigeQuadro) {
            e.Mensagens << QString::fromUtf8(MsgQuadro);
            l.Marca(i, true);
        }
        e.Atualiza = true;
        return e;
    }
    if (i == l.IdxBU) {
        if (l.IdxBU == l.IdxBR) {
            DesmarcaPosicao(l, item);
        } else if (l.Marcado(l.IdxBR) || l.Marcado(l.IdxPosicao)) {
            DesmarcaComPosicao(l, item, l.IdxBR);
            e.Mensagens << QString::fromUtf8(MsgBaseRegulavelDesmarcada);
        }
        e.Atualiza = true;
        return e;
    }
    if (i == l.IdxBR) {
        if (l.Marcado(l.IdxBU) || l.Marcado(l.IdxPosicao)) {
            DesmarcaComPosicao(l, item, l.IdxBU);
            e.Mensagens << QString::fromUtf8(MsgBaseUnicaDesmarcada);
        }
        e.Atualiza = true;
        return e;
    }
    if (posicao) {
        if (l.IdxBU == l.IdxBR || l.Marcado(l.IdxBU) || l.Marcado(l.IdxBR)) {
            e.Retorno = true;
            if (l.IdxBU == l.IdxBR)
                l.Marca(l.IdxBU, true);
            posicaoExigeQuadro = false;
            e.Janela = l.Marcado(l.IdxBU) ? JanPosicaoBU : JanPosicao;
        } else {
            l.Marca(i, false);
            e.Mensagens << QString::fromUtf8(MsgEscolhaBase);
        }
        e.Atualiza = true;
        return e;
    }
    e.Atualiza = true;
    return e;
}

} // namespace quellora
