// What a screen reader and a dark desktop meet, on the real screens as the
// program entry prepares them: the chart read point by point, the labels that
// show a value reading that value as it changes, every window with the
// program's icon, and light screens under a dark desktop palette.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"
#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Applicazione.h"
#include "app/Avvio.h"
#include "charts/Statistiche.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"
#include "register/Calendario.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QStyleOptionButton>
#include <QTableView>
#include <QtTest>

using namespace ArchivioDiProva;
using GuiTest::Clicca;
using GuiTest::Scrivi;

namespace {

// What a dark desktop theme hands the program before it starts.
QPalette TavolozzaScura()
{
    QPalette p;
    const QColor testo(0xE8, 0xE8, 0xE8);
    p.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    p.setColor(QPalette::WindowText, testo);
    p.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    p.setColor(QPalette::AlternateBase, QColor(0x2B, 0x2B, 0x2B));
    p.setColor(QPalette::Text, testo);
    p.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    p.setColor(QPalette::ButtonText, testo);
    return p;
}

// The name, value and description a screen reader gets for a control.
QString Leggi(QObject *o, QAccessible::Text t = QAccessible::Name)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(t) : QStringLiteral("<nessuna interfaccia>");
}

// The mean lightness (0-255) of a rectangle of a widget as drawn.
int Chiarezza(QWidget *w, const QRect &r)
{
    const QImage img = w->grab(r).toImage();
    qint64 somma = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            somma += QColor(img.pixel(x, y)).lightness();
    return img.isNull() ? -1 : int(somma / (qint64(img.width()) * img.height()));
}

// The cell of the calendar's grid that a reader is on.
QAccessibleInterface *CellaInFuoco(QAccessibleInterface *griglia)
{
    for (int k = 0; k < griglia->childCount(); ++k)
        if (QAccessibleInterface *c = griglia->child(k); c && c->state().focused)
            return c;
    return nullptr;
}

// The calendar dialog, built, shown and active, its grid on the given date.
std::unique_ptr<TfrmCalendario> ApriCalendario(QDate data)
{
    auto d = std::make_unique<TfrmCalendario>();
    d->Completa();
    d->findChild<QCalendarWidget *>(u"calAppuntamenti"_qs)->setSelectedDate(data);
    d->show();
    QApplication::setActiveWindow(d.get());
    if (!QTest::qWaitForWindowActive(d.get()))
        return nullptr;
    d->findChild<QTableView *>(u"qt_calendar_calendarview"_qs)->setFocus();
    return d;
}

} // namespace

class TestAccessibilita : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void graficoLetto();
    void valoriLetti();
    void iconaDelProgramma();
    void schermateChiareSuDesktopScuro();
    void schermateFinestre();
    void passwordNascosta_data();
    void passwordNascosta();
    void calendarioLetto_data();
    void calendarioLetto();
    void calendarioDettoMentreSiMuove_data();
    void calendarioDettoMentreSiMuove();
    void calendarioRaggiuntoConTab();
    void risultatiRaggiuntiConTab_data();
    void risultatiRaggiuntiConTab();

private:
    void Mostra(QWidget *w);
    QString PercorsoArchivio() const { return Archivio::Percorso(m_fake->cartella.path()); }
    std::unique_ptr<FakeDesktopInstallato> m_fake;
};

void TestAccessibilita::initTestCase()
{
    // The desktop is dark; the program prepares itself as its entry does.
    QApplication::setPalette(TavolozzaScura());
    Applicazione::Prepara(*qApp);
}

void TestAccessibilita::init()
{
    m_fake = std::make_unique<FakeDesktopInstallato>();
    // 2024: January 1234,40; March 48,50 and 30,20; December 2500; one of
    // 2023 that stays out.
    Scrivi(PercorsoArchivio(),
           {Semplice(u"Idraulico Rossi"_qs, u"12/01/2024"_qs, u"CASA"_qs, u"Caldaia nuova"_qs, u"1234,40"_qs, true),
            Semplice(u"Acqua Blu"_qs, u"15/03/2024"_qs, u"ACQUA"_qs, u"Bolletta acqua"_qs, u"48,50"_qs),
            Semplice(u"Acqua Blu"_qs, u"28/03/2024"_qs, u"ACQUA"_qs, u"Conguaglio"_qs, u"30,20"_qs),
            Semplice(u"Gas Nord"_qs, u"20/12/2023"_qs, u"GAS"_qs, u"Bolletta gas"_qs, u"90,00"_qs),
            Semplice(u"Assicura Spa"_qs, u"30/12/2024"_qs, u"AUTO"_qs, u"Polizza auto"_qs, u"2500,00"_qs)});
    Programma::CreaSchermate();
}

