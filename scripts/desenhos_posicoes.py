#!/usr/bin/env python3
"""Draws the pictures of the discharge-position pickers as SVG files.

The picture sizes, the positions and the clickable spots come from the
pickers' tables in src/positions/posicoes.cpp; the drawings are written to
resources/imagens/posicoes/<picker>_<tag>.svg. Each spot gets its framed
label drawn inside its rectangle, and the fan (with motor, base or cabinet)
is fitted around the spots. Run it again after changing a table:

    python3 scripts/desenhos_posicoes.py
"""

import math
import os
import re
import sys

RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABELAS = os.path.join(RAIZ, "src", "positions", "posicoes.cpp")
DESTINO = os.path.join(RAIZ, "resources", "imagens", "posicoes")

# Table name -> drawing prefix and kind of picture.
FAMILIAS = {
    "FigurasPosicao": ("posicao", "regulavel"),
    "FigurasGab160a560": ("gab160a560", "gabinete"),
    "FigurasGab680a1000": ("gab680a1000", "gabinete"),
    "FigurasPosicaoBU": ("posicaobu", "baseunica"),
    "FigurasPosicao4": ("posicao4", "direto"),
    "FigurasPosicao1": ("posicao1", "arranjo1"),
    "FigurasAxial": ("axial", "axial"),
}

# --- Colours and type ---------------------------------------------------------
TRACO = "#22324a"          # outlines
FINO = "#7d8ca3"           # centre marks, hidden lines
CARCACA = "#dfe7f1"        # fan housing
CARCACA_ESCURA = "#c3d0df"
MOTOR = "#cbd8e6"
BASE = "#9fb1c6"
GABINETE = "#f3f6fa"
AR = "#1f6cc4"             # airflow
GIRO = "#b8322a"           # rotation
CODIGO = "#1f3a6b"
ROTULO = "#12305e"
MOLDURA = "#c6d0dc"
FONTE = "Arial"
TAM_CODIGO = 7.5
TAM_ROTULO = 9.0

# Advance widths of Arial (1/1000 em) for the characters of the labels.
LARGURAS = {" ": 278, "/": 278, "°": 400, "A": 722, "B": 722, "D": 722, "G": 778, "H": 722,
            "L": 611, "R": 722, "T": 611, "U": 722, "V": 667, "W": 944, "Z": 611}


def largura_texto(texto, tamanho, negrito=False):
    total = 0
    for c in texto:
        w = 556 if c.isdigit() else LARGURAS.get(c, 667)
        if not negrito and c in "ABDGHRUVW":
            w -= 55
        total += w
    return total * tamanho / 1000.0


# --- Reading the tables -------------------------------------------------------

def le_tabelas():
    fonte = open(TABELAS, encoding="utf-8").read()
    tabelas = {}
    for nome, corpo in re.findall(r"constexpr TFigura (\w+)\[\] = \{(.*?)\n\};", fonte, re.S):
        figuras = []
        for linha in corpo.splitlines():
            m = re.match(r'\s*\{(\d+), "([^"]+)", (?:Em\([^,]+, [^,]+|NaGrade\(\d+), (\d+), (\d+)\)(.*)\},\s*$',
                         linha)
            if not m:
                continue
            areas = [((int(a), int(b), int(c), int(d)), t)
                     for a, b, c, d, t in re.findall(r'\{\{(\d+), (\d+), (\d+), (\d+)\}, "([^"]+)"\}', m.group(5))]
            figuras.append({"tag": int(m.group(1)), "texto": m.group(2), "w": int(m.group(3)),
                            "h": int(m.group(4)), "areas": areas})
        tabelas[nome] = figuras
    # The tables of the eight fan positions picked whole.
    por_tag = re.findall(r'"([^"]+)"', re.search(r"PosicoesPorTag\[8\] = \{(.*?)\};", fonte, re.S).group(1))
    for nome, w, h in re.findall(r"constexpr auto (\w+) = PosicoesInteiras\((\d+), (\d+), \d+\);", fonte):
        tabelas[nome] = [{"tag": t, "texto": texto, "w": int(w), "h": int(h), "areas": []}
                         for t, texto in enumerate(por_tag, 1)]
    return tabelas


# --- SVG ----------------------------------------------------------------------

def n(v):
    s = "%.2f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def caminho(pts, fechado=True):
    d = "M" + " L".join("%s %s" % (n(x), n(y)) for x, y in pts)
    return d + (" Z" if fechado else "")


