// quellora-cli banco configura|desliga|estado|importa|exporta|revisoes|
// historico: the choice between the folders and a PostgreSQL server, the
// copy of a folder to a server and back, and what a server remembers.

#include "comandos.h"

#include "catalogue/arquivos.h"
#include "catalogue/binario.h"
#include "clients/clientes.h"
#include "quotation/numeracao.h"
#include "shell/operador.h"
#include "store/acervo.h"
#include "store/acervo_pasta.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <nlohmann/json.hpp>

namespace quellora::cli {

namespace {

const char *const Uso =
    "  quellora-cli banco configura CONEXAO [--dados PASTA]\n"
    "                                                  usa o servidor PostgreSQL da CONEXAO (cadeia de\n"
    "                                                  conexão ou URI do libpq; \"\" = variáveis PG*)\n"
    "  quellora-cli banco desliga [--dados PASTA]      volta às pastas de projetos e de dados\n"
    "  quellora-cli banco estado [--dados PASTA]       diz o que está em uso e se o servidor responde\n"
    "  quellora-cli banco importa PASTA_PROJETOS [--clientes ARQUIVO] [--dados PASTA]\n"
    "                                                  copia as propostas (e os clientes) para o servidor\n"
    "  quellora-cli banco exporta PASTA [--dados PASTA]\n"
    "                                                  grava as propostas do servidor como .orc e os\n"
    "                                                  clientes como clientes.dat em PASTA\n"
    "  quellora-cli banco revisoes NUMERO [--json] [--dados PASTA]\n"
    "                                                  as revisões de uma proposta (0012/26)\n"
    "  quellora-cli banco historico [--desde DATA] [--json] [--dados PASTA]\n"
    "                                                  quem salvou, excluiu e numerou, e quando";

int UsoErrado() {
    Erro(QStringLiteral("Uso:\n%1\n").arg(QString::fromUtf8(Uso)));
    return 2;
}

int Falhou(const QString &erro) {
    Erro(erro + QLatin1Char('\n'));
    return 1;
}

QString Dados(QStringList &a) { return Opcao(a, QStringLiteral("--dados"), DirDadosPadrao()); }

// The configured server, with 'n' arguments left on the line ('dirDados'
// gets the data folder); null, with the exit code in 'codigo', when the line
// is wrong or no server is configured.
std::unique_ptr<Acervo> ServidorDaLinha(QStringList &a, qsizetype n, int &codigo, QString *dirDados = nullptr) {
    QString dados;
    std::unique_ptr<Acervo> acervo = AcervoDaLinha(a, &dados);
    if (dirDados)
        *dirDados = dados;
    if (a.size() != n) {
        codigo = UsoErrado();
        return nullptr;
    }
    if (!acervo->Servidor()) {
        Erro(QStringLiteral("Nenhum servidor de banco de dados está configurado em \"%1\": use quellora-cli banco "
                            "configura CONEXAO.\n")
                 .arg(QDir::toNativeSeparators(dados)));
        codigo = 1;
        return nullptr;
    }
    return acervo;
}

QString Momento(const QDateTime &t) { return t.toLocalTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")); }
std::string Iso(const QDateTime &t) { return t.toOffsetFromUtc(t.offsetFromUtc()).toString(Qt::ISODate).toStdString(); }

int Configura(QStringList a) {
    const QString dados = Dados(a);
    if (a.size() != 1)
        return UsoErrado();
    QString erro;
    if (!GravaConfigBanco(dados, {true, a[0].trimmed()}, &erro))
        return Falhou(erro);
    QString estado;
    const bool responde = AcervoConfigurado(dados, QString())->Responde(estado);
    (responde ? Saida : Erro)(estado + QLatin1Char('\n'));
    return 0;
}

int Desliga(QStringList a) {
    const QString dados = Dados(a);
    if (!a.isEmpty())
        return UsoErrado();
    QString erro;
    if (!GravaConfigBanco(dados, {}, &erro))
        return Falhou(erro);
    Saida(QStringLiteral("As propostas, os clientes e o contador voltam às pastas.\n"));
    return 0;
}

int Estado(QStringList a) {
    std::unique_ptr<Acervo> acervo = AcervoDaLinha(a);
    if (!a.isEmpty())
        return UsoErrado();
    QString estado;
    const bool responde = acervo->Responde(estado);
    (responde ? Saida : Erro)(estado + QLatin1Char('\n'));
    return responde ? 0 : 1;
}

int Importa(QStringList a) {
    const QString clientes = Opcao(a, QStringLiteral("--clientes"));
    QString dados;
    int codigo = 0;
    std::unique_ptr<Acervo> acervo = ServidorDaLinha(a, 1, codigo, &dados);
    if (!acervo)
        return codigo;
    const QString pasta = a[0];
    if (!QFileInfo(pasta).isDir())
        return Falhou(QStringLiteral("A pasta \"%1\" não existe.").arg(QDir::toNativeSeparators(pasta)));
    AcervoPasta origem(dados, pasta);
    int copiadas = 0, jaEstavam = 0, maior = 0;
    QString erro;
    for (const QString &nome : QDir(pasta).entryList({QStringLiteral("*.orc")}, QDir::Files, QDir::Name)) {
        QByteArray imagem;
        bool existe = false;
        if (!origem.LeImagem(nome, imagem, &erro) || !acervo->Existe(nome, existe, &erro))
            return Falhou(erro);
        maior = std::max(maior, NumeroDoTexto(nome));
        if (existe) {
            Erro(QStringLiteral("%1 já está no servidor: não foi copiada.\n").arg(nome));
            ++jaEstavam;
            continue;
        }
        if (acervo->GravaImagem(nome, imagem, &erro) != Gravacao::Gravada)
            return Falhou(erro);
        ++copiadas;
    }
    // New numbers follow those of the folder, as its counter would have.
    QFile contador(CaminhoEm(dados, QString::fromLatin1(ArqContador)));
    if (contador.open(QIODevice::ReadOnly)) {
        const QByteArray b = contador.read(4);
        if (b.size() == 4)
            maior = std::max(maior, LeitorBinario(b).integer(0) - 1);
    }
    std::int32_t numero = 0;
    if (maior >= 1 &&
        !acervo->UsaNumero(QStringLiteral("%1").arg(std::min(maior, 9999), 4, 10, QLatin1Char('0')), numero, &erro))
        return Falhou(erro);
    qsizetype nClientes = 0;
    if (!clientes.isEmpty()) {
        if (!QFileInfo::exists(clientes))
            return Falhou(QStringLiteral("O arquivo de clientes \"%1\" não existe.")
                              .arg(QDir::toNativeSeparators(clientes)));
        TDadosTabela tabela;
        tabela.Campos = CamposClientes();
        if (!LeArquivoClientes(clientes, tabela, &erro) || !acervo->GravaClientes(tabela, false, &erro))
            return Falhou(erro);
        nClientes = tabela.Registros.size();
    }
    Saida(QStringLiteral("%1 propostas copiadas para o %2 (%3 já estavam lá); %4 clientes.\n")
              .arg(copiadas)
              .arg(acervo->Descricao())
              .arg(jaEstavam)
              .arg(nClientes));
    return 0;
}

int Exporta(QStringList a) {
    int codigo = 0;
    std::unique_ptr<Acervo> acervo = ServidorDaLinha(a, 1, codigo);
    if (!acervo)
        return codigo;
    const QString pasta = a[0];
    if (!QDir().mkpath(pasta))
        return Falhou(QStringLiteral("Não foi possível criar a pasta \"%1\".").arg(QDir::toNativeSeparators(pasta)));
    std::vector<TResumoOrc> lista;
    QString erro;
    if (!acervo->Lista(lista, &erro))
        return Falhou(erro);
    for (const TResumoOrc &r : lista) {
        QByteArray imagem;
        if (!acervo->LeImagem(r.Arquivo, imagem, &erro) ||
            !GravaArquivoAtomico(CaminhoEm(pasta, r.Arquivo), imagem, &erro))
            return Falhou(erro);
    }
    // The client file as the program writes it: in the table's order.
    TDadosTabela lidos;
    lidos.Campos = CamposClientes();
    if (!acervo->LeClientes(lidos, &erro))
        return Falhou(erro);
    TTabela tabela;
    PreparaTabelaClientes(tabela);
    tabela.Substitui(std::move(lidos));
    if (!GravaArquivoClientes(CaminhoEm(pasta, QString::fromLatin1(ArquivoClientes)), tabela.Dados(), false, &erro))
        return Falhou(erro);
    Saida(QStringLiteral("%1 propostas e %2 clientes gravados em %3.\n")
              .arg(lista.size())
              .arg(tabela.Quantos())
              .arg(QDir::toNativeSeparators(pasta)));
    return 0;
}

// "0012/26" names 0012_26.orc; any other text is taken as the name.
QString NomeDe(const QString &numero) {
    static const QRegularExpression numeroOrc(QStringLiteral("^\\d{4}/\\d{2}$"));
    return numeroOrc.match(numero).hasMatch() ? NomeArquivoOrc(numero) : numero;
}

int Revisoes(QStringList a) {
    const bool json = Chave(a, QStringLiteral("--json"));
    int codigo = 0;
    std::unique_ptr<Acervo> acervo = ServidorDaLinha(a, 1, codigo);
    if (!acervo)
        return codigo;
    std::vector<TRevisao> lista;
    QString erro;
    if (!acervo->Revisoes(NomeDe(a[0]), lista, &erro))
        return Falhou(erro);
    if (lista.empty())
        return Falhou(QStringLiteral("A proposta %1 não existe no %2.").arg(a[0], acervo->Descricao()));
    if (json) {
        nlohmann::json l = nlohmann::json::array();
        for (const TRevisao &r : lista)
            l.push_back({{"Revisao", r.Numero},
                         {"Quando", Iso(r.Quando)},
                         {"Usuario", r.Usuario.toStdString()},
                         {"Operador", r.Operador.toStdString()},
                         {"Bytes", r.Tamanho}});
        Saida(QString::fromStdString(l.dump(1)) + QLatin1Char('\n'));
        return 0;
    }
    for (const TRevisao &r : lista)
        Saida(QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                  .arg(r.Numero)
                  .arg(Momento(r.Quando), r.Usuario, r.Operador)
                  .arg(r.Tamanho));
    return 0;
}

int Historico(QStringList a) {
    const bool json = Chave(a, QStringLiteral("--json"));
    const QString desdeTexto = Opcao(a, QStringLiteral("--desde"));
    QDateTime desde;
    if (!desdeTexto.isEmpty()) {
        QDate d = QDate::fromString(desdeTexto, Qt::ISODate);
        if (!d.isValid())
            d = QDate::fromString(desdeTexto, QStringLiteral("dd/MM/yyyy"));
        if (!d.isValid())
            return Falhou(
                QStringLiteral("--desde: «%1» não é uma data. Informe AAAA-MM-DD ou DD/MM/AAAA.").arg(desdeTexto));
        desde = d.startOfDay();
    }
    int codigo = 0;
    std::unique_ptr<Acervo> acervo = ServidorDaLinha(a, 0, codigo);
    if (!acervo)
        return codigo;
    std::vector<TEvento> lista;
    QString erro;
    if (!acervo->Historico(desde, lista, &erro))
        return Falhou(erro);
    if (json) {
        nlohmann::json l = nlohmann::json::array();
        for (const TEvento &e : lista)
            l.push_back({{"Quando", Iso(e.Quando)},
                         {"Usuario", e.Usuario.toStdString()},
                         {"Operador", e.Operador.toStdString()},
                         {"Acao", e.Acao.toStdString()},
                         {"Orcamento", e.Orcamento.toStdString()},
                         {"Detalhe", e.Detalhe.toStdString()}});
        Saida(QString::fromStdString(l.dump(1)) + QLatin1Char('\n'));
        return 0;
    }
    for (const TEvento &e : lista)
        Saida(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                  .arg(Momento(e.Quando), e.Usuario, e.Operador, e.Acao, e.Orcamento, e.Detalhe));
    return 0;
}

int Executa(const QStringList &a) {
    if (a.isEmpty())
        return UsoErrado();
    const QString c = a[0];
    const QStringList resto = a.mid(1);
    if (c == QLatin1String("configura"))
        return Configura(resto);
    if (c == QLatin1String("desliga"))
        return Desliga(resto);
    if (c == QLatin1String("estado"))
        return Estado(resto);
    if (c == QLatin1String("importa"))
        return Importa(resto);
    if (c == QLatin1String("exporta"))
        return Exporta(resto);
    if (c == QLatin1String("revisoes"))
        return Revisoes(resto);
    if (c == QLatin1String("historico"))
        return Historico(resto);
    return UsoErrado();
}

} // namespace

std::unique_ptr<Acervo> AcervoDaLinha(QStringList &args, QString *dirDados) {
    const QString dados = Opcao(args, QStringLiteral("--dados"), DirDadosPadrao());
    if (dirDados)
        *dirDados = dados;
    const QString projetos = Opcao(args, QStringLiteral("--projetos"), PastasPadrao().Projetos);
    std::unique_ptr<Acervo> acervo = AcervoConfigurado(dados, projetos);
    QFile perfil(CaminhoEm(dados, QString::fromLatin1(ArqOperador)));
    if (perfil.open(QIODevice::ReadOnly)) {
        const QByteArray b = perfil.read(static_cast<qint64>(TamanhoOperador));
        if (b.size() == static_cast<qsizetype>(TamanhoOperador))
            acervo->DefineOperador(OperadorDeBytes(b)[0]);
    }
    return acervo;
}

QUELLORA_CLI_COMANDO(banco, "banco", Uso, Executa);

} // namespace quellora::cli
