#pragma once
// A radio group in the manner of the classic desktop radio groups: a titled
// box of choices laid out in columns, one choice or none selected
// (ItemIndex -1), the choices replaceable at any time.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace quellora {

class GrupoRadio : public QGroupBox {
    Q_OBJECT
public:
    explicit GrupoRadio(const QString &titulo, QWidget *pai = nullptr);

    // New choices in 'colunas' columns, filled column by column; none selected.
    void setItems(const QStringList &itens, int colunas);
    QStringList Items() const { return itens_; }
    int Colunas() const { return colunas_; }

    // The selected choice, -1 for none. Setting it emits nothing.
    int ItemIndex() const;
    void setItemIndex(int i);

    QRadioButton *botao(int i) const;

signals:
    // The user selected choice i.
    void clicado(int i);

private:
    QButtonGroup *grupo_;
    QGridLayout *grade_;
    QStringList itens_;
    int colunas_ = 1;
};

} // namespace quellora
