// The link widget: its look, its colour while pressed and released, its click,
// and a bound picture behaving exactly like the link.

#include "platform/Collegamento.h"

#include <QSignalSpy>
#include <QtTest>

class TestCollegamento : public QObject {
    Q_OBJECT

    // A link with a picture beside it, shown in a small window.
    struct Finestra {
        QWidget w;
        Collegamento *link;
        QLabel *immagine;
        Finestra()
        {
            w.resize(300, 80);
            immagine = new QLabel(&w);
            immagine->setGeometry(4, 4, 40, 40);
            link = new Collegamento(QStringLiteral("www.esempio.example"), &w);
            link->setGeometry(50, 10, 240, 30);
            link->Associa(immagine);
            w.show();
        }
        QWidget *bersaglio(bool suImmagine) { return suImmagine ? static_cast<QWidget *>(immagine) : link; }
    };

private slots:
    void aspetto()
    {
        Collegamento l(QStringLiteral("x"));
        QCOMPARE(l.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(l.font().pointSize(), 14);
        QVERIFY(l.font().underline());
        QCOMPARE(l.cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(l.Colore().rgba(), 0xFF00008Bu);
    }

    void premutoERilasciato_data()
    {
        QTest::addColumn<bool>("suImmagine");
        QTest::newRow("testo") << false;
        QTest::newRow("immagine") << true;
    }
    void premutoERilasciato()
    {
        QFETCH(bool, suImmagine);
        Finestra f;
        QSignalSpy clic(f.link, &Collegamento::cliccato);
        QWidget *w = f.bersaglio(suImmagine);

        QTest::mousePress(w, Qt::LeftButton);
        QCOMPARE(f.link->Colore().rgba(), 0xFFFFA500u);
        QCOMPARE(clic.count(), 0);

        QTest::mouseRelease(w, Qt::LeftButton);
        QCOMPARE(f.link->Colore().rgba(), 0xFF00008Bu);
        QCOMPARE(clic.count(), 1);
        // The picture carries the link's hand cursor.
        QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);
    }

    // Dragging off before releasing is no click, and the link is blue again.
    void rilasciatoFuori_data() { premutoERilasciato_data(); }
    void rilasciatoFuori()
    {
        QFETCH(bool, suImmagine);
        Finestra f;
        QSignalSpy clic(f.link, &Collegamento::cliccato);
        QWidget *w = f.bersaglio(suImmagine);
        QTest::mousePress(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(w->width() + 50, w->height() + 50));
        QCOMPARE(f.link->Colore().rgba(), 0xFF00008Bu);
        QCOMPARE(clic.count(), 0);
    }

    void altriTastiDelMouseIgnorati()
    {
        Finestra f;
        QSignalSpy clic(f.link, &Collegamento::cliccato);
        QTest::mousePress(f.link, Qt::RightButton);
        QCOMPARE(f.link->Colore().rgba(), 0xFF00008Bu);
        QTest::mouseRelease(f.link, Qt::RightButton);
        QCOMPARE(clic.count(), 0);
    }

    void tastiera_data()
    {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("clic");
        QTest::newRow("spazio") << int(Qt::Key_Space) << 1;
        QTest::newRow("invio") << int(Qt::Key_Return) << 1;
        QTest::newRow("lettera") << int(Qt::Key_A) << 0;
    }
    void tastiera()
    {
        QFETCH(int, tasto);
        QFETCH(int, clic);
        Finestra f;
        QVERIFY(f.link->focusPolicy() & Qt::TabFocus);
        QSignalSpy spia(f.link, &Collegamento::cliccato);
        QTest::keyClick(f.link, Qt::Key(tasto));
        QCOMPARE(spia.count(), clic);
    }
};

QTEST_MAIN(TestCollegamento)
#include "tst_collegamento.moc"
