// "Analisi spese" and "Spese per la dichiarazione" driven as a user would,
// from the summary criteria; their prints read back with pdftotext and their
// exports with LibreOffice Calc. A missing client fails the test.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"
#include "app/GuidaPdf.h"
#include "app/TestiGuida.h"
#include "TestoPdf.h"
#include "analysis/AnalisiSpese.h"
#include "analysis/SpeseDichiarazione.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"

#include "lists/ListaRighe.h"
#include "platform/chart/Grafico.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QXmlStreamReader>
#include <QtTest>

using namespace ArchivioDiProva;

namespace {

TScheda Spesa(const QString &fornitore, const QString &codFisc, const QString &data, const QString &tipologia,
              const QString &dovuto, const QString &saldo = u"0,00"_qs)
{
    return Scheda({{Campo::Fornitore, fornitore}, {Campo::CodFisc, codFisc}, {Campo::Data, data},
                   {Campo::Codice, u"C-"_qs + fornitore.left(3)}, {Campo::Servizi, u"Prestazione"_qs},
                   {Campo::Tipologia, tipologia}, {Campo::Dovuto, dovuto}, {Campo::Saldo, saldo},
                   {Campo::NumDoc, u"D-"_qs + data.left(2)}, {Campo::DataDoc, data}});
}

QList<TScheda> Archivio2024()
{
    return {
        Spesa(u"Farmacia Rossi"_qs, u"RSSMRA80A01H501U"_qs, u"05/03/2024"_qs, u"Spese sanitarie"_qs, u"10,50"_qs),
        Spesa(u"FARMACIA ROSSI"_qs, u""_qs, u"10/03/2024"_qs, u"spese SANITARIE"_qs, u"4,50"_qs),
        Spesa(u"Farmacia Rossi"_qs, u"RSSMRA80A01H501U"_qs, u"07/03/2023"_qs, u"Spese sanitarie"_qs, u"12,00"_qs),
        Spesa(u"Scuola Verdi"_qs, u"12345670157"_qs, u"15/03/2024"_qs, u"Istruzione"_qs, u"75,00"_qs, u"25,00"_qs),
        Spesa(u"Benzinaio"_qs, u"12345670158"_qs, u"01/03/2024"_qs, u"Carburante"_qs, u"35,00"_qs),
        Spesa(u"Benzinaio"_qs, u"12345670158"_qs, u"31/03/2023"_qs, u"Carburante"_qs, u"40,00"_qs),
    };
}

// A cell of the first sheet of a flat ODF spreadsheet: its type, value and text.
struct CellaCalc {
    QString tipo, valore, testo;
};

QList<QList<CellaCalc>> LeggiFods(const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader x(&f);
    QList<QList<CellaCalc>> righe;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isEndElement() && x.qualifiedName() == u"table:table")
            break;
        if (x.isStartElement() && x.qualifiedName() == u"table:table-row") {
            righe.append(QList<CellaCalc>());
        } else if (x.isStartElement() && x.qualifiedName() == u"table:table-cell") {
            CellaCalc c{x.attributes().value(u"office:value-type"_qs).toString(),
                        x.attributes().value(u"office:value"_qs).toString(), QString()};
            if (c.tipo == u"date")
                c.valore = x.attributes().value(u"office:date-value"_qs).toString();
            const int ripetute = qBound(1, x.attributes().value(u"table:number-columns-repeated"_qs).toInt(), 32);
            int profondita = 1;
            while (profondita > 0 && !x.atEnd()) {
                x.readNext();
                if (x.isCharacters())
                    c.testo += x.text();
                else if (x.isStartElement())
                    ++profondita;
                else if (x.isEndElement())
                    --profondita;
            }
            c.testo = c.testo.trimmed(); // the file's own indentation
            for (int k = 0; k < ripetute; ++k)
                righe.last().append(c);
        }
    }
    return righe;
}

} // namespace

class TestAnalisiGui : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void analisi_tabellaOrdinabileETotale();
    void analisi_gruppoERichiamoNellEditor();
    void analisi_stampaEGrafico();
    void analisi_esportazioneLettaDaCalc();
    void analisi_criteriSbagliati_nessunaAnalisi();
    void dichiarazione_elencoStampaEsportazione();
    void dichiarazione_sceltaRicordata();
    void nomiAccessibili();
    void guida_schermateEGuidaPdf();

