#include "platform/Immagini.h"

#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

namespace Immagini {

namespace {

QPixmap DisegnaDa(QSvgRenderer &svg, const QSize &dimensione, qreal densita)
{
    QSize dentro = svg.defaultSize();
    dentro.scale(dimensione, Qt::KeepAspectRatio);
    QPixmap pm(dentro * densita);
    pm.setDevicePixelRatio(densita);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(dentro)));
    return pm;
}

} // namespace

QPixmap Disegna(const QString &risorsa, const QSize &dimensione, qreal densita)
{
    QSvgRenderer svg(risorsa);
    if (!svg.isValid() || dimensione.isEmpty())
        return QPixmap();
    return DisegnaDa(svg, dimensione, densita);
}

QIcon Icona(const QString &risorsa, std::initializer_list<int> lati)
{
    // Drawn here rather than by Qt's SVG icon engine, which is a plugin the
    // program would otherwise load at start-up just for its window icon. The
    // file is read once for every size.
    QSvgRenderer svg(risorsa);
    QIcon icona;
    if (!svg.isValid())
        return icona;
    for (const int lato : lati)
        icona.addPixmap(DisegnaDa(svg, QSize(lato, lato), 1.0));
    return icona;
}

void ImpostaSu(QLabel *etichetta, const QString &risorsa)
{
    if (!etichetta)
        return;
    etichetta->setAlignment(Qt::AlignCenter);
    etichetta->setPixmap(Disegna(risorsa, etichetta->size(), etichetta->devicePixelRatioF()));
}

} // namespace Immagini
