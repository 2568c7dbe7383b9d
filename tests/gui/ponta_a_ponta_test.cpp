// One quotation from the first click to the e-mail, through the real windows
// only: a client from the client window, three items typed in, selected and
// configured, the conditions and observations, saved with a new number,
// opened again in a new program run as it was, the proposal as PDF and sent
// to a real SMTP server; then revised on its own number and deleted. With
// QUELLORA_CAPTURAS set to a folder, every step is saved there as a picture.

#include "shell_ambiente.h"

#include "catalogue/binario.h"
#include "mail/servidor_smtp.h"
#include "positions/posicoes.h"
#include "proposal/proposta.h"
#include "proposal/windows/uqldatasheet.h"
#include "quotation/arquivo_orc.h"
#include "quotation/numeracao.h"
#include "quotation/orcamento_json.h"
#include "quotation/windows/uqlabrir.h"
#include "quotation/windows/uqlsalvar.h"
#include "selection/arranjo.h"
#include "selection/windows/uqlarranjo.h"
#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlmotor.h"
#include "selection/windows/uqlmotor4.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QRadioButton>

using namespace quellora;

namespace {

class PontaAPonta : public teste::AmbienteShell {
protected:
    // Seleciona on the highlighted size, the arrangement box with this
    // caption ticked; 'motor4' answers the direct-coupling dialog.
    void arranjo(TfrmCalculos *calc, const char *caixa, std::function<void(TfrmMotor4 *)> motor4 = {}) {
        clicaCelula(calc->sgModelos(), 0, calc->LinhaDestaque());
        clica(calc, "btSeleciona");
        auto *arr = qobject_cast<TfrmArranjo *>(JanelaNumero(JAN_ARRANJO));
        ASSERT_TRUE(arr->isVisible());
        for (int n = 1; n <= NumCaixasArranjo; ++n)
            if (QCheckBox *cb = arr->caixa(n); cb->text().endsWith(QLatin1String(caixa)) && cb->isEnabled()) {
                QTest::mouseClick(cb, Qt::LeftButton);
                EXPECT_TRUE(cb->isChecked());
                EXPECT_GE(cb->width(), cb->sizeHint().width()) << "the bold caption shows whole";
            }
        captura(janela, QStringLiteral("e2e_04_arranjo_%1").arg(G().ItemAtual));
        if (motor4)
            noProximoDialogo([motor4](QDialog *d) { motor4(qobject_cast<TfrmMotor4 *>(d)); });
        clica(arr, "btOK");
        EXPECT_TRUE(calc->isVisible());
    }

    static QStringList configuracao(TfrmConfigura *conf, int row) {
        escolheItem(conf, row);
        return linhasConfig(conf);
    }

    // In the picker shown, the spot with this designation pressed and
    // released with the mouse; back in the configuration, the item has it.
    void posicao(TfrmConfigura *conf, int numero, const QString &designacao) {
        marcaAcessorio(conf, "POS");
        const TSeletor &s = *SeletorNumero(numero);
        QWidget *w = JanelaNumero(numero);
        ASSERT_TRUE(w && w->isVisible()) << s.Classe;
        for (const TFigura &f : s.Figuras)
            for (int i = 0; i < std::max(f.NumAreas(), 1); ++i) {
                const QString nome = f.NumAreas() ? QString::fromUtf8(f.Posicao) + QLatin1Char('/') +
                                                        QString::fromUtf8(f.Areas[i].Texto)
                                                  : QString::fromUtf8(f.Posicao);
                if (nome != designacao)
                    continue;
                const TRetangulo r = f.NumAreas() ? f.Areas[i].Ret : TRetangulo{0, 0, f.Ret.Largura(), f.Ret.Altura()};
                auto *figura = w->findChild<QWidget *>(f.Tag == 1 ? QStringLiteral("Im1")
                                                                  : QStringLiteral("Image%1").arg(f.Tag - 1));
                const QPoint p((r.Esquerda + r.Direita) / 2, (r.Topo + r.Base) / 2);
                QTest::mouseMove(figura, p);
                captura(janela, QStringLiteral("e2e_07_") + QString::fromLatin1(s.Classe));
                QTest::mousePress(figura, Qt::LeftButton, {}, p);
                QTest::mouseRelease(figura, Qt::LeftButton, {}, p);
                ASSERT_TRUE(conf->isVisible());
                EXPECT_EQ(G().Itens[G().ItemAtual].Posicao, designacao);
                return;
            }
        ADD_FAILURE() << "no spot " << designacao.toStdString();
    }

