#pragma once
// A small in-memory table: field definitions, records of nullable values,
// an order by one text field under the user's collation, and a cursor with
// the browse / edit / insert states of a data-aware form.

#include <QCollator>
#include <QList>
#include <QLocale>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>

namespace quellora {

// Field types, numbered as the table stream's type names list them.
enum class TipoCampo : int {
    Unknown, String, SmallInt, Integer, Word, Boolean, Float, Currency, BCD, Date, Time, DateTime,
    Bytes, VarBytes, AutoInc, Blob, Memo, Graphic, FmtMemo, ParadoxOle, dBaseOle, TypedBinary, Cursor
};

enum class EspecieCampo : int { Data, Calculated, Lookup, InternalCalc, Aggregate };

QString NomeTipo(TipoCampo tipo);
QString NomeEspecie(EspecieCampo especie);

// Value classes of the field types.
bool CampoTexto(TipoCampo t);    // String, Memo, FmtMemo: QString
bool CampoInteiro(TipoCampo t);  // SmallInt, Integer, Word, AutoInc: qint32
bool CampoReal(TipoCampo t);     // Float, Currency, BCD, Date, Time, DateTime: double
bool CampoBinario(TipoCampo t);  // Bytes, VarBytes, Blob, Graphic, ...: QByteArray
// (Boolean fields hold bool.)

struct TDefCampo {
    QString Nome;
    TipoCampo Tipo = TipoCampo::String;
    std::int32_t Tamanho = 0;
    QString Rotulo;  // display label
    QString Mascara; // edit mask
    std::int32_t Largura = 0; // display width
    bool Obrigatorio = false;
    bool SomenteLeitura = false;
    EspecieCampo Especie = EspecieCampo::Data;

    // A field as the program defines it: label = name, no mask, display
    // width = size for text fields and 10 for the others.
    static TDefCampo Cria(const QString &nome, TipoCampo tipo, std::int32_t tamanho = 0);
    bool operator==(const TDefCampo &) const = default;
};

// One value per field; a null value is an invalid QVariant.
using TRegistro = QList<QVariant>;

struct TDadosTabela {
    QList<TDefCampo> Campos;
    QList<TRegistro> Registros;
};

// Numbers as the user's locale writes them, without group separators.
QLocale LocalNumeros();

class TTabela {
public:
    enum Estado { Navegando, Editando, Inserindo };

    TTabela();

    // --- Structure ---
    // Replaces the fields; drops every record.
    void DefineCampos(const QList<TDefCampo> &campos);
    const QList<TDefCampo> &Campos() const { return dados_.Campos; }
    // Field names match case-insensitively; -1 when absent.
    int IndiceCampo(const QString &nome) const;
    // Orders the records by the named field (empty: entry order).
    void DefineOrdem(const QString &campo);
    // Replaces structure and records at once (loading), back in order, on
    // the first record.
    void Substitui(TDadosTabela dados);
    const TDadosTabela &Dados() const { return dados_; }

    // --- Cursor ---
    int Quantos() const { return static_cast<int>(dados_.Registros.size()); }
    bool Vazia() const { return dados_.Registros.isEmpty() && estado_ != Inserindo; }
    // Current record in the order, -1 when there is none.
    int Posicao() const { return atual_; }
    bool NoPrimeiro() const { return atual_ <= 0; }
    bool NoUltimo() const { return atual_ < 0 || atual_ >= Quantos() - 1; }
    Estado EstadoAtual() const { return estado_; }
    bool EmEdicao() const { return estado_ != Navegando; }

    // Moves post a pending edit first; they fail (and stay) when it fails.
    bool Primeiro(QString *erro);
    bool Anterior(QString *erro);
    bool Proximo(QString *erro);
    bool Ultimo(QString *erro);
    bool VaiPara(int posicao, QString *erro);
    // The first record whose ordering field sorts at or after 'texto'
    // (the last record when none does).
    bool ProcuraProximo(const QString &texto, QString *erro);

    // --- Editing ---
    // Puts the current record into edit mode (insert mode on an empty
    // table). No-op when already editing.
    void Edita();
    // Starts a new record (posting a pending edit first).
    bool Insere(QString *erro);
    // Checks (AntesDeGravar, then the required fields: "Field '%s' must
    // have a value") and stores the record at its place in the order.
    bool Grava(QString *erro);
    // Drops the pending edit or the new record.
    void Cancela();
    // Deletes the current record (a new record is just dropped).
    void Exclui();
    // Posts when editing; true when nothing needed posting.
    bool GravaSeEditando(QString *erro);

    // Values of the current record (its pending copy while editing).
    QVariant Valor(int campo) const;
    QVariant Valor(const QString &nome) const;
    // Display text: empty for null, numbers in the user's locale.
    QString Texto(int campo) const;
    // Sets a value, entering edit mode when browsing.
    void DefineValor(int campo, const QVariant &valor);
    // Sets a value from text, converted by the field type: an empty text
    // makes a number null; a text that is not a number fails with
    // "'%s' is not a valid floating point value for field '%s'".
    bool DefineTexto(int campo, const QString &texto, QString *erro);

    // Set when the table first enters edit or insert mode, and on deletion.
    bool Modificada() const { return modificada_; }
    void DefineModificada(bool m) { modificada_ = m; }

    // Called before every post; a false return keeps the record in edit.
    std::function<bool(TTabela &, QString *)> AntesDeGravar;
    // Called after every move, state change and change of the data.
    std::function<void()> AoMudar;

private:
    bool Menor(const TRegistro &a, const TRegistro &b) const;
    int PosicaoDeInsercao(const TRegistro &r) const;
    QString Chave(const TRegistro &r) const;
    void Ordena();
    void Avisa();
    const TRegistro *RegistroAtual() const;

    TDadosTabela dados_;
    int ordem_ = -1;
    QCollator collator_;
    int atual_ = -1;
    Estado estado_ = Navegando;
    TRegistro buffer_;
    int anterior_ = -1; // position to go back to when an insert is cancelled
    bool modificada_ = false;
};

} // namespace quellora
