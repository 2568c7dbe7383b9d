#include "positions/posicoes.h"

#include <array>
#include <cstring>

namespace quellora {

namespace {

// Picture rows of the pickers: left edges of the four columns, tops of the
// two rows.
constexpr int X1 = 66, X2 = 218, X3 = 370, X4 = 522;
constexpr int Y1 = 127, Y2 = 249;

// A picture w x h pixels with its top-left corner at (x, y).
constexpr TRetangulo Em(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

// The tables below are also read by scripts/desenhos_posicoes.py, which
// draws the pictures around their spots: keep one picture per line.

// Belt drive, adjustable motor base: the motor positions around the fan.
constexpr TFigura FigurasPosicao[] = {
    {1, "RD 0°", Em(X1, Y1, 150, 119), {{{112, 29, 141, 55}, "BR 90°"}, {{7, 81, 36, 109}, "BR 270°"}}},
    {2, "RD 90°", Em(X2, Y1, 150, 119), {{{91, 3, 119, 30}, "BR 0°"}, {{10, 88, 38, 116}, "BR 270°"}}},
    {3, "LG 0°", Em(X3, Y1, 150, 119), {{{10, 82, 39, 108}, "BR 90°"}, {{119, 30, 148, 57}, "BR 270°"}}},
    {4, "LG 90°", Em(X4, Y1, 150, 119), {{{75, 5, 105, 33}, "BR 0°"}, {{101, 89, 129, 113}, "BR 270°"}}},
    {5, "RD 180°", Em(X1, Y2, 150, 119), {{{90, 1, 117, 26}, "BR 0°"}, {{120, 82, 148, 108}, "BR 90°"}, {{7, 80, 35, 106}, "BR 270°"}}},
    {6, "RD 270°", Em(X2, Y2, 150, 119), {{{81, 2, 109, 29}, "BR 0°"}, {{106, 79, 132, 103}, "BR 90°"}}},
    {7, "LG 180°", Em(X3, Y2, 150, 119), {{{94, 4, 122, 28}, "BR 0°"}, {{5, 83, 32, 109}, "BR 90°"}, {{120, 84, 148, 108}, "BR 270°"}}},
    {8, "LG 270°", Em(X4, Y2, 150, 119), {{{96, 5, 122, 28}, "BR 0°"}, {{14, 85, 43, 110}, "BR 90°"}}},
};

// Ventilation cabinets up to size 560: the air inlets around the cabinet.
constexpr TFigura FigurasGab160a560[] = {
    {1, "RD 0°", Em(X1, Y1, 150, 111), {{{119, 48, 146, 80}, "TA 90°"}, {{1, 49, 28, 80}, "TA 270°"}}},
    {2, "RD 90°", Em(X2, Y1, 150, 111), {{{58, 0, 95, 25}, "TA 0°"}, {{2, 46, 36, 83}, "TA 270°"}}},
    {3, "LG 0°", Em(X3, Y1, 150, 111), {{{3, 49, 32, 81}, "TA 90°"}, {{121, 46, 147, 80}, "TA 270°"}}},
    {4, "LG 90°", Em(X4, Y1, 150, 111), {{{50, 0, 87, 19}, "TA 0°"}, {{112, 44, 147, 80}, "TA 270°"}}},
    {5, "RD 180°", Em(X1, Y2, 150, 111), {{{55, 1, 93, 23}, "TA 0°"}, {{115, 45, 146, 83}, "TA 90°"}, {{3, 47, 33, 80}, "TA 270°"}}},
    {6, "RD 270°", Em(X2, Y2, 150, 111), {{{55, 2, 90, 25}, "TA 0°"}, {{115, 45, 146, 81}, "TA 90°"}}},
    {7, "LG 180°", Em(X3, Y2, 150, 111), {{{56, 1, 93, 22}, "TA 0°"}, {{3, 44, 35, 80}, "TA 90°"}, {{117, 45, 147, 81}, "TA 270°"}}},
    {8, "LG 270°", Em(X4, Y2, 150, 111), {{{54, 3, 93, 22}, "TA 0°"}, {{3, 47, 33, 81}, "TA 90°"}}},
};

// Ventilation cabinets from size 630 on.
constexpr TFigura FigurasGab680a1000[] = {
    {1, "RD 0°", Em(X1, 159, 150, 109), {{{117, 48, 149, 81}, "TA 90°"}, {{1, 49, 28, 81}, "TA 270°"}}},
    {2, "RD 90°", Em(X2, 159, 150, 109), {{{2, 50, 33, 80}, "TA 270°"}}},
    {3, "LG 0°", Em(X3, 159, 150, 109), {{{1, 49, 32, 81}, "TA 90°"}, {{119, 49, 149, 81}, "TA 270°"}}},
    {4, "LG 90°", Em(X4, 159, 150, 109), {{{118, 48, 149, 81}, "TA 270°"}}},
};

// The pickers whose pictures are picked whole show them in two rows: tags 1,
// 2, 5, 6 on top, 3, 4, 7, 8 below. 'dx' centres a narrower picture in its
// column.
constexpr TRetangulo NaGrade(int tag, int w, int h, int dx = 0) {
    constexpr int colunas[8] = {X1, X2, X1, X2, X3, X4, X3, X4};
    const bool embaixo = tag == 3 || tag == 4 || tag == 7 || tag == 8;
    return Em(colunas[tag - 1] + dx, embaixo ? Y2 : Y1, w, h);
}

// Belt drive, single motor base: fan and motor on one base.
constexpr TFigura FigurasPosicaoBU[] = {
    {1, "RD 0°/BU W", NaGrade(1, 150, 118)},
    {2, "RD 90°/BU Z", NaGrade(2, 150, 118)},
    {3, "RD 180°/BU Z", NaGrade(3, 150, 118)},
    {4, "RD 270°/BU W", NaGrade(4, 150, 118)},
    {5, "LG 0°/BU Z", NaGrade(5, 150, 118)},
    {6, "LG 90°/BU W", NaGrade(6, 150, 118)},
    {7, "LG 180°/BU W", NaGrade(7, 150, 118)},
    {8, "LG 270°/BU Z", NaGrade(8, 150, 118)},
};

// The fan positions by tag where the picture alone is the designation.
constexpr const char *PosicoesPorTag[8] = {"RD 0°", "RD 90°", "RD 180°", "RD 270°",
                                           "LG 0°", "LG 90°", "LG 180°", "LG 270°"};

constexpr std::array<TFigura, 8> PosicoesInteiras(int w, int h, int dx) {
    std::array<TFigura, 8> f{};
    for (int t = 1; t <= 8; ++t)
        f[static_cast<std::size_t>(t - 1)] = TFigura{t, PosicoesPorTag[t - 1], NaGrade(t, w, h, dx)};
    return f;
}

// Direct coupling: the motor on the fan's shaft (narrower pictures).
constexpr auto FigurasPosicao4 = PosicoesInteiras(142, 118, 4);
// Arrangement 1: the motor beside the fan, driving through a belt.
constexpr auto FigurasPosicao1 = PosicoesInteiras(150, 119, 0);

// Axial fans: airflow and mounting position, in one row.
constexpr TFigura FigurasAxial[] = {
    {1, "HAH", Em(X1, Y1, 150, 148)},
    {2, "AHH", Em(X2, Y1, 150, 148)},
    {3, "HAV", Em(X4, Y1, 150, 148)},
    {4, "AHV", Em(X3, Y1, 150, 148)},
};

constexpr const char *Rotulo2Padrao = "Posições de ventiladores e motores";

// By navigation number (MostraJanela).
const TSeletor Tabela[] = {
    {8, "TfrmPosicao", Rotulo2Padrao,
     "Ventiladores com base regulável           (vista do lado do acionamento)", "posicao", true,
     Regra180::ExigeQuadro, false, FigurasPosicao},
    {9, "TfrmPosicaoBU", Rotulo2Padrao,
     "Ventiladores com base única           (vista do lado do acionamento)", "posicaobu", false,
     Regra180::ExigeQuadro, false, FigurasPosicaoBU},
    {12, "TfrmPosicao4", Rotulo2Padrao,
     "Acoplamento direto                                     (vista do lado do acionamento)", "posicao4", false,
     Regra180::NaoSelecionavel, false, FigurasPosicao4},
    {13, "TfrmPosicao1", Rotulo2Padrao,
     "Arranjo 1                                                      (vista do lado do acionamento)", "posicao1",
     false, Regra180::NaoSelecionavel, false, FigurasPosicao1},
    {14, "TfrmGab160a560", Rotulo2Padrao,
     "Gabinetes de ventilação                                                              (160 a 560)", "gab160a560",
     true, Regra180::Normal, true, FigurasGab160a560},
    {15, "TfrmGab680a1000", Rotulo2Padrao,
     "Gabinetes de ventilação                                                             (630 a 1000)",
     "gab680a1000", true, Regra180::Normal, true, FigurasGab680a1000},
    {16, "TfrmAxial", "VENTILADORES AXIAIS", "Fluxo de ar e posição de montagem", "axial", false,
     Regra180::Normal, false, FigurasAxial},
};

} // namespace

// --- Tables ----------------------------------------------------------------

int TFigura::NumAreas() const {
    int n = 0;
    while (n < MaxAreas && Areas[n].Texto)
        ++n;
    return n;
}

bool TFigura::Descarga180() const { return std::strstr(Posicao, "180°") != nullptr; }

const TFigura *TSeletor::Figura(int tag) const {
    for (const TFigura &f : Figuras)
        if (f.Tag == tag)
            return &f;
    return nullptr;
}

std::span<const TSeletor> Seletores() { return Tabela; }

const TSeletor *SeletorNumero(int n) {
    for (const TSeletor &s : Tabela)
        if (s.Numero == n)
            return &s;
    return nullptr;
}

QString DesenhoFigura(const TSeletor &s, const TFigura &f) {
    return QStringLiteral(":/imagens/posicoes/%1_%2.svg").arg(QString::fromLatin1(s.Desenhos)).arg(f.Tag);
}

bool FiguraOferecida(const TSeletor &s, const TFigura &f, int tamanho) {
    return !(s.Regra == Regra180::ExigeQuadro && f.Descarga180() && tamanho >= TamanhoSemQuadro);
}

bool FiguraSelecionavel(const TSeletor &s, const TFigura &f) {
    return !(s.Regra == Regra180::NaoSelecionavel && f.Descarga180());
}

bool FiguraExigeQuadro(const TSeletor &s, const TFigura &f) {
    return s.Regra == Regra180::ExigeQuadro && f.Descarga180();
}

const TArea *AreaEm(const TFigura &f, int x, int y) {
    for (int i = 0; i < f.NumAreas(); ++i)
        if (f.Areas[i].Ret.Contem(x, y))
            return &f.Areas[i];
    return nullptr;
}

QString Designacao(const TFigura &f, const TArea *a) {
    QString d = QString::fromUtf8(f.Posicao);
    if (a)
        d += QLatin1Char('/') + QString::fromUtf8(a->Texto);
    return d;
}

namespace {
QString SemGrau(const QString &t) {
    return QString(t).remove(QChar(0x00B0)).simplified().toUpper().remove(QLatin1Char(' '));
}
} // namespace

int SeletorDoItem(const TItemOrc &item) {
    if (item.ComGabinete)
        return item.Tamanho >= 630 ? 15 : 14;
    if (item.Axial)
        return 16;
    if (item.Direto || item.Arranjo == 1)
        return item.Arranjo == 1 ? 13 : 12;
    return item.Posicao.contains(QStringLiteral("/BU"), Qt::CaseInsensitive) ? 9 : 8;
}

TFiguraEscolhida FiguraDoItem(const TItemOrc &item) {
    const QString procurada = SemGrau(item.Posicao);
    if (procurada.isEmpty())
        return {};
    auto procura = [&](const TSeletor &s) -> TFiguraEscolhida {
        for (const TFigura &f : s.Figuras) {
            for (int k = 0; s.ComAreas && k < f.NumAreas(); ++k)
                if (SemGrau(Designacao(f, &f.Areas[k])) == procurada)
                    return {&s, &f, &f.Areas[k]};
            if (SemGrau(Designacao(f)) == procurada)
                return {&s, &f, nullptr};
        }
        return {};
    };
    if (const TSeletor *s = SeletorNumero(SeletorDoItem(item)))
        if (const TFiguraEscolhida e = procura(*s); e.Figura)
            return e;
    for (const TSeletor &s : Seletores())
        if (const TFiguraEscolhida e = procura(s); e.Figura)
            return e;
    return {};
}

// --- A picker's state ------------------------------------------------------

TEstadoSeletor::TEstadoSeletor(const TSeletor &s, bool &posicaoExigeQuadro) : s_(s), exigeQuadro_(posicaoExigeQuadro) {}

void TEstadoSeletor::Mostra(int tamanho) {
    tamanho_ = tamanho;
    pressionado_ = false;
    cheio_ = false;
    // The marker stays where it was between showings, but not on a picture
    // this item is not offered: pressing it would pick that position.
    if (tagMarcador_ && !Oferecida(tagMarcador_)) {
        Esconde();
        tagMarcador_ = 0;
        ultimoTag_ = 0;
    }
}

bool TEstadoSeletor::Oferecida(int tag) const {
    const TFigura *f = s_.Figura(tag);
    return f && FiguraOferecida(s_, *f, tamanho_);
}

void TEstadoSeletor::Esconde() {
    marcador_ = false;
    cheio_ = false;
}

void TEstadoSeletor::Marca(const TFigura &f, const TRetangulo &ret, const QString &texto) {
    marcador_ = true;
    tagMarcador_ = f.Tag;
    retMarcador_ = ret;
    etiqueta_ = texto;
}

bool TEstadoSeletor::Aponta(int tag, int x, int y) {
    const TFigura *f = s_.Figura(tag);
    if (!f || !Oferecida(tag))
        return false;
    const int px = f->Ret.Esquerda, py = f->Ret.Topo;

    if (s_.ComAreas) {
        const TArea *a = AreaEm(*f, x, y);
        if (!a) {
            if (marcador_)
                Esconde();
            return false;
        }
        const TRetangulo ret = a->Ret.Deslocado(px, py);
        // A spot entered straight from another one moves the marker too.
        if (!marcador_ || ret != retMarcador_ || tagMarcador_ != tag) {
            Marca(*f, ret, Designacao(*f, a));
            etqEsquerda_ = ret.Esquerda;
            etqReferencia_ = ret.Topo - 2;
            if (s_.GravaQuadro())
                exigeQuadro_ = FiguraExigeQuadro(s_, *f);
        }
        return true;
    }

    if (tag == ultimoTag_)
        return marcador_;
    ultimoTag_ = tag;
    if (s_.GravaQuadro())
        exigeQuadro_ = FiguraExigeQuadro(s_, *f);
    etiqueta_ = Designacao(*f);
    etqEsquerda_ = px + 2;
    etqReferencia_ = py + 2;
    if (!FiguraSelecionavel(s_, *f)) {
        Esconde();
        tagMarcador_ = tag;
        return false;
    }
    Marca(*f, f->Ret, etiqueta_);
    return true;
}

int TEstadoSeletor::EtiquetaTopo(int altura) const {
    return s_.ComAreas ? etqReferencia_ - altura : etqReferencia_;
}

void TEstadoSeletor::Pressiona(int x, int y) {
    pressionado_ = marcador_ && retMarcador_.Contem(x, y);
    cheio_ = pressionado_;
}

std::optional<TEscolha> TEstadoSeletor::Solta(int x, int y) {
    const bool escolheu = marcador_ && pressionado_ && retMarcador_.Contem(x, y);
    cheio_ = false;
    pressionado_ = false;
    if (!escolheu)
        return std::nullopt;
    TEscolha e;
    e.Posicao = etiqueta_;
    e.GravaQuadro = s_.GravaQuadro();
    if (e.GravaQuadro) {
        // The flag is the picked picture's, even when the marker was left
        // there by an earlier showing and the picture not pointed at since.
        const TFigura *f = s_.Figura(tagMarcador_);
        exigeQuadro_ = f && FiguraExigeQuadro(s_, *f);
        e.ExigeQuadro = exigeQuadro_;
    }
    return e;
}

} // namespace quellora
