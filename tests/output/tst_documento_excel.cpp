#include "CartellaPiena.h"

#include "app/TestiGuida.h"
#include "output/DocumentoExcel.h"
#include "platform/Avanzamento.h"
#include "platform/Testo.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Accepts the first `limite` bytes, then every write fails.
class DispositivoCheCede : public QIODevice {
public:
    explicit DispositivoCheCede(qint64 limite) : m_limite(limite) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    QByteArray scritti;
    int scrittureDopoIlGuasto = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *dati, qint64 n) override
    {
        if (scritti.size() + n > m_limite) {
            ++scrittureDopoIlGuasto;
            return -1;
        }
        scritti.append(dati, n);
        return n;
    }

private:
    qint64 m_limite;
};

struct CellaDati {
    QByteArray attributi; // the <td ...> attributes
    QByteArray testo;
};

// The rows of the table: the header row first, then the data rows.
QList<QList<CellaDati>> Righe(const QByteArray &documento)
{
    QList<QList<CellaDati>> righe;
    static const QRegularExpression riga(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cella(QStringLiteral("<td([^>]*)>([^<]*)</td>"));
    const QString testo = QString::fromLatin1(documento);
    for (auto r = riga.globalMatch(testo); r.hasNext();) {
        const QString contenuto = r.next().captured(1);
        QList<CellaDati> celle;
        for (auto c = cella.globalMatch(contenuto); c.hasNext();) {
            const auto m = c.next();
            celle.append({m.captured(1).toLatin1(), m.captured(2).toLatin1()});
        }
        righe.append(celle);
    }
    return righe;
}

const QByteArray kCellaTesto =
    " style='text-align: left; mso-number-format:\"\\@\";' sdnum=\"1040;0;@\"";

QByteArray CellaData(const char *seriale)
{
    return QByteArray(" style='text-align: left; mso-number-format:\"dd\\/mm\\/yyyy\";'"
                      " sdnum=\"1033;1040;GG/MM/AAAA\" sdval=\"")
        + seriale + "\" x:num=\"" + seriale + '"';
}

QByteArray CellaImporto(const char *valore)
{
    return QByteArray(" style='text-align: left; mso-number-format:\"0\\.00\";'"
                      " sdnum=\"1033;1040;0,00\" sdval=\"")
        + valore + "\" x:num=\"" + valore + '"';
}

} // namespace

class TestDocumentoExcel : public QObject {
    Q_OBJECT
private slots:
    void documentoSenzaRighe();
    void treRighe_quattordiciCelleInOrdine();
    void testoDellaCella_data();
    void testoDellaCella();
    void celleTipizzate_data();
    void celleTipizzate();
    void unaSolaRiga_senzaCrNeLf();
    void scritturaFallita_data();
    void scritturaFallita();
    void file_data();
    void file();
    void fileSenzaSpazio();
    void fileGiaAperto_data();
    void fileGiaAperto();
    void guida_treParagrafi();
};

void TestDocumentoExcel::documentoSenzaRighe()
{
    const QByteArray atteso =
        "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
        "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
        "xmlns=\"http://www.w3.org/TR/REC-html40\">"
        "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
        "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
        "<x:Name>Registro Spese</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
        "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
        "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
        "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
        "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>"
        "<tr>"
        "<td style=\"text-align: left; font-weight: bold;\" width=220>Documento n.</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=200>Data emissione</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=300>Beneficiario</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=250>Codice fiscale</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=200>Data operazione</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=250>Codice prodotto o servizio</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=250>Tipologia</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=320>Prodotto o servizio</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=450>Dettagli</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=200>Totale dovuto</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=200>Acconto</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=200>Saldo</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=450>Note</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=200>Conto da saldare</td>"
        "</tr>"
        "</table></body></html>";
    int chiamate = 0;
    const QByteArray documento = DocumentoExcel::Documento(0, [&](qint64, int) {
        ++chiamate;
        return QString();
    });
    QCOMPARE(documento, atteso);
    QCOMPARE(chiamate, 0);
}

