#pragma once
// The configuration window (navigation number 7): each item of the quotation
// completed with its accessories, special accessories, motor and discharge
// position, and its prices kept up to date. The motor and position windows
// are opened from the checklist and come back here.

#include "pricing/configuracao.h"
#include "shell/windows/janelafilha.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;
class QStyleOptionViewItem;

namespace quellora {

class GradeTexto;
class ListaDesenhada;
class TfrmAceEsp;
struct EntradaJanela;

class TfrmConfigura : public JanelaFilha {
    Q_OBJECT
public:
    explicit TfrmConfigura(QWidget *painel);
    ~TfrmConfigura() override;

    // Window state.
    double PrecoMotorLiq = 0;
    double PrecoVentLista = 0;
    double SomaAcess = 0;
    double MultDescV = 1;
    double MultDescM = 1;
    double FatorM = 0;
    double FatorV = 0;
    bool PreenchendoICMS = false;
    bool VoltaFolha = false;
    bool RetornoJanela = false;
    bool ICMSAlterado = false;

    // The checklist of the item shown, with its indices (PrimeiroEspecial,
    // IdxBU, IdxBR, IdxQR, IdxGAB, IdxPosicao).
    const TListaAcessorios &Lista() const { return lista_; }

    void LeFatores();
    void FatoresDoOrcamento();
    void LimpaConfiguracao();
    void AtualizaDescontos();
    void AtualizaConfiguracao();
    void RecalculaAcessorios();
    void IncluiAcessorioEspecial();
    // The item chosen in the item list.
    void cbItensClick();

    ListaDesenhada *cbItens() const { return cbItens_; }
    ListaDesenhada *clb() const { return clb_; }
    GradeTexto *sgConfig() const { return sgConfig_; }

public slots:
    // A new quotation: the quotation was cleared and the factors file read
    // again into Fatores.
    void OrcamentoNovo();
    // A quotation opened: Fatores holds its factors and its ICMS is 1..4.
    void OrcamentoAberto();

protected:
    void aoMostrar() override;
    void aoEsconder() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    TItemOrc *itemDaLista();
    void esvazia();
    void preencheICMS();
    void escolheICMS(int indice);
    void mostraLista();
    void clbClickCheck(int i);
    void cbICMSClick();
    void DescontoAlterado(QLineEdit *ed);
    void btAtPrecoClick();
    void mostraDescontos();
    void desenhaItem(QPainter &p, const QStyleOptionViewItem &op, int row);
    void desenhaAcessorio(QPainter &p, const QStyleOptionViewItem &op, int row);

    TListaAcessorios lista_;
    int itemLista_ = 0;       // the item whose checklist is shown (0: none)
    int janelaRetorno_ = 0;   // the window the checklist opened
    bool preenchendo_ = false;
    TfrmAceEsp *aceEspProprio_ = nullptr;

    QLineEdit *edProjeto_;
    QLineEdit *edOrcamento_;
    QPushButton *btAtPreco_;
    ListaDesenhada *cbItens_;
    QLineEdit *edVazao_;
    QLineEdit *edPressao_;
    QLineEdit *edTemperatura_;
    QLineEdit *edDensidade_;
    ListaDesenhada *clb_;
    GradeTexto *sgConfig_;
    QGroupBox *gbFatores_;
    QComboBox *cbICMS_;
    QLineEdit *edFatorVentilador_;
    QLineEdit *edFatorMotor_;
    QGroupBox *gbDesconto_;
    QLineEdit *edDescontoVentilador_;
    QLineEdit *edDescontoMotor_;
    QListWidget *lbAux_;
    QLabel *lbTotal_;
};

QWidget *CriaTfrmConfigura(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
