#include "quotation/orcamento_json.h"

#include "catalogue/binario.h"
#include "quotation/extensao_orc.h"
#include "quotation/orcamento.h"

#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>

using nlohmann::json;
using ojson = nlohmann::ordered_json;

namespace quellora {

namespace {

// Every field of each record, by name. 'v' is called as v(name, field) or,
// for texts, v(name, field, capacity).
template <class R, class V>
void CamposFatores(R &f, V &&v) {
    v("ICMSPadrao", f.ICMSPadrao);
    v("AliquotaICMS", f.AliquotaICMS);
    v("FatorVent", f.FatorVent);
    v("FatorMotor", f.FatorMotor);
    v("Pagamento", f.Pagamento, 80);
    v("Frete", f.Frete, 59);
    v("Validade", f.Validade);
    v("IPI", f.IPI);
    v("Embalagem", f.Embalagem);
    v("Entrega", f.Entrega);
}

template <class R, class V>
void CamposCabecalho(R &o, V &&v) {
    v("Iniciado", o.Iniciado);
    v("Numero", o.Numero);
    v("Projeto", o.Projeto, 80);
    v("NumOrc", o.NumOrc, 7);
    v("OperadorOrc", o.OperadorOrc, 40);
    v("Cliente", o.Cliente, 50);
    v("Endereco", o.Endereco, 50);
    v("Cidade_Estado", o.Cidade_Estado, 40);
    v("email", o.email, 40);
    v("Contato", o.Contato, 25);
    v("Fone", o.Fone, 25);
    v("Fax", o.Fax, 25);
    v("Data", o.Data);
    v("descontoV", o.descontoV);
    v("descontoM", o.descontoM);
    v("NumItensOrc", o.NumItensOrc);
    v("FatoresOrc", o.FatoresOrc);
    v("ICMS", o.ICMS);
    v("Obs1", o.Obs1, 80);
    v("Obs2", o.Obs2, 80);
    v("NumAcessEsp", o.NumAcessEsp);
    v("AcessEsp", o.AcessEsp, 25);
    v("ValorTotalOrc", o.ValorTotalOrc);
}

template <class R, class V>
void CamposItem(R &i, V &&v) {
    v("Selecionado", i.Selecionado);
    v("RefTag", i.RefTag, 10);
    v("Qtd", i.Qtd);
    v("Descricao", i.Descricao, 40);
    v("Arranjo", i.Arranjo);
    v("Linha", i.Linha, 4);
    v("IndModelo", i.IndModelo);
    v("Posicao", i.Posicao, 20);
    v("Configurado", i.Configurado);
    v("AcessSel", i.AcessSel);
    v("PrecoAcessorio", i.PrecoAcessorio);
    v("ComMotor", i.ComMotor);
    v("SemMotor", i.SemMotor);
    v("PolosSug", i.PolosSug);
    v("MotorIni", i.MotorIni);
    v("RegMotor", i.RegMotor);
    v("FreqDireto", i.FreqDireto);
    v("Polos", i.Polos);
    v("PwOp", i.PwOp);
    v("PwSt", i.PwSt);
    v("MotorSugerido", i.MotorSugerido);
    v("SoSugestao", i.SoSugestao);
    v("Tensao", i.Tensao, 12);
    v("Frequencia", i.Frequencia, 5);
    v("Protecao", i.Protecao, 9);
    v("ObsMotor", i.ObsMotor, 50);
    v("Marca", i.Marca, 10);
    v("PotMotor", i.PotMotor);
    v("RotMotor", i.RotMotor);
    v("Carcaca", i.Carcaca, 6);
    v("PrecoListaMotor", i.PrecoListaMotor);
    v("Vazao", i.Vazao);
    v("Axial", i.Axial);
    v("ComGabinete", i.ComGabinete);
    v("ExigeQuadro", i.ExigeQuadro);
    v("Direto", i.Direto);
    v("VazaoDireto", i.VazaoDireto);
    v("IndiceTam", i.IndiceTam);
    v("PaginaArranjo", i.PaginaArranjo);
    v("RegModelo", i.RegModelo);
    v("Tamanho", i.Tamanho);
    v("RotMax", i.RotMax);
    v("Rotacao", i.Rotacao);
    v("Rendimento", i.Rendimento);
    v("PressaoDireto", i.PressaoDireto);
    v("Pressao", i.Pressao);
    v("PotOp", i.PotOp);
    v("Pot20", i.Pot20);
    v("CorrecaoRend", i.CorrecaoRend);
    v("Temperatura", i.Temperatura);
    v("Altitude", i.Altitude);
    v("DensidadeItem", i.DensidadeItem);
    v("VelDescarga", i.VelDescarga);
    v("VelPeriferica", i.VelPeriferica);
    v("PTotal20", i.PTotal20);
    v("PTotalOp", i.PTotalOp);
    v("PEst20", i.PEst20);
    v("PrecoVent", i.PrecoVent);
    v("PrecoMotor", i.PrecoMotor);
    v("LwTot", i.LwTot);
    v("LwA", i.LwA);
    v("IndEspectro", i.IndEspectro);
    v("PrecoAcess", i.PrecoAcess);
    v("LwBanda", i.LwBanda);
    v("DescTamanho", i.DescTamanho, 10);
    v("TextoModelo", i.TextoModelo, 30);
    v("AcessEspPrecoLista", i.AcessEspPrecoLista);
    v("AcessEspPreco", i.AcessEspPreco);
    v("MotorEspecial", i.MotorEspecial);
    v("RegPrecoMotor", i.RegPrecoMotor);
    v("GrupoMotor", i.GrupoMotor);
}

// --- To JSON ----------------------------------------------------------------

ojson Valor(bool b) { return b; }
ojson Valor(std::int32_t i) { return i; }
ojson Valor(std::uint8_t i) { return i; }
ojson Valor(std::int8_t i) { return i; }
ojson Valor(double d) { return d; } // a NaN or infinity is written as null
ojson Valor(const QString &s) { return s.toStdString(); }
ojson Valor(const TFatores &f);

template <class T, int Lo, int Hi>
ojson Valor(const Faixa<T, Lo, Hi> &a) {
    ojson l = ojson::array();
    for (int k = Lo; k <= Hi; ++k)
        l.push_back(Valor(a[k]));
    return l;
}

struct ParaJson {
    ojson &j;
    template <class T>
    void operator()(const char *nome, const T &campo, int = 0) {
        j[nome] = Valor(campo);
    }
};

ojson Valor(const TFatores &f) {
    ojson j = ojson::object();
    CamposFatores(f, ParaJson{j});
    return j;
}

template <std::size_t N>
std::string Base64(const std::array<std::uint8_t, N> &b) {
    return QByteArray(reinterpret_cast<const char *>(b.data()), static_cast<qsizetype>(N)).toBase64().toStdString();
}

// --- From JSON --------------------------------------------------------------

struct ErroJson : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Falha(const std::string &onde, const std::string &o_que) { throw ErroJson(onde + ": " + o_que); }

void De(const json &v, const std::string &onde, bool &b, int) {
    if (v.is_boolean())
        b = v.get<bool>();
    else if (v.is_number_integer() && (v.get<std::int64_t>() == 0 || v.get<std::int64_t>() == 1))
        b = v.get<std::int64_t>() != 0;
    else
        Falha(onde, "esperado true ou false");
}

template <class I>
    requires std::is_integral_v<I>
void De(const json &v, const std::string &onde, I &i, int) {
    if (!v.is_number_integer())
        Falha(onde, "esperado um número inteiro");
    const bool semSinal = v.is_number_unsigned();
    const auto u = v.get<std::uint64_t>();
    const auto s = v.get<std::int64_t>();
    if ((semSinal && u > static_cast<std::uint64_t>(std::numeric_limits<I>::max())) ||
        (!semSinal && (s < static_cast<std::int64_t>(std::numeric_limits<I>::min()) ||
                       s > static_cast<std::int64_t>(std::numeric_limits<I>::max()))))
        Falha(onde, "valor fora da faixa " + std::to_string(std::numeric_limits<I>::min() + 0) + ".." +
                        std::to_string(std::numeric_limits<I>::max() + 0));
    i = static_cast<I>(semSinal ? static_cast<std::int64_t>(u) : s);
}

void De(const json &v, const std::string &onde, double &d, int) {
    if (v.is_null())
        return; // a value JSON cannot write: the image's stays
    if (!v.is_number())
        Falha(onde, "esperado um número");
    d = v.get<double>();
}

void De(const json &v, const std::string &onde, QString &s, int capacidade) {
    if (!v.is_string())
        Falha(onde, "esperado um texto");
    const QString t = QString::fromStdString(v.get<std::string>());
    const QByteArray b = ParaWin1252(t);
    if (DeWin1252(b) != t)
        Falha(onde, "texto com caracteres que o arquivo não pode guardar");
    if (b.size() > capacidade)
        Falha(onde, "texto com mais de " + std::to_string(capacidade) + " caracteres");
    s = t;
}

void De(const json &v, const std::string &onde, TFatores &f, int);

template <class T, int Lo, int Hi>
void De(const json &v, const std::string &onde, Faixa<T, Lo, Hi> &a, int capacidade) {
    if (!v.is_array() || v.size() != static_cast<std::size_t>(a.Quantos))
        Falha(onde, "esperada uma lista de " + std::to_string(a.Quantos) + " valores");
    for (int k = Lo; k <= Hi; ++k)
        De(v[static_cast<std::size_t>(k - Lo)], onde + "[" + std::to_string(k - Lo) + "]", a[k], capacidade);
}

// Applies the fields present in an object; refuses names no field has.
template <class R, class Campos>
void Aplica(const json &obj, const std::string &onde, R &r, Campos campos, std::set<std::string> extras = {}) {
    if (!obj.is_object())
        Falha(onde, "esperado um objeto");
    std::set<std::string> nomes = std::move(extras);
    campos(r, [&](const char *nome, auto &campo, int capacidade = 0) {
        nomes.insert(nome);
        auto it = obj.find(nome);
        if (it != obj.end())
            De(*it, onde + "." + nome, campo, capacidade);
    });
    for (auto it = obj.begin(); it != obj.end(); ++it)
        if (!nomes.count(it.key()))
            Falha(onde, "campo desconhecido \"" + it.key() + "\"");
}

void De(const json &v, const std::string &onde, TFatores &f, int) {
    Aplica(v, onde, f, [](TFatores &r, auto &&vis) { CamposFatores(r, vis); });
}

// One record's image: "bruto" (or zeros) with the JSON's fields over it. A
// record whose fields are those of "bruto" is "bruto" itself, even where
// writing the fields would tidy a byte (a Boolean stored as 2).
template <class R, class Campos, class Ajuste>
QByteArray Registro(const json &obj, const std::string &onde, Campos campos, Ajuste ajuste,
                    std::set<std::string> extras = {}) {
    QByteArray base(static_cast<qsizetype>(R::TamanhoRegistro), '\0');
    if (obj.is_object() && obj.contains("bruto")) {
        const json &b = obj["bruto"];
        if (!b.is_string())
            Falha(onde + ".bruto", "esperado um texto em base64");
        const auto r = QByteArray::fromBase64Encoding(QByteArray::fromStdString(b.get<std::string>()),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!r || r.decoded.size() != base.size())
            Falha(onde + ".bruto", "esperados " + std::to_string(R::TamanhoRegistro) + " bytes em base64");
        base = r.decoded;
    }
    R antes;
    Le(LeitorBinario(base), 0, antes);
    R depois = antes;
    extras.insert("bruto");
    Aplica(obj, onde, depois, campos, std::move(extras));
    ajuste(obj, depois);
    QByteArray a = base, d = base;
    GravadorBinario ga(a), gd(d);
    Grava(ga, 0, antes);
    Grava(gd, 0, depois);
    return a == d ? base : d;
}

} // namespace

nlohmann::ordered_json OrcamentoParaJson(const TArquivoOrc &a) {
    ojson cab = ojson::object();
    CamposCabecalho(a.Orcamento, ParaJson{cab});
    cab["bruto"] = Base64(a.Orcamento.bruto);
    ojson itens = ojson::array();
    for (const TItemOrc &it : a.Itens) {
        ojson i = ojson::object();
        CamposItem(it, ParaJson{i});
        i["Ventiladores"] = it.Ventiladores;
        i["PressaoFixa"] = it.PressaoFixa;
        i["bruto"] = Base64(it.bruto);
        itens.push_back(std::move(i));
    }
    ojson j = ojson::object();
    j["Orcamento"] = std::move(cab);
    j["Itens"] = std::move(itens);
    return j;
}

bool OrcamentoDeJson(const json &j, QByteArray &imagem, QString *erro) {
    try {
        if (!j.is_object())
            Falha("raiz", "esperado um objeto com \"Orcamento\" e \"Itens\"");
        for (auto it = j.begin(); it != j.end(); ++it)
            if (it.key() != "Orcamento" && it.key() != "Itens")
                Falha("raiz", "campo desconhecido \"" + it.key() + "\"");
        if (!j.contains("Orcamento"))
            Falha("raiz", "falta o campo \"Orcamento\"");
        const json itens = j.value("Itens", json::array());
        if (!itens.is_array())
            Falha("Itens", "esperada uma lista");
        if (itens.size() > static_cast<std::size_t>(MaxItens))
            Falha("Itens", "mais de " + std::to_string(MaxItens) + " itens");
        const auto n = static_cast<std::int32_t>(itens.size());

        QByteArray saida = Registro<TOrcamento>(
            j["Orcamento"], "Orcamento", [](TOrcamento &r, auto &&v) { CamposCabecalho(r, v); },
            [n](const json &obj, TOrcamento &r) {
                if (obj.contains("NumItensOrc") && r.NumItensOrc != n)
                    Falha("Orcamento.NumItensOrc", "difere do número de itens (" + std::to_string(n) + ")");
                r.NumItensOrc = n;
            });
        // The fans and fixed pressure of each item go to the extension block.
        std::vector<TItemOrc> extensao(itens.size());
        for (std::size_t k = 0; k < itens.size(); ++k) {
            const std::string onde = "Itens[" + std::to_string(k) + "]";
            saida += Registro<TItemOrc>(
                itens[k], onde, [](TItemOrc &r, auto &&v) { CamposItem(r, v); }, [](const json &, TItemOrc &) {},
                {"Ventiladores", "PressaoFixa"});
            TItemOrc &e = extensao[k];
            if (const auto it = itens[k].find("Ventiladores"); it != itens[k].end()) {
                De(*it, onde + ".Ventiladores", e.Ventiladores, 0);
                if (e.Ventiladores < 1 || e.Ventiladores > 6)
                    Falha(onde + ".Ventiladores", "esperado de 1 a 6");
            }
            if (const auto it = itens[k].find("PressaoFixa"); it != itens[k].end()) {
                De(*it, onde + ".PressaoFixa", e.PressaoFixa, 0);
                if (!(e.PressaoFixa >= 0) || !std::isfinite(e.PressaoFixa))
                    Falha(onde + ".PressaoFixa", "esperado um número maior ou igual a zero");
            }
        }
        imagem = saida + ExtensaoParaBytes(extensao);
        return true;
    } catch (const ErroJson &e) {
        if (erro)
            *erro = QString::fromStdString(e.what());
        return false;
    }
}

} // namespace quellora
