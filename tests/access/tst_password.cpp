#include "Programma.h"
#include "access/CambiaPassword.h"
#include "access/Crypt.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "platform/Schermate.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "SolaLettura.h"

#include <QFile>
#include <QPushButton>
#include <QtTest>

namespace {
const QString kErrata = u"Attenzione: password errata."_qs;
// Stands in the tables for the missing-or-damaged store message, which names
// the program folder of each run.
const QString kStore = u"(archivio della password mancante o danneggiato)"_qs;
QString MessaggioStore(const QString &cartella)
{
    return u"Attenzione: l'archivio della password \"unins000.dll\" nella cartella del programma (%1) "
           "manca o è danneggiato, quindi nessuna password può essere verificata.\n\r\n\r"
           "Per ripristinarlo si può ricopiare il file da una copia di sicurezza della cartella del "
           "programma, oppure eliminarlo, se presente, e reinstallare il programma: l'installazione lo "
           "ricrea con la password iniziale indicata nella guida. Gli archivi dei pagamenti e i documenti "
           "allegati restano intatti."_qs.arg(cartella);
}
const QString kVecchia = u"Attenzione: vecchia password errata."_qs;
const QString kNonConfermata = u"Attenzione: la nuova password non è stata confermata correttamente. "
                               "E' necessario reinserire entrambi i valori."_qs;
const QString kModifica = u"Attenzione: si è verificato un errore durante la procedura di modifica della "
                          "password. Si consiglia di reinstallare il software."_qs;
const QString kCompletata = u"Modifica della password completata con successo."_qs;

// Types any text key by key, accented lower-case letters included (which
// QTest::keyClicks cannot map to a key).
void Digita(QWidget *radice, const QString &nome, const QString &testo)
{
    auto *campo = GuiTest::Trova<QLineEdit>(radice, nome);
    campo->setFocus();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Delete);
    for (QChar c : testo)
        QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QByteArray Store(const QString &password)
{
    return "[Accesso]\nValore=" + Crypt::CodificaPassword(password).toLatin1() + "\n";
}
} // namespace

class TestPassword : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void login_data();
    void login();
    void okAbilitato_data();
    void okAbilitato();
    void invioConTestoAccede();
    void evidenziaIlCampoConIlFuoco();

    void cambia_apreIlDialogo();
    void cambia_data();
    void cambia();
    void cambia_poiAccessoConLaNuova();
    void cambia_okAbilitato_data();
    void cambia_okAbilitato();
    void cambia_invioGiraFraICampi();
    void cambia_archivioNonScrivibile();
    void cambia_archivioMancante();
    void cambia_chiudiRipresentaLAccesso();

    void esciTerminaIlProgramma();
    void nomiAccessibili();

private:
    void ScriviStore(const QByteArray &contenuto);
    QByteArray LeggiStore() const;
    QString PercorsoStore() const { return m_desktop->percorso(u"unins000.dll"_qs); }
    TfrmPassword *Accesso() const { return qobject_cast<TfrmPassword *>(Schermate::Globali().frmPassword); }
    TfrmCambiaPassword *Cambia() const { return qobject_cast<TfrmCambiaPassword *>(Schermate::Globali().frmCambiaPassword); }
    void ApriCambia();
    QStringList Messaggi() const;

    std::unique_ptr<FakeDesktopInstallato> m_desktop;
};

void TestPassword::init()
{
    m_desktop = std::make_unique<FakeDesktopInstallato>();
    Programma::CreaSchermate();
    ScriviStore(Store(QString::fromUtf16(Crypt::PasswordIniziale)));
    Accesso()->show();
}

void TestPassword::cleanup()
{
    Programma::DistruggiSchermate();
    m_desktop.reset();
}

void TestPassword::ScriviStore(const QByteArray &contenuto)
{
    QFile f(PercorsoStore());
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(contenuto), contenuto.size());
}

