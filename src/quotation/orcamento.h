#pragma once
// Operations on the quotation being edited (the shared Orcamento and Itens).

#include <QString>

namespace quellora {

struct TItemOrc;

inline constexpr int MaxItens = 40;

// Empty quotation: no items, ICMS -1, today's date, the operator's data.
void LimpaOrcamento();
// The operator's first six fields into the header (not the representative).
void CopiaOperador();
// First initialisation of the commercial block; only while Entrega = 0.
void IniciaCondicoes(int icms);
// Densidade from TempDens (°C) and AltDens (m).
void CalculaDensidade();
// Air density, kg/m³, of air at t °C and h m.
double DensidadeDoAr(double t, double h);
// Item k keeps its duty (with its fans in parallel and the system's fixed
// pressure) and loses its selection, motor, accessories and prices.
void ResetaItem(int k);
// Items k+1..40 move one place up; element 40 becomes zero. NumItens unchanged.
void RemoveItem(int k);
// "Modelo: ABC 450-4" for the current item and the line in use.
QString LegendaModelo();
// The item ItemAtual points at, or null when it points at none.
TItemOrc *ItemCorrente();
// ValorTotal from the items and the factors of the last proposal drawing.
double CalculaValorTotal();

} // namespace quellora