void TestAccessibilita::cleanup()
{
    Programma::DistruggiSchermate();
    m_fake.reset();
}

void TestAccessibilita::Mostra(QWidget *w)
{
    w->setWindowState(Qt::WindowNoState);
    w->resize(1280, 720);
    w->show();
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
}

void TestAccessibilita::graficoLetto()
{
    TfrmStatistiche *grafici = qobject_cast<TfrmStatistiche *>(Schermate::Globali().frmStatistiche);
    Mostra(grafici);
    Scrivi(grafici, u"txtAnno"_qs, u"2024"_qs);
    Clicca(grafici, u"btnApri"_qs);

    QAccessibleInterface *grafico = QAccessible::queryAccessibleInterface(
        GuiTest::Trova<QWidget>(grafici, u"ChartStats"_qs));
    QVERIFY(grafico);
    QCOMPARE(grafico->role(), QAccessible::Chart);
    QCOMPARE(grafico->text(QAccessible::Name), u"Spese mensili dell'anno 2024, grafico a barre"_qs);

    // The twelve months with their totals rounded to the euro, as the legend
    // writes them.
    const QStringList attesi{u"Gennaio: 1.234"_qs, u"Febbraio: 0"_qs,  u"Marzo: 79"_qs,   u"Aprile: 0"_qs,
                             u"Maggio: 0"_qs,      u"Giugno: 0"_qs,    u"Luglio: 0"_qs,   u"Agosto: 0"_qs,
                             u"Settembre: 0"_qs,   u"Ottobre: 0"_qs,   u"Novembre: 0"_qs, u"Dicembre: 2.500"_qs};
    // The chart opens in focus and says the twelve totals at once, then the foot.
    QCOMPARE(QApplication::focusWidget(), GuiTest::Trova<QWidget>(grafici, u"ChartStats"_qs));
    QVERIFY(grafico->state().focused);
    QCOMPARE(grafico->text(QAccessible::Description),
             attesi.join(u"; "_qs) + u". Tutti gli importi sono arrotondati all'euro"_qs);
    const auto punti = [&] {
        QStringList letti;
        for (int i = 0; i < grafico->childCount(); ++i) {
            QAccessibleInterface *p = grafico->child(i);
            letti << (p ? p->text(QAccessible::Name) : QString());
            if (p && (grafico->indexOfChild(p) != i || p->parent() != grafico))
                letti << u"(fuori posto)"_qs;
        }
        return letti;
    };
    QCOMPARE(punti(), attesi);
    QCOMPARE(grafico->child(2)->text(QAccessible::Value), u"79"_qs);
    QCOMPARE(grafico->child(11)->text(QAccessible::Value), u"2.500"_qs);

    // The pie tells its kind; the points stay.
    Clicca(grafici, u"btnTorta"_qs);
    QCOMPARE(grafico->text(QAccessible::Name), u"Spese mensili dell'anno 2024, grafico a torta"_qs);
    QCOMPARE(punti(), attesi);

    // Another year: another name, other values.
    Clicca(grafici, u"btnEsci"_qs);
    Mostra(grafici);
    Scrivi(grafici, u"txtAnno"_qs, u"2023"_qs);
    Clicca(grafici, u"btnApri"_qs);
    QCOMPARE(grafico->text(QAccessible::Name), u"Spese mensili dell'anno 2023, grafico a torta"_qs);
    QCOMPARE(punti().at(11), u"Dicembre: 90"_qs);
    QCOMPARE(punti().at(0), u"Gennaio: 0"_qs);
}

