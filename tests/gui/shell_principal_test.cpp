// The main window: start-up, the list of fan families, navigation between the
// child windows, New, Save and closing with or without unsaved work.

#include "gui/shell_ambiente.h"

#include "catalogue/binario.h"
#include "catalogue/tipos.h"
#include "quotation/orcamento.h"
#include "shell/fabricante.h"
#include "shell/preferencias.h"
#include "shell/versao.h"
#include "shell/windows/ajuda.h"
#include "shell/windows/desenho_splash.h"
#include "shell/windows/janelafilha.h"
#include "shell/windows/splash.h"
#include "shell/windows/mensagem.h"
#include "ui/barrastatus.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QPushButton>
#include <QToolButton>

using namespace quellora;
using quellora::teste::AmbienteShell;

namespace {

class Principal : public AmbienteShell {
protected:
    // Writes denmod.dat with these family names (and a text for each).
    void gravaFamilias(const std::vector<QString> &nomes) {
        QByteArray b;
        for (const QString &n : nomes) {
            TDenominacao d;
            d.Familia = n;
            d.TextoFamilia = n.trimmed().isEmpty() ? QString() : QStringLiteral("Texto de ") + n;
            b += ParaBytes(d);
        }
        QString erro;
        ASSERT_TRUE(GravaArquivoAtomico(arquivoDados("denmod.dat"), b, &erro)) << erro.toStdString();
    }

    QString titulo() const { return controle<QLabel>("Panel2")->text(); }

    // Some unsaved work: one item.
    static void algumTrabalho() {
        auto &g = G();
        g.NumItens = 1;
        g.Itens[1].Vazao = 12000;
        g.Itens[1].RefTag = QStringLiteral("V-01");
        SetAlterado(true);
    }
};

const QString Pergunta = QStringLiteral("Você alterou algum dado.\r\nDeseja salvar?");

} // namespace

TEST_F(Principal, IniciaNosDadosDeAmostra) {
    abre();
    EXPECT_TRUE(janela->iniciou());
    EXPECT_TRUE(respostas.vistas.isEmpty()) << respostas.vistas.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Quellora ") + QString::fromLatin1(VersaoPrograma));
    EXPECT_EQ(titulo(), QStringLiteral("Quellora - Seleção de ventiladores"));
    EXPECT_EQ(janela->barraStatus()->texto(3), QStringLiteral("DBL 2003.01.13/C"));
    EXPECT_EQ(janela->barraStatus()->paineis(), 4);
    EXPECT_FALSE(controle<QToolButton>("btSave")->isEnabled());
    EXPECT_EQ(JanelaAtiva(), nullptr);
    EXPECT_EQ(JanelaAnterior(), nullptr);

    // The maker's panel and the box its logo opens: the maker's one name
    // and city; the program's name and version.
    const QString nome = QString::fromUtf8(DadosFabricante::Nome), cidade = QString::fromUtf8(DadosFabricante::Cidade);
    EXPECT_EQ(controle<QLabel>("lbFabricante1")->text(), nome);
    EXPECT_TRUE(controle<QLabel>("lbFabricante2")->text().endsWith(cidade));
    QTest::mouseClick(controle<QLabel>("imBL"), Qt::LeftButton);
    ASSERT_EQ(respostas.vistas.size(), 1);
    const QString sobre = respostas.vistas.takeFirst();
    EXPECT_TRUE(sobre.startsWith(QStringLiteral("Quellora ") + QString::fromLatin1(VersaoPrograma))) << sobre.toStdString();
    EXPECT_TRUE(sobre.contains(nome) && sobre.contains(cidade)) << sobre.toStdString();
    EXPECT_FALSE(sobre.contains(QStringLiteral("Quellora Ventiladores")));

    // Directories beside the program, projetos/ created.
    const QString base = QDir(dir.path()).absolutePath() + QLatin1Char('/');
    EXPECT_EQ(G().DirPrograma, base);
    EXPECT_EQ(G().DirDados, base + QStringLiteral("dados/"));
    EXPECT_EQ(G().DirCatalogo, base + QStringLiteral("dados/"));
    EXPECT_EQ(G().DirProjetos, base + QStringLiteral("projetos/"));
    EXPECT_TRUE(QDir(G().DirProjetos).exists());

    // Catalogue loaded: the families (the third record is blank), motors, factors.
    QStringList nomes;
    for (QPushButton *b : janela->botoesFamilia())
        nomes << b->text();
    EXPECT_EQ(nomes, (QStringList{QStringLiteral("BSD/BDD"), QStringLiteral("GTD"), QStringLiteral("RSD"),
                                  QStringLiteral("AXI"), QStringLiteral("SCD"), QStringLiteral("PLR")}));
    EXPECT_GT(G().NumMotores, 0);

    // Windows are built on their first use (the client file is read by the
    // client window's); then every window of the table exists once, under
    // its class name.
    int n = 0;
    const EntradaJanela *t = TabelaJanelas(&n);
    EXPECT_EQ(n, 28);
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(JanelaCriada(t[i].classe), nullptr) << t[i].classe;
    EXPECT_FALSE(G().dm.Carregada);
    EXPECT_TRUE(G().Pagina.Logotipo.isNull()); // drawn for the first window that draws pages
    for (int i = 0; i < n; ++i) {
        if (!t[i].cria)
            continue;
        QWidget *w = JanelaClasse(t[i].classe);
        ASSERT_NE(w, nullptr) << t[i].classe;
        EXPECT_EQ(w->objectName(), QString::fromLatin1(t[i].classe));
        EXPECT_FALSE(w->isVisible()) << t[i].classe;
    }
    for (int k = 1; k <= 16; ++k)
        EXPECT_NE(JanelaNumero(k), nullptr) << k;
    EXPECT_FALSE(G().Pagina.Logotipo.isNull());
}

