#include "catalogue/fonte.h"

#include "catalogue/arquivos.h"
#include "catalogue/catalogo.h"
#include "catalogue/constantes.h"
#include "catalogue/energia.h"
#include "catalogue/tipos.h"

#include <QFile>

#include <stdexcept>
#include <string>
#include <vector>

using nlohmann::json;

namespace quellora {

namespace {

// Source errors carry the JSON path of the offending value.
struct ErroFonte : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Falha(const std::string &onde, const std::string &o_que) {
    throw ErroFonte(onde + ": " + o_que);
}

const json &Campo(const json &obj, const char *nome, const std::string &onde) {
    if (!obj.is_object())
        Falha(onde, "esperado um objeto");
    auto it = obj.find(nome);
    if (it == obj.end())
        Falha(onde, std::string("falta o campo \"") + nome + "\"");
    return *it;
}

double Num(const json &v, const std::string &onde) {
    if (!v.is_number())
        Falha(onde, "esperado um número");
    return v.get<double>();
}

std::int64_t Int(const json &v, const std::string &onde, std::int64_t min, std::int64_t max) {
    if (!v.is_number_integer())
        Falha(onde, "esperado um número inteiro");
    auto i = v.get<std::int64_t>();
    if (i < min || i > max)
        Falha(onde, "valor fora da faixa " + std::to_string(min) + ".." + std::to_string(max));
    return i;
}

bool Bool(const json &v, const std::string &onde) {
    if (v.is_boolean())
        return v.get<bool>();
    if (v.is_number_integer())
        return v.get<std::int64_t>() != 0;
    Falha(onde, "esperado true/false");
}

QString Texto(const json &v, const std::string &onde, int capacidade) {
    if (!v.is_string())
        Falha(onde, "esperado um texto");
    QString s = QString::fromStdString(v.get<std::string>());
    if (ParaWin1252(s).size() > capacidade)
        Falha(onde, "texto com mais de " + std::to_string(capacidade) + " caracteres");
    return s;
}

std::string Txt(const QString &s) { return s.toStdString(); }

template <class T, int Lo, int Hi, class F>
void Lista(const json &v, const std::string &onde, Faixa<T, Lo, Hi> &destino, F conv) {
    if (!v.is_array() || static_cast<int>(v.size()) != destino.Quantos)
        Falha(onde, "esperada uma lista de " + std::to_string(destino.Quantos) + " valores");
    for (int i = Lo; i <= Hi; ++i)
        destino[i] = conv(v[static_cast<std::size_t>(i - Lo)], onde + "[" + std::to_string(i - Lo) + "]");
}

template <class T, int Lo, int Hi>
json ParaLista(const Faixa<T, Lo, Hi> &a) {
    json j = json::array();
    for (int i = Lo; i <= Hi; ++i)
        j.push_back(a[i]);
    return j;
}

auto ConvNum = [](const json &v, const std::string &o) { return Num(v, o); };
auto ConvBool = [](const json &v, const std::string &o) { return Bool(v, o); };
auto ConvInt = [](const json &v, const std::string &o) {
    return static_cast<std::int32_t>(Int(v, o, INT32_MIN, INT32_MAX));
};

// --- Fan lines ------------------------------------------------------------

TDadosModelo ModeloDeJson(const json &j, const std::string &onde) {
    TDadosModelo m;
    m.TemDados = Bool(Campo(j, "TemDados", onde), onde + ".TemDados");
    m.Codigo = Texto(Campo(j, "Codigo", onde), onde + ".Codigo", 7);
    m.Entradas = ConvInt(Campo(j, "Entradas", onde), onde + ".Entradas");
    m.DiamRef = ConvInt(Campo(j, "DiamRef", onde), onde + ".DiamRef");
    m.RotRef = ConvInt(Campo(j, "RotRef", onde), onde + ".RotRef");
    Lista(Campo(j, "Existe", onde), onde + ".Existe", m.Existe, ConvBool);
    Lista(Campo(j, "AreaDescarga", onde), onde + ".AreaDescarga", m.AreaDescarga, ConvNum);
    Lista(Campo(j, "FatorRot", onde), onde + ".FatorRot", m.FatorRot, ConvNum);
    Lista(Campo(j, "CorrRend", onde), onde + ".CorrRend", m.CorrRend, ConvNum);
    Lista(Campo(j, "VelMax", onde), onde + ".VelMax", m.VelMax, ConvInt);
    Lista(Campo(j, "CurvaVazao", onde), onde + ".CurvaVazao", m.CurvaVazao, ConvNum);
    Lista(Campo(j, "CurvaPressao", onde), onde + ".CurvaPressao", m.CurvaPressao, ConvNum);
    Lista(Campo(j, "CurvaRend", onde), onde + ".CurvaRend", m.CurvaRend, ConvNum);
    m.XMax = Num(Campo(j, "XMax", onde), onde + ".XMax");
    m.XMin = Num(Campo(j, "XMin", onde), onde + ".XMin");
    m.VelPerifMin = ConvInt(Campo(j, "VelPerifMin", onde), onde + ".VelPerifMin");
    Lista(Campo(j, "PolVazao", onde), onde + ".PolVazao", m.PolVazao, ConvNum);
    Lista(Campo(j, "PolRend", onde), onde + ".PolRend", m.PolRend, ConvNum);
    Lista(Campo(j, "PolSom", onde), onde + ".PolSom", m.PolSom, ConvNum);

    const json &arr = Campo(j, "ArranjoModelo", onde);
    Lista(arr, onde + ".ArranjoModelo", m.ArranjoModelo, [](const json &a, const std::string &o) {
        TArranjoModelo r;
        r.Disponivel = Bool(Campo(a, "Disponivel", o), o + ".Disponivel");
        Lista(Campo(a, "RotMaxTam", o), o + ".RotMaxTam", r.RotMaxTam, ConvInt);
        return r;
    });
    Lista(Campo(j, "Espectro", onde), onde + ".Espectro", m.Espectro, [](const json &e, const std::string &o) {
        TFaixaEspectro r;
        r.RotLimite = Num(Campo(e, "RotLimite", o), o + ".RotLimite");
        Lista(Campo(e, "Banda", o), o + ".Banda", r.Banda, ConvNum);
        r.DifLw = Num(Campo(e, "DifLw", o), o + ".DifLw");
        r.CorrLwA = Num(Campo(e, "CorrLwA", o), o + ".CorrLwA");
        return r;
    });
    Lista(Campo(j, "AcessArranjo", onde), onde + ".AcessArranjo", m.AcessArranjo,
          [](const json &v, const std::string &o) {
              Faixa<bool, 1, 45> lin;
              if (v.is_string()) {
                  const auto s = v.get<std::string>();
                  if (s != "todos" && s != "nenhum")
                      Falha(o, "esperado \"todos\", \"nenhum\" ou 45 valores");
                  for (int c = 1; c <= 45; ++c)
                      lin[c] = s == "todos";
              } else {
                  Lista(v, o, lin, ConvBool);
              }
              return lin;
          });
    m.DescModelo = Texto(Campo(j, "DescModelo", onde), onde + ".DescModelo", 20);
    m.PotLimite = static_cast<std::int8_t>(Int(Campo(j, "PotLimite", onde), onde + ".PotLimite", -128, 127));
    m.MargemAcima = static_cast<std::int8_t>(Int(Campo(j, "MargemAcima", onde), onde + ".MargemAcima", -128, 127));
    m.MargemAbaixo = static_cast<std::int8_t>(Int(Campo(j, "MargemAbaixo", onde), onde + ".MargemAbaixo", -128, 127));
    m.RendRef = Num(Campo(j, "RendRef", onde), onde + ".RendRef");
    return m;
}

json ModeloParaJson(const TDadosModelo &m) {
    json j;
    j["TemDados"] = m.TemDados;
    j["Codigo"] = Txt(m.Codigo);
    j["DescModelo"] = Txt(m.DescModelo);
    j["Entradas"] = m.Entradas;
    j["DiamRef"] = m.DiamRef;
    j["RotRef"] = m.RotRef;
    j["Existe"] = ParaLista(m.Existe);
    j["AreaDescarga"] = ParaLista(m.AreaDescarga);
    j["FatorRot"] = ParaLista(m.FatorRot);
    j["CorrRend"] = ParaLista(m.CorrRend);
    j["VelMax"] = ParaLista(m.VelMax);
    j["CurvaVazao"] = ParaLista(m.CurvaVazao);
    j["CurvaPressao"] = ParaLista(m.CurvaPressao);
    j["CurvaRend"] = ParaLista(m.CurvaRend);
    j["XMax"] = m.XMax;
    j["XMin"] = m.XMin;
    j["VelPerifMin"] = m.VelPerifMin;
    j["PolVazao"] = ParaLista(m.PolVazao);
    j["PolRend"] = ParaLista(m.PolRend);
    j["PolSom"] = ParaLista(m.PolSom);
    json arr = json::array();
    for (int k = 1; k <= 8; ++k)
        arr.push_back({{"Disponivel", m.ArranjoModelo[k].Disponivel}, {"RotMaxTam", ParaLista(m.ArranjoModelo[k].RotMaxTam)}});
    j["ArranjoModelo"] = arr;
    json esp = json::array();
    for (int r = 1; r <= 69; ++r) {
        const auto &e = m.Espectro[r];
        esp.push_back({{"RotLimite", e.RotLimite}, {"Banda", ParaLista(e.Banda)}, {"DifLw", e.DifLw}, {"CorrLwA", e.CorrLwA}});
    }
    j["Espectro"] = esp;
    json ace = json::array();
    for (int k = 1; k <= 8; ++k)
        ace.push_back(ParaLista(m.AcessArranjo[k]));
    j["AcessArranjo"] = ace;
    j["PotLimite"] = m.PotLimite;
    j["MargemAcima"] = m.MargemAcima;
    j["MargemAbaixo"] = m.MargemAbaixo;
    j["RendRef"] = m.RendRef;
    return j;
}

// --- Small records ----------------------------------------------------------

TDenominacao DenominacaoDeJson(const json &j, const std::string &onde) {
    TDenominacao d;
    d.Familia = Texto(Campo(j, "Familia", onde), onde + ".Familia", 8);
    d.TextoFamilia = Texto(Campo(j, "TextoFamilia", onde), onde + ".TextoFamilia", 60);
    return d;
}

TDadosMotor MotorDeJson(const json &j, const std::string &onde) {
    TDadosMotor m;
    m.Potencia = Num(Campo(j, "Potencia", onde), onde + ".Potencia");
    Lista(Campo(j, "PoloMotor", onde), onde + ".PoloMotor", m.PoloMotor, [](const json &p, const std::string &o) {
        TPoloMotor r;
        r.Carcaca = Texto(Campo(p, "Carcaca", o), o + ".Carcaca", 11);
        r.RotacaoMotor = ConvInt(Campo(p, "RotacaoMotor", o), o + ".RotacaoMotor");
        return r;
    });
    return m;
}

json MotorParaJson(const TDadosMotor &m) {
    json polos = json::array();
    for (int p = 1; p <= 4; ++p)
        polos.push_back({{"Carcaca", Txt(m.PoloMotor[p].Carcaca)}, {"RotacaoMotor", m.PoloMotor[p].RotacaoMotor}});
    return {{"Potencia", m.Potencia}, {"PoloMotor", polos}};
}

TAcessorio AcessorioDeJson(const json &j, const std::string &onde) {
    TAcessorio a;
    a.CodAcessorio = Texto(Campo(j, "CodAcessorio", onde), onde + ".CodAcessorio", 4);
    a.NomeAcessorio = Texto(Campo(j, "NomeAcessorio", onde), onde + ".NomeAcessorio", 25);
    return a;
}

TFatores FatoresDeJson(const json &j, const std::string &onde) {
    TFatores f;
    f.ICMSPadrao = static_cast<std::int32_t>(Int(Campo(j, "ICMSPadrao", onde), onde + ".ICMSPadrao", 0, 3));
    Lista(Campo(j, "AliquotaICMS", onde), onde + ".AliquotaICMS", f.AliquotaICMS, ConvNum);
    Lista(Campo(j, "FatorVent", onde), onde + ".FatorVent", f.FatorVent, ConvNum);
    Lista(Campo(j, "FatorMotor", onde), onde + ".FatorMotor", f.FatorMotor, ConvNum);
    f.Pagamento = Texto(Campo(j, "Pagamento", onde), onde + ".Pagamento", 80);
    f.Frete = Texto(Campo(j, "Frete", onde), onde + ".Frete", 59);
    f.Validade = static_cast<std::uint8_t>(Int(Campo(j, "Validade", onde), onde + ".Validade", 0, 255));
    f.IPI = ConvInt(Campo(j, "IPI", onde), onde + ".IPI");
    f.Embalagem = ConvInt(Campo(j, "Embalagem", onde), onde + ".Embalagem");
    f.Entrega = ConvInt(Campo(j, "Entrega", onde), onde + ".Entrega");
    return f;
}

json FatoresParaJson(const TFatores &f) {
    return {{"ICMSPadrao", f.ICMSPadrao}, {"AliquotaICMS", ParaLista(f.AliquotaICMS)},
            {"FatorVent", ParaLista(f.FatorVent)}, {"FatorMotor", ParaLista(f.FatorMotor)},
            {"Pagamento", Txt(f.Pagamento)}, {"Frete", Txt(f.Frete)},
            {"Validade", f.Validade}, {"IPI", f.IPI}, {"Embalagem", f.Embalagem}, {"Entrega", f.Entrega}};
}

// --- Prices ---------------------------------------------------------------

TPrecoMotores PrecoMotoresDeJson(const json &j, const std::string &onde) {
    TPrecoMotores p;
    const json &lin = Campo(j, "Preco", onde);
    if (!lin.is_array() || lin.size() > 35)
        Falha(onde + ".Preco", "esperada uma lista de até 35 motores");
    for (std::size_t m = 0; m < lin.size(); ++m)
        Lista(lin[m], onde + ".Preco[" + std::to_string(m) + "]", p.Preco[static_cast<int>(m) + 1], ConvNum);
    return p;
}

json PrecoMotoresParaJson(const TPrecoMotores &p) {
    int ultimo = 35;
    while (ultimo > 0 && p.Preco[ultimo] == Faixa<double, 1, 4>{})
        --ultimo;
    json lin = json::array();
    for (int m = 1; m <= ultimo; ++m)
        lin.push_back(ParaLista(p.Preco[m]));
    return {{"Preco", lin}};
}

// A line's price record. Canonical form: "Arranjos", 8 blocks of
// {"PrecoVent": [23], "PrecoAcess": [23 x [45]]}. Short form:
//   "PrecoVent": {"1": [23], "4": [23], ...}   by arrangement designation
//   "PrecoAcess": {"BU": [23], ...}            by accessory code, the same
//                                              in every arrangement
// Prices not given are zero.
TPrecoModelo PrecoModeloDeJson(const json &j, const std::string &onde, const Faixa<TAcessorio, 1, 45> &acessorios) {
    TPrecoModelo p;
    if (j.contains("Arranjos")) {
        Lista(j["Arranjos"], onde + ".Arranjos", p.Arranjo, [](const json &b, const std::string &o) {
            TPrecoModelo::Bloco bl;
            Lista(Campo(b, "PrecoVent", o), o + ".PrecoVent", bl.PrecoVent, ConvNum);
            Lista(Campo(b, "PrecoAcess", o), o + ".PrecoAcess", bl.PrecoAcess,
                  [](const json &v, const std::string &oo) {
                      Faixa<double, 1, 45> lin;
                      Lista(v, oo, lin, ConvNum);
                      return lin;
                  });
            return bl;
        });
        return p;
    }
    if (j.contains("PrecoVent")) {
        const json &pv = j["PrecoVent"];
        if (!pv.is_object())
            Falha(onde + ".PrecoVent", "esperado um objeto por arranjo");
        for (auto it = pv.begin(); it != pv.end(); ++it) {
            const int k = IndiceDoArranjo(QString::fromStdString(it.key()));
            if (k < 1)
                Falha(onde + ".PrecoVent", "arranjo desconhecido \"" + it.key() + "\"");
            Lista(it.value(), onde + ".PrecoVent." + it.key(), p.Arranjo[k].PrecoVent, ConvNum);
        }
    }
    if (j.contains("PrecoAcess")) {
        const json &pa = j["PrecoAcess"];
        if (!pa.is_object())
            Falha(onde + ".PrecoAcess", "esperado um objeto por código de acessório");
        for (auto it = pa.begin(); it != pa.end(); ++it) {
            int c = 0;
            for (int i = 1; i <= 45 && !c; ++i)
                if (acessorios[i].CodAcessorio == QString::fromStdString(it.key()))
                    c = i;
            if (!c)
                Falha(onde + ".PrecoAcess", "acessório desconhecido \"" + it.key() + "\"");
            Faixa<double, 1, 23> porTam;
            Lista(it.value(), onde + ".PrecoAcess." + it.key(), porTam, ConvNum);
            for (int k = 1; k <= 8; ++k)
                for (int i = 1; i <= 23; ++i)
                    p.Arranjo[k].PrecoAcess[i][c] = porTam[i];
        }
    }
    return p;
}

json PrecoModeloParaJson(const TPrecoModelo &p) {
    json arr = json::array();
    for (int k = 1; k <= 8; ++k) {
        json acess = json::array();
        for (int i = 1; i <= 23; ++i)
            acess.push_back(ParaLista(p.Arranjo[k].PrecoAcess[i]));
        arr.push_back({{"PrecoVent", ParaLista(p.Arranjo[k].PrecoVent)}, {"PrecoAcess", acess}});
    }
    return {{"Arranjos", arr}};
}

const json &ListaDe(const json &fonte, const char *nome, std::size_t max) {
    const json &v = Campo(fonte, nome, "catalogo");
    if (!v.is_array() || v.size() > max)
        Falha(std::string("catalogo.") + nome, "esperada uma lista de até " + std::to_string(max) + " registros");
    return v;
}

template <class T>
void Acrescenta(QByteArray &arq, const T &r) {
    arq += ParaBytes(r);
}

// --- Energy data ------------------------------------------------------------
// "rendimento_motores": the IE3 table, one entry per rated power; each line's
// "TipoUE" and "CategoriaUE" (both or neither). Without the table no line
// may have a type, and no energy file is written.

TLinhaEnergia LinhaEnergiaDeJson(const json &j, const std::string &onde, const QString &codigo) {
    TLinhaEnergia l;
    l.Codigo = codigo;
    const bool tipo = j.contains("TipoUE"), categoria = j.contains("CategoriaUE");
    if (tipo != categoria)
        Falha(onde, "\"TipoUE\" e \"CategoriaUE\" vêm juntos");
    if (!tipo)
        return l;
    const QString t = Texto(j["TipoUE"], onde + ".TipoUE", 40);
    if (!TipoUEDeCodigo(t, l.Tipo))
        Falha(onde + ".TipoUE", "tipo desconhecido (axial, centrifugo-frente, centrifugo-radial, centrifugo-tras, "
                                "centrifugo-aerofolio)");
    const QString c = Texto(j["CategoriaUE"], onde + ".CategoriaUE", 1);
    if (c.size() != 1 || c[0] < QLatin1Char('A') || c[0] > QLatin1Char('D'))
        Falha(onde + ".CategoriaUE", "esperada a categoria A, B, C ou D");
    l.Categoria = static_cast<char>(c[0].unicode());
    return l;
}

// The energy data of the source, or none (empty motor table).
TEnergiaCatalogo EnergiaDeJson(const json &fonte) {
    TEnergiaCatalogo e;
    const json &modelos = Campo(fonte, "modelos", "catalogo");
    for (std::size_t r = 0; r < modelos.size(); ++r) {
        const std::string onde = "modelos[" + std::to_string(r) + "]";
        e.Linhas.push_back(LinhaEnergiaDeJson(modelos[r], onde, Texto(Campo(modelos[r], "Codigo", onde), onde, 7)));
    }
    if (!fonte.contains("rendimento_motores")) {
        for (std::size_t r = 0; r < e.Linhas.size(); ++r)
            if (e.Linhas[r].Tipo != TipoUE::Nenhum)
                Falha("modelos[" + std::to_string(r) + "].TipoUE", "falta a tabela \"rendimento_motores\"");
        return {};
    }
    const json &tab = fonte["rendimento_motores"];
    if (!tab.is_array())
        Falha("catalogo.rendimento_motores", "esperada uma lista de potências");
    for (std::size_t k = 0; k < tab.size(); ++k) {
        const std::string onde = "rendimento_motores[" + std::to_string(k) + "]";
        TRendMotor m;
        m.Potencia = Num(Campo(tab[k], "Potencia", onde), onde + ".Potencia");
        Lista(Campo(tab[k], "Rendimento", onde), onde + ".Rendimento", m.Rendimento, ConvNum);
        e.Motores.push_back(m);
    }
    const QString problema = ValidaEnergia(e);
    if (!problema.isEmpty())
        Falha("catalogo.rendimento_motores", problema.toStdString());
    return e;
}

// The energy data back into the shown form.
void EnergiaParaJson(const TEnergiaCatalogo &e, json &j) {
    json tab = json::array();
    for (const TRendMotor &m : e.Motores)
        tab.push_back({{"Potencia", m.Potencia}, {"Rendimento", ParaLista(m.Rendimento)}});
    j["rendimento_motores"] = tab;
    json &modelos = j["modelos"];
    for (std::size_t r = 0; r < e.Linhas.size() && r < modelos.size(); ++r) {
        const TLinhaEnergia &l = e.Linhas[r];
        if (l.Tipo == TipoUE::Nenhum)
            continue;
        modelos[r]["TipoUE"] = Txt(CodigoTipoUE(l.Tipo));
        modelos[r]["CategoriaUE"] = std::string(1, l.Categoria);
    }
}

} // namespace

bool CompilaCatalogo(const json &fonte, const QString &dir, QString *erro) {
    QByteArray dadmod, denmod, dadmot, dadace, dadfat, premod, premot;
    TEnergiaCatalogo energia;
    try {
        const json &modelos = ListaDe(fonte, "modelos", MaxModelos);
        for (std::size_t r = 0; r < modelos.size(); ++r)
            Acrescenta(dadmod, ModeloDeJson(modelos[r], "modelos[" + std::to_string(r) + "]"));

        const json &den = ListaDe(fonte, "denominacoes", NumDenominacoes);
        for (std::size_t r = 0; r < NumDenominacoes; ++r)
            Acrescenta(denmod, r < den.size() ? DenominacaoDeJson(den[r], "denominacoes[" + std::to_string(r) + "]")
                                              : TDenominacao{});

        const json &grupos = ListaDe(fonte, "motores", 255);
        for (std::size_t g = 0; g < grupos.size(); ++g) {
            const std::string onde = "motores[" + std::to_string(g) + "]";
            if (!grupos[g].is_array() || grupos[g].size() > MotoresPorGrupo)
                Falha(onde, "esperado um grupo de até 35 motores");
            for (std::size_t m = 0; m < MotoresPorGrupo; ++m)
                Acrescenta(dadmot, m < grupos[g].size()
                                       ? MotorDeJson(grupos[g][m], onde + "[" + std::to_string(m) + "]")
                                       : TDadosMotor{});
        }

        const json &ace = ListaDe(fonte, "acessorios", NumAcessorios);
        Faixa<TAcessorio, 1, 45> acessorios;
        for (std::size_t c = 0; c < NumAcessorios; ++c) {
            if (c < ace.size())
                acessorios[static_cast<int>(c) + 1] = AcessorioDeJson(ace[c], "acessorios[" + std::to_string(c) + "]");
            Acrescenta(dadace, acessorios[static_cast<int>(c) + 1]);
        }

        Acrescenta(dadfat, FatoresDeJson(Campo(fonte, "fatores", "catalogo"), "fatores"));

        const json &pm = ListaDe(fonte, "precos_modelos", MaxModelos);
        for (std::size_t r = 0; r < pm.size(); ++r)
            Acrescenta(premod, PrecoModeloDeJson(pm[r], "precos_modelos[" + std::to_string(r) + "]", acessorios));

        const json &pmot = ListaDe(fonte, "precos_motores", 255);
        for (std::size_t r = 0; r < pmot.size(); ++r)
            Acrescenta(premot, PrecoMotoresDeJson(pmot[r], "precos_motores[" + std::to_string(r) + "]"));

        energia = EnergiaDeJson(fonte);
    } catch (const std::exception &e) {
        if (erro)
            *erro = QStringLiteral("Catálogo inválido: %1").arg(QString::fromStdString(e.what()));
        return false;
    }

    const std::pair<const char *, QByteArray *> arquivos[] = {
        {ArqModelos, &dadmod},   {ArqDenominacoes, &denmod}, {ArqMotores, &dadmot},      {ArqAcessorios, &dadace},
        {ArqFatores, &dadfat},   {ArqPrecoModelos, &premod}, {ArqPrecoMotores, &premot},
    };
    for (const auto &[nome, dados] : arquivos)
        if (!GravaArquivoAtomico(CaminhoEm(dir, QString::fromLatin1(nome)), *dados, erro))
            return false;
    // A source without energy data leaves no energy file of an earlier one.
    const QString arqEnergia = CaminhoEm(dir, QString::fromLatin1(ArqEnergia));
    if (energia.vazio()) {
        if (QFile::exists(arqEnergia) && !QFile::remove(arqEnergia)) {
            if (erro)
                *erro = QStringLiteral("Não foi possível remover \"%1\".").arg(arqEnergia);
            return false;
        }
        return true;
    }
    return GravaArquivoAtomico(arqEnergia, EnergiaParaBytes(energia), erro);
}

bool MostraCatalogo(const QString &dir, json &saida, QString *erro) {
    auto arq = [&](const char *nome) { return CaminhoEm(dir, QString::fromLatin1(nome)); };
    std::vector<TDadosModelo> modelos;
    std::vector<TDenominacao> den;
    std::vector<TDadosMotor> motores;
    std::vector<TAcessorio> ace;
    std::vector<TFatores> fat;
    std::vector<TPrecoModelo> premod;
    std::vector<TPrecoMotores> premot;
    if (!LeArquivoDeRegistros(arq(ArqModelos), modelos, erro) ||
        !LeArquivoDeRegistros(arq(ArqDenominacoes), den, erro) ||
        !LeArquivoDeRegistros(arq(ArqMotores), motores, erro) ||
        !LeArquivoDeRegistros(arq(ArqAcessorios), ace, erro) ||
        !LeArquivoDeRegistros(arq(ArqFatores), fat, erro) ||
        !LeArquivoDeRegistros(arq(ArqPrecoModelos), premod, erro) ||
        !LeArquivoDeRegistros(arq(ArqPrecoMotores), premot, erro))
        return false;
    auto invalido = [&](const char *nome, const char *porque) {
        if (erro)
            *erro = QStringLiteral("\"%1\": %2").arg(arq(nome), QString::fromUtf8(porque));
        return false;
    };
    if (modelos.size() > MaxModelos)
        return invalido(ArqModelos, "mais de 21 linhas");
    if (den.size() != NumDenominacoes)
        return invalido(ArqDenominacoes, "esperados 7 registros");
    if (motores.size() % MotoresPorGrupo)
        return invalido(ArqMotores, "grupos de 35 motores incompletos");
    if (ace.size() != NumAcessorios)
        return invalido(ArqAcessorios, "esperados 45 registros");
    if (fat.size() != 1)
        return invalido(ArqFatores, "esperado 1 registro");

    json j;
    j["modelos"] = json::array();
    for (const auto &m : modelos)
        j["modelos"].push_back(ModeloParaJson(m));
    j["denominacoes"] = json::array();
    for (const auto &d : den)
        j["denominacoes"].push_back({{"Familia", Txt(d.Familia)}, {"TextoFamilia", Txt(d.TextoFamilia)}});
    j["motores"] = json::array();
    for (std::size_t g = 0; g < motores.size() / MotoresPorGrupo; ++g) {
        std::size_t ultimo = MotoresPorGrupo;
        while (ultimo > 0 && motores[g * MotoresPorGrupo + ultimo - 1] == TDadosMotor{})
            --ultimo;
        json grupo = json::array();
        for (std::size_t m = 0; m < ultimo; ++m)
            grupo.push_back(MotorParaJson(motores[g * MotoresPorGrupo + m]));
        j["motores"].push_back(grupo);
    }
    j["acessorios"] = json::array();
    for (const auto &a : ace)
        j["acessorios"].push_back({{"CodAcessorio", Txt(a.CodAcessorio)}, {"NomeAcessorio", Txt(a.NomeAcessorio)}});
    j["fatores"] = FatoresParaJson(fat[0]);
    j["precos_modelos"] = json::array();
    for (const auto &p : premod)
        j["precos_modelos"].push_back(PrecoModeloParaJson(p));
    j["precos_motores"] = json::array();
    for (const auto &p : premot)
        j["precos_motores"].push_back(PrecoMotoresParaJson(p));
    TEnergiaCatalogo energia;
    if (!CarregaEnergia(dir, energia, erro))
        return false;
    if (!energia.vazio())
        EnergiaParaJson(energia, j);
    saida = std::move(j);
    return true;
}

} // namespace quellora
