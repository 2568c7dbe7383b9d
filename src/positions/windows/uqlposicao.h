#pragma once
// The seven discharge-position pickers. Each shows the pictures of one kind
// of fan; a red marker and a yellow tag follow the mouse over what can be
// picked, and a click on the marker stores the position in the current item
// and goes back to the configuration window.

#include "positions/posicoes.h"
#include "shell/windows/janelafilha.h"

#include <QPoint>

#include <vector>

class QLabel;

namespace quellora {

struct EntradaJanela;
class MarcadorPosicao;

class JanelaPosicao : public JanelaFilha {
    Q_OBJECT
public:
    JanelaPosicao(const TSeletor &seletor, QWidget *painel);

    const TEstadoSeletor &estado() const { return estado_; }

protected:
    void aoMostrar() override;
    void aoEsconder() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void atualizaMarcador();
    void escolhe(const TEscolha &e);

    TEstadoSeletor estado_;
    QWidget *quadro_ = nullptr; // the frame around the pictures
    QPoint origem_;             // its top-left corner in window coordinates
    QLabel *Label1_ = nullptr;
    std::vector<QWidget *> figuras_; // by tag - 1
    MarcadorPosicao *sh1_ = nullptr;
    QLabel *lb1_ = nullptr;
};

// Belt drive, adjustable motor base (navigation number 8).
class TfrmPosicao : public JanelaPosicao {
    Q_OBJECT
public:
    explicit TfrmPosicao(QWidget *painel);
};

// Belt drive, single motor base (9).
class TfrmPosicaoBU : public JanelaPosicao {
    Q_OBJECT
public:
    explicit TfrmPosicaoBU(QWidget *painel);
};

// Direct coupling (12).
class TfrmPosicao4 : public JanelaPosicao {
    Q_OBJECT
public:
    explicit TfrmPosicao4(QWidget *painel);
};

// Arrangement 1 (13).
class TfrmPosicao1 : public JanelaPosicao {
    Q_OBJECT
public:
    explicit TfrmPosicao1(QWidget *painel);
};

// Ventilation cabinets up to size 560 (14): the air inlet is picked.
class TfrmGab160a560 : public JanelaPosicao {
    Q_OBJECT
public:
    explicit TfrmGab160a560(QWidget *painel);
};

// Ventilation cabinets from size 630 on (15).
class TfrmGab680a1000 : public JanelaPosicao {
    Q_OBJECT
public:
    explicit TfrmGab680a1000(QWidget *painel);
};

// Axial fans: airflow and mounting position (16).
class TfrmAxial : public JanelaPosicao {
    Q_OBJECT
public:
    explicit TfrmAxial(QWidget *painel);
};

// Creates the picker of the entry's navigation number.
QWidget *CriaJanelaPosicao(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
