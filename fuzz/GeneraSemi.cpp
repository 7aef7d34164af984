// Writes the seed corpora of the fuzz targets into the folder given as the
// only argument, one subfolder per target. Archives are made of whole records
// with realistic fields, so that the targets start from inputs the readers
// decode field by field rather than from a few stray bytes.
#include "access/Crypt.h"
#include "register/Scheda.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QStringList>
#include <cstdio>

namespace {

QDir g_radice;

void Semina(const char *bersaglio, const QString &nome, const QByteArray &dati)
{
    const QString cartella = g_radice.filePath(QString::fromLatin1(bersaglio));
    QDir().mkpath(cartella);
    QFile f(QDir(cartella).filePath(nome));
    if (!f.open(QIODevice::WriteOnly) || f.write(dati) != dati.size()) {
        std::fprintf(stderr, "non riesco a scrivere %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
}

TScheda Scheda(const QStringList &v)
{
    TScheda s;
    s.byte.fill(' ');
    for (int c = 0; c < NumeroCampi; ++c)
        s.ImpostaTesto(Campo(c), v.value(c));
    return s;
}

QByteArray Archivio(const QList<TScheda> &schede, QByteArrayView coda = {})
{
    QByteArray b;
    for (const TScheda &s : schede)
        b.append(s.byte.data(), TScheda::Dimensione);
    b.append(coda);
    return b;
}

// NumDoc, DataDoc, Fornitore, CodFisc, Data, Codice, Tipologia, Servizi,
// Dettagli, Dovuto, Acconto, Saldo, Note, DaSaldare, File01-03, Desc01-03.
const QList<TScheda> &Schede()
{
    static const QList<TScheda> s{
        Scheda({u"F-102/24"_qs, u"03/01/2024"_qs, u"Enel Energia S.p.A."_qs, u"06655971007"_qs, u"15/01/2024"_qs,
                u"LUCE"_qs, u"Utenze"_qs, u"Bolletta energia elettrica"_qs, u"Bimestre nov-dic"_qs, u"124,50"_qs,
                u"0,00"_qs, u"124,50"_qs, u"Domiciliata"_qs, u"No"_qs, u"bolletta_gen.pdf"_qs, {}, {},
                u"Bolletta"_qs}),
        Scheda({u"7"_qs, u"20/02/2024"_qs, u"Studio dentistico Rossi"_qs, u"RSSMRA80A01H501U"_qs, u"28/02/2024"_qs,
                u"SAN-01"_qs, u"Spese mediche"_qs, u"Otturazione"_qs, u"Detraibile"_qs, u"180,00"_qs, u"50,00"_qs,
                u"130,00"_qs, u"Città: è già saldata?"_qs, u"S\u00EC"_qs, u"fattura 7.pdf"_qs, u"ricevuta.jpg"_qs,
                {}, u"Fattura"_qs, u"Ricevuta"_qs}),
        Scheda({u"A12"_qs, u"31/12/2023"_qs, u"Condominio Via Roma"_qs, {}, u"05/03/2024"_qs, u"CONDO"_qs,
                u"Casa"_qs, u"Rata condominiale"_qs, {}, u"-10,20"_qs, {}, {}, {}, u"S\u00EC"_qs}),
        Scheda({u"X"_qs, {}, u"Negozio"_qs, {}, u"5/3/2024"_qs, u"VAR"_qs, {}, u"Spesa"_qs, {}, u"dieci"_qs}),
        Scheda({u"Y"_qs, {}, u"Negozio"_qs, {}, u"15/03/2024"_qs, u"VAR"_qs, {}, u"Spesa"_qs, {}, {}, {}, {}, {},
                {}, u"../fuori.txt"_qs, u".."_qs, u"a\\b"_qs}),
        Scheda({u"Z"_qs, {}, u"Farmacia"_qs, {}, u"30/11/2025"_qs, u"FARM"_qs, {}, u"Medicinali"_qs, {},
                u"1E308"_qs}),
    };
    return s;
}

QByteArray Store(QByteArrayView prima, QByteArrayView riga, QByteArrayView dopo)
{
    return prima.toByteArray() + riga.toByteArray() + dopo.toByteArray();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: genera_semi CARTELLA\n");
        return 2;
    }
    g_radice = QDir(QString::fromLocal8Bit(argv[1]));
    const QList<TScheda> &s = Schede();

    // Archives: one record, a few, all, and with trailing bytes that steer
    // the scans' criteria.
    const QList<QByteArray> archivi{
        Archivio({s[0]}),
        Archivio({s[1], s[2]}),
        Archivio(s),
        Archivio({s[0], s[1]}, "\x03\x00\x05\x01\x07\x02\x04\x00\x07\x00\x04\x00\x03\x10\x40\x80"),
        Archivio({s[3], s[2], s[5]}, "\x09\x01\x02\x02\x04\x00\x06\x00\x01\x00\x06"),
        Archivio({s[4]}, "\x0e"),
    };
    for (const char *b : {"fuzz_scheda", "fuzz_scansioni", "fuzz_esportazione"})
        for (int i = 0; i < archivi.size(); ++i)
            Semina(b, QStringLiteral("archivio%1").arg(i), archivi[i]);
    for (int i = 0; i < s.size(); ++i) {
        Semina("fuzz_riga", QStringLiteral("scheda%1").arg(i), Archivio({s[i]}));
        Semina("fuzz_allegati", QStringLiteral("scheda%1").arg(i), Archivio({s[i]}));
    }
    int k = 0;
    for (const char *nome : {"fattura.pdf", "..", "../../etc/passwd", "a\\b.txt", " spazi .doc ", "."})
        Semina("fuzz_allegati", QStringLiteral("nome%1").arg(k++), nome);

    // Password stores: as installed, with CRLF, comments, other sections, a
    // byte-order mark, quotes, a damaged value.
    const QByteArray valore = Crypt::CodificaPassword(QString::fromUtf16(Crypt::PasswordIniziale)).toLatin1();
    const QByteArray riga = "Valore=" + valore;
    const QList<QByteArray> store{
        Store("[Accesso]\r\n", riga, "\r\n"),
        Store("; installato\n[Installazione]\nCartella=C:\\Programmi\\Valmora\n\n[accesso]\n", riga, "\n[Altro]\nValore=00\n"),
        Store("\xEF\xBB\xBF[Accesso]\r\n", riga, "\r\n"),
        Store("[ Accesso ]\n# commento\n  valore  =  \"", valore, "\"  \n"),
        Store("[Accesso]\rUtente=casa\r", "Valore=0C4XE7", "\r"),
        Store("[Accesso]\n", "Valore=", "\n"),
    };
    for (int i = 0; i < store.size(); ++i)
        Semina("fuzz_store_password", QStringLiteral("store%1").arg(i), store[i]);
    Semina("fuzz_password", QStringLiteral("valore"), valore);

    // Texts typed or read: amounts, dates, identifiers.
    for (const char *t : {"124,50", "-0,005", "1E308", "15/03/2024", "29/02/2023", "01/gennaio/2024|x|2024",
                          "10,20|5,30|", "RSSMRA80A01H501U", "06655971007", "Sì città €"}) {
        const QString nome = QStringLiteral("testo%1").arg(qHash(QByteArray(t)));
        for (const char *b : {"fuzz_date", "fuzz_testo", "fuzz_importi", "fuzz_identificativi"})
            Semina(b, nome, t);
    }
    const QString celle = u"N. 1\u0001<b>\u0001a & b\u0001\u20AC 10,00\u0001"_qs;
    Semina("fuzz_excel", QStringLiteral("celle"),
           QByteArray(reinterpret_cast<const char *>(celle.utf16()), celle.size() * 2));
    // Bank statements in the shapes the import reads.
    const char *csv[] = {
        ("Banca\r\nEstratto conto;;;;\r\n\r\nData operazione;Data valuta;Descrizione;Addebiti;Accrediti\r\n"
         "05/03/2024;06/03/2024;ADDEBITO SDD ENEL - luce;85,40;\r\n08/03/2024;08/03/2024;STIPENDIO;;2.100,00\r\n"),
        "Data\tBeneficiario\tCausale\tImporto\n2024-04-02\tTelecom\tFattura\t-39.90\n2024-04-03\tRossi\tx\t45.00\n",
        "\xEF\xBB\xBF\"Data\",\"Descrizione\",\"Importo\"\n\"15/05/2024\",\"Caff\xC3\xA8, \"\"bar\"\"\n due\",\"-4,50\"\n",
        "Data;Beneficiario;Importo\n20/06/2024;Universit\xE0;-156,00\n21/06/2024;\x80 ok;(1.000,00)\n",
    };
    const char *ofx[] = {
        ("OFXHEADER:100\r\nDATA:OFXSGML\r\n\r\n<OFX><BANKTRANLIST>\r\n<STMTTRN>\r\n<TRNTYPE>DEBIT\r\n"
         "<DTPOSTED>20240703\r\n<DTUSER>20240702\r\n<TRNAMT>-64.20\r\n<NAME>Hera &amp; co\r\n<MEMO>gas\r\n"
         "</STMTTRN>\r\n</BANKTRANLIST></OFX>\r\n"),
        ("<?xml version=\"1.0\"?>\n<OFX><STMTTRN><DTPOSTED>20240805120000[+1:CET]</DTPOSTED><TRNAMT>-1234.50</TRNAMT>"
         "<PAYEE><NAME>Agenzia &#233;</NAME></PAYEE><MEMO>F24</MEMO></STMTTRN></OFX>\n"),
    };
    const char *qif[] = {
        "!Type:Bank\nD09/01/2024\nT-1,120.00\nPAffitti\nMCanone\nLCasa\n^\nD09/15/2024\nT45.60\nPCoop\n^\n",
        "!Account\nNConto\n^\n!Type:CCard\r\nD1/5'24\r\nU-7.00\r\nPBar\r\nSCibo\r\n$-7.00\r\n^\r\n",
    };
    k = 0;
    for (const char *t : csv)
        Semina("fuzz_estratto_csv", QStringLiteral("estratto%1").arg(k++), t);
    for (const char *t : ofx)
        Semina("fuzz_estratto_ofx", QStringLiteral("estratto%1").arg(k++), t);
    for (const char *t : qif)
        Semina("fuzz_estratto_qif", QStringLiteral("estratto%1").arg(k++), t);
    return 0;
}