QByteArray TestPassword::LeggiStore() const
{
    QFile f(PercorsoStore());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList TestPassword::Messaggi() const
{
    QStringList testi;
    for (const auto &m : m_desktop->messaggi) {
        // Every message of the access screens is a plain one.
        if (m.genere != FakeDesktop::Voce::Semplice)
            testi << u"(non semplice) "_qs + m.testo;
        else
            testi << m.testo;
    }
    return testi;
}

void TestPassword::login_data()
{
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<QString>("digitata");
    QTest::addColumn<QString>("messaggio"); // empty: access granted

    const QByteArray iniziale = Store(u"VALMORA2026"_qs);
    QTest::newRow("iniziale") << iniziale << u"VALMORA2026"_qs << QString();
    QTest::newRow("minuscole") << iniziale << u"valmora2026"_qs << QString();
    QTest::newRow("maiuscole e minuscole") << iniziale << u"vALmoRA2026"_qs << QString();
    QTest::newRow("spazi ai lati") << iniziale << u"   valmora2026  "_qs << QString();
    QTest::newRow("errata") << iniziale << u"valmora2027"_qs << kErrata;
    QTest::newRow("accentata uguale") << Store(u"PERCHÉ"_qs) << u"perchÉ"_qs << QString();
    QTest::newRow("accentata minuscola") << Store(u"PERCHÉ"_qs) << u"perché"_qs << kErrata;
    // A store that cannot say the password is named, never "password errata".
    QTest::newRow("archivio mancante") << QByteArray() << u"valmora2026"_qs << kStore;
    QTest::newRow("chiave mancante") << QByteArray("[Accesso]\r\nUtente=casa\r\n") << u"valmora2026"_qs
                                     << kStore;
    QTest::newRow("lunghezza dispari")
        << ("[Accesso]\nValore=" + Crypt::CodificaPassword(u"VALMORA2026"_qs).toLatin1() + "A\n")
        << u"valmora2026"_qs << QString();
    QTest::newRow("coppia non esadecimale") << QByteArray("[Accesso]\nValore=0C4XE7\n")
                                            << u"valmora2026"_qs << kStore;
    QTest::newRow("byte-order mark UTF-8")
        << ("\xEF\xBB\xBF[Accesso]\r\nValore=" + Crypt::CodificaPassword(u"VALMORA2026"_qs).toLatin1() + "\r\n")
        << u"valmora2026"_qs << QString();
}

void TestPassword::login()
{
    QFETCH(QByteArray, store);
    QFETCH(QString, digitata);
    QFETCH(QString, messaggio);
    if (messaggio == kStore)
        messaggio = MessaggioStore(m_desktop->cartella.path());
    if (store.isEmpty())
        QVERIFY(QFile::remove(PercorsoStore()));
    else
        ScriviStore(store);

    Digita(Accesso(), u"txtPassword"_qs, digitata);
    GuiTest::Clicca(Accesso(), u"cmdOK"_qs);

    auto *campo = GuiTest::Trova<QLineEdit>(Accesso(), u"txtPassword"_qs);
    if (messaggio.isEmpty()) {
        QCOMPARE(Messaggi(), QStringList());
        QVERIFY(Schermate::Globali().frmAvvio->isVisible());
        QVERIFY(!Accesso()->isVisible());
        return;
    }
    QCOMPARE(Messaggi(), QStringList{messaggio});
    QVERIFY(Accesso()->isVisible());
    QVERIFY(!Schermate::Globali().frmAvvio->isVisible());
    if (messaggio == kErrata) {
        QCOMPARE(campo->text(), QString());
        QCOMPARE(Accesso()->focusWidget(), campo);
    } else {
        QCOMPARE(campo->text(), digitata); // a reading failure keeps what was typed
    }
}

void TestPassword::okAbilitato_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("abilitato");
    QTest::newRow("vuoto") << QString() << false;
    QTest::newRow("solo spazi") << u"    "_qs << false;
    QTest::newRow("un carattere fra spazi") << u"  x "_qs << true;
}

