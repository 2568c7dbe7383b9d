#include "clients/tabela.h"

#include "shell/numeros.h"

#include <algorithm>
#include <cmath>

namespace quellora {

namespace {
const char *const NomesTipos[] = {
    "Unknown", "String", "SmallInt", "Integer", "Word", "Boolean", "Float", "Currency", "BCD", "Date", "Time",
    "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic", "FmtMemo", "ParadoxOle", "dBaseOle",
    "TypedBinary", "Cursor"};
const char *const NomesEspecies[] = {"Data", "Calculated", "Lookup", "InternalCalc", "Aggregate"};
} // namespace

QString NomeTipo(TipoCampo tipo) {
    const int i = static_cast<int>(tipo);
    return i >= 0 && i <= 22 ? QString::fromLatin1(NomesTipos[i]) : QStringLiteral("Unknown");
}

QString NomeEspecie(EspecieCampo especie) {
    const int i = static_cast<int>(especie);
    return i >= 0 && i <= 4 ? QString::fromLatin1(NomesEspecies[i]) : QStringLiteral("Data");
}

bool CampoTexto(TipoCampo t) { return t == TipoCampo::String || t == TipoCampo::Memo || t == TipoCampo::FmtMemo; }
bool CampoInteiro(TipoCampo t) {
    return t == TipoCampo::SmallInt || t == TipoCampo::Integer || t == TipoCampo::Word || t == TipoCampo::AutoInc;
}
bool CampoReal(TipoCampo t) {
    return t == TipoCampo::Float || t == TipoCampo::Currency || t == TipoCampo::BCD || t == TipoCampo::Date ||
           t == TipoCampo::Time || t == TipoCampo::DateTime;
}
bool CampoBinario(TipoCampo t) { return !CampoTexto(t) && !CampoInteiro(t) && !CampoReal(t) && t != TipoCampo::Boolean; }

TDefCampo TDefCampo::Cria(const QString &nome, TipoCampo tipo, std::int32_t tamanho) {
    TDefCampo c;
    c.Nome = nome;
    c.Tipo = tipo;
    c.Tamanho = tamanho;
    c.Rotulo = nome;
    c.Largura = tipo == TipoCampo::String ? tamanho : 10;
    return c;
}

QLocale LocalNumeros() {
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return l;
}

TTabela::TTabela() : collator_(QLocale()) { collator_.setCaseSensitivity(Qt::CaseSensitive); }

// --- Structure ----------------------------------------------------------------

void TTabela::DefineCampos(const QList<TDefCampo> &campos) {
    dados_.Campos = campos;
    dados_.Registros.clear();
    ordem_ = -1;
    atual_ = -1;
    estado_ = Navegando;
    buffer_.clear();
    Avisa();
}

int TTabela::IndiceCampo(const QString &nome) const {
    for (int i = 0; i < dados_.Campos.size(); ++i)
        if (dados_.Campos[i].Nome.compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TTabela::DefineOrdem(const QString &campo) {
    ordem_ = campo.isEmpty() ? -1 : IndiceCampo(campo);
    Ordena();
    atual_ = Quantos() ? 0 : -1;
    Avisa();
}

void TTabela::Substitui(TDadosTabela dados) {
    QString nomeOrdem = ordem_ >= 0 ? dados_.Campos[ordem_].Nome : QString();
    dados_ = std::move(dados);
    // Every record carries one value per field.
    for (TRegistro &r : dados_.Registros)
        r.resize(dados_.Campos.size());
    estado_ = Navegando;
    buffer_.clear();
    ordem_ = nomeOrdem.isEmpty() ? -1 : IndiceCampo(nomeOrdem);
    Ordena();
    atual_ = Quantos() ? 0 : -1;
    Avisa();
}

QString TTabela::Chave(const TRegistro &r) const {
    if (ordem_ < 0 || ordem_ >= r.size())
        return {};
    const QVariant &v = r[ordem_];
    return v.isValid() ? v.toString() : QString();
}

bool TTabela::Menor(const TRegistro &a, const TRegistro &b) const { return collator_.compare(Chave(a), Chave(b)) < 0; }

void TTabela::Ordena() {
    if (ordem_ < 0)
        return;
    // A file is saved in order: loading it need not sort again.
    const auto menor = [this](const TRegistro &a, const TRegistro &b) { return Menor(a, b); };
    if (std::is_sorted(dados_.Registros.begin(), dados_.Registros.end(), menor))
        return;
    std::stable_sort(dados_.Registros.begin(), dados_.Registros.end(), menor);
}

// After the records that sort equal: two clients of the same name keep the
// order in which they were entered.
int TTabela::PosicaoDeInsercao(const TRegistro &r) const {
    if (ordem_ < 0)
        return Quantos();
    auto it = std::upper_bound(dados_.Registros.begin(), dados_.Registros.end(), r,
                               [this](const TRegistro &a, const TRegistro &b) { return Menor(a, b); });
    return static_cast<int>(it - dados_.Registros.begin());
}

void TTabela::Avisa() {
    if (AoMudar)
        AoMudar();
}

// --- Cursor -------------------------------------------------------------------

bool TTabela::VaiPara(int posicao, QString *erro) {
    if (!GravaSeEditando(erro))
        return false;
    if (Quantos() == 0)
        atual_ = -1;
    else
        atual_ = std::clamp(posicao, 0, Quantos() - 1);
    Avisa();
    return true;
}

bool TTabela::Primeiro(QString *erro) { return VaiPara(0, erro); }
bool TTabela::Ultimo(QString *erro) {
    if (!GravaSeEditando(erro))
        return false;
    return VaiPara(Quantos() - 1, erro);
}
bool TTabela::Anterior(QString *erro) {
    if (!GravaSeEditando(erro))
        return false;
    return VaiPara(atual_ - 1, erro);
}
bool TTabela::Proximo(QString *erro) {
    if (!GravaSeEditando(erro))
        return false;
    return VaiPara(atual_ + 1, erro);
}

bool TTabela::ProcuraProximo(const QString &texto, QString *erro) {
    if (!GravaSeEditando(erro))
        return false;
    int i = 0;
    if (ordem_ >= 0) {
        // Records are in order: the first one at or after the text.
        auto it = std::lower_bound(dados_.Registros.begin(), dados_.Registros.end(), texto,
                                   [this](const TRegistro &a, const QString &t) {
                                       return collator_.compare(Chave(a), t) < 0;
                                   });
        i = static_cast<int>(it - dados_.Registros.begin());
    }
    return VaiPara(i, erro);
}

const TRegistro *TTabela::RegistroAtual() const {
    if (estado_ != Navegando)
        return &buffer_;
    if (atual_ < 0 || atual_ >= Quantos())
        return nullptr;
    return &dados_.Registros[atual_];
}

// --- Editing ------------------------------------------------------------------

void TTabela::Edita() {
    if (estado_ != Navegando)
        return;
    if (atual_ < 0 || atual_ >= Quantos()) {
        QString erro;
        Insere(&erro);
        return;
    }
    buffer_ = dados_.Registros[atual_];
    estado_ = Editando;
    modificada_ = true;
    Avisa();
}

bool TTabela::Insere(QString *erro) {
    if (!GravaSeEditando(erro))
        return false;
    anterior_ = atual_;
    buffer_ = TRegistro(dados_.Campos.size());
    estado_ = Inserindo;
    modificada_ = true;
    Avisa();
    return true;
}

bool TTabela::GravaSeEditando(QString *erro) { return estado_ == Navegando || Grava(erro); }

bool TTabela::Grava(QString *erro) {
    if (estado_ == Navegando)
        return true;
    if (AntesDeGravar && !AntesDeGravar(*this, erro))
        return false;
    for (int i = 0; i < dados_.Campos.size(); ++i) {
        if (dados_.Campos[i].Obrigatorio && (i >= buffer_.size() || !buffer_[i].isValid())) {
            if (erro)
                *erro = QStringLiteral("Field '%1' must have a value").arg(dados_.Campos[i].Rotulo);
            return false;
        }
    }
    TRegistro r = buffer_;
    if (estado_ == Editando && atual_ >= 0 && atual_ < Quantos())
        dados_.Registros.removeAt(atual_);
    const int p = PosicaoDeInsercao(r);
    dados_.Registros.insert(p, std::move(r));
    atual_ = p;
    estado_ = Navegando;
    buffer_.clear();
    Avisa();
    return true;
}

void TTabela::Cancela() {
    if (estado_ == Navegando)
        return;
    if (estado_ == Inserindo)
        atual_ = Quantos() ? std::clamp(anterior_, 0, Quantos() - 1) : -1;
    estado_ = Navegando;
    buffer_.clear();
    Avisa();
}

void TTabela::Exclui() {
    if (estado_ == Inserindo) {
        Cancela();
        return;
    }
    estado_ = Navegando;
    buffer_.clear();
    if (atual_ < 0 || atual_ >= Quantos())
        return;
    dados_.Registros.removeAt(atual_);
    // A deletion changes the file as much as an edit does.
    modificada_ = true;
    if (atual_ >= Quantos())
        atual_ = Quantos() - 1;
    Avisa();
}

QVariant TTabela::Valor(int campo) const {
    const TRegistro *r = RegistroAtual();
    if (!r || campo < 0 || campo >= r->size())
        return {};
    return (*r)[campo];
}

QVariant TTabela::Valor(const QString &nome) const { return Valor(IndiceCampo(nome)); }

QString TTabela::Texto(int campo) const {
    const QVariant v = Valor(campo);
    if (!v.isValid() || campo < 0 || campo >= dados_.Campos.size())
        return {};
    const TipoCampo t = dados_.Campos[campo].Tipo;
    if (CampoReal(t))
        return NumeroGeral(v.toDouble());
    if (CampoInteiro(t))
        return LocalNumeros().toString(v.toInt());
    if (t == TipoCampo::Boolean)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (CampoBinario(t))
        return QString::fromLatin1(v.toByteArray());
    return v.toString();
}

void TTabela::DefineValor(int campo, const QVariant &valor) {
    if (campo < 0 || campo >= dados_.Campos.size())
        return;
    if (estado_ == Navegando)
        Edita();
    if (buffer_.size() < dados_.Campos.size())
        buffer_.resize(dados_.Campos.size());
    buffer_[campo] = valor;
}

bool TTabela::DefineTexto(int campo, const QString &texto, QString *erro) {
    if (campo < 0 || campo >= dados_.Campos.size())
        return true;
    const TDefCampo &c = dados_.Campos[campo];
    if (CampoTexto(c.Tipo)) {
        DefineValor(campo, texto);
        return true;
    }
    if (CampoBinario(c.Tipo)) {
        DefineValor(campo, texto.toLatin1());
        return true;
    }
    if (texto.trimmed().isEmpty()) {
        DefineValor(campo, QVariant());
        return true;
    }
    bool ok = false;
    if (CampoReal(c.Tipo)) {
        double v = 0;
        if (LeNumero(texto, &v)) {
            DefineValor(campo, v);
            return true;
        }
        if (erro)
            *erro = QStringLiteral("'%1' is not a valid floating point value for field '%2'").arg(texto, c.Rotulo);
        return false;
    }
    if (CampoInteiro(c.Tipo)) {
        const int v = LocalNumeros().toInt(texto.trimmed(), &ok);
        if (ok) {
            DefineValor(campo, v);
            return true;
        }
        if (erro)
            *erro = QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(texto, c.Rotulo);
        return false;
    }
    // Boolean
    const QString t = texto.trimmed().toLower();
    DefineValor(campo, t == QLatin1String("true") || t == QLatin1String("t") || t == QLatin1String("1"));
    return true;
}

} // namespace quellora
