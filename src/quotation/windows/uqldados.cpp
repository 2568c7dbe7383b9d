#include "quotation/windows/uqldados.h"

#include "catalogue/binario.h"
#include "clients/clientes.h"
#include "clients/windows/uqlclientes.h"
#include "quotation/orcamento.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "ui/grade.h"

#include <QApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace quellora {

namespace {

struct Ganchos {
    EscolhaCliente escolhe;
    IndiceICMSAtual icms;
};

Ganchos &H() {
    static Ganchos h;
    return h;
}

// A cell's whole number as the 32-bit field holds it.
std::int32_t Inteiro(double v) {
    if (!std::isfinite(v))
        return 0;
    v = std::trunc(v);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<std::int32_t>(v);
}

QString TextoData(double data) { return DataParaDateTime(data).toString(QStringLiteral("dd/MM/yyyy")); }

constexpr int Larguras[ColunasDados] = {25, 64, 25, 239, 45, 50, 35, 40, 64, 70, 60};
const char *const Titulos[ColunasDados] = {"Item",           "Ref/Tag",   "Qtd",           "Descrição",
                                           "Vazão\rm³/h",    "Pressão\rmmH2O", "Temp.\rºC", "Altitude\rm",
                                           "Densidade\rkg/m³", "Ventiladores", "Pressão fixa\rmmH2O"};

} // namespace

// The item grid: Enter moves like Tab, moving past the last row appends one,
// Ctrl+Del deletes the current row, and a selected item's duty is not edited
// without the question.
class GradeDados : public GradeTexto {
public:
    GradeDados(TfrmDados *janela, QWidget *pai) : GradeTexto(ColunasDados, pai), j_(janela) {}

    // Commits the cell being edited, if any.
    void confirmaEdicao() {
        if (state() != EditingState)
            return;
        if (QWidget *ed = indexWidget(currentIndex())) {
            commitData(ed);
            closeEditor(ed, QAbstractItemDelegate::NoHint);
        }
    }

protected:
    void keyPressEvent(QKeyEvent *e) override {
        if (e->key() == Qt::Key_Delete && (e->modifiers() & Qt::ControlModifier)) {
            j_->excluiLinha();
            e->accept();
            return;
        }
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
            !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            GradeTexto::keyPressEvent(&tab);
            e->accept();
            return;
        }
        GradeTexto::keyPressEvent(e);
    }

    QModelIndex moveCursor(CursorAction acao, Qt::KeyboardModifiers mods) override {
        const QModelIndex atual = currentIndex();
        if (!atual.isValid())
            return GradeTexto::moveCursor(acao, mods);
        const int c = atual.column();
        const int r = atual.row() + 1;
        const int ultima = RowCount() - 1;
        switch (acao) {
        case MoveNext:
            if (c < COL_ALTITUDE || (c >= COL_VENTILADORES && c < ColunasDados - 1))
                return model()->index(r - 1, c + 1);
            if (r < ultima)
                return model()->index(r, COL_TAG);
            return acrescenta(COL_TAG);
        case MovePrevious:
            if (c > COL_VENTILADORES)
                return model()->index(r - 1, c - 1);
            if (c > COL_TAG)
                return model()->index(r - 1, std::min(c - 1, static_cast<int>(COL_ALTITUDE)));
            if (r > 1)
                return model()->index(r - 2, COL_ALTITUDE);
            return atual;
        case MoveDown:
            if (r < ultima)
                return GradeTexto::moveCursor(acao, mods);
            return acrescenta(c);
        default:
            return GradeTexto::moveCursor(acao, mods);
        }
    }

    bool edit(const QModelIndex &i, EditTrigger gatilho, QEvent *evento) override {
        // Only the current cell is edited: after Tab or Enter the view asks to
        // edit the next cell even when the move to it was refused.
        if (i.isValid() && i != currentIndex() && state() != EditingState)
            return false;
        const bool abre = i.isValid() && state() != EditingState &&
                          (gatilho == AllEditTriggers || (editTriggers() & gatilho)) && Editavel(i.column());
        if (abre && i.column() >= COL_VAZAO && !j_->confirmaAlteracao(i.row() + 1))
            return false;
        if (!GradeTexto::edit(i, gatilho, evento))
            return false;
        if (abre) {
            if (QWidget *ed = indexWidget(i))
                ed->installEventFilter(this);
        }
        return true;
    }

    // Enter in the cell editor: like Tab, which the editor's delegate turns
    // into "commit and edit the next cell". Ctrl+Del deletes the row there
    // too.
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::KeyPress && o->isWidgetType() && o->parent() == viewport()) {
            auto *k = static_cast<QKeyEvent *>(e);
            if (k->key() == Qt::Key_Delete && (k->modifiers() & Qt::ControlModifier)) {
                j_->excluiLinha();
                return true;
            }
            if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
                !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(o, &tab);
                return true;
            }
        }
        return GradeTexto::eventFilter(o, e);
    }