void TestDocumentoExcel::treRighe_quattordiciCelleInOrdine()
{
    const QByteArray documento = DocumentoExcel::Documento(3, [](qint64 r, int c) {
        return QStringLiteral("r%1c%2").arg(r).arg(c);
    });
    const auto righe = Righe(documento);
    QCOMPARE(righe.size(), 4);
    QCOMPARE(righe.at(0).size(), 14);
    for (int r = 0; r < 3; ++r) {
        const auto &celle = righe.at(r + 1);
        QCOMPARE(celle.size(), 14);
        for (int c = 1; c <= 14; ++c)
            QCOMPARE(celle.at(c - 1).testo, QStringLiteral("r%1c%2").arg(r).arg(c).toLatin1());
    }
    QVERIFY(documento.endsWith("</tr></table></body></html>"));
}

void TestDocumentoExcel::testoDellaCella_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QByteArray>("atteso");
    QTest::newRow("markup") << u"x<y & z"_s << QByteArray("x&lt;y &amp; z");
    QTest::newRow("virgolette e maggiore") << u"\"Rossi\" > Bianchi"_s
                                           << QByteArray("&quot;Rossi&quot; &gt; Bianchi");
    QTest::newRow("entita gia scritta") << u"&amp;"_s << QByteArray("&amp;amp;");
    QTest::newRow("Sì in un byte") << u"Sì"_s << QByteArray("S\xEC");
    QTest::newRow("accentate") << u"Perché già Niccolò"_s << QByteArray("Perch\xE9 gi\xE0 Niccol\xF2");
    QTest::newRow("euro e legature") << u"€ 5 Œ"_s << QByteArray("\x80 5 \x8C");
    QTest::newRow("fuori dal codice") << u"Łódź"_s << QByteArray("&#321;\xF3" "d&#378;");
    QTest::newRow("oltre il piano base") << u"ok 😀"_s << QByteArray("ok &#128512;");
    QTest::newRow("surrogato isolato") << QString(QChar(0xD800)) + u"x"_s << QByteArray("&#65533;x");
    QTest::newRow("spazi e controlli ai bordi") << u" \t\x01 Rossi Mario \r\n "_s
                                                << QByteArray("Rossi Mario");
    QTest::newRow("a capo interno") << u"prima\r\nseconda\tterza"_s
                                    << QByteArray("prima&#13;&#10;seconda&#9;terza");
    // HTML folds a run of blanks: all but the first are written as references.
    QTest::newRow("blanchi in fila") << u"a   b c  d"_s << QByteArray("a &#32;&#32;b c &#32;d");
    QTest::newRow("blanco e tabulazione") << u"a \t b"_s << QByteArray("a &#9; b");
    QTest::newRow("byte indefiniti del codice") << u"a\u0081\u008D\u008F\u0090\u009Db"_s
                                                << QByteArray("a&#129;&#141;&#143;&#144;&#157;b");
    QTest::newRow("vuoto") << QString() << QByteArray();
}

void TestDocumentoExcel::testoDellaCella()
{
    QFETCH(QString, campo);
    QFETCH(QByteArray, atteso);
    // The note column: an ordinary text cell.
    const QByteArray documento = DocumentoExcel::Documento(1, [&](qint64, int c) {
        return c == 13 ? campo : QString();
    });
    const auto righe = Righe(documento);
    QCOMPARE(righe.size(), 2);
    QCOMPARE(righe.at(1).size(), 14);
    QCOMPARE(righe.at(1).at(12).testo, atteso);
    QCOMPARE(DocumentoExcel::TestoCella(campo), atteso);
    if (!campo.contains(u'\x01') && !campo.contains(u'\r')) {
        std::string daiByte; // the same text as the bytes of a record
        DocumentoExcel::AggiungiTestoCellaCp1252(daiByte, Testo::CodificaCp1252(campo));
        if (Testo::DecodificaCp1252(Testo::CodificaCp1252(campo)) == campo)
            QCOMPARE(QByteArray::fromStdString(daiByte), atteso);
    }
}

