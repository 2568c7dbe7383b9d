#pragma once
// The "OK" and "Cancela" buttons that close the program's dialogs, at the
// right of their row, with their glyphs; "OK" is the default button.

class QHBoxLayout;
class QPushButton;
class QString;
class QWidget;

namespace quellora {

struct BotoesOkCancela {
    QPushButton *ok = nullptr;
    QPushButton *cancela = nullptr;
    QHBoxLayout *linha = nullptr; // the row to add to the dialog's layout
};

BotoesOkCancela CriaBotoesOkCancela(QWidget *pai, const QString &nomeOk, const QString &nomeCancela);

} // namespace quellora