void TestAccessibilita::valoriLetti()
{
    // The editor's position, read anew as the arrows move it.
    TfrmRegPagamenti *editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    Mostra(editor);
    auto *posizione = GuiTest::Trova<QLabel>(editor, u"lblPosizione"_qs);
    Clicca(editor, u"cmdPrimo"_qs);
    QCOMPARE(Leggi(posizione), u"1"_qs);
    QCOMPARE(Leggi(posizione, QAccessible::Description), u"Posizione della scheda in archivio"_qs);
    Clicca(editor, u"cmdAvanti"_qs);
    QCOMPARE(Leggi(posizione), u"2"_qs);

    // The count of the search results and of the export grid.
    QString trovate, schede;
    m_fake->quandoModale = [&](QDialog *d) {
        if (auto *cerca = d->findChild<QAbstractButton *>(u"btnCerca"_qs)) {
            Scrivi(d, u"txtFornitore"_qs, u"acqua"_qs);
            cerca->click();
            trovate = Leggi(d->findChild<QLabel *>(u"lblTrovate"_qs));
        }
        if (auto *griglia = d->findChild<QWidget *>(u"grdRecords"_qs))
            schede = Leggi(griglia, QAccessible::Name) + u"; "_qs + Leggi(griglia, QAccessible::Description);
        return int(QDialog::Rejected);
    };
    Clicca(editor, u"cmdTrova"_qs);
    QCOMPARE(trovate, u"Il presente riepilogo contiene 2 schede"_qs);
    Clicca(editor, u"cmdEsporta"_qs);
    QCOMPARE(schede, u"Schede in archivio; 5 schede"_qs);
    editor->close();

    // The statement: payee filter, interval and total, each read with what
    // it is.
    QWidget *criteri = Schermate::Globali().frmMenuRiepPagamenti;
    Mostra(criteri);
    Scrivi(criteri, u"txtFornitore"_qs, u"Acqua Blu"_qs);
    const QList<QPair<const char *, QString>> scelte{
        {"txtGiornoInizio", u"01"_qs}, {"txtMeseInizio", u"Marzo"_qs},
        {"txtGiornoFine", u"31"_qs}, {"txtMeseFine", u"Marzo"_qs}};
    for (const auto &[nome, voce] : scelte) {
        auto *c = GuiTest::Trova<QComboBox>(criteri, QString::fromLatin1(nome));
        c->setCurrentIndex(c->findText(voce));
    }
    QStringList letti;
    m_fake->quandoModale = [&](QDialog *d) {
        for (const char *nome : {"titTipologia", "lblIntervallo", "lblTotCosti"}) {
            auto *l = d->findChild<QLabel *>(QString::fromLatin1(nome));
            letti << Leggi(l).simplified() + u" | "_qs + Leggi(l, QAccessible::Description);
        }
        return int(QDialog::Rejected);
    };
    Clicca(criteri, u"btnVisualizza"_qs);
    QCOMPARE(letti, (QStringList{u"Acqua Blu | Beneficiario"_qs,
                                 u"Dal 01/03/2024 al 31/03/2024 | Intervallo selezionato"_qs,
                                 u"78,70 | Totale importi"_qs}));
}

void TestAccessibilita::iconaDelProgramma()
{
    const QIcon icona = QApplication::windowIcon();
    QVERIFY(!icona.isNull());
    QVERIFY(!icona.pixmap(32, 32).isNull());

    // Every window, shown as it is used, carries the program's icon, down to
    // the window the desktop's task bar reads.
    QStringList senza;
    const auto controlla = [&](QWidget *w) {
        const QString chi = QString::fromLatin1(w->metaObject()->className());
        if (w->windowIcon().cacheKey() != icona.cacheKey())
            senza << chi;
        else if (!w->windowHandle() || w->windowHandle()->icon().cacheKey() != icona.cacheKey())
            senza << chi + u" (finestra)"_qs;
    };
    const Schermate &s = Schermate::Globali();
    for (QWidget *w : std::initializer_list<QWidget *>{s.frmPassword, s.frmCambiaPassword, s.frmAvvio,
                                                       s.frmRegPagamenti, s.frmMenuRiepPagamenti,
                                                       s.frmStatistiche}) {
        Mostra(w);
        controlla(w);
        w->hide();
    }
    QStringList dialoghi;
    m_fake->quandoModale = [&](QDialog *d) {
        dialoghi << QString::fromLatin1(d->metaObject()->className());
        controlla(d);
        return int(QDialog::Rejected);
    };
    Mostra(s.frmAvvio);
    for (const char *c : {"imgInfo", "imgCredits", "imgGuida"})
        Clicca(s.frmAvvio, QString::fromLatin1(c));
    Mostra(s.frmRegPagamenti);
    for (const char *c : {"cmdTrova", "cmdListino", "cmdStampa", "cmdEsporta", "cmdFile", "btnCodFisc"})
        Clicca(s.frmRegPagamenti, QString::fromLatin1(c));
    QTest::keyClick(GuiTest::Trova<QWidget>(s.frmRegPagamenti, u"txtData"_qs), Qt::Key_A);
    QCOMPARE(dialoghi.size(), 10);
    QVERIFY2(senza.isEmpty(), qPrintable(senza.join(u", "_qs)));
}

