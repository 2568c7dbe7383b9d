// One quotation from the first click to the e-mail, through the real windows
// only: a client from the client window, three items typed in, each selected
// on a line and an arrangement, configured with motor, position, accessories,
// a cabinet and a special accessory, the conditions and observations, saved
// with a new number, opened again in a new program run as it was, and the
// proposal previewed, saved as PDF, exported for the spreadsheet program and
// sent to a real SMTP server. With QUELLORA_CAPTURAS set to a folder, every
// step is saved there as a picture (and the PDF pages rendered).

#include "shell_ambiente.h"

#include "catalogue/binario.h"
#include "mail/servidor_smtp.h"
#include "positions/posicoes.h"
#include "pricing/windows/uqlconfigura.h"
#include "quotation/numeracao.h"
#include "proposal/planilha.h"
#include "proposal/proposta.h"
#include "proposal/windows/uqldatasheet.h"
#include "quotation/orcamento_json.h"
#include "quotation/windows/uqlabrir.h"
#include "selection/arranjo.h"
#include "selection/windows/uqlarranjo.h"
#include "selection/windows/uqlcalculos.h"
#include "selection/windows/uqlmotor.h"
#include "selection/windows/uqlmotor4.h"

#include <QCheckBox>
#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace quellora;

namespace {

class PontaAPonta : public teste::AmbienteShell {
protected:
    void TearDown() override {
        TfrmDataSheet::LocalizaPrograma = &ComandoParaAbrir;
        qputenv("TMPDIR", tmpdir);
        AmbienteShell::TearDown();
    }

    template <class T = QWidget>
    static T *em(QWidget *w, const char *nome) {
        T *x = w->findChild<T *>(QString::fromLatin1(nome));
        EXPECT_NE(x, nullptr) << nome;
        return x;
    }
    static void clica(QWidget *w, const char *nome) { QTest::mouseClick(em<QAbstractButton>(w, nome), Qt::LeftButton); }
    // The window gets the keyboard, as the desktop gives it back after a
    // dialog closes (a headless platform does not).
    static void ativa(QWidget *w) {
        w->activateWindow();
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
    }
    // A click on a grid cell (data rows from 1).
    static void clicaCelula(GradeTexto *g, int col, int row) {
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(row - 1, col)).center());
    }
    static void escreve(QLineEdit *ed, const QString &texto) {
        ed->setFocus();
        ed->selectAll();
        digita(ed, texto);
    }

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

    // The configuration obtained for item row 'row', as the grid shows it.
    static QStringList configuracao(TfrmConfigura *conf, int row) {
        escolheItem(conf, row);
        QStringList l;
        for (int r = 1; r < conf->sgConfig()->RowCount(); ++r)
            l << conf->sgConfig()->Cells(0, r) + QLatin1Char('|') + conf->sgConfig()->Cells(1, r) + QLatin1Char('|') +
                     conf->sgConfig()->Cells(2, r);
        return l;
    }

    // In the picker shown, the spot with this designation pressed and
    // released with the mouse.
    void posicao(int numero, const QString &designacao) {
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
                return;
            }
        ADD_FAILURE() << "no spot " << designacao.toStdString();
    }

    QByteArray tmpdir = qgetenv("TMPDIR");
};

} // namespace