void TestDocumentoExcel::celleTipizzate_data()
{
    QTest::addColumn<int>("colonna");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QByteArray>("attributi");
    QTest::addColumn<QByteArray>("testo");
    // Texts that a spreadsheet would take for numbers, dates or formulas.
    const char *ingannevoli[] = {"000123", "=1+1", "+39 123", "-5", "@somma", "1E5", "1/2",
                                 "3-4", "05/03/2024", "120,50"};
    for (int c : {1, 3, 4, 6, 7, 8, 9, 13, 14})
        for (const char *t : ingannevoli)
            QTest::addRow("colonna %d: %s", c, t) << c << QString::fromLatin1(t) << kCellaTesto
                                                  << QByteArray(t);
    QTest::newRow("data emissione") << 2 << u" 05/03/2024 "_s << CellaData("45356") << QByteArray("05/03/2024");
    QTest::newRow("data operazione bisestile") << 5 << u"29/02/2024"_s << CellaData("45351") << QByteArray("29/02/2024");
    QTest::newRow("primo marzo 1900") << 5 << u"01/03/1900"_s << CellaData("61") << QByteArray("01/03/1900");
    QTest::newRow("data prima del marzo 1900") << 5 << u"28/02/1900"_s << kCellaTesto << QByteArray("28/02/1900");
    QTest::newRow("data che non esiste") << 2 << u"31/02/2024"_s << kCellaTesto << QByteArray("31/02/2024");
    QTest::newRow("data senza zeri") << 2 << u"5/3/2024"_s << kCellaTesto << QByteArray("5/3/2024");
    QTest::newRow("data a formula") << 5 << u"=OGGI()"_s << kCellaTesto << QByteArray("=OGGI()");
    QTest::newRow("data vuota") << 2 << QString() << kCellaTesto << QByteArray();
    QTest::newRow("importo") << 10 << u"120,50"_s << CellaImporto("120.50") << QByteArray("120,50");
    QTest::newRow("importo negativo") << 11 << u" -3,5 "_s << CellaImporto("-3.5") << QByteArray("-3,5");
    QTest::newRow("importo intero") << 12 << u"0"_s << CellaImporto("0") << QByteArray("0");
    QTest::newRow("importo di quindici cifre") << 10 << u"1234567890123,45"_s
                                               << CellaImporto("1234567890123.45") << QByteArray("1234567890123,45");
    QTest::newRow("sedici cifre") << 10 << u"12345678901234,56"_s << kCellaTesto << QByteArray("12345678901234,56");
    QTest::newRow("esponente") << 11 << u"1E5"_s << kCellaTesto << QByteArray("1E5");
    QTest::newRow("migliaia") << 12 << u"1.234,50"_s << kCellaTesto << QByteArray("1.234,50");
    QTest::newRow("tre decimali") << 10 << u"12,345"_s << kCellaTesto << QByteArray("12,345");
    QTest::newRow("punto decimale") << 10 << u"12.50"_s << kCellaTesto << QByteArray("12.50");
    QTest::newRow("solo segno") << 11 << u"-"_s << kCellaTesto << QByteArray("-");
    QTest::newRow("senza parte intera") << 12 << u",50"_s << kCellaTesto << QByteArray(",50");
    QTest::newRow("virgola finale") << 12 << u"12,"_s << kCellaTesto << QByteArray("12,");
    QTest::newRow("importo a formula") << 10 << u"=2*3"_s << kCellaTesto << QByteArray("=2*3");
    QTest::newRow("importo vuoto") << 10 << QString() << kCellaTesto << QByteArray();
}

