// The screens under a real dark desktop theme (GNOME's Adwaita-dark through
// Qt's GTK platform theme, which the test is started under): lists, the
// export grid and the check box keep readable text and an unchecked box that
// reads as unchecked. The theme's palette reaches a program through its style,
// not only through the application palette.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"
#include "app/Applicazione.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHash>
#include <QStyleOptionButton>
#include <QTableView>
#include <QtTest>
#include <cmath>

using namespace ArchivioDiProva;
using GuiTest::Clicca;

namespace {

double Luminanza(QColor c)
{
    const auto lineare = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lineare(c.redF()) + 0.7152 * lineare(c.greenF()) + 0.0722 * lineare(c.blueF());
}

double Contrasto(QColor a, QColor b)
{
    const double la = Luminanza(a), lb = Luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of the text drawn in a rectangle against its background: the
// most frequent colour is the background, the text the colour farthest from it.
double ContrastoTesto(const QImage &img, const QRect &r)
{
    QHash<QRgb, int> conta;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++conta[img.pixel(x, y)];
    QRgb sfondo = 0;
    int massimo = -1;
    for (auto i = conta.cbegin(); i != conta.cend(); ++i)
        if (i.value() > massimo) {
            massimo = i.value();
            sfondo = i.key();
        }
    double migliore = 1;
    for (auto i = conta.cbegin(); i != conta.cend(); ++i)
        migliore = std::max(migliore, Contrasto(QColor(sfondo), QColor(i.key())));
    return migliore;
}

// Each of the first righe rows of a list or grid, read for its text.
QStringList RigheIlleggibili(QAbstractItemView *vista, int righe)
{
    QStringList male;
    const QImage img = vista->viewport()->grab().toImage();
    for (int r = 0; r < righe; ++r) {
        // A list's line, or the grid's payee cell (inside its grid lines).
        QRect riga;
        if (qobject_cast<QTableView *>(vista))
            riga = vista->visualRect(vista->model()->index(r, 3)).adjusted(2, 2, -2, -2);
        else {
            riga = vista->visualRect(vista->model()->index(r, 0));
            riga.setLeft(0);
            riga.setRight(std::min(vista->viewport()->width(), 500) - 1);
        }
        riga &= img.rect().adjusted(0, 0, -1, -1);
        const double c = ContrastoTesto(img, riga);
        if (c < 4.5)
            male << QStringLiteral("%1 riga %2: contrasto %3").arg(vista->objectName()).arg(r).arg(c, 0, 'f', 2);
    }
    return male;
}

// The focus mark of a control as the user sees it: the window around the
// control drawn without and with the focus, given by no key, as a window
// gives it to its first control when it opens. The pixels that change are the
// mark; those that stand out from what was there before by at least 3:1 must
// run all round the control (once its outline's length).
QString SegnoFuocoDebole(QWidget *c)
{
    QWidget *finestra = c->window();
    // Scrolled into view first, so that both pictures show the same place.
    c->setFocus(Qt::OtherFocusReason);
    QTest::qWait(20);
    const QRect zona = QRect(c->mapTo(finestra, QPoint(0, 0)), c->size()).adjusted(-8, -8, 8, 8) & finestra->rect();
    c->clearFocus();
    QTest::qWait(20);
    const QImage senza = finestra->grab(zona).toImage();
    c->setFocus(Qt::OtherFocusReason);
    QTest::qWait(20);
    const QImage con = finestra->grab(zona).toImage();
    if (!c->hasFocus())
        return c->objectName() + u": non prende il fuoco"_qs;
    int cambiati = 0, evidenti = 0;
    double minimo = 21;
    for (int y = 0; y < std::min(senza.height(), con.height()); ++y)
        for (int x = 0; x < std::min(senza.width(), con.width()); ++x) {
            if (senza.pixel(x, y) == con.pixel(x, y))
                continue;
            ++cambiati;
            const double contrasto = Contrasto(QColor(senza.pixel(x, y)), QColor(con.pixel(x, y)));
            evidenti += contrasto >= 3;
            minimo = std::min(minimo, contrasto);
        }
    const int giro = 2 * (c->width() + c->height());
    if (evidenti >= giro)
        return {};
    return QStringLiteral("%1 in %2: %3 punti cambiati, %4 a 3:1 o più (ne servono %5)")
        .arg(c->objectName(), finestra->objectName())
        .arg(cambiati)
        .arg(evidenti)
        .arg(giro);
}

// Every control of a window the user may reach with Tab.
QList<QWidget *> Raggiungibili(QWidget *finestra)
{
    QList<QWidget *> controlli;
    for (QWidget *c : finestra->findChildren<QWidget *>()) {
        if (c->window() != finestra || !(c->focusPolicy() & Qt::TabFocus) || !c->isVisibleTo(finestra)
            || !c->isEnabled() || c->objectName().isEmpty() || c->objectName().startsWith(u"qt_"_qs))
            continue;
        controlli << c;
    }
    return controlli;
}

} // namespace

class TestContrasto : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void elenchiLeggibili_data();
    void elenchiLeggibili();
    void casellaNonSpuntata();
    void segnoFuoco_data();
    void segnoFuoco();

private:
    std::unique_ptr<FakeDesktopInstallato> m_fake;
};

