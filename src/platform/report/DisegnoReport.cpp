// Drawing a prepared page.

#include "platform/report/Report.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {

// Gap between a text box's side and its text: 2 units of 1/96 inch.
constexpr double Margine = UnitaReport::InMm(2.0);

QFont Carattere(const StileTesto &s, const QPainter &p, double pixelPerMm)
{
    QFont f(s.famiglia);
    f.setBold(s.grassetto);
    // Point sizes are physical; scale them to the device and to the drawing's scale.
    const double dpi = p.device()->logicalDpiY();
    f.setPointSizeF(s.punti * pixelPerMm * 25.4 / dpi);
    f.setKerning(false);
    return f;
}

// Greedy word wrap of one line into lines no wider than the box.
QStringList ACapo(const QString &riga, const QFontMetricsF &fm, double larghezza)
{
    QStringList fuori;
    QString corrente;
    const QStringList parole = riga.split(QLatin1Char(' '));
    for (const QString &parola : parole) {
        const QString prova = corrente.isEmpty() ? parola : corrente + QLatin1Char(' ') + parola;
        if (!corrente.isEmpty() && fm.horizontalAdvance(prova) > larghezza) {
            fuori.append(corrente);
            corrente = parola;
        } else {
            corrente = prova;
        }
    }
    fuori.append(corrente);
    return fuori;
}

void DisegnaTesto(QPainter &p, const OggettoReport &o, const QRectF &r, double pixelPerMm)
{
    if (o.NumeroRighe() == 0)
        return;
    const QFont f = Carattere(o.stile, p, pixelPerMm);
    p.setFont(f);
    p.setPen(o.stile.colore);
    const QFontMetricsF fm(f, p.device());
    const double margine = Margine * pixelPerMm;
    const double larghezzaUtile = r.width() - 2 * margine;

    QStringList righe;
    for (const QString &riga : o.Righe())
        righe += o.stile.aCapo ? ACapo(riga, fm, larghezzaUtile) : QStringList{riga};

    const double passo = o.Passo() * pixelPerMm;
    const double blocco = passo * double(righe.size());
    double y = r.top();
    if (o.stile.allineamento & Qt::AlignVCenter)
        y += (r.height() - blocco) / 2;
    else if (o.stile.allineamento & Qt::AlignBottom)
        y += r.height() - blocco;
    // Glyphs sit in the middle of their line's pitch.
    const double spazioRiga = (passo - (fm.ascent() + fm.descent())) / 2;

    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    for (const QString &riga : std::as_const(righe)) {
        const double w = fm.horizontalAdvance(riga);
        double x = r.left() + margine;
        if (o.stile.allineamento & Qt::AlignHCenter)
            x = r.left() + (r.width() - w) / 2;
        else if (o.stile.allineamento & Qt::AlignRight)
            x = r.right() - margine - w;
        // Drawn as plain text: no markup, no mnemonics, no expressions.
        p.drawText(QPointF(x, y + spazioRiga + fm.ascent()), riga);
        y += passo;
    }
    p.restore();
}

} // namespace

void Report::Disegna(QPainter &p, const PaginaPreparata &pagina, double pixelPerMm)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const OggettoReport &o : pagina.oggetti) {
        const QRectF r(o.mm.left() * pixelPerMm, o.mm.top() * pixelPerMm, o.mm.width() * pixelPerMm,
                       o.mm.height() * pixelPerMm);
        const QPen contorno = o.contorno.isValid()
            ? QPen(o.contorno, o.spessoreContorno * pixelPerMm, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
            : QPen(Qt::NoPen);
        if (o.genere == OggettoReport::Genere::Linea) {
            p.setPen(contorno);
            p.drawLine(r.topLeft(), r.bottomRight());
            continue;
        }
        if (o.riempimento.isValid() || o.contorno.isValid()) {
            p.setPen(contorno);
            p.setBrush(o.riempimento.isValid() ? QBrush(o.riempimento) : QBrush(Qt::NoBrush));
            p.drawRect(r);
        }
        if (o.genere == OggettoReport::Genere::Testo)
            DisegnaTesto(p, o, r, pixelPerMm);
    }
    p.restore();
}
