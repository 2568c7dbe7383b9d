#include "clients/windows/uqlclientes.h"

#include "clients/tabela.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "store/windows/uqlbanco.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace quellora {

namespace {

enum BotaoNavegador { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel };

struct DefBotao {
    const char *nome;
    const char *dica;
};
const DefBotao BotoesNavegador[] = {
    {"nbFirst", "Primeiro cliente"},  {"nbPrior", "Cliente anterior"},  {"nbNext", "Próximo cliente"},
    {"nbLast", "Último cliente"},     {"nbInsert", "Adiciona cliente"}, {"nbDelete", "Exclui cliente"},
    {"nbEdit", "Altera clientes"},    {"nbPost", "Confirma alterações"}, {"nbCancel", "Cancela alterações"},
};

struct DefCaixa {
    const char *rotulo;
    const char *campo;
};
const DefCaixa Caixas[] = {
    {"Cliente", "Cliente"},        {"Contato", "Contato"},         {"Fone", "Fone"},
    {"Fax", "Fax"},                {"Endereço", "Endereco"},       {"Cidade/Estado", "Cidade_Estado"},
    {"e-mail", "email"},           {"Desc.Vent. %", "descontoV"}, {"Desc.Mot.%", "descontoM"},
    {"Obs.", "Obs"},
};

// The navigator's glyphs, drawn rather than shipped.
QIcon Glifo(int botao) {
    QPixmap px(16, 16);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor escuro(40, 40, 40);
    p.setPen(Qt::NoPen);
    p.setBrush(escuro);
    auto triangulo = [&](bool esquerda, qreal x) {
        QPolygonF t;
        if (esquerda)
            t << QPointF(x + 6, 3) << QPointF(x + 6, 13) << QPointF(x, 8);
        else
            t << QPointF(x, 3) << QPointF(x, 13) << QPointF(x + 6, 8);
        p.drawPolygon(t);
    };
    switch (botao) {
    case nbFirst:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangulo(true, 6);
        break;
    case nbPrior:
        triangulo(true, 5);
        break;
    case nbNext:
        triangulo(false, 5);
        break;
    case nbLast:
        triangulo(false, 4);
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case nbInsert:
        p.drawRect(QRectF(7, 3, 2, 10));
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case nbDelete:
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case nbEdit: {
        QPolygonF t;
        t << QPointF(3, 11) << QPointF(13, 11) << QPointF(8, 4);
        p.drawPolygon(t);
        break;
    }
    case nbPost: {
        QPen caneta(QColor(0, 128, 0), 2.2);
        p.setPen(caneta);
        p.setBrush(Qt::NoBrush);
        QPainterPath c;
        c.moveTo(3, 8);
        c.lineTo(6.5, 12);
        c.lineTo(13, 4);
        p.drawPath(c);
        break;
    }
    case nbCancel: {
        QPen caneta(QColor(180, 0, 0), 2.2);
        p.setPen(caneta);
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    }
    return QIcon(px);
}

QIcon GlifoImpressora() {
    QPixmap px(16, 16);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 5);   // paper in
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(1, 6, 14, 6);  // body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 5);  // paper out
    return QIcon(px);
}

} // namespace