TEST_F(Principal, MolduraMostradaAntesDoConteudo) {
    // The program shows the frame at once and builds the rest while it is
    // being mapped: the frame alone has its title, size and colour only.
    janela = new TfrmQuellora(TfrmQuellora::Moldura{});
    janela->show();
    EXPECT_EQ(JanelaPrincipal(), janela);
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Quellora 3.0"));
    EXPECT_EQ(janela->size(), QSize(750, 550));
    EXPECT_EQ(janela->centralWidget(), nullptr);
    EXPECT_EQ(controle<QToolButton>("btSave"), nullptr);
    janela->inicia(dir.path(), 1024);
    janela->criaJanelas();
    QApplication::processEvents();
    EXPECT_TRUE(janela->iniciou());
    EXPECT_TRUE(respostas.vistas.isEmpty()) << respostas.vistas.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(titulo(), QStringLiteral("Quellora - Seleção de ventiladores"));
    EXPECT_EQ(janela->botoesFamilia().size(), 6);
    ASSERT_NE(controle<QToolButton>("btSave"), nullptr);
    EXPECT_TRUE(controle<QLabel>("Panel2")->isVisible());
    EXPECT_EQ(janela->barraStatus()->texto(3), QStringLiteral("DBL 2003.01.13/C"));
    EXPECT_EQ(G().DirDados, QDir(dir.path()).absolutePath() + QStringLiteral("/dados/"));
}

TEST_F(Principal, FamiliaEmBrancoNaoOcupaLugar) {
    gravaFamilias({QStringLiteral("AAA"), QStringLiteral("BB/B"), QStringLiteral("   "), QStringLiteral("DDD"),
                   QString(), QString(), QString()});
    abre();
    const QList<QPushButton *> b = janela->botoesFamilia();
    ASSERT_EQ(b.size(), 3);
    EXPECT_EQ(b[0]->text(), QStringLiteral("AAA"));
    EXPECT_EQ(b[1]->text(), QStringLiteral("BB/B"));
    EXPECT_EQ(b[2]->text(), QStringLiteral("DDD"));
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(b[c]->geometry(), QRect(0, 20 * c, 75, 20)) << c;
        auto *l = b[c]->parentWidget()->findChild<QLabel *>(QStringLiteral("lbFamilia%1").arg(c + 1));
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->text(), QStringLiteral("Texto de ") + b[c]->text());
        EXPECT_EQ(l->pos(), QPoint(80, 20 * c + 3));
    }
}

