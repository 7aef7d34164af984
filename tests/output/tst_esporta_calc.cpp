// Round trip of the spreadsheet export through LibreOffice Calc: an archive
// of awkward texts is shown in the export screen, some cells are edited in
// its grid, the screen writes the file, Calc converts it headless under an
// Italian and an English desktop locale, and every cell must come back with
// the value and the type the grid shows. A missing Calc fails the test.

#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "output/DocumentoExcel.h"
#include "output/ExpRegPagamenti.h"
#include "output/ModelloRegistro.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

enum class Tipo { Vuota, Testo, Data, Numero };

struct CellaCalc {
    Tipo tipo = Tipo::Vuota;
    QString valore;  // office:value or office:date-value
    QString testo;   // what the cell shows, paragraphs joined by LF
};

const char *NomeTipo(Tipo t)
{
    switch (t) {
    case Tipo::Vuota: return "vuota";
    case Tipo::Testo: return "testo";
    case Tipo::Data: return "data";
    case Tipo::Numero: return "numero";
    }
    return "?";
}

// Texts that a spreadsheet likes to re-type, or that HTML likes to change.
const QStringList kInsidiosi = {
    u"=1+1"_s, u"=SOMMA(A1:A3)"_s, u"+39 123 456"_s, u"-5"_s, u"@utente"_s, u"00743110157"_s,
    u"007"_s, u"1E5"_s, u"1/2"_s, u"3-4"_s, u"05/03/2024"_s, u"120,50"_s, u"1.234,50"_s,
    u"12%"_s, u"VERO"_s, u"TRUE"_s, u"<b>grassetto</b> & <i>"_s, u"x<y & z>w"_s,
    u"\"virgolette\" e l'apostrofo"_s, u"a   tre   blanchi"_s, u"tab\tinterno"_s,
    u"due\t\ttab e  blanchi"_s, u"Perché già Niccolò Società"_s, u"€ 5,00 – «più» ‰"_s,
    u"&amp; &#65; &lt;"_s, u"riga uno\r\nriga due"_s, u"  bordi  "_s, u"0x1F"_s, u"1,5E+3"_s,
    u"31/12/9999"_s, u"--1"_s, u"'citato"_s,
    // The five bytes windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
    u"indefiniti \u0081\u008D\u008F\u0090\u009D fine"_s,
};
// Date and amount fields: valid ones become dates and numbers, the rest text.
const QStringList kDate = {
    u"05/03/2024"_s, u"29/02/2024"_s, u"01/03/1900"_s, u"28/02/1900"_s, u"31/02/2024"_s,
    u"5/3/2024"_s, u"2024-03-05"_s, u"ieri"_s, u"31/12/2099"_s, u"=OGGI()"_s, QString(),
};
const QStringList kImporti = {
    u"120,50"_s, u"0,00"_s, u"-3,5"_s, u"1234567890123,45"_s, u"7"_s, u"1E5"_s, u"1.234,50"_s,
    u"12,345"_s, u"12.50"_s, u"=2*3"_s, u"-"_s, QString(), u"99999,99"_s,
};

// The archive: every text column cycles through the awkward texts, the date
// and amount columns through their own lists; every tenth record is empty.
QList<TScheda> ArchivioInsidioso(int quante)
{
    QList<TScheda> schede;
    for (int r = 0; r < quante; ++r) {
        if (r % 10 == 9) {
            schede.append(TScheda());
            continue;
        }
        QMap<Campo, QString> campi;
        const auto &colonne = ModelloRegistro::Colonne();
        for (int c = 1; c < ModelloRegistro::NumeroColonne; ++c) {
            const Campo campo = colonne[size_t(c)].campo;
            switch (DocumentoExcel::TipoColonna(c)) {
            case DocumentoExcel::Colonna::Data:
                campi[campo] = kDate.at((r + c) % kDate.size());
                break;
            case DocumentoExcel::Colonna::Importo:
                campi[campo] = kImporti.at((r * 3 + c) % kImporti.size());
                break;
            case DocumentoExcel::Colonna::Testo:
                campi[campo] = kInsidiosi.at((r * 7 + c) % kInsidiosi.size());
                break;
            }
        }
        schede.append(ArchivioDiProva::Scheda(campi));
    }
    return schede;
}

