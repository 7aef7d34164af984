// Dialogs are owned by the screen that opens them, so a screen's style sheet
// reaches into them: its rules must never restyle the dialogs' own controls.
#include "FakeDesktop.h"
#include "Programma.h"
#include "app/Avvio.h"
#include "app/Guida.h"
#include "charts/Statistiche.h"
#include "output/ExpRegPagamenti.h"
#include "platform/Schermate.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"
#include "summary/RiepPagamenti.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

class TestStileDialoghi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Programma::CreaSchermate(); }
    void cleanupTestCase() { Programma::DistruggiSchermate(); }
    void guida_data();
    void guida();

private:
    FakeDesktopInstallato m_desktop;
};

void TestStileDialoghi::guida_data()
{
    QTest::addColumn<QString>("schermata");
    QTest::newRow("menu") << "TfrmAvvio";
    QTest::newRow("registro") << "TfrmRegPagamenti";
    QTest::newRow("criteri") << "TfrmMenuRiepPagamenti";
    QTest::newRow("riepilogo") << "TfrmRiepPagamenti";
    QTest::newRow("grafici") << "TfrmStatistiche";
    QTest::newRow("esportazione") << "TfrmExpRegPagamenti";
}

void TestStileDialoghi::guida()
{
    QFETCH(QString, schermata);
    const Schermate &s = Schermate::Globali();
    const QList<QWidget *> tutte = {s.frmAvvio, s.frmRegPagamenti, s.frmMenuRiepPagamenti,
                                    s.frmRiepPagamenti, s.frmStatistiche, s.frmExpRegPagamenti};
    QWidget *proprietaria = nullptr;
    for (QWidget *w : tutte)
        if (w->objectName() == schermata)
            proprietaria = w;
    QVERIFY(proprietaria);
    proprietaria->show();
    auto *guida = new TfrmGuida(proprietaria);
    guida->show();
    auto *titolo = guida->findChild<QLabel *>(QStringLiteral("lblTitolo"));
    auto *testo = guida->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"));
    QVERIFY(titolo && testo);
    QVERIFY(QTest::qWaitForWindowExposed(guida));
    titolo->ensurePolished();
    testo->ensurePolished();
    QCOMPARE(titolo->font().pointSize(), 16);
    QVERIFY(titolo->font().bold());
    QCOMPARE(testo->font().pointSize(), 12);
    delete guida;
    proprietaria->hide();
}

QTEST_MAIN(TestStileDialoghi)
#include "tst_stile_dialoghi.moc"
