#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "checks/Verifica.h"

#include "FakeDesktop.h"
#include "GuiTest.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using GuiTest::Trova;
using Genere = FakeDesktop::Voce::Genere;

Q_DECLARE_METATYPE(FakeDesktop::Voce::Genere)

namespace {

const QString kLunghezzaCf =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString kCfValido = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString kCfErrato = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
const QString kLunghezzaPiva =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kPivaErrata = QStringLiteral(
    "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
    "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.");
QString PivaValida(const QString &ufficio)
{
    return QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                          "E' stato rilasciato dall'Ufficio IVA del Comune di ")
        + ufficio + QStringLiteral(".");
}

} // namespace

// Valid numbers and codes here are the hand-computed ones of tst_identificativi.
class TestDialoghiVerifica : public QObject {
    Q_OBJECT
private slots:
    void aspetto_data();
    void aspetto();

    void codFisc_controllo_data();
    void codFisc_controllo();
    void codFisc_digitazione_data();
    void codFisc_digitazione();
    void codFisc_digitazioneInMezzoTieneIlCursore();

    void partitaIva_controllo_data();
    void partitaIva_controllo();
    void partitaIva_tasti_data();
    void partitaIva_tasti();

    void invioPortaAlPulsante_data();
    void invioPortaAlPulsante();
    void chiudi_data();
    void chiudi();

    void apriVerifica_data();
    void apriVerifica();
};

namespace {
// A dialog of either kind with its field name, shown as the editor would.
std::unique_ptr<QDialog> Crea(const QString &quale)
{
    std::unique_ptr<QDialog> d;
    if (quale == u"cf")
        d = std::make_unique<TfrmCodFisc>();
    else
        d = std::make_unique<TfrmPartitaIva>();
    return d;
}
// Types like a keyboard, also characters QTest cannot type by key code.
void Digita(QWidget *radice, const QString &nome, const QString &testo)
{
    auto *campo = Trova<QLineEdit>(radice, nome);
    GuiTest::Scrivi(radice, nome, QString());
    for (QChar c : testo) {
        if (c.unicode() < 128) {
            QTest::keyClick(campo, char(c.unicode()));
        } else {
            QKeyEvent premuto(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(campo, &premuto);
        }
    }
}
QString Campo(const QString &quale)
{
    return quale == u"cf" ? QStringLiteral("txtCodFisc") : QStringLiteral("txtPartitaIva");
}
} // namespace

void TestDialoghiVerifica::aspetto_data()
{
    QTest::addColumn<QString>("quale");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<int>("limite");
    QTest::newRow("codice fiscale") << "cf" << " Controllo codice fiscale"
                                    << "Immettere il codice fiscale e premere il pulsante di controllo." << 16;
    QTest::newRow("partita IVA") << "piva" << " Controllo partita IVA"
                                 << "Immettere il numero di partita IVA e premere il pulsante di controllo." << 11;
}

void TestDialoghiVerifica::aspetto()
{
    QFETCH(QString, quale);
    QFETCH(QString, titolo);
    QFETCH(QString, etichetta);
    QFETCH(int, limite);
    FakeDesktopInstallato desktop;
    auto d = Crea(quale);
    d->show();

    QCOMPARE(d->windowTitle(), titolo);
    QCOMPARE(GuiTest::Testo(d.get(), QStringLiteral("lblTitolo")), etichetta);
    QCOMPARE(GuiTest::Testo(d.get(), QStringLiteral("btnControlla")), QStringLiteral("Controlla"));
    QCOMPARE(GuiTest::Testo(d.get(), QStringLiteral("btnChiudi")), QStringLiteral("Chiudi"));
    auto *campo = Trova<QLineEdit>(d.get(), Campo(quale));
    QVERIFY(campo);
    QCOMPARE(campo->maxLength(), limite);
    QCOMPARE(campo->font().family(), QStringLiteral("Courier New"));
    QCOMPARE(campo->font().pointSize(), 20);
    QVERIFY(campo->font().bold());
    QCOMPARE(d->focusWidget(), campo);

    // Fixed border and no window-system buttons.
    QCOMPARE(d->minimumSize(), d->maximumSize());
    QVERIFY(!(d->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(d->windowFlags() & Qt::WindowMaximizeButtonHint));

    QCOMPARE(GuiTest::SenzaNomeAccessibile(d.get()), QStringList());
}

void TestDialoghiVerifica::codFisc_controllo_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<Genere>("genere");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<bool>("chiuso");
    QTest::newRow("valido") << "RSSMRA80A01H501U" << Genere::Informazione << kCfValido << true;
    QTest::newRow("valido in minuscolo") << "rssmra80a01h501u" << Genere::Informazione << kCfValido << true;
    QTest::newRow("cifra per lettera") << "RSSMRA80A017501U" << Genere::Informazione << kCfValido << true;
    QTest::newRow("controllo sbagliato") << "RSSMRA80A01H501B" << Genere::Avviso << kCfErrato << true;
    QTest::newRow("carattere fuori tabella") << "RSSMR*80A01H501U" << Genere::Avviso << kCfErrato << true;
    QTest::newRow("accentata") << QStringLiteral("RSSMRè80A01H501U") << Genere::Avviso << kCfErrato << true;
    QTest::newRow("15 caratteri") << "RSSMRA80A01H501" << Genere::Avviso << kLunghezzaCf << false;
    QTest::newRow("vuoto") << "" << Genere::Avviso << kLunghezzaCf << false;
}

void TestDialoghiVerifica::codFisc_controllo()
{
    QFETCH(QString, digitato);
    QFETCH(Genere, genere);
    QFETCH(QString, messaggio);
    QFETCH(bool, chiuso);
    FakeDesktopInstallato desktop;
    TfrmCodFisc d;
    d.show();
    Digita(&d, QStringLiteral("txtCodFisc"), digitato);
    auto *pulsante = Trova<QPushButton>(&d, QStringLiteral("btnControlla"));
    pulsante->setFocus();

    pulsante->click();

    QCOMPARE(desktop.messaggi.size(), 1);
    QCOMPARE(desktop.ultimoGenere(), genere);
    QCOMPARE(desktop.ultimoTesto(), messaggio);
    QCOMPARE(d.isVisible(), !chiuso);
    if (!chiuso)
        QCOMPARE(d.focusWidget(), Trova<QLineEdit>(&d, QStringLiteral("txtCodFisc")));
}

void TestDialoghiVerifica::codFisc_digitazione_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("campo");
    QTest::newRow("minuscole") << "rssmra80a01h501u" << "RSSMRA80A01H501U";
    // Each blank is at the end when typed, so none survives.
    QTest::newRow("blanchi") << "  rss mra " << "RSSMRA";
    QTest::newRow("accentate restano") << QStringLiteral("èx") << QStringLiteral("èX");
    QTest::newRow("al massimo 16") << "RSSMRA80A01H501UXY" << "RSSMRA80A01H501U";
}