TEST_F(Principal, AvisoDeTelaEstreita) {
    abre(799);
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_EQ(respostas.vistas[0], QString::fromUtf8(AvisoResolucaoTexto));
    EXPECT_EQ(respostas.estilos[0], MB_OK_EXCLAMACAO);
    EXPECT_TRUE(respostas.vistas[0].startsWith(
        QStringLiteral("Este programa foi designado para trabalhar em um monitor na resolução de 800x600.\r\n")));
    EXPECT_TRUE(janela->iniciou()); // start-up goes on
    EXPECT_EQ(janela->botoesFamilia().size(), 6);
}

TEST_F(Principal, TelaDe800NaoAvisa) {
    abre(800);
    EXPECT_TRUE(respostas.vistas.isEmpty());
}

TEST_F(Principal, ArquivoDoCatalogoIlegivelENomeado) {
    ASSERT_TRUE(QFile::remove(arquivoDados("dadace.dat")));
    abre();
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_EQ(respostas.estilos[0], MB_ERRO);
    EXPECT_TRUE(respostas.vistas[0].contains(QStringLiteral("dadace.dat"))) << respostas.vistas[0].toStdString();
    EXPECT_FALSE(janela->iniciou());
    EXPECT_TRUE(janela->isVisible()); // the program stays open
    EXPECT_TRUE(janela->botoesFamilia().isEmpty());
    // Navigation still works.
    MostraJanela(JAN_OPERADOR);
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_OPERADOR));
}

TEST_F(Principal, ArquivoCurtoDeConfiguracaoENomeado) {
    QFile f(arquivoDados("dadope.dat"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100, 'x'));
    f.close();
    abre();
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_TRUE(respostas.vistas[0].contains(QStringLiteral("dadope.dat"))) << respostas.vistas[0].toStdString();
    EXPECT_FALSE(janela->iniciou());
}

TEST_F(Principal, SemPerfilDeOperadorIniciaVazio) {
    QFile::remove(arquivoDados("dadope.dat"));
    abre();
    EXPECT_TRUE(respostas.vistas.isEmpty());
    EXPECT_TRUE(janela->iniciou());
    EXPECT_EQ(G().Operador, (Faixa<QString, 0, 6>{}));
}

TEST_F(Principal, VoltaJanelaLogoAposIniciar) {
    abre();
    VoltaJanela();
    EXPECT_EQ(JanelaAtiva(), nullptr);
    EXPECT_EQ(titulo(), QStringLiteral("Quellora - Seleção de ventiladores"));
    Inicio();
    EXPECT_EQ(JanelaAtiva(), nullptr);
}

TEST_F(Principal, Navegacao) {
    abre();
    QWidget *operador = JanelaNumero(JAN_OPERADOR);
    QWidget *curva = JanelaNumero(JAN_CURVA);

    controle<QPushButton>("btOperador")->click();
    EXPECT_EQ(JanelaAtiva(), operador);
    EXPECT_TRUE(operador->isVisible());
    EXPECT_EQ(JanelaAnterior(), nullptr);
    EXPECT_EQ(titulo(), QStringLiteral("Operador"));
    EXPECT_EQ(operador->geometry(), janela->painel()->rect());

    TextoStatus(QStringLiteral("algo"));
    MostraJanela(JAN_CURVA);
    EXPECT_EQ(JanelaAtiva(), curva);
    EXPECT_FALSE(operador->isVisible());
    EXPECT_EQ(JanelaAnterior(), operador);
    EXPECT_EQ(titulo(), QStringLiteral("Curva"));
    EXPECT_EQ(janela->barraStatus()->texto(0), QString()); // cleared by navigation

    VoltaJanela();
    EXPECT_EQ(JanelaAtiva(), operador);
    EXPECT_FALSE(curva->isVisible());
    EXPECT_EQ(JanelaAnterior(), nullptr);
    EXPECT_EQ(titulo(), QStringLiteral("Operador"));

    // No previous window left: back to the main panel.
    VoltaJanela();
    EXPECT_EQ(JanelaAtiva(), nullptr);
    EXPECT_FALSE(operador->isVisible());
    EXPECT_EQ(titulo(), QStringLiteral("Quellora - Seleção de ventiladores"));

    // A number without a window only hides the current one.
    MostraJanela(JAN_MOTOR);
    MostraJanela(99);
    EXPECT_EQ(JanelaAtiva(), nullptr);
    EXPECT_EQ(JanelaAnterior(), JanelaNumero(JAN_MOTOR));
    EXPECT_EQ(titulo(), QStringLiteral("Quellora - Seleção de ventiladores"));

    // Inicio keeps the remembered window.
    MostraJanela(JAN_ARRANJO);
    Inicio();
    EXPECT_EQ(JanelaAtiva(), nullptr);
    EXPECT_EQ(JanelaAnterior(), JanelaNumero(JAN_MOTOR));

    // Titles of the windows.
    const std::pair<int, const char *> titulos[] = {
        {1, "Operador"}, {2, "Dados"},  {3, "Cálculos"}, {4, "Curva"},   {5, "Arranjo"},
        {6, "Folha de dados"}, {7, "Configuração"}, {8, "Posição"}, {9, "Posição"}, {10, "Motor"},
        {11, "Abrir/Excluir propostas"}, {12, "Posição"}, {13, "Posição"}, {14, "Posição"}, {15, "Posição"},
        {16, "Posição"}};
    for (const auto &[n, t] : titulos) {
        MostraJanela(n);
        EXPECT_EQ(JanelaAtiva(), JanelaNumero(n)) << n;
        EXPECT_EQ(titulo(), QString::fromUtf8(t)) << n;
    }
}

