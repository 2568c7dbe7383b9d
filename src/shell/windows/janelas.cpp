#include "shell/windows/janelas.h"

#include "clients/windows/uqlclientes.h"
#include "mail/windows/uqlemail.h"
#include "mail/windows/uqlemailcnf.h"
#include "positions/windows/uqlposicao.h"
#include "pricing/windows/uqlaceesp.h"
#include "pricing/windows/uqlatpreco.h"
#include "pricing/windows/uqlcondcom.h"
#include "pricing/windows/uqlconfigura.h"
#include "proposal/windows/uqldatasheet.h"
#include "quotation/windows/uqlabrir.h"
#include "quotation/windows/uqldados.h"
#include "quotation/windows/uqlsalvar.h"
#include "selection/windows/uqlaltmotor.h"
#include "selection/windows/uqlarranjo.h"
#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlcurva.h"
#include "selection/windows/uqlmotor.h"
#include "selection/windows/uqlmotor4.h"
#include "shell/windows/janelafilha.h"
#include "shell/windows/servicos.h"
#include "shell/windows/uqloperador.h"
#include "shell/windows/uqltextomodelo.h"
#include "shell/windows/uquellora.h"

#include <QPointer>

#include <cstring>
#include <vector>

namespace quellora {

namespace {

// The windows that draw pages (the data sheet, the chart sheet) need the
// proposal's logo.
QWidget *CriaFolhaDeDados(QWidget *painel, const EntradaJanela &e) {
    PreparaLogotipo();
    return CriaTfrmDataSheet(painel, e);
}
QWidget *CriaCurva(QWidget *painel, const EntradaJanela &e) {
    PreparaLogotipo();
    return CriaTfrmCurva(painel, e);
}

// The program's windows after the main window, in the order in which they
// were once all created at start-up.
const EntradaJanela Tabela[] = {
    // The client table's data module: loads the client file.
    {0, "Tdm", "", 0, nullptr},
    {JAN_OPERADOR, "TfrmOperador", "Operador", AJUDA_OPERADOR, &CriaTfrmOperador},
    {0, "TfrmTextoModelo", "Modelo", AJUDA_PRINCIPAL, &CriaTfrmTextoModelo},
    {JAN_DADOS, "TfrmDados", "Dados", AJUDA_DADOS, &CriaTfrmDados},
    {0, "TfrmClientes", "Clientes", AJUDA_CLIENTES, &CriaTfrmClientes},
    {JAN_CALCULOS, "TfrmCalculos", "Cálculos", AJUDA_CALCULOS, &CriaTfrmCalculos},
    {JAN_CURVA, "TfrmCurva", "Curva", AJUDA_CURVA, &CriaCurva},
    {JAN_ARRANJO, "TfrmArranjo", "Arranjo", AJUDA_ARRANJO, &CriaTfrmArranjo},
    {JAN_DATASHEET, "TfrmDataSheet", "Folha de dados", AJUDA_DATASHEET, &CriaFolhaDeDados},
    {JAN_CONFIGURA, "TfrmConfigura", "Configuração", AJUDA_CONFIGURA, &CriaTfrmConfigura},
    {JAN_GAB680A1000, "TfrmGab680a1000", "Posição", AJUDA_POSICAO, &CriaJanelaPosicao},
    {JAN_POSICAO1, "TfrmPosicao1", "Posição", AJUDA_POSICAO, &CriaJanelaPosicao},
    {JAN_MOTOR, "TfrmMotor", "Motor", AJUDA_MOTOR, &CriaTfrmMotor},
    {JAN_ABRIR, "TfrmOpen", "Abrir/Excluir propostas", AJUDA_ABRIR, &CriaTfrmOpen},
    {0, "TfrmMotor4", "Acoplamento direto - motor", AJUDA_MOTOR4, &CriaTfrmMotor4},
    {0, "TfrmCondCom", "Condições comerciais", AJUDA_CONDICOES, &CriaTfrmCondCom},
    {0, "TfrmObs", "Observações", AJUDA_CONDICOES, &CriaTfrmObs},
    {JAN_AXIAL, "TfrmAxial", "Posição", AJUDA_POSICAO, &CriaJanelaPosicao},
    {JAN_POSICAO4, "TfrmPosicao4", "Posição", AJUDA_POSICAO, &CriaJanelaPosicao},
    {JAN_GAB160A560, "TfrmGab160a560", "Posição", AJUDA_POSICAO, &CriaJanelaPosicao},
    {JAN_POSICAO, "TfrmPosicao", "Posição", AJUDA_POSICAO, &CriaJanelaPosicao},
    {0, "TfrmSave", "Salvar", AJUDA_SALVAR, &CriaTfrmSave},
    {0, "TfrmAceEsp", "Acessórios", AJUDA_CONFIGURA, &CriaTfrmAceEsp},
    {0, "TfrmAltMotor", "Motor", AJUDA_MOTOR, &CriaTfrmAltMotor},
    {JAN_POSICAOBU, "TfrmPosicaoBU", "Posição", AJUDA_POSICAO, &CriaJanelaPosicao},
    {0, "TfrmAtPreco", "Atualização de preços", AJUDA_CONFIGURA, &CriaTfrmAtPreco},
    {0, "TfrmEmail", "Enviar e-mail", AJUDA_EMAIL, &CriaTfrmEmail},
    {0, "TfrmEmailCnf", "Configuração de email", AJUDA_EMAILCNF, &CriaTfrmEmailCnf},
};

struct Criada {
    const EntradaJanela *entrada;
    QPointer<QWidget> janela;
    bool criando = false;
};

std::vector<Criada> &Criadas() {
    static std::vector<Criada> v;
    return v;
}

// The main window's client panel the windows are created in.
QPointer<QWidget> &Painel() {
    static QPointer<QWidget> p;
    return p;
}

Criada *Entrada(const char *classe);

// The entry's window, created now if this is its first use. A window asked
// for while it is being created is not there yet (null).
QWidget *Janela(Criada &c) {
    if (!c.janela && c.entrada->cria && Painel() && !c.criando) {
        // The windows after the selection window in the table read the
        // catalogue's line list, which the selection window's creation
        // reads: it comes first.
        Criada *selecao = Entrada("TfrmCalculos");
        if (selecao && &c > selecao)
            Janela(*selecao);
        c.criando = true;
        QWidget *w = c.entrada->cria(Painel(), *c.entrada);
        c.criando = false;
        if (w && w->objectName().isEmpty())
            w->setObjectName(QString::fromLatin1(c.entrada->classe));
        c.janela = w;
    }
    return c.janela.data();
}

Criada *Entrada(const char *classe) {
    for (Criada &c : Criadas())
        if (std::strcmp(c.entrada->classe, classe) == 0)
            return &c;
    return nullptr;
}

} // namespace

const EntradaJanela *TabelaJanelas(int *quantas) {
    if (quantas)
        *quantas = static_cast<int>(std::size(Tabela));
    return Tabela;
}

void CriaJanelas(QWidget *painel) {
    auto &v = Criadas();
    if (!v.empty())
        return;
    Painel() = painel;
    for (const EntradaJanela &e : Tabela)
        v.push_back({&e, nullptr});
}

void EsqueceJanelas() {
    Criadas().clear();
    Painel() = nullptr;
}

JanelaFilha *JanelaNumero(int n) {
    if (n <= 0)
        return nullptr;
    for (Criada &c : Criadas())
        if (c.entrada->numero == n)
            return qobject_cast<JanelaFilha *>(Janela(c));
    return nullptr;
}

QWidget *JanelaClasse(const char *classe) {
    Criada *c = Entrada(classe);
    return c ? Janela(*c) : nullptr;
}

QWidget *JanelaCriada(const char *classe) {
    const Criada *c = Entrada(classe);
    return c ? c->janela.data() : nullptr;
}

namespace {
QWidget *ComSlot(const char *classe, const char *metodo, const char *parametros) {
    QWidget *w = JanelaClasse(classe);
    const QByteArray assinatura = QMetaObject::normalizedSignature(QByteArray(metodo) + parametros);
    return w && w->metaObject()->indexOfMethod(assinatura.constData()) >= 0 ? w : nullptr;
}
} // namespace

bool ChamaJanela(const char *classe, const char *metodo) {
    QWidget *w = ComSlot(classe, metodo, "()");
    return w && QMetaObject::invokeMethod(w, metodo, Qt::DirectConnection);
}

bool ChamaJanela(const char *classe, const char *metodo, bool valor) {
    QWidget *w = ComSlot(classe, metodo, "(bool)");
    return w && QMetaObject::invokeMethod(w, metodo, Qt::DirectConnection, Q_ARG(bool, valor));
}

} // namespace quellora