void TestDialoghiVerifica::codFisc_digitazione()
{
    QFETCH(QString, digitato);
    QFETCH(QString, campo);
    FakeDesktopInstallato desktop;
    TfrmCodFisc d;
    d.show();
    Digita(&d, QStringLiteral("txtCodFisc"), digitato);
    QCOMPARE(GuiTest::Testo(&d, QStringLiteral("txtCodFisc")), campo);
}

void TestDialoghiVerifica::codFisc_digitazioneInMezzoTieneIlCursore()
{
    FakeDesktopInstallato desktop;
    TfrmCodFisc d;
    d.show();
    GuiTest::Scrivi(&d, QStringLiteral("txtCodFisc"), QStringLiteral("abc"));
    auto *campo = Trova<QLineEdit>(&d, QStringLiteral("txtCodFisc"));
    QTest::keyClick(campo, Qt::Key_Left);
    QTest::keyClick(campo, Qt::Key_Left);
    QTest::keyClicks(campo, QStringLiteral("xy"));
    QCOMPARE(campo->text(), QStringLiteral("AXYBC"));

    // A blank typed at the start goes at once and the cursor stays at the start.
    campo->setCursorPosition(0);
    QTest::keyClick(campo, Qt::Key_Space);
    QTest::keyClick(campo, Qt::Key_Z);
    QCOMPARE(campo->text(), QStringLiteral("ZAXYBC"));
}

void TestDialoghiVerifica::partitaIva_controllo_data()
{
    QTest::addColumn<QString>("numero");
    QTest::addColumn<bool>("dalChiamante");   // put in the field by the caller, not typed
    QTest::addColumn<Genere>("genere");
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<bool>("chiuso");
    const auto info = Genere::Informazione;
    QTest::newRow("Milano 1") << "12345670157" << false << info << PivaValida(QStringLiteral("Milano 1")) << true;
    QTest::newRow("Monza") << "12345670967" << false << info << PivaValida(QStringLiteral("Monza (Milano 2)")) << true;
    QTest::newRow("101") << "12345671015" << false << info << PivaValida(QStringLiteral("Bologna 2")) << true;
    QTest::newRow("120") << "12345671205" << false << info << PivaValida(QStringLiteral("Bologna 2")) << true;
    QTest::newRow("102") << "12345671023" << false << info << PivaValida(QStringLiteral("Napoli 2")) << true;
    QTest::newRow("121") << "12345671213" << false << info << PivaValida(QStringLiteral("Napoli 2")) << true;
    QTest::newRow("Forlì") << "12345670405" << false << info << PivaValida(QStringLiteral("Forlì")) << true;
    QTest::newRow("ufficio sconosciuto") << "12345671031" << false << info << PivaValida(QString()) << true;
    QTest::newRow("controllo sbagliato") << "12345670158" << false << Genere::Avviso << kPivaErrata << true;
    QTest::newRow("lettera dal chiamante") << "1234567015A" << true << Genere::Avviso << kPivaErrata << true;
    QTest::newRow("10 cifre") << "1234567015" << false << Genere::Avviso << kLunghezzaPiva << false;
    QTest::newRow("vuoto") << "" << false << Genere::Avviso << kLunghezzaPiva << false;
    // Not cut to 11: its first eleven digits alone would be a valid number.
    QTest::newRow("12 cifre dal chiamante") << "123456701570" << true << Genere::Avviso << kLunghezzaPiva << false;
}

