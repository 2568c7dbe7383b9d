#pragma once
// A fan line small enough to follow by hand, and a motor group, written to a
// temporary data directory.
//
// Only size 17 (D = 1000 mm, so d = 1 m) exists: outlet area 1 m², VelMax
// 20 m/s, FatorRot 1, no size correction of efficiency (RendRef 80 and
// CorrRend 0.5 give 80 − (100 − 1 × 20) = 0). Y is the constant 10, the
// efficiency the constant 80 %, the sound base level the constant 100 dB at
// the reference diameter 1000 mm and reference speed 1000 1/min. So a flow
// of Q m³/h runs at Q / 10 1/min.
//
// Arrangement "1" up to 2000 1/min, direct coupling ("4") up to 800 1/min.
// Sound rows of size 17: 49 up to 800, 50 up to 1200 (CorrLwA −5, DifLw +3),
// 51 up to 5000. Motor margin 20 % below 10 kW, 10 % above.

#include "catalogue/arquivos.h"
#include "catalogue/catalogo.h"
#include "catalogue/tipos.h"
#include "shell/estado.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace quellora::teste {

inline TDadosModelo LinhaMao() {
    TDadosModelo m;
    m.TemDados = true;
    m.Codigo = QStringLiteral("MAO");
    m.DescModelo = QStringLiteral("LINHA DE MAO");
    m.Entradas = 1;
    m.DiamRef = 1000;
    m.RotRef = 1000;
    m.Existe[17] = true;
    m.AreaDescarga[17] = 1.0;
    m.FatorRot[17] = 1.0;
    m.CorrRend[17] = 0.5;
    m.VelMax[17] = 20;
    m.XMax = 100;
    m.XMin = -100;
    m.VelPerifMin = 10;
    m.PolVazao[0] = 10;
    m.PolRend[0] = 80;
    m.PolSom[0] = 100;
    m.RendRef = 80;
    m.ArranjoModelo[1].Disponivel = true;
    m.ArranjoModelo[1].RotMaxTam[17] = 2000;
    m.ArranjoModelo[3].Disponivel = true;
    m.ArranjoModelo[3].RotMaxTam[17] = 800;
    m.Espectro[49].RotLimite = 800;
    m.Espectro[50].RotLimite = 1200;
    m.Espectro[50].CorrLwA = -5;
    m.Espectro[50].DifLw = 3;
    m.Espectro[51].RotLimite = 5000;
    m.PotLimite = 10;
    m.MargemAbaixo = 20;
    m.MargemAcima = 10;
    // Characteristic of the chart: flow and pressure coefficients, efficiency.
    for (int j = 1; j <= 7; ++j) {
        m.CurvaVazao[j] = 0.125 * j;
        m.CurvaPressao[j] = 8.0 - j;
        m.CurvaRend[j] = 60 + j;
    }
    return m;
}

// Motor group 1: 0.75 .. 7.5 kW, rated speeds 3500/1750/1150/850.
inline std::vector<TDadosMotor> MotoresMao() {
    std::vector<TDadosMotor> v;
    for (double p : {0.75, 1.1, 1.5, 2.2, 3.0, 4.0, 5.5, 7.5}) {
        TDadosMotor m;
        m.Potencia = p;
        const int rot[] = {3500, 1750, 1150, 850};
        for (int k = 1; k <= 4; ++k)
            m.PoloMotor[k].RotacaoMotor = rot[k - 1];
        v.push_back(m);
    }
    v.resize(35);
    return v;
}

// Writes the lines (in record order) and the motors into dir.
inline void GravaCatalogo(const QString &dir, const std::vector<TDadosModelo> &linhas,
                          const std::vector<TDadosMotor> &motores = MotoresMao()) {
    QByteArray mod, mot;
    for (const auto &l : linhas)
        mod += ParaBytes(l);
    for (const auto &m : motores)
        mot += ParaBytes(m);
    QString erro;
    ASSERT_TRUE(GravaArquivoAtomico(CaminhoEm(dir, QString::fromLatin1(ArqModelos)), mod, &erro)) << qPrintable(erro);
    ASSERT_TRUE(GravaArquivoAtomico(CaminhoEm(dir, QString::fromLatin1(ArqMotores)), mot, &erro)) << qPrintable(erro);
}

} // namespace quellora::teste
