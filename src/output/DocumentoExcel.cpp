#include "output/DocumentoExcel.h"

#include "platform/Testo.h"

#include "platform/Avanzamento.h"
#include "platform/ScritturaBlocchi.h"
#include "platform/SostituzioneSicura.h"

#include <QBuffer>
#include <cerrno>
#include <QFile>
#include <QFileDevice>
#include <QIODevice>
#include <array>
#include <charconv>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

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

// Every cell carries its type, so that the spreadsheet shows what the grid
// shows instead of guessing from the text: a text that looks like a number,
// a date or a formula stays text. sdval/sdnum are read by LibreOffice (the
// value in language 1033, so with a decimal point under any desktop locale;
// the display format in Italian), mso-number-format and x:num by Excel.
constexpr std::string_view kCellaTesto =
    "<td style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\">";
constexpr std::string_view kCellaData =
    "<td style='text-align: left; mso-number-format:\"dd\\/mm\\/yyyy\";' sdnum=\"1033;1040;GG/MM/AAAA\" sdval=\"";
constexpr std::string_view kCellaImporto =
    "<td style='text-align: left; mso-number-format:\"0\\.00\";' sdnum=\"1033;1040;0,00\" sdval=\"";

// Day 0 of the spreadsheets' date serials. Excel counts a 29 February 1900
// that never was, so its serials match from 1 March 1900 on only: earlier
// dates stay text.
constexpr qint64 kGiornoZero = 2415019;   // QDate(1899, 12, 30).toJulianDay()
constexpr qint64 kPrimoGiorno = 2415080;  // QDate(1900, 3, 1).toJulianDay()

} // namespace

Colonna TipoColonna(int colonna)
{
    switch (colonna) {
    case 2:
    case 5:
        return Colonna::Data;
    case 10:
    case 11:
    case 12:
        return Colonna::Importo;
    default:
        return Colonna::Testo;
    }
}

