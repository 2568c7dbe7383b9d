#include "store/acervo_pasta.h"

#include "catalogue/arquivos.h"
#include "clients/clientes.h"
#include "quotation/numeracao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quellora {

namespace {
// Far more than the 56 KB of 40 items: a file this large is no quotation.
constexpr qint64 MaxImagem = 64 * 1024 * 1024;
} // namespace

AcervoPasta::AcervoPasta(const QString &dirDados, const QString &dirProjetos)
    : dirDados_(dirDados), dirProjetos_(dirProjetos) {}

QString AcervoPasta::Descricao() const { return QDir::toNativeSeparators(dirProjetos_); }

QString AcervoPasta::Caminho(const QString &nome) const { return CaminhoEm(dirProjetos_, nome); }

QString AcervoPasta::NomeVisivel(const QString &nome) const { return Caminho(nome); }

bool AcervoPasta::Lista(std::vector<TResumoOrc> &lista, QString *) {
    lista = ListaOrcamentos(dirProjetos_);
    return true;
}

bool AcervoPasta::Existe(const QString &nome, bool &existe, QString *) {
    existe = QFileInfo::exists(Caminho(nome));
    return true;
}

bool AcervoPasta::LeImagem(const QString &nome, QByteArray &imagem, QString *erro, int revisao) {
    const QString caminho = Caminho(nome);
    auto falha = [&](const QString &t) {
        if (erro)
            *erro = t;
        return false;
    };
    if (revisao != 0)
        return falha(QStringLiteral("A pasta de projetos guarda só a última gravação de cada proposta; "
                                    "revisões anteriores existem só num servidor de banco de dados."));
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return falha(QStringLiteral("Não foi possível abrir o arquivo %1: %2").arg(caminho, f.errorString()));
    if (f.size() > MaxImagem)
        return falha(QStringLiteral("O arquivo %1 está danificado ou não é um orçamento.\r\nTem %2 bytes.")
                         .arg(caminho)
                         .arg(f.size()));
    QByteArray lido = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return falha(QStringLiteral("Erro ao ler o arquivo %1: %2").arg(caminho, f.errorString()));
    imagem = std::move(lido);
    return true;
}

Gravacao AcervoPasta::GravaImagem(const QString &nome, const QByteArray &imagem, QString *erro, bool) {
    QDir().mkpath(dirProjetos_); // a failure shows as the file's
    return GravaArquivoAtomico(Caminho(nome), imagem, erro) ? Gravacao::Gravada : Gravacao::Falhou;
}

bool AcervoPasta::Exclui(const QString &nome, QString *erro) {
    if (erro)
        erro->clear();
    return QFile::remove(Caminho(nome));
}

bool AcervoPasta::ProximoNumero(double data, std::int32_t &numero, QString *erro) {
    if (dirProjetos_.isEmpty())
        return quellora::ProximoNumero(dirDados_, numero, erro);
    return quellora::ProximoNumero(dirDados_, numero, erro, [&](std::int32_t n) {
        return QFileInfo::exists(Caminho(NomeArquivoOrc(TextoNumOrc(n, data))));
    });
}

bool AcervoPasta::UsaNumero(const QString &texto, std::int32_t &numero, QString *erro) {
    return quellora::UsaNumero(dirDados_, texto, numero, erro);
}

bool AcervoPasta::LeClientes(TDadosTabela &dados, QString *erro) {
    return LeArquivoClientes(CaminhoEm(dirDados_, QString::fromLatin1(ArquivoClientes)), dados, erro);
}

bool AcervoPasta::GravaClientes(const TDadosTabela &dados, bool guardaAnterior, QString *erro, QString *guardadoEm) {
    return GravaArquivoClientes(CaminhoEm(dirDados_, QString::fromLatin1(ArquivoClientes)), dados, guardaAnterior,
                                erro, guardadoEm);
}

bool AcervoPasta::Responde(QString &estado) {
    const bool existe = QFileInfo(dirProjetos_).isDir();
    estado = QStringLiteral("Pastas: propostas em %1%2; contador e clientes em %3.")
                 .arg(QDir::toNativeSeparators(dirProjetos_), existe ? QString() : QStringLiteral(" (não existe)"),
                      QDir::toNativeSeparators(dirDados_));
    return existe;
}

} // namespace quellora