void TestDialoghiVerifica::partitaIva_controllo()
{
    QFETCH(QString, numero);
    QFETCH(bool, dalChiamante);
    QFETCH(Genere, genere);
    QFETCH(QString, messaggio);
    QFETCH(bool, chiuso);
    FakeDesktopInstallato desktop;
    TfrmPartitaIva d;
    if (dalChiamante)
        d.ImpostaPartitaIva(numero);
    d.show();
    if (!dalChiamante)
        GuiTest::Scrivi(&d, QStringLiteral("txtPartitaIva"), numero);
    QCOMPARE(GuiTest::Testo(&d, QStringLiteral("txtPartitaIva")), numero);
    auto *pulsante = Trova<QPushButton>(&d, QStringLiteral("btnControlla"));
    pulsante->setFocus();

    pulsante->click();

    QCOMPARE(desktop.messaggi.size(), 1);
    QCOMPARE(desktop.ultimoGenere(), genere);
    QCOMPARE(desktop.ultimoTesto(), messaggio);
    QCOMPARE(d.isVisible(), !chiuso);
    if (!chiuso)
        QCOMPARE(d.focusWidget(), Trova<QLineEdit>(&d, QStringLiteral("txtPartitaIva")));
}

void TestDialoghiVerifica::partitaIva_tasti_data()
{
    // The field holds "123" with the cursor after "12"; the key is pressed,
    // then "9" is typed.
    QTest::addColumn<int>("tasto");
    QTest::addColumn<QString>("carattere");
    QTest::addColumn<QString>("campo");
    QTest::newRow("lettera") << int(Qt::Key_A) << "a" << "1293";
    QTest::newRow("maiuscola") << int(Qt::Key_B) << "B" << "1293";
    QTest::newRow("blanco") << int(Qt::Key_Space) << " " << "1293";
    QTest::newRow("punteggiatura") << int(Qt::Key_Comma) << "," << "1293";
    QTest::newRow("segno meno") << int(Qt::Key_Minus) << "-" << "1293";
    QTest::newRow("Tab") << int(Qt::Key_Tab) << "\t" << "1293";
    QTest::newRow("Inizio") << int(Qt::Key_Home) << "" << "1293";
    QTest::newRow("Fine") << int(Qt::Key_End) << "" << "1293";
    QTest::newRow("cifra") << int(Qt::Key_5) << "5" << "12593";
    QTest::newRow("freccia sinistra") << int(Qt::Key_Left) << "" << "1923";
    QTest::newRow("freccia destra") << int(Qt::Key_Right) << "" << "1239";
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "" << "193";
    QTest::newRow("Canc") << int(Qt::Key_Delete) << "" << "129";
}

void TestDialoghiVerifica::partitaIva_tasti()
{
    QFETCH(int, tasto);
    QFETCH(QString, carattere);
    QFETCH(QString, campo);
    FakeDesktopInstallato desktop;
    TfrmPartitaIva d;
    d.show();
    GuiTest::Scrivi(&d, QStringLiteral("txtPartitaIva"), QStringLiteral("123"));
    auto *txt = Trova<QLineEdit>(&d, QStringLiteral("txtPartitaIva"));
    txt->setCursorPosition(2);

    QKeyEvent premuto(QEvent::KeyPress, tasto, Qt::NoModifier, carattere);
    QApplication::sendEvent(txt, &premuto);
    QKeyEvent rilasciato(QEvent::KeyRelease, tasto, Qt::NoModifier, carattere);
    QApplication::sendEvent(txt, &rilasciato);
    QTest::keyClick(txt, Qt::Key_9);

    QCOMPARE(txt->text(), campo);
    QCOMPARE(d.focusWidget(), txt);
    QVERIFY(desktop.messaggi.isEmpty());
}