void TestPassword::okAbilitato()
{
    QFETCH(QString, testo);
    QFETCH(bool, abilitato);
    auto *ok = GuiTest::Trova<QPushButton>(Accesso(), u"cmdOK"_qs);
    QVERIFY(!ok->isEnabled());
    GuiTest::Scrivi(Accesso(), u"txtPassword"_qs, testo);
    QCOMPARE(ok->isEnabled(), abilitato);

    // Enter acts exactly when OK would be enabled.
    QTest::keyClick(GuiTest::Trova<QWidget>(Accesso(), u"txtPassword"_qs), Qt::Key_Return);
    QCOMPARE(Messaggi(), abilitato ? QStringList{kErrata} : QStringList());
    QVERIFY(Accesso()->isVisible());
}

void TestPassword::invioConTestoAccede()
{
    GuiTest::Scrivi(Accesso(), u"txtPassword"_qs, u"Valmora2026"_qs);
    QTest::keyClick(GuiTest::Trova<QWidget>(Accesso(), u"txtPassword"_qs), Qt::Key_Enter);
    QCOMPARE(Messaggi(), QStringList());
    QVERIFY(Schermate::Globali().frmAvvio->isVisible());
    QVERIFY(!Accesso()->isVisible());
}

void TestPassword::evidenziaIlCampoConIlFuoco()
{
    struct Caso { QWidget *radice; QString campo, evidenza; };
    ApriCambia();
    const Caso casi[] = {
        {Accesso(), u"txtPassword"_qs, u"effPassword"_qs},
        {Cambia(), u"txtPasswordOld"_qs, u"effPasswordOld"_qs},
        {Cambia(), u"txtPasswordNew"_qs, u"effPasswordNew"_qs},
        {Cambia(), u"txtConferma"_qs, u"effConferma"_qs},
    };
    for (const Caso &c : casi) {
        auto *campo = GuiTest::Trova<QWidget>(c.radice, c.campo);
        auto *evidenza = GuiTest::Trova<QWidget>(c.radice, c.evidenza);
        QFocusEvent esce(QEvent::FocusOut);
        QCoreApplication::sendEvent(campo, &esce);
        QVERIFY2(evidenza->isHidden(), qPrintable(c.campo));
        QFocusEvent entra(QEvent::FocusIn);
        QCoreApplication::sendEvent(campo, &entra);
        QVERIFY2(!evidenza->isHidden(), qPrintable(c.campo));
        // The highlight frames the field, 4 units beyond it on every side.
        QCOMPARE(evidenza->geometry(), campo->geometry().adjusted(-4, -4, 4, 4));
        QCoreApplication::sendEvent(campo, &esce);
        QVERIFY2(evidenza->isHidden(), qPrintable(c.campo));
    }
}

void TestPassword::ApriCambia()
{
    GuiTest::Clicca(Accesso(), u"btnCambiaPassword"_qs);
}

void TestPassword::cambia_apreIlDialogo()
{
    ApriCambia();
    QVERIFY(Cambia()->isVisible());
    QVERIFY(!Accesso()->isVisible());
    // Fresh each time: leftovers of a previous opening are gone.
    GuiTest::Scrivi(Cambia(), u"txtPasswordNew"_qs, u"resto"_qs);
    GuiTest::Clicca(Cambia(), u"cmdEsci"_qs);
    ApriCambia();
    for (const QString &nome : {u"txtPasswordOld"_qs, u"txtPasswordNew"_qs, u"txtConferma"_qs})
        QCOMPARE(GuiTest::Testo(Cambia(), nome), QString());
    QVERIFY(!GuiTest::Trova<QPushButton>(Cambia(), u"cmdOK"_qs)->isEnabled());
    QCOMPARE(Cambia()->focusWidget(), GuiTest::Trova<QWidget>(Cambia(), u"txtPasswordOld"_qs));
}

