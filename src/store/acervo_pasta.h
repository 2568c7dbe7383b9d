#pragma once
// The folders as the program has always kept them: one ".orc" file per
// quotation in the projects folder, the counter "orcnum.dat" (behind its
// lock file) and the client file "clientes.dat" in the data folder.

#include "store/acervo.h"

namespace quellora {

class AcervoPasta : public Acervo {
public:
    AcervoPasta(const QString &dirDados, const QString &dirProjetos);

    bool Servidor() const override { return false; }
    QString Descricao() const override;

    bool Lista(std::vector<TResumoOrc> &lista, QString *erro) override;
    bool Existe(const QString &nome, bool &existe, QString *erro) override;
    bool LeImagem(const QString &nome, QByteArray &imagem, QString *erro, int revisao = 0) override;
    Gravacao GravaImagem(const QString &nome, const QByteArray &imagem, QString *erro, bool porCima = false) override;
    bool Exclui(const QString &nome, QString *erro) override;
    QString NomeVisivel(const QString &nome) const override;

    bool ProximoNumero(double data, std::int32_t &numero, QString *erro) override;
    bool UsaNumero(const QString &texto, std::int32_t &numero, QString *erro) override;

    bool LeClientes(TDadosTabela &dados, QString *erro) override;
    bool GravaClientes(const TDadosTabela &dados, bool guardaAnterior, QString *erro,
                       QString *guardadoEm = nullptr) override;

    bool Responde(QString &estado) override;

private:
    QString Caminho(const QString &nome) const;

    QString dirDados_;
    QString dirProjetos_;
};

} // namespace quellora