TEST_F(PontaAPonta, DaEntradaDeDadosAoEmail) {
    auto &g = G();
    auto &r = respostas;
    abre();
    janela->resize(1000, 740);
    captura("e2e_01_principal");

    // 1. Data entry: a new client in the client window, a project with
    // accents, three items (the third at 800 m).
    QTest::mouseClick(controle<QPushButton>("btDados"), Qt::LeftButton);
    QWidget *dados = JanelaNumero(JAN_DADOS);
    ASSERT_TRUE(dados && dados->isVisible());
    QString modal;
    noProximoDialogo(
        [&](QDialog *d) {
            clica(d, "btNovo");
            escreve(em<QLineEdit>(d, "DBEdit1"), QStringLiteral("Fundição São José Ltda."));
            escreve(em<QLineEdit>(d, "DBEdit2"), QStringLiteral("Eng. Conceição"));
            escreve(em<QLineEdit>(d, "DBEdit6"), QStringLiteral("Jundiaí/SP"));
            escreve(em<QLineEdit>(d, "DBEdit7"), QStringLiteral("compras@saojose.ind.br"));
            captura(d, QStringLiteral("e2e_02_clientes"));
            clica(d, "btOK");
        },
        &modal);
    clica(dados, "BitBtn1");
    EXPECT_EQ(modal, QStringLiteral("TfrmClientes"));
    EXPECT_EQ(em<QLineEdit>(dados, "edNome")->text(), QStringLiteral("Fundição São José Ltda."));
    EXPECT_EQ(g.Orcamento.email, QStringLiteral("compras@saojose.ind.br"));
    const QString projeto = QStringLiteral("Exaustão da fundição – galpão nº 2");
    escreve(em<QLineEdit>(dados, "edProjeto"), projeto);
    auto *grade = em<GradeTexto>(dados, "grDados");
    clicaCelula(grade, 1, 1);
    linha(grade, {"EX-01", "2", "Exaustão", "10000", "50", "", ""});
    linha(grade, {"IN-02", "1", "Insuflamento", "3000", "40", "", ""});
    linha(grade, {"RS-03", "1", "Retorno", "5000", "30", "25", "800"});
    captura("e2e_03_dados");
    EXPECT_TRUE(r.vistas.isEmpty()) << r.vistas.join('|').toStdString();

    // 2. Selection: a line for each item and its arrangement.
    clica(dados, "btSelecao");
    auto *calc = qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS));
    ASSERT_TRUE(calc && calc->isVisible());
    ASSERT_EQ(g.NumItens, 3);
    EXPECT_EQ(g.Orcamento.Projeto, projeto);
    clicaLinha(calc, "BSD");
    arranjo(calc, "Arranjo 9");
    EXPECT_TRUE(g.Itens[1].Selecionado);
    EXPECT_EQ(g.Itens[1].Arranjo, 7);
    // Item 2: direct coupling at the 4-pole speed of 60 Hz.
    clicaCelula(calc->grItens(), 2, 2);
    clicaLinha(calc, "BSD");
    arranjo(calc, "Arranjo 4", [&](TfrmMotor4 *d) {
        QTest::mouseClick(em<QRadioButton>(d, "rb2"), Qt::LeftButton);
        captura(d, QStringLiteral("e2e_05_motor4"));
        clica(d, "btOK");
    });
    EXPECT_TRUE(g.Itens[2].Selecionado);
    EXPECT_TRUE(g.Itens[2].Direto);
    clicaCelula(calc->grItens(), 2, 3);
    clicaLinha(calc, "BSD");
    arranjo(calc, "Arranjo 1");
    EXPECT_TRUE(g.Itens[3].Selecionado);
    captura("e2e_06_selecao");
    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(calc->grItens()->Cells(1, k).startsWith(QStringLiteral("BSD"))) << k;

    // 3. Configuration.
    clica(calc, "btConfigura");
    auto *conf = qobject_cast<TfrmConfigura *>(JanelaNumero(JAN_CONFIGURA));
    ASSERT_TRUE(conf && conf->isVisible());
    r.vistas.clear();
    escolheItem(conf, 0);
    // The motor: the motor window's suggestion confirmed.
    marcaAcessorio(conf, 0);
    auto *motor = qobject_cast<TfrmMotor *>(JanelaNumero(JAN_MOTOR));
    ASSERT_TRUE(motor->isVisible());
    EXPECT_EQ(motor->sgMot()->TextoExibido(0, 1), QStringLiteral("2,2")) << "kW in the user's locale";
    captura("e2e_07_motor");
    clica(motor, "btOK");
    ASSERT_TRUE(conf->isVisible());
    EXPECT_TRUE(g.Itens[1].ComMotor);
    EXPECT_TRUE(conf->clb()->Marcado(0));
    // The position, after the adjustable base: it needs the frame.
    marcaAcessorio(conf, entradaAcessorio(conf, "BR"));
    marcaAcessorio(conf, entradaAcessorio(conf, "POS"));
    posicao(JAN_POSICAO, QStringLiteral("RD 180°/BR 0°"));
    ASSERT_TRUE(conf->isVisible());
    EXPECT_EQ(g.Itens[1].Posicao, QStringLiteral("RD 180°/BR 0°"));
    EXPECT_EQ(r.vistas.last(), QStringLiteral("Esta posição exige quadro. Marquei automaticamente."));
    EXPECT_TRUE(conf->clb()->Marcado(entradaAcessorio(conf, "POS")));
    EXPECT_TRUE(conf->clb()->Marcado(entradaAcessorio(conf, "QR")));
    for (const char *codigo : {"LFD", "COX"}) {
        marcaAcessorio(conf, entradaAcessorio(conf, codigo));
        EXPECT_TRUE(conf->clb()->Marcado(entradaAcessorio(conf, codigo))) << codigo;
    }
    // A special accessory of the quotation, typed in its dialog.
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

    // Item 2, direct-coupled: its motor at the coupling's speed, its position.
    escolheItem(conf, 1);
    marcaAcessorio(conf, 0);
    ASSERT_TRUE(motor->isVisible());
    clica(motor, "btOK");
    EXPECT_EQ(g.Itens[2].Polos, 4);
    EXPECT_EQ(g.Itens[2].Frequencia, QStringLiteral("60 Hz"));
    marcaAcessorio(conf, entradaAcessorio(conf, "POS"));
    posicao(JAN_POSICAO4, QStringLiteral("LG 90°"));
    ASSERT_TRUE(conf->isVisible());
    EXPECT_EQ(g.Itens[2].Posicao, QStringLiteral("LG 90°"));

    // Item 3 in a cabinet: shown as BBS, its air inlet picked.
    escolheItem(conf, 2);
    r.responde(ID_OK);
    marcaAcessorio(conf, entradaAcessorio(conf, "GAB"));
    EXPECT_TRUE(g.Itens[3].ComGabinete);
    EXPECT_TRUE(conf->sgConfig()->Cells(1, 1).startsWith(QStringLiteral("BBS "))) << conf->sgConfig()->Cells(1, 1).toStdString();
    marcaAcessorio(conf, entradaAcessorio(conf, "POS"));
    posicao(JAN_GAB160A560, QStringLiteral("RD 0°/TA 90°"));
    ASSERT_TRUE(conf->isVisible());
    EXPECT_EQ(g.Itens[3].Posicao, QStringLiteral("RD 0°/TA 90°"));
    captura("e2e_10_configura_gabinete");

    // The conditions (the data sheet's hidden "&Bases") and observations.
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
    // Alt+O is "&Obs." here, not the "&Operador" of the panel under the window.
    ativa(janela);
    QTest::keyClick(folha, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !g.Orcamento.Obs1.isEmpty(); }, 2000));
    EXPECT_EQ(g.Orcamento.Obs1, QStringLiteral("Motores com proteção térmica."));
    EXPECT_TRUE(em<QCheckBox>(folha, "cbObs")->isChecked());
    clica(folha, "btCancela");
    EXPECT_TRUE(conf->isVisible());

    // 4. Saved with a new number, the program closed and started again,
    // the quotation opened: every record as it was.
    ASSERT_TRUE(g.Alterado);
    noProximoDialogo([&](QDialog *d) {
        captura(d, QStringLiteral("e2e_13_salvar"));
        clica(d, "btNovo");
    });
    QTest::mouseClick(controle<QToolButton>("btSave"), Qt::LeftButton);
    const QString numero = QStringLiteral("0001/") + QDate::currentDate().toString(QStringLiteral("yy"));
    EXPECT_EQ(g.Orcamento.NumOrc, numero);
    EXPECT_FALSE(g.Alterado);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("projetos/") + NomeArquivoOrc(numero))));
    QFile contador(arquivoDados(ArqContador));
    ASSERT_TRUE(contador.open(QIODevice::ReadOnly));
    EXPECT_EQ(LeitorBinario(contador.readAll()).integer(0), 2);
    const TArquivoOrc antes{g.Orcamento, {g.Itens[1], g.Itens[2], g.Itens[3]}};
    const QList<QStringList> configurados = {configuracao(conf, 0), configuracao(conf, 1), configuracao(conf, 2)};
    clica(conf, "btDataSheet");
    const QByteArray proposta = PropostaHTML();
    clica(folha, "btCancela");
    EXPECT_FALSE(g.Alterado);

    reinicia();
    janela->resize(1000, 740);
    ativa(janela);
    calc = qobject_cast<TfrmCalculos *>(JanelaNumero(JAN_CALCULOS));
    conf = qobject_cast<TfrmConfigura *>(JanelaNumero(JAN_CONFIGURA));
    folha = qobject_cast<TfrmDataSheet *>(JanelaNumero(JAN_DATASHEET));
    // "&Propostas" of the main panel, by its Alt key.
    QTest::keyClick(janela, Qt::Key_P, Qt::AltModifier);
    auto *abrir = qobject_cast<TfrmOpen *>(JanelaNumero(JAN_ABRIR));
    ASSERT_TRUE(QTest::qWaitFor([&] { return abrir->isVisible(); }, 2000));
    ASSERT_EQ(abrir->sgFiles()->RowCount(), 2);
    EXPECT_EQ(abrir->sgFiles()->Cells(COL_PROJETO, 1), projeto);
    // Sorted by project with its Alt key (no label of the window shares it).
    QTest::keyClick(abrir, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return em<QRadioButton>(abrir, "rgComp3")->isChecked(); }, 2000));
    captura("e2e_14_abrir");
    clicaCelula(abrir->sgFiles(), 0, 1);
    clica(abrir, "btOpen");
    dados = JanelaNumero(JAN_DADOS);
    ASSERT_TRUE(dados->isVisible());
    const TArquivoOrc depois{g.Orcamento, {g.Itens[1], g.Itens[2], g.Itens[3]}};
    // Field by field (the images read keep the file's bytes; those typed have none).
    auto campos = [](const TArquivoOrc &o) {
        nlohmann::ordered_json j = OrcamentoParaJson(o);
        j["Orcamento"].erase("bruto");
        for (auto &it : j["Itens"])
            it.erase("bruto");
        return j;
    };
    const nlohmann::json a = campos(antes), b = campos(depois);
    EXPECT_EQ(a, b) << nlohmann::json::diff(a, b).dump(1);
    EXPECT_EQ(g.NumItens, 3);
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

    // 5. The data sheet: the page as before, Normal/Reduzida, PDF, the
    // spreadsheet, e-mail.
    clica(conf, "btDataSheet");
    ASSERT_TRUE(folha->isVisible());
    EXPECT_TRUE(em<QCheckBox>(folha, "cbObs")->isChecked());
    captura("e2e_17_folha");
    const QImage normal = folha->folha()->grab().toImage();
    EXPECT_EQ(PropostaHTML(), proposta);
    clica(folha, "btReduzida");
    EXPECT_EQ(em<QPushButton>(folha, "btReduzida")->text(), QStringLiteral("Reduzida"));
    EXPECT_NE(folha->folha()->grab().toImage(), normal);
    captura("e2e_18_folha_reduzida");
    clica(folha, "btReduzida");

    // "Salvar PDF" (beside the pictures, when they are kept), one page.
    QString pasta = qEnvironmentVariable("QUELLORA_CAPTURAS");
    if (pasta.isEmpty())
        pasta = dir.path();
    const QString pdf = QDir(pasta).filePath(QStringLiteral("e2e_19_proposta"));
    folha->escolheArquivoPDF = [&] { return pdf; };
    clica(folha, "btPDF");
    ASSERT_TRUE(QFile::exists(pdf + QStringLiteral(".pdf")));
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("70"), QStringLiteral("-png"),
                                                             pdf + QStringLiteral(".pdf"), pdf}),
              0);
    EXPECT_EQ(QDir(pasta).entryList({QStringLiteral("e2e_19_proposta-*.png")}).size(), 1);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf + QStringLiteral(".pdf"), QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString texto = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const QString &t : {QStringLiteral("Proposta nº ") + numero, QStringLiteral("Fundição São José Ltda."), projeto,
                             QStringLiteral("RD 180°/BR 0°"), QStringLiteral("BBS 560"),
                             QStringLiteral("Suporte antivibratório"), QStringLiteral("Motores com proteção térmica."),
                             QStringLiteral("Pág. 1 de 1")})
        EXPECT_TRUE(texto.contains(t)) << t.toStdString();

    // The spreadsheet export, opened by the program found for it.
    QTemporaryDir temp;
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString copia = dir.filePath(QStringLiteral("aberto.xls"));
    TfrmDataSheet::LocalizaPrograma = [&](const QString &f) { return QStringList{QStringLiteral("/bin/cp"), f, copia}; };
    clica(folha, "btExcel");
    const QByteArray html = PropostaHTML();
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(copia).size(), html.size(), 10000);
    QFile aberto(copia);
    ASSERT_TRUE(aberto.open(QIODevice::ReadOnly));
    EXPECT_EQ(aberto.readAll(), html);
    EXPECT_TRUE(html.contains(ParaWin1252(projeto)));

    // The e-mail: the settings filled in first, then sent to a real server;
    // the attachment is the proposal.
    teste::ServidorSmtpLocal servidor;
    ASSERT_TRUE(servidor.Pronto()) << servidor.Erros().toStdString();
    r.vistas.clear();
    noProximoDialogo([&](QDialog *email) {
        noProximoDialogo([&](QDialog *cnf) {
            escreve(em<QLineEdit>(cnf, "edNome"), QStringLiteral("José Vendas"));
            escreve(em<QLineEdit>(cnf, "edEmail"), QStringLiteral("vendas@quellora.ind.br"));
            escreve(em<QLineEdit>(cnf, "edSMTP"), servidor.Endereco());
            captura(cnf, QStringLiteral("e2e_20_email_configuracao"));
            clica(cnf, "btOK");
        });
        clica(email, "BitBtn3");
        EXPECT_EQ(em<QLineEdit>(email, "edSendTo")->text(), QStringLiteral("compras@saojose.ind.br"));
        auto *texto = em<QPlainTextEdit>(email, "Memo1");
        ativa(email);
        QTest::mouseClick(texto->viewport(), Qt::LeftButton);
        QTest::keyClicks(texto, QStringLiteral("Prezados, segue a proposta."));
        EXPECT_EQ(texto->toPlainText(), QStringLiteral("Prezados, segue a proposta."));
        captura(email, QStringLiteral("e2e_21_email"));
        clica(email, "btEnviar");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !email->isVisible(); }, 15000));
    });
    clica(folha, "btEmail");
    EXPECT_EQ(r.vistas.last(), QStringLiteral("Mensagem enviada com sucesso!"));
    ASSERT_EQ(servidor.Quantas(), 1);
    const nlohmann::json m = servidor.Mensagem(1);
    EXPECT_EQ(m["para"], nlohmann::json({"compras@saojose.ind.br", "vendas@quellora.ind.br"}));
    EXPECT_EQ(QByteArray::fromBase64(QByteArray::fromStdString(m["anexos"][0]["dados"].get<std::string>())), html);
    EXPECT_FALSE(g.Alterado);
}