void TestContrasto::initTestCase()
{
    // The dark theme is really in force, as the desktop hands it over.
    QVERIFY2(QGuiApplication::palette().color(QPalette::Window).lightness() < 100,
             "il tema scuro GTK non è attivo (QT_QPA_PLATFORMTHEME=gtk3, GTK_THEME=Adwaita:dark, un display X)");
    Applicazione::Prepara(*qApp);
}

void TestContrasto::init()
{
    m_fake = std::make_unique<FakeDesktopInstallato>();
    Scrivi(Archivio::Percorso(m_fake->cartella.path()),
           {Semplice(u"Idraulico Rossi"_qs, u"12/01/2024"_qs, u"CASA"_qs, u"Caldaia nuova"_qs, u"1234,40"_qs, true),
            Semplice(u"Acqua Blu"_qs, u"15/03/2024"_qs, u"ACQUA"_qs, u"Bolletta acqua"_qs, u"48,50"_qs, true),
            Semplice(u"Assicura Spa"_qs, u"30/12/2024"_qs, u"AUTO"_qs, u"Polizza auto"_qs, u"2500,00"_qs, true)});
    Programma::CreaSchermate();
}

void TestContrasto::cleanup()
{
    Programma::DistruggiSchermate();
    m_fake.reset();
}

void TestContrasto::elenchiLeggibili_data()
{
    QTest::addColumn<QString>("schermata");
    QTest::addColumn<QString>("pulsante");
    QTest::newRow("ricerca") << u"editor"_qs << u"cmdTrova"_qs;
    QTest::newRow("da saldare") << u"editor"_qs << u"cmdListino"_qs;
    QTest::newRow("esportazione") << u"editor"_qs << u"cmdEsporta"_qs;
    QTest::newRow("riepilogo") << u"criteri"_qs << u"btnVisualizza"_qs;
}

void TestContrasto::elenchiLeggibili()
{
    QFETCH(QString, schermata);
    QFETCH(QString, pulsante);
    const Schermate &s = Schermate::Globali();
    QWidget *da = schermata == u"editor"_qs ? s.frmRegPagamenti : s.frmMenuRiepPagamenti;
    QStringList male;
    int viste = 0;
    m_fake->quandoModale = [&](QDialog *d) {
        if (auto *cerca = d->findChild<QAbstractButton *>(u"btnCerca"_qs)) {
            GuiTest::Scrivi(d, u"txtFornitore"_qs, u"a"_qs);
            cerca->click();
        }
        QTest::qWaitForWindowExposed(d);
        for (auto *vista : d->findChildren<QAbstractItemView *>()) {
            if (vista->objectName() != u"lstRecords"_qs && vista->objectName() != u"grdRecords"_qs)
                continue;
            ++viste;
            male << RigheIlleggibili(vista, std::min(3, vista->model()->rowCount()));
            if (vista->model()->rowCount() < 2)
                male << vista->objectName() + u": meno di due righe"_qs;
        }
        return int(QDialog::Rejected);
    };
    da->show();
    if (da == s.frmMenuRiepPagamenti) {
        GuiTest::Imposta(da, "txtAnno", u"2024"_qs);
        GuiTest::Imposta(da, "txtGiornoInizio", u"01"_qs);
        GuiTest::Imposta(da, "txtMeseInizio", u"Gennaio"_qs);
        GuiTest::Imposta(da, "txtGiornoFine", u"31"_qs);
        GuiTest::Imposta(da, "txtMeseFine", u"Dicembre"_qs);
    }
    Clicca(da, pulsante);
    QCOMPARE(viste, 1);
    QVERIFY2(male.isEmpty(), qPrintable(male.join(u'\n')));
    da->hide();
}