namespace {

// The five bytes windows-1252 leaves undefined: written raw, they stop
// spreadsheet readers that decode the file strictly.
constexpr bool NonDefinitoCp1252(char16_t c)
{
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// Bytes of a stored text that cannot go into the file as they are: markup,
// controls, the bytes the code page leaves undefined, and the blank (only
// the second of a run).
constexpr std::array<bool, 256> kDaTrattare = [] {
    std::array<bool, 256> t{};
    for (int c = 0; c <= 32; ++c)
        t[size_t(c)] = true;
    for (char16_t c = 0x80; c < 0xA0; ++c)
        t[size_t(c)] = NonDefinitoCp1252(c);
    for (const char c : {'&', '<', '>', '"'})
        t[size_t(quint8(c))] = true;
    return t;
}();

void AggiungiRiferimento(std::string &out, char32_t codice)
{
    out += "&#";
    out += std::to_string(quint32(codice));
    out += ';';
}

// An amount as the program writes it: an optional minus, digits, and an
// optional comma with one or two decimals, at most 15 digits in all so the
// number holds it exactly. Anything else is not taken for a number. Writes
// the value with a decimal point into valore (room for 24 characters) and
// returns its length, or 0.
template<typename Carattere>
int ValoreImporto(qsizetype n, Carattere carattere, char *valore)
{
    const auto cifra = [&](qsizetype k) { return k < n && carattere(k) >= u'0' && carattere(k) <= u'9'; };
    qsizetype k = 0;
    int scritti = 0;
    if (k < n && carattere(k) == u'-') {
        valore[scritti++] = '-';
        ++k;
    }
    int cifre = 0;
    for (; cifra(k) && cifre < 16; ++k, ++cifre)
        valore[scritti++] = char(carattere(k));
    if (cifre == 0)
        return 0;
    if (k < n && carattere(k) == u',') {
        valore[scritti++] = '.';
        ++k;
        int decimali = 0;
        for (; cifra(k) && decimali < 3; ++k, ++decimali, ++cifre)
            valore[scritti++] = char(carattere(k));
        if (decimali == 0 || decimali > 2)
            return 0;
    }
    return k == n && cifre <= 15 ? scritti : 0;
}

qint64 SerialeData(std::optional<QDate> data)
{
    if (!data)
        return -1;
    const qint64 giorno = data->toJulianDay();
    return giorno >= kPrimoGiorno ? giorno - kGiornoZero : -1;
}

void ApriCellaTipizzata(std::string &out, std::string_view apertura, const char *valore, int n)
{
    // Built whole and appended once: this runs for most cells of the sheet.
    char coda[2 * 24 + 16];
    char *p = std::copy(valore, valore + n, coda);
    constexpr std::string_view kTra = "\" x:num=\"";
    p = std::copy(kTra.begin(), kTra.end(), p);
    p = std::copy(valore, valore + n, p);
    *p++ = '"';
    *p++ = '>';
    out += apertura;
    out.append(coda, size_t(p - coda));
}

void ApriCellaData(std::string &out, qint64 seriale)
{
    char valore[24];
    const auto fine = std::to_chars(valore, valore + sizeof valore, seriale).ptr;
    ApriCellaTipizzata(out, kCellaData, valore, int(fine - valore));
}

} // namespace

void AggiungiTestoCella(std::string &out, const QString &testo)
{
    const QString t = Testo::Trim(testo);
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        const char16_t u = c.unicode();
        // HTML folds a run of blanks into one; a reference is kept as typed.
        if (u == u' ' && i > 0 && t.at(i - 1) == u' ') {
            out += "&#32;";
            continue;
        }
        switch (u) {
        case u'&': out += "&amp;"; continue;
        case u'<': out += "&lt;"; continue;
        case u'>': out += "&gt;"; continue;
        case u'"': out += "&quot;"; continue;
        default: break;
        }
        if (u < 32 || NonDefinitoCp1252(u)) {
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
    // Every byte from 32 up stands for a character the code page holds, but
    // for the five it leaves undefined (references, like the controls), so
    // runs of plain bytes are copied whole.
    const QByteArrayView t = Testo::TrimByte(testo);
    const char *const primo = t.data();
    const char *const fine = primo + t.size();
    const char *inizio = primo;
    for (const char *p = primo; p < fine; ++p) {
        const quint8 c = quint8(*p);
        if (!kDaTrattare[c])
            continue;
        // A single blank is copied; the others of a run are written as references.
        if (c == ' ' && (p == primo || p[-1] != ' '))
            continue;
        out.append(inizio, size_t(p - inizio));
        inizio = p + 1;
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: AggiungiRiferimento(out, c); break;
        }
    }
    out.append(inizio, size_t(fine - inizio));
}

void AggiungiCella(std::string &out, int colonna, const QString &testo)
{
    AggiungiCellaTipo(out, TipoColonna(colonna), testo);
}

void AggiungiCellaTipo(std::string &out, Colonna tipo, const QString &testo)
{
    if (tipo == Colonna::Data) {
        if (const qint64 seriale = SerialeData(Testo::LeggiData(Testo::Trim(testo))); seriale > 0) {
            ApriCellaData(out, seriale);
            AggiungiTestoCella(out, testo);
            out += "</td>";
            return;
        }
    } else if (tipo == Colonna::Importo) {
        const QString t = Testo::Trim(testo);
        char valore[24];
        const int n = t.size() <= 20
            ? ValoreImporto(t.size(), [&t](qsizetype k) { return t.at(k).unicode(); }, valore)
            : 0;
        if (n > 0) {
            ApriCellaTipizzata(out, kCellaImporto, valore, n);
            AggiungiTestoCella(out, t);
            out += "</td>";
            return;
        }
    }
    out += kCellaTesto;
    AggiungiTestoCella(out, testo);
    out += "</td>";
}

void AggiungiCellaCp1252(std::string &out, int colonna, QByteArrayView testo)
{
    const Colonna tipo = TipoColonna(colonna);
    if (tipo == Colonna::Data) {
        if (const qint64 seriale = SerialeData(Testo::LeggiDataCp1252(Testo::TrimByte(testo))); seriale > 0) {
            ApriCellaData(out, seriale);
            AggiungiTestoCellaCp1252(out, testo);
            out += "</td>";
            return;
        }
    } else if (tipo == Colonna::Importo) {
        const QByteArrayView t = Testo::TrimByte(testo);
        char valore[24];
        const int n = t.size() <= 20
            ? ValoreImporto(t.size(), [t](qsizetype k) { return char16_t(quint8(t[k])); }, valore)
            : 0;
        if (n > 0) {
            ApriCellaTipizzata(out, kCellaImporto, valore, n);
            AggiungiTestoCellaCp1252(out, t);
            out += "</td>";
            return;
        }
    }
    out += kCellaTesto;
    AggiungiTestoCellaCp1252(out, testo);
    out += "</td>";
}

namespace {

// Collects the pieces and hands them to the device in large blocks. A file
// gets them on a thread of its own, straight to its descriptor, so that the
// next block is built meanwhile (the device's own buffer stays empty).
class Scrittore {
public:
    explicit Scrittore(QIODevice &d) : m_destinazione(d)
    {
        m_blocco.reserve(kRiserva);
        auto *file = qobject_cast<QFileDevice *>(&d);
        // A readable file may have read ahead of its position, so the
        // descriptor's offset is not the file's: it takes the plain path.
        if (file && file->handle() >= 0 && !file->isSequential() && !d.isReadable() && d.bytesToWrite() == 0) {
            m_file.emplace(file->handle());
            m_dispositivoFile = file;
            m_inizio = file->pos();
        }
    }

    std::string &blocco() { return m_blocco; }

    bool pieno() const { return qsizetype(m_blocco.size()) >= kBlocco; }

    bool svuota()
    {
        if (m_blocco.empty())
            return true;
        if (m_file) {
            m_consegnati += qint64(m_blocco.size());
            const bool ok = m_file->Consegna(m_blocco);
            if (m_blocco.capacity() < kRiserva)
                m_blocco.reserve(kRiserva);
            return ok;
        }
        const qint64 n = qint64(m_blocco.size());
        const bool ok = m_destinazione.write(m_blocco.data(), n) == n;
        m_blocco.clear(); // keeps the room reserved for the next block
        return ok;
    }