private:
    friend class TfrmDados;

    QModelIndex acrescenta(int c) {
        // Down pressed in a cell editor: its text counts for the checks.
        confirmaEdicao();
        if (!j_->podeAcrescentar())
            return currentIndex();
        j_->acrescentaLinha();
        return model()->index(rowCount() - 1, c);
    }

    TfrmDados *j_;
};

// --- Window ------------------------------------------------------------------

TfrmDados::TfrmDados(QWidget *painel) : JanelaFilha(QStringLiteral("Dados"), AJUDA_DADOS, painel) {
    setObjectName(QStringLiteral("TfrmDados"));

    // Buttons bar.
    auto *btCancela = new QPushButton(QStringLiteral("Ini&cio"), this);
    btCancela->setObjectName(QStringLiteral("btCancela"));
    btCancela->setIcon(QIcon(QStringLiteral(":/imagens/retorna.svg")));
    auto *btSelecao = new QPushButton(QStringLiteral("&Seleção"), this);
    btSelecao->setObjectName(QStringLiteral("btSelecao"));
    auto *btDataSheet = new QPushButton(QStringLiteral("&Folha de dados"), this);
    btDataSheet->setObjectName(QStringLiteral("btDataSheet"));
    for (QPushButton *b : {btCancela, btSelecao, btDataSheet}) {
        b->setMinimumWidth(110);
        b->setAutoDefault(false);
    }
    connect(btCancela, &QPushButton::clicked, this, [] { Inicio(); });
    connect(btSelecao, &QPushButton::clicked, this, [this] { btSelecaoClick(); });
    connect(btDataSheet, &QPushButton::clicked, this, [this] { btDataSheetClick(); });
    auto *barra = new QHBoxLayout;
    barra->addWidget(btCancela);
    barra->addWidget(btSelecao);
    barra->addWidget(btDataSheet);
    barra->addStretch();

    // Client group: filled only through the client window. The boxes hold
    // what the header holds (they are never typed in).
    auto *grupo = new QGroupBox(QStringLiteral("Cliente"), this);
    grupo->setObjectName(QStringLiteral("GroupBox1"));
    auto *gl = new QGridLayout(grupo);
    gl->setHorizontalSpacing(8);
    gl->setVerticalSpacing(6);
    auto campo = [&](const char *nome, const char *rotulo, int maximo) {
        auto *ed = new QLineEdit(grupo);
        ed->setObjectName(QString::fromLatin1(nome));
        ed->setReadOnly(true);
        ed->setMaxLength(maximo);
        ed->installEventFilter(this);
        auto *lb = new QLabel(QString::fromUtf8(rotulo), grupo);
        lb->setObjectName(QStringLiteral("lb") + QString::fromLatin1(nome).mid(2));
        lb->setBuddy(ed);
        connect(ed, &QLineEdit::textChanged, this, [this] { GravaCliente(); });
        return std::pair{lb, ed};
    };
    auto [lbNome, edNome] = campo("edNome", "&Nome", 50);
    auto [lbEndereco, edEndereco] = campo("edEndereco", "Endereço", 50);
    auto [lbCidade, edCidade] = campo("edCidade", "Cidade/Estado", 40);
    auto [lbEmail, edEmail] = campo("edEmail", "e-mail", 40);
    auto [lbContato, edContato] = campo("edContato", "Contato", 25);
    auto [lbFone, edFone] = campo("edFone", "Fone", 25);
    auto [lbFax, edFax] = campo("edFax", "Fax", 25);
    edNome_ = edNome;
    edEndereco_ = edEndereco;
    edCidade_ = edCidade;
    edEmail_ = edEmail;
    edContato_ = edContato;
    edFone_ = edFone;
    edFax_ = edFax;
    auto *BitBtn1 = new QPushButton(QStringLiteral("&Clientes"), grupo);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    // Name and address across; city and e-mail; contact, phone and fax.
    gl->addWidget(lbNome, 0, 0);
    gl->addWidget(edNome, 0, 1, 1, 3);
    gl->addWidget(BitBtn1, 0, 4, 1, 2);
    gl->addWidget(lbEndereco, 1, 0);
    gl->addWidget(edEndereco, 1, 1, 1, 5);
    gl->addWidget(lbCidade, 2, 0);
    gl->addWidget(edCidade, 2, 1, 1, 3);
    gl->addWidget(lbEmail, 2, 4);
    gl->addWidget(edEmail, 2, 5);
    gl->addWidget(lbContato, 3, 0);
    gl->addWidget(edContato, 3, 1);
    gl->addWidget(lbFone, 3, 2);
    gl->addWidget(edFone, 3, 3);
    gl->addWidget(lbFax, 3, 4);
    gl->addWidget(edFax, 3, 5);
    gl->setColumnStretch(1, 3);
    gl->setColumnStretch(3, 2);
    gl->setColumnStretch(5, 3);

    // Number, date and project.
    edOrcamento_ = new QLineEdit(this);
    edOrcamento_->setObjectName(QStringLiteral("edOrcamento"));
    edOrcamento_->setReadOnly(true);
    edOrcamento_->setMaxLength(7);
    edOrcamento_->setFixedWidth(edOrcamento_->fontMetrics().horizontalAdvance(QStringLiteral("00000/000")) + 12);
    // The date is the quotation's own (set at creation and saves); it is
    // shown, not typed.
    edData_ = new QLineEdit(this);
    edData_->setObjectName(QStringLiteral("edData"));
    edData_->setReadOnly(true);
    edData_->setFixedWidth(edData_->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    edProjeto_ = new QLineEdit(this);
    edProjeto_->setObjectName(QStringLiteral("edProjeto"));
    edProjeto_->setMaxLength(80);
    connect(edProjeto_, &QLineEdit::textChanged, this, [this] { edProjetoChange(); });
    connect(edOrcamento_, &QLineEdit::textChanged, this, [this] { edProjetoChange(); });
    auto *lbOrcamento = new QLabel(QStringLiteral("Orçamento"), this);
    lbOrcamento->setObjectName(QStringLiteral("lbOrcamento"));
    lbOrcamento->setBuddy(edOrcamento_);
    auto *lbData = new QLabel(QStringLiteral("Data"), this);
    lbData->setObjectName(QStringLiteral("lbData"));
    lbData->setBuddy(edData_);
    auto *lbProjeto = new QLabel(QStringLiteral("&Projeto"), this);
    lbProjeto->setObjectName(QStringLiteral("lbProjeto"));
    lbProjeto->setBuddy(edProjeto_);
    auto *linhaOrc = new QHBoxLayout;
    linhaOrc->addWidget(lbOrcamento);
    linhaOrc->addWidget(edOrcamento_);
    linhaOrc->addSpacing(12);
    linhaOrc->addWidget(lbData);
    linhaOrc->addWidget(edData_);
    linhaOrc->addSpacing(12);
    linhaOrc->addWidget(lbProjeto);
    linhaOrc->addWidget(edProjeto_, 1);

    // Item grid.
    grDados_ = new GradeDados(this, this);
    grDados_->setObjectName(QStringLiteral("grDados"));
    for (int c = 0; c < ColunasDados; ++c) {
        grDados_->setTitulo(c, QString::fromUtf8(Titulos[c]));
        // One-line titles centred; two-line titles from the top.
        grDados_->horizontalHeaderItem(c)->setTextAlignment(
            c <= COL_DESCRICAO || c == COL_VENTILADORES ? Qt::AlignCenter : (Qt::AlignHCenter | Qt::AlignTop));
    }
    // The narrow columns (a flow of 45 pixels) fit their numbers and titles
    // in a slightly smaller type; a title wider than its column still widens it.
    {
        QFont f = grDados_->font();
        const qreal pontos = f.pointSizeF();
        f.setPointSizeF(pontos * 0.9);
        grDados_->setFont(f);
        f.setPointSizeF(pontos * 0.8);
        grDados_->horizontalHeader()->setFont(f);
    }
    grDados_->AjustaLarguras({Larguras, Larguras + ColunasDados});
    grDados_->setAlturaTitulo(30);
    grDados_->setAlturaLinhas(20);
    grDados_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grDados_->setAlinhamento(COL_ITEM, Qt::AlignHCenter);
    grDados_->setAlinhamento(COL_QTD, Qt::AlignRight);
    grDados_->setAlinhamento(COL_VAZAO, Qt::AlignRight);
    grDados_->setAlinhamento(COL_PRESSAO, Qt::AlignHCenter);
    grDados_->setAlinhamento(COL_TEMPERATURA, Qt::AlignRight);
    grDados_->setAlinhamento(COL_ALTITUDE, Qt::AlignRight);
    grDados_->setAlinhamento(COL_DENSIDADE, Qt::AlignRight);
    grDados_->setAlinhamento(COL_VENTILADORES, Qt::AlignHCenter);
    grDados_->setAlinhamento(COL_PRESSAOFIXA, Qt::AlignHCenter);
    grDados_->setFormato(COL_DENSIDADE, QStringLiteral("0.000"));
    for (int c = COL_TAG; c <= COL_ALTITUDE; ++c)
        grDados_->setEditavel(c, true);
    for (int c = COL_QTD; c <= COL_ALTITUDE; ++c)
        if (c != COL_DESCRICAO)
            grDados_->setNumerica(c, c == COL_QTD || c == COL_VAZAO, CampoDaColuna(c));
    grDados_->setEditavel(COL_VENTILADORES, true);
    grDados_->setEditavel(COL_PRESSAOFIXA, true);
    grDados_->setNumerica(COL_VENTILADORES, true, CampoDaColuna(COL_VENTILADORES));
    grDados_->setNumerica(COL_PRESSAOFIXA, false, CampoDaColuna(COL_PRESSAOFIXA));
    // A tag keeps 10 characters and a description 40: no more can be typed.
    grDados_->setMaxComprimento(COL_TAG, 10);
    grDados_->setMaxComprimento(COL_DESCRICAO, 40);
    grDados_->aceitaNumero = [this](int c, double v, const QString &t, QString *motivo) {
        return AceitaNumero(c, grDados_->Row(), v, t, motivo);
    };
    grDados_->podeSelecionar = [this](int c, int r) { return podeSelecionar(c, r); };
    connect(grDados_, &GradeTexto::celulaEditada, this, [this](int c, int r) { celulaEditada(c, r); });
    auto *lbItens = new QLabel(QStringLiteral("&Itens"), this);
    lbItens->setObjectName(QStringLiteral("lbItens"));
    lbItens->setBuddy(grDados_);

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(8, 8, 8, 8);
    l->setSpacing(6);
    l->addLayout(barra);
    l->addWidget(grupo);
    l->addLayout(linhaOrc);
    l->addWidget(lbItens);
    l->addWidget(grDados_, 1);

    // The status line tells about Ctrl+Del while the grid (or its cell
    // editor) has the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *antes, QWidget *agora) {
        if (!isVisible())
            return;
        auto naGrade = [this](QWidget *w) { return w && (w == grDados_ || grDados_->isAncestorOf(w)); };
        if (naGrade(agora))
            TextoStatus(QString::fromUtf8(StatusExcluirLinha));
        else if (naGrade(antes))
            TextoStatus(QString());
    });

    // Creation: one row, the date of now.
    grDados_->setRowCount(2);
    linhaNova(1);
    G().Orcamento.Data = DateTimeParaData(QDateTime::currentDateTime());
    mostraData();
}

