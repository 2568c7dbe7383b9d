#pragma once
// The start-up window: a small borderless picture with the product name and
// "Iniciando....", shown while the program loads.

#include <QImage>
#include <QWidget>

namespace quellora {

class Splash : public QWidget {
    Q_OBJECT
public:
    explicit Splash(QWidget *pai = nullptr);
    // Shows it centred on the screen and paints it at once.
    void mostra();

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage figura_;
};

} // namespace quellora