    // Every block on the device. False if a write failed.
    bool termina()
    {
        if (!svuota())
            return false;
        if (!m_file)
            return true;
        if (!m_file->Termina())
            return false;
        // The device learns where its descriptor now stands.
        return m_dispositivoFile->seek(m_inizio + m_consegnati);
    }

private:
    static constexpr qsizetype kBlocco = 1 << 20;
    static constexpr size_t kRiserva = size_t(kBlocco) + (64 << 10);
    QIODevice &m_destinazione;
    // A plain string: the document is built from many short pieces, and its
    // append is cheaper than QByteArray's.
    std::string m_blocco;
    std::optional<ScritturaBlocchi> m_file;
    QFileDevice *m_dispositivoFile = nullptr;
    qint64 m_inizio = 0;     // the file's position before the document
    qint64 m_consegnati = 0; // bytes handed to m_file
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
    return Scrivi(destinazione, righe, [&cella](std::string &documento, qint64 r) {
        for (int c = PrimaColonna; c <= UltimaColonna; ++c)
            AggiungiCella(documento, c, cella(r, c));
    });
}

bool Scrivi(QIODevice &destinazione, qint64 righe, const RigaInFile &riga)
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
        riga(b, r);
        b += "</tr>";
        if (s.pieno()) {
            if (!s.svuota())
                return false;
            Avanzamento::Segnala(r + 1, righe);
        }
    }
    b += kCoda;
    if (!s.termina())
        return false;
    Avanzamento::Segnala(righe, righe); // the last block too: the progress ends at its end
    return true;
}

bool ScriviFile(const QString &percorso, qint64 righe, const RigaInFile &riga, int *errore)
{
    // The file replaced is let go after the new one is in place, on a thread
    // of its own: freeing a large file's blocks takes a while, and the user
    // need not wait for it.
    const int vecchio = ::open(QFile::encodeName(percorso).constData(), O_PATH | O_CLOEXEC);
    const EsitoSostituzione esito = SostituisciFile(percorso, [&](int fd) {
        QFile file;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return false;
        errno = 0;
        const bool ok = Scrivi(file, righe, riga) && file.flush();
        if (!ok && errno == 0)
            errno = EIO;
        return ok;
    });
    if (vecchio >= 0)
        std::thread([vecchio] { ::close(vecchio); }).detach();
    if (errore)
        *errore = esito.errore;
    return esito || esito.sostituito;
}

qint64 Dimensione(qint64 righe, const RigaInFile &riga)
{
    // A device that only counts: the document is built again without being kept.
    class Contatore : public QIODevice {
    public:
        qint64 contati = 0;

    protected:
        qint64 readData(char *, qint64) override { return -1; }
        qint64 writeData(const char *, qint64 n) override
        {
            contati += n;
            return n;
        }
    } contatore;
    contatore.open(QIODevice::WriteOnly);
    Scrivi(contatore, righe, riga);
    return contatore.contati;
}

namespace {

// The register's head with the worksheet's own name in place of its name.
std::string Testa(const QString &nomeFoglio)
{
    std::string t = kTesta;
    const std::string_view nome = "<x:Name>Registro Spese</x:Name>";
    std::string sostituto = "<x:Name>";
    AggiungiTestoCella(sostituto, nomeFoglio);
    sostituto += "</x:Name>";
    t.replace(t.find(nome), nome.size(), sostituto);
    return t;
}

} // namespace

bool ScriviFoglio(QIODevice &destinazione, const Foglio &foglio, qint64 righe, const RigaInFile &riga)
{
    Scrittore s(destinazione);
    std::string &b = s.blocco();
    b += Testa(foglio.nome);
    b += "<tr>";
    for (const ColonnaFoglio &c : foglio.colonne) {
        b += "<td style=\"text-align: left; font-weight: bold;\" width=";
        b += std::to_string(c.larghezza);
        b += '>';
        AggiungiTestoCella(b, c.titolo);
        b += "</td>";
    }
    b += "</tr>";
    for (qint64 r = 0; r < righe; ++r) {
        b += "<tr>";
        riga(b, r);
        b += "</tr>";
        if (s.pieno() && !s.svuota())
            return false;
    }
    b += kCoda;
    return s.termina();
}

bool ScriviFileFoglio(const QString &percorso, const Foglio &foglio, qint64 righe, const RigaInFile &riga)
{
    // Replaced whole and private, as the register's export is.
    const EsitoSostituzione esito = SostituisciFile(percorso, [&](int fd) {
        QFile file;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return false;
        errno = 0;
        const bool ok = ScriviFoglio(file, foglio, righe, riga) && file.flush();
        if (!ok && errno == 0)
            errno = EIO;
        return ok;
    });
    return esito || esito.sostituito;
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