void TestPassword::cambia_data()
{
    QTest::addColumn<QString>("vecchia");
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<QString>("conferma");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<QStringList>("campiDopo"); // old, new, confirmation
    QTest::addColumn<QString>("fuoco");

    const QString lunga(256, u'k');
    const QString troppoLunga = u"Attenzione: la nuova password non può superare i 255 caratteri. "
                                "E' necessario reinserire entrambi i valori."_qs;
    QTest::newRow("vecchia errata") << u"valmora2025"_qs << u"abc"_qs << u"abc"_qs << kVecchia
                                    << QStringList{{}, u"abc"_qs, u"abc"_qs} << u"txtPasswordOld"_qs;
    QTest::newRow("vecchia errata prima della conferma")
        << u"x"_qs << u"abc"_qs << u"ABC"_qs << kVecchia
        << QStringList{{}, u"abc"_qs, u"ABC"_qs} << u"txtPasswordOld"_qs;
    QTest::newRow("conferma con altre maiuscole")
        << u"valmora2026"_qs << u"nuova"_qs << u"NUOVA"_qs << kNonConfermata
        << QStringList{u"valmora2026"_qs, {}, {}} << u"txtPasswordNew"_qs;
    QTest::newRow("conferma diversa") << u"VALMORA2026"_qs << u"nuova1"_qs << u"nuova2"_qs
                                      << kNonConfermata << QStringList{u"VALMORA2026"_qs, {}, {}}
                                      << u"txtPasswordNew"_qs;
    QTest::newRow("troppo lunga") << u"valmora2026"_qs << lunga << lunga << troppoLunga
                                  << QStringList{u"valmora2026"_qs, {}, {}} << u"txtPasswordNew"_qs;
    QTest::newRow("oltre U+00FF") << u"valmora2026"_qs << u"casa€"_qs << u"casa€"_qs << QString()
                                  << QStringList{u"valmora2026"_qs, {}, {}} << u"txtPasswordNew"_qs;
}

void TestPassword::cambia()
{
    QFETCH(QString, vecchia);
    QFETCH(QString, nuova);
    QFETCH(QString, conferma);
    QFETCH(QString, messaggio);
    QFETCH(QStringList, campiDopo);
    QFETCH(QString, fuoco);
    const QByteArray prima = LeggiStore();
    ApriCambia();
    const QStringList nomi{u"txtPasswordOld"_qs, u"txtPasswordNew"_qs, u"txtConferma"_qs};
    const QStringList valori{vecchia, nuova, conferma};
    for (int i = 0; i < 3; ++i)
        GuiTest::Trova<QLineEdit>(Cambia(), nomi[i])->setText(valori[i]);
    GuiTest::Clicca(Cambia(), u"cmdOK"_qs);

    QCOMPARE(m_desktop->messaggi.size(), 1);
    QCOMPARE(m_desktop->messaggi.first().genere, FakeDesktop::Voce::Semplice);
    if (messaggio.isEmpty()) // refused characters: the wording is ours, it must say why
        QVERIFY2(m_desktop->ultimoTesto().startsWith(u"Attenzione: "_qs)
                     && m_desktop->ultimoTesto().contains(u"caratteri non ammessi"_qs),
                 qPrintable(m_desktop->ultimoTesto()));
    else
        QCOMPARE(m_desktop->ultimoTesto(), messaggio);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(GuiTest::Testo(Cambia(), nomi[i]), campiDopo[i]);
    QCOMPARE(Cambia()->focusWidget(), GuiTest::Trova<QWidget>(Cambia(), fuoco));
    QVERIFY(Cambia()->isVisible());
    QVERIFY(!Accesso()->isVisible());
    QCOMPARE(LeggiStore(), prima);
}

void TestPassword::cambia_poiAccessoConLaNuova()
{
    GuiTest::Scrivi(Accesso(), u"txtPassword"_qs, u"resto"_qs);
    ApriCambia();
    GuiTest::Scrivi(Cambia(), u"txtPasswordOld"_qs, u"  valmora2026 "_qs);
    GuiTest::Scrivi(Cambia(), u"txtPasswordNew"_qs, u"Z"_qs); // no minimum length
    GuiTest::Scrivi(Cambia(), u"txtConferma"_qs, u" Z"_qs);
    GuiTest::Clicca(Cambia(), u"cmdOK"_qs);
    QCOMPARE(Messaggi(), QStringList{kCompletata});
    QVERIFY(!Cambia()->isVisible());
    QVERIFY(Accesso()->isVisible());
    QCOMPARE(GuiTest::Testo(Accesso(), u"txtPassword"_qs), QString());

    m_desktop->pulisci();
    for (const QString &vecchia : {u"VALMORA2026"_qs, u"valmora2026"_qs}) {
        GuiTest::Scrivi(Accesso(), u"txtPassword"_qs, vecchia);
        GuiTest::Clicca(Accesso(), u"cmdOK"_qs);
    }
    QCOMPARE(Messaggi(), (QStringList{kErrata, kErrata}));
    GuiTest::Scrivi(Accesso(), u"txtPassword"_qs, u"z"_qs);
    GuiTest::Clicca(Accesso(), u"cmdOK"_qs);
    QCOMPARE(Messaggi().size(), 2);
    QVERIFY(Schermate::Globali().frmAvvio->isVisible());
    QVERIFY(!Accesso()->isVisible());
}

