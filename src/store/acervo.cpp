#include "store/acervo.h"

#include "catalogue/arquivos.h"
#include "store/acervo_pasta.h"
#include "store/acervo_servidor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <nlohmann/json.hpp>

namespace quellora {

namespace {

bool Falha(QString *erro, const QString &texto) {
    if (erro)
        *erro = texto;
    return false;
}

// The store of a configuration that could not be read: it refuses
// everything, so that nothing meant for a server lands in a folder.
class AcervoRecusado : public Acervo {
public:
    explicit AcervoRecusado(QString motivo) : motivo_(std::move(motivo)) {}
    bool Servidor() const override { return false; }
    QString Descricao() const override { return motivo_; }
    bool Lista(std::vector<TResumoOrc> &, QString *erro) override { return Falha(erro, motivo_); }
    bool Existe(const QString &, bool &, QString *erro) override { return Falha(erro, motivo_); }
    bool LeImagem(const QString &, QByteArray &, QString *erro, int) override { return Falha(erro, motivo_); }
    Gravacao GravaImagem(const QString &, const QByteArray &, QString *erro, bool) override {
        Falha(erro, motivo_);
        return Gravacao::Falhou;
    }
    bool Exclui(const QString &, QString *erro) override { return Falha(erro, motivo_); }
    QString NomeVisivel(const QString &nome) const override { return nome; }
    bool ProximoNumero(double, std::int32_t &, QString *erro) override { return Falha(erro, motivo_); }
    bool UsaNumero(const QString &, std::int32_t &, QString *erro) override { return Falha(erro, motivo_); }
    bool LeClientes(TDadosTabela &, QString *erro) override { return Falha(erro, motivo_); }
    bool GravaClientes(const TDadosTabela &, bool, QString *erro, QString *) override { return Falha(erro, motivo_); }
    bool Responde(QString &estado) override {
        estado = motivo_;
        return false;
    }

private:
    QString motivo_;
};

QString ArquivoConfig(const QString &dirDados) { return CaminhoEm(dirDados, QString::fromLatin1(ArqBanco)); }

} // namespace

namespace {
bool SemHistorico(QString *erro) {
    return Falha(erro, QStringLiteral("A pasta de projetos não guarda revisões nem histórico: eles existem só num "
                                      "servidor de banco de dados (quellora-cli banco configura)."));
}
} // namespace

bool Acervo::Revisoes(const QString &, std::vector<TRevisao> &, QString *erro) { return SemHistorico(erro); }

bool Acervo::Historico(const QDateTime &, std::vector<TEvento> &, QString *erro) { return SemHistorico(erro); }

bool LeOrcamento(Acervo &acervo, const QString &nome, TArquivoOrc &a, QString *erro, int revisao) {
    QByteArray imagem;
    return acervo.LeImagem(nome, imagem, erro, revisao) &&
           ArquivoOrcDeBytes(imagem, acervo.NomeVisivel(nome), a, erro);
}

Gravacao GravaOrcamento(Acervo &acervo, const QString &nome, const TArquivoOrc &a, QString *erro, bool porCima) {
    return acervo.GravaImagem(nome, ArquivoOrcParaBytes(a), erro, porCima);
}

// --- Configuration -----------------------------------------------------------

bool LeConfigBanco(const QString &dirDados, TConfigBanco &c, QString *erro) {
    const QString caminho = ArquivoConfig(dirDados);
    const QString nome = QDir::toNativeSeparators(caminho);
    if (!QFileInfo::exists(caminho)) {
        c = TConfigBanco{};
        return true;
    }
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return Falha(erro, QStringLiteral("Não foi possível ler \"%1\": %2.").arg(nome, f.errorString()));
    const nlohmann::json j = nlohmann::json::parse(f.read(64 * 1024).toStdString(), nullptr, false);
    const auto servidor = j.is_object() ? j.find("Servidor") : j.end();
    const auto conexao = j.is_object() ? j.find("Conexao") : j.end();
    if (!j.is_object() || servidor == j.end() || !servidor->is_boolean() ||
        (conexao != j.end() && !conexao->is_string()))
        return Falha(erro, QStringLiteral("\"%1\" está danificado: a escolha do banco de dados não pôde ser lida. "
                                          "Configure-a de novo.")
                               .arg(nome));
    TConfigBanco lida;
    lida.Servidor = servidor->get<bool>();
    if (conexao != j.end())
        lida.Conexao = QString::fromStdString(conexao->get<std::string>());
    QString motivo;
    if (lida.Servidor && !ValidaConexao(lida.Conexao, &motivo))
        return Falha(erro, QStringLiteral("\"%1\": %2").arg(nome, motivo));
    c = lida;
    return true;
}

bool GravaConfigBanco(const QString &dirDados, const TConfigBanco &c, QString *erro) {
    const QString caminho = ArquivoConfig(dirDados);
    if (!c.Servidor) {
        if (QFileInfo::exists(caminho) && !QFile::remove(caminho))
            return Falha(erro,
                         QStringLiteral("Não foi possível apagar \"%1\".").arg(QDir::toNativeSeparators(caminho)));
        return true;
    }
    if (!ValidaConexao(c.Conexao, erro))
        return false;
    const nlohmann::ordered_json j = {{"Servidor", true}, {"Conexao", c.Conexao.toStdString()}};
    return GravaArquivoAtomico(caminho, QByteArray::fromStdString(j.dump(1) + "\n"), erro);
}

std::unique_ptr<Acervo> CriaAcervo(const TConfigBanco &c, const QString &dirDados, const QString &dirProjetos) {
    if (c.Servidor)
        return std::make_unique<AcervoServidor>(c.Conexao);
    return std::make_unique<AcervoPasta>(dirDados, dirProjetos);
}

std::unique_ptr<Acervo> AcervoConfigurado(const QString &dirDados, const QString &dirProjetos) {
    TConfigBanco c;
    QString erro;
    if (!LeConfigBanco(dirDados, c, &erro))
        return std::make_unique<AcervoRecusado>(erro);
    return CriaAcervo(c, dirDados, dirProjetos);
}

} // namespace quellora