TEST_F(Principal, JanelaFilhaAcompanhaOPainel) {
    abre();
    MostraJanela(JAN_OPERADOR);
    janela->resize(janela->width() + 120, janela->height() + 80);
    QApplication::processEvents();
    EXPECT_EQ(JanelaAtiva()->geometry(), janela->painel()->rect());
}

TEST_F(Principal, AbrirComTrabalhoNaoSalvoPerguntaECancelarAindaAbre) {
    abre();
    algumTrabalho();
    respostas.responde(ID_CANCEL);
    controle<QToolButton>("SpeedButton1")->click();
    ASSERT_EQ(respostas.vistas.size(), 1);
    EXPECT_EQ(respostas.vistas[0], Pergunta);
    EXPECT_EQ(respostas.estilos[0], MB_SIMNAOCANCEL_EXCLAMACAO);
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_ABRIR));
    EXPECT_TRUE(G().Alterado);
    EXPECT_EQ(G().NumItens, 1);
}

TEST_F(Principal, AbrirSemAlteracoesNaoPergunta) {
    abre();
    controle<QPushButton>("btAbrit")->click();
    EXPECT_TRUE(respostas.vistas.isEmpty());
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_ABRIR));
}

TEST_F(Principal, NovoComTrabalhoNaoSalvo) {
    abre();
    algumTrabalho();
    auto *novo = controle<QToolButton>("SpeedButton4");

    // Cancel: nothing changes.
    respostas.responde(ID_CANCEL);
    novo->click();
    EXPECT_EQ(respostas.vistas, QStringList{Pergunta});
    EXPECT_EQ(G().NumItens, 1);
    EXPECT_EQ(G().Itens[1].RefTag, QStringLiteral("V-01"));
    EXPECT_TRUE(G().Alterado);
    EXPECT_TRUE(controle<QToolButton>("btSave")->isEnabled());
    EXPECT_EQ(JanelaAtiva(), nullptr);

    // No: a new, empty quotation in the data entry window.
    G().Operador[0] = QStringLiteral("Fulano");
    respostas.responde(ID_NAO);
    novo->click();
    EXPECT_EQ(respostas.vistas.size(), 2);
    EXPECT_EQ(G().NumItens, 0);
    EXPECT_EQ(G().Itens[1].RefTag, QString());
    EXPECT_FALSE(G().Alterado);
    EXPECT_FALSE(controle<QToolButton>("btSave")->isEnabled());
    EXPECT_EQ(G().Orcamento.OperadorOrc[0], QStringLiteral("Fulano"));
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_DADOS));
}

