// Renders the bar and pie charts of sample monthly data to PNG files, at the
// size of the screen and of a landscape page, and prints them to PDF files,
// so that anyone can look at them.
// Usage: rendi_grafici [output folder]

#include "charts/Statistiche.h"
#include "platform/chart/Grafico.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTextStream>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString cartella = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(cartella);

    struct Esempio {
        const char *nome;
        QList<double> valori;
    };
    const QList<Esempio> esempi = {
        {"tipico", {1245, 980, 1530, 1122, 860, 1975, 2410, 3120, 1044, 1298, 1503, 2765}},
        {"disuguale", {0, 12, 45230, 3, 0, 887, 0, 15, 2, 0, 6, 150}},
        {"negativi", {320, -145, 80, 0, 510, -60, 240, 130, 75, 0, 410, 95}},
        {"vuoto", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"grandi", {1234567, 2345678, 3456789, 4567890, 5678901, 6789012, 7890123, 8901234, 9012345, 1234567,
                    2345678, 3456789}},
    };
    const QList<QSize> misure = {{1340, 520}, {1123, 794}, {760, 460}};

    Grafico g;
    TfrmStatistiche::ImpostaGrafico(g);
    QTextStream out(stdout);
    for (const Esempio &e : esempi) {
        g.Serie().Clear();
        for (int m = 0; m < 12; ++m)
            g.Serie().Add(e.valori[m], TfrmStatistiche::NomeMese(m), TfrmStatistiche::ColoreMese(m));
        for (TipoSerie tipo : {TipoSerie::Barre, TipoSerie::Torta}) {
            g.CambiaTipoSerie(tipo);
            for (const QSize &s : misure) {
                QImage img(s, QImage::Format_ARGB32_Premultiplied);
                QPainter p(&img);
                g.Disegna(p, QRectF(QPointF(0, 0), QSizeF(s)));
                p.end();
                const QString file = QDir(cartella).filePath(
                    QStringLiteral("%1-%2-%3x%4.png")
                        .arg(QString::fromLatin1(e.nome), tipo == TipoSerie::Barre ? QStringLiteral("barre")
                                                                                  : QStringLiteral("torta"))
                        .arg(s.width())
                        .arg(s.height()));
                img.save(file);
                out << file << '\n';
            }
            // The printed page, as the charts screen prints it.
            QPrinter stampante(QPrinter::HighResolution);
            stampante.setOutputFormat(QPrinter::PdfFormat);
            stampante.setPageOrientation(QPageLayout::Landscape);
            const QString pdf = QDir(cartella).filePath(
                QStringLiteral("%1-%2.pdf")
                    .arg(QString::fromLatin1(e.nome),
                         tipo == TipoSerie::Barre ? QStringLiteral("barre") : QStringLiteral("torta")));
            stampante.setOutputFileName(pdf);
            g.Stampa(stampante);
            out << pdf << '\n';
        }
    }
    return 0;
}