void TestAccessibilita::schermateChiareSuDesktopScuro()
{
    TfrmRegPagamenti *editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
    Mostra(editor);
    auto *casella = GuiTest::Trova<QCheckBox>(editor, u"chkDaSaldare"_qs);
    QVERIFY(!casella->isChecked());
    QStyleOptionButton opzione;
    opzione.initFrom(casella);
    const QRect quadratino = casella->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opzione, casella);
    // An empty box is light inside, as on a light desktop: a dark square
    // would read as a ticked one.
    const int vuota = Chiarezza(casella, quadratino.adjusted(2, 2, -2, -2));
    QVERIFY2(vuota > 200, qPrintable(QString::number(vuota)));

    // The lines of a result list: dark text on a light ground.
    QListView *lista = nullptr;
    int fondo = -1;
    m_fake->quandoModale = [&](QDialog *d) {
        lista = d->findChild<QListView *>(u"lstRecords"_qs);
        QApplication::processEvents();
        fondo = lista ? Chiarezza(lista->viewport(), QRect(0, lista->viewport()->height() - 20, 200, 16)) : -1;
        return int(QDialog::Rejected);
    };
    Clicca(editor, u"cmdListino"_qs);
    QVERIFY(lista);
    QVERIFY2(fondo > 200, qPrintable(QString::number(fondo)));

    // A plain field of the summary criteria, empty: light inside.
    QWidget *criteri = Schermate::Globali().frmMenuRiepPagamenti;
    Mostra(criteri);
    auto *campo = GuiTest::Trova<QLineEdit>(criteri, u"txtCodice"_qs);
    QVERIFY(campo->text().isEmpty());
    const int interno = Chiarezza(campo, campo->rect().adjusted(4, 4, -4, -4));
    QVERIFY2(interno > 200, qPrintable(QString::number(interno)));
}

void TestAccessibilita::calendarioLetto_data()
{
    QTest::addColumn<QDate>("scelta");
    QTest::addColumn<QString>("detta");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<QString>("ultima");
    // The grid shows six weeks from Monday: the first and last days are of
    // the months around, and a month that starts on Monday starts in the
    // second week.
    QTest::newRow("5 marzo 2024") << QDate(2024, 3, 5) << u"martedì 5 marzo 2024"_qs
                                  << u"lunedì 26 febbraio 2024"_qs << u"domenica 7 aprile 2024"_qs;
    QTest::newRow("29 febbraio 2024") << QDate(2024, 2, 29) << u"giovedì 29 febbraio 2024"_qs
                                      << u"lunedì 29 gennaio 2024"_qs << u"domenica 10 marzo 2024"_qs;
    QTest::newRow("aprile da lunedì") << QDate(2024, 4, 1) << u"lunedì 1 aprile 2024"_qs
                                      << u"lunedì 25 marzo 2024"_qs << u"domenica 5 maggio 2024"_qs;
    QTest::newRow("fine d'anno") << QDate(2024, 12, 31) << u"martedì 31 dicembre 2024"_qs
                                 << u"lunedì 25 novembre 2024"_qs << u"domenica 5 gennaio 2025"_qs;
    QTest::newRow("capodanno") << QDate(2025, 1, 1) << u"mercoledì 1 gennaio 2025"_qs
                               << u"lunedì 30 dicembre 2024"_qs << u"domenica 9 febbraio 2025"_qs;
}

