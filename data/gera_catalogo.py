#!/usr/bin/env python3
"""Generates data/catalogo.json, the sample catalogue shipped with Quellora.

    python3 data/gera_catalogo.py              writes data/catalogo.json
    python3 data/gera_catalogo.py --verifica   also prints the duty checks

Standard library only. Every number of the catalogue comes from this file;
data/README.md explains the derivation.

Conventions of the fan-line records
-----------------------------------
Q  flow per inlet, m3/h        d  impeller diameter, m (size number / 1000)
n  speed, 1/min                p  total pressure at 1.205 kg/m3, mmCA

    Y   = Q / (d^3 n FatorRot)                      flow coefficient
    psi = p / (d^2 (n FatorRot)^2 1e-6)             pressure coefficient
    X   = ln(1e9 d^4 p / Q^2) = ln(1000 psi / Y^2)  duty parameter

FatorRot is 1 for every size: the sizes of a line are geometrically similar,
so Y and psi are plain similarity coefficients referred to d^3 n and d^2 n^2.
They relate to the usual coefficients referred to tip speed u = pi d n / 60
and to the impeller disc pi d^2 / 4 by

    phi   = Y   * KQ,   KQ = 240 / (3600 pi^2)
    psi_u = psi * KP,   KP = 2 * 9.80665 * 3600e-6 / (1.205 pi^2)

with psi_u = 2 dp / (rho u^2). Each line is first described by its
characteristic in (phi, psi_u, eta), written around the best-efficiency
point (phi_b, psi_b, eta_b) with s = phi / phi_b:

    psi_u(s) = psi_b (P - c (s - s_p)^2),  c = (P - 1) / (1 - s_p)^2
    eta(s)   = eta_b (1 - g (s - 1)^2 - h (s - 1)^3)

(s_p: the pressure peak; P: peak pressure relative to the BEP). The usable
range s_lo..s_hi lies right of the peak; XMax and XMin are the duty
parameters at its ends.
"""

import json
import math
import os
import sys
from fractions import Fraction

AQUI = os.path.dirname(os.path.abspath(__file__))

TAMANHOS = [160, 180, 200, 225, 250, 280, 315, 355, 400, 450, 500, 560, 630,
            710, 800, 900, 1000, 1120, 1250, 1400, 1600, 1800, 2000]
ARRANJOS = ["1", "3", "4", "4K", "7", "8", "9", "10"]   # indices 1..8
BANDAS = [63, 125, 250, 500, 1000, 2000, 4000, 8000]
PONDERACAO_A = [-26.2, -16.1, -8.6, -3.2, 0.0, 1.2, 1.0, -1.1]

KQ = 240.0 / (3600.0 * math.pi ** 2)
KP = 2 * 9.80665 * 3600e-6 / (1.205 * math.pi ** 2)

