#pragma once
// Exclusive access across processes and computers to a file in a shared
// folder (the proposal counter of two sales engineers on one network share),
// through a lock file created beside it.
//
// The lock file is created with exclusive creation (O_EXCL locally, the
// create-new disposition on SMB, an exclusive create on NFS v3 and later), so
// exactly one process holds it. It records who holds it (process id, host,
// time and a random token). A holder keeps it for milliseconds, so a lock
// file is stale when its process is gone (same host) or when its content has
// not changed during a whole wait of ours, measured by our own clock: no
// comparison with the file server's clock, which may be minutes off.

#include <QByteArray>
#include <QString>

namespace quellora {

class TravaArquivo {
public:
    // 'caminho': the lock file, e.g. the counter's name + ".lck".
    explicit TravaArquivo(const QString &caminho);
    ~TravaArquivo(); // releases the lock if held
    TravaArquivo(const TravaArquivo &) = delete;
    TravaArquivo &operator=(const TravaArquivo &) = delete;

    // Waits up to 'esperaMs' for the lock. On failure the message names the
    // lock file and, when known, who holds it.
    [[nodiscard]] bool trava(int esperaMs, QString *erro);
    // The lock file still holds this holder's token (nobody took it as
    // stale). Checked right before the protected write.
    bool confirma() const;
    // Removes the lock file if it is still ours.
    void libera();
    bool travado() const { return travado_; }

    // A lock file whose content stayed the same for this long while we
    // waited is taken as left by a program that died (default 10 s).
    void definePrazoVelha(int ms) { prazoVelhaMs_ = ms; }

private:
    bool tentaCriar();
    bool removeVelha(const QByteArray &conteudo);

    QString caminho_;
    QByteArray conteudo_; // what we wrote, token included
    bool travado_ = false;
    int prazoVelhaMs_ = 10000;
};

// Whether a lock file's content (as written by TravaArquivo) names a process
// of this host that no longer runs.
bool TravaDeProcessoMorto(const QByteArray &conteudo);

} // namespace quellora
