#pragma once
// The discharge-position pickers: the pictures each picker shows, the spots
// that can be clicked on them, which positions need the frame accessory, and
// what a picker shows and picks as the user points, presses and releases.

#include "quotation/registros.h"

#include <QString>

#include <optional>
#include <span>

namespace quellora {

// A rectangle in pixels. The left and top edges belong to it, the right and
// bottom edges do not.
struct TRetangulo {
    int Esquerda = 0, Topo = 0, Direita = 0, Base = 0;

    constexpr bool Contem(int x, int y) const { return Esquerda <= x && x < Direita && Topo <= y && y < Base; }
    constexpr int Largura() const { return Direita - Esquerda; }
    constexpr int Altura() const { return Base - Topo; }
    constexpr TRetangulo Deslocado(int dx, int dy) const { return {Esquerda + dx, Topo + dy, Direita + dx, Base + dy}; }
    bool operator==(const TRetangulo &) const = default;
};

// A spot of a picture: its rectangle in the picture's own pixels and the text
// that follows the "/" of the designation ("BR 90°").
struct TArea {
    TRetangulo Ret;
    const char *Texto = nullptr; // UTF-8; null for no spot
};

inline constexpr int MaxAreas = 4;

// One picture of a picker, keyed by its tag (1 to 8).
struct TFigura {
    int Tag = 0;
    // The fan position ("RD 0°"); in a picker without spots, the whole
    // designation ("RD 0°/BU W", "HAH").
    const char *Posicao = nullptr;
    TRetangulo Ret; // its place in the picker window
    TArea Areas[MaxAreas] = {};

    int NumAreas() const;
    // One of the positions with the discharge pointing down ("RD 180°").
    bool Descarga180() const;
};

// What a picker does with its two 180° pictures.
enum class Regra180 {
    Normal,
    // Belt drive: hidden from size 800 on; they need the frame accessory.
    ExigeQuadro,
    // Direct coupling and arrangement 1: shown but cannot be picked.
    NaoSelecionavel,
};

struct TSeletor {
    int Numero;          // navigation number
    const char *Classe;  // window class
    const char *Rotulo2; // the two headings
    const char *Rotulo3;
    const char *Desenhos; // drawings: ":/imagens/posicoes/<Desenhos>_<tag>.svg"
    bool ComAreas;        // the pictures have spots; else a picture is picked whole
    Regra180 Regra;
    bool PedeEntrada;     // the status line asks for the air inlet (cabinets)
    std::span<const TFigura> Figuras;

    // The picker records whether the position needs the frame accessory.
    bool GravaQuadro() const { return Regra == Regra180::ExigeQuadro; }
    const TFigura *Figura(int tag) const;
};

// The seven pickers, and one by navigation number (null for none).
std::span<const TSeletor> Seletores();
const TSeletor *SeletorNumero(int n);

// From this size on the belt-drive pickers offer no 180° picture.
inline constexpr int TamanhoSemQuadro = 800;

QString DesenhoFigura(const TSeletor &s, const TFigura &f);
bool FiguraOferecida(const TSeletor &s, const TFigura &f, int tamanho);
bool FiguraSelecionavel(const TSeletor &s, const TFigura &f);
bool FiguraExigeQuadro(const TSeletor &s, const TFigura &f);

// The first spot of the picture that holds (x, y), in picture pixels; null
// when none does.
const TArea *AreaEm(const TFigura &f, int x, int y);
// "RD 0°/BR 90°"; without a spot, the picture's own text.
QString Designacao(const TFigura &f, const TArea *a = nullptr);

// The picture a stored position was picked on: the picker, its picture and
// the spot (null for a picture picked whole). Null picker and picture when
// the text names none.
struct TFiguraEscolhida {
    const TSeletor *Seletor = nullptr;
    const TFigura *Figura = nullptr;
    const TArea *Area = nullptr;
};
// The number of the picker the configuration offers an item: the cabinets
// by size, the axial fans, direct coupling and arrangement 1, then the
// single motor base (a "/BU" position) or the adjustable one.
int SeletorDoItem(const TItemOrc &item);
// The picture of the item's position, on its picker first and else on any
// that has it. The comparison ignores case, spacing and the degree sign
// ("LG 0" is "LG 0°").
TFiguraEscolhida FiguraDoItem(const TItemOrc &item);

// What a pick stores in the item.
struct TEscolha {
    QString Posicao;
    bool GravaQuadro = false; // ExigeQuadro is to be stored too
    bool ExigeQuadro = false;
};

// What a picker window shows and remembers while the user points at its
// pictures and presses and releases the marker. The window forwards the
// mouse and draws the marker and the tag from here. 'posicaoExigeQuadro' is
// the shared flag the belt-drive pickers keep up to date.
class TEstadoSeletor {
public:
    TEstadoSeletor(const TSeletor &s, bool &posicaoExigeQuadro);

    const TSeletor &Seletor() const { return s_; }

    // The window is shown for an item of this size: the press is forgotten.
    // A marker left on a picture that is no longer offered disappears.
    void Mostra(int tamanho);
    bool Oferecida(int tag) const;

    // The mouse moves over picture 'tag' at (x, y) in its pixels. True when
    // the pointer there is the hand (something to pick).
    bool Aponta(int tag, int x, int y);
    // Button down / up at (x, y) in window coordinates. Solta gives the pick,
    // if the release completes one.
    void Pressiona(int x, int y);
    std::optional<TEscolha> Solta(int x, int y);

    bool MarcadorVisivel() const { return marcador_; }
    bool MarcadorCheio() const { return cheio_; }
    TRetangulo Marcador() const { return retMarcador_; } // window coordinates
    QString Etiqueta() const { return etiqueta_; }
    // The tag's top-left corner in window coordinates, for a tag this high.
    int EtiquetaEsquerda() const { return etqEsquerda_; }
    int EtiquetaTopo(int altura) const;

private:
    void Esconde();
    void Marca(const TFigura &f, const TRetangulo &ret, const QString &texto);

    const TSeletor &s_;
    bool &exigeQuadro_;
    int tamanho_ = 0;
    bool marcador_ = false;
    bool cheio_ = false;
    bool pressionado_ = false;
    int tagMarcador_ = 0;     // picture the marker is on
    int ultimoTag_ = 0;       // whole-picture pickers: last picture pointed at
    TRetangulo retMarcador_;
    QString etiqueta_;
    int etqEsquerda_ = 0;
    int etqReferencia_ = 0;   // bottom (spots) or top (whole pictures)
};

} // namespace quellora
