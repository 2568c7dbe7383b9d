#pragma once
// The description text of a fan family, shown over the main panel when the
// family's button is clicked. It covers the client panel like a child window
// but is not one: navigation leaves it alone, only "Retorna" hides it.

#include <QWidget>

class QTextEdit;

namespace quellora {

struct EntradaJanela;

class TfrmTextoModelo : public QWidget {
    Q_OBJECT
public:
    explicit TfrmTextoModelo(QWidget *painel);

    // Loads and shows the text of the family with this button caption; when
    // the family has no text file, says so and stays hidden. True if shown.
    bool mostraTexto(const QString &familia);
    // The file last shown.
    QString arquivo() const { return arquivo_; }
    QTextEdit *texto() const { return reTexto_; }

private:
    void BitBtn1Click();

    QTextEdit *reTexto_ = nullptr;
    QString arquivo_;
};

QWidget *CriaTfrmTextoModelo(QWidget *painel, const EntradaJanela &entrada);

} // namespace quellora
