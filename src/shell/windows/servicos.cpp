#include "shell/windows/servicos.h"

#include "catalogue/catalogo.h"
#include "quotation/orcamento.h"
#include "quotation/windows/uqldados.h"
#include "quotation/windows/uqlsalvar.h"
#include "selection/windows/uqlcalculos.h"
#include "shell/estado.h"
#include "shell/windows/ajuda.h"
#include "shell/windows/janelafilha.h"
#include "shell/windows/janelas.h"
#include "shell/windows/mensagem.h"
#include "shell/windows/uquellora.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace quellora {

namespace {

struct EstadoServicos {
    QPointer<QWidget> ativa;
    QPointer<QWidget> anterior;
    QString titulo = QString::fromUtf8(TextoTituloPadrao);
    QString status;
    OperacaoSalvar salvar;
    OperacaoNovo novo;
    std::function<void(int)> ajuda;
    int respostaAbrir = ID_OK;
};

EstadoServicos &S() {
    static EstadoServicos s;
    return s;
}

constexpr const char *PropriedadeAjuda = "contextoAjuda";

void NovoPadrao() {
    if (auto *calculos = qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS)))
        calculos->Reinicia();
    LimpaOrcamento();
    if (auto *dados = JanelaDados())
        dados->LimpaDados();
    // The factors in force come from the factors file again (an opened
    // quotation may have brought its own); the configuration clears itself.
    QString erro;
    if (!CarregaFatores(G().DirCatalogo, &erro))
        MensagemErro(erro);
    ChamaJanela("TfrmConfigura", "OrcamentoNovo");
    SetAlterado(false);
    MostraJanela(JAN_DADOS);
}

} // namespace

// --- The quotation's number ------------------------------------------------

AvisoNumero *AvisoDoNumero() {
    static AvisoNumero aviso;
    return &aviso;
}

void MostraNumeroOrcamento(const QString &numero) {
    G().NumOrcAtual = numero;
    emit AvisoDoNumero()->numeroAlterado(numero);
}

// --- Navigation ------------------------------------------------------------

void MostraJanela(int n) {
    if (n == JAN_ABRIR)
        S().respostaAbrir = PerguntaSalvar(); // the open window opens whatever the answer
    auto &s = S();
    if (QWidget *atual = s.ativa) {
        s.anterior = atual;
        atual->hide();
        s.ativa = nullptr;
    }
    TituloPadrao();
    TextoStatus(QString());
    if (JanelaFilha *j = JanelaNumero(n))
        j->show();
}

void Inicio() {
    auto &s = S();
    if (QWidget *atual = s.ativa) {
        atual->hide();
        s.ativa = nullptr;
    }
    TituloPadrao();
    TextoStatus(QString());
}

void VoltaJanela() {
    auto &s = S();
    QPointer<QWidget> volta = s.anterior;
    s.anterior = nullptr;
    Inicio();
    if (volta)
        volta->show();
}

QWidget *JanelaAtiva() { return S().ativa.data(); }
QWidget *JanelaAnterior() { return S().anterior.data(); }

void DefineJanelaAtiva(QWidget *janela) { S().ativa = janela; }

void LiberaJanelaAtiva(QWidget *janela) {
    if (S().ativa == janela)
        S().ativa = nullptr;
}

// --- Title and status line -------------------------------------------------

void MostraTitulo(const QString &texto) {
    S().titulo = texto;
    if (TfrmQuellora *p = JanelaPrincipal())
        p->defineTitulo(texto);
}

void TituloPadrao() { MostraTitulo(QString::fromUtf8(TextoTituloPadrao)); }

QString TituloAtual() { return S().titulo; }

void TextoStatus(const QString &texto) {
    S().status = texto;
    if (TfrmQuellora *p = JanelaPrincipal())
        p->defineStatus(texto);
}

QString TextoStatusAtual() { return S().status; }

// --- Unsaved work ----------------------------------------------------------

void SetAlterado(bool v) {
    G().Alterado = v;
    if (TfrmQuellora *p = JanelaPrincipal())
        p->habilitaSalvar(v);
}

int PerguntaSalvar() {
    if (!G().Alterado)
        return ID_OK;
    switch (Mensagem(QStringLiteral("Você alterou algum dado.\r\nDeseja salvar?"), MB_SIMNAOCANCEL_EXCLAMACAO)) {
    case ID_SIM:
        return SalvaOrcamento() == ID_SIM ? ID_SIM : ID_CANCEL;
    case ID_NAO:
        return ID_NAO;
    default:
        return ID_CANCEL;
    }
}

void DefineSalvaOrcamento(OperacaoSalvar f) { S().salvar = std::move(f); }
void DefineNovoOrcamento(OperacaoNovo f) { S().novo = std::move(f); }

int SalvaOrcamento() {
    if (S().salvar)
        return S().salvar();
    return SalvaOrcamentoJanela();
}

int RespostaAoAbrir() { return S().respostaAbrir; }

void NovoOrcamento() {
    if (S().novo)
        S().novo();
    else
        NovoPadrao();
}

void LeGravaLimpa(int tag) {
    if (tag == 1) {
        if (SalvaOrcamento() != ID_CANCEL)
            SetAlterado(false);
    } else if (tag == 3) {
        if (PerguntaSalvar() != ID_CANCEL)
            NovoOrcamento();
    }
}

// --- Help ------------------------------------------------------------------

void DefineContextoAjuda(QWidget *janela, int contexto) {
    if (janela)
        janela->setProperty(PropriedadeAjuda, contexto);
}

int ContextoAjuda(const QWidget *w) {
    for (; w; w = w->parentWidget()) {
        const QVariant v = w->property(PropriedadeAjuda);
        if (v.isValid() && v.toInt() > 0)
            return v.toInt();
    }
    return AJUDA_PRINCIPAL;
}

void MostraAjuda(int contexto) {
    if (S().ajuda) {
        S().ajuda(contexto);
        return;
    }
    AbreAjuda(contexto);
}

void DefineMostradorAjuda(std::function<void(int)> f) { S().ajuda = std::move(f); }

} // namespace quellora
