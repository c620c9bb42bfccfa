// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/PdfDocument.h"

#include <QBuffer>
#include <QRegularExpression>

#include "core/app/UserName.h"

namespace km905 {

std::optional<QByteArray> makePdf(const QString& title, const QPageLayout& layout, int resolution,
                                  const std::function<bool(QPdfWriter&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(layout);
        pdf.setResolution(resolution);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("km905 " KM905_VERSION));
        if (!paint(pdf)) return std::nullopt;
    }
    return withPdfAuthor(buffer.data(), userFullName());
}

namespace {
// A text string as PDF writes any text: UTF-16BE after its byte-order mark, in hexadecimal.
QByteArray pdfText(const QString& text) {
    QByteArray hex("<FEFF");
    for (const QChar c : text) hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    return hex.toUpper() + '>';
}
}  // namespace

QByteArray withPdfAuthor(const QByteArray& pdf, const QString& author) {
    if (author.isEmpty()) return pdf;
    // The information dictionary the trailer names.
    const qsizetype trailer = pdf.lastIndexOf("\ntrailer");
    if (trailer < 0) return pdf;
    static const QRegularExpression infoRef(QStringLiteral("/Info (\\d+) 0 R"));
    const QRegularExpressionMatch info = infoRef.match(QString::fromLatin1(pdf.mid(trailer, 512)));
    if (!info.hasMatch()) return pdf;
    const qsizetype object = pdf.indexOf('\n' + info.captured(1).toLatin1() + " 0 obj");
    const qsizetype open = object < 0 ? -1 : pdf.indexOf("<<", object);
    if (open < 0 || open > trailer) return pdf;
    const qsizetype at = open + 2;
    const QByteArray entry = "\n/Author " + pdfText(author);
    const qsizetype shift = entry.size();

    // The cross-reference table: "xref", then sections of "FIRST COUNT" and COUNT entries of
    // 20 bytes, "OFFSET(10) GENERATION(5) n|f" and a two-byte end of line.
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < trailer) return pdf;
    bool ok = false;
    const qsizetype xref = pdf.mid(startxref + 9).trimmed().split('\n').value(0).toLongLong(&ok);
    if (!ok || xref <= at || pdf.mid(xref, 4) != "xref") return pdf;
    QByteArray out = pdf;
    qsizetype pos = pdf.indexOf('\n', xref) + 1;
    while (pos > 0 && pos < trailer) {
        const qsizetype lineEnd = pdf.indexOf('\n', pos);
        const QList<QByteArray> section = pdf.mid(pos, lineEnd - pos).trimmed().split(' ');
        const int count = section.size() == 2 ? section[1].toInt(&ok) : 0;
        if (!ok || count <= 0) return pdf;
        pos = lineEnd + 1;
        for (int i = 0; i < count; ++i, pos += 20) {
            if (pos + 20 > trailer + 1) return pdf;
            const qsizetype offset = pdf.mid(pos, 10).toLongLong(&ok);
            if (!ok) return pdf;
            if (pdf.at(pos + 17) == 'n' && offset > at)
                out.replace(pos, 10, QByteArray::number(offset + shift).rightJustified(10, '0'));
        }
    }
    out.replace(startxref, out.size() - startxref,
                "startxref\n" + QByteArray::number(xref + shift) + "\n%%EOF\n");
    out.insert(at, entry);
    return out;
}

}  // namespace km905
