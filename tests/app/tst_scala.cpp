// Every screen within reach on a 1366x768 desktop scaled by 1.5 (a font DPI
// of 144 does the same), the chart drawn when the desktop is scaled by 2, and
// at each scale every caption whole, with the desktop's font or a larger one:
// the program as its entry prepares it, every screen and dialog opened the way
// the user opens it.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "Programma.h"
#include "app/Applicazione.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryFile>
#include <QtTest>
#include <functional>

using namespace ArchivioDiProva;
using GuiTest::Clicca;

namespace {

// What stands between a control and the user: the window off the screen, or
// the control cut off by the window's edge even with its contents scrolled.
QStringList FuoriPortata(QWidget *finestra)
{
    QStringList fuori;
    QTest::qWait(20); // the window and its scroll bars settle as on a desktop
    const QRect libera = finestra->screen()->availableGeometry();
    if (!libera.contains(finestra->frameGeometry()))
        fuori << QStringLiteral("%1: la finestra %2x%3 esce dallo schermo %4x%5")
                     .arg(finestra->objectName())
                     .arg(finestra->frameGeometry().width())
                     .arg(finestra->frameGeometry().height())
                     .arg(libera.width())
                     .arg(libera.height());
    for (QWidget *c : finestra->findChildren<QWidget *>()) {
        if (c->isWindow() || c->window() != finestra || !c->isVisibleTo(finestra))
            continue;
        const bool controllo = (c->focusPolicy() & Qt::TabFocus) || qobject_cast<QAbstractButton *>(c);
        if (!controllo || c->objectName().isEmpty())
            continue; // Qt's inner parts come with the control that holds them
        // Brought into view as the user reaches it: by the focus (Tab), or
        // by scrolling to it.
        if (c->focusPolicy() & Qt::TabFocus) {
            c->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
        } else
            for (QWidget *a = c->parentWidget(); a && a != finestra; a = a->parentWidget())
                if (auto *s = qobject_cast<QScrollArea *>(a); s && s->objectName() == u"scorrimentoFinestra"_qs) {
                    const QPoint centro = c->mapTo(s->widget(), c->rect().center());
                    s->ensureVisible(centro.x(), centro.y(), c->width() / 2, c->height() / 2);
                }
        // The part of the control that no edge of its containers cuts off.
        QRect vista = c->rect();
        for (QWidget *a = c; a != finestra; a = a->parentWidget())
            vista &= QRect(c->mapFrom(a->parentWidget(), QPoint(0, 0)), a->parentWidget()->size());
        // All of it; of a control wider than the window, its start and at
        // least half the window's width (its caption comes into view too).
        QSize attesa = c->size().boundedTo(finestra->size() - QSize(40, 40));
        if (c->width() > finestra->width() - 40) {
            attesa.setWidth(finestra->width() / 2);
            if (vista.left() != 0)
                attesa.setWidth(c->width());
        }
        const QRect sulloSchermo(c->mapToGlobal(vista.topLeft()), vista.size());
        if (vista.width() < attesa.width() || vista.height() < attesa.height() || !libera.contains(sulloSchermo))
            fuori << QStringLiteral("%1 in %2: si vede %3x%4 di %5x%6")
                         .arg(c->objectName(), finestra->objectName())
                         .arg(vista.width())
                         .arg(vista.height())
                         .arg(c->width())
                         .arg(c->height());
    }
    return fuori;
}

// The captions a window shows cut short: a button's or a label's text wider
// than the control shows it, a list's column header narrower than its title.
QStringList TestiTagliati(QWidget *finestra)
{
    QStringList tagliati;
    for (QWidget *c : finestra->findChildren<QWidget *>()) {
        if (c->window() != finestra || !c->isVisibleTo(finestra))
            continue;
        QString testo;
        if (auto *b = qobject_cast<QAbstractButton *>(c))
            testo = b->text();
        else if (auto *l = qobject_cast<QLabel *>(c); l && !l->wordWrap() && l->pixmap().isNull())
            testo = l->text();
        if (!testo.isEmpty() && c->width() < c->minimumSizeHint().width())
            tagliati << QStringLiteral("\"%1\" (%2 in %3): largo %4 di %5")
                            .arg(testo.remove(u'&'), c->objectName(), finestra->objectName())
                            .arg(c->width())
                            .arg(c->minimumSizeHint().width());
        if (auto *intestazione = qobject_cast<QHeaderView *>(c);
            intestazione && intestazione->orientation() == Qt::Horizontal && intestazione->model())
            for (int i = 0; i < intestazione->count(); ++i) {
                if (intestazione->isSectionHidden(i) || intestazione->sectionSize(i) == 0)
                    continue;
                if (intestazione->sectionSize(i) < intestazione->sectionSizeHint(i))
                    tagliati << QStringLiteral("\"%1\" (colonna di %2 in %3): larga %4 di %5")
                                    .arg(intestazione->model()->headerData(i, Qt::Horizontal).toString(),
                                         intestazione->parentWidget()->objectName(), finestra->objectName())
                                    .arg(intestazione->sectionSize(i))
                                    .arg(intestazione->sectionSizeHint(i));
            }
    }
    return tagliati;
}

// A window that scrolls sideways as a whole, its form wider than the screen.
QStringList ScorreDiLato(QWidget *finestra)
{
    for (auto *s : finestra->findChildren<QScrollArea *>(u"scorrimentoFinestra"_qs))
        if (s->window() == finestra && s->horizontalScrollBar()->isVisible())
            return {QStringLiteral("%1 scorre di lato: %2 di %3")
                        .arg(finestra->objectName())
                        .arg(s->viewport()->width())
                        .arg(s->widget()->minimumSizeHint().width())};
    return {};
}

// How much of a widget as drawn is not its background: the marks of a chart.
int PuntiColorati(QWidget *w)
{
    const QImage img = w->grab().toImage();
    int colorati = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            colorati += QColor(img.pixel(x, y)).hsvSaturation() > 120;
    return colorati;
}

} // namespace

