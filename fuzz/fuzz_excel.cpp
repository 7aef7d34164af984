// The spreadsheet export on arbitrary cell texts: the document is one line,
// its markup is never broken by a cell, and every cell reads back (markup
// references resolved, windows-1252 decoded) as its trimmed text.
#include "output/DocumentoExcel.h"
#include "platform/Testo.h"

#include <QBuffer>
#include <QStringList>
#include <cstdlib>

namespace {

// Undoes the escaping of a cell: &amp; &lt; &gt; &quot; and &#N;. Any other
// '&' or any raw markup character means the cell was not escaped.
QString Leggi(QByteArrayView b)
{
    QString r;
    qsizetype i = 0;
    while (i < b.size()) {
        const char c = b[i];
        if (c == '<' || c == '>' || c == '"' || c == '\r' || c == '\n')
            std::abort();
        if (c != '&') {
            const qsizetype j = b.indexOf('&', i) < 0 ? b.size() : b.indexOf('&', i);
            r += Testo::DecodificaCp1252(b.data() + i, j - i);
            i = j;
            continue;
        }
        const qsizetype fine = b.indexOf(';', i);
        if (fine < 0)
            std::abort();
        const QByteArrayView nome = b.sliced(i + 1, fine - i - 1);
        if (nome == "amp")
            r += u'&';
        else if (nome == "lt")
            r += u'<';
        else if (nome == "gt")
            r += u'>';
        else if (nome == "quot")
            r += u'"';
        else if (nome.size() > 1 && nome[0] == '#') {
            bool ok = false;
            const uint codice = nome.sliced(1).toByteArray().toUInt(&ok);
            if (!ok || codice > 0x10FFFF)
                std::abort();
            // Not QString::fromUcs4: it would drop a byte order mark.
            if (QChar::requiresSurrogates(codice)) {
                r += QChar(QChar::highSurrogate(codice));
                r += QChar(QChar::lowSurrogate(codice));
            } else {
                r += QChar(char16_t(codice));
            }
        } else {
            std::abort();
        }
        i = fine + 1;
    }
    return r;
}

// What a cell must read back as: the trimmed text, with a half of a
// surrogate pair (which no file can hold) as the replacement character.
QString Atteso(const QString &t)
{
    QString r = Testo::Trim(t);
    for (qsizetype i = 0; i < r.size(); ++i) {
        if (r.at(i).isHighSurrogate() && i + 1 < r.size() && r.at(i + 1).isLowSurrogate())
            ++i;
        else if (r.at(i).isSurrogate())
            r[i] = QChar(0xFFFD);
    }
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    // Cells as UTF-16 (any code unit, lone surrogates included), split at
    // U+0001; 14 cells make a row.
    const QString tutto = QString::fromUtf16(reinterpret_cast<const char16_t *>(dati), qsizetype(n / 2));
    const QStringList celle = tutto.split(QChar(1));
    const int colonne = DocumentoExcel::UltimaColonna - DocumentoExcel::PrimaColonna + 1;
    const qint64 righe = (celle.size() + colonne - 1) / colonne;
    const DocumentoExcel::Cella cella = [&](qint64 r, int c) {
        if (c < DocumentoExcel::PrimaColonna || c > DocumentoExcel::UltimaColonna || r < 0 || r >= righe)
            std::abort();
        return celle.value(qsizetype(r * colonne + c - DocumentoExcel::PrimaColonna));
    };
    const QByteArray doc = DocumentoExcel::Documento(righe, cella);

    if (doc.contains('\r') || doc.contains('\n'))
        std::abort();
    if (!doc.startsWith("<html ") || !doc.endsWith("</table></body></html>"))
        std::abort();
    const qsizetype tabella = doc.indexOf("<table x:str>");
    if (tabella < 0)
        std::abort();

    // Walk the table: rows of 14 cells, the first being the header.
    qsizetype p = tabella + qsizetype(sizeof "<table x:str>") - 1;
    for (qint64 r = -1; r < righe; ++r) {
        if (!QByteArrayView(doc).sliced(p).startsWith("<tr>"))
            std::abort();
        p += 4;
        for (int c = DocumentoExcel::PrimaColonna; c <= DocumentoExcel::UltimaColonna; ++c) {
            if (!QByteArrayView(doc).sliced(p).startsWith("<td "))
                std::abort();
            const qsizetype inizio = doc.indexOf('>', p) + 1;
            const qsizetype fine = doc.indexOf("</td>", inizio);
            if (inizio <= 0 || fine < 0)
                std::abort();
            const QByteArrayView contenuto = QByteArrayView(doc).sliced(inizio, fine - inizio);
            const QString letto = Leggi(contenuto);
            if (r >= 0) {
                const QString testo = cella(r, c);
                if (letto != Atteso(testo) || contenuto != DocumentoExcel::TestoCella(testo))
                    std::abort();
            }
            p = fine + 5;
        }
        if (!QByteArrayView(doc).sliced(p).startsWith("</tr>"))
            std::abort();
        p += 5;
    }
    if (QByteArrayView(doc).sliced(p) != "</table></body></html>")
        std::abort();

    // Writing straight to a device gives the same bytes.
    QByteArray diretto;
    QBuffer b(&diretto);
    b.open(QIODevice::WriteOnly);
    if (!DocumentoExcel::Scrivi(b, righe, cella) || diretto != doc)
        std::abort();
    return 0;
}