TfrmClientes::TfrmClientes(QWidget *pai) : QDialog(pai) {
    setObjectName(QStringLiteral("TfrmClientes"));
    setWindowTitle(QStringLiteral("Clientes"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    DefineContextoAjuda(this, AJUDA_CLIENTES); // F1

    auto *raiz = new QVBoxLayout(this);

    // Navigator and print button.
    auto *topo = new QHBoxLayout;
    auto *DBNavigator1 = new QWidget(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    auto *nav = new QHBoxLayout(DBNavigator1);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(1);
    for (int i = 0; i < 9; ++i) {
        auto *b = new QToolButton(DBNavigator1);
        b->setObjectName(QString::fromLatin1(BotoesNavegador[i].nome));
        b->setToolTip(QString::fromUtf8(BotoesNavegador[i].dica));
        b->setIcon(Glifo(i));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(26, 24);
        connect(b, &QToolButton::clicked, this, [this, i] { Navega(i); });
        nav->addWidget(b);
        navegador_ << b;
    }
    topo->addWidget(DBNavigator1);
    topo->addStretch();
    SpeedButton1_ = new QToolButton(this);
    SpeedButton1_->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1_->setToolTip(QStringLiteral("Imprimir"));
    SpeedButton1_->setIcon(GlifoImpressora());
    SpeedButton1_->setFixedSize(26, 24);
    SpeedButton1_->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton1_, &QToolButton::clicked, this, &TfrmClientes::SpeedButton1Click);
    topo->addWidget(SpeedButton1_);
    raiz->addLayout(topo);

    // Search.
    auto *busca = new QHBoxLayout;
    auto *lbPesquisa = new QLabel(QStringLiteral("&Pesquisa"), this);
    edSearch_ = new QLineEdit(this);
    edSearch_->setObjectName(QStringLiteral("edSearch"));
    lbPesquisa->setBuddy(edSearch_);
    edSearch_->installEventFilter(this);
    connect(edSearch_, &QLineEdit::textChanged, this, &TfrmClientes::PesquisaMudou);
    busca->addWidget(lbPesquisa);
    busca->addWidget(edSearch_, 1);
    raiz->addLayout(busca);

    // Data boxes.
    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(6);
    for (int i = 0; i < 10; ++i) {
        auto *ed = new QLineEdit(this);
        ed->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
        auto *lb = new QLabel(QString::fromUtf8(Caixas[i].rotulo), this);
        lb->setBuddy(ed);
        ed->installEventFilter(this);
        connect(ed, &QLineEdit::textEdited, this, [this, i] { Digitado(i); });
        caixas_ << ed;
        camposCaixas_ << QString::fromLatin1(Caixas[i].campo);
    }
    auto linha = [&](int r, int caixa, int col, int span) {
        QLabel *rotulo = nullptr;
        for (QLabel *l : findChildren<QLabel *>())
            if (l->buddy() == caixas_[caixa])
                rotulo = l;
        grade->addWidget(rotulo, r, col);
        grade->addWidget(caixas_[caixa], r, col + 1, 1, span);
    };
    linha(0, 0, 0, 5);  // Cliente
    linha(1, 1, 0, 1);  // Contato
    linha(1, 2, 2, 1);  // Fone
    linha(1, 3, 4, 1);  // Fax
    linha(2, 4, 0, 5);  // Endereço
    linha(3, 5, 0, 3);  // Cidade/Estado
    linha(4, 6, 0, 3);  // e-mail
    linha(5, 7, 0, 1);  // Desc.Vent. %
    linha(5, 8, 2, 1);  // Desc.Mot.%
    linha(6, 9, 0, 5);  // Obs.
    grade->setColumnStretch(1, 3);
    grade->setColumnStretch(3, 2);
    grade->setColumnStretch(5, 2);
    raiz->addLayout(grade);

    // Buttons.
    auto *botoes = new QHBoxLayout;
    btNovo_ = new QPushButton(QStringLiteral("&Novo"), this);
    btNovo_->setObjectName(QStringLiteral("btNovo"));
    btNovo_->setAutoDefault(false);
    btOK_ = new QPushButton(QStringLiteral("OK"), this);
    btOK_->setObjectName(QStringLiteral("btOK"));
    btOK_->setDefault(true);
    btOK_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn2_ = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtn2_->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2_->setAutoDefault(false);
    BitBtn2_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(btNovo_, &QPushButton::clicked, this, &TfrmClientes::btNovoClick);
    connect(btOK_, &QPushButton::clicked, this, &TfrmClientes::btOKClick);
    connect(BitBtn2_, &QPushButton::clicked, this, &TfrmClientes::BitBtn2Click);
    botoes->addWidget(btNovo_);
    botoes->addStretch();
    botoes->addWidget(btOK_);
    botoes->addWidget(BitBtn2_);
    raiz->addLayout(botoes);

    setTabOrder(edSearch_, caixas_[0]);
    for (int i = 0; i + 1 < caixas_.size(); ++i)
        setTabOrder(caixas_[i], caixas_[i + 1]);
    setTabOrder(caixas_.last(), btNovo_);
    setTabOrder(btNovo_, btOK_);
    setTabOrder(btOK_, BitBtn2_);

    resize(560, sizeHint().height());

    // The client table is loaded once, by the first client window.
    Recarrega();
    Tabela().AoMudar = [this] { Mostra(); };
    Mostra();
}

void TfrmClientes::Recarrega() {
    // Loaded once from a folder; from a server shared with others, again at
    // every choice while nothing here waits to be written.
    Tdm &dm = G().dm;
    if (dm.Carregada && !(AcervoDoPrograma().Servidor() && !Tabela().Modificada() && !Tabela().EmEdicao()))
        return;
    QString erro;
    bool ok;
    {
        CursorOcupado ocupado;
        ok = LoadClientTable(AcervoDoPrograma(), &erro);
    }
    if (!ok)
        MensagemErro(erro);
}

TfrmClientes::~TfrmClientes() { Tabela().AoMudar = nullptr; }

TTabela &TfrmClientes::Tabela() const { return G().dm.mtClientes; }

void TfrmClientes::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    // Centred on the screen.
    if (QScreen *tela = screen())
        move(tela->availableGeometry().center() - rect().center());
    // The table is shared: it may have moved while the window was hidden.
    Tabela().AoMudar = [this] { Mostra(); };
    Mostra();
    edSearch_->setFocus();
}

void TfrmClientes::DefinePesquisa(const QString &texto) {
    if (edSearch_->text() == texto)
        PesquisaMudou(texto);
    else
        edSearch_->setText(texto);
}

// --- Showing the current record --------------------------------------------

void TfrmClientes::Mostra() {
    if (mostrando_)
        return;
    const TTabela &t = Tabela();
    for (int i = 0; i < caixas_.size(); ++i) {
        QLineEdit *ed = caixas_[i];
        const int campo = t.IndiceCampo(camposCaixas_[i]);
        ed->setEnabled(campo >= 0);
        if (campo >= 0) {
            const TDefCampo &def = t.Campos()[campo];
            ed->setMaxLength(CampoTexto(def.Tipo) && def.Tamanho > 0 ? def.Tamanho : 32767);
            ed->setReadOnly(def.SomenteLeitura);
        }
        const QString texto = campo >= 0 ? t.Texto(campo) : QString();
        if (ed->text() != texto && !pendentes_.contains(i))
            ed->setText(texto);
    }
    AtualizaBotoes();
}

void TfrmClientes::AtualizaBotoes() {
    const TTabela &t = Tabela();
    const bool editando = t.EmEdicao();
    const bool vazia = t.Quantos() == 0;
    navegador_[nbFirst]->setEnabled(!editando ? !t.NoPrimeiro() : true);
    navegador_[nbPrior]->setEnabled(!editando ? !t.NoPrimeiro() : true);
    navegador_[nbNext]->setEnabled(!editando ? !t.NoUltimo() : true);
    navegador_[nbLast]->setEnabled(!editando ? !t.NoUltimo() : true);
    navegador_[nbInsert]->setEnabled(true);
    navegador_[nbDelete]->setEnabled(editando || !vazia);
    navegador_[nbEdit]->setEnabled(!editando && !vazia);
    navegador_[nbPost]->setEnabled(editando);
    navegador_[nbCancel]->setEnabled(editando);
}

// --- Editing -----------------------------------------------------------------

void TfrmClientes::Digitado(int caixa) {
    TTabela &t = Tabela();
    const int campo = t.IndiceCampo(camposCaixas_[caixa]);
    if (campo < 0)
        return;
    if (!t.EmEdicao()) {
        // The boxes already show the record (or nothing, on an empty
        // table): only the state changes.
        mostrando_ = true;
        t.Edita();
        mostrando_ = false;
        AtualizaBotoes();
    }
    if (CampoTexto(t.Campos()[campo].Tipo)) {
        t.DefineValor(campo, caixas_[caixa]->text());
    } else {
        // Numbers are checked when the record is posted.
        pendentes_.insert(caixa);
    }
}

bool TfrmClientes::AplicaPendentes() {
    TTabela &t = Tabela();
    for (int caixa = 0; caixa < caixas_.size(); ++caixa) {
        if (!pendentes_.contains(caixa))
            continue;
        QString erro;
        if (!t.DefineTexto(t.IndiceCampo(camposCaixas_[caixa]), caixas_[caixa]->text(), &erro)) {
            MensagemErro(erro);
            caixas_[caixa]->setFocus();
            caixas_[caixa]->selectAll();
            return false;
        }
        pendentes_.remove(caixa);
    }
    return true;
}

bool TfrmClientes::Posta() {
    TTabela &t = Tabela();
    if (!t.EmEdicao())
        return true;
    if (!AplicaPendentes())
        return false;
    QString erro;
    if (!t.Grava(&erro)) {
        MensagemErro(erro);
        caixas_[0]->setFocus();
        return false;
    }
    return true;
}

void TfrmClientes::Navega(int botao) {
    TTabela &t = Tabela();
    QString erro;
    switch (botao) {
    case nbFirst:
    case nbPrior:
    case nbNext:
    case nbLast:
        if (!Posta())
            return;
        if (botao == nbFirst)
            t.Primeiro(&erro);
        else if (botao == nbPrior)
            t.Anterior(&erro);
        else if (botao == nbNext)
            t.Proximo(&erro);
        else
            t.Ultimo(&erro);
        break;
    case nbInsert:
        if (!Posta())
            return;
        t.Insere(&erro);
        caixas_[0]->setFocus();
        break;
    case nbDelete:
        pendentes_.clear();
        t.Exclui();
        break;
    case nbEdit:
        t.Edita();
        caixas_[0]->setFocus();
        break;
    case nbPost:
        Posta();
        break;
    case nbCancel:
        pendentes_.clear();
        t.Cancela();
        break;
    }
    Mostra();
}

void TfrmClientes::PesquisaMudou(const QString &texto) {
    if (texto.isEmpty())
        return;
    if (!Posta())
        return;
    QString erro;
    Tabela().ProcuraProximo(texto, &erro);
}

void TfrmClientes::btNovoClick() {
    if (!Posta())
        return;
    QString erro;
    Tabela().Insere(&erro);
    Mostra();
    caixas_[0]->setFocus();
}

void TfrmClientes::btOKClick() {
    resultado_ = DadosCliente{};
    resultado_.Cliente = caixas_[0]->text();
    resultado_.Contato = caixas_[1]->text();
    resultado_.Fone = caixas_[2]->text();
    resultado_.Fax = caixas_[3]->text();
    resultado_.Endereco = caixas_[4]->text();
    resultado_.Cidade_Estado = caixas_[5]->text();
    resultado_.email = caixas_[6]->text();
    resultado_.descontoV = DescontoDoTexto(caixas_[7]->text());
    resultado_.descontoM = DescontoDoTexto(caixas_[8]->text());

    if (Tabela().Modificada()) {
        if (!Posta())
            return;
        QString erro;
        QString copia;
        bool ok;
        {
            CursorOcupado ocupado;
            ok = SaveClientTable(AcervoDoPrograma(), &erro, &copia);
        }
        if (!ok) {
            MensagemErro(erro);
            return;
        }
        // What a shared server holds now is what this table shows.
        if (AcervoDoPrograma().Servidor())
            Tabela().DefineModificada(false);
        if (!copia.isEmpty())
            MensagemInfo(QStringLiteral("O arquivo de clientes que não pôde ser lido foi guardado como \"%1\".")
                             .arg(QDir::toNativeSeparators(copia)));
    }
    accept();
}

void TfrmClientes::BitBtn2Click() { reject(); }

void TfrmClientes::reject() {
    pendentes_.clear();
    Tabela().Cancela();
    QDialog::reject();
}

bool TfrmClientes::eventFilter(QObject *o, QEvent *e) {
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (o == edSearch_ || o == caixas_.last()) {
                if (Posta())
                    btOK_->setFocus();
            } else if (caixas_.contains(qobject_cast<QLineEdit *>(o))) {
                focusNextChild();
            }
            return true; // swallowed: never the default button
        }
    }
    return QDialog::eventFilter(o, e);
}