TEST_F(Principal, NovoComSimSalvaAntes) {
    abre();
    algumTrabalho();
    int salvou = 0;
    DefineSalvaOrcamento([&] {
        ++salvou;
        return int(ID_SIM);
    });
    respostas.responde(ID_SIM);
    controle<QToolButton>("SpeedButton4")->click();
    EXPECT_EQ(salvou, 1);
    EXPECT_EQ(G().NumItens, 0);
    EXPECT_EQ(JanelaAtiva(), JanelaNumero(JAN_DADOS));
}

TEST_F(Principal, SalvarCanceladoNaoFingeSucesso) {
    abre();
    algumTrabalho();
    auto cancela = [](QDialog *d) { d->findChild<QPushButton *>(QStringLiteral("btCancel"))->click(); };
    // Save button: the save dialog, cancelled; the work stays unsaved.
    QString dialogo;
    noProximoDialogo(cancela, &dialogo);
    controle<QToolButton>("btSave")->click();
    EXPECT_EQ(dialogo, QStringLiteral("TfrmSave"));
    EXPECT_TRUE(respostas.vistas.isEmpty());
    EXPECT_TRUE(G().Alterado);
    EXPECT_TRUE(controle<QToolButton>("btSave")->isEnabled());
    // New answered Yes: the save is cancelled, so New is cancelled too.
    respostas.responde(ID_SIM);
    noProximoDialogo(cancela);
    controle<QToolButton>("SpeedButton4")->click();
    EXPECT_EQ(G().Itens[1].RefTag, QStringLiteral("V-01"));
    EXPECT_TRUE(G().Alterado);
    EXPECT_EQ(JanelaAtiva(), nullptr);
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("projetos"))).entryList(QDir::Files).isEmpty());
}

TEST_F(Principal, SalvarComOperacaoInstalada) {
    abre();
    algumTrabalho();
    int r = ID_CANCEL;
    DefineSalvaOrcamento([&] { return r; });
    controle<QToolButton>("btSave")->click();
    EXPECT_TRUE(G().Alterado); // cancelled in the save dialog
    r = ID_SIM;
    controle<QToolButton>("btSave")->click();
    EXPECT_FALSE(G().Alterado);
    EXPECT_FALSE(controle<QToolButton>("btSave")->isEnabled());
}

TEST_F(Principal, SetAlteradoHabilitaSalvar) {
    abre();
    auto *salvar = controle<QToolButton>("btSave");
    SetAlterado(true);
    EXPECT_TRUE(salvar->isEnabled());
    EXPECT_TRUE(G().Alterado);
    SetAlterado(false);
    EXPECT_FALSE(salvar->isEnabled());
    EXPECT_FALSE(G().Alterado);
}

TEST_F(Principal, FecharSemAlteracoesNaoPergunta) {
    abre();
    MostraJanela(JAN_OPERADOR);
    EXPECT_TRUE(janela->close());
    EXPECT_TRUE(respostas.vistas.isEmpty());
    EXPECT_EQ(JanelaAtiva(), nullptr);
}

TEST_F(Principal, FecharComAlteracoes) {
    abre();
    algumTrabalho();
    int salvou = 0;
    DefineSalvaOrcamento([&] {
        ++salvou;
        return int(ID_SIM);
    });
    // Cancel keeps the program open.
    respostas.responde(ID_CANCEL);
    EXPECT_FALSE(janela->close());
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(respostas.vistas, QStringList{Pergunta});
    // No closes without saving.
    respostas.responde(ID_NAO);
    EXPECT_TRUE(janela->close());
    EXPECT_EQ(salvou, 0);
    EXPECT_FALSE(janela->isVisible());
}

TEST_F(Principal, FecharComSimSalva) {
    abre();
    algumTrabalho();
    int salvou = 0;
    int r = ID_CANCEL;
    DefineSalvaOrcamento([&] {
        ++salvou;
        return r;
    });
    respostas.responde(ID_SIM);
    EXPECT_FALSE(janela->close()); // the save dialog was cancelled
    respostas.responde(ID_SIM);
    r = ID_SIM;
    EXPECT_TRUE(janela->close());
    EXPECT_EQ(salvou, 2);
}

