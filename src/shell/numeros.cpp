#include "shell/numeros.h"

#include <cmath>

namespace quellora {

QString FormataFloat(const QString &formato, double v, const QLocale &local) {
    if (!std::isfinite(v))
        return local.toString(v);
    const qsizetype ponto = formato.indexOf(QLatin1Char('.'));
    const QString inteira = ponto < 0 ? formato : formato.left(ponto);
    const QString fracao = ponto < 0 ? QString() : formato.mid(ponto + 1);
    const int obrigatorias = static_cast<int>(fracao.count(QLatin1Char('0')));
    const int casas = obrigatorias + static_cast<int>(fracao.count(QLatin1Char('#')));
    const int digitosMinimos = static_cast<int>(inteira.count(QLatin1Char('0')));
    const bool milhares = inteira.contains(QLatin1Char(','));

    // Digits in the C locale first: the exact rounding, then the locale's marks.
    QString t = QString::number(std::fabs(v), 'f', casas);
    QString parteInteira = t.section(QLatin1Char('.'), 0, 0);
    QString parteFracao = casas > 0 ? t.section(QLatin1Char('.'), 1, 1) : QString();
    while (parteFracao.size() > obrigatorias && parteFracao.endsWith(QLatin1Char('0')))
        parteFracao.chop(1);
    if (parteInteira == QLatin1String("0") && digitosMinimos == 0 && !parteFracao.isEmpty())
        parteInteira.clear();
    while (parteInteira.size() < digitosMinimos)
        parteInteira.prepend(QLatin1Char('0'));
    if (milhares && !local.groupSeparator().isEmpty()) {
        for (qsizetype i = parteInteira.size() - 3; i > 0; i -= 3)
            parteInteira.insert(i, local.groupSeparator());
    }
    QString r = parteInteira;
    if (!parteFracao.isEmpty())
        r += local.decimalPoint() + parteFracao;
    const bool zero = t.count(QLatin1Char('0')) + t.count(QLatin1Char('.')) == t.size();
    if (v < 0 && !zero)
        r.prepend(local.negativeSign());
    return r;
}

QString NumeroGeral(double v, const QLocale &local) {
    QLocale l = local;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', 15);
}

bool LeNumero(const QString &texto, double *valor, const QLocale &local) {
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return false;
    QLocale l = local;
    l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    bool ok = false;
    double v = l.toDouble(t, &ok);
    if (!ok)
        v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (valor)
        *valor = v;
    return true;
}

bool LeNumeroInteiro(const QString &texto, double *valor, const QLocale &local) {
    const QString t = texto.trimmed();
    bool ok = false;
    const qlonglong agrupado = local.toLongLong(t, &ok);
    double v = 0;
    if (ok)
        v = static_cast<double>(agrupado);
    else if (!LeNumero(t, &v, local) || v != std::trunc(v))
        return false;
    if (valor)
        *valor = v;
    return true;
}

QLocale LocalDoPrograma(const QLocale &sistema) {
    if (sistema.language() == QLocale::C)
        return QLocale(QLocale::Portuguese, QLocale::Brazil);
    return sistema;
}

QString MsgNumeroRecusado(const TCampoNumero &campo, const QString &texto, RecusaNumero porque) {
    QString motivo;
    switch (porque) {
    case RecusaNumero::NaoENumero: motivo = QStringLiteral("não é um número"); break;
    case RecusaNumero::NaoEInteiro: motivo = QStringLiteral("não é um número inteiro"); break;
    case RecusaNumero::Negativo: motivo = QStringLiteral("é um número negativo"); break;
    case RecusaNumero::GrandeDemais: motivo = QStringLiteral("é um número grande demais"); break;
    }
    QString m = campo.Nome + QStringLiteral(": «") + texto.trimmed() + QStringLiteral("» ") + motivo + QLatin1Char('.');
    if (!campo.Pedido.isEmpty())
        m += QLatin1Char(' ') + campo.Pedido;
    return m;
}

} // namespace quellora
