#include "output/DocumentoExcel.h"

#include "platform/Testo.h"

#include <QBuffer>
#include <QIODevice>
#include <array>

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

void AggiungiRiferimento(QByteArray &out, char32_t codice)
{
    out += "&#";
    out += QByteArray::number(quint32(codice));
    out += ';';
}

void AggiungiTesto(QByteArray &out, const QString &testo)
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
            out += Testo::CodificaCp1252(QString(c));
        } else {
            AggiungiRiferimento(out, u);
        }
    }
}

// Collects the pieces and hands them to the device in large blocks.
class Scrittore {
public:
    explicit Scrittore(QIODevice &d) : m_destinazione(d) { m_blocco.reserve(kBlocco + 4096); }

    QByteArray &blocco() { return m_blocco; }

    bool forse()
    {
        return m_blocco.size() < kBlocco || svuota();
    }

    bool svuota()
    {
        if (m_blocco.isEmpty())
            return true;
        const bool ok = m_destinazione.write(m_blocco) == m_blocco.size();
        m_blocco.clear();
        return ok;
    }

private:
    static constexpr qsizetype kBlocco = 1 << 20;
    QIODevice &m_destinazione;
    QByteArray m_blocco;
};

} // namespace

QString NomeFile() { return QStringLiteral("Registro_Spese.xls"); }

QByteArray TestoCella(const QString &testo)
{
    QByteArray r;
    AggiungiTesto(r, testo);
    return r;
}

bool Scrivi(QIODevice &destinazione, qint64 righe, const Cella &cella)
{
    Scrittore s(destinazione);
    QByteArray &b = s.blocco();
    b += kTesta;
    b += "<tr>";
    for (const Intestazione &i : kIntestazioni) {
        b += "<td style=\"text-align: left; font-weight: bold;\" width=";
        b += QByteArray::number(i.larghezza);
        b += '>';
        b += i.titolo;
        b += "</td>";
    }
    b += "</tr>";
    for (qint64 r = 0; r < righe; ++r) {
        b += "<tr>";
        for (int c = PrimaColonna; c <= UltimaColonna; ++c) {
            b += ECodice(c) ? kCellaCodice : kCellaTesto;
            AggiungiTesto(b, cella(r, c));
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