private:
    void Intervallo(const QString &da, const QString &a);
    // Opens the analysis from the criteria and runs `dentro` on it.
    void Analisi(const std::function<void(TfrmAnalisiSpese *)> &dentro);
    void Dichiarazione(const std::function<void(TfrmSpeseDichiarazione *)> &dentro);
    QList<QList<CellaCalc>> Calc(const QString &xls);
    QString percorso() const { return Archivio::Percorso(m_fake->cartella.path()); }

    std::unique_ptr<FakeDesktopInstallato> m_fake;
    TfrmMenuRiepPagamenti *m_criteri = nullptr;
    QString m_soffice;
    QTemporaryDir m_lavoro;
};

void TestAnalisiGui::initTestCase()
{
    m_soffice = QStandardPaths::findExecutable(u"soffice"_qs);
    if (m_soffice.isEmpty())
        QFAIL("LibreOffice Calc (soffice) is missing: scripts/dipendenze.sh installs libreoffice-calc-nogui");
    if (QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty())
        QFAIL("pdftotext is missing: scripts/dipendenze.sh installs poppler-utils");
}

void TestAnalisiGui::init()
{
    m_fake = std::make_unique<FakeDesktopInstallato>();
    Scrivi(percorso(), Archivio2024());
    Programma::CreaSchermate();
    m_criteri = qobject_cast<TfrmMenuRiepPagamenti *>(Schermate::Globali().frmMenuRiepPagamenti);
    m_criteri->show();
    QApplication::setActiveWindow(m_criteri);
    QVERIFY(QTest::qWaitForWindowActive(m_criteri));
}

void TestAnalisiGui::cleanup()
{
    Programma::DistruggiSchermate();
    m_fake.reset();
}

void TestAnalisiGui::Intervallo(const QString &da, const QString &a)
{
    GuiTest::Imposta(m_criteri, "txtGiornoInizio", da.left(2));
    GuiTest::Imposta(m_criteri, "txtMeseInizio", da.mid(3));
    GuiTest::Imposta(m_criteri, "txtGiornoFine", a.left(2));
    GuiTest::Imposta(m_criteri, "txtMeseFine", a.mid(3));
}

void TestAnalisiGui::Analisi(const std::function<void(TfrmAnalisiSpese *)> &dentro)
{
    Intervallo(u"01 Marzo"_qs, u"31 Marzo"_qs);
    bool aperta = false;
    m_fake->quandoModale = [&](QDialog *d) {
        auto *a = qobject_cast<TfrmAnalisiSpese *>(d);
        if (!a)
            return int(QDialog::Rejected);
        aperta = true;
        // Clearing the handler destroys this lambda: what it still needs is
        // bound outside it first.
        const auto &passi = dentro;
        m_fake->quandoModale = {};
        passi(a);
        return int(QDialog::Rejected);
    };
    GuiTest::Clicca(m_criteri, u"btnAnalisi"_qs);
    QVERIFY(aperta);
}

void TestAnalisiGui::Dichiarazione(const std::function<void(TfrmSpeseDichiarazione *)> &dentro)
{
    bool aperta = false;
    m_fake->quandoModale = [&](QDialog *d) {
        auto *e = qobject_cast<TfrmSpeseDichiarazione *>(d);
        if (!e)
            return int(QDialog::Rejected);
        aperta = true;
        // Clearing the handler destroys this lambda: what it still needs is
        // bound outside it first.
        const auto &passi = dentro;
        m_fake->quandoModale = {};
        passi(e);
        return int(QDialog::Rejected);
    };
    GuiTest::Clicca(m_criteri, u"btnDichiarazione"_qs);
    QVERIFY(aperta);
}

