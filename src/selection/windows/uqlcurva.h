#pragma once
// The performance chart: a paint box that draws the chart in force (the small
// chart of the selection window and the curve window's large one), and the
// curve window with the item's data, printing and the clipboard copy.

#include "selection/desenho_curva.h"
#include "selection/sistema.h"
#include "shell/windows/janelafilha.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace quellora {

// Paint box of the chart in force (G().DadosCurva, G().Curva) at its font
// sizes, with the system and the fans in parallel of its figures over it.
// Draws nothing while 'valido' is false.
class PainelCurva : public QWidget {
    Q_OBJECT
public:
    PainelCurva(int tamFonte, int tamFonteMenor, QWidget *pai = nullptr);
    void setValido(bool v);
    bool valido() const { return valido_; }
    void setFiguras(const TFiguras &f);
    // The chart as the paint box shows it.
    QImage imagem();
    TGeometriaCurva geometria() const { return geometria_; }

signals:
    void clicado();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void desenha(QPaintDevice &d);
    int tamFonte_, tamFonteMenor_;
    bool valido_ = false;
    TGeometriaCurva geometria_;
    TFiguras figuras_;
};

// What the selection window hands to the curve window.
struct TTextosCurva {
    QString Item;                        // "Item: n"
    std::array<QString, 11> Valores;     // st1..st11
    BlocoCurva Bloco;                    // the printed sheet's data block
    TFiguras Figuras;                    // system, sound and warnings
};

class TfrmCurva : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmCurva(QWidget *painel);

    void defineTextos(const TTextosCurva &t);
    PainelCurva *painel() const { return pb_; }

    // Prints the chart sheet on 'impressora' (already set up).
    void imprimeEm(QPrinter &impressora);
    // Test hook: replaces the printer dialog; returns false for Cancel.
    std::function<bool(QPrinter &)> confirmaImpressao;

    void copiaParaAreaDeTransferencia();

private:
    void imprime();
    PainelCurva *pb_;
    QCheckBox *ckbColorida_;
    QLabel *lbItem_;
    std::array<QLabel *, 11> st_{};
    // The fans, the sound pressure, the exposure and the warnings.
    std::array<QLabel *, 4> extras_{};
    BlocoCurva bloco_;
    TFiguras figuras_;
};

struct EntradaJanela;
QWidget *CriaTfrmCurva(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
