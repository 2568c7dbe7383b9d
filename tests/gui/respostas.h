#pragma once
// Scripted answers to the program's message boxes, and a record of them.

#include "shell/windows/mensagem.h"

#include <QString>
#include <QStringList>

#include <deque>

namespace quellora::teste {

// While alive, every message box is answered from 'fila' (in order; OK once
// it is empty) and its text is recorded in 'vistas'.
class Respostas {
public:
    Respostas() {
        DefineRespondedor([this](const QString &texto, int estilo) {
            vistas << texto;
            estilos.push_back(estilo);
            if (fila.empty())
                return static_cast<int>(ID_OK);
            int r = fila.front();
            fila.pop_front();
            return r;
        });
    }
    ~Respostas() { DefineRespondedor(nullptr); }
    Respostas(const Respostas &) = delete;
    Respostas &operator=(const Respostas &) = delete;

    Respostas &responde(int r) {
        fila.push_back(r);
        return *this;
    }

    std::deque<int> fila;
    QStringList vistas;
    std::vector<int> estilos;
};

} // namespace quellora::teste