# --- Fan lines ------------------------------------------------------------
#
# phi_b, psi_b, eta_b: best-efficiency point (tip-speed coefficients, %).
# s_p, P: pressure peak; s_lo..s_hi: usable (stable) range; g, h: eta shape.
# area: outlet area of the whole fan over d^2. vel_max: outlet velocity limit.
# tipo_ue, categoria_ue: fan type and measurement category of the EU fan regulation.
# kw_b: specific sound power at the BEP, dB (Lw = Kw + 10 lg Q[m3/s] + 20 lg dp[Pa]),
#       rising by kw_k (s - 1)^2 off the BEP. pas: blade count (blade-passing tone).
# umax: tip-speed limit, m/s, per available arrangement; teto: speed cap, 1/min.
LINHAS = [
    dict(Codigo="BSD", DescModelo="SIMPLES ASPIRAÇÃO", perda160=6.5, Entradas=1,
         phi_b=0.22, psi_b=0.95, eta_b=85.0, s_p=0.50, P=1.12, s_lo=0.55, s_hi=1.60,
         g=0.85, h=0.35, area=0.58, vel_max=25, vel_perif_min=15,
         kw_b=34.0, kw_k=10.0, pas=10, faixas_u=(30.0, 55.0), tom=3.0,
         existe=(200, 2000), margens=(10, 15, 20),
         umax={"1": 75, "4": 60, "8": 85, "9": 75, "10": 65},
         maxdireto=1120, preco_base=9000.0,
         tipo_ue="centrifugo-tras", categoria_ue="B",
         paint=True, gabinete=True),
    dict(Codigo="BDD", DescModelo="DUPLA ASPIRAÇÃO", perda160=6.5, Entradas=2,
         phi_b=0.21, psi_b=0.95, eta_b=84.0, s_p=0.50, P=1.12, s_lo=0.55, s_hi=1.60,
         g=0.85, h=0.35, area=1.10, vel_max=25, vel_perif_min=15,
         kw_b=34.0, kw_k=10.0, pas=10, faixas_u=(30.0, 55.0), tom=3.0,
         existe=(315, 2000), margens=(10, 15, 20),
         umax={"3": 75, "7": 85},
         maxdireto=0, preco_base=14500.0,
         tipo_ue="centrifugo-tras", categoria_ue="B",
         paint=True, gabinete=False),
    dict(Codigo="GTD", DescModelo="AEROFÓLIO", perda160=5.5, Entradas=1,
         phi_b=0.22, psi_b=1.00, eta_b=89.0, s_p=0.55, P=1.10, s_lo=0.60, s_hi=1.55,
         g=1.00, h=0.40, area=0.62, vel_max=28, vel_perif_min=15,
         kw_b=32.0, kw_k=10.0, pas=12, faixas_u=(35.0, 60.0), tom=2.0,
         existe=(355, 2000), margens=(10, 15, 20),
         umax={"1": 80, "3": 90, "4": 65, "7": 95, "9": 75},
         maxdireto=1250, preco_base=12500.0,
         tipo_ue="centrifugo-aerofolio", categoria_ue="D",
         paint=True, gabinete=True),
    dict(Codigo="RSD", DescModelo="PÁS RADIAIS", perda160=7.0, Entradas=1,
         phi_b=0.08, psi_b=1.15, eta_b=72.0, s_p=0.35, P=1.10, s_lo=0.40, s_hi=1.80,
         g=0.60, h=0.10, area=0.30, vel_max=30, vel_perif_min=20,
         kw_b=40.0, kw_k=6.0, pas=8, faixas_u=(40.0, 70.0), tom=6.0,
         existe=(250, 1250), margens=(20, 20, 25),
         umax={"1": 80, "8": 95, "9": 70},
         maxdireto=0, preco_base=11000.0,
         tipo_ue="centrifugo-radial", categoria_ue="D",
         paint=True, gabinete=False),
    dict(Codigo="AXI", DescModelo="AXIAL", perda160=7.0, Entradas=1,
         phi_b=0.25, psi_b=0.26, eta_b=80.0, s_p=0.70, P=1.25, s_lo=0.75, s_hi=1.30,
         g=3.00, h=0.00, area=0.75, vel_max=30, vel_perif_min=15,
         kw_b=36.0, kw_k=20.0, pas=8, faixas_u=(35.0, 60.0), tom=5.0,
         existe=(315, 2000), margens=(10, 15, 20),
         umax={"4": 70, "9": 60},
         maxdireto=2000, preco_base=6000.0,
         tipo_ue="axial", categoria_ue="A",
         paint=True, gabinete=False),
    dict(Codigo="SCD", DescModelo="SIROCCO", perda160=8.0, Entradas=1,
         phi_b=0.50, psi_b=2.50, eta_b=65.0, s_p=0.60, P=1.15, s_lo=0.65, s_hi=1.45,
         g=1.20, h=0.40, area=0.80, vel_max=16, vel_perif_min=8,
         kw_b=36.0, kw_k=8.0, pas=48, faixas_u=(15.0, 25.0), tom=2.0,
         existe=(160, 710), margens=(5, 20, 25),
         umax={"1": 30, "4": 25, "9": 28, "10": 25},
         maxdireto=710, preco_base=3500.0,
         tipo_ue="centrifugo-frente", categoria_ue="B",
         paint=True, gabinete=False),
]

# Speed caps, 1/min: belts and pulleys, and the 2-pole motor for direct coupling.
TETO_CORREIA = 4500
TETO_DIRETO = 3600
DIAM_REF, ROT_REF = 1000, 1000


def psi_u(L, s):
    c = (L["P"] - 1.0) / (1.0 - L["s_p"]) ** 2
    return L["psi_b"] * (L["P"] - c * (s - L["s_p"]) ** 2)


def eta(L, s):
    t = s - 1.0
    return L["eta_b"] * (1.0 - L["g"] * t * t - L["h"] * t ** 3)


def Y_de_s(L, s):
    return L["phi_b"] * s / KQ


def psi_de_s(L, s):
    return psi_u(L, s) / KP


def X_de_s(L, s):
    return math.log(1000.0 * psi_de_s(L, s) / Y_de_s(L, s) ** 2)


# --- Polynomials ------------------------------------------------------------

def monomios(coef_t, c, h):
    """Coefficients in x of sum a_k ((x - c) / h)^k, exactly."""
    c, h = Fraction(c), Fraction(h)
    n = len(coef_t)
    out = [Fraction(0)] * n
    for k, a in enumerate(coef_t):
        a = Fraction(a) / h ** k
        for j in range(k + 1):
            out[j] += a * math.comb(k, j) * (-c) ** (k - j)
    return out


def ajusta(xs, ys, grau, c, h):
    """Least squares in t = (x - c)/h, solved exactly; monomial coefficients in x."""
    ts = [Fraction((x - c) / h) for x in xs]
    n = grau + 1
    A = [[sum(t ** (i + j) for t in ts) for j in range(n)] for i in range(n)]
    b = [sum(Fraction(y) * t ** i for t, y in zip(ts, ys)) for i in range(n)]
    for col in range(n):
        piv = max(range(col, n), key=lambda r: abs(A[r][col]))
        A[col], A[piv] = A[piv], A[col]
        b[col], b[piv] = b[piv], b[col]
        for r in range(n):
            if r != col and A[r][col] != 0:
                f = A[r][col] / A[col][col]
                A[r] = [x - f * y for x, y in zip(A[r], A[col])]
                b[r] -= f * b[col]
    a = [b[i] / A[i][i] for i in range(n)]
    return monomios(a, c, h)


