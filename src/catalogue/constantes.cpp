#include "catalogue/constantes.h"

namespace quellora {

const Faixa<int, 1, 23> Tamanhos{{160, 180, 200, 225, 250, 280, 315, 355, 400, 450, 500, 560,
                                  630, 710, 800, 900, 1000, 1120, 1250, 1400, 1600, 1800, 2000}};

const Faixa<const char *, 0, 8> Arranjos{{"-", "1", "3", "4", "4K", "7", "8", "9", "10"}};

const Faixa<const char *, 1, 8> Bandas{{"63 Hz", "125 Hz", "250 Hz", "500 Hz", "1 kHz", "2 kHz", "4 kHz", "8 kHz"}};

int IndiceDoTamanho(int tamanho) {
    for (int i = 1; i <= 23; ++i)
        if (Tamanhos[i] == tamanho)
            return i;
    return 0;
}

int IndiceDoArranjo(const QString &designacao) {
    for (int k = 0; k <= 8; ++k)
        if (designacao == QLatin1String(Arranjos[k]))
            return k;
    return -1;
}

} // namespace quellora
