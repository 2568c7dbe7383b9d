#pragma once
// The words of a PDF file with their boxes, as poppler's pdftotext -bbox
// finds them: what a reader of the printed page sees, and where.

#include "cli_execucao.h"

#include <QStringList>
#include <QXmlStreamReader>

#include <vector>

namespace quellora::teste {

struct PalavraPdf {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0; // points, y downwards
    QString texto;
};

struct PaginaPdf {
    double largura = 0, altura = 0;
    std::vector<PalavraPdf> palavras;

    // The first word that reads 'texto'; null when none.
    const PalavraPdf *procura(const QString &texto) const {
        for (const PalavraPdf &p : palavras)
            if (p.texto == texto)
                return &p;
        return nullptr;
    }
    QStringList textos() const {
        QStringList l;
        for (const PalavraPdf &p : palavras)
            l << p.texto;
        return l;
    }
};

// Empty when pdftotext fails or the file is not a PDF.
inline std::vector<PaginaPdf> PalavrasDoPdf(const QString &arquivo) {
    const Execucao e = Executa(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), arquivo, QStringLiteral("-")});
    std::vector<PaginaPdf> paginas;
    if (e.status != 0)
        return paginas;
    QXmlStreamReader xml(e.saida);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            paginas.push_back({a.value(QLatin1String("width")).toDouble(), a.value(QLatin1String("height")).toDouble(), {}});
        } else if (xml.name() == QLatin1String("word") && !paginas.empty()) {
            PalavraPdf p{a.value(QLatin1String("xMin")).toDouble(), a.value(QLatin1String("yMin")).toDouble(),
                         a.value(QLatin1String("xMax")).toDouble(), a.value(QLatin1String("yMax")).toDouble(), {}};
            p.texto = xml.readElementText();
            paginas.back().palavras.push_back(p);
        }
    }
    return paginas;
}

} // namespace quellora::teste
