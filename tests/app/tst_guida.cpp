// The help dialog: its defaults, how every caller shows it, the user-guide
// link, and the shell-open of quoted and unquoted targets.

#include "FakeDesktop.h"
#include "GuiTest.h"

#include "app/Guida.h"
#include "platform/Collegamento.h"
#include "platform/OpenURL.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

static void CaricaImmagini() { Q_INIT_RESOURCE(valmora); }

using namespace GuiTest;

class TestGuida : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CaricaImmagini(); }

    void valoriIniziali()
    {
        TfrmGuida g;
        // The form as it will be shown; the dialog builds it on first showing.
        g.Completa();
        QCOMPARE(g.windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
        QCOMPARE(Testo(&g, QStringLiteral("lblTitolo")), QStringLiteral("Argomento della guida"));
        QCOMPARE(Testo(&g, QStringLiteral("txtGuida")), QString());
        QCOMPARE(Testo(&g, QStringLiteral("lnkWeb")), QStringLiteral("Visualizza guida in formato PDF"));
        QCOMPARE(Testo(&g, QStringLiteral("btnChiudi")), QStringLiteral("Chiudi"));
        QVERIFY(!(g.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(g.windowFlags() & Qt::WindowMinMaxButtonsHint));

        auto *titolo = Trova<QLabel>(&g, QStringLiteral("lblTitolo"));
        QCOMPARE(titolo->font().family(), QStringLiteral("Arial"));
        QCOMPARE(titolo->font().pointSize(), 16);
        QVERIFY(titolo->font().bold());
        auto *testo = Trova<QPlainTextEdit>(&g, QStringLiteral("txtGuida"));
        QVERIFY(testo->isReadOnly());
        QCOMPARE(testo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(testo->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(testo->font().pointSize(), 12);
        QVERIFY(testo->font().bold());

        // The pictures were drawn: a missing resource leaves an empty label.
        QVERIFY(!Trova<QLabel>(&g, QStringLiteral("imgLogo"))->pixmap().isNull());
        QVERIFY(!Trova<QLabel>(&g, QStringLiteral("imgPDF"))->pixmap().isNull());
    }

    void dimensioneFissaAllaComparsa()
    {
        TfrmGuida g;
        g.resize(300, 200);
        g.show();
        QCOMPARE(g.size(), QSize(670, 572));
        QCOMPARE(g.minimumSize(), g.maximumSize());
    }

    void nomiAccessibili()
    {
        TfrmGuida g;
        g.show();
        QCOMPARE(SenzaNomeAccessibile(&g), QStringList());
    }

    void mostra_data()
    {
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("mostrato");
        QTest::newRow("paragrafi") << QStringLiteral("Uno sguardo a Valmora")
                                   << QStringLiteral("Primo.\r\n\r\nSecondo, più lungo.")
                                   << QStringLiteral("Primo.\n\nSecondo, più lungo.");
        QTest::newRow("una riga") << QStringLiteral("Registro") << QStringLiteral("Solo questo.")
                                  << QStringLiteral("Solo questo.");
        QTest::newRow("vuoto") << QString() << QString() << QString();
    }
    void mostra()
    {
        QFETCH(QString, titolo);
        QFETCH(QString, testo);
        QFETCH(QString, mostrato);
        FakeDesktopInstallato desk;
        QWidget chiamante;
        QPointer<QDialog> visto;
        bool giusto = false;
        desk.quandoModale = [&](QDialog *d) {
            visto = d;
            giusto = qobject_cast<TfrmGuida *>(d) && d->parentWidget() == &chiamante && d->isVisible()
                && Testo(d, QStringLiteral("lblTitolo")) == titolo
                && Testo(d, QStringLiteral("txtGuida")) == mostrato;
            Clicca(d, QStringLiteral("btnChiudi"));
            return int(QDialog::Rejected);
        };
        TfrmGuida::Mostra(&chiamante, titolo, testo);
        QCOMPARE(desk.modali.size(), 1);
        QVERIFY(giusto);
        QVERIFY(visto.isNull());   // destroyed once closed
        QVERIFY(chiamante.findChildren<TfrmGuida *>().isEmpty());
    }

    void chiudi()
    {
        TfrmGuida g;
        g.show();
        Clicca(&g, QStringLiteral("btnChiudi"));
        QVERIFY(!g.isVisible());
    }

    // The user guide beside the program, through the link or its picture.
    void apreLaGuida_data()
    {
        QTest::addColumn<QString>("controllo");
        QTest::newRow("collegamento") << QStringLiteral("lnkWeb");
        QTest::newRow("immagine") << QStringLiteral("imgPDF");
    }
    void apreLaGuida()
    {
        QFETCH(QString, controllo);
        FakeDesktopInstallato desk;
        TfrmGuida g;
        g.show();
        auto *w = Trova<QWidget>(&g, controllo);
        auto *link = Trova<Collegamento>(&g, QStringLiteral("lnkWeb"));
        QTest::mousePress(w, Qt::LeftButton);
        QCOMPARE(link->Colore().rgba(), 0xFFFFA500u);
        QVERIFY(desk.aperti.isEmpty());
        QTest::mouseRelease(w, Qt::LeftButton);
        QCOMPARE(link->Colore().rgba(), 0xFF00008Bu);
        QCOMPARE(desk.aperti, QList<QUrl>{QUrl::fromLocalFile(desk.percorso(QStringLiteral("Guida.pdf")))});
        QVERIFY(desk.messaggi.isEmpty());   // a missing guide is the shell's business
    }

    void percorsoGuidaQuotato()
    {
        FakeDesktopInstallato desk;
        QCOMPARE(TfrmGuida::PercorsoGuidaPdf(), u'"' + desk.cartella.path() + QStringLiteral("/Guida.pdf\""));
    }

    void apertura_data()
    {
        QTest::addColumn<QString>("bersaglio");
        QTest::addColumn<QUrl>("atteso");
        QTest::newRow("percorso con spazi, quotato")
            << QStringLiteral("\"/home/anna/Programmi di casa/Valmora/Guida.pdf\"")
            << QUrl::fromLocalFile(QStringLiteral("/home/anna/Programmi di casa/Valmora/Guida.pdf"));
        QTest::newRow("percorso con # e %")
            << QStringLiteral("\"/tmp/spese #1 al 100%/Registro_Spese.xls\"")
            << QUrl::fromLocalFile(QStringLiteral("/tmp/spese #1 al 100%/Registro_Spese.xls"));
        QTest::newRow("cartella non quotata") << QStringLiteral("/tmp/Documenti_Allegati")
                                              << QUrl::fromLocalFile(QStringLiteral("/tmp/Documenti_Allegati"));
        QTest::newRow("mailto quotato") << QStringLiteral("\"mailto:supporto@valmora.example\"")
                                        << QUrl(QStringLiteral("mailto:supporto@valmora.example"));
        QTest::newRow("sito") << QStringLiteral("https://www.valmora.example")
                              << QUrl(QStringLiteral("https://www.valmora.example"));
    }
    void apertura()
    {
        QFETCH(QString, bersaglio);
        QFETCH(QUrl, atteso);
        FakeDesktopInstallato desk;
        TMisc::Open(bersaglio);
        QCOMPARE(desk.aperti.size(), 1);
        QCOMPARE(desk.aperti.first(), atteso);
        if (atteso.isLocalFile())
            QCOMPARE(desk.aperti.first().toLocalFile(), atteso.toLocalFile());
    }

    void aperturaDiNulla_data()
    {
        QTest::addColumn<QString>("bersaglio");
        QTest::newRow("vuoto") << QString();
        QTest::newRow("due virgolette") << QStringLiteral("\"\"");
    }
    void aperturaDiNulla()
    {
        QFETCH(QString, bersaglio);
        FakeDesktopInstallato desk;
        TMisc::Open(bersaglio);
        QVERIFY(desk.aperti.isEmpty());
    }
};

QTEST_MAIN(TestGuida)
#include "tst_guida.moc"
