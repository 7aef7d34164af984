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
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QStyleOptionButton>
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
    QCOMPARE(grafico->text(QAccessible::Description), u"Tutti gli importi sono arrotondati all'euro"_qs);

    // The twelve months with their totals rounded to the euro, as the legend
    // writes them.
    const QStringList attesi{u"Gennaio: 1.234"_qs, u"Febbraio: 0"_qs,  u"Marzo: 79"_qs,   u"Aprile: 0"_qs,
                             u"Maggio: 0"_qs,      u"Giugno: 0"_qs,    u"Luglio: 0"_qs,   u"Agosto: 0"_qs,
                             u"Settembre: 0"_qs,   u"Ottobre: 0"_qs,   u"Novembre: 0"_qs, u"Dicembre: 2.500"_qs};
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