// What Calc's HTML import makes of a text cell: a line break (CR LF, CR or
// LF) becomes the cell's line break, a tab a blank, other control
// characters a question mark.
QString TestoAtteso(const QString &grezzo)
{
    QString t = Testo::Trim(grezzo);
    t.replace(u"\r\n"_s, u"\n"_s);
    t.replace(u'\r', u'\n');
    QString r;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c == u'\t')
            r += u' ';
        else if (c.unicode() < 32 && c != u'\n')
            r += u'?';
        // The five bytes windows-1252 leaves undefined travel as references;
        // Calc reads each as the replacement character, the rest of the cell
        // intact.
        else if (c == QChar(0x81) || c == QChar(0x8D) || c == QChar(0x8F) || c == QChar(0x90)
                 || c == QChar(0x9D))
            r += QChar(0xFFFD);
        else if (c.isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate())
            r += c, r += t.at(++i);
        else if (c.isSurrogate())
            r += QChar(0xFFFD);
        else
            r += c;
    }
    return r;
}

// The cell the grid's text must give, column by column.
CellaCalc Attesa(int colonna, const QString &testoGriglia)
{
    const QString t = Testo::Trim(testoGriglia);
    CellaCalc a;
    if (t.isEmpty())
        return a;
    if (DocumentoExcel::TipoColonna(colonna) == DocumentoExcel::Colonna::Data) {
        if (const auto d = Testo::LeggiData(t); d && *d >= QDate(1900, 3, 1))
            return {Tipo::Data, d->toString(u"yyyy-MM-dd"_s), t};
    }
    if (DocumentoExcel::TipoColonna(colonna) == DocumentoExcel::Colonna::Importo) {
        static const QRegularExpression importo(u"^-?[0-9]+(,[0-9]{1,2})?$"_s);
        const qsizetype cifre = t.count(QRegularExpression(u"[0-9]"_s));
        if (importo.match(t).hasMatch() && cifre <= 15) {
            const double v = Testo::LeggiNumero(t).value();
            return {Tipo::Numero, QString::number(v, 'g', 17),
                    QString::number(v, 'f', 2).replace(u'.', u',')};
        }
    }
    return {Tipo::Testo, QString(), TestoAtteso(t)};
}

// The text of a cell's paragraphs, with Calc's markup for blanks, tabs and breaks.
QString TestoParagrafo(QXmlStreamReader &x)
{
    QString t;
    int profondita = 1;
    while (profondita > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isCharacters()) {
            t += x.text();
        } else if (x.isStartElement()) {
            ++profondita;
            if (x.name() == u"s")
                t += QString(x.attributes().value(u"text:c"_s).toInt() > 0
                                 ? x.attributes().value(u"text:c"_s).toInt() : 1, u' ');
            else if (x.name() == u"tab")
                t += u'\t';
            else if (x.name() == u"line-break")
                t += u'\n';
        } else if (x.isEndElement()) {
            --profondita;
        }
    }
    return t;
}

