#include "store/windows/uqlbanco.h"

#include "shell/estado.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "store/acervo_servidor.h"
#include "ui/botoes.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quellora {

namespace {

struct Programa {
    std::unique_ptr<Acervo> acervo;
    QString chave; // folders and choice it was made for
};

Programa &P() {
    static Programa p;
    return p;
}

} // namespace

Acervo &AcervoDoPrograma() {
    const auto &g = G();
    Programa &p = P();
    TConfigBanco c;
    QString erro;
    const bool lida = LeConfigBanco(g.DirDados, c, &erro);
    const QString chave = g.DirDados + QLatin1Char('\n') + g.DirProjetos + QLatin1Char('\n') +
                          (!lida ? QStringLiteral("?") + erro
                                 : c.Servidor ? QStringLiteral("S") + c.Conexao : QStringLiteral("P"));
    if (!p.acervo || p.chave != chave) {
        static const bool limpa = [] {
            // Closed while Qt SQL still runs.
            if (QCoreApplication::instance())
                qAddPostRoutine(EsqueceAcervoDoPrograma);
            return true;
        }();
        (void)limpa;
        p.acervo.reset();
        p.acervo = AcervoConfigurado(g.DirDados, g.DirProjetos);
        p.chave = chave;
    }
    p.acervo->DefineOperador(g.Operador[0]);
    return *p.acervo;
}

void EsqueceAcervoDoPrograma() {
    P().acervo.reset();
    P().chave.clear();
}

// --- TfrmBanco -------------------------------------------------------------------