def nos_chebyshev(lo, hi, n):
    return [(lo + hi) / 2 + (hi - lo) / 2 * math.cos(math.pi * (k + 0.5) / n) for k in range(n)]


def polinomio(coef, x):
    return sum(cf * x ** j for j, cf in enumerate(coef))


def sete(coefs):
    out = [float(x) for x in coefs] + [0.0] * (7 - len(coefs))
    return out[:7]


def inverte_X(L, X):
    """s on the usable branch with X(s) = X (X falls with s), by bisection."""
    lo, hi = L["s_lo"] * 0.98, L["s_hi"] * 1.02
    for _ in range(200):
        m = (lo + hi) / 2
        if X_de_s(L, m) > X:
            lo = m
        else:
            hi = m
    return (lo + hi) / 2


# --- Sound ------------------------------------------------------------------

def espectro(L, d, u):
    """Unweighted octave spectrum (relative dB) of a fan of diameter d at tip speed u.

    A broadband hump centred on the blade-passing frequency (kept between 250
    and 500 Hz), rising 3 dB per octave below it and falling 4 dB per octave
    above it, plus the blade-passing tone in the band nearest to it."""
    n = u * 60 / (math.pi * d)
    fpa = L["pas"] * n / 60.0               # blade-passing frequency, Hz
    fc = min(max(fpa, 250.0), 500.0)
    rel = []
    for f in BANDAS:
        o = math.log2(f / fc)
        rel.append(3.0 * o if o < 0 else -4.0 * o)
    k = min(range(8), key=lambda b: abs(math.log2(BANDAS[b] / fpa)))
    if abs(math.log2(BANDAS[k] / fpa)) <= 0.5:
        rel[k] += L["tom"]
    return rel


def linhas_espectro(L, d):
    """The three sound rows of a size: speed limits and corrections."""
    u1, u2 = L["faixas_u"]
    reps = [0.75 * u1, (u1 + u2) / 2, 1.2 * u2]
    limites = [math.floor(u1 * 60 / (math.pi * d)), math.floor(u2 * 60 / (math.pi * d)), 99999]
    rows = []
    for lim, u in zip(limites, reps):
        U = espectro(L, d, u)
        tot = 10 * math.log10(sum(10 ** (x / 10) for x in U))
        totA = 10 * math.log10(sum(10 ** ((x + a) / 10) for x, a in zip(U, PONDERACAO_A)))
        dif = round(tot - totA, 1)
        rows.append(dict(RotLimite=float(lim),
                         Banda=[round(x - totA, 1) for x in U],
                         DifLw=dif, CorrLwA=-dif))
    return rows


def som_base(L, s):
    """Total sound power, dB, of the reference fan (DIAM_REF, ROT_REF) at s."""
    d, n = DIAM_REF / 1000.0, float(ROT_REF)
    Y, psi = Y_de_s(L, s), psi_de_s(L, s)
    q = d ** 3 * Y * n / 3600.0                        # m3/s
    dp = 9.80665 * d ** 2 * psi * n ** 2 * 1e-6       # Pa
    kw = L["kw_b"] + L["kw_k"] * (s - 1.0) ** 2
    return kw + 10 * math.log10(q) + 20 * math.log10(dp)


# --- Accessories ------------------------------------------------------------

ACESSORIOS = [
    ("MM", "Montagem de motor"),
    ("PREC", "Polias e correias"),
    ("PC", "Protetor de correias"),
    ("BU", "Base única"),
    ("BR", "Base regulável"),
    ("QR", "Quadro de apoio"),
    ("COX", "Coxins de borracha"),
    ("AMT", "Amortecedores de mola"),
    ("PEC", "Peças sobressalentes"),
    ("GAB", "Gabinete"),
    ("PG06", "Pintura gab. cinza N6,5"),
    ("PG16", "Pintura gab. azul RAL5010"),
    ("PG17", "Pintura gab. epóxi"),
    ("PF", "Pré-filtro G4 gabinete"),
    ("FM", "Filtro fino M5 gabinete"),
    ("FP", "Filtro bolsa F8 gabinete"),
    ("ISO", "Isolamento acústico gab."),
    ("VZA", "Veneziana de proteção"),
    ("LFD", "Ligação flexível desc."),
    ("CFD", "Contra flange descarga"),
    ("FLD", "Flange descarga"),
    ("RGD", "Registro gravit. desc."),
    ("RVD", "Registro veneziana desc."),
    ("TLD", "Tela descarga"),
    ("SP06", "Pintura esp. cinza N6,5"),
    ("SP16", "Pintura esp. azul RAL5010"),
    ("SP17", "Pintura esp. epóxi"),
    ("LFE", "Ligação flexível entrada"),
    ("CFE", "Contra flange entrada"),
    ("FLE", "Flange entrada"),
    ("TLE", "Tela entrada"),
    ("CNE", "Bocal de entrada"),
    ("IVC", "Controle de vazão IVC"),
    ("RGE", "Registro de entrada"),
    ("SIE", "Silenciador de entrada"),
    ("SID", "Silenciador de descarga"),
    ("DRN", "Dreno"),
    ("PI", "Porta de inspeção"),
    ("ANT", "Construção antifaísca"),
    ("VED", "Vedação do eixo"),
    ("DIS", "Dissipador de calor"),
    ("SVB", "Sensor de vibração"),
    ("STM", "Sensor temp. mancais"),
    ("INOX", "Construção inox AISI 304"),
    ("BAL", "Balanceamento G2,5"),
]
SO_GABINETE = {"PG06", "PG16", "PG17", "PF", "FM", "FP", "ISO", "VZA"}
CORREIA = {"1", "3", "9", "10"}          # belt drives
ACOPLADO = {"7", "8"}                    # motor on a base, flexible coupling