// --- Showing -------------------------------------------------------------------

void TfrmDados::aoMostrar() {
    // A cell of a flow, pressure, temperature or altitude may have stayed
    // current while its item was selected elsewhere: the cursor goes back to
    // the tag, so that no duty changes without the question.
    const int r = grDados_->Row();
    if (r < 1)
        moveCursor(COL_TAG, 1);
    else if (grDados_->Col() >= COL_VAZAO && r <= MaxItens && G().Itens[r].Selecionado)
        moveCursor(COL_TAG, r);
    QWidget *atPreco = JanelaCriada("TfrmAtPreco");
    if (!(atPreco && atPreco->isVisible()))
        grDados_->setFocus();
    if (grDados_->hasFocus())
        TextoStatus(QString::fromUtf8(StatusExcluirLinha));
}

void TfrmDados::aoEsconder() {
    grDados_->confirmaEdicao();
    if (TextoStatusAtual() == QString::fromUtf8(StatusExcluirLinha))
        TextoStatus(QString());
}

// --- Header fields ---------------------------------------------------------------

void TfrmDados::edProjetoChange() {
    auto &g = G();
    if (g.Carregando || preenchendo_)
        return;
    g.Orcamento.Projeto = CortaStr(edProjeto_->text(), 80);
    const QString numero = CortaStr(edOrcamento_->text(), 7);
    const bool mudou = numero != g.Orcamento.NumOrc;
    g.Orcamento.NumOrc = numero;
    SetAlterado(true);
    if (mudou)
        g.ArqOrc.clear();
}