void TestContrasto::casellaNonSpuntata()
{
    QWidget *editor = Schermate::Globali().frmRegPagamenti;
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    auto *casella = GuiTest::Trova<QCheckBox>(editor, u"chkDaSaldare"_qs);
    QVERIFY(casella);
    QStyleOptionButton opzione;
    opzione.initFrom(casella);
    const QRect quadratino = casella->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opzione, casella);
    const auto chiarezza = [&] {
        const QImage img = casella->grab(quadratino.adjusted(3, 3, -3, -3)).toImage();
        qint64 somma = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                somma += QColor(img.pixel(x, y)).lightness();
        return int(somma / std::max(1, img.width() * img.height()));
    };
    casella->setChecked(false);
    const int vuota = chiarezza();
    casella->setChecked(true);
    const int spuntata = chiarezza();
    // Empty reads as a light box; the tick darkens it.
    QVERIFY2(vuota > 200, qPrintable(QString::number(vuota)));
    QVERIFY2(vuota - spuntata > 20, qPrintable(QStringLiteral("%1 %2").arg(vuota).arg(spuntata)));
    editor->hide();
}

void TestContrasto::segnoFuoco_data()
{
    QTest::addColumn<QString>("schermata");
    QTest::addColumn<QString>("pulsante");
    QTest::newRow("accesso") << u"accesso"_qs << QString();
    QTest::newRow("menu") << u"menu"_qs << QString();
    QTest::newRow("registro") << u"editor"_qs << QString();
    QTest::newRow("ricerca") << u"editor"_qs << u"cmdTrova"_qs;
    QTest::newRow("da saldare") << u"editor"_qs << u"cmdListino"_qs;
    QTest::newRow("esportazione") << u"editor"_qs << u"cmdEsporta"_qs;
    QTest::newRow("criteri") << u"criteri"_qs << QString();
    QTest::newRow("grafici") << u"grafici"_qs << QString();
}

// Each control's focus mark stands out at least 3:1 from the background it
// is drawn on: on white fields, grey windows and navy bars alike.
void TestContrasto::segnoFuoco()
{
    QFETCH(QString, schermata);
    QFETCH(QString, pulsante);
    const Schermate &s = Schermate::Globali();
    const QHash<QString, QWidget *> schermate{{u"accesso"_qs, s.frmPassword},
                                              {u"menu"_qs, s.frmAvvio},
                                              {u"editor"_qs, s.frmRegPagamenti},
                                              {u"criteri"_qs, s.frmMenuRiepPagamenti},
                                              {u"grafici"_qs, s.frmStatistiche}};
    QWidget *da = schermate.value(schermata);
    QVERIFY(da);
    QStringList deboli;
    int misurati = 0;
    const auto misura = [&](QWidget *finestra) {
        QVERIFY(QTest::qWaitForWindowExposed(finestra));
        for (QWidget *c : Raggiungibili(finestra)) {
            ++misurati;
            const QString male = SegnoFuocoDebole(c);
            if (!male.isEmpty())
                deboli << male;
        }
    };
    m_fake->quandoModale = [&](QDialog *d) {
        misura(d);
        return int(QDialog::Rejected);
    };
    da->show();
    if (pulsante.isEmpty())
        misura(da);
    else
        Clicca(da, pulsante);
    QVERIFY(misurati > 1);
    QVERIFY2(deboli.isEmpty(), qPrintable(deboli.join(u'\n')));
    da->hide();
}

QTEST_MAIN(TestContrasto)
#include "tst_contrasto.moc"