    QString projetos(const QString &nome = {}) const { return dir.filePath(QStringLiteral("projetos/") + nome); }
    QByteArray arquivo(const QString &nome) const {
        QFile f(projetos(nome));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(PontaAPonta, DaEntradaDeDadosAoEmail) {
    auto &g = G();
    auto &r = respostas;
    abre();
    janela->resize(1000, 740);
    captura("e2e_01_principal");
    const QString cliente = QStringLiteral("Fundição São José Ltda.");
    const QString projeto = QStringLiteral("Exaustão da fundição – galpão nº 2");
    const QString numero = QStringLiteral("0001/") + QDate::currentDate().toString(QStringLiteral("yy"));
    const QString nome = NomeArquivoOrc(numero);

    // 1. Data entry: a new client (with a fan discount) in the client
    // window, a project with accents, three items (the third at 800 m).
    clica(janela, "btDados");
    QWidget *dados = JanelaNumero(JAN_DADOS);
    ASSERT_TRUE(dados && dados->isVisible());
    QString modal;
    noProximoDialogo(
        [&](QDialog *d) {
            clica(d, "btNovo");
            escreve(em<QLineEdit>(d, "DBEdit1"), cliente);
            escreve(em<QLineEdit>(d, "DBEdit2"), QStringLiteral("Eng. Conceição"));
            escreve(em<QLineEdit>(d, "DBEdit6"), QStringLiteral("Jundiaí/SP"));
            escreve(em<QLineEdit>(d, "DBEdit7"), QStringLiteral("compras@saojose.ind.br"));
            escreve(em<QLineEdit>(d, "DBEdit8"), QStringLiteral("5"));
            captura(d, QStringLiteral("e2e_02_clientes"));
            clica(d, "btOK");
        },
        &modal);
    clica(dados, "BitBtn1");
    EXPECT_EQ(modal, QStringLiteral("TfrmClientes"));
    EXPECT_EQ(em<QLineEdit>(dados, "edNome")->text(), cliente);
    EXPECT_EQ(g.Orcamento.email, QStringLiteral("compras@saojose.ind.br"));
    EXPECT_EQ(g.Orcamento.descontoV, 5);
    escreve(em<QLineEdit>(dados, "edProjeto"), projeto);
    auto *grade = em<GradeTexto>(dados, "grDados");
    clicaCelula(grade, 1, 1);
    linha(grade, {"EX-01", "2", "Exaustão", "10000", "50", "", ""});
    linha(grade, {"IN-02", "1", "Insuflamento", "3000", "40", "", ""});
    linha(grade, {"RS-03", "1", "Retorno", "5000", "30", "25", "800"});
    captura("e2e_03_dados");
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join('|').toStdString();

    // 2. Selection: a line for each item and its arrangement; item 2 direct
    // coupled at the 4-pole speed of 60 Hz.
    clica(dados, "btSelecao");
    auto *calc = qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS));
    ASSERT_TRUE(calc && calc->isVisible());
    ASSERT_EQ(g.NumItens, 3);
    EXPECT_EQ(g.Orcamento.Projeto, projeto);
    clicaLinha(calc, "BSD");
    arranjo(calc, "Arranjo 9");
    EXPECT_EQ(g.Itens[1].Arranjo, 7);
    clicaCelula(calc->grItens(), 2, 2);
    clicaLinha(calc, "BSD");
    arranjo(calc, "Arranjo 4", [&](TfrmMotor4 *d) {
        QTest::mouseClick(em<QRadioButton>(d, "rb2"), Qt::LeftButton);
        captura(d, QStringLiteral("e2e_05_motor4"));
        clica(d, "btOK");
    });
    EXPECT_TRUE(g.Itens[2].Direto);
    clicaCelula(calc->grItens(), 2, 3);
    clicaLinha(calc, "BSD");
    arranjo(calc, "Arranjo 1");
    captura("e2e_06_selecao");
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(g.Itens[k].Selecionado) << k;
        EXPECT_TRUE(calc->grItens()->Cells(1, k).startsWith(QStringLiteral("BSD"))) << k;
    }