void TestAccessibilita::calendarioLetto()
{
    QFETCH(QDate, scelta);
    QFETCH(QString, detta);
    QFETCH(QString, prima);
    QFETCH(QString, ultima);
    const auto d = ApriCalendario(scelta);
    QVERIFY(d);
    auto *griglia = d->findChild<QTableView *>(u"qt_calendar_calendarview"_qs);
    QAccessibleInterface *g = QAccessible::queryAccessibleInterface(griglia);
    QVERIFY(g);

    // The cells as a reader meets them: the weekday names as column headers,
    // the days named in full, the one in focus the chosen date.
    QStringList intestazioni, giorni, inFuoco;
    for (int k = 0; k < g->childCount(); ++k) {
        QAccessibleInterface *c = g->child(k);
        QVERIFY(c);
        QCOMPARE(g->indexOfChild(c), k);
        QCOMPARE(c->parent(), g);
        if (c->state().invisible)
            continue;
        if (c->role() == QAccessible::ColumnHeader)
            intestazioni << c->text(QAccessible::Name);
        else if (c->role() == QAccessible::Cell)
            giorni << c->text(QAccessible::Name);
        if (c->state().focused)
            inFuoco << c->text(QAccessible::Name);
    }
    QCOMPARE(intestazioni, (QStringList{u"lunedì"_qs, u"martedì"_qs, u"mercoledì"_qs, u"giovedì"_qs,
                                        u"venerdì"_qs, u"sabato"_qs, u"domenica"_qs}));
    QCOMPARE(giorni.size(), 42);
    QCOMPARE(giorni.first(), prima);
    QCOMPARE(giorni.last(), ultima);
    QCOMPARE(inFuoco, QStringList{detta});
    QVERIFY(g->focusChild());
    QCOMPARE(g->focusChild()->text(QAccessible::Name), detta);
    // Six weeks of consecutive days, no day twice.
    QCOMPARE(QSet<QString>(giorni.begin(), giorni.end()).size(), 42);

    // What is under a point of the grid is the day drawn there.
    const QModelIndex corrente = griglia->currentIndex();
    const QPoint centro = griglia->viewport()->mapToGlobal(griglia->visualRect(corrente).center());
    QAccessibleInterface *sotto = g->childAt(centro.x(), centro.y());
    QVERIFY(sotto);
    QCOMPARE(sotto->text(QAccessible::Name), detta);
}

void TestAccessibilita::calendarioDettoMentreSiMuove_data()
{
    QTest::addColumn<QDate>("scelta");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QString>("detta");
    QTest::newRow("giorno dopo") << QDate(2024, 3, 5) << int(Qt::Key_Right) << u"mercoledì 6 marzo 2024"_qs;
    QTest::newRow("settimana dopo") << QDate(2024, 3, 5) << int(Qt::Key_Down) << u"martedì 12 marzo 2024"_qs;
    QTest::newRow("nel mese prima") << QDate(2024, 3, 1) << int(Qt::Key_Left) << u"giovedì 29 febbraio 2024"_qs;
    QTest::newRow("nell'anno dopo") << QDate(2024, 12, 31) << int(Qt::Key_Right) << u"mercoledì 1 gennaio 2025"_qs;
    // February and March 2021 both start on Monday: the new day sits in the
    // very cell of the old one, and only its description can change.
    QTest::newRow("stessa cella, mese dopo") << QDate(2021, 2, 10) << int(Qt::Key_PageDown)
                                             << u"mercoledì 10 marzo 2021"_qs;
}

void TestAccessibilita::calendarioDettoMentreSiMuove()
{
    QFETCH(QDate, scelta);
    QFETCH(int, tasto);
    QFETCH(QString, detta);
    const auto d = ApriCalendario(scelta);
    QVERIFY(d);
    auto *griglia = d->findChild<QTableView *>(u"qt_calendar_calendarview"_qs);
    QAccessibleInterface *g = QAccessible::queryAccessibleInterface(griglia);
    QVERIFY(g);
    QAccessibleInterface *prima = CellaInFuoco(g);
    QVERIFY(prima);
    QTest::keyClick(griglia, Qt::Key(tasto));
    // Qt tells a move as the focus on the grid's child at this index (its
    // count has a hidden header row and column before the model's cells).
    const QModelIndex i = griglia->currentIndex();
    QAccessibleInterface *dopo = g->child((i.row() + 1) * (griglia->model()->columnCount() + 1) + i.column() + 1);
    QVERIFY(dopo);
    QCOMPARE(dopo, CellaInFuoco(g));
    QCOMPARE(dopo->text(QAccessible::Name), detta);
    // Where the new day sits in the old one's cell, the reader hears it as
    // the cell's description changing.
    QCOMPARE(dopo->text(QAccessible::Description), detta);
    QCOMPARE(dopo == prima, QTest::currentDataTag() == QByteArray("stessa cella, mese dopo"));
}