def acessorio_permitido(L, arr, cod):
    """AcessArranjo: accessory 'cod' may be offered with arrangement 'arr'."""
    axial = L["DescModelo"] == "AXIAL"
    if cod in ("PREC", "PC"):
        return arr in CORREIA
    if cod == "BR":
        return arr in CORREIA and not axial and arr != "10"
    if cod == "BU":
        return arr in ("1", "9", "7", "8") and not axial
    if cod == "QR":
        return not axial
    if cod == "GAB" or cod in SO_GABINETE:
        return L["gabinete"] and arr in ("1", "4", "9")
    if cod in ("DIS", "STM"):
        return arr != "4"                # bearings of their own
    if cod == "IVC":
        return not axial and L["Codigo"] not in ("RSD", "SCD")
    if cod in ("PI", "DRN"):
        return not axial or cod == "DRN"
    return True


# --- Records ------------------------------------------------------------------

def dados_modelo(L):
    e_lo, e_hi = L["existe"]
    existe = [e_lo <= t <= e_hi for t in TAMANHOS]
    ds = [t / 1000.0 for t in TAMANHOS]

    # Duty range and Y(X).
    XMax = math.floor(X_de_s(L, L["s_lo"]) * 1e4) / 1e4
    XMin = math.ceil(X_de_s(L, L["s_hi"]) * 1e4) / 1e4
    xs = nos_chebyshev(XMin, XMax, 60)
    ys = [Y_de_s(L, inverte_X(L, x)) for x in xs]
    pol_vazao = ajusta(xs, ys, 6, (XMin + XMax) / 2, (XMax - XMin) / 2)

    # eta(Y), exact: eta_b (1 - g t^2 - h t^3), t = (Y - Yb) / Yb.
    Yb = Y_de_s(L, 1.0)
    a = [L["eta_b"] * (1 - 0), 0.0, -L["eta_b"] * L["g"], -L["eta_b"] * L["h"]]
    pol_rend = monomios([Fraction(x) for x in a], Fraction(Yb), Fraction(Yb))

    # Sound base level in Y, fitted just beyond the usable range.
    s_nos = nos_chebyshev(L["s_lo"] * 0.98, L["s_hi"] * 1.02, 40)
    Ylo, Yhi = Y_de_s(L, L["s_lo"] * 0.98), Y_de_s(L, L["s_hi"] * 1.02)
    pol_som = ajusta([Y_de_s(L, s) for s in s_nos], [som_base(L, s) for s in s_nos], 4,
                     (Ylo + Yhi) / 2, (Yhi - Ylo) / 2)

    # The seven chart points, evenly spread over the usable range.
    pts = [L["s_lo"] + (L["s_hi"] - L["s_lo"]) * j / 6 for j in range(7)]
    curva_vazao = [round(Y_de_s(L, s), 4) for s in pts]
    curva_pressao = [round(psi_de_s(L, s), 3) for s in pts]
    curva_rend = [round(eta(L, s), 2) for s in pts]

    # Size correction of efficiency: (100 - eta) / (100 - RendRef) = (2 m / d)^e,
    # written as 0.5 / d^0.1 + CorrRend; e makes the 160 size lose perda160 points.
    e = math.log(1 + L["perda160"] / (100 - L["eta_b"])) / math.log(2.0 / 0.16)
    corr_rend = [round((2.0 / d) ** e - 0.5 / d ** 0.1, 5) for d in ds]

    arranjos = []
    for k, nome in enumerate(ARRANJOS, start=1):
        disp = nome in L["umax"]
        rot = []
        for t, d, ex in zip(TAMANHOS, ds, existe):
            if not disp or not ex:
                rot.append(0)
                continue
            n = math.floor(L["umax"][nome] * 60 / (math.pi * d) / 10) * 10
            if nome == "4":
                n = min(n, TETO_DIRETO) if t <= L["maxdireto"] else 0
            else:
                n = min(n, TETO_CORREIA)
            rot.append(n)
        arranjos.append({"Disponivel": disp, "RotMaxTam": rot})

    espectro_linhas = []
    for d in ds:
        espectro_linhas += linhas_espectro(L, d)

    acess = []
    for nome in ARRANJOS:
        if nome not in L["umax"]:
            acess.append("nenhum")
        else:
            acess.append([acessorio_permitido(L, nome, c) for c, _ in ACESSORIOS])

    pot_limite, acima, abaixo = L["margens"]
    return {
        "TemDados": True,
        "Codigo": L["Codigo"],
        "DescModelo": L["DescModelo"],
        "Entradas": L["Entradas"],
        "DiamRef": DIAM_REF,
        "RotRef": ROT_REF,
        "Existe": existe,
        "AreaDescarga": [round(L["area"] * d * d, 4) for d in ds],
        "FatorRot": [1.0] * 23,
        "CorrRend": corr_rend,
        "VelMax": [L["vel_max"]] * 23,
        "CurvaVazao": curva_vazao,
        "CurvaPressao": curva_pressao,
        "CurvaRend": curva_rend,
        "XMax": XMax,
        "XMin": XMin,
        "VelPerifMin": L["vel_perif_min"],
        "PolVazao": sete(pol_vazao),
        "PolRend": sete(pol_rend),
        "PolSom": sete(pol_som),
        "ArranjoModelo": arranjos,
        "Espectro": espectro_linhas,
        "AcessArranjo": acess,
        "PotLimite": pot_limite,
        "MargemAcima": acima,
        "MargemAbaixo": abaixo,
        "RendRef": L["eta_b"],
        "TipoUE": L["tipo_ue"],
        "CategoriaUE": L["categoria_ue"],
    }


