#include "shell/windows/mensagem.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace quellora {

namespace {
Respondedor &Atual() {
    static Respondedor r;
    return r;
}

int Mostra(const QString &titulo, const QString &texto, QMessageBox::Icon icone, QMessageBox::StandardButtons botoes,
           QMessageBox::StandardButton padrao) {
    QMessageBox box(icone, titulo, texto, botoes, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(padrao);
    if (botoes & QMessageBox::Yes)
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    if (botoes & QMessageBox::No)
        box.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    if (botoes & QMessageBox::Cancel)
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
    // Under the busy pointer (start-up, a long operation) the box still
    // takes the normal one.
    const bool ocupado = QApplication::overrideCursor() != nullptr;
    if (ocupado)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int r = box.exec();
    if (ocupado)
        QApplication::restoreOverrideCursor();
    switch (r) {
    case QMessageBox::Yes:
        return ID_SIM;
    case QMessageBox::No:
        return ID_NAO;
    case QMessageBox::Cancel:
        return ID_CANCEL;
    default:
        return ID_OK;
    }
}
} // namespace

void DefineRespondedor(Respondedor r) { Atual() = std::move(r); }
bool TemRespondedor() { return static_cast<bool>(Atual()); }

int Mensagem(const QString &texto, int estilo) {
    if (Atual()) {
        const int r = Atual()(texto, estilo);
        return (r == ID_SIM || r == ID_NAO || r == ID_CANCEL) ? r : ID_OK;
    }
    const QString titulo = QString::fromUtf8(TituloAplicacao);
    switch (estilo) {
    case MB_OKCANCEL_EXCLAMACAO:
        return Mostra(titulo, texto, QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    case MB_SIMNAOCANCEL_EXCLAMACAO:
        return Mostra(titulo, texto, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                      QMessageBox::Yes);
    case MB_SIMNAO_EXCLAMACAO:
        return Mostra(titulo, texto, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    case MB_ERRO:
        return Mostra(QStringLiteral("Erro"), texto, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok);
    case MB_INFORMACAO:
        return Mostra(titulo, texto, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok);
    default:
        return Mostra(titulo, texto, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok);
    }
}

void MensagemErro(const QString &texto) { Mensagem(texto, MB_ERRO); }

void MensagemInfo(const QString &texto) { Mensagem(texto, MB_INFORMACAO); }

CursorOcupado::CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
CursorOcupado::~CursorOcupado() { QApplication::restoreOverrideCursor(); }

} // namespace quellora
