#include "quotation/windows/uqlsalvar.h"

#include "catalogue/binario.h"
#include "clients/clientes.h"
#include "quotation/arquivo_orc.h"
#include "quotation/numeracao.h"
#include "quotation/orcamento.h"
#include "quotation/propostas.h"
#include "quotation/windows/uqldados.h"
#include "shell/estado.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/servicos.h"
#include "store/windows/uqlbanco.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace quellora {

TfrmSave::TfrmSave(QWidget *pai) : QDialog(pai) {
    setObjectName(QStringLiteral("TfrmSave"));
    setWindowTitle(QStringLiteral("Salvar"));
    setModal(true);
    DefineContextoAjuda(this, AJUDA_SALVAR);

    edOrc_ = new QLineEdit(this);
    edOrc_->setObjectName(QStringLiteral("edOrc"));
    // Four digits of the number, required; the year is shown, not used.
    edOrc_->setInputMask(QStringLiteral("9999/00;_"));
    edOrc_->setMaxLength(7);
    edOrc_->setFixedWidth(edOrc_->fontMetrics().horizontalAdvance(QStringLiteral("00000/000")) + 16);
    connect(edOrc_, &QLineEdit::textEdited, this, [this] {
        numeroDigitado_ = true;
        btMesmo_->setEnabled(false);
    });
    auto *lbOrc = new QLabel(QStringLiteral("Orçamento número"), this);
    lbOrc->setBuddy(edOrc_);

    edCliente_ = new QLineEdit(this);
    edCliente_->setObjectName(QStringLiteral("edCliente"));
    edCliente_->setReadOnly(true);
    edCliente_->setMinimumWidth(300);
    auto *lbCliente = new QLabel(QStringLiteral("Cliente"), this);
    lbCliente->setBuddy(edCliente_);
    auto *btCliente = new QToolButton(this);
    btCliente->setObjectName(QStringLiteral("btCliente"));
    btCliente->setToolTip(QStringLiteral("Procura cliente"));
    btCliente->setText(QStringLiteral("..."));
    connect(btCliente, &QToolButton::clicked, this, [this] { btClienteClick(); });

    edProjeto_ = new QLineEdit(this);
    edProjeto_->setObjectName(QStringLiteral("edProjeto"));
    edProjeto_->setMaxLength(80);
    auto *lbProjeto = new QLabel(QStringLiteral("Projeto"), this);
    lbProjeto->setBuddy(edProjeto_);
    connect(edProjeto_, &QLineEdit::textEdited, this, [](const QString &t) {
        G().Orcamento.Projeto = CortaStr(t, 80);
        if (TfrmDados *d = JanelaDados())
            d->defineProjeto(t);
    });

    btMesmo_ = new QPushButton(QStringLiteral("&Mesmo"), this);
    btMesmo_->setObjectName(QStringLiteral("btMesmo"));
    btMesmo_->setToolTip(QStringLiteral("Salva os dados com o mesmo número de orçamento"));
    btMesmo_->setIcon(QIcon(QStringLiteral(":/imagens/salvar.svg")));
    connect(btMesmo_, &QPushButton::clicked, this, [this] { done(Mesmo); });
    btNovo_ = new QPushButton(QStringLiteral("&Novo"), this);
    btNovo_->setObjectName(QStringLiteral("btNovo"));
    btNovo_->setToolTip(QStringLiteral("Salva os dados com um novo número de orçamento"));
    btNovo_->setIcon(QIcon(QStringLiteral(":/imagens/novo.svg")));
    btNovo_->setDefault(true);
    connect(btNovo_, &QPushButton::clicked, this, [this] { btNovoClick(); });
    auto *btCancel = new QPushButton(QStringLiteral("Cancelar"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setToolTip(QStringLiteral("Retorna sem gravar"));
    btCancel->setIcon(QIcon(QStringLiteral(":/imagens/cancela.svg")));
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *g = new QGridLayout;
    g->setHorizontalSpacing(8);
    g->addWidget(lbOrc, 0, 0);
    g->addWidget(edOrc_, 0, 1, Qt::AlignLeft);
    g->addWidget(lbCliente, 1, 0);
    g->addWidget(edCliente_, 1, 1);
    g->addWidget(btCliente, 1, 2);
    g->addWidget(lbProjeto, 2, 0);
    g->addWidget(edProjeto_, 2, 1, 1, 2);
    g->setColumnStretch(1, 1);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btMesmo_);
    botoes->addWidget(btNovo_);
    botoes->addWidget(btCancel);
    auto *l = new QVBoxLayout(this);
    l->addLayout(g);
    l->addSpacing(6);
    l->addLayout(botoes);
    hide();
}

void TfrmSave::Prepara(const QString &numOrc, const QString &cliente, const QString &projeto, bool numerado) {
    edOrc_->setText(numOrc);
    edCliente_->setText(cliente);
    edProjeto_->setText(projeto);
    btMesmo_->setEnabled(numerado);
    numeroDigitado_ = false;
}

QString TfrmSave::NumeroTexto() const { return edOrc_->displayText(); }

void TfrmSave::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    numeroDigitado_ = false;
    adjustSize();
    // Centred on the screen.
    if (QScreen *tela = screen())
        move(tela->availableGeometry().center() - rect().center());
    (edProjeto_->text().isEmpty() ? static_cast<QWidget *>(edProjeto_) : btNovo_)->setFocus();
}

