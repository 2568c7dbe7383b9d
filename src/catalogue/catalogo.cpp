#include "catalogue/catalogo.h"

#include "catalogue/arquivos.h"
#include "shell/estado.h"

namespace quellora {

namespace {

QString Arq(const QString &dir, const char *nome) { return CaminhoEm(dir, QString::fromLatin1(nome)); }

// Reads records [primeiro, primeiro + quantos) of a file into out[Lo..].
template <class T, int Lo, int Hi>
bool LeEm(const QString &arquivo, qint64 primeiro, Faixa<T, Lo, Hi> &destino, QString *erro) {
    QByteArray b;
    if (!LeRegistros(arquivo, T::TamanhoRegistro, primeiro, destino.Quantos, b, erro))
        return false;
    LeitorBinario l(b);
    for (int i = Lo; i <= Hi; ++i) {
        destino[i] = T{};
        Le(l, T::TamanhoRegistro * std::size_t(i - Lo), destino[i]);
    }
    return true;
}

template <class T>
bool LeUm(const QString &arquivo, qint64 registro, T &destino, QString *erro) {
    QByteArray b;
    if (!LeRegistros(arquivo, T::TamanhoRegistro, registro, 1, b, erro))
        return false;
    destino = T{};
    Le(LeitorBinario(b), 0, destino);
    return true;
}

} // namespace

template <class T>
bool LeArquivoDeRegistros(const QString &arquivo, std::vector<T> &saida, QString *erro) {
    saida.clear();
    QByteArray b;
    if (!LeTodosRegistros(arquivo, T::TamanhoRegistro, b, erro))
        return false;
    LeitorBinario l(b);
    const std::size_t n = static_cast<std::size_t>(b.size()) / T::TamanhoRegistro;
    saida.resize(n);
    for (std::size_t r = 0; r < n; ++r)
        Le(l, r * T::TamanhoRegistro, saida[r]);
    return true;
}

template bool LeArquivoDeRegistros(const QString &, std::vector<TDadosModelo> &, QString *);
template bool LeArquivoDeRegistros(const QString &, std::vector<TDenominacao> &, QString *);
template bool LeArquivoDeRegistros(const QString &, std::vector<TDadosMotor> &, QString *);
template bool LeArquivoDeRegistros(const QString &, std::vector<TAcessorio> &, QString *);
template bool LeArquivoDeRegistros(const QString &, std::vector<TFatores> &, QString *);
template bool LeArquivoDeRegistros(const QString &, std::vector<TPrecoMotores> &, QString *);
template bool LeArquivoDeRegistros(const QString &, std::vector<TPrecoModelo> &, QString *);

bool CarregaDenominacoes(const QString &dirDados, QString *erro) {
    return LeEm(Arq(dirDados, ArqDenominacoes), 0, G().Denominacoes, erro);
}

bool CarregaMotores(const QString &dirDados, int grupo, QString *erro) {
    auto &g = G();
    for (int m = 1; m <= MotoresPorGrupo; ++m)
        g.Motores[m] = TDadosMotor{};
    if (!LeEm(Arq(dirDados, ArqMotores), qint64(MotoresPorGrupo) * (grupo - 1), g.Motores, erro))
        return false;
    g.NumMotores = 0;
    for (int m = 1; m <= MotoresPorGrupo; ++m)
        if (g.Motores[m].Potencia != 0)
            ++g.NumMotores;
    return true;
}

bool CarregaAcessorios(const QString &dirDados, QString *erro) {
    return LeEm(Arq(dirDados, ArqAcessorios), 0, G().Acessorios, erro);
}

bool CarregaFatores(const QString &dirDados, QString *erro) {
    return LeUm(Arq(dirDados, ArqFatores), 0, G().Fatores, erro);
}

QString LinhaDaLista(const TDadosModelo &m) {
    return (CortaStr(m.Codigo + QStringLiteral(" - "), 7) + m.DescModelo).left(27);
}

bool ListaModelos(const QString &dirDados, QStringList &lista, QString *erro) {
    lista.clear();
    std::vector<TDadosModelo> modelos;
    if (!LeArquivoDeRegistros(Arq(dirDados, ArqModelos), modelos, erro))
        return false;
    auto &g = G();
    // The index holds 21 lines; records past them are not offered.
    const int n = std::min<int>(static_cast<int>(modelos.size()), MaxModelos);
    for (int r = 0; r < n; ++r) {
        g.Modelo = modelos[static_cast<std::size_t>(r)];
        if (g.Modelo.TemDados) {
            lista << LinhaDaLista(g.Modelo);
            g.IndiceModelos[r] = {r, true};
        }
    }
    return true;
}

int RegistroDoModelo(int p) {
    if (p < 0)
        return -1;
    int conta = 0;
    for (int r = 0; r < MaxModelos; ++r) {
        if (G().IndiceModelos[r].Ativo && ++conta == p + 1)
            return G().IndiceModelos[r].Registro;
    }
    return -1;
}

bool CarregaModelo(const QString &dirDados, int p, QString *erro) {
    return LeUm(Arq(dirDados, ArqModelos), RegistroDoModelo(p), G().Modelo, erro);
}

bool CarregaPrecoMotores(const QString &dirDados, int registro, QString *erro) {
    return LeUm(Arq(dirDados, ArqPrecoMotores), registro, G().PrecoMotores, erro);
}

bool CarregaPrecoModelo(const QString &dirDados, int p, QString *erro) {
    return LeUm(Arq(dirDados, ArqPrecoModelos), RegistroDoModelo(p), G().PrecoModelo, erro);
}

bool ProcuraMotor(double x) { return ProcuraMotor(G(), x); }

bool ProcuraMotor(TEstado &g, double x) {
    g.MotorEscolhido = 0;
    for (int m = 1; m <= MotoresPorGrupo; ++m) {
        if (g.Motores[m].Potencia >= x) {
            g.MotorEscolhido = m;
            return true;
        }
    }
    return false;
}

bool LeTodosModelos(const QString &dirDados, std::vector<TDadosModelo> &modelos, QString *erro) {
    return LeArquivoDeRegistros(Arq(dirDados, ArqModelos), modelos, erro);
}

} // namespace quellora