    // 3. Configuration. Item 1: the motor window's suggestion, the position
    // after the adjustable base (it needs the frame), accessories and a
    // special accessory typed in its dialog.
    clica(calc, "btConfigura");
    auto *conf = qobject_cast<TfrmConfigura *>(JanelaNumero(JAN_CONFIGURA));
    ASSERT_TRUE(conf && conf->isVisible());
    escolheItem(conf, 0);
    marcaAcessorio(conf, 0);
    auto *motor = qobject_cast<TfrmMotor *>(JanelaNumero(JAN_MOTOR));
    ASSERT_TRUE(motor->isVisible());
    EXPECT_EQ(motor->sgMot()->TextoExibido(0, 1), QStringLiteral("2,2")) << "kW in the user's locale";
    captura("e2e_07_motor");
    clica(motor, "btOK");
    ASSERT_TRUE(conf->isVisible());
    EXPECT_TRUE(g.Itens[1].ComMotor);
    EXPECT_TRUE(conf->clb()->Marcado(0));
    marcaAcessorio(conf, "BR");
    posicao(conf, JAN_POSICAO, QStringLiteral("RD 180°/BR 0°"));
    EXPECT_TRUE(marcados(conf, {"POS", "QR"}));
    marcaAcessorio(conf, "LFD");
    noProximoDialogo([&](QDialog *d) {
        digita(em<QLineEdit>(d, "edDenominacao"), QStringLiteral("Suporte antivibratório"));
        captura(d, QStringLiteral("e2e_08_acessorio_especial"));
        clica(d, "BitBtn1");
    });
    QTest::keyClick(conf->clb(), Qt::Key_Insert);
    ASSERT_EQ(g.Orcamento.NumAcessEsp, 1);
    marcaAcessorio(conf, conf->Lista().PrimeiroEspecial);
    EXPECT_TRUE(conf->clb()->Marcado(conf->Lista().PrimeiroEspecial));
    captura("e2e_09_configura_item1");

    // Item 2: its motor at the coupling's speed, its position.
    escolheItem(conf, 1);
    marcaAcessorio(conf, 0);
    ASSERT_TRUE(motor->isVisible());
    clica(motor, "btOK");
    EXPECT_EQ(g.Itens[2].Polos, 4);
    EXPECT_EQ(g.Itens[2].Frequencia, QStringLiteral("60 Hz"));
    posicao(conf, JAN_POSICAO4, QStringLiteral("LG 90°"));

    // Item 3 in a cabinet: shown as BBS, its air inlet picked.
    escolheItem(conf, 2);
    r.responde(ID_OK);
    marcaAcessorio(conf, "GAB");
    EXPECT_TRUE(g.Itens[3].ComGabinete);
    EXPECT_TRUE(conf->sgConfig()->Cells(1, 1).startsWith(QStringLiteral("BBS "))) << conf->sgConfig()->Cells(1, 1).toStdString();
    posicao(conf, JAN_GAB160A560, QStringLiteral("RD 0°/TA 90°"));
    captura("e2e_10_configura_gabinete");