class TestScala : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void schermateRaggiungibili_data();
    void schermateRaggiungibili();
    void testiInteri_data();
    void testiInteri();
    void graficoDisegnato();

private:
    std::unique_ptr<FakeDesktopInstallato> m_fake;
};

void TestScala::initTestCase()
{
    Applicazione::Prepara(*qApp);
    QScreen *schermo = QGuiApplication::primaryScreen();
    // The desktop the test stands for: 1366x768 device pixels, scaled.
    QCOMPARE(schermo->geometry().size(), (QSizeF(1366, 768) / schermo->devicePixelRatio()).toSize());
}

void TestScala::init()
{
    m_fake = std::make_unique<FakeDesktopInstallato>();
    Scrivi(Archivio::Percorso(m_fake->cartella.path()),
           {Semplice(u"Idraulico Rossi"_qs, u"12/01/2024"_qs, u"CASA"_qs, u"Caldaia nuova"_qs, u"1234,40"_qs, true),
            Semplice(u"Acqua Blu"_qs, u"15/03/2024"_qs, u"ACQUA"_qs, u"Bolletta acqua"_qs, u"48,50"_qs),
            Semplice(u"Assicura Spa"_qs, u"30/12/2024"_qs, u"AUTO"_qs, u"Polizza auto"_qs, u"2500,00"_qs)});
    Programma::CreaSchermate();
}

void TestScala::cleanup()
{
    Programma::DistruggiSchermate();
    m_fake.reset();
}

using Apertura = std::function<void(const Schermate &)>;
Q_DECLARE_METATYPE(Apertura)