void TestPassword::cambia_okAbilitato_data()
{
    QTest::addColumn<QString>("vecchia");
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<QString>("conferma");
    QTest::addColumn<bool>("abilitato");
    QTest::newRow("tutti") << u"a"_qs << u"b"_qs << u"c"_qs << true;
    QTest::newRow("vecchia di spazi") << u"  "_qs << u"b"_qs << u"c"_qs << false;
    QTest::newRow("nuova vuota") << u"a"_qs << QString() << u"c"_qs << false;
    QTest::newRow("conferma di spazi") << u"a"_qs << u"b"_qs << u" "_qs << false;
}

void TestPassword::cambia_okAbilitato()
{
    QFETCH(QString, vecchia);
    QFETCH(QString, nuova);
    QFETCH(QString, conferma);
    QFETCH(bool, abilitato);
    ApriCambia();
    GuiTest::Scrivi(Cambia(), u"txtPasswordOld"_qs, vecchia);
    GuiTest::Scrivi(Cambia(), u"txtPasswordNew"_qs, nuova);
    GuiTest::Scrivi(Cambia(), u"txtConferma"_qs, conferma);
    QCOMPARE(GuiTest::Trova<QPushButton>(Cambia(), u"cmdOK"_qs)->isEnabled(), abilitato);
}

void TestPassword::cambia_invioGiraFraICampi()
{
    const QByteArray prima = LeggiStore();
    ApriCambia();
    GuiTest::Scrivi(Cambia(), u"txtPasswordOld"_qs, u"valmora2026"_qs);
    GuiTest::Scrivi(Cambia(), u"txtPasswordNew"_qs, u"nuova"_qs);
    GuiTest::Scrivi(Cambia(), u"txtConferma"_qs, u"nuova"_qs);
    const QStringList giro{u"txtPasswordOld"_qs, u"txtPasswordNew"_qs, u"txtConferma"_qs,
                           u"txtPasswordOld"_qs};
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(GuiTest::Trova<QWidget>(Cambia(), giro[i]), i == 1 ? Qt::Key_Enter : Qt::Key_Return);
        QCOMPARE(Cambia()->focusWidget(), GuiTest::Trova<QWidget>(Cambia(), giro[i + 1]));
    }
    QCOMPARE(Messaggi(), QStringList());
    QVERIFY(Cambia()->isVisible());
    QCOMPARE(LeggiStore(), prima);
}

void TestPassword::cambia_archivioNonScrivibile()
{
    const QByteArray prima = LeggiStore();
    SolaLettura blocco(PercorsoStore());
    if (!blocco.Riuscita())
        QSKIP("this file system cannot make a file read-only");
    ApriCambia();
    GuiTest::Scrivi(Cambia(), u"txtPasswordOld"_qs, u"valmora2026"_qs);
    GuiTest::Scrivi(Cambia(), u"txtPasswordNew"_qs, u"nuova"_qs);
    GuiTest::Scrivi(Cambia(), u"txtConferma"_qs, u"nuova"_qs);
    GuiTest::Clicca(Cambia(), u"cmdOK"_qs);
    QCOMPARE(Messaggi(), QStringList{kModifica});
    QVERIFY(Cambia()->isVisible());
    QCOMPARE(GuiTest::Testo(Cambia(), u"txtPasswordNew"_qs), u"nuova"_qs);
    QCOMPARE(GuiTest::Testo(Cambia(), u"txtConferma"_qs), u"nuova"_qs);
    QCOMPARE(LeggiStore(), prima);

    // The refused change must not linger anywhere: the old password still opens.
    GuiTest::Clicca(Cambia(), u"cmdEsci"_qs);
    m_desktop->pulisci();
    GuiTest::Scrivi(Accesso(), u"txtPassword"_qs, u"nuova"_qs);
    GuiTest::Clicca(Accesso(), u"cmdOK"_qs);
    QCOMPARE(Messaggi(), QStringList{kErrata});
    GuiTest::Scrivi(Accesso(), u"txtPassword"_qs, u"valmora2026"_qs);
    GuiTest::Clicca(Accesso(), u"cmdOK"_qs);
    QVERIFY(Schermate::Globali().frmAvvio->isVisible());
}

