// Long scans keep the window alive: each screen that reads the whole archive
// shows a busy cursor and its progress through the desktop seam, and ends
// both whether the scan succeeds or fails.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"
#include "charts/Statistiche.h"
#include "lists/SospesePag.h"
#include "lists/TrovaRegPagamenti.h"
#include "output/ExpRegPagamenti.h"
#include "output/ModelloRegistro.h"
#include "platform/Attesa.h"
#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "summary/MenuRiepPagamenti.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <functional>

using GuiTest::Clicca;

namespace {

// More records than one block of the scan, so that progress comes in steps.
constexpr int kSchede = 1500;

int Righe(QWidget *radice)
{
    return GuiTest::Trova<QAbstractItemView>(radice, QStringLiteral("lstRecords"))->model()->rowCount();
}

// A screen's scan, run as the user starts it; returns the lines it shows
// (-1 where it shows none).
using Azione = std::function<int(FakeDesktop &)>;

} // namespace

Q_DECLARE_METATYPE(Azione)

class TestAttesaGui : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_fake = std::make_unique<FakeDesktopInstallato>();
        Programma::CreaSchermate();
    }
    void cleanup()
    {
        Programma::DistruggiSchermate();
        m_fake.reset();
    }

    void scansione_data();
    void scansione();
    void senzaFinestraNessunaAttesa();
    void desktopReale_cursoreEAvanzamento();

private:
    QString percorso() const { return Archivio::Percorso(m_fake->cartella.path()); }
    std::unique_ptr<FakeDesktopInstallato> m_fake;
};

void TestAttesaGui::scansione_data()
{
    QTest::addColumn<Azione>("azione");
    QTest::addColumn<int>("righe");

    const Azione ricerca = [](FakeDesktop &) {
        QWidget *f = Schermate::Globali().frmTrovaRegPagamenti;
        f->show();
        Clicca(f, QStringLiteral("btnCerca"));
        return Righe(f);
    };
    const Azione sospese = [](FakeDesktop &) {
        QWidget *f = Schermate::Globali().frmSospesePag;
        f->show();
        return Righe(f);
    };
    const Azione riepilogo = [](FakeDesktop &fake) {
        QWidget *m = Schermate::Globali().frmMenuRiepPagamenti;
        m->show();
        GuiTest::Imposta(m, "txtAnno", QStringLiteral("2024"));
        GuiTest::Imposta(m, "txtGiornoInizio", QStringLiteral("01"));
        GuiTest::Imposta(m, "txtMeseInizio", QStringLiteral("Gennaio"));
        GuiTest::Imposta(m, "txtGiornoFine", QStringLiteral("31"));
        GuiTest::Imposta(m, "txtMeseFine", QStringLiteral("Dicembre"));
        int n = -1;
        fake.quandoModale = [&n](QDialog *d) {
            n = Righe(d);
            d->close();
            return int(QDialog::Rejected);
        };
        Clicca(m, QStringLiteral("btnVisualizza"));
        return n;
    };
    const Azione grafico = [](FakeDesktop &) {
        QWidget *f = Schermate::Globali().frmStatistiche;
        f->show();
        GuiTest::Imposta(f, "txtAnno", QStringLiteral("2024"));
        Clicca(f, QStringLiteral("btnApri"));
        return -1;
    };
    const Azione griglia = [](FakeDesktop &) {
        QWidget *f = Schermate::Globali().frmExpRegPagamenti;
        f->show();
        const QList<QTableView *> t = f->findChildren<QTableView *>();
        return t.isEmpty() ? -2 : t.first()->model()->rowCount();
    };
    QTest::newRow("ricerca") << ricerca << kSchede;
    QTest::newRow("conti da saldare") << sospese << kSchede;
    QTest::newRow("riepilogo") << riepilogo << kSchede;
    QTest::newRow("grafico") << grafico << -1;
    QTest::newRow("griglia dell'esportazione") << griglia << kSchede;
}