void TfrmDados::GravaCliente() {
    auto &g = G();
    if (g.Carregando || preenchendo_)
        return;
    auto &o = g.Orcamento;
    o.Cliente = CortaStr(edNome_->text(), 50);
    o.Endereco = CortaStr(edEndereco_->text(), 50);
    o.Cidade_Estado = CortaStr(edCidade_->text(), 40);
    o.email = CortaStr(edEmail_->text(), 40);
    o.Contato = CortaStr(edContato_->text(), 25);
    o.Fone = CortaStr(edFone_->text(), 25);
    o.Fax = CortaStr(edFax_->text(), 25);
    SetAlterado(true);
}

bool TfrmDados::eventFilter(QObject *o, QEvent *e) {
    // A character typed into a client field: clients come from the client
    // window only.
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        const bool cliente = o == edNome_ || o == edEndereco_ || o == edCidade_ || o == edEmail_ ||
                             o == edContato_ || o == edFone_ || o == edFax_;
        if (cliente && !k->text().isEmpty() && k->text().at(0).isPrint() &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            Mensagem(QString::fromUtf8(MsgEscolhaCliente), MB_OK_EXCLAMACAO);
            return true;
        }
    }
    return JanelaFilha::eventFilter(o, e);
}

void TfrmDados::BitBtn1Click() {
    DadosCliente c;
    if (!EscolheClienteOrcamento(window(), edNome_->text().trimmed(), c)) {
        edNome_->setFocus();
        return;
    }
    edNome_->setText(c.Cliente);
    edEndereco_->setText(c.Endereco);
    edCidade_->setText(c.Cidade_Estado);
    edContato_->setText(c.Contato);
    edFone_->setText(c.Fone);
    edFax_->setText(c.Fax);
    edEmail_->setText(c.email);
    edProjeto_->setFocus();
    if (!G().Carregando) {
        G().Orcamento.descontoV = c.descontoV;
        G().Orcamento.descontoM = c.descontoM;
    }
    GravaCliente();
}