void TestDocumentoExcel::celleTipizzate()
{
    QFETCH(int, colonna);
    QFETCH(QString, campo);
    QFETCH(QByteArray, attributi);
    QFETCH(QByteArray, testo);
    const QByteArray documento = DocumentoExcel::Documento(1, [&](qint64, int c) {
        return c == colonna ? campo : QString();
    });
    const CellaDati cella = Righe(documento).at(1).at(colonna - 1);
    QCOMPARE(cella.attributi, attributi);
    QCOMPARE(cella.testo, testo);
    // The same cell from the bytes of a record.
    std::string daiByte;
    DocumentoExcel::AggiungiCellaCp1252(daiByte, colonna, campo.toLatin1());
    QCOMPARE(QByteArray::fromStdString(daiByte), "<td" + attributi + '>' + testo + "</td>");
}

void TestDocumentoExcel::unaSolaRiga_senzaCrNeLf()
{
    const QByteArray documento = DocumentoExcel::Documento(2, [](qint64 r, int c) {
        return c == 13 ? QStringLiteral("nota %1\r\nsu due righe\n").arg(r) : QStringLiteral("x\ry");
    });
    QVERIFY(documento.size() > 1000);
    QVERIFY(!documento.contains('\r'));
    QVERIFY(!documento.contains('\n'));
}

void TestDocumentoExcel::scritturaFallita_data()
{
    QTest::addColumn<qint64>("righe");
    QTest::addColumn<qint64>("limite");
    QTest::newRow("nessun byte") << qint64(3) << qint64(0);
    QTest::newRow("documento piccolo") << qint64(3) << qint64(500);
    QTest::newRow("a meta di un documento grande") << qint64(8000) << qint64(1'500'000);
}

void TestDocumentoExcel::scritturaFallita()
{
    QFETCH(qint64, righe);
    QFETCH(qint64, limite);
    qint64 celleChieste = 0;
    const auto cella = [&](qint64 r, int c) {
        ++celleChieste;
        return QStringLiteral("riga %1 colonna %2 con un po' di testo").arg(r).arg(c);
    };
    const QByteArray intero = DocumentoExcel::Documento(righe, cella);
    QVERIFY(intero.size() > limite);
    celleChieste = 0;

    DispositivoCheCede d(limite);
    QVERIFY(!DocumentoExcel::Scrivi(d, righe, cella));
    // What reached the device is the start of the document, and the writer
    // gave up at the first failure instead of going through every row.
    QVERIFY(intero.startsWith(d.scritti));
    QCOMPARE(d.scrittureDopoIlGuasto, 1);
    if (righe > 1000)
        QVERIFY(celleChieste < righe * 14);

    DispositivoCheCede capiente(intero.size());
    QVERIFY(DocumentoExcel::Scrivi(capiente, righe, cella));
    QCOMPARE(capiente.scritti, intero);
}

namespace {

QString TestoDiProva(qint64 r, int c)
{
    return QStringLiteral("riga %1 colonna %2 <&> \u20AC con  due blanchi").arg(r).arg(c);
}

DocumentoExcel::RigaInFile RigaDiProva()
{
    return [](std::string &d, qint64 r) {
        for (int c = DocumentoExcel::PrimaColonna; c <= DocumentoExcel::UltimaColonna; ++c)
            DocumentoExcel::AggiungiCella(d, c, TestoDiProva(r, c));
    };
}

QByteArray Leggi(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void TestDocumentoExcel::file_data()
{
    QTest::addColumn<qint64>("righe");
    QTest::addColumn<bool>("esistente");
    QTest::newRow("nessuna riga") << qint64(0) << false;
    QTest::newRow("tre righe") << qint64(3) << false;
    // Several blocks go to the file while the next ones are built.
    QTest::newRow("molti blocchi") << qint64(20000) << false;
    QTest::newRow("molti blocchi al posto di un file") << qint64(20000) << true;
}

void TestDocumentoExcel::file()
{
    QFETCH(qint64, righe);
    QFETCH(bool, esistente);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(DocumentoExcel::NomeFile());
    if (esistente) {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write(QByteArray(3 << 20, 'v')) == 3 << 20);
    }
    QList<qint64> avanzamento;
    {
        const Avanzamento::Ascolto ascolto([&](qint64 fatte, qint64 totale) {
            QCOMPARE(totale, righe);
            avanzamento.append(fatte);
        });
        QVERIFY(DocumentoExcel::ScriviFile(percorso, righe, RigaDiProva()));
    }
    const QByteArray atteso = DocumentoExcel::Documento(righe, TestoDiProva);
    const QByteArray scritto = Leggi(percorso);
    QCOMPARE(scritto.size(), atteso.size());
    QVERIFY(scritto == atteso);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{DocumentoExcel::NomeFile()});
    QVERIFY(!avanzamento.isEmpty());
    QCOMPARE(avanzamento.last(), righe);
    QVERIFY(std::is_sorted(avanzamento.begin(), avanzamento.end()));
}

