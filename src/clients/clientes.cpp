#include "clients/clientes.h"

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "clients/fluxo.h"
#include "clients/lzh.h"
#include "shell/estado.h"
#include "shell/numeros.h"
#include "store/acervo_pasta.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstring>
#include <new>

namespace quellora {

QList<TDefCampo> CamposClientes() {
    using T = TipoCampo;
    return {
        TDefCampo::Cria(QStringLiteral("ID"), T::Float),
        TDefCampo::Cria(QStringLiteral("Cliente"), T::String, 50),
        TDefCampo::Cria(QStringLiteral("Contato"), T::String, 25),
        TDefCampo::Cria(QStringLiteral("Fone"), T::String, 14),
        TDefCampo::Cria(QStringLiteral("Fax"), T::String, 14),
        TDefCampo::Cria(QStringLiteral("Endereco"), T::String, 50),
        TDefCampo::Cria(QStringLiteral("Cidade_Estado"), T::String, 40),
        TDefCampo::Cria(QStringLiteral("email"), T::String, 40),
        TDefCampo::Cria(QStringLiteral("descontoV"), T::Float),
        TDefCampo::Cria(QStringLiteral("descontoM"), T::Float),
        TDefCampo::Cria(QStringLiteral("Data"), T::DateTime),
        TDefCampo::Cria(QStringLiteral("Obs"), T::String, 80),
    };
}

bool VerificaCliente(TTabela &tabela, QString *erro) {
    const QString nome = tabela.Valor(QStringLiteral("Cliente")).toString();
    bool vazio = true;
    for (QChar c : nome)
        if (c.unicode() > 0x20) {
            vazio = false;
            break;
        }
    if (vazio) {
        if (erro)
            *erro = QString::fromUtf8(MsgNomeCliente);
        return false;
    }
    const int id = tabela.IndiceCampo(QStringLiteral("ID"));
    if (id >= 0) {
        const QVariant v = tabela.Valor(id);
        if (!v.isValid() || v.toDouble() == 0.0)
            tabela.DefineValor(id, DateTimeParaData(QDateTime::currentDateTime()));
    }
    return true;
}

void PreparaTabelaClientes(TTabela &tabela) {
    tabela.DefineCampos(CamposClientes());
    tabela.DefineOrdem(QStringLiteral("Cliente"));
    tabela.AntesDeGravar = VerificaCliente;
    tabela.DefineModificada(false);
}

namespace {
QString Nome(const QString &arquivo) { return QDir::toNativeSeparators(arquivo); }
} // namespace

bool LeArquivoClientes(const QString &caminho, TDadosTabela &dados, QString *erro) {
    const QFileInfo info(caminho);
    if (!info.exists())
        return true; // first start: no clients yet

    auto recusa = [&](const QString &motivo) {
        if (erro)
            *erro = QStringLiteral("Não foi possível ler \"%1\": %2").arg(Nome(caminho), motivo);
        return false;
    };
    const QString grandeDemais = QStringLiteral("o arquivo é grande demais para um arquivo de clientes.");
    if (info.size() > LimiteArquivoClientes)
        return recusa(grandeDemais);
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return recusa(f.errorString());
    const QByteArray container = f.readAll();
    if (container.size() != info.size())
        return recusa(f.errorString());

    if (container.size() >= 8 && std::memcmp(container.constData(), "@LHC", 4) == 0) {
        LeitorBinario cab(container);
        if (cab.integer(4) > LimiteFluxoClientes)
            return recusa(grandeDemais);
    }
    QByteArray fluxo;
    QString motivo;
    TDadosTabela lidos;
    lidos.Campos = dados.Campos;
    try {
        if (!DescompactaContainer(container, fluxo, &motivo))
            return recusa(motivo);
        if (!LeFluxoTabela(fluxo, lidos, &motivo))
            return recusa(motivo);
    } catch (const std::bad_alloc &) {
        return recusa(QString::fromLatin1(MsgSemMemoria));
    }
    dados = std::move(lidos);
    return true;
}

bool GravaArquivoClientes(const QString &caminho, const TDadosTabela &dados, bool guardaAnterior, QString *erro,
                          QString *guardadoEm) {
    QByteArray arquivo;
    try {
        arquivo = CompactaContainer(GravaFluxoTabela(dados));
    } catch (const std::bad_alloc &) {
        if (erro)
            *erro = QStringLiteral("Não foi possível gravar \"%1\": %2").arg(Nome(caminho), QString::fromLatin1(MsgSemMemoria));
        return false;
    }

    if (guardaAnterior && QFileInfo::exists(caminho)) {
        // The unreadable file may still be recovered: keep it.
        QString copia = caminho + QStringLiteral(".recusado");
        for (int n = 2; QFileInfo::exists(copia); ++n)
            copia = caminho + QStringLiteral(".recusado%1").arg(n);
        if (!QFile::copy(caminho, copia)) {
            if (erro)
                *erro = QStringLiteral("Não foi possível guardar uma cópia de \"%1\" em \"%2\".")
                            .arg(Nome(caminho), Nome(copia));
            return false;
        }
        if (guardadoEm)
            *guardadoEm = copia;
    }
    return GravaArquivoAtomico(caminho, arquivo, erro);
}

bool LoadClientTable(Acervo &acervo, QString *erro) {
    Tdm &dm = G().dm;
    PreparaTabelaClientes(dm.mtClientes);
    dm.Carregada = true;
    dm.ArquivoRecusado = false;
    TDadosTabela dados;
    dados.Campos = dm.mtClientes.Campos();
    if (!acervo.LeClientes(dados, erro)) {
        dm.ArquivoRecusado = true;
        return false;
    }
    dm.mtClientes.Substitui(std::move(dados));
    dm.mtClientes.DefineModificada(false);
    return true;
}

bool SaveClientTable(Acervo &acervo, QString *erro, QString *guardadoEm) {
    Tdm &dm = G().dm;
    if (!acervo.GravaClientes(dm.mtClientes.Dados(), dm.ArquivoRecusado, erro, guardadoEm))
        return false;
    dm.ArquivoRecusado = false;
    return true;
}

bool LoadClientTable(const QString &dirDados, QString *erro) {
    AcervoPasta pasta(dirDados, QString());
    return LoadClientTable(pasta, erro);
}

bool SaveClientTable(const QString &dirDados, QString *erro, QString *guardadoEm) {
    AcervoPasta pasta(dirDados, QString());
    return SaveClientTable(pasta, erro, guardadoEm);
}

double DescontoDoTexto(const QString &texto) {
    double v = 0;
    return LeNumero(texto, &v) ? v : 0.0;
}

} // namespace quellora