void TfrmDados::defineNumero(const QString &numero) { edOrcamento_->setText(numero); }
void TfrmDados::defineProjeto(const QString &projeto) { edProjeto_->setText(projeto); }

void TfrmDados::mostraCliente() {
    const auto &o = G().Orcamento;
    edNome_->setText(o.Cliente);
    edEndereco_->setText(o.Endereco);
    edCidade_->setText(o.Cidade_Estado);
    edEmail_->setText(o.email);
    edContato_->setText(o.Contato);
    edFone_->setText(o.Fone);
    edFax_->setText(o.Fax);
}

void TfrmDados::mostraData() { edData_->setText(TextoData(G().Orcamento.Data)); }

// --- Grid ------------------------------------------------------------------------

void TfrmDados::moveCursor(int c, int r) {
    const bool antes = movendo_;
    movendo_ = true;
    grDados_->setCelulaAtual(c, r);
    movendo_ = antes;
}

void TfrmDados::CalculaDensidadeLinha(int r) {
    auto &g = G();
    g.TempDens = grDados_->Numero(COL_TEMPERATURA, r);
    g.AltDens = grDados_->Numero(COL_ALTITUDE, r);
    CalculaDensidade();
    grDados_->setCells(COL_DENSIDADE, r, GradeTexto::TextoNumero(g.Densidade));
}