    // The conditions (the data sheet's hidden "&Bases") and observations
    // (Alt+O is "&Obs." here, not the "&Operador" of the panel under it).
    clica(conf, "btDataSheet");
    auto *folha = qobject_cast<TfrmDataSheet *>(JanelaNumero(JAN_DATASHEET));
    ASSERT_TRUE(folha && folha->isVisible());
    noProximoDialogo([&](QDialog *d) {
        escreve(em<QLineEdit>(d, "edEntrega"), QStringLiteral("30/45"));
        captura(d, QStringLiteral("e2e_11_condicoes"));
        clica(d, "btOK");
    });
    em<QPushButton>(folha, "btBases")->click();
    EXPECT_EQ(g.Orcamento.FatoresOrc.Entrega, 45 * 256 + 30);
    noProximoDialogo([&](QDialog *d) {
        escreve(em<QLineEdit>(d, "edLinha1"), QStringLiteral("Motores com proteção térmica."));
        captura(d, QStringLiteral("e2e_12_observacoes"));
        clica(d, "btOK");
    });
    ativa(janela);
    QTest::keyClick(folha, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !g.Orcamento.Obs1.isEmpty(); }, 2000));
    EXPECT_EQ(g.Orcamento.Obs1, QStringLiteral("Motores com proteção térmica."));
    EXPECT_TRUE(em<QCheckBox>(folha, "cbObs")->isChecked());
    clica(folha, "btCancela");
    EXPECT_TRUE(conf->isVisible());

    // 4. Saved with a new number (a new quotation has no "Mesmo"): the
    // counter is created, the file holds the header and three items.
    ASSERT_TRUE(g.Alterado);
    r.vistas.clear();
    noProximoDialogo([&](QDialog *d) {
        captura(d, QStringLiteral("e2e_13_salvar"));
        EXPECT_FALSE(em<QPushButton>(d, "btMesmo")->isEnabled());
        EXPECT_EQ(d->focusWidget(), em<QWidget>(d, "btNovo"));
        EXPECT_EQ(em<QLineEdit>(d, "edCliente")->text(), cliente);
        EXPECT_EQ(em<QLineEdit>(d, "edProjeto")->text(), projeto);
        clica(d, "btNovo");
    });
    clica(janela, "btSave");
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join('|').toStdString();
    EXPECT_EQ(g.Orcamento.NumOrc, numero);
    EXPECT_EQ(em<QLineEdit>(dados, "edOrcamento")->text(), numero);
    // The windows that show the number follow at once, the one shown too.
    EXPECT_EQ(em<QLineEdit>(conf, "edOrcamento")->text(), numero);
    EXPECT_EQ(em<QLineEdit>(calc, "edOrcamento")->text(), numero);
    EXPECT_FALSE(g.Alterado);
    EXPECT_FALSE(controle("btSave")->isEnabled());
    const QByteArray salvo = arquivo(nome);
    EXPECT_EQ(salvo.size(), 1716 + 3 * 1364);
    QFile contador(arquivoDados(ArqContador));
    ASSERT_TRUE(contador.open(QIODevice::ReadOnly));
    EXPECT_EQ(LeitorBinario(contador.readAll()).integer(0), 2);
    const TArquivoOrc antes{g.Orcamento, {g.Itens[1], g.Itens[2], g.Itens[3]}};
    const QList<QStringList> configurados = {configuracao(conf, 0), configuracao(conf, 1), configuracao(conf, 2)};
    clica(conf, "btDataSheet");
    const QByteArray proposta = PropostaHTML();
    clica(folha, "btCancela");
    EXPECT_FALSE(g.Alterado);

    // 5. The program closed and started again; "&Propostas" of the main
    // panel by its Alt key lists the quotation, sorted by project with the
    // list's own Alt key, and opens it: every record as it was.
    reinicia();
    janela->resize(1000, 740);
    ativa(janela);
    calc = qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS));
    conf = qobject_cast<TfrmConfigura *>(JanelaNumero(JAN_CONFIGURA));
    folha = qobject_cast<TfrmDataSheet *>(JanelaNumero(JAN_DATASHEET));
    dados = JanelaNumero(JAN_DADOS);
    QTest::keyClick(janela, Qt::Key_P, Qt::AltModifier);
    auto *abrir = qobject_cast<TfrmOpen *>(JanelaNumero(JAN_ABRIR));
    ASSERT_TRUE(QTest::qWaitFor([&] { return abrir->isVisible(); }, 2000));
    EXPECT_EQ(TituloAtual(), QStringLiteral("Abrir/Excluir propostas"));
    EXPECT_FALSE(em<QWidget>(abrir, "GroupBox1")->isVisible());
    GradeTexto *lista = abrir->sgFiles();
    ASSERT_EQ(lista->RowCount(), 2);
    EXPECT_EQ(lista->Cells(COL_ORC, 1), numero);
    EXPECT_EQ(lista->Cells(COL_DATA, 1), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_EQ(lista->Cells(COL_CLIENTE, 1), cliente);
    EXPECT_EQ(lista->Cells(COL_PROJETO, 1), projeto);
    QTest::keyClick(abrir, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return em<QRadioButton>(abrir, "rgComp3")->isChecked(); }, 2000));
    captura("e2e_14_abrir");
    clicaCelula(lista, 0, 1);
    clica(abrir, "btOpen");
    ASSERT_TRUE(dados->isVisible());
    // Field by field (the images read keep the file's bytes; those typed have none).
    auto campos = [](const TArquivoOrc &o) {
        nlohmann::ordered_json j = OrcamentoParaJson(o);
        j["Orcamento"].erase("bruto");
        for (auto &it : j["Itens"])
            it.erase("bruto");
        return j;
    };
    const nlohmann::json a = campos(antes), b = campos({g.Orcamento, {g.Itens[1], g.Itens[2], g.Itens[3]}});
    EXPECT_EQ(a, b) << nlohmann::json::diff(a, b).dump(1);
    EXPECT_EQ(g.NumItens, 3);
    EXPECT_EQ(em<QLineEdit>(dados, "edNome")->text(), cliente);
    EXPECT_EQ(em<QLineEdit>(dados, "edOrcamento")->text(), numero);
    EXPECT_EQ(em<GradeTexto>(dados, "grDados")->Cells(3, 2), QStringLiteral("Insuflamento"));
    captura("e2e_15_aberto");
    // The selection and the configuration show the items as they were.
    clica(dados, "btSelecao");
    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(calc->grItens()->Cells(1, k).startsWith(QStringLiteral("BSD"))) << k;
    clica(calc, "btConfigura");
    ASSERT_TRUE(conf->isVisible());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(configuracao(conf, row), configurados[row]) << row;
    EXPECT_FALSE(g.Alterado);
    captura("e2e_16_configura_aberto");

    // 6. The data sheet: the proposal as before; "Salvar PDF" (beside the
    // pictures, when they are kept) makes one page with all of it.
    clica(conf, "btDataSheet");
    ASSERT_TRUE(folha->isVisible());
    EXPECT_TRUE(em<QCheckBox>(folha, "cbObs")->isChecked());
    captura("e2e_17_folha");
    const QByteArray html = PropostaHTML();
    EXPECT_EQ(html, proposta);
    EXPECT_TRUE(html.contains(ParaWin1252(projeto)));
    QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
    if (pasta.isEmpty())
        pasta = dir.path();
    const QString pdf = QDir(pasta).filePath(QStringLiteral("e2e_19_proposta"));
    folha->escolheArquivo = [&](const QString &) { return pdf; };
    clica(folha, "btPDF");
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "70", "-png", pdf + ".pdf", pdf}), 0);
    const QString texto = textoPdf(pdf + QStringLiteral(".pdf"));
    for (const QString &t : {QStringLiteral("Proposta nº ") + numero, cliente, projeto, QStringLiteral("RD 180°/BR 0°"),
                             QStringLiteral("BBS 560"), QStringLiteral("Suporte antivibratório"),
                             QStringLiteral("Motores com proteção térmica."), QStringLiteral("Pág. 1 de 1")})
        EXPECT_TRUE(texto.contains(t)) << t.toStdString();

    // The e-mail, once the settings are filled in, takes the proposal to a
    // real server, to the client's address.
    teste::ServidorSmtpLocal servidor;
    ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
    noProximoDialogo([&](QDialog *email) {
        noProximoDialogo([&](QDialog *cnf) {
            escreve(em<QLineEdit>(cnf, "edEmail"), QStringLiteral("vendas@dravolinbrum.com.br"));
            escreve(em<QLineEdit>(cnf, "edSMTP"), servidor.Endereco());
            captura(cnf, QStringLiteral("e2e_20_email_configuracao"));
            clica(cnf, "btOK");
        });
        clica(email, "BitBtn3");
        captura(email, QStringLiteral("e2e_21_email"));
        clica(email, "btEnviar");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !email->isVisible(); }, 15000));
    });
    clica(folha, "btEmail");
    EXPECT_EQ(r.vistas.last(), QStringLiteral("Mensagem enviada com sucesso!"));
    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    EXPECT_EQ(m["para"][0], "compras@saojose.ind.br");
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
    EXPECT_FALSE(g.Alterado);

    // 7. Revised, saved with a new number: "0000" is no number, 0001 exists
    // and the overwrite answered No writes nothing.
    clica(janela, "btDados");
    auto *edProjeto = em<QLineEdit>(dados, "edProjeto");
    auto revisa = [&] {
        edProjeto->setFocus();
        edProjeto->end(false);
        digita(edProjeto, QStringLiteral(" - revisão"));
        ASSERT_TRUE(g.Alterado);
    };
    revisa();
    r.vistas.clear();
    r.responde(ID_OK).responde(ID_NAO);
    noProximoDialogo([&](QDialog *d) {
        auto *ed = em<QLineEdit>(d, "edOrc");
        EXPECT_EQ(ed->text(), numero);
        EXPECT_TRUE(em<QPushButton>(d, "btMesmo")->isEnabled());
        ed->setFocus();
        ed->home(false);
        digita(ed, QStringLiteral("0000"));
        EXPECT_FALSE(em<QPushButton>(d, "btMesmo")->isEnabled()) << "typing a number disables Mesmo";
        clica(d, "btNovo");
        EXPECT_TRUE(d->isVisible());
        ed->home(false);
        digita(ed, QStringLiteral("0001"));
        clica(d, "btNovo");
    });
    clica(janela, "btSave");
    EXPECT_EQ(r.vistas, (QStringList{QString::fromUtf8(MsgNumeroInvalido), QString::fromUtf8(MsgOrcamentoExiste)}));
    EXPECT_EQ(g.Orcamento.NumOrc, numero);
    EXPECT_EQ(g.Orcamento.Numero, 1);
    EXPECT_EQ(arquivo(nome), salvo);
    EXPECT_TRUE(g.Alterado);

    // The list with the revision unsaved: Cancel to the question still opens
    // it, Enter opens the quotation after asking again (No: dropped).
    r.vistas.clear();
    r.responde(ID_CANCEL).responde(ID_NAO);
    clica(janela, "btAbrit");
    ASSERT_TRUE(abrir->isVisible());
    envia(lista, Qt::Key_Return);
    EXPECT_EQ(r.vistas, QStringList(2, QStringLiteral("Você alterou algum dado.\r\nDeseja salvar?")));
    ASSERT_TRUE(dados->isVisible());
    EXPECT_EQ(edProjeto->text(), projeto);
    EXPECT_FALSE(g.Alterado);

    // Revised and saved on its own number: the same file, nothing new.
    revisa();
    noProximoDialogo([&](QDialog *d) { clica(d, "btMesmo"); });
    clica(janela, "btSave");
    EXPECT_FALSE(g.Alterado);
    EXPECT_EQ(QDir(projetos()).entryList(QDir::Files), QStringList{nome});
    EXPECT_EQ(LeitorBinario(arquivo(nome)).str(9, 80), projeto + QStringLiteral(" - revisão"));

    // Deleted after the question.
    clica(janela, "btAbrit");
    ASSERT_TRUE(abrir->isVisible());
    r.vistas.clear();
    r.responde(ID_SIM);
    clica(abrir, "btExclui");
    EXPECT_EQ(r.vistas, QStringList{QString::fromUtf8(MsgConfirmaExclusao).arg(numero)});
    EXPECT_FALSE(QFile::exists(projetos(nome)));
    EXPECT_FALSE(em<QPushButton>(abrir, "btOpen")->isEnabled());
    EXPECT_FALSE(em<QPushButton>(abrir, "btExclui")->isEnabled());
    EXPECT_TRUE(em<QLabel>(abrir, "lbNenhuma")->isVisible());
    EXPECT_TRUE(em<QLabel>(abrir, "lbNenhuma")->text().startsWith(QStringLiteral("Nenhuma proposta foi encontrada em [")));
    captura("e2e_22_abrir_vazia");

    // 8. Files put in the folder by hand: a copy under a name of its own
    // opens and is saved back to itself ("&Mesmo" leaves the original
    // alone); a damaged file shows as such and opening it says so in plain
    // words; "&Novo" passes over a number whose file is there.
    const QString ano = numero.right(2);
    const QString copia = QStringLiteral("0001_") + ano + QStringLiteral(" - Copia.orc");
    QByteArray danificado = salvo.left(1716);
    GravadorBinario(danificado).integer(632, -1024876009);
    for (const auto &[arq, bytes] : {std::pair{nome, salvo}, std::pair{copia, salvo},
                                     std::pair{QStringLiteral("0002_") + ano + QStringLiteral(".orc"), salvo},
                                     std::pair{QStringLiteral("0007_") + ano + QStringLiteral(".orc"), danificado}})
        ASSERT_TRUE(GravaArquivoAtomico(projetos(arq), bytes, nullptr));
    auto linha = [&](const QString &arq) {
        clica(janela, "btAbrit");
        for (std::size_t i = 0; i < abrir->Linhas().size(); ++i)
            if (abrir->Linhas()[i].Arquivo == arq)
                return static_cast<int>(i) + 1;
        ADD_FAILURE() << arq.toStdString();
        return 1;
    };
    const int ruim = linha(QStringLiteral("0007_") + ano + QStringLiteral(".orc"));
    EXPECT_EQ(lista->Cells(COL_CLIENTE, ruim), QStringLiteral("(arquivo danificado)"));
    EXPECT_EQ(lista->Cells(COL_TOTAL, ruim), QString());
    EXPECT_EQ(lista->Cells(COL_DATA, ruim), QString());
    captura("e2e_23_abrir_danificado");
    r.vistas.clear();
    clicaCelula(lista, 0, ruim);
    clica(abrir, "btOpen");
    ASSERT_EQ(r.vistas.size(), 1);
    EXPECT_TRUE(r.vistas[0].endsWith(QStringLiteral(
        "está danificado ou não é um orçamento.\r\nO cabeçalho anuncia -1024876009 itens; um orçamento tem de 0 a 40.")))
        << r.vistas[0].toStdString();

    clicaCelula(lista, 0, linha(copia));
    clica(abrir, "btOpen");
    ASSERT_TRUE(dados->isVisible());
    revisa();
    noProximoDialogo([&](QDialog *d) { clica(d, "btMesmo"); });
    clica(janela, "btSave");
    EXPECT_FALSE(g.Alterado);
    EXPECT_EQ(arquivo(nome), salvo) << "the original is not the copy's file";
    EXPECT_EQ(LeitorBinario(arquivo(copia)).str(9, 80), projeto + QStringLiteral(" - revisão"));

    revisa();
    noProximoDialogo([&](QDialog *d) { clica(d, "btNovo"); });
    clica(janela, "btSave");
    EXPECT_EQ(g.Orcamento.NumOrc, QStringLiteral("0003/") + ano);
    EXPECT_EQ(arquivo(QStringLiteral("0002_") + ano + QStringLiteral(".orc")), salvo);
    EXPECT_TRUE(QFile::exists(projetos(QStringLiteral("0003_") + ano + QStringLiteral(".orc"))));
}