// --- Printing ------------------------------------------------------------------

void TfrmClientes::SpeedButton1Click() {
    if (!Posta())
        return;
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setDocName(QStringLiteral("Relação de Clientes"));
    impressora.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialogo(&impressora, this);
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    if (dialogo.exec() != QDialog::Accepted)
        return;
    if (!ImprimeRelacaoClientes(impressora, Tabela()))
        MensagemErro(QStringLiteral("Não foi possível imprimir a relação de clientes."));
}

bool ImprimeRelacaoClientes(QPrinter &impressora, const TTabela &tabela) {
    impressora.setDocName(QStringLiteral("Relação de Clientes"));
    QPainter p;
    if (!p.begin(&impressora))
        return false;

    struct Coluna {
        const char *titulo;
        const char *campo;
        double largura; // share of the line
    };
    const Coluna colunas[] = {
        {"Cliente", "Cliente", 0.22}, {"Contato", "Contato", 0.12},          {"e-mail", "email", 0.16},
        {"Fone", "Fone", 0.09},       {"Fax", "Fax", 0.09},                   {"Endereço", "Endereco", 0.18},
        {"Cidade/Estado", "Cidade_Estado", 0.14},
    };

    const QRectF pagina = impressora.pageLayout().paintRectPixels(impressora.resolution());
    const QRectF area(0, 0, pagina.width(), pagina.height());
    const double dpi = impressora.resolution();
    auto mm = [dpi](double v) { return v * dpi / 25.4; };

    QFont titulo(QStringLiteral("Arial"), 14, QFont::Bold);
    QFont cabecalho(QStringLiteral("Arial"), 9, QFont::Bold);
    QFont texto(QStringLiteral("Arial"), 9);
    QFont rodape(QStringLiteral("Arial"), 8);
    const QString data = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));

    p.setFont(texto);
    const double alturaLinha = p.fontMetrics().height() * 1.25;
    p.setFont(rodape);
    const double alturaRodape = p.fontMetrics().height() * 2;

    const auto &registros = tabela.Dados().Registros;
    int indices[7];
    for (int c = 0; c < 7; ++c)
        indices[c] = tabela.IndiceCampo(QString::fromLatin1(colunas[c].campo));

    int numeroPagina = 0;
    qsizetype r = 0;
    do {
        if (numeroPagina > 0)
            impressora.newPage();
        ++numeroPagina;
        double y = area.top();

        p.setFont(titulo);
        const double alturaTitulo = p.fontMetrics().height() * 1.5;
        p.drawText(QRectF(area.left(), y, area.width(), alturaTitulo), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Relação de Clientes"));
        y += alturaTitulo;

        p.setFont(cabecalho);
        double x = area.left();
        for (const Coluna &c : colunas) {
            const double w = area.width() * c.largura;
            p.drawText(QRectF(x, y, w - mm(1), alturaLinha), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::fromUtf8(c.titulo));
            x += w;
        }
        y += alturaLinha;
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        y += mm(1);

        p.setFont(texto);
        const double limite = area.bottom() - alturaRodape;
        for (; r < registros.size() && y + alturaLinha <= limite; ++r) {
            x = area.left();
            for (int c = 0; c < 7; ++c) {
                const double w = area.width() * colunas[c].largura;
                const QVariant v = indices[c] >= 0 && indices[c] < registros[r].size() ? registros[r][indices[c]]
                                                                                        : QVariant();
                const QString s = p.fontMetrics().elidedText(v.toString(), Qt::ElideRight, int(w - mm(1.5)));
                p.drawText(QRectF(x, y, w - mm(1), alturaLinha), Qt::AlignLeft | Qt::AlignVCenter, s);
                x += w;
            }
            y += alturaLinha;
        }

        p.setFont(rodape);
        const double yr = area.bottom() - alturaRodape;
        p.drawLine(QPointF(area.left(), yr), QPointF(area.right(), yr));
        const QRectF linhaRodape(area.left(), yr, area.width(), alturaRodape);
        p.drawText(linhaRodape, Qt::AlignLeft | Qt::AlignVCenter, data);
        p.drawText(linhaRodape, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Página %1").arg(numeroPagina));
    } while (r < registros.size());
    return p.end();
}

// --- Callers ---------------------------------------------------------------------

QWidget *CriaTfrmClientes(QWidget *painel, const EntradaJanela &) {
    return new TfrmClientes(painel ? painel->window() : nullptr);
}

bool EscolheCliente(QWidget *pai, const QString &pesquisa, DadosCliente &escolhido) {
    QPointer<TfrmClientes> janela = qobject_cast<TfrmClientes *>(JanelaClasse("TfrmClientes"));
    std::unique_ptr<TfrmClientes> propria;
    if (!janela) {
        propria = std::make_unique<TfrmClientes>(pai);
        janela = propria.get();
    } else {
        janela->Recarrega();
    }
    janela->DefinePesquisa(pesquisa);
    if (janela->exec() != QDialog::Accepted || !janela)
        return false;
    escolhido = janela->Resultado();
    return true;
}

bool EscolheCliente(const QString &pesquisa, DadosCliente &escolhido) {
    return EscolheCliente(QApplication::activeWindow(), pesquisa, escolhido);
}

} // namespace quellora