TEST_F(Principal, AjudaPorContexto) {
    abre();
    controle<QPushButton>("btInstrucoes")->click();
    tecla(controle<QPushButton>("btAbrit"), Qt::Key_F1);
    MostraJanela(JAN_OPERADOR);
    tecla(JanelaNumero(JAN_OPERADOR)->findChild<QWidget *>(QStringLiteral("edNome")), Qt::Key_F1);
    MostraJanela(JAN_ABRIR);
    tecla(JanelaNumero(JAN_ABRIR), Qt::Key_F1);
    // Dialogs too.
    auto *salvar = qobject_cast<QDialog *>(JanelaClasse("TfrmSave"));
    ASSERT_NE(salvar, nullptr);
    salvar->open();
    tecla(salvar, Qt::Key_F1);
    salvar->reject();
    EXPECT_EQ(ajudas, (std::vector<int>{210, 100, 200, 250, 160}));
}

TEST_F(Principal, JanelaDeAjudaAbreNoContexto) {
    abre();
    DefineMostradorAjuda(nullptr);
    MostraAjuda(AJUDA_OPERADOR);
    JanelaAjuda *a = JanelaAjudaAberta();
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(a->navegador()->source().fragment(), QStringLiteral("c200"));
    EXPECT_TRUE(a->navegador()->toPlainText().contains(QStringLiteral("Como fazer uma proposta")));
    // Every context the windows use has its place in the help text.
    QStringList ancoras;
    const QTextDocument *doc = a->navegador()->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f)
            ancoras << f.fragment().charFormat().anchorNames();
    for (int c : {100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 210, 220, 230, 240, 250, 260, 270})
        EXPECT_TRUE(ancoras.contains(QStringLiteral("c%1").arg(c))) << c;
    a->close();
}

TEST(Splash, NomeEmDuasCoresEIniciando) {
    Splash s;
    const QImage img = s.grab().toImage();
    ASSERT_EQ(img.size(), QSize(440, 270));
    if (!qEnvironmentVariableIsEmpty("QUELLORA_CAPTURAS"))
        img.save(qEnvironmentVariable("QUELLORA_CAPTURAS") + QStringLiteral("/splash.png"));
    // Both colours of the product name are painted.
    int cinza = 0;
    int azul = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            cinza += c == qRgb(0x82, 0x82, 0x82);
            azul += c == qRgb(0x43, 0x82, 0xFC);
        }
    EXPECT_GT(cinza, 50);
    EXPECT_GT(azul, 50);
}

TEST(DesenhosProntos, IguaisAosDesenhadosNaHora) {
    // The pictures drawn when the program was built are the ones the SVG
    // gives now (a stale or misplaced build step shows here); a size or name
    // that does not match gives none.
    for (const auto &[pronta, svg, tamanho, formato] :
         {std::tuple{":/gerado/logo.argb32", ":/imagens/logo.svg", QSize(300, 75), QImage::Format_ARGB32_Premultiplied},
          {":/gerado/painel.argb32", ":/imagens/painel.svg", QSize(400, 488), QImage::Format_ARGB32_Premultiplied}}) {
        const QImage img = PixelsProntos(QString::fromLatin1(pronta), tamanho, formato);
        ASSERT_FALSE(img.isNull()) << pronta;
        QFile f(QString::fromLatin1(svg));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << svg;
        // Text may come out a shade apart where other tests changed the
        // fonts in use; the drawing is the same.
        const QImage agora = DesenhoSvg(f.readAll(), tamanho).convertToFormat(formato);
        ASSERT_EQ(agora.size(), img.size()) << pronta;
        int diferentes = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                diferentes += img.pixel(x, y) != agora.pixel(x, y);
        EXPECT_LT(diferentes, img.width() * img.height() / 20) << pronta;
        EXPECT_TRUE(PixelsProntos(QString::fromLatin1(pronta), tamanho + QSize(1, 0), formato).isNull()) << pronta;
    }
    EXPECT_TRUE(PixelsProntos(QStringLiteral(":/gerado/nenhum"), QSize(1, 1), QImage::Format_RGB32).isNull());
}