TfrmBanco::TfrmBanco(const QString &dirDados, QWidget *pai) : QDialog(pai), dirDados_(dirDados) {
    setObjectName(QStringLiteral("TfrmBanco"));
    setWindowTitle(QStringLiteral("Banco de dados"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    DefineContextoAjuda(this, AJUDA_PRINCIPAL);

    auto *lbTexto = new QLabel(QStringLiteral("Onde ficam as propostas, os clientes e o contador de propostas:"), this);
    lbTexto->setWordWrap(true);
    rbPasta_ = new QRadioButton(QStringLiteral("&Pastas deste computador ou da rede"), this);
    rbPasta_->setObjectName(QStringLiteral("rbPasta"));
    rbServidor_ = new QRadioButton(QStringLiteral("&Servidor PostgreSQL da equipe de vendas"), this);
    rbServidor_->setObjectName(QStringLiteral("rbServidor"));
    edConexao_ = new QLineEdit(this);
    edConexao_->setObjectName(QStringLiteral("edConexao"));
    edConexao_->setPlaceholderText(QStringLiteral("host=servidor dbname=vendas user=maria"));
    edConexao_->setMinimumWidth(edConexao_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    auto *lbConexao = new QLabel(QStringLiteral("&Conexão"), this);
    lbConexao->setBuddy(edConexao_);
    auto *lbDica = new QLabel(QStringLiteral("Cadeia de conexão ou URI do PostgreSQL; vazia, valem as variáveis PG*. "
                                             "A senha não fica aqui: ponha-a em ~/.pgpass ou em PGPASSWORD."),
                              this);
    lbDica->setObjectName(QStringLiteral("lbDica"));
    lbDica->setWordWrap(true);
    auto *btTestar = new QPushButton(QStringLiteral("&Testar"), this);
    btTestar->setObjectName(QStringLiteral("btTestar"));
    btTestar->setAutoDefault(false);
    connect(btTestar, &QPushButton::clicked, this, &TfrmBanco::btTestarClick);

    auto *grade = new QGridLayout;
    grade->addWidget(lbConexao, 0, 0);
    grade->addWidget(edConexao_, 0, 1);
    grade->addWidget(btTestar, 0, 2);
    grade->addWidget(lbDica, 1, 1, 1, 2);
    grade->setContentsMargins(20, 0, 0, 0);
    grade->setColumnStretch(1, 1);

    const BotoesOkCancela b = CriaBotoesOkCancela(this, QStringLiteral("btOK"), QStringLiteral("btCancela"));
    connect(b.ok, &QPushButton::clicked, this, &TfrmBanco::btOKClick);
    connect(b.cancela, &QPushButton::clicked, this, &QDialog::reject);

    auto *l = new QVBoxLayout(this);
    l->addWidget(lbTexto);
    l->addWidget(rbPasta_);
    l->addWidget(rbServidor_);
    l->addLayout(grade);
    l->addSpacing(6);
    l->addLayout(b.linha);

    TConfigBanco c;
    QString erro;
    if (!LeConfigBanco(dirDados_, c, &erro))
        MensagemErro(erro);
    (c.Servidor ? rbServidor_ : rbPasta_)->setChecked(true);
    edConexao_->setText(c.Conexao);
    connect(rbServidor_, &QRadioButton::toggled, this, [this] { AtualizaEstado(); });
    AtualizaEstado();
}

void TfrmBanco::AtualizaEstado() { edConexao_->setEnabled(rbServidor_->isChecked()); }

TConfigBanco TfrmBanco::Escolha() const { return {rbServidor_->isChecked(), edConexao_->text().trimmed()}; }

void TfrmBanco::btTestarClick() {
    const TConfigBanco c{true, edConexao_->text().trimmed()};
    QString erro;
    if (!ValidaConexao(c.Conexao, &erro)) {
        MensagemErro(erro);
        return;
    }
    QString estado;
    bool responde;
    {
        CursorOcupado ocupado;
        responde = AcervoServidor(c.Conexao).Responde(estado);
    }
    if (responde)
        MensagemInfo(estado);
    else
        MensagemErro(estado);
}

void TfrmBanco::btOKClick() {
    const TConfigBanco c = Escolha();
    QString erro;
    if (c.Servidor) {
        if (!ValidaConexao(c.Conexao, &erro)) {
            MensagemErro(erro);
            edConexao_->setFocus();
            return;
        }
        QString estado;
        bool responde;
        {
            CursorOcupado ocupado;
            responde = AcervoServidor(c.Conexao).Responde(estado);
        }
        if (!responde &&
            Mensagem(estado + QStringLiteral("\r\n\r\nUsar este servidor assim mesmo?"), MB_SIMNAO_EXCLAMACAO) == ID_NAO)
            return;
    }
    if (!GravaConfigBanco(dirDados_, c, &erro)) {
        MensagemErro(erro);
        return;
    }
    accept();
}

bool ConfiguraBanco(QWidget *pai) {
    TfrmBanco janela(G().DirDados, pai);
    if (janela.exec() != QDialog::Accepted)
        return false;
    // The clients come from the new store at the next choice of a client.
    EsqueceAcervoDoPrograma();
    G().dm.Carregada = false;
    return true;
}

// --- TfrmRevisoes ----------------------------------------------------------------

TfrmRevisoes::TfrmRevisoes(const QString &numero, const std::vector<TRevisao> &revisoes, QWidget *pai)
    : QDialog(pai), revisoes_(revisoes) {
    setObjectName(QStringLiteral("TfrmRevisoes"));
    setWindowTitle(QStringLiteral("Revisões da proposta %1").arg(numero));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    DefineContextoAjuda(this, AJUDA_ABRIR);

    sgRevisoes_ = new QTableWidget(static_cast<int>(revisoes.size()), 3, this);
    sgRevisoes_->setObjectName(QStringLiteral("sgRevisoes"));
    sgRevisoes_->setHorizontalHeaderLabels({QStringLiteral("Revisão"), QStringLiteral("Gravada em"),
                                            QStringLiteral("Por")});
    sgRevisoes_->verticalHeader()->hide();
    sgRevisoes_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgRevisoes_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgRevisoes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgRevisoes_->horizontalHeader()->setStretchLastSection(true);
    for (std::size_t i = 0; i < revisoes.size(); ++i) {
        const TRevisao &r = revisoes[i];
        const QString por = r.Operador.isEmpty() ? r.Usuario : QStringLiteral("%1 (%2)").arg(r.Operador, r.Usuario);
        const QString textos[3] = {QString::number(r.Numero),
                                   r.Quando.toLocalTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")), por};
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(textos[c]);
            if (c == 0)
                item->setTextAlignment(Qt::AlignCenter);
            sgRevisoes_->setItem(static_cast<int>(i), c, item);
        }
    }
    sgRevisoes_->resizeColumnsToContents();
    if (!revisoes.empty())
        sgRevisoes_->selectRow(static_cast<int>(revisoes.size()) - 1);
    auto *lbRevisoes = new QLabel(QStringLiteral("&Revisões (a última embaixo)"), this);
    lbRevisoes->setBuddy(sgRevisoes_);

    const BotoesOkCancela b = CriaBotoesOkCancela(this, QStringLiteral("btOK"), QStringLiteral("btCancela"));
    b.ok->setText(QStringLiteral("&Abrir"));
    connect(b.ok, &QPushButton::clicked, this, [this] {
        if (Escolhida() > 0)
            accept();
    });
    connect(b.cancela, &QPushButton::clicked, this, &QDialog::reject);
    connect(sgRevisoes_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });

    auto *l = new QVBoxLayout(this);
    l->addWidget(lbRevisoes);
    l->addWidget(sgRevisoes_, 1);
    l->addLayout(b.linha);
    resize(460, 320);
}

int TfrmRevisoes::Escolhida() const {
    const int r = sgRevisoes_->currentRow();
    return r >= 0 && r < static_cast<int>(revisoes_.size()) ? revisoes_[static_cast<std::size_t>(r)].Numero : 0;
}

bool EscolheRevisao(QWidget *pai, const TResumoOrc &orcamento, int &revisao) {
    std::vector<TRevisao> revisoes;
    QString erro;
    bool lidas;
    {
        CursorOcupado ocupado;
        lidas = AcervoDoPrograma().Revisoes(orcamento.Arquivo, revisoes, &erro);
    }
    if (!lidas) {
        MensagemErro(erro);
        return false;
    }
    TfrmRevisoes janela(orcamento.Numero, revisoes, pai);
    if (janela.exec() != QDialog::Accepted || janela.Escolhida() <= 0)
        return false;
    revisao = janela.Escolhida();
    return true;
}

} // namespace quellora