void TestAccessibilita::calendarioRaggiuntoConTab()
{
    const auto d = ApriCalendario(QDate(2024, 3, 5));
    QVERIFY(d);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"qt_calendar_calendarview"_qs);
    QStringList visti;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visti << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visti, (QStringList{u"qt_calendar_prevmonth"_qs, u"qt_calendar_monthbutton"_qs,
                                 u"qt_calendar_yearbutton"_qs, u"qt_calendar_nextmonth"_qs, u"txtDataDigitata"_qs,
                                 u"btnImportaData"_qs, u"btnAnnulla"_qs, u"qt_calendar_calendarview"_qs}));

    // The month and year controls say the chosen date as it changes under
    // them, pressed from the keyboard.
    auto *successivo = d->findChild<QWidget *>(u"qt_calendar_nextmonth"_qs);
    successivo->setFocus(Qt::TabFocusReason);
    QCOMPARE(Leggi(successivo, QAccessible::Description), u"martedì 5 marzo 2024"_qs);
    QTest::keyClick(successivo, Qt::Key_Space);
    QCOMPARE(d->findChild<QCalendarWidget *>()->monthShown(), 4);
    // The day chosen follows the month shown: Importa takes the day seen.
    QCOMPARE(d->findChild<QCalendarWidget *>()->selectedDate(), QDate(2024, 4, 5));
    QCOMPARE(d->findChild<QLineEdit *>(u"txtDataDigitata"_qs)->text(), u"05/04/2024"_qs);
    for (const char *nome : {"qt_calendar_prevmonth", "qt_calendar_monthbutton", "qt_calendar_yearbutton",
                             "qt_calendar_nextmonth"})
        QCOMPARE(Leggi(d->findChild<QWidget *>(QLatin1String(nome)), QAccessible::Description),
                 u"venerdì 5 aprile 2024"_qs);
    QCOMPARE(Leggi(d->findChild<QWidget *>(u"qt_calendar_monthbutton"_qs)), u"aprile"_qs);
}

void TestAccessibilita::risultatiRaggiuntiConTab_data()
{
    QTest::addColumn<QString>("schermata");
    QTest::addColumn<QString>("risultato");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("didascalia");
    QTest::newRow("totale del riepilogo") << u"riepilogo"_qs << u"lblTotCosti"_qs << u"78,70"_qs
                                          << u"Totale importi:"_qs;
    QTest::newRow("intervallo del riepilogo") << u"riepilogo"_qs << u"lblIntervallo"_qs
                                              << u"Dal   01/03/2024   al   31/03/2024"_qs
                                              << u"Intervallo selezionato:"_qs;
    QTest::newRow("schede trovate") << u"ricerca"_qs << u"lblTrovate"_qs
                                    << u"Il presente riepilogo contiene 2 schede"_qs << QString();
    QTest::newRow("conti da saldare") << u"conti"_qs << u"lblTrovate"_qs << u"Conti da saldare: 1"_qs << QString();
    QTest::newRow("schede eliminate") << u"eliminate"_qs << u"lblTrovate"_qs << u"Schede eliminate: 0"_qs
                                      << QString();
}