void TfrmSave::btClienteClick() {
    DadosCliente c;
    if (!EscolheClienteOrcamento(this, edCliente_->text().trimmed(), c))
        return;
    auto &o = G().Orcamento;
    o.Cliente = CortaStr(c.Cliente, 50);
    o.Endereco = CortaStr(c.Endereco, 50);
    o.Cidade_Estado = CortaStr(c.Cidade_Estado, 40);
    o.email = CortaStr(c.email, 40);
    o.Contato = CortaStr(c.Contato, 25);
    o.Fone = CortaStr(c.Fone, 25);
    o.Fax = CortaStr(c.Fax, 25);
    o.descontoV = c.descontoV;
    o.descontoM = c.descontoM;
    edCliente_->setText(o.Cliente);
    if (TfrmDados *d = JanelaDados())
        d->mostraCliente();
    SetAlterado(true);
}

void TfrmSave::btNovoClick() {
    // A typed number must be one: "0000", or digits left out, would save
    // a quotation that counts as never numbered.
    if (numeroDigitado_ && NumeroDoTexto(NumeroTexto()) < 1) {
        MensagemErro(QString::fromUtf8(MsgNumeroInvalido));
        edOrc_->setFocus();
        return;
    }
    done(Novo);
}

int SalvaOrcamentoJanela() {
    auto *dlg = qobject_cast<TfrmSave *>(JanelaClasse("TfrmSave"));
    if (!dlg) {
        MensagemErro(QStringLiteral("A janela de gravação de propostas não foi criada; a proposta não foi salva."));
        return ID_CANCEL;
    }
    auto &g = G();
    auto &o = g.Orcamento;
    GravaDados();
    CalculaValorTotal();
    o.ValorTotalOrc = g.ValorTotal;
    const std::int32_t anterior = o.Numero;
    const QString textoAnterior = o.NumOrc;

    dlg->Prepara(o.NumOrc, o.Cliente, o.Projeto, o.Numero != 0);
    const int resultado = dlg->exec();
    if (resultado != TfrmSave::Mesmo && resultado != TfrmSave::Novo)
        return ID_CANCEL;

    TfrmDados *dados = JanelaDados();
    auto mostraNumero = [&](const QString &t) {
        o.NumOrc = t;
        if (dados)
            dados->defineNumero(t);
        MostraNumeroOrcamento(t);
    };
    Acervo &acervo = AcervoDoPrograma();
    const QString arqAnterior = g.ArqOrc;
    QString erro;
    // A number from the counter (or the one typed) and the name it gives.
    auto numera = [&](bool digitado) {
        std::int32_t numero = 0;
        const bool ok = digitado ? acervo.UsaNumero(dlg->NumeroTexto(), numero, &erro)
                                 : acervo.ProximoNumero(o.Data, numero, &erro);
        if (!ok) {
            MensagemErro(erro);
            return false;
        }
        o.Numero = numero;
        mostraNumero(TextoNumOrc(numero, o.Data));
        g.ArqOrc = NomeArquivoOrc(o.NumOrc);
        return true;
    };
    if (resultado == TfrmSave::Novo) {
        if (!numera(dlg->NumeroDigitado()))
            return ID_CANCEL;
        bool existe = false;
        const bool consultou = acervo.Existe(g.ArqOrc, existe, &erro);
        if (!consultou || (existe && Mensagem(QString::fromUtf8(MsgOrcamentoExiste), MB_SIMNAO_EXCLAMACAO) == ID_NAO)) {
            if (!consultou)
                MensagemErro(erro);
            // The quotation keeps its number and its own file.
            g.ArqOrc = arqAnterior;
            o.Numero = anterior;
            mostraNumero(anterior != 0 ? textoAnterior : QString());
            return ID_CANCEL;
        }
    } else if (g.ArqOrc.isEmpty()) {
        // "Mesmo" writes back where the quotation was opened from or last
        // saved to (a copy keeps its own name).
        g.ArqOrc = NomeArquivoOrc(o.NumOrc);
    }
    o.Data = DateTimeParaData(QDateTime::currentDateTime());
    if (dados)
        dados->mostraData();
    Gravacao gravou = GravaArquivo(acervo, &erro);
    if (gravou == Gravacao::Conflito) {
        switch (Mensagem(erro + QString::fromUtf8(MsgConflito), MB_SIMNAOCANCEL_EXCLAMACAO)) {
        case ID_SIM:
            gravou = GravaArquivo(acervo, &erro, true);
            break;
        case ID_NAO:
            if (!numera(false))
                return ID_CANCEL;
            gravou = GravaArquivo(acervo, &erro);
            break;
        default:
            return ID_CANCEL;
        }
    }
    if (gravou != Gravacao::Gravada) {
        MensagemErro(erro);
        return ID_CANCEL;
    }
    SetAlterado(false);
    return ID_SIM;
}

QWidget *CriaTfrmSave(QWidget *painel, const EntradaJanela &) {
    return new TfrmSave(painel ? painel->window() : nullptr);
}

} // namespace quellora