def modelo_sem_dados(codigo, desc):
    return {
        "TemDados": False, "Codigo": codigo, "DescModelo": desc, "Entradas": 1,
        "DiamRef": 0, "RotRef": 0, "Existe": [False] * 23, "AreaDescarga": [0.0] * 23,
        "FatorRot": [0.0] * 23, "CorrRend": [0.0] * 23, "VelMax": [0] * 23,
        "CurvaVazao": [0.0] * 7, "CurvaPressao": [0.0] * 7, "CurvaRend": [0.0] * 7,
        "XMax": 0.0, "XMin": 0.0, "VelPerifMin": 0,
        "PolVazao": [0.0] * 7, "PolRend": [0.0] * 7, "PolSom": [0.0] * 7,
        "ArranjoModelo": [{"Disponivel": False, "RotMaxTam": [0] * 23} for _ in range(8)],
        "Espectro": [{"RotLimite": 0.0, "Banda": [0.0] * 8, "DifLw": 0.0, "CorrLwA": 0.0}
                     for _ in range(69)],
        "AcessArranjo": ["nenhum"] * 8,
        "PotLimite": 0, "MargemAcima": 0, "MargemAbaixo": 0, "RendRef": 0.0,
    }


DENOMINACOES = [
    ("BSD/BDD", "Centrífugos de pás curvadas para trás (limit-load)"),
    ("GTD", "Centrífugos de alto rendimento com pás aerofólio"),
    ("", ""),
    ("RSD", "Centrífugos de pás radiais para transporte e pó"),
    ("AXI", "Axiais de perfil aerodinâmico para grandes vazões"),
    ("SCD", "Centrífugos de pás curvadas para frente (sirocco)"),
    ("PLR", "Plug fans para unidades de tratamento de ar"),
]

# --- Motors -----------------------------------------------------------------
# IEC frames per power (kW) for 2, 4, 6 and 8 poles; "" = not built.
FRAMES = [
    (0.12, "63", "63", "71", ""),
    (0.18, "63", "63", "71", "80"),
    (0.25, "63", "71", "80", "90S"),
    (0.37, "71", "71", "80", "90L"),
    (0.55, "71", "80", "90S", "90L"),
    (0.75, "80", "80", "90S", "100L"),
    (1.1, "80", "90S", "90L", "100L"),
    (1.5, "90S", "90L", "100L", "112M"),
    (2.2, "90L", "100L", "112M", "132S"),
    (3.0, "100L", "100L", "132S", "132M"),
    (3.7, "100L", "112M", "132M", "132M"),
    (4.0, "112M", "112M", "132M", "160M"),
    (5.5, "132S", "132S", "132M", "160M"),
    (7.5, "132S", "132M", "160M", "160L"),
    (9.2, "132M", "132M", "160M", "160L"),
    (11.0, "160M", "160M", "160L", "180L"),
    (15.0, "160M", "160L", "180L", "200L"),
    (18.5, "160L", "180M", "200L", "225S/M"),
    (22.0, "180M", "180L", "200L", "225S/M"),
    (30.0, "200L", "200L", "225S/M", "250S/M"),
    (37.0, "200L", "225S/M", "250S/M", "280S/M"),
    (45.0, "225S/M", "225S/M", "280S/M", "280S/M"),
    (55.0, "250S/M", "250S/M", "280S/M", "315S/M"),
    (75.0, "280S/M", "280S/M", "315S/M", "315S/M"),
    (90.0, "280S/M", "280S/M", "315S/M", "355M/L"),
    (110.0, "315S/M", "315S/M", "315S/M", "355M/L"),
    (132.0, "315S/M", "315S/M", "355M/L", "355M/L"),
    (160.0, "315S/M", "315S/M", "355M/L", "355M/L"),
    (200.0, "315L", "315L", "355M/L", "355M/L"),
    (250.0, "355M/L", "355M/L", "355M/L", ""),
    (315.0, "355M/L", "355M/L", "", ""),
    (355.0, "355M/L", "355M/L", "", ""),
]
MONOFASICOS = [0.12, 0.18, 0.25, 0.37, 0.55, 0.75, 1.1, 1.5, 2.2, 3.0, 3.7]
DAHLANDER = [0.37, 0.55, 0.75, 1.1, 1.5, 2.2, 3.0, 4.0, 5.5, 7.5, 11.0, 15.0, 18.5, 22.0,
             30.0, 37.0, 45.0, 55.0, 75.0, 90.0, 110.0]