// The first sheet of a flat ODF spreadsheet, row by row.
QList<QList<CellaCalc>> LeggiFods(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader x(&f);
    QList<QList<CellaCalc>> righe;
    bool inTabella = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.qualifiedName() == u"table:table") {
            if (inTabella)
                break;
            inTabella = true;
        } else if (x.isEndElement() && x.qualifiedName() == u"table:table") {
            break;
        } else if (inTabella && x.isStartElement() && x.qualifiedName() == u"table:table-row") {
            righe.append(QList<CellaCalc>());
        } else if (inTabella && x.isStartElement()
                   && (x.qualifiedName() == u"table:table-cell"
                       || x.qualifiedName() == u"table:covered-table-cell")) {
            const QXmlStreamAttributes a = x.attributes();
            CellaCalc c;
            const auto tipo = a.value(u"office:value-type"_s);
            if (tipo == u"string")
                c.tipo = Tipo::Testo;
            else if (tipo == u"date")
                c.tipo = Tipo::Data, c.valore = a.value(u"office:date-value"_s).toString();
            else if (tipo == u"float")
                c.tipo = Tipo::Numero, c.valore = a.value(u"office:value"_s).toString();
            else if (!tipo.isEmpty())
                c.tipo = Tipo::Testo, c.valore = tipo.toString(); // an unexpected type shows up as a mismatch
            const int ripetute = qBound(1, a.value(u"table:number-columns-repeated"_s).toInt(), 64);
            QStringList paragrafi;
            int profondita = 1;
            while (profondita > 0 && !x.atEnd()) {
                x.readNext();
                if (x.isStartElement() && x.qualifiedName() == u"text:p") {
                    paragrafi.append(TestoParagrafo(x));
                } else if (x.isStartElement()) {
                    ++profondita;
                } else if (x.isEndElement()) {
                    --profondita;
                }
            }
            c.testo = paragrafi.join(u'\n');
            for (int k = 0; k < ripetute; ++k)
                righe.last().append(c);
        }
    }
    return righe;
}

} // namespace

class TestEsportaCalc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void giroInCalc_data();
    void giroInCalc();

private:
    FakeDesktopInstallato m_desktop;
    QTemporaryDir m_lavoro;
    QString m_soffice;
    QString m_xls;
    QList<QStringList> m_griglia; // the grid's texts, columns 1 to 14
};

void TestEsportaCalc::initTestCase()
{
    Q_INIT_RESOURCE(valmora);
    m_soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (m_soffice.isEmpty())
        QFAIL("LibreOffice Calc (soffice) is missing: scripts/dipendenze.sh installs libreoffice-calc-nogui");
    QVERIFY(m_lavoro.isValid());

    ArchivioDiProva::Scrivi(Archivio::Percorso(m_desktop.cartella.path()), ArchivioInsidioso(130));
    TfrmExpRegPagamenti schermata;
    schermata.show();
    auto *grd = GuiTest::Trova<QTableView>(&schermata, u"grdRecords"_s);
    QAbstractItemModel *m = grd->model();
    QCOMPARE(m->rowCount(), 130);
    // Cells edited in the grid, with characters the archive's code page lacks.
    const QList<std::tuple<int, int, QString>> modifiche{
        {0, 1, u"Ω-42 № 7"_s},
        {1, 2, u"07/03/2024"_s},
        {2, 3, u"Łódź 漢字 😀 &amp; <x>"_s},
        {3, 4, u"=CONCATENA(\"a\";\"b\")"_s},
        {4, 9, u"Dvořák\tΩ  ✓"_s},
        {5, 10, u"250,75"_s},
        {6, 11, u"ΣΩ"_s},
        {7, 12, u"-0,5"_s},
        {8, 13, u"привет\r\nмир"_s},
        {9, 14, u"Sì ✓"_s},
        {10, 2, u"02/30/2024"_s},
        {11, 3, QString(QChar(0xD800)) + u"isolato"_s},
    };
    for (const auto &[r, c, testo] : modifiche)
        QVERIFY(m->setData(m->index(r, c), testo));

    m_desktop.risposte.enqueue(true);
    m_desktop.risposte.enqueue(false);
    GuiTest::Clicca(&schermata, u"cmdEsporta"_s);
    QCOMPARE(m_desktop.messaggi.size(), 2);
    m_xls = TfrmExpRegPagamenti::PercorsoEsportazione();
    QVERIFY(QFileInfo(m_xls).size() > 0);

    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList riga;
        for (int c = DocumentoExcel::PrimaColonna; c <= DocumentoExcel::UltimaColonna; ++c)
            riga.append(m->index(r, c).data().toString());
        m_griglia.append(riga);
    }
}

