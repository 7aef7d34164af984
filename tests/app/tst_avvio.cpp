#include "Programma.h"
#include "app/Applicazione.h"
#include "app/Avvio.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "app/TestiGuida.h"
#include "charts/Statistiche.h"
#include "platform/Schermate.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"
#include "FakeDesktop.h"
#include "GuiTest.h"

#include <QPointer>
#include <QtTest>

// Watches the application for the request to terminate.
class OsservaUscita : public QObject {
public:
    bool vista = false;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Quit)
            vista = true;
        return false;
    }
};

class TestAvvio : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void aspetto();
    void schede_data();
    void schede();
    void dialoghiModali_data();
    void dialoghiModali();
    void sitoDelProduttore();
    void uscita_data();
    void uscita();
    void nomiAccessibili();
    void didascalieSenzaAggiunte();

private:
    TfrmAvvio *Menu() const { return qobject_cast<TfrmAvvio *>(Schermate::Globali().frmAvvio); }
    std::unique_ptr<FakeDesktopInstallato> m_desktop;
};

void TestAvvio::init()
{
    m_desktop = std::make_unique<FakeDesktopInstallato>();
    Programma::CreaSchermate();
    Menu()->show();
}

void TestAvvio::cleanup()
{
    Programma::DistruggiSchermate();
    m_desktop.reset();
}

void TestAvvio::aspetto()
{
    QCOMPARE(Menu()->windowTitle(), u" Valmora"_qs);
    QVERIFY(Menu()->windowState() & Qt::WindowMaximized);
}

void TestAvvio::schede_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<int>("schermata"); // 0 register, 1 summary, 2 charts
    QTest::newRow("immagine registro") << u"imgApp01"_qs << 0;
    QTest::newRow("pulsante registro") << u"btnApp01"_qs << 0;
    QTest::newRow("immagine riepilogo") << u"imgApp02"_qs << 1;
    QTest::newRow("pulsante riepilogo") << u"btnApp02"_qs << 1;
    QTest::newRow("immagine grafici") << u"imgApp03"_qs << 2;
    QTest::newRow("pulsante grafici") << u"btnApp03"_qs << 2;
}

void TestAvvio::schede()
{
    QFETCH(QString, comando);
    QFETCH(int, schermata);
    const Schermate &s = Schermate::Globali();
    const QList<QWidget *> lavori{s.frmRegPagamenti, s.frmMenuRiepPagamenti, s.frmStatistiche};
    GuiTest::Clicca(Menu(), comando);
    for (int i = 0; i < lavori.size(); ++i)
        QCOMPARE(lavori[i]->isVisible(), i == schermata);
    QVERIFY(!Menu()->isVisible());
    QVERIFY(m_desktop->messaggi.isEmpty());
}

void TestAvvio::dialoghiModali_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QByteArray>("classe");
    QTest::newRow("informazioni") << u"imgInfo"_qs << QByteArray("TfrmInfo");
    QTest::newRow("riconoscimenti") << u"imgCredits"_qs << QByteArray("TfrmSplash");
}

void TestAvvio::dialoghiModali()
{
    QFETCH(QString, comando);
    QFETCH(QByteArray, classe);
    QPointer<QDialog> mostrato;
    bool menuVisibile = false;
    QByteArray classeMostrata;
    QObject *genitore = nullptr;
    m_desktop->quandoModale = [&](QDialog *d) {
        mostrato = d;
        menuVisibile = Menu()->isVisible();
        classeMostrata = d->metaObject()->className();
        genitore = d->parent();
        return int(QDialog::Accepted);
    };
    for (int volta = 0; volta < 2; ++volta) {
        GuiTest::Clicca(Menu(), comando);
        QCOMPARE(m_desktop->modali.size(), volta + 1);
        // A new dialog each time, owned by the menu, destroyed once it closes.
        QVERIFY(m_desktop->modali.last() != Schermate::Globali().frmInfo);
        QVERIFY(m_desktop->modali.last() != Schermate::Globali().frmSplash);
        QCOMPARE(classeMostrata, classe);
        QCOMPARE(genitore, Menu());
        QVERIFY(menuVisibile);
        QVERIFY(mostrato.isNull());
    }
    QVERIFY(Menu()->isVisible());
}

void TestAvvio::sitoDelProduttore()
{
    GuiTest::Clicca(Menu(), u"imgSito"_qs);
    QCOMPARE(m_desktop->aperti, QList<QUrl>{QUrl(u"https://www.valmora.example"_qs)});
    QVERIFY(Menu()->isVisible());
}

void TestAvvio::uscita_data()
{
    QTest::addColumn<bool>("conLImmagine");
    QTest::newRow("chiusura della finestra") << false;
    QTest::newRow("immagine Esci") << true;
}

void TestAvvio::uscita()
{
    QFETCH(bool, conLImmagine);
    // The request to terminate only acts inside the event loop: run one, do
    // the action in it, and end the loop ourselves afterwards in any case.
    OsservaUscita osserva;
    qApp->installEventFilter(&osserva);
    QMetaObject::invokeMethod(qApp, [&] {
        if (conLImmagine)
            GuiTest::Clicca(Menu(), u"imgEsci"_qs);
        else
            Menu()->close();
    }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    QCoreApplication::exec();
    qApp->removeEventFilter(&osserva);
    QVERIFY(osserva.vista);
}

void TestAvvio::nomiAccessibili()
{
    QCOMPARE(GuiTest::SenzaNomeAccessibile(Menu()), QStringList());
    // Picture buttons are named after their hint.
    for (const QString &nome : {u"imgApp01"_qs, u"imgInfo"_qs, u"imgGuida"_qs, u"imgSito"_qs,
                                u"imgEsci"_qs, u"imgCredits"_qs}) {
        auto *w = GuiTest::Trova<QWidget>(Menu(), nome);
        QCOMPARE(w->accessibleName(), w->toolTip());
        QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);
    }
}

void TestAvvio::didascalieSenzaAggiunte()
{
    // A display name would be appended by the window system to every caption
    // that does not already end with it (" Cambia password \u2014 Valmora"):
    // the program must leave the display name to follow the plain name.
    Applicazione::Prepara(*qApp);
    QCOMPARE(QCoreApplication::applicationName(), u"Valmora"_qs);
    QCoreApplication::setApplicationName(u"altro nome"_qs);
    QCOMPARE(QGuiApplication::applicationDisplayName(), u"altro nome"_qs);
}

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
