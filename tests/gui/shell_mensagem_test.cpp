// The message box itself (no scripted answerer): buttons of each style and
// the results of pressing them.

#include "shell/windows/aplicacao.h"
#include "shell/windows/mensagem.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <stdexcept>

#include <gtest/gtest.h>

using namespace quellora;

namespace {

struct Visto {
    QString titulo;
    QString texto;
    QStringList botoes;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
};

// Shows the box and presses the button with this text once it is up.
int Responde(const QString &texto, int estilo, const QString &botao, Visto &visto) {
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        visto.titulo = box->windowTitle();
        visto.texto = box->text();
        visto.icone = box->icon();
        for (QAbstractButton *b : box->buttons())
            visto.botoes << b->text();
        for (QAbstractButton *b : box->buttons())
            if (b->text() == botao) {
                b->click();
                return;
            }
        box->reject();
    });
    return Mensagem(texto, estilo);
}

} // namespace

TEST(Mensagem, EstilosEResultados) {
    ASSERT_FALSE(TemRespondedor());
    struct Caso {
        int estilo;
        const char *botao;
        int resultado;
        QStringList botoes;
    };
    const Caso casos[] = {
        {MB_OK_EXCLAMACAO, "OK", ID_OK, {QStringLiteral("OK")}},
        {MB_OKCANCEL_EXCLAMACAO, "OK", ID_OK, {QStringLiteral("OK"), QStringLiteral("Cancelar")}},
        {MB_OKCANCEL_EXCLAMACAO, "Cancelar", ID_CANCEL, {QStringLiteral("OK"), QStringLiteral("Cancelar")}},
        {MB_SIMNAOCANCEL_EXCLAMACAO, "&Sim", ID_SIM,
         {QStringLiteral("&Sim"), QStringLiteral("&Não"), QStringLiteral("Cancelar")}},
        {MB_SIMNAOCANCEL_EXCLAMACAO, "&Não", ID_NAO,
         {QStringLiteral("&Sim"), QStringLiteral("&Não"), QStringLiteral("Cancelar")}},
        {MB_SIMNAOCANCEL_EXCLAMACAO, "Cancelar", ID_CANCEL,
         {QStringLiteral("&Sim"), QStringLiteral("&Não"), QStringLiteral("Cancelar")}},
        {MB_SIMNAO_EXCLAMACAO, "&Não", ID_NAO, {QStringLiteral("&Sim"), QStringLiteral("&Não")}},
    };
    for (const Caso &c : casos) {
        Visto v;
        const int r = Responde(QStringLiteral("Pergunta?"), c.estilo, QString::fromUtf8(c.botao), v);
        EXPECT_EQ(r, c.resultado) << c.estilo << " " << c.botao;
        EXPECT_EQ(v.titulo, QStringLiteral("Seleção de Ventiladores-Clientes"));
        EXPECT_EQ(v.texto, QStringLiteral("Pergunta?"));
        EXPECT_EQ(v.icone, QMessageBox::Warning);
        QStringList esperados = c.botoes;
        QStringList vistos = v.botoes;
        esperados.sort();
        vistos.sort();
        EXPECT_EQ(vistos, esperados) << c.estilo;
    }
    Visto erro;
    Responde(QStringLiteral("Falhou."), MB_ERRO, QStringLiteral("OK"), erro);
    EXPECT_EQ(erro.titulo, QStringLiteral("Erro"));
    EXPECT_EQ(erro.icone, QMessageBox::Critical);
}

TEST(Mensagem, RespondedorSoDevolveResultadosValidos) {
    DefineRespondedor([](const QString &, int) { return 42; });
    EXPECT_EQ(Mensagem(QStringLiteral("x"), MB_SIMNAO_EXCLAMACAO), ID_OK);
    DefineRespondedor([](const QString &, int) { return int(ID_NAO); });
    EXPECT_EQ(Mensagem(QStringLiteral("x"), MB_SIMNAO_EXCLAMACAO), ID_NAO);
    DefineRespondedor(nullptr);
}

TEST(Mensagem, ErroQueEscapaDeUmEventoEMostrado) {
    QStringList vistas;
    std::vector<int> estilos;
    DefineRespondedor([&](const QString &t, int e) {
        vistas << t;
        estilos.push_back(e);
        return int(ID_OK);
    });
    EXPECT_FALSE(ExecutaProtegido([]() -> bool { throw std::runtime_error("Erro de leitura em \"x.dat\"."); }));
    EXPECT_FALSE(ExecutaProtegido([]() -> bool { throw 3; }));
    EXPECT_TRUE(ExecutaProtegido([] { return true; }));
    DefineRespondedor(nullptr);
    EXPECT_EQ(vistas, (QStringList{QStringLiteral("Erro de leitura em \"x.dat\"."), QStringLiteral("Erro inesperado.")}));
    EXPECT_EQ(estilos, (std::vector<int>{MB_ERRO, MB_ERRO}));
}
