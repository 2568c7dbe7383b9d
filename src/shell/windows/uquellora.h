#pragma once
// The main window: top bar (Save, Open, New), title line, the client panel
// that hosts the child windows (over the program's own panel with the
// picture, the maker's data, the main buttons and the list of fan families)
// and the status bar.

#include "shell/fabricante.h"
#include "shell/versao.h"

#include <QMainWindow>
#include <QPointer>

class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace quellora {

class BarraStatus;

inline constexpr const char *TituloJanelaPrincipal = "Quellora " QUELLORA_VERSAO;
inline constexpr const char *AvisoResolucaoTexto =
    "Este programa foi designado para trabalhar em um monitor na resolução de 800x600.\r\n"
    "Resoluções inferiores não apresentarão bons resultados.\r\n"
    "Para alterar a resolução, clique com o botão direito do mouse na área de trabalho, escolha a opção "
    "propriedades, clique na aba configurações, aumente a resolução do monitor e clique em OK!";

// Warns (style 48) when the screen is narrower than 800 pixels; true if it did.
bool AvisoResolucao(int larguraTela);

// The logo of the proposal pages (Logotipo, also the picture of the main
// window's hidden Image2), drawn once, when the first window that draws
// pages is created rather than at start-up.
void PreparaLogotipo();

class TfrmQuellora : public QMainWindow {
    Q_OBJECT
public:
    // Runs the main window's start-up: the directories of a program in
    // 'dirPrograma' (the executable's directory when empty; shell/pastas.h),
    // the catalogue and settings files, the list of fan families. 'larguraTela' stands for the screen's width
    // (the primary screen's when negative).
    explicit TfrmQuellora(const QString &dirPrograma = QString(), int larguraTela = -1);
    // Only the frame (title, size, colour, place on the screen), so that the
    // program can show it at once and build the rest with inicia() while the
    // window is being mapped.
    struct Moldura {};
    explicit TfrmQuellora(Moldura);
    void inicia(const QString &dirPrograma = QString(), int larguraTela = -1);
    ~TfrmQuellora() override;

    // Takes the program's other windows into use: each is created on its
    // first use.
    void criaJanelas();

    // The splash window, destroyed at the first activation (or by
    // fechaSplash, for desktops that do not activate the window).
    void defineSplash(QWidget *splash);
    void fechaSplash();

    // False when a file could not be read at start-up (the message told
    // which); the program stays open.
    bool iniciou() const { return iniciou_; }

    QWidget *painel() const { return FPanel_; }
    BarraStatus *barraStatus() const { return sb_; }
    QList<QPushButton *> botoesFamilia() const { return familias_; }

    // Used by the services (servicos.h).
    void defineTitulo(const QString &texto);
    void defineStatus(const QString &texto);
    void habilitaSalvar(bool v);

protected:
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void preparaMoldura();
    void montaJanela();
    void FormCreate(const QString &dirPrograma, int larguraTela);
    void montaFamilias();
    void AbreJanela(int tag);
    void FPanelResize();
    void cobrePainel();
    void FormActivate();
    void mostraSobre();

    bool iniciou_ = false;
    QPointer<QWidget> splash_;

    QToolButton *btSave_ = nullptr;
    QLabel *Panel2_ = nullptr;
    QWidget *FPanel_ = nullptr;
    QList<QWidget *> proprios_; // the panel's own picture and buttons
    QWidget *sbxConteudo_ = nullptr;
    QScrollArea *sbx_ = nullptr;
    BarraStatus *sb_ = nullptr;
    QList<QPushButton *> familias_;
};

} // namespace quellora