void TestDialoghiVerifica::invioPortaAlPulsante_data()
{
    QTest::addColumn<QString>("quale");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("verdetto");
    QTest::newRow("codice fiscale") << "cf" << "RSSMRA80A01H501U" << kCfValido;
    QTest::newRow("partita IVA") << "piva" << "12345670157" << PivaValida(QStringLiteral("Milano 1"));
}

void TestDialoghiVerifica::invioPortaAlPulsante()
{
    QFETCH(QString, quale);
    QFETCH(QString, valore);
    QFETCH(QString, verdetto);
    FakeDesktopInstallato desktop;
    auto d = Crea(quale);
    d->show();
    GuiTest::Scrivi(d.get(), Campo(quale), valore);
    auto *campo = Trova<QLineEdit>(d.get(), Campo(quale));
    auto *pulsante = Trova<QPushButton>(d.get(), QStringLiteral("btnControlla"));

    QTest::keyClick(campo, Qt::Key_Return);
    QCOMPARE(d->focusWidget(), pulsante);
    QVERIFY(desktop.messaggi.isEmpty());
    QVERIFY(d->isVisible());
    QCOMPARE(campo->text(), valore);

    // A second Enter, now on the button, runs the check.
    QTest::keyClick(pulsante, Qt::Key_Return);
    QCOMPARE(desktop.messaggi.size(), 1);
    QCOMPARE(desktop.ultimoTesto(), verdetto);
    QVERIFY(!d->isVisible());
}

void TestDialoghiVerifica::chiudi_data()
{
    QTest::addColumn<QString>("quale");
    QTest::newRow("codice fiscale") << "cf";
    QTest::newRow("partita IVA") << "piva";
}

void TestDialoghiVerifica::chiudi()
{
    QFETCH(QString, quale);
    FakeDesktopInstallato desktop;
    auto d = Crea(quale);
    d->show();
    GuiTest::Scrivi(d.get(), Campo(quale), QStringLiteral("123"));
    GuiTest::Clicca(d.get(), QStringLiteral("btnChiudi"));
    QVERIFY(!d->isVisible());
    QVERIFY(desktop.messaggi.isEmpty());
}

void TestDialoghiVerifica::apriVerifica_data()
{
    QTest::addColumn<QString>("identificativo");
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("messaggio");   // after Controlla
    QTest::newRow("vuoto") << "" << "TfrmCodFisc" << "" << kLunghezzaCf;
    QTest::newRow("solo blanchi") << "   " << "TfrmCodFisc" << "" << kLunghezzaCf;
    QTest::newRow("codice fiscale") << " RSSMRA80A01H501U " << "TfrmCodFisc" << "RSSMRA80A01H501U" << kCfValido;
    QTest::newRow("partita IVA") << " 12345670157 " << "TfrmPartitaIva" << "12345670157"
                                 << PivaValida(QStringLiteral("Milano 1"));
    QTest::newRow("poche cifre") << "123" << "TfrmPartitaIva" << "123" << kLunghezzaPiva;
    QTest::newRow("16 cifre") << "1234567015700000" << "TfrmPartitaIva" << "1234567015700000" << kLunghezzaPiva;
    QTest::newRow("dieci cifre e una lettera") << "1234567015A" << "TfrmCodFisc" << "1234567015A" << kLunghezzaCf;
}

void TestDialoghiVerifica::apriVerifica()
{
    QFETCH(QString, identificativo);
    QFETCH(QString, classe);
    QFETCH(QString, campo);
    QFETCH(QString, messaggio);
    FakeDesktopInstallato desktop;
    QWidget editor;
    QPointer<QDialog> aperto;
    QString classeVista, campoVisto;
    QWidget *genitore = nullptr;
    desktop.quandoModale = [&](QDialog *d) {
        aperto = d;
        classeVista = QString::fromLatin1(d->metaObject()->className());
        genitore = d->parentWidget();
        auto *txt = d->findChild<QLineEdit *>();
        campoVisto = txt ? txt->text() : QStringLiteral("<nessun campo>");
        GuiTest::Clicca(d, QStringLiteral("btnControlla"));
        return int(QDialog::Accepted);
    };

    ApriVerificaIdentificativo(&editor, identificativo);

    QCOMPARE(desktop.modali.size(), 1);
    QCOMPARE(classeVista, classe);
    QCOMPARE(genitore, &editor);
    QCOMPARE(campoVisto, campo);
    QCOMPARE(desktop.messaggi.size(), 1);
    QCOMPARE(desktop.ultimoTesto(), messaggio);
    QVERIFY(aperto.isNull());   // destroyed once closed
    QVERIFY(editor.findChildren<QDialog *>().isEmpty());
}

QTEST_MAIN(TestDialoghiVerifica)
#include "tst_dialoghi_verifica.moc"