void TestPassword::cambia_archivioMancante()
{
    QVERIFY(QFile::remove(PercorsoStore()));
    ApriCambia();
    GuiTest::Scrivi(Cambia(), u"txtPasswordOld"_qs, u"valmora2026"_qs);
    GuiTest::Scrivi(Cambia(), u"txtPasswordNew"_qs, u"nuova"_qs);
    GuiTest::Scrivi(Cambia(), u"txtConferma"_qs, u"nuova"_qs);
    GuiTest::Clicca(Cambia(), u"cmdOK"_qs);
    QCOMPARE(Messaggi(), QStringList{MessaggioStore(m_desktop->cartella.path())});
    QVERIFY(Cambia()->isVisible());
    QCOMPARE(GuiTest::Testo(Cambia(), u"txtPasswordOld"_qs), u"valmora2026"_qs);
    QVERIFY(!QFile::exists(PercorsoStore())); // the program never creates the store
}

void TestPassword::cambia_chiudiRipresentaLAccesso()
{
    GuiTest::Scrivi(Accesso(), u"txtPassword"_qs, u"mezza"_qs);
    ApriCambia();
    GuiTest::Clicca(Cambia(), u"cmdEsci"_qs);
    QVERIFY(!Cambia()->isVisible());
    QVERIFY(Accesso()->isVisible());
    QCOMPARE(GuiTest::Testo(Accesso(), u"txtPassword"_qs), QString());
    QCOMPARE(Accesso()->focusWidget(), GuiTest::Trova<QWidget>(Accesso(), u"txtPassword"_qs));

    // Escape closes the dialog too, and must not leave the user without a window.
    ApriCambia();
    QTest::keyClick(GuiTest::Trova<QWidget>(Cambia(), u"txtPasswordOld"_qs), Qt::Key_Escape);
    QVERIFY(!Cambia()->isVisible());
    QVERIFY(Accesso()->isVisible());
    QCOMPARE(Messaggi(), QStringList());
}

void TestPassword::esciTerminaIlProgramma()
{
    // The request to terminate acts only inside an event loop: run one, press
    // Esci in it, and end the loop ourselves afterwards in any case.
    struct OsservaUscita : QObject {
        bool vista = false;
        bool eventFilter(QObject *, QEvent *e) override
        {
            vista = vista || e->type() == QEvent::Quit;
            return false;
        }
    } osserva;
    qApp->installEventFilter(&osserva);
    QMetaObject::invokeMethod(qApp, [this] { GuiTest::Clicca(Accesso(), u"cmdEsci"_qs); },
                              Qt::QueuedConnection);
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    QCoreApplication::exec();
    qApp->removeEventFilter(&osserva);
    QVERIFY(osserva.vista);
    QVERIFY(!Accesso()->isVisible());
    QVERIFY(!Schermate::Globali().frmAvvio->isVisible());
    QCOMPARE(Messaggi(), QStringList());
}

void TestPassword::nomiAccessibili()
{
    ApriCambia();
    QCOMPARE(GuiTest::SenzaNomeAccessibile(Accesso()), QStringList());
    QCOMPARE(GuiTest::SenzaNomeAccessibile(Cambia()), QStringList());
}

QTEST_MAIN(TestPassword)
#include "tst_password.moc"