TEST(JanelaFilhaSemPrincipal, ProtocoloDeMostrarEEsconder) {
    // Windows under test on their own: the services remember title and status.
    QWidget painel;
    painel.resize(500, 300);
    JanelaFilha j(QStringLiteral("Teste"), 123, &painel);
    QWidget filho(&j);
    painel.show();
    j.show();
    EXPECT_EQ(JanelaAtiva(), &j);
    EXPECT_EQ(TituloAtual(), QStringLiteral("Teste"));
    EXPECT_EQ(j.geometry(), painel.rect());
    EXPECT_EQ(ContextoAjuda(&filho), 123);
    EXPECT_EQ(ContextoAjuda(&painel), AJUDA_PRINCIPAL);
    TextoStatus(QStringLiteral("x"));
    EXPECT_EQ(TextoStatusAtual(), QStringLiteral("x"));
    j.hide();
    EXPECT_EQ(JanelaAtiva(), nullptr);
    Inicio();
    EXPECT_EQ(TituloAtual(), QStringLiteral("Quellora - Seleção de ventiladores"));
    EXPECT_EQ(TextoStatusAtual(), QString());
}

// "Preferências": a refused number names its field and keeps the dialog open;
// OK writes the file; the next opening shows what was written.
TEST_F(Principal, Preferencias) {
    abre();
    const QString base = QDir(dir.path()).absolutePath() + QLatin1Char('/');
    const QString rede = base + QStringLiteral("rede");
    ASSERT_TRUE(QDir().mkpath(rede));
    QStringList passos;
    auto preenche = [&](QDialog *d) {
        passos << d->windowTitle();
        auto *tarifa = em<QLineEdit>(d, "edTarifa");
        EXPECT_EQ(tarifa->text(), QStringLiteral("0,80"));
        escreve(tarifa, QStringLiteral("abc"));
        clica(d, "btOK");
        EXPECT_TRUE(d->isVisible()) << "a refused value keeps the dialog open";
        escreve(tarifa, QStringLiteral("0,95"));
        escreve(em<QLineEdit>(d, "edHoras"), QStringLiteral("6000"));
        auto *q = em<QComboBox>(d, "cbDiretividade");
        q->setCurrentIndex(q->findData(4));
        // A projects folder that isn't there is refused; one that is, taken.
        auto *pasta = em<QLineEdit>(d, "edPastaProjetos");
        EXPECT_TRUE(pasta->text().isEmpty());
        EXPECT_EQ(pasta->placeholderText(), QDir::toNativeSeparators(base + QStringLiteral("projetos/")));
        escreve(pasta, rede + QStringLiteral("/falta"));
        clica(d, "btOK");
        EXPECT_TRUE(d->isVisible()) << "a missing folder keeps the dialog open";
        escreve(pasta, rede);
        clica(d, "btOK");
    };
    noProximoDialogo(preenche);
    controle<QPushButton>("btPreferencias")->click();
    ASSERT_EQ(passos, QStringList{QStringLiteral("Preferências")});
    ASSERT_EQ(respostas.vistas.size(), 2);
    EXPECT_EQ(respostas.vistas[0],
              QStringLiteral("Tarifa de energia: «abc» não é um número. Informe a tarifa em R$/kWh."));
    EXPECT_EQ(respostas.vistas[1], QStringLiteral("A pasta de projetos «%1/falta» não existe.").arg(rede));
    // Quotations go to the chosen folder from now on.
    EXPECT_EQ(G().DirProjetos, rede + QLatin1Char('/'));

    TPreferencias p;
    ASSERT_TRUE(CarregaPreferencias(dados, p));
    EXPECT_EQ(p.Tarifa, 0.95);
    EXPECT_EQ(p.HorasAno, 6000);
    EXPECT_EQ(p.Diretividade, 4);
    EXPECT_EQ(p.PastaProjetos, rede);

    QString horas, pasta;
    noProximoDialogo([&](QDialog *d) {
        horas = em<QLineEdit>(d, "edHoras")->text();
        pasta = em<QLineEdit>(d, "edPastaProjetos")->text();
        clica(d, "btCancela");
    });
    controle<QPushButton>("btPreferencias")->click();
    EXPECT_EQ(horas, QStringLiteral("6000"));
    EXPECT_EQ(pasta, rede);
}
