#pragma once
// The motor window (navigation number 10): the electric motor of the current
// item by type/protection, voltage, frequency, poles and make, either the
// suggested motor or the whole motor group, or no motor at all. Every exit
// returns to the configuration window.

#include "shell/windows/janelafilha.h"


class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quellora {

struct EntradaJanela;
class GradeTexto;
class GrupoRadio;

class TfrmMotor : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmMotor(QWidget *painel);

    // Window state.
    bool Montando = false;
    int PolosIni = 0;
    bool Dahlander = false;
    int GrupoMotor = -1;
    int LinhaMotor = -1;
    bool Especial = false;
    int ProtecaoAnterior = 0;
    QString LinhaSalva; // the suggestion row's cells, joined by tabs

    void MontaMotor();
    void ListaTensoes();
    void ListaPolos();
    void EscolheGrupo();
    void MostraMotores();
    void ConfirmaMotor();

    // The row of the motor group drawn light yellow under "Todos": the
    // suggested motor (-1 none).
    int LinhaSugerida() const { return linhaSugerida_; }

    GradeTexto *sgMot() const { return sgMot_; }

protected:
    void aoMostrar() override;

private:
    void lbProtecaoClick();
    void btSemMotorClick();
    void btCancelaClick();
    void mostraLinha(int row, int m);
    void corDosTitulos(const QColor &cor);
    bool sugestao() const;
    int polo() const; // pole choice + 1, 0 when none

    QLabel *lbModelo_;
    QLabel *txVazao_;
    QLabel *txPressao_;
    QLabel *txRotacao_;
    QLineEdit *edPwop_;
    QLineEdit *edPwst_;
    QComboBox *lbProtecao_;
    QComboBox *lbTensao_;
    QComboBox *lbFrequencia_;
    QLineEdit *edObs_;
    GrupoRadio *rgPolos_;
    QComboBox *cbSugestao_;
    QComboBox *cbMarca_;
    GradeTexto *sgMot_;
    QPushButton *btOK_;
    QPushButton *btSemMotor_;
    QPushButton *btCancela_;
    int linhaSugerida_ = -1;
};

QWidget *CriaTfrmMotor(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
