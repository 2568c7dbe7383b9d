#include "shell/rtf.h"

#include "catalogue/binario.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QHash>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <array>
#include <vector>

namespace quellora {

namespace {

enum class Destino { Texto, Ignora, Fontes, Cores };

// Formatting that a group carries and restores when it closes.
struct EstadoGrupo {
    Destino destino = Destino::Texto;
    int uc = 1; // fallback characters that follow a \uN

    bool negrito = false;
    bool italico = false;
    bool sublinhado = false;
    bool riscado = false;
    bool oculto = false;
    int vertical = 0; // 0 normal, 1 superscript, -1 subscript
    int meiosPontos = 24;
    int fonte = -1;
    int cor = 0;
    int fundo = 0;

    Qt::Alignment alinhamento = Qt::AlignLeft;
    int recuoEsquerdo = 0; // twips
    int recuoDireito = 0;
    int recuoPrimeira = 0;
    int espacoAntes = 0;
    int espacoDepois = 0;
};

// Destinations whose content is never shown.
bool DestinoIgnorado(const QByteArray &p) {
    static const char *const nomes[] = {
        "stylesheet", "info", "pict", "object", "objdata", "header", "headerl", "headerr", "headerf", "footer",
        "footerl", "footerr", "footerf", "footnote", "annotation", "atnid", "atnauthor", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl", "filetbl", "pgdsctbl", "latentstyles",
        "themedata", "colorschememapping", "datastore", "fldinst", "author", "operator", "title", "subject",
        "keywords", "comment", "doccomm", "company", "category", "manager", "hlinkbase", "buptim", "creatim",
        "printim", "revtim", "txe", "nonshppict", "mmathPr", "xe", "tc", "bkmkstart", "bkmkend", "private",
        "userprops", "docvar", "template", "fchars", "lchars", "pn", "pnseclvl", "shpinst", "sp", "sn", "sv",
        "wgrffmtfilter", "mhtmltag", "htmltag", "defchp", "defpap", "listpicture", "passwordhash", "ftnsep",
        "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "background", "field_instruction"};
    for (const char *n : nomes)
        if (p == n)
            return true;
    return false;
}

bool ComecaSublinhado(const QByteArray &p) {
    static const char *const nomes[] = {"ul",       "uld",       "uldash",     "uldashd",   "uldashdd",
                                        "uldb",     "ulhwave",   "ulldash",    "ulth",      "ulthd",
                                        "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave",
                                        "ulw",      "ulwave"};
    for (const char *n : nomes)
        if (p == n)
            return true;
    return false;
}

int Hex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool Letra(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool Digito(char c) { return c >= '0' && c <= '9'; }

class LeitorRtf {
public:
    LeitorRtf(const QByteArray &dados, QTextDocument &doc) : d_(dados), doc_(doc), cur_(&doc) {
        // The code page's 256 characters, decoded once.
        QByteArray todos(256, '\0');
        for (int b = 0; b < 256; ++b)
            todos[b] = static_cast<char>(b);
        const QString t = DeWin1252(todos);
        for (int b = 0; b < 256 && b < t.size(); ++b)
            cp_[static_cast<std::size_t>(b)] = t.at(b);
    }

    void le() {
        defineTabulacao(720);
        const qsizetype n = d_.size();
        cur_.beginEditBlock();
        while (i_ < n) {
            const char c = d_.at(i_);
            if (c == '{') {
                ++i_;
                descarrega();
                pular_ = 0;
                pilha_.push_back(st_);
            } else if (c == '}') {
                ++i_;
                descarrega();
                pular_ = 0;
                if (!pilha_.empty()) {
                    fechaDestino();
                    st_ = pilha_.back();
                    pilha_.pop_back();
                }
            } else if (c == '\\') {
                ++i_;
                controle();
            } else {
                ++i_;
                if (c == '\r' || c == '\n' || c == '\0')
                    continue;
                caractere(cp_[static_cast<std::uint8_t>(c)]);
            }
        }
        descarrega();
        termina();
        cur_.endEditBlock();
    }

private:
    // Default tab stops every 'twips' (the document's \deftab; half an inch
    // unless it says otherwise).
    void defineTabulacao(int twips) {
        QTextOption o = doc_.defaultTextOption();
        o.setTabStopDistance(std::clamp(twips, 60, 14400) / 15.0);
        doc_.setDefaultTextOption(o);
    }

    // --- Text output -------------------------------------------------------
    void caractere(QChar ch) {
        if (pular_ > 0) {
            --pular_;
            return;
        }
        switch (st_.destino) {
        case Destino::Texto:
            if (st_.oculto)
                return;
            if (celulaPendente_) {
                celulaPendente_ = false;
                texto_ += QLatin1Char('\t');
            }
            texto_ += ch;
            return;
        case Destino::Fontes:
            if (ch == QLatin1Char(';')) {
                if (fonteLida_ >= 0)
                    fontes_.insert(fonteLida_, nomeFonte_.trimmed());
                nomeFonte_.clear();
            } else {
                nomeFonte_ += ch;
            }
            return;
        case Destino::Cores:
            if (ch == QLatin1Char(';')) {
                cores_.push_back(temCor_ ? QColor(vermelho_, verde_, azul_) : QColor());
                temCor_ = false;
                vermelho_ = verde_ = azul_ = 0;
            }
            return;
        case Destino::Ignora:
            return;
        }
    }

    void especial(QChar ch) {
        pular_ = 0;
        caractere(ch);
    }

    QTextCharFormat formatoCaractere() const {
        QTextCharFormat f;
        f.setFontWeight(st_.negrito ? QFont::Bold : QFont::Normal);
        f.setFontItalic(st_.italico);
        f.setFontUnderline(st_.sublinhado);
        f.setFontStrikeOut(st_.riscado);
        f.setFontPointSize(std::clamp(st_.meiosPontos, 2, 3276) / 2.0);
        if (st_.vertical > 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (st_.vertical < 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        const auto fonte = fontes_.constFind(st_.fonte);
        if (fonte != fontes_.cend() && !fonte->isEmpty())
            f.setFontFamilies(QStringList{*fonte});
        if (st_.cor > 0 && st_.cor < static_cast<int>(cores_.size()) && cores_[std::size_t(st_.cor)].isValid())
            f.setForeground(cores_[std::size_t(st_.cor)]);
        if (st_.fundo > 0 && st_.fundo < static_cast<int>(cores_.size()) && cores_[std::size_t(st_.fundo)].isValid())
            f.setBackground(cores_[std::size_t(st_.fundo)]);
        return f;
    }

    QTextBlockFormat formatoBloco() const {
        // Twips to pixels at 96 dpi.
        auto px = [](int twips) { return twips / 15.0; };
        QTextBlockFormat b;
        b.setAlignment(st_.alinhamento);
        b.setLeftMargin(std::max(0.0, px(st_.recuoEsquerdo)));
        b.setRightMargin(std::max(0.0, px(st_.recuoDireito)));
        b.setTextIndent(px(st_.recuoPrimeira));
        b.setTopMargin(std::max(0.0, px(st_.espacoAntes)));
        b.setBottomMargin(std::max(0.0, px(st_.espacoDepois)));
        if (st_.recuoPrimeira < 0) {
            // Hanging indent (bullets, numbering): the first tab reaches the
            // paragraph's left edge.
            b.setTabPositions({QTextOption::Tab(px(-st_.recuoPrimeira), QTextOption::LeftTab)});
        }
        return b;
    }

    void descarrega() {
        if (texto_.isEmpty())
            return;
        if (blocoNovo_) {
            cur_.setBlockFormat(formatoBloco());
            blocoNovo_ = false;
        }
        cur_.insertText(texto_, formatoCaractere());
        texto_.clear();
        escreveuDepoisDoParagrafo_ = true;
    }

    void paragrafo() {
        if (st_.destino != Destino::Texto)
            return;
        celulaPendente_ = false;
        descarrega();
        cur_.setBlockFormat(formatoBloco());
        cur_.setBlockCharFormat(formatoCaractere());
        cur_.insertBlock();
        blocoNovo_ = true;
        escreveuDepoisDoParagrafo_ = false;
        paragrafos_++;
    }

    void termina() {
        if (!blocoNovo_)
            cur_.setBlockFormat(formatoBloco());
        // The closing \par of the last paragraph leaves an empty block.
        if (paragrafos_ > 0 && !escreveuDepoisDoParagrafo_ && cur_.block().length() <= 1)
            cur_.deletePreviousChar();
    }

    void fechaDestino() {
        if (st_.destino == Destino::Fontes && fonteLida_ >= 0 && !nomeFonte_.trimmed().isEmpty()) {
            // An entry closed without its ';'.
            fontes_.insert(fonteLida_, nomeFonte_.trimmed());
            nomeFonte_.clear();
        }
    }

    // --- Control words -----------------------------------------------------
    void controle() {
        const qsizetype n = d_.size();
        if (i_ >= n)
            return;
        const char c = d_.at(i_);
        if (!Letra(c)) {
            ++i_;
            simbolo(c);
            return;
        }
        const qsizetype inicio = i_;
        while (i_ < n && Letra(d_.at(i_)) && i_ - inicio < 32)
            ++i_;
        const QByteArray palavra = d_.mid(inicio, i_ - inicio);
        bool temParametro = false;
        long long parametro = 0;
        bool negativo = false;
        if (i_ < n && d_.at(i_) == '-' && i_ + 1 < n && Digito(d_.at(i_ + 1))) {
            negativo = true;
            ++i_;
        }
        int digitos = 0;
        while (i_ < n && Digito(d_.at(i_))) {
            if (digitos < 10)
                parametro = parametro * 10 + (d_.at(i_) - '0');
            ++digitos;
            ++i_;
            temParametro = true;
        }
        if (negativo)
            parametro = -parametro;
        parametro = std::clamp<long long>(parametro, -2147483647LL, 2147483647LL);
        if (i_ < n && d_.at(i_) == ' ')
            ++i_;
        palavraDeControle(palavra, temParametro, static_cast<int>(parametro));
    }

    void simbolo(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            especial(QLatin1Char(c));
            return;
        case '~':
            especial(QChar(0x00A0));
            return;
        case '_':
            especial(QChar(0x2011));
            return;
        case '-': // optional hyphen: not shown
            return;
        case '*':
            st_.destino = Destino::Ignora;
            return;
        case '\'': {
            const qsizetype n = d_.size();
            int v = 0;
            int lidos = 0;
            while (lidos < 2 && i_ < n && Hex(d_.at(i_)) >= 0) {
                v = v * 16 + Hex(d_.at(i_));
                ++i_;
                ++lidos;
            }
            if (lidos == 2) // a cut escape is dropped
                caractere(cp_[static_cast<std::size_t>(v & 0xFF)]);
            return;
        }
        case '\r':
        case '\n':
            pular_ = 0;
            paragrafo();
            return;
        case '\t':
            especial(QLatin1Char('\t'));
            return;
        default: // \: \| and anything unknown
            return;
        }
    }

    void palavraDeControle(const QByteArray &p, bool temParametro, int v) {
        // A \uN's fallback counts \'hh escapes only; any other control word ends it.
        pular_ = 0;
        const bool liga = !temParametro || v != 0;

        // Destinations.
        if (p == "fonttbl") {
            st_.destino = Destino::Fontes;
            fonteLida_ = -1;
            nomeFonte_.clear();
            return;
        }
        if (p == "colortbl") {
            st_.destino = Destino::Cores;
            cores_.clear();
            return;
        }
        if (DestinoIgnorado(p)) {
            st_.destino = Destino::Ignora;
            return;
        }
        if (p == "bin") {
            // Binary data: skipped whole, whatever it holds.
            descarrega();
            const qsizetype resto = d_.size() - i_;
            i_ += std::clamp<qsizetype>(temParametro ? v : 0, 0, resto);
            return;
        }
        if (p == "u" && temParametro) {
            int u = v;
            if (u < 0)
                u += 65536;
            if (u >= 0 && u <= 0xFFFF) {
                caractere(QChar(static_cast<char16_t>(u)));
                pular_ = std::max(0, st_.uc);
            }
            return;
        }
        if (p == "uc") {
            st_.uc = std::clamp(v, 0, 16);
            return;
        }

        if (st_.destino == Destino::Fontes) {
            if (p == "f" && temParametro) {
                fonteLida_ = v;
                nomeFonte_.clear();
            }
            return;
        }
        if (st_.destino == Destino::Cores) {
            const int c = std::clamp(v, 0, 255);
            if (p == "red") {
                vermelho_ = c;
                temCor_ = true;
            } else if (p == "green") {
                verde_ = c;
                temCor_ = true;
            } else if (p == "blue") {
                azul_ = c;
                temCor_ = true;
            }
            return;
        }
        if (st_.destino == Destino::Ignora)
            return;

        // Document defaults.
        if (p == "deftab" && temParametro) {
            defineTabulacao(v);
            return;
        }
        if (p == "deff" && temParametro) {
            fontePadrao_ = v;
            st_.fonte = v;
            for (auto &e : pilha_)
                e.fonte = v;
            return;
        }

        // Breaks and special characters.
        if (p == "par" || p == "sect" || p == "page") {
            paragrafo();
            return;
        }
        if (p == "row" || p == "nestrow") {
            paragrafo();
            return;
        }
        if (p == "cell" || p == "nestcell") {
            descarrega();
            celulaPendente_ = true;
            return;
        }
        if (p == "line") {
            caractere(QChar(QChar::LineSeparator));
            return;
        }
        if (p == "tab") {
            caractere(QLatin1Char('\t'));
            return;
        }
        static const QHash<QByteArray, char16_t> especiais = {
            {"emdash", 0x2014},   {"endash", 0x2013}, {"bullet", 0x2022},    {"lquote", 0x2018},
            {"rquote", 0x2019},   {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
            {"enspace", 0x2002},  {"qmspace", 0x2005}, {"zwbo", 0x200B}};
        const auto e = especiais.constFind(p);
        if (e != especiais.cend()) {
            caractere(QChar(*e));
            return;
        }

        // Character formatting.
        descarrega();
        if (p == "plain") {
            const Destino destino = st_.destino;
            const int uc = st_.uc;
            EstadoGrupo limpo;
            limpo.destino = destino;
            limpo.uc = uc;
            limpo.fonte = fontePadrao_;
            // Paragraph formatting survives \plain.
            limpo.alinhamento = st_.alinhamento;
            limpo.recuoEsquerdo = st_.recuoEsquerdo;
            limpo.recuoDireito = st_.recuoDireito;
            limpo.recuoPrimeira = st_.recuoPrimeira;
            limpo.espacoAntes = st_.espacoAntes;
            limpo.espacoDepois = st_.espacoDepois;
            st_ = limpo;
        } else if (p == "b") {
            st_.negrito = liga;
        } else if (p == "i") {
            st_.italico = liga;
        } else if (ComecaSublinhado(p)) {
            st_.sublinhado = liga;
        } else if (p == "ulnone") {
            st_.sublinhado = false;
        } else if (p == "strike" || p == "striked") {
            st_.riscado = liga;
        } else if (p == "super") {
            st_.vertical = 1;
        } else if (p == "sub") {
            st_.vertical = -1;
        } else if (p == "nosupersub") {
            st_.vertical = 0;
        } else if (p == "up") {
            st_.vertical = (temParametro && v == 0) ? 0 : 1;
        } else if (p == "dn") {
            st_.vertical = (temParametro && v == 0) ? 0 : -1;
        } else if (p == "v") {
            st_.oculto = liga;
        } else if (p == "fs") {
            st_.meiosPontos = temParametro && v > 0 ? v : 24;
        } else if (p == "f" && temParametro) {
            st_.fonte = v;
        } else if (p == "cf") {
            st_.cor = v;
        } else if (p == "cb" || p == "highlight" || p == "chcbpat") {
            st_.fundo = v;
        }
        // Paragraph formatting.
        else if (p == "pard") {
            st_.alinhamento = Qt::AlignLeft;
            st_.recuoEsquerdo = st_.recuoDireito = st_.recuoPrimeira = 0;
            st_.espacoAntes = st_.espacoDepois = 0;
        } else if (p == "ql") {
            st_.alinhamento = Qt::AlignLeft;
        } else if (p == "qc") {
            st_.alinhamento = Qt::AlignHCenter;
        } else if (p == "qr") {
            st_.alinhamento = Qt::AlignRight;
        } else if (p == "qj") {
            st_.alinhamento = Qt::AlignJustify;
        } else if (p == "li") {
            st_.recuoEsquerdo = v;
        } else if (p == "ri") {
            st_.recuoDireito = v;
        } else if (p == "fi") {
            st_.recuoPrimeira = v;
        } else if (p == "sb") {
            st_.espacoAntes = v;
        } else if (p == "sa") {
            st_.espacoDepois = v;
        }
        // Everything else (tabs stops, borders, page layout, revision marks...) is ignored.
    }

    const QByteArray &d_;
    QTextDocument &doc_;
    QTextCursor cur_;
    qsizetype i_ = 0;
    std::array<QChar, 256> cp_{};

    EstadoGrupo st_;
    std::vector<EstadoGrupo> pilha_;
    QString texto_;
    int pular_ = 0;
    bool celulaPendente_ = false;
    bool blocoNovo_ = true;
    bool escreveuDepoisDoParagrafo_ = false;
    int paragrafos_ = 0;

    int fontePadrao_ = -1;
    QHash<int, QString> fontes_;
    int fonteLida_ = -1;
    QString nomeFonte_;

    std::vector<QColor> cores_;
    bool temCor_ = false;
    int vermelho_ = 0, verde_ = 0, azul_ = 0;
};

bool PareceRtf(const QByteArray &dados) {
    qsizetype i = 0;
    while (i < dados.size() && (dados.at(i) == ' ' || dados.at(i) == '\r' || dados.at(i) == '\n' || dados.at(i) == '\t'))
        ++i;
    return dados.mid(i, 5) == "{\\rtf";
}

} // namespace

void LeRtf(const QByteArray &dados, QTextDocument &doc) {
    doc.clear();
    if (!PareceRtf(dados)) {
        doc.setPlainText(DeWin1252(dados));
        return;
    }
    LeitorRtf(dados, doc).le();
}

bool CarregaRtf(const QString &arquivo, QTextDocument &doc, QString *erro) {
    constexpr qint64 Maximo = 32LL * 1024 * 1024;
    const QString nome = QDir::toNativeSeparators(arquivo);
    QFile f(arquivo);
    if (!QFileInfo(arquivo).isFile()) {
        if (erro)
            *erro = QStringLiteral("Arquivo \"%1\" não encontrado.").arg(nome);
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        if (erro)
            *erro = QStringLiteral("Não foi possível abrir \"%1\": %2.").arg(nome, f.errorString());
        return false;
    }
    if (f.size() > Maximo) {
        if (erro)
            *erro = QStringLiteral("O arquivo \"%1\" é grande demais para um texto de modelo.").arg(nome);
        return false;
    }
    const QByteArray dados = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (erro)
            *erro = QStringLiteral("Erro de leitura em \"%1\": %2.").arg(nome, f.errorString());
        return false;
    }
    LeRtf(dados, doc);
    return true;
}

QString NomeTextoModelo(const QString &familia) {
    QString t = familia;
    const qsizetype barra = t.indexOf(QLatin1Char('/'));
    if (barra >= 0)
        t[barra] = QLatin1Char('_');
    return t + QStringLiteral(".rtf");
}

} // namespace quellora