void TfrmDados::linhaNova(int r) {
    for (int c = 0; c < ColunasDados; ++c)
        grDados_->setCells(c, r, QString());
    grDados_->setCells(COL_ITEM, r, QString::number(r));
    grDados_->setCells(COL_TEMPERATURA, r, QStringLiteral("20"));
    grDados_->setCells(COL_ALTITUDE, r, QStringLiteral("0"));
    grDados_->setCells(COL_VENTILADORES, r, QStringLiteral("1"));
    grDados_->setCells(COL_PRESSAOFIXA, r, QStringLiteral("0"));
    CalculaDensidadeLinha(r);
}

TCampoNumero TfrmDados::CampoDaColuna(int c) {
    switch (c) {
    case COL_QTD: return {QStringLiteral("Quantidade"), QStringLiteral("Informe a quantidade de ventiladores.")};
    case COL_VAZAO: return {QStringLiteral("Vazão"), QStringLiteral("Informe a vazão em m³/h.")};
    case COL_PRESSAO: return {QStringLiteral("Pressão"), QStringLiteral("Informe a pressão estática em mmCA.")};
    case COL_TEMPERATURA: return {QStringLiteral("Temperatura"), QStringLiteral("Informe a temperatura do ar em °C.")};
    case COL_ALTITUDE: return {QStringLiteral("Altitude"), QStringLiteral("Informe a altitude do local em m.")};
    case COL_VENTILADORES:
        return {QStringLiteral("Ventiladores"), QStringLiteral("Informe quantos ventiladores iguais, de 1 a 6, trabalham em paralelo.")};
    case COL_PRESSAOFIXA:
        return {QStringLiteral("Pressão fixa"), QStringLiteral("Informe a pressão do sistema sem vazão, em mmCA.")};
    default: return {};
    }
}

bool TfrmDados::AceitaNumero(int c, int r, double v, const QString &texto, QString *motivo) const {
    // No negative quantity, flow or pressure, nor a quantity the item cannot
    // hold.
    if ((c == COL_QTD || c == COL_VAZAO || c == COL_PRESSAO) && v < 0) {
        *motivo = MsgNumeroRecusado(CampoDaColuna(c), texto, RecusaNumero::Negativo);
        return false;
    }
    if (c == COL_QTD && v > INT_MAX) {
        *motivo = MsgNumeroRecusado(CampoDaColuna(c), texto, RecusaNumero::GrandeDemais);
        return false;
    }
    // No air below absolute zero.
    if (c == COL_TEMPERATURA && v <= -273.0) {
        *motivo = QString::fromUtf8(MsgTemperaturaInvalida);
        return false;
    }
    if (c == COL_VENTILADORES && (v < 1 || v > 6)) {
        *motivo = QString::fromUtf8(MsgVentiladores);
        return false;
    }
    // The system's fixed pressure stays below the duty's, whichever is typed last.
    const double p0 = c == COL_PRESSAOFIXA ? v : grDados_->Numero(COL_PRESSAOFIXA, r);
    const double p = c == COL_PRESSAO ? v : grDados_->Numero(COL_PRESSAO, r);
    if (c == COL_PRESSAOFIXA && v < 0) {
        *motivo = MsgNumeroRecusado(CampoDaColuna(c), texto, RecusaNumero::Negativo);
        return false;
    }
    if ((c == COL_PRESSAOFIXA || c == COL_PRESSAO) && p0 > 0 && p0 >= p) {
        *motivo = QString::fromUtf8(MsgPressaoFixa);
        return false;
    }
    return true;
}

void TfrmDados::celulaEditada(int c, int r) {
    SetAlterado(true);
    if (c == COL_TEMPERATURA || c == COL_ALTITUDE)
        CalculaDensidadeLinha(r);
    modificado_ = true;
}

bool TfrmDados::confirmaAlteracao(int r) {
    auto &g = G();
    if (r < 1 || r > MaxItens || !g.Itens[r].Selecionado)
        return true;
    if (Mensagem(QString::fromUtf8(MsgItemSelecionado), MB_SIMNAO_EXCLAMACAO) != ID_SIM)
        return false;
    ResetaItem(r);
    SetAlterado(true);
    return true;
}