QList<QList<CellaCalc>> TestAnalisiGui::Calc(const QString &xls)
{
    const QString uscita = m_lavoro.filePath(QFileInfo(xls).completeBaseName());
    QProcess calc;
    calc.start(m_soffice, {u"-env:UserInstallation="_qs + QUrl::fromLocalFile(m_lavoro.filePath(u"profilo"_qs)).toString(),
                           u"--headless"_qs, u"--norestore"_qs, u"--convert-to"_qs, u"fods"_qs,
                           u"--outdir"_qs, uscita, xls});
    if (!calc.waitForFinished(300'000))
        return {};
    return LeggiFods(QDir(uscita).filePath(QFileInfo(xls).completeBaseName() + u".fods"_qs));
}

void TestAnalisiGui::analisi_tabellaOrdinabileETotale()
{
    Analisi([&](TfrmAnalisiSpese *a) {
        auto *tabella = GuiTest::Trova<QTableView>(a, u"grdGruppi"_qs);
        auto colonna = [&](int c) {
            QStringList r;
            for (int i = 0; i < tabella->model()->rowCount(); ++i)
                r << tabella->model()->index(i, c).data().toString();
            return r;
        };
        // 75 + 35 + 15 = 125 against 12 + 40 = 52.
        QCOMPARE(colonna(0), (QStringList{u"Istruzione"_qs, u"Carburante"_qs, u"Spese sanitarie"_qs, u"TOTALE"_qs}));
        QCOMPARE(colonna(2), (QStringList{u"75,00"_qs, u"35,00"_qs, u"15,00"_qs, u"125,00"_qs}));
        QCOMPARE(colonna(3), (QStringList{u"60,0 %"_qs, u"28,0 %"_qs, u"12,0 %"_qs, u"100,0 %"_qs}));
        QCOMPARE(colonna(6), (QStringList{u"-"_qs, u"-12,5 %"_qs, u"+25,0 %"_qs, u"+140,4 %"_qs}));
        // Sorting by a column, either way, keeps the total row last.
        tabella->sortByColumn(2, Qt::AscendingOrder);
        QCOMPARE(colonna(0), (QStringList{u"Spese sanitarie"_qs, u"Carburante"_qs, u"Istruzione"_qs, u"TOTALE"_qs}));
        tabella->sortByColumn(0, Qt::DescendingOrder);
        QCOMPARE(colonna(0), (QStringList{u"Spese sanitarie"_qs, u"Istruzione"_qs, u"Carburante"_qs, u"TOTALE"_qs}));
        // Another grouping reads the archive again.
        GuiTest::Trova<QComboBox>(a, u"cboRaggruppa"_qs)->setCurrentIndex(1);
        QCOMPARE(colonna(0), (QStringList{u"Scuola Verdi"_qs, u"Benzinaio"_qs, u"Farmacia Rossi"_qs, u"TOTALE"_qs}));
    });
}

void TestAnalisiGui::analisi_gruppoERichiamoNellEditor()
{
    Analisi([&](TfrmAnalisiSpese *a) {
        auto *tabella = GuiTest::Trova<QTableView>(a, u"grdGruppi"_qs);
        auto *lista = GuiTest::Trova<QListView>(a, u"lstRecords"_qs);
        // Enter on the third group (the pharmacy, two spellings) lists its records.
        tabella->setFocus();
        tabella->setCurrentIndex(tabella->model()->index(2, 0));
        QTest::keyClick(tabella, Qt::Key_Return);
        QCOMPARE(lista->model()->rowCount(), 2);
        QVERIFY(lista->model()->index(1, 0).data().toString().contains(u"FARMACIA ROSSI"_qs));
        QCOMPARE(a->focusWidget(), lista);
        // Enter on the second record recalls it into the editor and closes the analysis.
        SelezionaRiga(lista, 1);
        QTest::keyClick(lista, Qt::Key_Return);
        QCOMPARE(a->result(), int(QDialog::Accepted));
    });
    auto *editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    QVERIFY(editor->isVisible());
    QVERIFY(!m_criteri->isVisible());
    QCOMPARE(GuiTest::Testo(editor, u"txtFornitore"_qs), u"FARMACIA ROSSI"_qs);
    QCOMPARE(GuiTest::Testo(editor, u"lblPosizione"_qs), u"2"_qs);
}

void TestAnalisiGui::analisi_stampaEGrafico()
{
    Analisi([&](TfrmAnalisiSpese *a) {
        GuiTest::Clicca(a, u"btnStampa"_qs);
        QCOMPARE(m_fake->stampe.size(), 1);
        const QStringList righe = TestoPdf::Righe(TestoPdf::Pagine(m_fake->stampe.at(0)).join(u'\n'));
        QVERIFY2(righe.contains(u"Analisi spese per tipologia"_qs), qPrintable(righe.join(u'\n')));
        QVERIFY(righe.contains(u"Istruzione 1 75,00 60,0 % 0,00 +75,00 -"_qs));
        QVERIFY(righe.contains(u"Spese sanitarie 2 15,00 12,0 % 12,00 +3,00 +25,0 %"_qs));
        QVERIFY(righe.contains(u"TOTALE 4 125,00 100,0 % 52,00 +73,00 +140,4 %"_qs));
        QVERIFY(righe.contains(u"ANNO PRECEDENTE: Dal 01/03/2023 al 31/03/2023"_qs));

        // The chart: a bar per group, printed on a page of its own.
        GuiTest::Clicca(a, u"btnGrafico"_qs);
        QCOMPARE(GuiTest::Trova<QStackedWidget>(a, u"panPagine"_qs)->currentWidget()->objectName(), u"panGrafico"_qs);
        const auto &punti = GuiTest::Trova<Grafico>(a, u"ChartAnalisi"_qs)->Serie().Punti();
        QCOMPARE(punti.size(), 3);
        QCOMPARE(punti.at(0).etichetta, u"Istruzione"_qs);
        QCOMPARE(punti.at(0).valore, 75.0);
        GuiTest::Clicca(a, u"btnStampaGrafico"_qs);
        QCOMPARE(m_fake->stampe.size(), 2);
        const QString grafico = TestoPdf::Pagine(m_fake->stampe.at(1)).join(u'\n');
        QVERIFY2(grafico.contains(u"Dove vanno le spese"_qs) && grafico.contains(u"Carburante"_qs), qPrintable(grafico));
        QCOMPARE(TestoPdf::Formati(m_fake->stampe.at(1)).size(), 1);
    });
}

void TestAnalisiGui::analisi_esportazioneLettaDaCalc()
{
    QString xls;
    Analisi([&](TfrmAnalisiSpese *a) {
        m_fake->risposte.enqueue(true);
        m_fake->risposte.enqueue(false);
        GuiTest::Clicca(a, u"btnEsporta"_qs);
        xls = m_fake->percorso(TfrmAnalisiSpese::NomeFileEsportazione());
    });
    QCOMPARE(m_fake->ultimoTesto(),
             u"L'analisi è stata esportata con successo nel file Analisi_Spese.xls.\r\n\r\nSi vuole aprire il file di Excel?"_qs);
    const QList<QList<CellaCalc>> r = Calc(xls);
    QCOMPARE(r.size(), 5); // header, three groups, total
    QCOMPARE(r.at(0).at(0).testo, u"Tipologia"_qs);
    QCOMPARE(r.at(0).at(2).testo, u"Totale dovuto"_qs);
    QCOMPARE(r.at(1).at(0).tipo, u"string"_qs);
    QCOMPARE(r.at(1).at(0).testo, u"Istruzione"_qs);
    QCOMPARE(r.at(1).at(2).tipo, u"float"_qs);
    QCOMPARE(r.at(1).at(2).valore, u"75"_qs);
    QCOMPARE(r.at(1).at(3).valore, u"60"_qs);
    QCOMPARE(r.at(1).at(6).tipo, u"string"_qs); // no percent without a year before
    QCOMPARE(r.at(2).at(6).valore, u"-12.5"_qs);
    QCOMPARE(r.at(4).at(0).testo, u"TOTALE"_qs);
    QCOMPARE(r.at(4).at(2).valore, u"125"_qs);
    QCOMPARE(r.at(4).at(4).valore, u"52"_qs);
}

void TestAnalisiGui::analisi_criteriSbagliati_nessunaAnalisi()
{
    Intervallo(u"31 Aprile"_qs, u"30 Maggio"_qs);
    bool aperta = false;
    m_fake->quandoModale = [&](QDialog *) {
        aperta = true;
        return int(QDialog::Rejected);
    };
    GuiTest::Clicca(m_criteri, u"btnAnalisi"_qs);
    QVERIFY(!aperta);
    QVERIFY(m_fake->ultimoTesto().startsWith(u"Attenzione: la data 31/04/2024 di inizio intervallo non esiste."_qs));
    // The statement still opens as a statement afterwards.
    Intervallo(u"01 Marzo"_qs, u"31 Marzo"_qs);
    QString classe;
    m_fake->quandoModale = [&](QDialog *d) {
        classe = QString::fromUtf8(d->metaObject()->className());
        return int(QDialog::Rejected);
    };
    GuiTest::Clicca(m_criteri, u"btnVisualizza"_qs);
    QCOMPARE(classe, u"TfrmRiepPagamenti"_qs);
}

void TestAnalisiGui::dichiarazione_elencoStampaEsportazione()
{
    QString xls;
    Dichiarazione([&](TfrmSpeseDichiarazione *e) {
        QCOMPARE(GuiTest::Testo(e, u"txtAnno"_qs), u"2024"_qs);
        auto *tipi = GuiTest::Trova<QListWidget>(e, u"lstTipologie"_qs);
        QStringList voci, spuntate;
        for (int i = 0; i < tipi->count(); ++i) {
            voci << tipi->item(i)->text();
            if (tipi->item(i)->checkState() == Qt::Checked)
                spuntate << tipi->item(i)->text();
        }
        QCOMPARE(voci, (QStringList{u"Carburante"_qs, u"Istruzione"_qs, u"Spese sanitarie"_qs}));
        QCOMPARE(spuntate, (QStringList{u"Istruzione"_qs, u"Spese sanitarie"_qs}));

        GuiTest::Clicca(e, u"btnElenca"_qs);
        auto *griglia = GuiTest::Trova<QTableWidget>(e, u"grdSpese"_qs);
        QCOMPARE(griglia->rowCount(), 3);
        QCOMPARE(griglia->horizontalHeaderItem(8)->text(), u"Importo pagato (dovuto - saldo)"_qs);
        QCOMPARE(griglia->item(0, 3)->text(), u"Farmacia Rossi"_qs);
        QCOMPARE(griglia->item(1, 5)->text(), u"mancante"_qs);
        QCOMPARE(griglia->item(2, 8)->text(), u"50,00"_qs); // 75 due, 25 still to pay
        QVERIFY(GuiTest::Testo(e, u"lblTotali"_qs).contains(u"TOTALE IMPORTI PAGATI nel 2024: € 65,00"_qs));

        GuiTest::Clicca(e, u"btnStampa"_qs);
        QCOMPARE(m_fake->stampe.size(), 1);
        const QStringList righe = TestoPdf::Righe(TestoPdf::Pagine(m_fake->stampe.at(0)).join(u'\n'));
        QVERIFY2(righe.contains(u"Spese per la dichiarazione dei redditi - anno 2024"_qs), qPrintable(righe.join(u'\n')));
        QVERIFY(righe.contains(u"TIPOLOGIE: Istruzione, Spese sanitarie"_qs));
        QVERIFY(righe.contains(u"10/03/2024 D-10 10/03/2024 FARMACIA ROSSI mancante Prestazione 4,50"_qs));
        QVERIFY(righe.contains(u"TOTALE Spese sanitarie (2) 15,00"_qs));
        QVERIFY(righe.contains(u"TOTALE IMPORTI PAGATI 65,00"_qs));

        m_fake->risposte.enqueue(true);
        m_fake->risposte.enqueue(false);
        GuiTest::Clicca(e, u"btnEsporta"_qs);
        xls = m_fake->percorso(TfrmSpeseDichiarazione::NomeFileEsportazione());
    });
    const QList<QList<CellaCalc>> r = Calc(xls);
    QCOMPARE(r.size(), 1 + 3 + 3); // header, lines, two type totals and the overall one
    QCOMPARE(r.at(0).at(8).testo, u"Importo pagato (dovuto - saldo)"_qs);
    QCOMPARE(r.at(1).at(0).tipo, u"date"_qs);
    QCOMPARE(r.at(1).at(0).valore, u"2024-03-05"_qs);
    QCOMPARE(r.at(1).at(4).tipo, u"string"_qs);
    QCOMPARE(r.at(1).at(4).testo, u"RSSMRA80A01H501U"_qs);
    QCOMPARE(r.at(3).at(4).testo, u"12345670157"_qs); // a VAT number stays text, its zeros and all
    QCOMPARE(r.at(3).at(8).tipo, u"float"_qs);
    QCOMPARE(r.at(3).at(8).valore, u"50"_qs);
    QCOMPARE(r.at(6).at(3).testo, u"TOTALE IMPORTI PAGATI"_qs);
    QCOMPARE(r.at(6).at(8).valore, u"65"_qs);
}

void TestAnalisiGui::dichiarazione_sceltaRicordata()
{
    auto spunta = [](TfrmSpeseDichiarazione *e, int riga, Qt::CheckState s) {
        GuiTest::Trova<QListWidget>(e, u"lstTipologie"_qs)->item(riga)->setCheckState(s);
    };
    Dichiarazione([&](TfrmSpeseDichiarazione *e) {
        spunta(e, 0, Qt::Checked);   // Carburante
        spunta(e, 1, Qt::Unchecked); // Istruzione
        QCOMPARE(e->Spuntate(), (QStringList{u"Carburante"_qs, u"Spese sanitarie"_qs}));
    });
    Dichiarazione([&](TfrmSpeseDichiarazione *e) {
        QCOMPARE(e->Spuntate(), (QStringList{u"Carburante"_qs, u"Spese sanitarie"_qs}));
        // Nothing ticked: nothing to list, and the user is told.
        spunta(e, 0, Qt::Unchecked);
        spunta(e, 2, Qt::Unchecked);
        GuiTest::Clicca(e, u"btnElenca"_qs);
        QCOMPARE(m_fake->ultimoTesto(), u"Attenzione: spuntare almeno una tipologia di spesa da includere."_qs);
    });
}

void TestAnalisiGui::nomiAccessibili()
{
    Analisi([&](TfrmAnalisiSpese *a) {
        QVERIFY2(GuiTest::SenzaNomeAccessibile(a).isEmpty(), qPrintable(GuiTest::SenzaNomeAccessibile(a).join(u", "_qs)));
        GuiTest::Clicca(a, u"btnGrafico"_qs);
        QVERIFY2(GuiTest::SenzaNomeAccessibile(a).isEmpty(), qPrintable(GuiTest::SenzaNomeAccessibile(a).join(u", "_qs)));
    });
    Dichiarazione([&](TfrmSpeseDichiarazione *e) {
        GuiTest::Clicca(e, u"btnElenca"_qs);
        QVERIFY2(GuiTest::SenzaNomeAccessibile(e).isEmpty(), qPrintable(GuiTest::SenzaNomeAccessibile(e).join(u", "_qs)));
    });
    QVERIFY2(GuiTest::SenzaNomeAccessibile(m_criteri).isEmpty(), qPrintable(GuiTest::SenzaNomeAccessibile(m_criteri).join(u", "_qs)));
}

void TestAnalisiGui::guida_schermateEGuidaPdf()
{
    // Each screen's Guida button shows its own topic.
    QStringList titoli;
    auto guida = [&](QDialog *d) {
        m_fake->quandoModale = [&](QDialog *g) {
            titoli << GuiTest::Testo(g, u"lblTitolo"_qs);
            return int(QDialog::Rejected);
        };
        GuiTest::Clicca(d, u"btnGuida"_qs);
    };
    Analisi([&](TfrmAnalisiSpese *a) { guida(a); });
    Dichiarazione([&](TfrmSpeseDichiarazione *e) { guida(e); });
    QCOMPARE(titoli, (QStringList{TestiGuida::TitoloAnalisi(), TestiGuida::TitoloDichiarazione()}));
    for (const QString &testo : {TestiGuida::TestoAnalisi(), TestiGuida::TestoDichiarazione()})
        QCOMPARE(testo.split(u"\r\n\r\n"_qs).size(), 4);

    // The user guide carries both topics, as the build writes it.
    const QString pdf = m_lavoro.filePath(u"Guida.pdf"_qs);
    QVERIFY(GuidaPdf::Scrivi(pdf, GuidaPdf::ArgomentiDelProgramma()));
    const QString testo = TestoPdf::Pagine(pdf).join(u'\n').simplified();
    for (const QString &atteso : {u"App Analisi Spese"_qs, u"App Spese per la Dichiarazione"_qs,
                                  u"raggruppati per tipologia, per beneficiario o per codice"_qs,
                                  u"cioè il totale dovuto meno il saldo"_qs, u"Analisi_Spese.xls"_qs})
        QVERIFY2(testo.contains(atteso), qPrintable(atteso));
}

QTEST_MAIN(TestAnalisiGui)
#include "tst_analisi_gui.moc"