void TestAccessibilita::risultatiRaggiuntiConTab()
{
    QFETCH(QString, schermata);
    QFETCH(QString, risultato);
    QFETCH(QString, testo);
    QFETCH(QString, didascalia);

    // From the list, Tab reaches the result as read-only text that reads
    // what the screen shows, with its caption as its label, and a focus mark.
    QString mostrato, letto, etichetta, dopoTab, stato;
    bool segnato = false;
    m_fake->quandoModale = [&](QDialog *d) {
        if (auto *cerca = d->findChild<QAbstractButton *>(u"btnCerca"_qs)) {
            Scrivi(d, u"txtFornitore"_qs, u"acqua"_qs);
            cerca->click();
        }
        if (!d->findChild<QLabel *>(risultato))
            return int(QDialog::Rejected);
        QApplication::setActiveWindow(d);
        if (!QTest::qWaitForWindowActive(d))
            return int(QDialog::Rejected);
        auto *l = d->findChild<QLabel *>(risultato);
        mostrato = l->text();
        QWidget *lista = d->findChild<QWidget *>(u"lstRecords"_qs);
        lista->setFocus(Qt::TabFocusReason);
        const QImage prima = l->grab().toImage();
        for (int i = 0; i < 4 && QApplication::focusWidget() != l; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        dopoTab = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        segnato = l->grab().toImage() != prima;
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(l);
        letto = i->text(QAccessible::Name);
        stato = i->state().focused && i->state().focusable && !i->state().editable ? u"ok"_qs : u"stato"_qs;
        for (const auto &[altro, relazione] : i->relations(QAccessible::Label))
            etichetta = altro->text(QAccessible::Name);
        return int(QDialog::Rejected);
    };
    if (schermata == u"riepilogo") {
        QWidget *criteri = Schermate::Globali().frmMenuRiepPagamenti;
        Mostra(criteri);
        Scrivi(criteri, u"txtFornitore"_qs, u"Acqua Blu"_qs);
        const QList<QPair<const char *, QString>> scelte{{"txtGiornoInizio", u"01"_qs},
                                                         {"txtMeseInizio", u"Marzo"_qs},
                                                         {"txtGiornoFine", u"31"_qs},
                                                         {"txtMeseFine", u"Marzo"_qs}};
        for (const auto &[nome, voce] : scelte) {
            auto *c = GuiTest::Trova<QComboBox>(criteri, QString::fromLatin1(nome));
            c->setCurrentIndex(c->findText(voce));
        }
        Clicca(criteri, u"btnVisualizza"_qs);
    } else {
        TfrmRegPagamenti *editor = qobject_cast<TfrmRegPagamenti *>(Schermate::Globali().frmRegPagamenti);
        Mostra(editor);
        Clicca(editor, schermata == u"ricerca" ? u"cmdTrova"_qs
                       : schermata == u"conti" ? u"cmdListino"_qs
                                               : u"cmdEliminate"_qs);
    }
    QCOMPARE(mostrato, testo);
    QCOMPARE(dopoTab, risultato);
    QCOMPARE(letto, mostrato);
    QCOMPARE(stato, u"ok"_qs);
    QVERIFY(segnato);
    QCOMPARE(etichetta, didascalia);
}

QTEST_MAIN(TestAccessibilita)
#include "tst_accessibilita.moc"

void TestAccessibilita::schermateFinestre()
{
    // A plain top-level widget is a filler on the bus, which never becomes
    // active: the reader drops every focus change in it. Every screen is a
    // window or a dialog there.
    const Schermate &s = Schermate::Globali();
    for (QWidget *w : {s.frmPassword, s.frmAvvio, s.frmRegPagamenti, s.frmMenuRiepPagamenti, s.frmStatistiche,
                       s.frmTrovaRegPagamenti, s.frmSospesePag, s.frmRiepPagamenti, s.frmCambiaPassword,
                       s.frmCalendario}) {
        Mostra(w);
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(i, qPrintable(w->objectName()));
        QVERIFY2(i->role() == QAccessible::Window || i->role() == QAccessible::Dialog, qPrintable(w->objectName()));
        QVERIFY2(i->state().active, qPrintable(w->objectName()));
        QCOMPARE(i->text(QAccessible::Name), w->windowTitle());
        w->hide();
    }
}

void TestAccessibilita::passwordNascosta_data()
{
    QTest::addColumn<QString>("schermata");
    QTest::addColumn<QString>("campo");
    QTest::newRow("accesso") << u"accesso"_qs << u"txtPassword"_qs;
    QTest::newRow("vecchia") << u"cambia"_qs << u"txtPasswordOld"_qs;
    QTest::newRow("nuova") << u"cambia"_qs << u"txtPasswordNew"_qs;
    QTest::newRow("conferma") << u"cambia"_qs << u"txtConferma"_qs;
}

void TestAccessibilita::passwordNascosta()
{
    QFETCH(QString, schermata);
    QFETCH(QString, campo);
    QWidget *w = schermata == u"accesso" ? Schermate::Globali().frmPassword : Schermate::Globali().frmCambiaPassword;
    Mostra(w);
    auto *riga = GuiTest::Trova<QLineEdit>(w, campo);
    riga->setFocus();
    QTest::keyClicks(riga, u"VALMORA2026"_qs);
    QCOMPARE(riga->text(), u"VALMORA2026"_qs);
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(riga);
    QVERIFY(i);
    // Marked as a password field, named, and with no text to read: the bridge
    // sends what is typed only for controls that expose their text.
    QCOMPARE(i->role(), QAccessible::EditableText);
    QVERIFY(i->state().passwordEdit);
    QVERIFY(!i->textInterface());
    QVERIFY(!i->editableTextInterface());
    QVERIFY(!i->text(QAccessible::Value).contains(u"V"_qs));
    QVERIFY(!i->text(QAccessible::Name).isEmpty());
    QVERIFY(!i->text(QAccessible::Name).contains(u"VALMORA"_qs, Qt::CaseInsensitive));
    w->hide();
}
