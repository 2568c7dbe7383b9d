#pragma once
// Where the password of the mail login is kept. The program uses the
// desktop's keyring (mail/chaveiro.h); where none answers, and in the tests,
// a file in the user's data folder that only the user may read (mode 0600).
// Neither "dadmai.dat" nor "conexaoemail.json" ever holds a password.

#include <QString>

namespace quellora {

inline constexpr const char *ArqSenhasEmail = "senhasemail.json";

class CofreSenhas {
public:
    virtual ~CofreSenhas() = default;
    // The password kept for the account ('conta', as ContaSenhaEmail makes
    // it); empty when none is. False, with 'erro', when the store could not
    // be read.
    [[nodiscard]] virtual bool Le(const QString &conta, QString *senha, QString *erro) = 0;
    [[nodiscard]] virtual bool Grava(const QString &conta, const QString &senha, QString *erro) = 0;
    // Forgets the account's password (none kept is no error).
    [[nodiscard]] virtual bool Apaga(const QString &conta, QString *erro) = 0;
    // Where the passwords are, in a sentence for the user.
    virtual QString Onde() const = 0;
};

// The file "senhasemail.json" of the data folder: a JSON object from account
// to password, written through a temporary file created with mode 0600.
class CofreArquivo final : public CofreSenhas {
public:
    explicit CofreArquivo(QString dirDados);
    bool Le(const QString &conta, QString *senha, QString *erro) override;
    bool Grava(const QString &conta, const QString &senha, QString *erro) override;
    bool Apaga(const QString &conta, QString *erro) override;
    QString Onde() const override;
    QString Arquivo() const;

private:
    QString dir_;
};

} // namespace quellora