void TestEsportaCalc::giroInCalc_data()
{
    QTest::addColumn<QString>("lingua");
    QTest::newRow("it_IT.UTF-8") << u"it_IT.UTF-8"_s;
    QTest::newRow("C.UTF-8") << u"C.UTF-8"_s;
}

void TestEsportaCalc::giroInCalc()
{
    QFETCH(QString, lingua);
    const QString uscita = m_lavoro.filePath(u"fods-"_s + lingua);
    QProcess calc;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LANG"_s, lingua);
    env.insert(u"LC_ALL"_s, lingua);
    calc.setProcessEnvironment(env);
    // A profile of its own: tests running at once, or a LibreOffice the user
    // has open, are neither used nor disturbed.
    calc.start(m_soffice, {u"-env:UserInstallation="_s
                               + QUrl::fromLocalFile(m_lavoro.filePath(u"profilo-"_s + lingua)).toString(),
                           u"--headless"_s, u"--norestore"_s, u"--convert-to"_s, u"fods"_s,
                           u"--outdir"_s, uscita, m_xls});
    QVERIFY2(calc.waitForFinished(300'000), "Calc did not finish");
    const QString fods = QDir(uscita).filePath(u"Registro_Spese.fods"_s);
    QVERIFY2(QFileInfo::exists(fods), qPrintable(u"Calc wrote nothing: "_s
                                                 + QString::fromLocal8Bit(calc.readAllStandardError())));

    const QList<QList<CellaCalc>> righe = LeggiFods(fods);
    QCOMPARE(righe.size(), m_griglia.size() + 1);
    const auto &colonne = ModelloRegistro::Colonne();
    for (int c = 0; c < 14; ++c) {
        QCOMPARE(righe.at(0).value(c).tipo, Tipo::Testo);
        QCOMPARE(righe.at(0).value(c).testo, colonne[size_t(c + 1)].titolo);
    }

    QMap<Tipo, int> perTipo;
    QStringList diverse;
    for (int r = 0; r < m_griglia.size(); ++r) {
        for (int c = 0; c < 14; ++c) {
            const CellaCalc atteso = Attesa(c + 1, m_griglia.at(r).at(c));
            const CellaCalc letto = righe.at(r + 1).value(c);
            ++perTipo[atteso.tipo];
            bool uguale = letto.tipo == atteso.tipo && letto.testo == atteso.testo;
            if (uguale && atteso.tipo == Tipo::Numero)
                uguale = letto.valore.toDouble() == atteso.valore.toDouble();
            else if (uguale && atteso.tipo == Tipo::Data)
                uguale = letto.valore.left(10) == atteso.valore;
            if (!uguale)
                diverse.append(u"riga %1 colonna %2 (%3): atteso %4 %5 \"%6\", letto %7 %8 \"%9\""_s
                                   .arg(r + 1).arg(colonne[size_t(c + 1)].titolo, m_griglia.at(r).at(c))
                                   .arg(QString::fromLatin1(NomeTipo(atteso.tipo)), atteso.valore, atteso.testo)
                                   .arg(QString::fromLatin1(NomeTipo(letto.tipo)), letto.valore, letto.testo));
        }
    }
    const int celle = int(m_griglia.size()) * 14;
    qInfo("%s: %d celle confrontate in %d righe: %d testo, %d date, %d numeri, %d vuote; %d diverse",
          qPrintable(lingua), celle, int(m_griglia.size()), perTipo[Tipo::Testo], perTipo[Tipo::Data],
          perTipo[Tipo::Numero], perTipo[Tipo::Vuota], int(diverse.size()));
    for (const QString &d : std::as_const(diverse).first(qMin<qsizetype>(diverse.size(), 40)))
        qWarning("%s", qPrintable(d));
    QVERIFY(diverse.isEmpty());
    // Every kind of cell was put to the test.
    QVERIFY(perTipo[Tipo::Testo] > 0 && perTipo[Tipo::Data] > 0 && perTipo[Tipo::Numero] > 0
            && perTipo[Tipo::Vuota] > 0);
}

QTEST_MAIN(TestEsportaCalc)
#include "tst_esporta_calc.moc"