namespace {

// Every screen and dialog, opened the way the user opens it.
QList<std::pair<const char *, Apertura>> Aperture()
{
    QList<std::pair<const char *, Apertura>> aperture;
    const auto mostra = [](QWidget *Schermate::*quale) {
        return Apertura([quale](const Schermate &s) { (s.*quale)->show(); });
    };
    const auto dalEditor = [](const char *pulsante) {
        return Apertura([pulsante](const Schermate &s) {
            s.frmRegPagamenti->show();
            Clicca(s.frmRegPagamenti, u"cmdUltimo"_qs);
            Clicca(s.frmRegPagamenti, QString::fromLatin1(pulsante));
        });
    };
    const auto dalMenu = [](const char *immagine) {
        return Apertura([immagine](const Schermate &s) {
            s.frmAvvio->show();
            Clicca(s.frmAvvio, QString::fromLatin1(immagine));
        });
    };
    aperture.append({"accesso", mostra(&Schermate::frmPassword)});
    aperture.append({"cambio password", mostra(&Schermate::frmCambiaPassword)});
    aperture.append({"menu", mostra(&Schermate::frmAvvio)});
    aperture.append({"informazioni", dalMenu("imgInfo")});
    aperture.append({"riconoscimenti", dalMenu("imgCredits")});
    aperture.append({"guida", dalMenu("imgGuida")});
    aperture.append({"registro", mostra(&Schermate::frmRegPagamenti)});
    aperture.append({"ricerca", dalEditor("cmdTrova")});
    aperture.append({"da saldare", dalEditor("cmdListino")});
    aperture.append({"allegati", dalEditor("cmdFile")});
    aperture.append({"stampa scheda", dalEditor("cmdStampa")});
    aperture.append({"esportazione", dalEditor("cmdEsporta")});
    aperture.append({"importazione", dalEditor("cmdImporta")});
    aperture.append({"codice fiscale", Apertura([](const Schermate &s) {
        s.frmRegPagamenti->show();
        GuiTest::Scrivi(s.frmRegPagamenti, u"txtCodFisc"_qs, u"RSSMRA80A01H501U"_qs);
        Clicca(s.frmRegPagamenti, u"btnCodFisc"_qs);
    })});
    aperture.append({"partita IVA", Apertura([](const Schermate &s) {
        s.frmRegPagamenti->show();
        GuiTest::Scrivi(s.frmRegPagamenti, u"txtCodFisc"_qs, u"01234567890"_qs);
        Clicca(s.frmRegPagamenti, u"btnCodFisc"_qs);
    })});
    aperture.append({"calendario", Apertura([](const Schermate &s) {
        s.frmRegPagamenti->show();
        auto *data = GuiTest::Trova<QLineEdit>(s.frmRegPagamenti, u"txtData"_qs);
        data->setFocus();
        QTest::keyClick(data, Qt::Key_A);
    })});
    aperture.append({"criteri", mostra(&Schermate::frmMenuRiepPagamenti)});
    aperture.append({"riepilogo", Apertura([](const Schermate &s) {
        s.frmMenuRiepPagamenti->show();
        GuiTest::Imposta(s.frmMenuRiepPagamenti, "txtAnno", u"2024"_qs);
        GuiTest::Imposta(s.frmMenuRiepPagamenti, "txtGiornoInizio", u"01"_qs);
        GuiTest::Imposta(s.frmMenuRiepPagamenti, "txtMeseInizio", u"Gennaio"_qs);
        GuiTest::Imposta(s.frmMenuRiepPagamenti, "txtGiornoFine", u"31"_qs);
        GuiTest::Imposta(s.frmMenuRiepPagamenti, "txtMeseFine", u"Dicembre"_qs);
        Clicca(s.frmMenuRiepPagamenti, u"btnVisualizza"_qs);
    })});
    aperture.append({"grafici, anno", mostra(&Schermate::frmStatistiche)});
    aperture.append({"grafici", Apertura([](const Schermate &s) {
        s.frmStatistiche->show();
        GuiTest::Scrivi(s.frmStatistiche, u"txtAnno"_qs, u"2024"_qs);
        Clicca(s.frmStatistiche, u"btnApri"_qs);
    })});
    return aperture;
}

// Opens a screen and hands the window it shows (the dialog it opens, or the
// screen itself) to the check, then closes everything.
QStringList Visita(FakeDesktopInstallato &fake, const Apertura &apri, const std::function<QStringList(QWidget *)> &controlla)
{
    QStringList trovati;
    QWidget *ultima = nullptr;
    fake.quandoModale = [&](QDialog *d) {
        QTest::qWait(1);
        trovati << controlla(d);
        ultima = d;
        return int(QDialog::Rejected);
    };
    apri(Schermate::Globali());
    fake.quandoModale = nullptr;
    if (!ultima) {
        // A screen shown in place: the top window on show.
        QWidget *attiva = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && !qobject_cast<QDialog *>(w))
                attiva = w;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && qobject_cast<QDialog *>(w))
                attiva = w;
        if (!attiva)
            return {u"nessuna finestra aperta"_qs};
        if (!QTest::qWaitForWindowExposed(attiva))
            return {attiva->objectName() + u" non compare"_qs};
        trovati << controlla(attiva);
    }
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    return trovati;
}

} // namespace