bool TfrmDados::podeSelecionar(int c, int r) {
    if (movendo_ || c < COL_VAZAO)
        return true;
    return confirmaAlteracao(r);
}

bool TfrmDados::podeAcrescentar() {
    const int r = grDados_->Row();
    if (grDados_->Numero(COL_VAZAO, r) == 0) {
        moveCursor(COL_VAZAO, r);
        MensagemErro(QString::fromUtf8(MsgInformeVazao));
        return false;
    }
    if (grDados_->Numero(COL_PRESSAO, r) == 0) {
        moveCursor(COL_PRESSAO, r);
        MensagemErro(QString::fromUtf8(MsgInformePressao));
        return false;
    }
    if (grDados_->RowCount() > MaxItens) {
        MensagemErro(QString::fromUtf8(MsgMaximoItens).arg(MaxItens));
        return false;
    }
    modificado_ = true;
    return true;
}

void TfrmDados::acrescentaLinha() {
    const int a = grDados_->RowCount();
    grDados_->setRowCount(a + 1);
    linhaNova(a);
}

void TfrmDados::excluiLinha() {
    const int r = grDados_->Row();
    if (r < 1)
        return;
    grDados_->confirmaEdicao();
    // Row r and item r are the same item: the item goes with its row.
    RemoveItem(r);
    const bool antes = movendo_;
    movendo_ = true;
    if (grDados_->RowCount() <= 2) {
        linhaNova(1); // the grid keeps one row, emptied
    } else {
        const int c = grDados_->Col();
        grDados_->removeRow(r - 1);
        for (int k = 1; k < grDados_->RowCount(); ++k)
            grDados_->setCells(COL_ITEM, k, QString::number(k));
        grDados_->setCelulaAtual(c, std::min(r, grDados_->RowCount() - 1));
    }
    movendo_ = antes;
    modificado_ = true;
    SetAlterado(true);
}

// --- Store and load --------------------------------------------------------------

void TfrmDados::GravaDados() {
    auto &g = G();
    grDados_->confirmaEdicao();
    moveCursor(COL_TAG, 1);
    g.ProjetoAtual = edProjeto_->text();
    g.NumOrcAtual = edOrcamento_->text();

    int n = grDados_->RowCount() - 1;
    if (n > 0 && (grDados_->Numero(COL_VAZAO, n) == 0 || grDados_->Numero(COL_PRESSAO, n) == 0))
        --n;
    n = std::min(n, static_cast<int>(MaxItens));
    g.NumItens = n;
    g.Orcamento.NumItensOrc = n;
    for (int k = 1; k <= n; ++k) {
        TItemOrc &it = g.Itens[k];
        const QString tag = grDados_->Cells(COL_TAG, k);
        it.RefTag = tag.trimmed().isEmpty() ? QStringLiteral("N.D.") : CortaStr(tag, 10);
        it.Qtd = Inteiro(grDados_->Numero(COL_QTD, k));
        const QString desc = grDados_->Cells(COL_DESCRICAO, k);
        it.Descricao = desc.trimmed().isEmpty() ? QStringLiteral("---") : CortaStr(desc, 40);
        it.Vazao = std::trunc(grDados_->Numero(COL_VAZAO, k));
        it.Pressao = grDados_->Numero(COL_PRESSAO, k);
        it.Temperatura = grDados_->Numero(COL_TEMPERATURA, k);
        it.Altitude = grDados_->Numero(COL_ALTITUDE, k);
        it.DensidadeItem = grDados_->Numero(COL_DENSIDADE, k);
        it.Ventiladores = std::clamp(Inteiro(grDados_->Numero(COL_VENTILADORES, k)), 1, 6);
        it.PressaoFixa = std::max(0.0, grDados_->Numero(COL_PRESSAOFIXA, k));
    }
    if (n > 0 && g.Orcamento.FatoresOrc.Entrega == 0) {
        IniciaCondicoes(IndiceICMS() + 1);
        mostraData();
    }
    modificado_ = false;
}

