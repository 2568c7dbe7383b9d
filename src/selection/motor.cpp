#include "selection/motor.h"

namespace quellora {

const QString MsgDahlander =
    QStringLiteral("Motores Dahlander somente estão disponíveis nas versões 2/4 polos e \r\n4/8 polos.\r\n"
                   "Para este item, sugerido motor com maior polaridade.\r\n"
                   "Verifique dimensional da transmissão (polias) antes de optar por uma \r\ndas versões acima.");
const QString MsgForaDaLinha =
    QStringLiteral("Este motor não faz parte da linha normal do fabricante.\r\nFavor consultar a fabrica");
const QString MsgMinimoAPE =
    QStringLiteral("Para este tipo de proteção existem apenas motores com potência igual ou superior a 0,37 kW\r\n"
                   "Selecione a opção todos, escolha um motor com potência >=0,37 só então selecione APE.");

QStringList ListaProtecoes() {
    return {QStringLiteral("IP55"), QStringLiteral("APE"), QStringLiteral("Alto Rendimento"),
            QStringLiteral("DAHLANDER")};
}

QStringList ListaFrequencias() { return {QStringLiteral("60 Hz"), QStringLiteral("50 Hz")}; }

QStringList ListaMarcas() {
    return {QStringLiteral("A DEFINIR"), QStringLiteral("WEG"), QStringLiteral("EBERLE"), QStringLiteral("KOLBACH")};
}

QStringList ListaSugestao() { return {QStringLiteral("Sugestão"), QStringLiteral("Todos")}; }

QStringList ListaTensoes(int protecao, int frequencia) {
    if (protecao == PROT_DAHLANDER)
        return {QStringLiteral("3F 220"), QStringLiteral("3F 380"), QStringLiteral("3F 440")};
    QStringList t{QStringLiteral("3F 220/380")};
    if (frequencia == FREQ_60) {
        t << QStringLiteral("3F 380/660") << QStringLiteral("3F 440");
        if (protecao == PROT_IP55)
            t << QStringLiteral("1F 110") << QStringLiteral("1F 220");
    }
    return t;
}

QStringList ListaPolos(int protecao) {
    if (protecao == PROT_DAHLANDER)
        return {QStringLiteral("2/4"), QStringLiteral("4/8")};
    return {QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("8")};
}

int ColunasPolos(int protecao) { return protecao == PROT_DAHLANDER ? 2 : 4; }

bool DahlanderSugerido(int polosSug) { return polosSug < 3; }

int GrupoDoMotor(int protecao, int frequencia, int tensao) {
    if (protecao != PROT_IP55)
        return frequencia != FREQ_60 ? -1 : protecao + 2;
    if (frequencia != FREQ_60)
        return tensao < 2 ? 2 : -1;
    return tensao < 3 ? 0 : 1;
}

int LinhaSugerida(const Faixa<TDadosMotor, 1, 35> &motores, double potencia) {
    for (int m = 1; m <= 35; ++m)
        if (motores[m].Potencia >= potencia)
            return m;
    return -1;
}

double FatorServico(double potencia, double requerida) { return requerida > 0 ? potencia / requerida : 0.0; }

bool PotenciaAdmiteAPE(double potencia) { return !(potencia < 0.369); }

int PolosDoMotor(bool direto, int polosSug, int escolha) { return direto ? 2 * polosSug : 2 * escolha + 2; }

void GravaMotor(TItemOrc &it, const TEscolhaMotor &e) {
    it.ComMotor = true;
    it.SemMotor = false;
    it.RegMotor = e.RegMotor;
    it.Polos = e.Polos;
    it.PwOp = e.PwOp;
    it.PwSt = e.PwSt;
    it.Tensao = e.Tensao.left(12);
    it.Frequencia = e.Frequencia.left(5);
    it.ObsMotor = e.ObsMotor.left(50);
    it.Marca = e.Marca.left(10);
    it.SoSugestao = e.SoSugestao;
    it.Protecao = e.Protecao == PROT_DAHLANDER ? QStringLiteral("DAHL") : e.TextoProtecao.left(9);
    it.PotMotor = e.PotMotor;
    it.RotMotor = e.RotMotor;
    it.Carcaca = e.Carcaca.left(6);
    it.MotorEspecial = e.Especial;
    // No motor price record is chosen here; the group tells the price
    // update which block of the price file holds the motor.
    it.RegPrecoMotor = 255;
    it.GrupoMotor = static_cast<std::int8_t>(e.GrupoMotor);
}

void GravaSemMotor(TItemOrc &it) {
    // No motor is supplied: none is priced.
    it.PrecoListaMotor = 0;
    it.PrecoMotor = 0;
    it.ComMotor = true;
    it.SemMotor = true;
}

} // namespace quellora