class Svg:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.partes = []

    def add(self, s):
        self.partes.append(s)

    def poligono(self, pts, fill="none", stroke=TRACO, sw=1.0, extra=""):
        self.add('<path d="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"%s/>'
                 % (caminho(pts), fill, stroke, n(sw), extra))

    def linha(self, pts, stroke=TRACO, sw=1.0, extra=""):
        self.add('<path d="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" '
                 'stroke-linejoin="round"%s/>' % (caminho(pts, False), stroke, n(sw), extra))

    def circulo(self, c, r, fill="none", stroke=TRACO, sw=1.0, extra=""):
        self.add('<circle cx="%s" cy="%s" r="%s" fill="%s" stroke="%s" stroke-width="%s"%s/>'
                 % (n(c[0]), n(c[1]), n(r), fill, stroke, n(sw), extra))

    def retangulo(self, x, y, w, h, fill="none", stroke=TRACO, sw=1.0, extra=""):
        self.add('<rect x="%s" y="%s" width="%s" height="%s" fill="%s" stroke="%s" stroke-width="%s"%s/>'
                 % (n(x), n(y), n(w), n(h), fill, stroke, n(sw), extra))

    def texto(self, x, y, s, tam, cor, negrito=False, ancora="middle"):
        self.add('<text x="%s" y="%s" font-family="%s" font-size="%s"%s fill="%s" text-anchor="%s">%s</text>'
                 % (n(x), n(y), FONTE, n(tam), ' font-weight="bold"' if negrito else "", cor, ancora, s))

    def grava(self, arquivo):
        cab = ('<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" width="%d" height="%d" '
               'viewBox="0 0 %d %d">\n' % (self.w, self.h, self.w, self.h))
        with open(arquivo, "w", encoding="utf-8", newline="\n") as f:
            f.write(cab + "\n".join(self.partes) + "\n</svg>\n")


# --- Geometry -----------------------------------------------------------------
# The fan housing is built for clockwise rotation ("RD") with the discharge
# pointing up, centred on the shaft, radius of the cut-off 1. Angles run
# clockwise from straight up, as the designations count them.

R1 = 1.45                    # scroll radius where it meets the outlet
PHI_T = math.radians(-20)    # cut-off (tongue)
K_ESPIRAL = math.log(R1) / (math.radians(270) - PHI_T)


def polar(r, phi):
    return (r * math.sin(phi), -r * math.cos(phi))


def espiral(passos=90):
    pts = []
    for i in range(passos + 1):
        phi = PHI_T + (math.radians(270) - PHI_T) * i / passos
        pts.append(polar(math.exp(K_ESPIRAL * (phi - PHI_T)), phi))
    return pts


LINGUA_X = polar(1, PHI_T)[0]  # x of the outlet wall that starts at the tongue


class Orientacao:
    """Rotation RD/LG and discharge angle: canonical -> picture orientation."""

    def __init__(self, posicao):
        rot, ang = posicao.split("/")[0].split()
        self.lg = rot == "LG"
        self.angulo = int(ang.rstrip("°"))
        t = math.radians(self.angulo)
        self.c, self.s = round(math.cos(t)), round(math.sin(t))

    def __call__(self, p):
        x, y = p
        x, y = x * self.c - y * self.s, x * self.s + y * self.c
        return (-x if self.lg else x, y)

    def direcao(self):
        """Discharge direction in the picture."""
        return self((0, -1))

    def lado_motor(self):
        """+1 motor to the right of the fan, -1 to the left (opposite the outlet)."""
        lado = 1 if self.angulo in (0, 270) else -1
        return -lado if self.lg else lado


def carcaca(o, comprimento=1.5):
    """Housing outline and its parts in picture orientation, unit radius."""
    esp = espiral()
    topo = -comprimento
    contorno = [o(p) for p in esp] + [o((-R1, topo)), o((LINGUA_X, topo))]
    flange = [o(p) for p in [(-R1 - 0.14, topo - 0.08), (LINGUA_X + 0.14, topo - 0.08),
                             (LINGUA_X + 0.14, topo + 0.02), (-R1 - 0.14, topo + 0.02)]]
    xm = (-R1 + LINGUA_X) / 2
    seta_ar = ([o((xm, -0.1)), o((xm, topo + 0.42))],
               [o((xm - 0.2, topo + 0.42)), o((xm + 0.2, topo + 0.42)), o((xm, topo + 0.1))])
    arco = [o(polar(0.5, math.radians(a))) for a in range(35, 141, 5)]
    fim = math.radians(150)
    ponta = o(polar(0.5, fim))
    tangente = o((math.cos(fim), math.sin(fim)))
    normal = (-tangente[1], tangente[0])
    base = (ponta[0] - 0.2 * tangente[0], ponta[1] - 0.2 * tangente[1])
    seta_giro = [ponta, (base[0] + 0.11 * normal[0], base[1] + 0.11 * normal[1]),
                 (base[0] - 0.11 * normal[0], base[1] - 0.11 * normal[1])]
    return {"contorno": contorno, "espiral": [o(p) for p in esp], "flange": flange, "seta_ar": seta_ar,
            "arco": arco + [base], "seta_giro": seta_giro, "saida_x": (o((-R1, 0))[0], o((LINGUA_X, 0))[0])}


