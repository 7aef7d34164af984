// The information and credits screens: captions, links and the targets they
// hand to the shell, pressed colours, closing, accessible names.

#include "FakeDesktop.h"
#include "GuiTest.h"

#include "app/Info.h"
#include "app/Splash.h"
#include "platform/Collegamento.h"

#include <QtTest>
#include <memory>

static void CaricaImmagini() { Q_INIT_RESOURCE(valmora); }

using namespace GuiTest;

namespace {
std::unique_ptr<QDialog> Crea(const QString &schermata)
{
    if (schermata == QLatin1String("info"))
        return std::make_unique<TfrmInfo>();
    return std::make_unique<TfrmSplash>();
}
} // namespace

class TestInfo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CaricaImmagini(); }

    void aspetto_data()
    {
        QTest::addColumn<QString>("schermata");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("collegamento");
        QTest::addColumn<QStringList>("immagini");
        QTest::newRow("informazioni") << QStringLiteral("info") << QStringLiteral(" Informazioni su Valmora")
                                      << QStringLiteral("supporto@valmora.example")
                                      << QStringList{QStringLiteral("imgLogo"), QStringLiteral("imgWarning"),
                                                     QStringLiteral("imgEmail")};
        QTest::newRow("crediti") << QStringLiteral("splash") << QStringLiteral(" Valmora - Valmora Software")
                                 << QStringLiteral("www.valmora.example")
                                 << QStringList{QStringLiteral("imgLogo"), QStringLiteral("imgWeb")};
    }
    void aspetto()
    {
        QFETCH(QString, schermata);
        QFETCH(QString, titolo);
        QFETCH(QString, collegamento);
        QFETCH(QStringList, immagini);
        auto d = Crea(schermata);
        d->show();
        QCOMPARE(d->windowTitle(), titolo);
        QCOMPARE(Testo(d.get(), QStringLiteral("lnkWeb")), collegamento);
        QCOMPARE(Testo(d.get(), QStringLiteral("btnChiudi")), QStringLiteral("Chiudi"));
        QVERIFY(!(d->windowFlags() & Qt::WindowCloseButtonHint));
        for (const QString &nome : immagini) {
            auto *img = Trova<QLabel>(d.get(), nome);
            QVERIFY2(img && !img->pixmap().isNull(), qPrintable(nome));
        }
        QCOMPARE(SenzaNomeAccessibile(d.get()), QStringList());
    }

    void bersagli_data()
    {
        QTest::addColumn<QString>("schermata");
        QTest::addColumn<QString>("controllo");
        QTest::addColumn<QUrl>("atteso");
        const QUrl posta(QStringLiteral("mailto:supporto@valmora.example"));
        const QUrl sito(QStringLiteral("https://www.valmora.example"));
        QTest::newRow("informazioni, collegamento") << QStringLiteral("info") << QStringLiteral("lnkWeb") << posta;
        QTest::newRow("informazioni, immagine") << QStringLiteral("info") << QStringLiteral("imgEmail") << posta;
        QTest::newRow("crediti, collegamento") << QStringLiteral("splash") << QStringLiteral("lnkWeb") << sito;
        QTest::newRow("crediti, immagine") << QStringLiteral("splash") << QStringLiteral("imgWeb") << sito;
    }
    void bersagli()
    {
        QFETCH(QString, schermata);
        QFETCH(QString, controllo);
        QFETCH(QUrl, atteso);
        FakeDesktopInstallato desk;
        auto d = Crea(schermata);
        d->show();
        auto *w = Trova<QWidget>(d.get(), controllo);
        auto *link = Trova<Collegamento>(d.get(), QStringLiteral("lnkWeb"));
        QTest::mousePress(w, Qt::LeftButton);
        QCOMPARE(link->Colore().rgba(), 0xFFFFA500u);
        QVERIFY(desk.aperti.isEmpty());
        QTest::mouseRelease(w, Qt::LeftButton);
        QCOMPARE(link->Colore().rgba(), 0xFF00008Bu);
        QCOMPARE(desk.aperti, QList<QUrl>{atteso});
        QVERIFY(desk.messaggi.isEmpty());
        QVERIFY(d->isVisible());   // the screen stays open after the shell call
    }

    // The strings as handed to the shell: the mail target quoted, the site not.
    void testiPerLaShell()
    {
        QCOMPARE(TfrmInfo::BersaglioEmail(), QStringLiteral("\"mailto:supporto@valmora.example\""));
        QCOMPARE(TfrmSplash::SitoSenzaSchema(), QStringLiteral("www.valmora.example"));
    }

    void chiudi_data()
    {
        QTest::addColumn<QString>("schermata");
        QTest::newRow("informazioni") << QStringLiteral("info");
        QTest::newRow("crediti") << QStringLiteral("splash");
    }
    void chiudi()
    {
        QFETCH(QString, schermata);
        QWidget menu;
        menu.show();
        auto d = Crea(schermata);
        d->setParent(&menu, d->windowFlags());
        d->show();
        Clicca(d.get(), QStringLiteral("btnChiudi"));
        QVERIFY(!d->isVisible());
        QVERIFY(menu.isVisible());
        d.reset();
    }
};

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
