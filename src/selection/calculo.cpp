#include "selection/calculo.h"

#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "shell/estado.h"

#include <array>
#include <cmath>
#include <numbers>

namespace quellora {

const QString MsgSemDados = QStringLiteral("Este modelo ainda não possui dados para cálculos!");
const QString MsgForaDosLimites =
    QStringLiteral("Características de desempenho ultrapassam limites desta linha.\n\r"
                   "Tente outro modelo de ventilador, consulte a fábrica ou verifique a entrada de dados.");
const QString MsgSemEspectro = QStringLiteral("Conversão para espectro sonoro não encontrada!");

namespace {

using ld = long double;

// A value the table can hold and later steps can use: not NaN, not infinite.
bool Finito(ld x) { return std::isfinite(x); }

// c0 + c1 x + ... + c6 x^6, as the line record gives it.
ld Polinomio(const Faixa<double, 0, 6> &c, ld x) {
    ld soma = 0, pot = 1;
    for (int j = 0; j <= 6; ++j) {
        soma += static_cast<ld>(c[j]) * pot;
        pot *= x;
    }
    return soma;
}

void Avisa(const Avisador &avisar, AvisoCalculo tipo, const QString &texto, int tamanho = 0) {
    if (avisar)
        avisar(tipo, texto, tamanho);
}

// One pass over the sizes of the mode in force.
struct Passo {
    int primeiro, ultimo;
};

Passo TamanhosDoModo(const TEstado &g) {
    if (g.SoTamanho) {
        // A size index outside the table computes nothing.
        if (g.TamanhoUnico < 1 || g.TamanhoUnico > 23)
            return {1, 0};
        return {g.TamanhoUnico, g.TamanhoUnico};
    }
    return {1, 23};
}

ld Diametro(int i) { return static_cast<ld>(Tamanhos[i]) / 1000.0L; }

// Powers and logarithms of the 23 diameters, worked out once: the same
// extended values every calculation would otherwise recompute per size.
struct TabelaTamanhos {
    Faixa<ld, 1, 23> d3, d4, d01, log10D;
    TabelaTamanhos() {
        for (int i = 1; i <= 23; ++i) {
            const ld d = Diametro(i);
            d3[i] = d * d * d;
            d4[i] = d * d * d * d;
            d01[i] = std::pow(d, 0.1L);
            log10D[i] = std::log10(static_cast<ld>(Tamanhos[i]));
        }
    }
};

const TabelaTamanhos &Tab() {
    static const TabelaTamanhos t;
    return t;
}

// The admissible designations joined by "/", direct coupling last, cut to
// the 10 characters of the field. The few combinations that occur are kept,
// so that the table shares their texts; each thread keeps its own, so that
// threads computing at once neither race on the cache nor share the texts'
// reference counts.
const QString &TextoDosArranjos(unsigned correia, bool direto) {
    thread_local std::array<QString, 1024> feitos;
    thread_local std::array<bool, 1024> pronto{};
    const unsigned chave = (correia & 0x1FFu) | (direto ? 0x200u : 0u);
    if (!pronto[chave]) {
        QString s;
        for (int k = 1; k <= 8; ++k)
            if (correia & (1u << k))
                s += QLatin1String(Arranjos[k]) + QLatin1Char('/');
        if (direto)
            s += QLatin1String(Arranjos[ArranjoDireto]) + QLatin1Char('/');
        s.chop(1);
        feitos[chave] = s.left(10);
        pronto[chave] = true;
    }
    return feitos[chave];
}

// Drops size i from the count of qualifying sizes.
void Desqualifica(TResultadoGrade &r, int i) {
    r.Qualificado[i] = false;
    r.NumQualificados -= 1;
}

// A duty and line the sizes can be computed for: a density above zero, flow
// and pressure that are numbers, at least one inlet.
bool DadosValidos(const TEstado &g) {
    return g.Densidade > 0 && Finito(g.Densidade) && Finito(g.Resultado.VazaoEntrada) &&
           Finito(g.Resultado.PressaoPadrao) && g.Modelo.Entradas >= 1;
}

// Existence and outlet velocity.
void Passo2(TEstado &g, Passo p) {
    const TDadosModelo &m = g.Modelo;
    TResultadoGrade &r = g.Resultado;
    const ld e = m.Entradas;
    const bool validos = DadosValidos(g);
    for (int i = p.primeiro; i <= p.ultimo; ++i) {
        if (!m.Existe[i] || !validos) {
            r.Qualificado[i] = false;
            continue;
        }
        const ld area = static_cast<ld>(m.AreaDescarga[i]) / e;
        r.AreaEntrada[i] = static_cast<double>(area);
        // A size without an outlet area (or a line without inlets) cannot
        // carry the duty. Recomputing one size must not leave it qualified
        // from the earlier calculation either.
        if (!(area > 0) || !Finito(area)) {
            r.Qualificado[i] = false;
            continue;
        }
        r.Velocidade[i] = static_cast<double>(static_cast<ld>(r.VazaoEntrada) / 3600.0L / area);
        if (Finito(r.Velocidade[i]) && m.VelMax[i] >= r.Velocidade[i]) {
            r.Qualificado[i] = true;
            r.NumQualificados += 1;
        } else {
            r.Qualificado[i] = false;
        }
    }
}

// Total pressure and the duty parameter X.
void Passo3(TEstado &g, Passo p) {
    const TDadosModelo &m = g.Modelo;
    TResultadoGrade &r = g.Resultado;
    r.NumQualificados = 0;
    for (int i = p.primeiro; i <= p.ultimo; ++i) {
        if (!r.Qualificado[i])
            continue;
        const ld v = r.Velocidade[i];
        r.PTotalPadrao[i] = static_cast<double>(0.061L * v * v + static_cast<ld>(r.PressaoPadrao));
        r.PTotalReal[i] = static_cast<double>(static_cast<ld>(r.PTotalPadrao[i]) * g.Densidade / Densidade20);
        const ld q = r.VazaoEntrada;
        r.X[i] = static_cast<double>(std::log(Tab().d4[i] * static_cast<ld>(r.PTotalPadrao[i]) * 1.0e9L / (q * q)));
        // The limits are exclusive; an X that is no number is outside them too.
        if (!(r.X[i] < m.XMax && r.X[i] > m.XMin) || !Finito(r.PTotalReal[i]))
            r.Qualificado[i] = false;
        else
            r.NumQualificados += 1;
    }
}

// Speed and admissible arrangements.
void Passo4(TEstado &g, Passo p) {
    const TDadosModelo &m = g.Modelo;
    TResultadoGrade &r = g.Resultado;
    for (int i = p.primeiro; i <= p.ultimo; ++i) {
        if (!r.Qualificado[i])
            continue;
        r.Y[i] = static_cast<double>(Polinomio(m.PolVazao, r.X[i]));
        r.RotBase[i] = static_cast<double>(static_cast<ld>(r.VazaoEntrada) / Tab().d3[i] / static_cast<ld>(r.Y[i]));
        r.RotacaoTam[i] = static_cast<double>(static_cast<ld>(r.RotBase[i]) / static_cast<ld>(m.FatorRot[i]));
        // A flow coefficient or speed divisor of zero or below gives no speed
        // the fan can run at.
        if (!(r.Y[i] > 0) || !(r.RotacaoTam[i] > 0) || !Finito(r.RotacaoTam[i])) {
            Desqualifica(r, i);
            continue;
        }
        unsigned correia = 0; // bit k: belt arrangement k admissible
        bool direto = false;
        for (int k = 1; k <= 8; ++k) {
            r.ArranjoTeste = k;
            const TArranjoModelo &a = m.ArranjoModelo[k];
            if (a.Disponivel && a.RotMaxTam[i] >= r.RotacaoTam[i]) {
                if (k == ArranjoDireto)
                    direto = true;
                else
                    correia |= 1u << k;
                if (a.RotMaxTam[i] > r.RotMaxArr[i])
                    r.RotMaxArr[i] = a.RotMaxTam[i];
            }
        }
        // Direct coupling always comes last, and is offered with every belt
        // arrangement when the line has it at all.
        const bool comDireto = direto || (correia != 0 && m.ArranjoModelo[ArranjoDireto].Disponivel);
        if (correia == 0 && !comDireto) {
            Desqualifica(r, i);
            continue;
        }
        r.ArranjosTam[i] = TextoDosArranjos(correia, comDireto);
    }
}

// Efficiency and absorbed power.
void Passo5(TEstado &g, Passo p) {
    const TDadosModelo &m = g.Modelo;
    TResultadoGrade &r = g.Resultado;
    const ld e = m.Entradas;
    for (int i = p.primeiro; i <= p.ultimo; ++i) {
        if (!r.Qualificado[i])
            continue;
        r.DescontoRend[i] = DescontoRendimento(m, i);
        r.RendTam[i] = static_cast<double>(Polinomio(m.PolRend, r.Y[i]) - static_cast<ld>(r.DescontoRend[i]));
        r.PotPadraoTam[i] = static_cast<double>(e * r.VazaoEntrada * static_cast<ld>(r.PTotalPadrao[i]) / 75.0L /
                                                3600.0L / (0.01L * r.RendTam[i]) / 1.36L);
        r.PotOpTam[i] = static_cast<double>(static_cast<ld>(r.PotPadraoTam[i]) * g.Densidade / DensidadePadrao);
        // No efficiency, no power: such a size is not offered.
        if (!(r.RendTam[i] > 0) || !Finito(r.RendTam[i]) || !Finito(r.PotOpTam[i]) || !Finito(r.PotPadraoTam[i]))
            Desqualifica(r, i);
    }
}

// Motor power, poles, sound, motor search.
void Passo6(TEstado &g, Passo p, const Avisador &avisar) {
    const TDadosModelo &m = g.Modelo;
    TResultadoGrade &r = g.Resultado;
    TItemOrc *item = (g.ItemAtual >= 0 && g.ItemAtual <= 40) ? &g.Itens[g.ItemAtual] : nullptr;
    // Terms of the sound law that do not depend on the size's speed.
    const ld log10DiamRef = std::log10(static_cast<ld>(m.DiamRef));
    const ld termoDensidade = 20.0L * std::log10(static_cast<ld>(g.Densidade) / Densidade20);
    for (int i = p.primeiro; i <= p.ultimo; ++i) {
        if (!r.Qualificado[i])
            continue;
        const ld n = r.RotacaoTam[i];
        const ld pot = r.PotOpTam[i];
        if (m.PotLimite > pot)
            r.PotMotorTam[i] = static_cast<double>((1.0L + m.MargemAbaixo / 100.0L) * pot);
        else
            r.PotMotorTam[i] = static_cast<double>((1.0L + m.MargemAcima / 100.0L) * pot);

        r.PolosTam[i] = PolosDaRotacao(static_cast<double>(n));

        r.IndEspectroTam[i] = 0;
        for (int j = 3 * i - 2; j <= 3 * i; ++j) {
            if (n <= m.Espectro[j].RotLimite) {
                r.IndEspectroTam[i] = j;
                break;
            }
        }
        if (r.IndEspectroTam[i] == 0)
            Avisa(avisar, AvisoCalculo::SemEspectro, MsgSemEspectro, i);

        ld l = 70.0L * (Tab().log10D[i] - log10DiamRef) + 50.0L * std::log10(n / static_cast<ld>(m.RotRef)) +
               termoDensidade + Polinomio(m.PolSom, r.Y[i]);
        if (m.Entradas == 2)
            l += 3;
        // Without a sound row the level has no row corrections.
        const int f = r.IndEspectroTam[i];
        const ld corrLwA = f > 0 ? m.Espectro[f].CorrLwA : 0.0;
        const ld difLw = f > 0 ? m.Espectro[f].DifLw : 0.0;
        r.LwATam[i] = static_cast<double>(l + corrLwA);
        r.LwTotTam[i] = static_cast<double>(static_cast<ld>(r.LwATam[i]) + difLw);
        // A line whose sound law cannot be evaluated (reference diameter or
        // speed of zero) gives no level: the size is not offered.
        if (!Finito(r.LwATam[i]) || !Finito(r.LwTotTam[i]) || !Finito(r.PotMotorTam[i])) {
            Desqualifica(r, i);
            continue;
        }

        r.MotorTam[i] = 0;
        r.RotMotorTam[i] = 0;
        if (ProcuraMotor(g, r.PotMotorTam[i])) {
            const int mot = g.MotorEscolhido;
            r.MotorTam[i] = mot;
            r.PotMotorTam[i] = g.Motores[mot].Potencia;
            if (g.SoTamanho) {
                // Direct coupling: the pole choice 0..3 made with the motor speed.
                const int polo = item ? item->Polos : -1;
                r.PolosTam[i] = polo;
                if (polo >= 0 && polo <= 3) {
                    r.RotMotorTam[i] = g.Motores[mot].PoloMotor[polo + 1].RotacaoMotor;
                    if (item)
                        item->RotMotor = r.RotMotorTam[i];
                }
            } else if (item) {
                item->FreqDireto = 0;
            }
        }
    }
}

} // namespace

double DensidadeRef(double altitude) {
    const ld r = 760.0L * 13.6L * std::exp(-0.116L * 0.001L * static_cast<ld>(altitude)) / 29.27L / 293.0L;
    return static_cast<double>(r);
}

int PolosDaRotacao(double n) { return n > 2700 ? 2 : n > 500 ? 4 : n > 300 ? 6 : 8; }

double DescontoRendimento(const TDadosModelo &m, int i) {
    if (i < 1 || i > 23)
        return 0;
    const ld ref = m.RendRef;
    return static_cast<double>(ref - (100.0L - (0.5L / Tab().d01[i] + static_cast<ld>(m.CorrRend[i])) * (100.0L - ref)));
}

bool VerificaQualificados(const TResultadoGrade &r, const Avisador &avisar, bool &falhou) {
    if (r.NumQualificados != 0)
        return false;
    Avisa(avisar, AvisoCalculo::ForaDosLimites, MsgForaDosLimites);
    falhou = true;
    return true;
}

TFimCalculo CalculaModeloCarregado(const Avisador &avisar) { return CalculaModeloCarregado(G(), avisar); }

TFimCalculo CalculaModeloCarregado(TEstado &g, const Avisador &avisar) {
    TFimCalculo fim;
    if (!g.SoTamanho) {
        if (!g.Modelo.TemDados) {
            Avisa(avisar, AvisoCalculo::SemDados, MsgSemDados);
            return fim;
        }
        g.Resultado = TResultadoGrade{};
        TResultadoGrade &r = g.Resultado;
        // A line without inlets or a duty without density gives no number
        // here; the table keeps zeros and no size qualifies.
        if (g.Modelo.Entradas >= 1)
            r.VazaoEntrada = static_cast<double>(static_cast<ld>(g.VazaoCalc) / static_cast<ld>(g.Modelo.Entradas));
        if (g.Densidade > 0)
            r.PressaoPadrao =
                static_cast<double>(static_cast<ld>(g.PressaoCalc) * DensidadePadrao / static_cast<ld>(g.Densidade));
    }
    const Passo p = TamanhosDoModo(g);
    Passo2(g, p);
    if (VerificaQualificados(g.Resultado, avisar, fim.Falhou))
        return fim;
    Passo3(g, p);
    if (VerificaQualificados(g.Resultado, avisar, fim.Falhou))
        return fim;
    Passo4(g, p);
    if (VerificaQualificados(g.Resultado, avisar, fim.Falhou))
        return fim;
    Passo5(g, p);
    if (VerificaQualificados(g.Resultado, avisar, fim.Falhou))
        return fim;
    Passo6(g, p, avisar);
    if (VerificaQualificados(g.Resultado, avisar, fim.Falhou))
        return fim;
    fim.Concluido = true;
    return fim;
}

TFimCalculo CalculaTamanhos(const QString &dirDados, const Avisador &avisar) {
    TEstado &g = G();
    if (!g.SoTamanho) {
        QString erro;
        if (!CarregaModelo(dirDados, g.ModeloCalc, &erro)) {
            Avisa(avisar, AvisoCalculo::ErroArquivo, erro);
            return {};
        }
    }
    return CalculaModeloCarregado(avisar);
}

double VelocidadePeriferica(const TResultadoGrade &r, int i) {
    return static_cast<double>(Diametro(i) * std::numbers::pi_v<ld> * static_cast<ld>(r.RotacaoTam[i]) / 60.0L);
}

double PTotal20(const TResultadoGrade &r, int i, double rho20) {
    return static_cast<double>(static_cast<ld>(r.PTotalPadrao[i]) / Densidade20 * static_cast<ld>(rho20));
}

double PotAbs20(const TResultadoGrade &r, int i, double rho20) {
    return static_cast<double>(static_cast<ld>(r.PotPadraoTam[i]) / Densidade20 * static_cast<ld>(rho20));
}

TLinhaGrade LinhaDaGrade(const TResultadoGrade &r, int i, double rho20) {
    TLinhaGrade l;
    l.Tamanho = Tamanhos[i];
    l.Arranjos = r.ArranjosTam[i];
    l.Rotacao = r.RotacaoTam[i];
    l.Velocidade = r.Velocidade[i];
    l.VelPeriferica = VelocidadePeriferica(r, i);
    l.PTotal20 = PTotal20(r, i, rho20);
    l.Rendimento = r.RendTam[i];
    l.PotOp = r.PotOpTam[i];
    l.Pot20 = PotAbs20(r, i, rho20);
    l.PotMotor = r.PotMotorTam[i];
    l.Indice = i;
    l.LwA = r.LwATam[i];
    return l;
}

int TamanhoDestaque(const TResultadoGrade &r) {
    double melhor = 0;
    int destaque = 0;
    for (int i = 1; i <= 23; ++i) {
        if (r.Qualificado[i] && r.RendTam[i] > melhor) {
            melhor = r.RendTam[i];
            destaque = i;
        }
    }
    return destaque;
}

} // namespace quellora
