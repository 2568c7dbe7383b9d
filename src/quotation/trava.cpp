#include "quotation/trava.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>
#include <QUuid>

#include <algorithm>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <windows.h>
#else
#include <cerrno>
#include <signal.h>
#include <sys/types.h>
#endif

namespace quellora {

namespace {

QByteArray Conteudo(const QString &caminho, bool *existe = nullptr) {
    QFile f(caminho);
    const bool aberto = f.open(QIODevice::ReadOnly);
    if (existe)
        *existe = aberto || QFileInfo::exists(caminho);
    return aberto ? f.read(4096) : QByteArray();
}

bool ProcessoVivo(qint64 pid) {
#ifdef Q_OS_WIN
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD codigo = 0;
    const bool vivo = GetExitCodeProcess(h, &codigo) && codigo == STILL_ACTIVE;
    CloseHandle(h);
    return vivo;
#else
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
#endif
}

// pid, host and time of a lock file's content, for the messages.
struct Dono {
    qint64 pid = 0;
    QString host;
    QString desde;
};

Dono LeDono(const QByteArray &conteudo) {
    const QList<QByteArray> l = conteudo.split('\n');
    Dono d;
    if (l.size() >= 3) {
        d.pid = l[0].trimmed().toLongLong();
        d.host = QString::fromUtf8(l[1].trimmed());
        d.desde = QString::fromUtf8(l[2].trimmed());
    }
    return d;
}

} // namespace

bool TravaDeProcessoMorto(const QByteArray &conteudo) {
    const Dono d = LeDono(conteudo);
    return d.pid > 0 && !d.host.isEmpty() && d.host == QSysInfo::machineHostName() && !ProcessoVivo(d.pid);
}

TravaArquivo::TravaArquivo(const QString &caminho) : caminho_(caminho) {}

TravaArquivo::~TravaArquivo() { libera(); }

bool TravaArquivo::tentaCriar() {
    QFile f(caminho_);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    conteudo_ = QStringLiteral("%1\n%2\n%3\n%4\n")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QSysInfo::machineHostName(),
                         QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs),
                         QUuid::createUuid().toString(QUuid::WithoutBraces))
                    .toUtf8();
    const bool escrito = f.write(conteudo_) == conteudo_.size() && f.flush();
    f.close();
    if (!escrito || f.error() != QFileDevice::NoError) {
        QFile::remove(caminho_);
        return false;
    }
    travado_ = true;
    return true;
}

bool TravaArquivo::removeVelha(const QByteArray &conteudo) {
    // Renaming is atomic: of several processes that judged the same lock
    // stale, one takes it away. That one checks that it took the stale lock
    // and not a fresh one created meanwhile.
    const QString afastado = caminho_ + QLatin1Char('.') + QUuid::createUuid().toString(QUuid::Id128);
    if (!QFile::rename(caminho_, afastado))
        return false;
    if (Conteudo(afastado) == conteudo) {
        QFile::remove(afastado);
        return true;
    }
    // A live holder's lock: give it back if nobody took the place (else its
    // holder finds out in confirma()).
    if (!QFile::rename(afastado, caminho_))
        QFile::remove(afastado);
    return false;
}

bool TravaArquivo::trava(int esperaMs, QString *erro) {
    if (travado_)
        return true;
    QElapsedTimer total;
    total.start();
    QElapsedTimer igual; // since when the lock file shows the content in 'visto'
    QByteArray visto;
    bool viu = false;
    int pausa = 1;
    for (;;) {
        if (tentaCriar())
            return true;
        bool existe = false;
        const QByteArray atual = Conteudo(caminho_, &existe);
        if (!existe) {
            // Not held, yet not creatable: a folder that is missing or
            // read-only. Otherwise the holder just let it go.
            const QFileInfo pasta(QFileInfo(caminho_).absolutePath());
            if (!pasta.isDir() || !pasta.isWritable()) {
                if (erro)
                    *erro = QStringLiteral("Não foi possível criar \"%1\": a pasta não existe ou não permite gravar.")
                                .arg(QDir::toNativeSeparators(caminho_));
                return false;
            }
            viu = false;
        } else {
            if (!viu || atual != visto) {
                visto = atual;
                viu = true;
                igual.start();
            }
            if ((TravaDeProcessoMorto(atual) || igual.elapsed() >= prazoVelhaMs_) && removeVelha(atual)) {
                viu = false;
                continue;
            }
        }
        if (total.elapsed() >= esperaMs) {
            if (erro) {
                const Dono d = LeDono(atual);
                *erro = d.host.isEmpty()
                            ? QStringLiteral("\"%1\" está bloqueado por outro programa.")
                                  .arg(QDir::toNativeSeparators(caminho_))
                            : QStringLiteral("\"%1\" está bloqueado por outro programa (processo %2 no computador "
                                             "%3, desde %4 UTC).")
                                  .arg(QDir::toNativeSeparators(caminho_))
                                  .arg(d.pid)
                                  .arg(d.host, d.desde);
            }
            return false;
        }
        QThread::msleep(static_cast<unsigned long>(pausa + QRandomGenerator::global()->bounded(pausa + 1)));
        pausa = std::min(pausa * 2, 10);
    }
}

bool TravaArquivo::confirma() const { return travado_ && Conteudo(caminho_) == conteudo_; }

void TravaArquivo::libera() {
    if (!travado_)
        return;
    if (confirma())
        QFile::remove(caminho_);
    travado_ = false;
}

} // namespace quellora