void TfrmDados::LimpaDados() {
    const bool antes = preenchendo_;
    preenchendo_ = true;
    for (QLineEdit *ed : {edNome_, edEndereco_, edCidade_, edEmail_, edContato_, edFone_, edFax_, edProjeto_,
                          edOrcamento_})
        ed->clear();
    grDados_->confirmaEdicao();
    movendo_ = true;
    grDados_->setRowCount(2);
    linhaNova(1);
    grDados_->setCelulaAtual(COL_TAG, 1);
    movendo_ = false;
    mostraData();
    modificado_ = false;
    preenchendo_ = antes;
}

void TfrmDados::CarregaDados() {
    auto &g = G();
    const bool antes = preenchendo_;
    preenchendo_ = true;
    mostraCliente();
    edProjeto_->setText(g.Orcamento.Projeto);
    edOrcamento_->setText(g.Orcamento.NumOrc);
    g.NumOrcAtual = g.Orcamento.NumOrc;
    g.ProjetoAtual = g.Orcamento.Projeto;
    mostraData();

    grDados_->confirmaEdicao();
    movendo_ = true;
    const int n = std::clamp(static_cast<int>(g.NumItens), 0, static_cast<int>(MaxItens));
    if (n == 0) {
        grDados_->setRowCount(2);
        linhaNova(1);
    } else {
        grDados_->setRowCount(n + 1);
        for (int k = 1; k <= n; ++k) {
            const TItemOrc &it = g.Itens[k];
            grDados_->setCells(COL_ITEM, k, QString::number(k));
            grDados_->setCells(COL_TAG, k, it.RefTag);
            grDados_->setCells(COL_QTD, k, QString::number(it.Qtd));
            grDados_->setCells(COL_DESCRICAO, k, it.Descricao);
            grDados_->setCells(COL_VAZAO, k, GradeTexto::TextoNumero(it.Vazao));
            grDados_->setCells(COL_PRESSAO, k, GradeTexto::TextoNumero(it.Pressao));
            grDados_->setCells(COL_TEMPERATURA, k, GradeTexto::TextoNumero(it.Temperatura));
            grDados_->setCells(COL_ALTITUDE, k, GradeTexto::TextoNumero(it.Altitude));
            grDados_->setCells(COL_DENSIDADE, k, GradeTexto::TextoNumero(it.DensidadeItem));
            grDados_->setCells(COL_VENTILADORES, k, QString::number(std::clamp(it.Ventiladores, 1, 6)));
            grDados_->setCells(COL_PRESSAOFIXA, k, GradeTexto::TextoNumero(it.PressaoFixa));
            CalculaDensidadeLinha(k);
        }
    }
    grDados_->setCelulaAtual(COL_TAG, 1);
    movendo_ = false;
    modificado_ = false;
    preenchendo_ = antes;
}

// --- Buttons ---------------------------------------------------------------------

void TfrmDados::btSelecaoClick() {
    GravaDados();
    if (G().NumItens > 0) {
        MostraJanela(JAN_CALCULOS);
        return;
    }
    grDados_->setFocus();
    MensagemErro(QString::fromUtf8(MsgMinimoUmItem));
}

void TfrmDados::btDataSheetClick() {
    if (modificado_)
        GravaDados();
    MostraJanela(JAN_DATASHEET);
}

// --- Free functions --------------------------------------------------------------

TfrmDados *JanelaDados() { return qobject_cast<TfrmDados *>(JanelaClasse("TfrmDados")); }

void GravaDados() {
    if (TfrmDados *d = JanelaDados())
        d->GravaDados();
}

void DefineEscolhaCliente(EscolhaCliente f) { H().escolhe = std::move(f); }

bool EscolheClienteOrcamento(QWidget *pai, const QString &pesquisa, DadosCliente &escolhido) {
    if (const EscolhaCliente &escolhe = H().escolhe)
        return escolhe(pesquisa, escolhido);
    return EscolheCliente(pai, pesquisa, escolhido);
}

void DefineIndiceICMS(IndiceICMSAtual f) { H().icms = std::move(f); }

int IndiceICMSPadrao(int icmsPadrao) {
    if (icmsPadrao <= 0 || icmsPadrao > 3)
        return 2;
    return icmsPadrao;
}

int IndiceICMS() {
    if (H().icms)
        return std::clamp(H().icms(), 0, 3);
    return IndiceICMSPadrao(G().Fatores.ICMSPadrao);
}

QWidget *CriaTfrmDados(QWidget *painel, const EntradaJanela &) { return new TfrmDados(painel); }

} // namespace quellora
