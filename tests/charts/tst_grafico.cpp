#include "platform/chart/Grafico.h"

#include <QtTest>

Q_DECLARE_METATYPE(TipoSerie)

namespace {

const QStringList kMesi{u"Gennaio"_qs, u"Febbraio"_qs, u"Marzo"_qs, u"Aprile"_qs, u"Maggio"_qs, u"Giugno"_qs,
                        u"Luglio"_qs, u"Agosto"_qs, u"Settembre"_qs, u"Ottobre"_qs, u"Novembre"_qs,
                        u"Dicembre"_qs};

void Riempi(Grafico &g, const QList<double> &valori)
{
    g.ImpostaTitolo({u"Grafici statistici spese"_qs, QFont(u"Verdana"_qs, 20, QFont::Bold), Qt::magenta});
    g.ImpostaPiede({u"Tutti gli importi sono arrotondati all'euro"_qs, QFont(u"Verdana"_qs, 11, QFont::Bold), Qt::blue});
    g.ImpostaTitoloLegenda(u"Spese mensili:"_qs);
    g.Serie().Clear();
    for (qsizetype i = 0; i < valori.size(); ++i)
        g.Serie().Add(valori[i], kMesi[i % 12], QColor::fromHsv(int(i) * 30, 200, 220));
}

QString Descrivi(const QRectF &r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class TestGrafico : public QObject {
    Q_OBJECT
private slots:
    // Marks and category labels must stay readable: none overlaps another,
    // none leaves the data area or runs into the legend.
    void nienteSovrapposto_data()
    {
        QTest::addColumn<TipoSerie>("tipo");
        QTest::addColumn<QSize>("misura");
        QTest::addColumn<QList<double>>("valori");
        const QList<QPair<const char *, QList<double>>> serie = {
            {"typical", {1245, 980, 1530, 1122, 860, 1975, 2410, 3120, 1044, 1298, 1503, 2765}},
            {"one month dominates", {0, 12, 45230, 3, 0, 887, 0, 15, 2, 0, 6, 150}},
            {"large amounts", {1234567, 2345678, 3456789, 4567890, 5678901, 6789012, 7890123, 8901234, 9012345,
                               1234567, 2345678, 3456789}},
            {"negatives", {320, -145, 80, 0, 510, -60, 240, 130, 75, 0, 410, 95}},
        };
        const QList<QSize> misure = {{1340, 520}, {1123, 794}, {760, 460}};
        for (TipoSerie tipo : {TipoSerie::Barre, TipoSerie::Torta})
            for (const auto &s : serie)
                for (const QSize &m : misure)
                    QTest::addRow("%s %s %dx%d", tipo == TipoSerie::Barre ? "bars" : "pie", s.first, m.width(),
                                  m.height())
                        << tipo << m << s.second;
    }
    void nienteSovrapposto()
    {
        QFETCH(TipoSerie, tipo);
        QFETCH(QSize, misura);
        QFETCH(QList<double>, valori);
        Grafico g;
        Riempi(g, valori);
        g.CambiaTipoSerie(tipo);
        const QRectF area(QPointF(0, 0), QSizeF(misura));
        const Grafico::Disposizione d = g.CalcolaDisposizione(area);

        qsizetype attese = 0;
        for (double v : valori)
            attese += tipo == TipoSerie::Barre || v != 0;
        QCOMPARE(d.marche.size(), attese);
        QVERIFY(!d.legenda.isEmpty());
        QVERIFY(area.contains(d.legenda));
        QList<QRectF> tutti = d.marche + d.etichette;
        for (qsizetype i = 0; i < tutti.size(); ++i) {
            QVERIFY2(area.contains(tutti[i]), qPrintable(Descrivi(tutti[i])));
            QVERIFY2(!tutti[i].intersects(d.legenda), qPrintable(Descrivi(tutti[i])));
            for (qsizetype j = i + 1; j < tutti.size(); ++j)
                QVERIFY2(!tutti[i].intersects(tutti[j]),
                         qPrintable(Descrivi(tutti[i]) + u" & "_qs + Descrivi(tutti[j])));
        }
    }

    // However small the chart (a scaled-up desktop leaves it little room),
    // every mark is drawn within it.
    void piccolo_marcheDisegnate_data()
    {
        QTest::addColumn<TipoSerie>("tipo");
        QTest::addColumn<QSize>("misura");
        for (TipoSerie tipo : {TipoSerie::Barre, TipoSerie::Torta})
            for (const QSize &m : {QSize(480, 320), QSize(420, 260), QSize(600, 230)})
                QTest::addRow("%s %dx%d", tipo == TipoSerie::Barre ? "bars" : "pie", m.width(), m.height())
                    << tipo << m;
    }
    void piccolo_marcheDisegnate()
    {
        QFETCH(TipoSerie, tipo);
        QFETCH(QSize, misura);
        Grafico g;
        Riempi(g, {180, 96, 72, 0, 132, 0, 0, 0, 0, 0, 0, 0});
        g.CambiaTipoSerie(tipo);
        const QRectF area(QPointF(0, 0), QSizeF(misura));
        const Grafico::Disposizione d = g.CalcolaDisposizione(area);
        QCOMPARE(d.marche.size(), tipo == TipoSerie::Barre ? 12 : 4);
        QVERIFY2(d.areaDati.height() >= 40, qPrintable(Descrivi(d.areaDati)));
        for (const QRectF &m : d.marche) {
            QVERIFY2(area.contains(m), qPrintable(Descrivi(m)));
            QVERIFY2(d.legenda.isEmpty() || !m.intersects(d.legenda), qPrintable(Descrivi(m)));
        }
    }

    void cambioDiTipo_conservaIPunti()
    {
        Grafico g;
        Riempi(g, {1, 2, 3});
        g.CambiaTipoSerie(TipoSerie::Torta);
        QCOMPARE(g.Serie().Tipo(), TipoSerie::Torta);
        QCOMPARE(g.Serie().Nome(), u"Series1"_qs);
        QCOMPARE(g.Serie().Punti().size(), 3);
        QCOMPARE(g.Serie().Punti().at(2).etichetta, u"Marzo"_qs);
        QCOMPARE(g.Serie().Punti().at(2).valore, 3.0);
        QVERIFY(g.Serie().MarcheVisibili());
    }
};

QTEST_MAIN(TestGrafico)
#include "tst_grafico.moc"
