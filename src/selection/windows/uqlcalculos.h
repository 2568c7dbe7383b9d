#pragma once
// The selection window: the quotation's items, the fan line of each, the
// sizes of that line that qualify for the item's duty, the most efficient
// one highlighted, and the small performance chart of the size under the
// cursor.

#include "catalogue/energia.h"
#include "selection/calculo.h"
#include "selection/eficiencia.h"
#include "shell/preferencias.h"
#include "shell/windows/janelafilha.h"

#include <QString>

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quellora {

class GradeTexto;
class PainelCurva;
struct TTextosCurva;

class TfrmCalculos : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmCalculos(QWidget *painel);

    // Window state.
    bool PreenchendoItens = false;
    bool Iniciando = false;
    bool CurvaValida = false;
    bool Selecionando = false;
    bool Falhou = false;
    bool VoltaCurva = false;

    int LinhaDestaque() const;

    void LimpaGrade();
    void PreencheItens();
    void CalculaGrade(int col, int row);
    void PreencheGrade();
    void PreparaCurva();
    // Runs the calculation in the mode of SoTamanho and fills the size grid.
    void CalculaTamanhos();
    // A line button (list position k).
    void EscolhePorBotao(int k);
    // Opening a quotation or New: nothing of the last item stays on screen.
    void Reinicia();

    GradeTexto *grItens() const { return grItens_; }
    GradeTexto *sgModelos() const { return sgModelos_; }
    PainelCurva *pb() const { return pb_; }
    QStringList linhas() const { return linhas_; }

    // What the curve window receives for the current item and size row.
    TTextosCurva TextosDaCurva() const;
    // The energy figures of a row of the size grid: the item's stored
    // selection, or the calculated size.
    TEficiencia EficienciaDaLinha(int row) const;

protected:
    void aoMostrar() override;
    void aoEsconder() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void criaBotoesDeLinha();
    void selecionaCelulaItens(int col, int row);
    void mostraSelecaoGuardada(int row);
    void btSelecionaClick();
    void abreCurva();
    void avisa(AvisoCalculo tipo, const QString &texto);
    void atualizaCurva();
    void carregaPreferencias();
    TBaseEnergia baseEnergia() const;
    void escreveEnergia(int row, const TEficiencia &e);
    void mostraEnergia();

    QLineEdit *edProjeto_;
    QLineEdit *edOrcamento_;
    QLabel *lbItem_;
    GradeTexto *grItens_;
    GradeTexto *sgModelos_;
    PainelCurva *pb_;
    QPushButton *btSeleciona_;
    QPushButton *btCurva_;
    QLabel *lbEnergia_;
    QGroupBox *gbLinhas_;
    QStringList linhas_;
    bool calculando_ = false;
    TEnergiaCatalogo energia_;
    TPreferencias prefs_;
};

struct EntradaJanela;
QWidget *CriaTfrmCalculos(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
