#pragma once
// The arrangement window (navigation number 5): pictures of the drive
// arrangements of single- or double-inlet fans, one check box each, only the
// arrangements admissible for the chosen size enabled. Confirming a belt
// drive writes the size's operating point into the item; a direct coupling
// first asks for the motor speed and recomputes the size at it.

#include "quotation/registros.h"
#include "selection/resultado.h"
#include "shell/windows/janelafilha.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace quellora {

struct EntradaJanela;
class TfrmCalculos;
class TfrmMotor4;

class TfrmArranjo : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmArranjo(QWidget *painel);

    // Window state. ListaArranjos and the page come from the item on show
    // (its DescTamanho and PaginaArranjo, which the selection fills).
    QString ListaArranjos;
    int ArranjoEscolhido = 0;
    bool DiretoEscolhido = false;
    QCheckBox *CaixaMarcada = nullptr;

    // Box ckb1..ckb9.
    QCheckBox *caixa(int n) const;
    int pagina() const;

    void ConfirmaArranjo();
    void RecalculaDireto();

protected:
    void aoMostrar() override;

private:
    void VerMarca(QCheckBox *cb, bool marcada);
    void btOKClick();
    void cancela();
    // What a recalculation of the size changes besides the item.
    struct Tentativa {
        TResultadoGrade Resultado;
        double PressaoCalc = 0;
        static Tentativa Agora();
    };
    // Back to the selection window after a recalculation that found the size
    // no longer qualifies, with everything as it was before it.
    void voltaSemTamanho(const Tentativa &antes);
    TfrmCalculos *calculos() const;
    TfrmMotor4 *dialogoMotor();

    QLabel *Label1_;
    QStackedWidget *nb_;
    std::array<QCheckBox *, 10> ckb_{};
    QPushButton *btOK_;
    QPushButton *btCancela_;
    TfrmMotor4 *motor4_ = nullptr;
    // The item as the selection handed it over, for a way back that leaves
    // it as it was.
    TItemOrc itemAntes_;
};

QWidget *CriaTfrmArranjo(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
