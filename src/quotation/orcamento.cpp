#include "quotation/orcamento.h"

#include "catalogue/constantes.h"
#include "shell/estado.h"

#include <QDateTime>

#include <cmath>

namespace quellora {

void LimpaOrcamento() {
    auto &g = G();
    for (int k = 0; k <= MaxItens; ++k)
        g.Itens[k] = TItemOrc{};
    g.ItemAtual = 0;
    g.NumItens = 0;
    g.Orcamento = TOrcamento{};
    g.Orcamento.ICMS = -1;
    g.Orcamento.Data = DateTimeParaData(QDateTime::currentDateTime());
    CopiaOperador();
    g.ArqOrc.clear();
}

void CopiaOperador() {
    auto &g = G();
    for (int i = 0; i <= 5; ++i)
        g.Orcamento.OperadorOrc[i] = CortaStr(g.Operador[i], 40);
}

void IniciaCondicoes(int icms) {
    auto &g = G();
    if (g.Orcamento.FatoresOrc.Entrega != 0)
        return;
    CopiaOperador();
    g.Orcamento.FatoresOrc = g.Fatores;
    g.Orcamento.ICMS = icms;
    g.Orcamento.Data = DateTimeParaData(QDateTime::currentDateTime());
}

double DensidadeDoAr(double t, double h) {
    long double r = 760.0L * 13.6L * std::exp(-0.116L * 0.001L * static_cast<long double>(h)) /
                    (29.27L * (static_cast<long double>(t) + 273.0L));
    return static_cast<double>(r);
}

void CalculaDensidade() {
    auto &g = G();
    g.Densidade = DensidadeDoAr(g.TempDens, g.AltDens);
}

void ResetaItem(int k) {
    auto &g = G();
    if (k < 1 || k > MaxItens)
        return;
    g.Itens[0] = g.Itens[k];
    const TItemOrc &o = g.Itens[0];
    TItemOrc novo;
    novo.RefTag = o.RefTag;
    novo.Qtd = o.Qtd;
    novo.Descricao = o.Descricao;
    novo.Vazao = o.Vazao;
    novo.Pressao = o.Pressao;
    novo.Temperatura = o.Temperatura;
    novo.Altitude = o.Altitude;
    novo.DensidadeItem = o.DensidadeItem;
    novo.Ventiladores = o.Ventiladores;
    novo.PressaoFixa = o.PressaoFixa;
    // The duty fields' bytes come back too, so the image matches the fields.
    auto copia = [&](std::size_t off, std::size_t n) {
        for (std::size_t i = off; i < off + n; ++i)
            novo.bruto[i] = o.bruto[i];
    };
    copia(1, 11);   // RefTag
    copia(12, 4);   // Qtd
    copia(16, 41);  // Descricao
    copia(676, 8);  // Vazao
    copia(744, 8);  // Pressao
    copia(776, 24); // Temperatura, Altitude, DensidadeItem
    g.Itens[k] = novo;
}

void RemoveItem(int k) {
    auto &g = G();
    if (k < 1 || k > MaxItens)
        return;
    for (int i = k; i <= MaxItens - 1; ++i)
        g.Itens[i] = g.Itens[i + 1];
    g.Itens[MaxItens] = TItemOrc{};
}

QString LegendaModelo() {
    const auto &g = G();
    const int k = g.ItemAtual;
    const TItemOrc &it = g.Itens[(k >= 0 && k <= MaxItens) ? k : 0];
    const QString arranjo =
        (it.Arranjo >= 0 && it.Arranjo <= 8) ? QString::fromLatin1(Arranjos[it.Arranjo]) : QString();
    return QStringLiteral("Modelo: ") + g.Modelo.Codigo.left(4) + QLatin1Char(' ') + QString::number(it.Tamanho) +
           QLatin1Char('-') + arranjo;
}

TItemOrc *ItemCorrente() {
    auto &g = G();
    return (g.ItemAtual >= 1 && g.ItemAtual <= MaxItens) ? &g.Itens[g.ItemAtual] : nullptr;
}

double CalculaValorTotal() {
    auto &g = G();
    long double equipamento = 0, motores = 0;
    for (int k = 1; k <= g.NumItens && k <= MaxItens; ++k) {
        const TItemOrc &it = g.Itens[k];
        equipamento += static_cast<long double>(it.Qtd) *
                       (static_cast<long double>(it.PrecoVent) * g.FatorVProposta * g.MultDescVProposta + it.PrecoAcess);
        motores += static_cast<long double>(it.Qtd) * it.PrecoMotor * g.FatorMProposta * g.MultDescMProposta;
    }
    g.ValorTotal = static_cast<double>(equipamento + motores);
    return g.ValorTotal;
}

} // namespace quellora
