#include "output/DocumentoExcel.h"

#include "platform/Testo.h"

#include <QBuffer>
#include <QIODevice>
#include <array>
#include <string>

namespace DocumentoExcel {

namespace {

struct Intestazione {
    int larghezza;
    const char *titolo;
};

// The header cells of the sheet: width in pixels and title.
constexpr std::array<Intestazione, UltimaColonna> kIntestazioni{{
    {220, "Documento n."},
    {200, "Data emissione"},
    {300, "Beneficiario"},
    {250, "Codice fiscale"},
    {200, "Data operazione"},
    {250, "Codice prodotto o servizio"},
    {250, "Tipologia"},
    {320, "Prodotto o servizio"},
    {450, "Dettagli"},
    {200, "Totale dovuto"},
    {200, "Acconto"},
    {200, "Saldo"},
    {450, "Note"},
    {200, "Conto da saldare"},
}};

constexpr const char *kTesta =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
    " xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>Registro Spese</x:Name>"
    "<x:WorksheetOptions>"
    "<x:Selected/>"
    "<x:Panes>"
    "<x:Pane>"
    "<x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow>"
    "</x:Pane>"
    "</x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions>"
    "</x:ExcelWorksheet>"
    "</x:ExcelWorksheets>"
    "</x:ExcelWorkbook>"
    "</xml><![endif]-->"
    "</head>"
    "<body>"
    "<table x:str>";

constexpr const char *kCoda = "</table></body></html>";

constexpr const char *kCellaTesto = "<td style=\"text-align: left;\">";
// Codes (document numbers, tax codes and VAT numbers, product codes) are
// text: a spreadsheet would otherwise read "00123" as the number 123. The
// style is read by Excel, sdnum by the spreadsheet programs of other desktops.
constexpr const char *kCellaCodice =
    "<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\">";

bool ECodice(int colonna)
{
    return colonna == 1 || colonna == 4 || colonna == 6;
}

void AggiungiRiferimento(std::string &out, char32_t codice)
{
    out += "&#";
    out += std::to_string(quint32(codice));
    out += ';';
}

} // namespace

void AggiungiTestoCella(std::string &out, const QString &testo)
{
    const QString t = Testo::Trim(testo);
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        const char16_t u = c.unicode();
        switch (u) {
        case u'&': out += "&amp;"; continue;
        case u'<': out += "&lt;"; continue;
        case u'>': out += "&gt;"; continue;
        case u'"': out += "&quot;"; continue;
        default: break;
        }
        if (u < 32) {
            // Line breaks and other controls inside a field: kept as
            // references so that the document stays on one line.
            AggiungiRiferimento(out, u);
        } else if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
        } else if (c.isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate()) {
            AggiungiRiferimento(out, QChar::surrogateToUcs4(c, t.at(i + 1)));
            ++i;
        } else if (c.isSurrogate()) {
            AggiungiRiferimento(out, 0xFFFD);
        } else if (Testo::InCp1252(c)) {
            out += Testo::CodificaCp1252(QString(c)).toStdString();
        } else {
            AggiungiRiferimento(out, u);
        }
    }
}

void AggiungiTestoCellaCp1252(std::string &out, QByteArrayView testo)
{
    // Every byte from 32 up stands for a character the code page holds (the
    // five it leaves undefined included: they decode to the C1 control of the
    // same code, which encodes back to that byte), so runs of plain bytes are
    // copied whole.
    const QByteArrayView t = Testo::TrimByte(testo);
    const char *p = t.data();
    const char *const fine = p + t.size();
    while (p < fine) {
        const char *inizio = p;
        while (p < fine && quint8(*p) >= 32 && *p != '&' && *p != '<' && *p != '>' && *p != '"')
            ++p;
        out.append(inizio, p - inizio);
        if (p == fine)
            break;
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: AggiungiRiferimento(out, quint8(*p)); break;
        }
        ++p;
    }
}

namespace {

// Collects the pieces and hands them to the device in large blocks.
class Scrittore {
public:
    explicit Scrittore(QIODevice &d) : m_destinazione(d) { m_blocco.reserve(size_t(kBlocco) + 4096); }

    std::string &blocco() { return m_blocco; }

    bool forse()
    {
        return qsizetype(m_blocco.size()) < kBlocco || svuota();
    }

    bool svuota()
    {
        if (m_blocco.empty())
            return true;
        const qint64 n = qint64(m_blocco.size());
        const bool ok = m_destinazione.write(m_blocco.data(), n) == n;
        m_blocco.clear(); // keeps the room reserved for the next block
        return ok;
    }

private:
    static constexpr qsizetype kBlocco = 1 << 20;
    QIODevice &m_destinazione;
    // A plain string: the document is built from many short pieces, and its
    // append is cheaper than QByteArray's.
    std::string m_blocco;
};

} // namespace

QString NomeFile() { return QStringLiteral("Registro_Spese.xls"); }

QByteArray TestoCella(const QString &testo)
{
    std::string r;
    AggiungiTestoCella(r, testo);
    return QByteArray(r.data(), qsizetype(r.size()));
}

bool Scrivi(QIODevice &destinazione, qint64 righe, const Cella &cella)
{
    return Scrivi(destinazione, righe, [&cella](std::string &documento, qint64 r, int c) {
        AggiungiTestoCella(documento, cella(r, c));
    });
}

bool Scrivi(QIODevice &destinazione, qint64 righe, const CellaInFile &cella)
{
    Scrittore s(destinazione);
    std::string &b = s.blocco();
    b += kTesta;
    b += "<tr>";
    for (const Intestazione &i : kIntestazioni) {
        b += "<td style=\"text-align: left; font-weight: bold;\" width=";
        b += std::to_string(i.larghezza);
        b += '>';
        b += i.titolo;
        b += "</td>";
    }
    b += "</tr>";
    for (qint64 r = 0; r < righe; ++r) {
        b += "<tr>";
        for (int c = PrimaColonna; c <= UltimaColonna; ++c) {
            b += ECodice(c) ? kCellaCodice : kCellaTesto;
            cella(b, r, c);
            b += "</td>";
        }
        b += "</tr>";
        if (!s.forse())
            return false;
    }
    b += kCoda;
    return s.svuota();
}

QByteArray Documento(qint64 righe, const Cella &cella)
{
    QByteArray r;
    QBuffer buffer(&r);
    buffer.open(QIODevice::WriteOnly);
    Scrivi(buffer, righe, cella);
    return r;
}

} // namespace DocumentoExcel
