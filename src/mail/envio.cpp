#include "mail/envio.h"

#include "mail/conexaoemail.h"
#include "mail/mime.h"
#include "mail/senhas.h"

namespace quellora {

EnvioSmtp MontaEnvioProposta(const TDadosEmail &config, const QString &para, const QString &copia,
                             const QString &assunto, const QStringList &texto, const QByteArray &anexo,
                             const QDateTime &momento, const QList<AnexoMime> &outros) {
    EntradaMime m;
    m.NomeRemetente = config.NomeRemetente;
    m.EmailRemetente = config.EmailRemetente;
    m.Para = para;
    m.Assunto = assunto;
    m.Texto = texto;
    m.Anexos = {AnexoMime{.Dados = anexo}};
    m.Anexos += outros;
    m.Momento = momento;
    m.DeslocamentoUtc = momento.offsetFromUtc();
    m.IdMensagem = NovoIdMensagem(momento, config.EmailRemetente);
    EnvioSmtp e;
    e.Servidor = config.ServidorSMTP.trimmed();
    e.Remetente = config.EmailRemetente.trimmed();
    e.Destinatarios << para.trimmed();
    if (!copia.trimmed().isEmpty())
        e.Copias << copia.trimmed();
    e.Mensagem = ComporMensagem(m);
    return e;
}

ResultadoEnvio EnviaPropostaPorEmail(const QString &dirDados, CofreSenhas &senhas, const TOrcamento &orc,
                                     const QString &para, const QString &copia, const QString &texto,
                                     const QByteArray &anexo, const PrazosSmtp &prazos) {
    ResultadoEnvio r;
    const TDadosEmail config = LeDadosEmail(dirDados);
    if (config.ServidorSMTP.trimmed().isEmpty()) {
        r.Erro = QStringLiteral("O servidor de e-mail (SMTP) não está configurado em \"%1\".")
                     .arg(QString::fromLatin1(ArqEmail));
        return r;
    }
    TConexaoEmail conexao;
    QString senha;
    if (!CarregaConexaoEmail(dirDados, conexao, &r.Erro))
        return r;
    const QString conta = ContaSenhaEmail(config, conexao);
    if (!conta.isEmpty()) {
        if (!senhas.Le(conta, &senha, &r.Erro))
            return r;
        if (senha.isEmpty()) {
            r.Erro = QStringLiteral("Nenhuma senha guardada para o usuário \"%1\" do servidor de e-mail.")
                         .arg(conexao.Usuario.trimmed());
            return r;
        }
    }
    const QString destino = para.trimmed().isEmpty() ? orc.email.trimmed() : para;
    QStringList linhas;
    if (!texto.isEmpty())
        linhas = QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    if (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    EnvioSmtp envio =
        MontaEnvioProposta(config, destino, copia, AssuntoProposta(orc), linhas, anexo, QDateTime::currentDateTime());
    AplicaConexaoEmail(envio, conexao, senha);
    const ResultadoSmtp s = EnviaSmtpSincrono(envio, prazos);
    r.Status = s.Ok ? 0 : 1;
    r.Resposta = s.Resposta;
    r.Erro = s.Erro;
    r.Avisos = s.Avisos;
    return r;
}

} // namespace quellora