void TestDocumentoExcel::fileSenzaSpazio()
{
    // A disk that fills up during the export: the failure is told, the old
    // file stays as it was, and nothing is left beside it.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString percorso = dir.filePath(DocumentoExcel::NomeFile());
    const QByteArray vecchio("il file di prima");
    {
        const CartellaPiena piena(dir.path());
        {
            QFile f(percorso);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(vecchio), vecchio.size());
        }
        qint64 righeChieste = 0;
        const auto riga = [&](std::string &d, qint64 r) {
            ++righeChieste;
            RigaDiProva()(d, r);
        };
        constexpr qint64 righe = 200000; // far more than the room left
        int errore = 0;
        QVERIFY(!DocumentoExcel::ScriviFile(percorso, righe, riga, &errore));
        // The cause reaches the screen, which names a full disk as such.
        QCOMPARE(errore, piena.Montata() ? ENOSPC : EFBIG);
        // It gave up at the failure instead of building the whole document.
        QVERIFY(righeChieste < righe);
        QCOMPARE(Leggi(percorso), vecchio);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{DocumentoExcel::NomeFile()});
    }
}

void TestDocumentoExcel::fileGiaAperto_data()
{
    QTest::addColumn<bool>("letto");
    QTest::newRow("scritto") << false;
    // Read up to where the document goes: the file has read ahead of that
    // point, so the system's position is not the file's.
    QTest::newRow("letto e scritto") << true;
}

void TestDocumentoExcel::fileGiaAperto()
{
    // A file the caller has already used, and goes on writing to.
    QFETCH(bool, letto);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile f(dir.filePath(QStringLiteral("documento.xls")));
    if (letto) {
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write("prima e altro ancora"), 20);
        f.close();
        QVERIFY(f.open(QIODevice::ReadWrite));
        QCOMPARE(f.read(5), QByteArray("prima"));
    } else {
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write("prima"), 5);
        QVERIFY(f.flush());
    }
    constexpr qint64 righe = 3000;
    QVERIFY(DocumentoExcel::Scrivi(f, righe, RigaDiProva()));
    const QByteArray atteso = DocumentoExcel::Documento(righe, TestoDiProva);
    QCOMPARE(f.pos(), 5 + atteso.size());
    QCOMPARE(f.write("dopo"), 4);
    f.close();
    QVERIFY(Leggi(f.fileName()) == "prima" + atteso + "dopo");
}

void TestDocumentoExcel::guida_treParagrafi()
{
    QCOMPARE(TestiGuida::TitoloEsportazione(), u"Esportazione Registro spese in Excel"_s);
    const QStringList paragrafi = TestiGuida::TestoEsportazione().split(u"\r\n\r\n"_s);
    QCOMPARE(paragrafi.size(), 3);
    for (const QString &p : paragrafi) {
        QVERIFY(!p.trimmed().isEmpty());
        QVERIFY(!p.contains(u'\n') && !p.contains(u'\r'));
    }
    QVERIFY(paragrafi.at(0).contains(u"Esporta archivio"_s));
    QVERIFY(paragrafi.at(0).contains(u"XLS"_s));
}

QTEST_GUILESS_MAIN(TestDocumentoExcel)
#include "tst_documento_excel.moc"