def amostra(pts, passo, fechado=True):
    """Points every 'passo' along a polyline."""
    out = []
    seq = pts + ([pts[0]] if fechado else [])
    for (x0, y0), (x1, y1) in zip(seq, seq[1:]):
        d = math.hypot(x1 - x0, y1 - y0)
        k = max(1, int(math.ceil(d / passo)))
        out += [(x0 + (x1 - x0) * i / k, y0 + (y1 - y0) * i / k) for i in range(k)]
    if not fechado:
        out.append(seq[-1])
    return out


def ret_pts(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def dentro(p, poligono):
    x, y = p
    res = False
    j = len(poligono) - 1
    for i in range(len(poligono)):
        xi, yi = poligono[i]
        xj, yj = poligono[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            res = not res
        j = i
    return res


def tangentes(c1, r1, c2, r2):
    """The two outer tangent segments of two circles (a belt)."""
    dx, dy = c2[0] - c1[0], c2[1] - c1[1]
    d = math.hypot(dx, dy)
    if d <= abs(r1 - r2) + 1e-6:
        return []
    a = math.atan2(dy, dx)
    b = math.acos((r1 - r2) / d)
    segs = []
    for s in (1, -1):
        t = a + s * b
        segs.append([(c1[0] + r1 * math.cos(t), c1[1] + r1 * math.sin(t)),
                     (c2[0] + r2 * math.cos(t), c2[1] + r2 * math.sin(t))])
    return segs


# --- Fitting a drawing around the spots ---------------------------------------

class Encaixe:
    """Finds the largest scale and a central position for a drawing given in
    unit coordinates around its centre, clear of the obstacles (rectangles in
    picture pixels) and inside the picture."""

    def __init__(self, w, h, obstaculos, margem_obst=3, margem_borda=3, livre=None):
        self.w, self.h = w, h
        self.obst = obstaculos
        self.bloqueado = [[False] * (w + 1) for _ in range(h + 1)]
        for y in range(h + 1):
            for x in range(w + 1):
                if livre and not livre(x, y):
                    self.bloqueado[y][x] = True
                elif x < margem_borda or y < margem_borda or x > w - margem_borda or y > h - margem_borda:
                    self.bloqueado[y][x] = True
        for (x0, y0, x1, y1) in obstaculos:
            for y in range(max(0, y0 - margem_obst), min(h, y1 + margem_obst) + 1):
                for x in range(max(0, x0 - margem_obst), min(w, x1 + margem_obst) + 1):
                    self.bloqueado[y][x] = True

    def posicoes(self, pontos, poligonos, a, passo=1, extra=None):
        pts = [(x * a, y * a) for x, y in pontos]
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        achadas = []
        cy = math.ceil(-min(ys))
        while cy <= self.h - max(ys):
            cx = math.ceil(-min(xs))
            while cx <= self.w - max(xs):
                if self.cabe(pts, poligonos, a, cx, cy) and (extra is None or extra(cx, cy, a)):
                    achadas.append((cx, cy))
                cx += passo
            cy += passo
        return achadas

    def cabe(self, pts, poligonos, a, cx, cy):
        b = self.bloqueado
        for x, y in pts:
            xi, yi = int(round(cx + x)), int(round(cy + y))
            if xi < 0 or yi < 0 or xi > self.w or yi > self.h or b[yi][xi]:
                return False
        for (x0, y0, x1, y1) in self.obst:
            c = ((x0 + x1) / 2 - cx) / a, ((y0 + y1) / 2 - cy) / a
            if any(dentro(c, p) for p in poligonos):
                return False
        return True

    def melhor(self, pontos, poligonos, folga=0.9, extra=None):
        lo, hi = 4.0, 80.0
        if not self.posicoes(pontos, poligonos, lo, 2, extra):
            sys.exit("nenhum encaixe possível")
        while hi - lo > 0.25:
            meio = (lo + hi) / 2
            if self.posicoes(pontos, poligonos, meio, 2, extra):
                lo = meio
            else:
                hi = meio
        a = lo * folga
        lista = self.posicoes(pontos, poligonos, a, 1, extra)
        mx = sum(p[0] for p in lista) / len(lista)
        my = sum(p[1] for p in lista) / len(lista)
        cx, cy = min(lista, key=lambda p: (p[0] - mx) ** 2 + (p[1] - my) ** 2)
        return cx, cy, a


# --- Drawing parts -------------------------------------------------------------

class Desenho:
    """Unit-coordinate drawing around the fan centre, placed at (cx, cy) with scale a."""

    def __init__(self, svg, cx, cy, a):
        self.svg, self.cx, self.cy, self.a = svg, cx, cy, a

    def p(self, q):
        return (self.cx + q[0] * self.a, self.cy + q[1] * self.a)

    def ps(self, qs):
        return [self.p(q) for q in qs]

    def carcaca(self, c, impelidor=True):
        s, a = self.svg, self.a
        s.poligono(self.ps(c["contorno"]), fill=CARCACA, sw=1.1)
        s.poligono(self.ps(c["flange"]), fill=TRACO, sw=0.6)
        if impelidor:
            s.circulo(self.p((0, 0)), 0.74 * a, stroke=FINO, sw=0.8, extra=' stroke-dasharray="3,2"')

    def centro(self, r=0.13):
        s, a = self.svg, self.a
        c = self.p((0, 0))
        s.linha([(c[0] - 0.3 * a, c[1]), (c[0] + 0.3 * a, c[1])], stroke=FINO, sw=0.6)
        s.linha([(c[0], c[1] - 0.3 * a), (c[0], c[1] + 0.3 * a)], stroke=FINO, sw=0.6)
        s.circulo(c, r * a, fill="#ffffff", sw=0.9)

    def setas(self, c):
        s = self.svg
        haste, ponta = c["seta_ar"]
        s.linha(self.ps(haste), stroke=AR, sw=1.6)
        s.poligono(self.ps(ponta), fill=AR, stroke=AR, sw=0.6)
        s.linha(self.ps(c["arco"]), stroke=GIRO, sw=1.1)
        s.poligono(self.ps(c["seta_giro"]), fill=GIRO, stroke=GIRO, sw=0.5)

    def chao(self, x0, x1, y):
        s, a = self.svg, self.a
        p0, p1 = self.p((x0, y)), self.p((x1, y))
        yy = round(p0[1]) + 0.5
        s.linha([(p0[0], yy), (p1[0], yy)], sw=1.0)
        x = p0[0] + 2
        while x < p1[0] - 1:
            s.linha([(x, yy + 0.5), (x - 3, yy + 3.5)], stroke=FINO, sw=0.7)
            x += 5

    def polia(self, c, r):
        self.svg.circulo(self.p(c), r * self.a, fill="#ffffff", sw=1.0)
        self.svg.circulo(self.p(c), 0.35 * r * self.a, fill=CARCACA_ESCURA, sw=0.7)

    def correia(self, c1, r1, c2, r2, tracejada=False):
        extra = ' stroke-dasharray="3,2"' if tracejada else ""
        for seg in tangentes(self.p(c1), r1 * self.a, self.p(c2), r2 * self.a):
            self.svg.linha(seg, sw=0.9, extra=extra)

    def motor(self, c, r):
        s, a = self.svg, self.a
        x, y = c
        s.poligono(self.ps([(x - 0.32 * r / 0.5, y - r - 0.16), (x + 0.32 * r / 0.5, y - r - 0.16),
                            (x + 0.32 * r / 0.5, y - r + 0.1), (x - 0.32 * r / 0.5, y - r + 0.1)]),
                   fill=CARCACA_ESCURA, sw=0.8)
        s.circulo(self.p(c), r * a, fill=MOTOR, sw=1.0)
        s.circulo(self.p(c), 0.78 * r * a, stroke=FINO, sw=0.7)
        for k in range(8):
            t = math.radians(22.5 + 45 * k)
            s.linha([self.p((x + 0.5 * r * math.cos(t), y + 0.5 * r * math.sin(t))),
                     self.p((x + 0.74 * r * math.cos(t), y + 0.74 * r * math.sin(t)))], stroke=FINO, sw=0.7)

    def pe(self, x, y_topo, y_chao, larg_topo, larg_base):
        self.svg.poligono(self.ps([(x - larg_topo / 2, y_topo), (x + larg_topo / 2, y_topo),
                                   (x + larg_base / 2, y_chao), (x - larg_base / 2, y_chao)]),
                          fill=BASE, sw=0.9)

    def armacao(self, x0, x1, y_trilho, y_chao, vao):
        """A stand: top rail from x0 to x1 with a gap for the outlet, two legs."""
        s = self.svg
        g0, g1 = vao
        for a0, a1 in ((x0, g0), (g1, x1)):
            if a1 - a0 > 0.05:
                s.poligono(self.ps(ret_pts(a0, y_trilho, a1, y_trilho + 0.13)), fill=BASE, sw=0.9)
        for x in (x0, x1 - 0.14):
            s.poligono(self.ps(ret_pts(x, y_trilho + 0.13, x + 0.14, y_chao)), fill=BASE, sw=0.9)


def caixa_codigo(svg, texto, x=1.5, y=1.5):
    w = largura_texto(texto, TAM_CODIGO, True) + 7
    svg.retangulo(x, y, round(w), 12, fill=CODIGO, stroke=CODIGO, sw=1.0)
    svg.texto(x + round(w) / 2, y + 9, texto, TAM_CODIGO, "#ffffff", True)
    return (int(x - 1.5), int(y - 1.5), int(x + round(w) + 1.5), int(y + 13.5))


def rotulo_area(svg, ret, texto, i):
    l, t, r, b = ret
    svg.add('<g id="area%d">' % i)
    svg.retangulo(l + 0.5, t + 0.5, r - l - 1, b - t - 1, fill="#ffffff", sw=1.0)
    cx = (l + r) / 2
    prefixo, angulo = texto.split()
    if (r - l) >= 1.3 * (b - t):
        svg.texto(cx, (t + b) / 2 + 3.3, prefixo + " " + angulo, TAM_ROTULO, ROTULO, True)
    else:
        meio = (t + b) / 2
        svg.texto(cx, meio - 1.2, prefixo, TAM_ROTULO, ROTULO, True)
        svg.texto(cx, meio + 8.6, angulo, TAM_ROTULO, ROTULO)
    svg.add("</g>")


def moldura(svg):
    svg.retangulo(0.5, 0.5, svg.w - 1, svg.h - 1, stroke=MOLDURA, sw=1.0)


# --- The pictures ---------------------------------------------------------------

def limites(pts):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return min(xs), min(ys), max(xs), max(ys)


def cena_ventilador(o, c, com_armacao):
    """Points, polygons and stand geometry of a housing (unit coordinates)."""
    pontos = amostra(c["contorno"], 0.06) + amostra(c["flange"], 0.06)
    poligonos = [c["contorno"]]
    arm = None
    if com_armacao:
        # Legs clear of the outlet and its flange, on the floor the outlet reaches.
        x0, _, x1, _ = limites(c["espiral"] + c["flange"])
        y1 = limites(c["espiral"])[3]
        gx0, gx1 = sorted(c["saida_x"])
        chao = max(limites(c["contorno"])[3], y1 + 0.55)
        arm = (x0 - 0.12, x1 + 0.12, y1 + 0.02, chao, (gx0 - 0.06, gx1 + 0.06))
        pontos += amostra(ret_pts(arm[0], arm[2], arm[1], arm[3]), 0.06)
        pontos += amostra([(arm[0] - 0.2, arm[3]), (arm[1] + 0.2, arm[3]), (arm[1] + 0.2, arm[3] + 0.12),
                           (arm[0] - 0.2, arm[3] + 0.12)], 0.06)
    return pontos, poligonos, arm


def desenha_armacao(d, arm):
    x0, x1, y_trilho, chao, vao = arm
    d.armacao(x0, x1, y_trilho, chao, vao)
    d.chao(x0 - 0.2, x1 + 0.2, chao)


def figura_regulavel(fig, svg):
    o = Orientacao(fig["texto"])
    a180 = o.angulo == 180
    c = carcaca(o, 2.05 if a180 else 1.5)
    codigo = caixa_codigo(Svg(1, 1), fig["texto"])
    pontos, poligonos, arm = cena_ventilador(o, c, a180)
    enc = Encaixe(fig["w"], fig["h"], [r for r, _ in fig["areas"]] + [codigo])
    cx, cy, a = enc.melhor(pontos, poligonos)
    d = Desenho(svg, cx, cy, a)
    if arm:
        desenha_armacao(d, arm)
    d.carcaca(c)
    d.setas(c)
    rf = 0.3
    for (l, t, r, b), _ in fig["areas"]:
        # The motor's pulley beside its label, on the way to the fan's shaft.
        mx, my = ((l + r) / 2 - cx) / a, ((t + b) / 2 - cy) / a
        dist = math.hypot(mx, my)
        ux, uy = -mx / dist, -my / dist
        meia = min(((r - l) / 2 / abs(ux)) if abs(ux) > 1e-6 else 1e9,
                   ((b - t) / 2 / abs(uy)) if abs(uy) > 1e-6 else 1e9) / a
        rm = max(0.17, 4.5 / a)
        pm = (mx + ux * (meia + rm + 2.5 / a), my + uy * (meia + rm + 2.5 / a))
        d.correia((0, 0), rf, pm, rm, tracejada=True)
        d.polia(pm, rm)
    d.polia((0, 0), rf)
    for i, (ret, texto) in enumerate(fig["areas"], 1):
        rotulo_area(svg, ret, texto, i)
    caixa_codigo(svg, fig["texto"])


def figura_gabinete(fig, svg):
    o = Orientacao(fig["texto"])
    w, h = fig["w"], fig["h"]
    areas = [r for r, _ in fig["areas"]]
    # Walls through the middle of the inlets; the cabinet stands on a base.
    gx0, gx1 = 14, w - 15
    gy0 = 12 if h > 110 else 9
    gy1 = h - 11
    codigo = (gx0 + 3, gy0 + 3, gx0 + 3 + int(largura_texto(fig["texto"], TAM_CODIGO, True) + 10), gy0 + 17)
    c = carcaca(o, 1.5)
    pontos, poligonos, _ = cena_ventilador(o, c, False)
    dx, dy = o.direcao()

    def interior(x, y):
        return gx0 + 6 <= x <= gx1 - 6 and gy0 + 6 <= y <= gy1 - 6

    enc = Encaixe(w, h, areas + [codigo], livre=interior)
    enc_saida = Encaixe(w, h, areas + [codigo], margem_borda=0)

    def saida(cx, cy, a):
        # The outlet carried on through the wall it faces.
        x0, x1 = sorted(cx + a * v for v in c["saida_x"]) if dy else (None, None)
        if dy:
            ypts = range(int(cy - 1.5 * a) if dy < 0 else int(cy + 1.5 * a),
                         gy0 - 3 if dy < 0 else gy1 + 3, -1 if dy < 0 else 1)
            return all(not enc_saida.bloqueado[y][int(round(x))] for y in ypts if 0 <= y <= h
                       for x in (x0, x1))
        y0, y1 = sorted(cy + a * v for v in [o((-R1, 0))[1], o((LINGUA_X, 0))[1]])
        xpts = range(int(cx - 1.5 * a) if dx < 0 else int(cx + 1.5 * a), gx0 - 3 if dx < 0 else gx1 + 3,
                     -1 if dx < 0 else 1)
        return all(not enc_saida.bloqueado[int(round(y))][x] for x in xpts if 0 <= x <= w for y in (y0, y1))

    cx, cy, a = enc.melhor(pontos, poligonos, 0.92, extra=saida)
    # Outlet length, from the shaft, that reaches 4 pixels beyond the wall.
    if dy:
        comp = ((cy - (gy0 - 4)) if dy < 0 else ((gy1 + 4) - cy)) / a
    else:
        comp = ((cx - (gx0 - 4)) if dx < 0 else ((gx1 + 4) - cx)) / a
    c = carcaca(o, comp)

    # Cabinet: double wall, light inside, base under it.
    svg.retangulo(gx0 + 4, gy1 + 0.5, gx1 - gx0 - 8, 4, fill=BASE, sw=0.9)
    svg.retangulo(gx0 + 0.5, gy0 + 0.5, gx1 - gx0, gy1 - gy0, fill=GABINETE, sw=1.1)
    svg.retangulo(gx0 + 3.5, gy0 + 3.5, gx1 - gx0 - 6, gy1 - gy0 - 6, stroke=FINO, sw=0.7)
    d = Desenho(svg, cx, cy, a)
    d.carcaca(c)
    d.centro()
    d.setas(c)
    for i, (ret, texto) in enumerate(fig["areas"], 1):
        rotulo_area(svg, ret, texto, i)
    caixa_codigo(svg, fig["texto"], codigo[0] + 1.5, codigo[1] + 1.5)


def figura_motor_ao_lado(fig, svg, base_unica):
    """Arrangement 1 (own foot for the motor) and single base (one base for both)."""
    o = Orientacao(fig["texto"])
    a180 = o.angulo == 180
    c = carcaca(o, 2.05 if a180 else 1.5)
    lado = o.lado_motor()
    x0, y0, x1, y1 = limites(c["contorno"])
    ex0, ey0, ex1, ey1 = limites(c["espiral"])
    rm = 0.5
    xm = (x1 + 0.3 + rm) if lado > 0 else (x0 - 0.3 - rm)
    if a180:
        chao = y1
        y_base = ey1 + 0.02
    else:
        y_base = y1 + 0.22
        chao = y_base + (0.2 if base_unica else 0)
    ym = (y_base if base_unica else chao) - 0.22 - rm
    pontos, poligonos, arm = cena_ventilador(o, c, a180 and not base_unica)
    pontos += amostra([(xm - rm, ym - rm - 0.16), (xm + rm, ym - rm - 0.16), (xm + rm, chao + 0.12),
                       (xm - rm, chao + 0.12)], 0.06)
    if a180 and base_unica:
        pontos += amostra(ret_pts(min(xm - rm, ex0) - 0.1, y_base, max(xm + rm, ex1) + 0.1, chao + 0.12), 0.06)
    if not a180:
        pontos += amostra(ret_pts(min(x0, xm - rm) - 0.15, y_base, max(x1, xm + rm) + 0.15, chao + 0.12), 0.06)
    codigo = caixa_codigo(Svg(1, 1), fig["texto"])
    enc = Encaixe(fig["w"], fig["h"], [codigo], margem_borda=3)
    cx, cy, a = enc.melhor(pontos, poligonos, 0.86)
    d = Desenho(svg, cx, cy, a)
    bx0, bx1 = min(ex0, xm - rm) - 0.12, max(ex1, xm + rm) + 0.12
    if base_unica:
        if a180:
            g0, g1 = sorted(c["saida_x"])
            # The base stops short of the outlet, on legs down to the floor.
            if lado < 0:
                bx1 = g0 - 0.08
            else:
                bx0 = g1 + 0.08
            svg.poligono(d.ps(ret_pts(bx0, y_base, bx1, y_base + 0.2)), fill=BASE, sw=0.9)
            for x in (bx0 + 0.02, bx1 - 0.15):
                svg.poligono(d.ps(ret_pts(x, y_base + 0.2, x + 0.13, chao)), fill=BASE, sw=0.9)
            d.chao(min(bx0, ex0) - 0.2, max(bx1, ex1) + 0.2, chao)
        else:
            d.pe(0, 0.4, y_base, 0.5, 1.1)
            svg.poligono(d.ps(ret_pts(bx0, y_base, bx1, y_base + 0.2)), fill=BASE, sw=0.9)
            d.chao(bx0 - 0.1, bx1 + 0.1, chao)
        d.pe(xm, ym + rm * 0.6, y_base, 0.5, 0.85)
    else:
        if a180:
            desenha_armacao(d, arm)
            d.chao(min(xm - rm, arm[0]) - 0.2, max(xm + rm, arm[1]) + 0.2, chao)
        else:
            d.pe(0, 0.4, chao, 0.5, 1.1)
            d.chao(min(x0, xm - rm) - 0.15, max(x1, xm + rm) + 0.15, chao)
        d.pe(xm, ym + rm * 0.6, chao, 0.5, 0.85)
    d.carcaca(c)
    d.motor((xm, ym), rm)
    d.correia((0, 0), 0.3, (xm, ym), 0.18)
    d.polia((0, 0), 0.3)
    d.polia((xm, ym), 0.18)
    d.setas(c)
    caixa_codigo(svg, fig["texto"])


def figura_direto(fig, svg):
    o = Orientacao(fig["texto"])
    a180 = o.angulo == 180
    c = carcaca(o, 2.05 if a180 else 1.5)
    x0, y0, x1, y1 = limites(c["contorno"])
    chao = y1 + 0.22
    pontos, poligonos, arm = cena_ventilador(o, c, a180)
    if not a180:
        pontos += amostra(ret_pts(-0.6, 0.4, 0.6, chao + 0.12), 0.06)
    codigo = caixa_codigo(Svg(1, 1), fig["texto"])
    enc = Encaixe(fig["w"], fig["h"], [codigo])
    cx, cy, a = enc.melhor(pontos, poligonos, 0.88)
    d = Desenho(svg, cx, cy, a)
    if a180:
        desenha_armacao(d, arm)
    else:
        d.pe(0, 0.4, chao, 0.55, 1.2)
        d.chao(x0 - 0.1, x1 + 0.1, chao)
    d.carcaca(c, impelidor=False)
    # The motor on the shaft, seen from its fan cowl, terminal box on top.
    d.motor((0, 0), 0.66)
    d.centro(0.1)
    d.setas(c)
    caixa_codigo(svg, fig["texto"])


def figura_axial(fig, svg):
    codigo_txt = fig["texto"]
    vertical = codigo_txt.endswith("V")
    de_helice = codigo_txt.startswith("HA")  # the air meets the impeller first

    # Drawn lying down, impeller on the left and motor on the right; the
    # vertical positions turn it to stand with the impeller below.
    def gira(p):
        return (p[1], -p[0]) if vertical else p

    casco = ret_pts(-1.25, -0.72, 1.25, 0.72)
    flanges = [ret_pts(-1.35, -0.9, -1.25, 0.9), ret_pts(1.25, -0.9, 1.35, 0.9)]
    motor = ret_pts(0.1, -0.3, 0.95, 0.3)
    cubo = [(-0.62, -0.2), (-0.12, -0.2), (-0.05, -0.1), (-0.05, 0.1), (-0.12, 0.2), (-0.62, 0.2)]
    pas = [[(-0.52, -0.2), (-0.25, -0.2), (-0.22, -0.69), (-0.62, -0.69)],
           [(-0.52, 0.2), (-0.25, 0.2), (-0.3, 0.69), (-0.7, 0.69)]]
    sentido = 1 if de_helice else -1
    setas = []
    for xc in (-1.78, 1.78):
        x0, x1 = xc - 0.3 * sentido, xc + 0.3 * sentido
        setas.append(([(x0, 0), (x1 - 0.12 * sentido, 0)],
                      [(x1, 0), (x1 - 0.22 * sentido, -0.16), (x1 - 0.22 * sentido, 0.16)]))
    # Supports, in the picture's orientation: feet under the casing, or legs
    # from the lower flange down to the floor.
    if vertical:
        chao_y = 2.2
        apoios = [ret_pts(-0.9, 1.35, -0.76, chao_y), ret_pts(0.76, 1.35, 0.9, chao_y)]
    else:
        chao_y = 1.15
        apoios = [ret_pts(-0.95, 0.72, -0.8, chao_y), ret_pts(0.8, 0.72, 0.95, chao_y)]
    pontos = []
    for poli in [casco] + flanges + [motor] + pas:
        pontos += amostra([gira(p) for p in poli], 0.06)
    for _, ponta in setas:
        pontos += amostra([gira(p) for p in ponta], 0.06)
    for ap in apoios:
        pontos += amostra(ap, 0.06)
    pontos += amostra(ret_pts(-1.6, chao_y, 1.6, chao_y + 0.12), 0.06)
    codigo = caixa_codigo(Svg(1, 1), codigo_txt)
    enc = Encaixe(fig["w"], fig["h"], [codigo])
    cx, cy, a = enc.melhor(pontos, [[gira(p) for p in casco]], 0.85)
    d = Desenho(svg, cx, cy, a)

    def poli(pts, **kw):
        svg.poligono(d.ps([gira(p) for p in pts]), **kw)

    def lin(pts, **kw):
        svg.linha(d.ps([gira(p) for p in pts]), **kw)

    for ap in apoios:
        svg.poligono(d.ps(ap), fill=BASE, sw=0.9)
    d.chao(-1.6 if vertical else -1.5, 1.6 if vertical else 1.5, chao_y)
    poli(casco, fill=CARCACA, sw=1.1)
    for f in flanges:
        poli(f, fill=CARCACA_ESCURA, sw=0.9)
    lin([(-1.25, -0.64), (1.25, -0.64)], stroke=FINO, sw=0.6)
    lin([(-1.25, 0.64), (1.25, 0.64)], stroke=FINO, sw=0.6)
    for y in (-1, 1):
        lin([(0.52, 0.3 * y), (0.52, 0.72 * y)], sw=0.9)
    lin([(-0.05, 0), (0.1, 0)], sw=1.4)
    poli(motor, fill=MOTOR, sw=1.0)
    for x in (0.3, 0.45, 0.6, 0.75):
        lin([(x, -0.3), (x, 0.3)], stroke=FINO, sw=0.6)
    for p in pas:
        poli(p, fill=CARCACA_ESCURA, sw=0.9)
    poli(cubo, fill="#ffffff", sw=1.0)
    lin([(-1.5, 0), (1.5, 0)], stroke=FINO, sw=0.6, extra=' stroke-dasharray="6,2,1.5,2"')
    for haste, ponta in setas:
        lin(haste, stroke=AR, sw=2.2)
        poli(ponta, fill=AR, stroke=AR, sw=0.6)
    caixa_codigo(svg, codigo_txt)


DESENHISTAS = {
    "regulavel": figura_regulavel,
    "gabinete": figura_gabinete,
    "baseunica": lambda f, s: figura_motor_ao_lado(f, s, True),
    "arranjo1": lambda f, s: figura_motor_ao_lado(f, s, False),
    "direto": figura_direto,
    "axial": figura_axial,
}


def main():
    tabelas = le_tabelas()
    os.makedirs(DESTINO, exist_ok=True)
    for nome, (prefixo, tipo) in FAMILIAS.items():
        if nome not in tabelas:
            sys.exit("tabela %s não encontrada em %s" % (nome, TABELAS))
        for fig in tabelas[nome]:
            svg = Svg(fig["w"], fig["h"])
            svg.add('<rect width="%d" height="%d" fill="#ffffff"/>' % (fig["w"], fig["h"]))
            DESENHISTAS[tipo](fig, svg)
            moldura(svg)
            arquivo = os.path.join(DESTINO, "%s_%d.svg" % (prefixo, fig["tag"]))
            svg.grava(arquivo)
            print(os.path.relpath(arquivo, RAIZ))


if __name__ == "__main__":
    main()
