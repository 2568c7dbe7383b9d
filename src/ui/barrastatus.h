#pragma once
// A status bar of fixed panels, each a sunken text box of a given width; a
// panel may show a glyph instead of text (and be shown disabled).
// (No Q_OBJECT: this folder's headers are also scanned for the logic
// library, which has no widgets.)

#include <QIcon>
#include <QStatusBar>

#include <vector>

class QLabel;

namespace quellora {

class BarraStatus : public QStatusBar {
public:
    explicit BarraStatus(QWidget *pai = nullptr);

    // Adds a panel at the right of the others; returns its index.
    // A width of 0 or less makes the panel take the remaining room.
    int adicionaPainel(int largura, Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter,
                       const QString &dica = QString());

    int paineis() const { return static_cast<int>(paineis_.size()); }
    void defineTexto(int painel, const QString &texto);
    QString texto(int painel) const;
    // Shows a glyph in the panel; a disabled panel shows it greyed.
    void defineGlifo(int painel, const QIcon &glifo, bool habilitado);
    QLabel *painel(int i) const;

private:
    std::vector<QLabel *> paineis_;
};

} // namespace quellora