def escorregamento(p, fator=1.0):
    """Rated slip: about 6.5 % at 0.12 kW falling to under 1 % at 355 kW."""
    return 0.065 * (p / 0.12) ** -0.27 * fator


def rotacao(sincrona, p, fator=1.0):
    return int(round(sincrona * (1 - escorregamento(p, fator)) / 5.0)) * 5


def grupo_motores(freq, fator_esc=1.0, potencias=None):
    sinc = [120 * freq // polos for polos in (2, 4, 6, 8)]
    fator_polo = [1.0, 1.05, 1.15, 1.25]          # more slip at low speed
    grupo = []
    for p, *frames in FRAMES:
        if potencias is not None and p not in potencias:
            continue
        if freq == 50 and p in (3.7, 9.2) or freq == 60 and p == 4.0:
            continue                           # 3.7 kW (5 cv) and 9.2 kW (12.5 cv) only at 60 Hz
        polos = []
        for v in range(4):
            if frames[v]:
                polos.append({"Carcaca": frames[v],
                              "RotacaoMotor": rotacao(sinc[v], p, fator_esc * fator_polo[v])})
            else:
                polos.append({"Carcaca": "", "RotacaoMotor": 0})
        grupo.append({"Potencia": p, "PoloMotor": polos})
    return grupo


def grupo_dahlander():
    por_p = {p: f for p, *f in FRAMES}
    grupo = []
    for p in DAHLANDER:
        f = por_p[p]
        polos = [{"Carcaca": f[1], "RotacaoMotor": rotacao(3600, p, 1.2)},   # 2/4 poles, at 2
                 {"Carcaca": f[3], "RotacaoMotor": rotacao(1800, p, 1.3)},   # 4/8 poles, at 4
                 {"Carcaca": "", "RotacaoMotor": 0},
                 {"Carcaca": "", "RotacaoMotor": 0}]
        grupo.append({"Potencia": p, "PoloMotor": polos})
    return grupo


def motores():
    return [
        grupo_motores(60),                               # 1 IP55 60 Hz trifásico
        grupo_motores(60, 1.3, MONOFASICOS),             # 2 IP55 60 Hz monofásico
        grupo_motores(50),                               # 3 IP55 50 Hz trifásico
        grupo_motores(60),                               # 4 APE 60 Hz
        grupo_motores(60, 0.8),                          # 5 Alto Rendimento 60 Hz
        grupo_dahlander(),                               # 6 DAHLANDER 60 Hz
    ]


def precos_motores(grupos):
    fator_grupo = [1.0, 1.35, 1.1, 1.55, 1.2, 1.7]
    fator_polos = [1.05, 1.0, 1.35, 1.7]
    out = []
    for g, grupo in enumerate(grupos):
        lin = []
        for m in grupo:
            pr = []
            for v, pol in enumerate(m["PoloMotor"]):
                if not pol["Carcaca"]:
                    pr.append(-3.0)            # N.D.
                else:
                    base = (380 + 520 * m["Potencia"] ** 0.88) * fator_grupo[g] * fator_polos[v]
                    pr.append(float(round(base / 10) * 10))
            lin.append(pr)
        out.append({"Preco": lin})
    return out


# --- Prices of the lines ------------------------------------------------------
FATOR_ARRANJO = {"1": 1.0, "3": 1.1, "4": 0.85, "4K": 0.9, "7": 1.3, "8": 1.25, "9": 0.95, "10": 0.9}
PRECO_ACESS = {   # base price at size 500 (R$) and exponent in d
    "PREC": (650, 1.6), "PC": (420, 1.2), "BU": (1400, 1.8), "BR": (900, 1.6), "QR": (1800, 1.8),
    "COX": (260, 1.0), "AMT": (780, 1.2), "GAB": (9500, 2.0), "PG06": (900, 2.0),
    "PG16": (950, 2.0), "PG17": (1300, 2.0), "PF": (700, 2.0), "FM": (1100, 2.0),
    "FP": (2100, 2.0), "ISO": (1600, 2.0), "VZA": (850, 2.0), "LFD": (520, 1.5),
    "CFD": (240, 1.5), "FLD": (310, 1.5), "RGD": (980, 1.8), "RVD": (1350, 1.8),
    "TLD": (210, 1.5), "SP06": (450, 2.0), "SP16": (480, 2.0), "SP17": (720, 2.0),
    "LFE": (520, 1.5), "CFE": (240, 1.5), "FLE": (310, 1.5), "TLE": (210, 1.5),
    "CNE": (380, 1.6), "IVC": (3200, 1.8), "RGE": (1700, 1.8), "SIE": (2400, 2.0),
    "SID": (2600, 2.0), "DRN": (90, 0.0), "PI": (330, 1.0), "ANT": (2300, 2.0),
    "VED": (480, 1.0), "DIS": (560, 1.2), "SVB": (1850, 0.0), "STM": (1450, 0.0),
    "BAL": (600, 1.0),
}


def preco_modelo(L):
    e_lo, e_hi = L["existe"]
    pv = {}
    for nome in ARRANJOS:
        if nome not in L["umax"]:
            continue
        lin = []
        for t in TAMANHOS:
            if not e_lo <= t <= e_hi:
                lin.append(-3.0)                          # N.D.
            elif t >= 1800:
                lin.append(-2.0)                          # S.C.: quoted on request
            else:
                p = L["preco_base"] * (t / 500.0) ** 2.1 * FATOR_ARRANJO[nome]
                lin.append(float(round(p / 10) * 10))
        pv[nome] = lin
    pa = {"MM": [-1.0] * 23,                              # INC.: mounting included
          "PEC": [-2.0] * 23,                             # S.C.
          "INOX": [-2.0] * 23}
    for cod, (base, exp) in PRECO_ACESS.items():
        lin = []
        for t in TAMANHOS:
            if cod == "ANT" and t >= 1400:
                lin.append(-2.0)
            elif cod == "GAB" and t > 1000:
                lin.append(-3.0)                          # cabinets up to 1000
            else:
                lin.append(float(round(base * (t / 500.0) ** exp / 10) * 10))
        pa[cod] = lin
    return {"PrecoVent": pv, "PrecoAcess": pa}


FATORES = {
    "ICMSPadrao": 1,
    "AliquotaICMS": [18.0, 12.0, 7.0, 4.0],
    # List prices carry 18 % ICMS; the same net price under a lower rate.
    "FatorVent": [round(0.82 / (1 - r / 100), 4) for r in (18.0, 12.0, 7.0, 4.0)],
    "FatorMotor": [round(1.25 * 0.82 / (1 - r / 100), 4) for r in (18.0, 12.0, 7.0, 4.0)],
    "Pagamento": "30% sinal 70% contra aviso de embarque",
    "Frete": "FOB Dravolin Brum - Guarulhos/SP",
    "Validade": 15,
    "IPI": 5,
    "Embalagem": 4,
    "Entrega": 30 | (45 << 8),        # "30/45" days
}


# --- Motor efficiency --------------------------------------------------------
# IE3 (premium) nominal full-load efficiency, %, of IEC 60034-30-1 at 60 Hz
# for 2, 4, 6 and 8 poles. From 0.75 kW the 2- to 6-pole values are those of
# NEMA Premium (NEMA MG 1, table 12-12), which the 60 Hz table follows.
IE3_60HZ = [
    (0.12, 62.0, 66.0, 64.0, 59.5),
    (0.18, 65.6, 69.5, 67.5, 64.0),
    (0.25, 69.5, 73.4, 71.4, 68.0),
    (0.37, 73.4, 78.2, 75.3, 72.0),
    (0.55, 76.8, 81.1, 81.7, 74.0),
    (0.75, 77.0, 85.5, 82.5, 75.5),
    (1.1, 84.0, 86.5, 87.5, 78.5),
    (1.5, 85.5, 86.5, 88.5, 84.0),
    (2.2, 86.5, 89.5, 89.5, 85.5),
    (3.7, 88.5, 89.5, 89.5, 86.5),
    (5.5, 89.5, 91.7, 91.0, 86.5),
    (7.5, 90.2, 91.7, 91.0, 89.5),
    (11.0, 91.0, 92.4, 91.7, 89.5),
    (15.0, 91.0, 93.0, 91.7, 90.2),
    (18.5, 91.7, 93.6, 93.0, 90.2),
    (22.0, 91.7, 93.6, 93.0, 91.7),
    (30.0, 92.4, 94.1, 94.1, 91.7),
    (37.0, 93.0, 94.5, 94.1, 92.4),
    (45.0, 93.6, 95.0, 94.5, 92.4),
    (55.0, 93.6, 95.4, 94.5, 93.6),
    (75.0, 94.1, 95.4, 95.0, 93.6),
    (90.0, 95.0, 95.4, 95.0, 94.1),
    (110.0, 95.0, 95.8, 95.8, 94.1),
    (150.0, 95.4, 96.2, 95.8, 95.0),
    (185.0, 95.8, 96.2, 95.8, 95.0),
    (220.0, 95.8, 96.2, 95.8, 95.0),
    (250.0, 95.8, 96.2, 95.8, 95.0),
    (300.0, 95.8, 96.2, 95.8, 95.0),
    (330.0, 95.8, 96.2, 95.8, 95.0),
    (375.0, 95.8, 96.2, 95.8, 95.0),
]


def catalogo():
    grupos = motores()
    modelos = [dados_modelo(L) for L in LINHAS] + [modelo_sem_dados("PLR", "PLUG FAN")]
    return {
        "modelos": modelos,
        "denominacoes": [{"Familia": f, "TextoFamilia": t} for f, t in DENOMINACOES],
        "motores": grupos,
        "acessorios": [{"CodAcessorio": c, "NomeAcessorio": n} for c, n in ACESSORIOS],
        "fatores": FATORES,
        "precos_modelos": [preco_modelo(L) for L in LINHAS] + [{}],
        "precos_motores": precos_motores(grupos),
        "rendimento_motores": [{"Potencia": p, "Rendimento": list(r)} for p, *r in IE3_60HZ],
    }


# --- The operating-point calculation, as the program does it ---------------

def densidade_ref(h):
    return 760 * 13.6 * math.exp(-0.116 * 0.001 * h) / 29.27 / 293


def calcula(M, motores_g1, vazao, pressao, dens):
    """Full-mode calculation of every size; returns the qualifying sizes."""
    E = M["Entradas"]
    Q = vazao / E
    ps = pressao * 1.205 / dens
    res = []
    for i, D in enumerate(TAMANHOS):
        if not M["Existe"][i]:
            continue
        A = M["AreaDescarga"][i] / E
        if A == 0:
            continue
        v = Q / 3600 / A
        if M["VelMax"][i] < v:
            continue
        d = D / 1000
        pt = 0.061 * v * v + ps
        X = math.log(d ** 4 * pt * 1e9 / Q ** 2)
        if X >= M["XMax"] or X <= M["XMin"]:
            continue
        Y = polinomio(M["PolVazao"], X)
        n = Q / d ** 3 / Y / M["FatorRot"][i]
        arr, direto, rotmax = [], False, 0
        for k in range(8):
            am = M["ArranjoModelo"][k]
            if am["Disponivel"] and am["RotMaxTam"][i] >= n:
                if k == 2:
                    direto = True
                else:
                    arr.append(ARRANJOS[k])
                rotmax = max(rotmax, am["RotMaxTam"][i])
        if direto or (arr and M["ArranjoModelo"][2]["Disponivel"]):
            arr.append("4")
        if not arr:
            continue
        desc = M["RendRef"] - (100 - (0.5 / d ** 0.1 + M["CorrRend"][i]) * (100 - M["RendRef"]))
        rend = polinomio(M["PolRend"], Y) - desc
        pot_pad = E * Q * pt / 75 / 3600 / (0.01 * rend) / 1.36
        pot_op = pot_pad * dens / 1.205
        margem = M["MargemAbaixo"] if M["PotLimite"] > pot_op else M["MargemAcima"]
        pot_mot = (1 + margem / 100) * pot_op
        for m in motores_g1:
            if m["Potencia"] >= pot_mot:
                pot_mot = m["Potencia"]
                break
        linha = None
        for j in range(3 * i, 3 * i + 3):
            if n <= M["Espectro"][j]["RotLimite"]:
                linha = M["Espectro"][j]
                break
        L = (70 * math.log10(D / M["DiamRef"]) + 50 * math.log10(n / M["RotRef"])
             + 20 * math.log10(dens / 1.20521) + polinomio(M["PolSom"], Y))
        if E == 2:
            L += 3
        lwa = L + (linha["CorrLwA"] if linha else 0)
        res.append(dict(D=D, v=v, pt=pt, X=X, Y=Y, n=n, rend=rend, pot=pot_op, motor=pot_mot,
                        lwa=lwa, lw=lwa + (linha["DifLw"] if linha else 0),
                        arr="/".join(arr)[:10], desconto=desc))
    return res


VERIFICACOES = [
    ("BSD", 10000, 50), ("BSD", 3000, 40), ("BSD", 60000, 120),
    ("BDD", 30000, 60), ("GTD", 20000, 150), ("RSD", 5000, 250),
    ("AXI", 40000, 25), ("SCD", 3000, 30),
]


def verifica(cat, saida=sys.stdout):
    dens = densidade_ref(0)
    g1 = cat["motores"][0]
    por_codigo = {m["Codigo"]: m for m in cat["modelos"]}
    print("| Linha | Vazão m³/h | Pressão mmCA | Tamanhos | Melhor | rpm | Rend. % | kW abs. | Motor kW | LwA dB(A) | Arranjos |", file=saida)
    print("|---|---|---|---|---|---|---|---|---|---|---|", file=saida)
    for cod, q, p in VERIFICACOES:
        r = calcula(por_codigo[cod], g1, q, p, dens)
        b = max(r, key=lambda x: x["rend"])
        tams = ", ".join(str(x["D"]) for x in r)
        print(f"| {cod} | {q} | {p} | {tams} | {b['D']} | {b['n']:.0f} | {b['rend']:.1f} | "
              f"{b['pot']:.2f} | {b['motor']:g} | {b['lwa']:.1f} | {b['arr']} |", file=saida)


def main():
    cat = catalogo()
    with open(os.path.join(AQUI, "catalogo.json"), "w", encoding="utf-8") as f:
        json.dump(cat, f, ensure_ascii=False, indent=1)
        f.write("\n")
    if "--verifica" in sys.argv:
        verifica(cat)


if __name__ == "__main__":
    main()