void TestAttesaGui::scansione()
{
    QFETCH(Azione, azione);
    QFETCH(int, righe);

    QList<TScheda> s;
    for (int i = 0; i < kSchede; ++i)
        s << ArchivioDiProva::Semplice(QStringLiteral("Fornitore %1").arg(i), QStringLiteral("15/06/2024"),
                                       QStringLiteral("C"), QStringLiteral("S"), QStringLiteral("1,00"), true);
    ArchivioDiProva::Scrivi(percorso(), s);

    QCOMPARE(azione(*m_fake), righe);
    QCOMPARE(m_fake->lavori.size(), 1);
    const FakeDesktop::Lavoro &l = m_fake->lavori.first();
    QCOMPARE(l.testo, Avanzamento::LetturaArchivio());
    QVERIFY(l.finestra);
    QVERIFY(l.finito);
    QCOMPARE(m_fake->lavoriInCorso, 0);
    // Whole percents, each once, rising to the end, with steps before it.
    QVERIFY2(l.avanzamenti.size() >= 2, qPrintable(QString::number(l.avanzamenti.size())));
    for (qsizetype i = 1; i < l.avanzamenti.size(); ++i)
        QVERIFY(l.avanzamenti.at(i) > l.avanzamenti.at(i - 1));
    QVERIFY(l.avanzamenti.first() > 0);
    QCOMPARE(l.avanzamenti.last(), 100);

    // An archive that cannot be read still ends the wait.
    Programma::DistruggiSchermate();
    Programma::CreaSchermate();
    m_fake->lavori.clear();
    m_fake->quandoModale = {};
    QVERIFY(QFile::remove(percorso()));
    QVERIFY(QDir().mkpath(percorso()));
    azione(*m_fake);
    QCOMPARE(m_fake->lavoriInCorso, 0);
    for (const FakeDesktop::Lavoro &x : std::as_const(m_fake->lavori)) {
        QVERIFY(x.finito);
        QVERIFY(!x.avanzamenti.contains(100));
    }
}

void TestAttesaGui::senzaFinestraNessunaAttesa()
{
    // The benchmark and other callers without a window load the grid quietly.
    ArchivioDiProva::Scrivi(percorso(), {ArchivioDiProva::Semplice(QStringLiteral("A"), QStringLiteral("01/01/2024"),
                                                                   QStringLiteral("C"), QStringLiteral("S"))});
    ModelloRegistro m;
    QVERIFY(m.Carica(percorso()));
    QCOMPARE(m.NumeroRighe(), 1);
    QVERIFY(m_fake->lavori.isEmpty());
}

void TestAttesaGui::desktopReale_cursoreEAvanzamento()
{
    const auto avanzamenti = [] {
        QList<QProgressDialog *> l;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<QProgressDialog *>(w); p && p->isVisible())
                l << p;
        return l;
    };
    QWidget finestra;
    finestra.show();
    DesktopReale desktop;
    desktop.InizioLavoro(&finestra, QStringLiteral("Lettura dell'archivio..."));
    desktop.InizioLavoro(&finestra, QStringLiteral("dentro"));
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // Quick work shows the busy cursor alone.
    desktop.AvanzamentoLavoro(&finestra, 10);
    QVERIFY(avanzamenti().isEmpty());

    // Past a few tenths of a second the progress shows, with the outer work's text.
    QTest::qSleep(350);
    desktop.AvanzamentoLavoro(&finestra, 40);
    const QList<QProgressDialog *> mostrati = avanzamenti();
    QCOMPARE(mostrati.size(), 1);
    QCOMPARE(mostrati.first()->value(), 40);
    QCOMPARE(mostrati.first()->labelText(), QStringLiteral("Lettura dell'archivio..."));
    QVERIFY(!mostrati.first()->accessibleName().isEmpty());
    // A modal box would take the user's clicks and keys while the work is
    // half done (it handles every pending event at each step).
    QCOMPARE(mostrati.first()->windowModality(), Qt::NonModal);

    // The inner work's end leaves both; the outer one's takes both away.
    desktop.FineLavoro(&finestra);
    QCOMPARE(avanzamenti().size(), 1);
    QVERIFY(QApplication::overrideCursor());
    desktop.FineLavoro(&finestra);
    QVERIFY(avanzamenti().isEmpty());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestAttesaGui)
#include "tst_attesa_gui.moc"