void TestScala::schermateRaggiungibili_data()
{
    QTest::addColumn<Apertura>("apri");
    for (const auto &[nome, apri] : Aperture())
        QTest::newRow(nome) << apri;
}

void TestScala::schermateRaggiungibili()
{
    QFETCH(Apertura, apri);
    const QStringList fuori = Visita(*m_fake, apri, FuoriPortata);
    QVERIFY2(fuori.isEmpty(), qPrintable(fuori.join(u'\n')));
}

void TestScala::testiInteri_data()
{
    QTest::addColumn<Apertura>("apri");
    QTest::addColumn<int>("punti");
    for (const auto &[nome, apri] : Aperture()) {
        QTest::addRow("%s", nome) << apri << 0;
        QTest::addRow("%s, carattere grande", nome) << apri << 14;
    }
}

// Every caption whole, at the desktop's scale and with a larger desktop
// font; and, on the desktop unscaled, no window that has to be scrolled
// sideways to be read.
void TestScala::testiInteri()
{
    QFETCH(Apertura, apri);
    QFETCH(int, punti);
    const QFont prima = QApplication::font();
    if (punti) {
        QFont grande = prima;
        grande.setPointSize(punti);
        QApplication::setFont(grande);
    }
    const bool laterale = QGuiApplication::primaryScreen()->devicePixelRatio() == 1;
    const QStringList male = Visita(*m_fake, apri, [laterale](QWidget *finestra) {
        QTest::qWait(20); // the window and its scroll bars settle as on a desktop
        return TestiTagliati(finestra) + (laterale ? ScorreDiLato(finestra) : QStringList());
    });
    QApplication::setFont(prima);
    QVERIFY2(male.isEmpty(), qPrintable(male.join(u'\n')));
}

void TestScala::graficoDisegnato()
{
    QWidget *grafici = Schermate::Globali().frmStatistiche;
    grafici->show();
    GuiTest::Scrivi(grafici, u"txtAnno"_qs, u"2024"_qs);
    Clicca(grafici, u"btnApri"_qs);
    QVERIFY(QTest::qWaitForWindowExposed(grafici));
    QWidget *grafico = GuiTest::Trova<QWidget>(grafici, u"ChartStats"_qs);
    QVERIFY(grafico);
    // Bars of January, March and December, each a good many pixels wide.
    QVERIFY2(PuntiColorati(grafico) > 2000, qPrintable(QString::number(PuntiColorati(grafico))));
    Clicca(grafici, u"btnTorta"_qs);
    QVERIFY2(PuntiColorati(grafico) > 2000, qPrintable(QString::number(PuntiColorati(grafico))));
    grafici->hide();
}

// The scale and the screen are the desktop's: set before the application starts.
int main(int argc, char *argv[])
{
    const QByteArray scala = qEnvironmentVariableIsSet("VALMORA_SCALA") ? qgetenv("VALMORA_SCALA") : "1.5";
    qputenv("QT_SCALE_FACTOR", scala);
    QTemporaryFile schermo;
    if (!schermo.open())
        return 1;
    schermo.write(R"({"screens": [{"name": "1366x768", "x": 0, "y": 0, "width": 1366, "height": 768,)"
                  R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    schermo.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(schermo.fileName()));
    QApplication app(argc, argv);
    TestScala prova;
    return QTest::qExec(&prova, argc, argv);
}

#include "tst_scala.moc"
