// The user guide: the help topics go in as written (escaped, paragraph by
// paragraph), empty topics are left out, the tour's pictures are drawn, and
// the PDF file is written or the failure reported.

#include "app/GuidaPdf.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

static void CaricaImmagini() { Q_INIT_RESOURCE(valmora); }

using GuidaPdf::Argomento;

namespace {
// The text of every paragraph of the document, in order.
QStringList Blocchi(const QTextDocument &doc)
{
    QStringList b;
    for (QTextBlock blocco = doc.begin(); blocco.isValid(); blocco = blocco.next())
        b << blocco.text();
    return b;
}
} // namespace

class TestGuidaPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CaricaImmagini(); }

    void argomentiNelDocumento()
    {
        const QList<Argomento> argomenti{
            {QStringLiteral("Uno sguardo a Valmora"),
             QStringLiteral("Primo paragrafo.\r\n\r\n<b>Nota</b> & \"virgolette\"\r\n\r\nUltimo, più lungo.")},
            {QString(), QString()},
            {QStringLiteral("Grafici < 2024"), QStringLiteral("Unico paragrafo.")},
        };
        QTextDocument doc;
        GuidaPdf::Componi(doc, argomenti);
        const QStringList b = Blocchi(doc);

        const qsizetype titolo = b.indexOf(QStringLiteral("Uno sguardo a Valmora"));
        QVERIFY(titolo >= 0);
        QCOMPARE(b.mid(titolo + 1, 3),
                 (QStringList{QStringLiteral("Primo paragrafo."), QStringLiteral("<b>Nota</b> & \"virgolette\""),
                              QStringLiteral("Ultimo, più lungo.")}));
        const qsizetype secondo = b.indexOf(QStringLiteral("Grafici < 2024"));
        QCOMPARE(secondo, titolo + 4);   // nothing between: the empty topic left no heading
        QCOMPARE(b.value(secondo + 1), QStringLiteral("Unico paragrafo."));
    }

    void argomentoVuotoNonAggiungeNulla()
    {
        QTextDocument senza, con;
        GuidaPdf::Componi(senza, {});
        GuidaPdf::Componi(con, {{QStringLiteral("  "), QStringLiteral("\r\n")}});
        QCOMPARE(Blocchi(con), Blocchi(senza));
        QVERIFY(!senza.isEmpty());   // the cover and the tour are there all the same
    }

    void immaginiDellaVisita_data()
    {
        QTest::addColumn<QString>("nome");
        for (const char *n : {"logo", "credits", "card_registro", "card_riepilogo", "card_grafici", "nuovo",
                              "salva", "trova", "stampa", "esporta", "barre", "torta", "pdf"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void immaginiDellaVisita()
    {
        QFETCH(QString, nome);
        QTextDocument doc;
        GuidaPdf::Componi(doc, {});
        const QImage img = doc.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("img:") + nome))
                               .value<QImage>();
        QVERIFY(!img.isNull());
        // Drawn, not blank: some pixel is opaque.
        bool disegnata = false;
        for (int y = 0; y < img.height() && !disegnata; y += 4)
            for (int x = 0; x < img.width() && !disegnata; x += 4)
                disegnata = qAlpha(img.pixel(x, y)) > 0;
        QVERIFY(disegnata);
    }

    void scrittura()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Guida.pdf"));
        QVERIFY(GuidaPdf::Scrivi(file, {{QStringLiteral("Titolo"), QStringLiteral("Testo.")}}));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));
    }

    void scritturaImpossibile()
    {
        QTemporaryDir dir;
        QVERIFY(!GuidaPdf::Scrivi(dir.filePath(QStringLiteral("manca/Guida.pdf")), {}));
    }
};

QTEST_MAIN(TestGuidaPdf)
#include "tst_guidapdf.moc"
