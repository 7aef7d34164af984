#include "platform/Immagini.h"

#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

namespace Immagini {

QPixmap Disegna(const QString &risorsa, const QSize &dimensione, qreal densita)
{
    QSvgRenderer svg(risorsa);
    if (!svg.isValid() || dimensione.isEmpty())
        return QPixmap();
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

void ImpostaSu(QLabel *etichetta, const QString &risorsa)
{
    if (!etichetta)
        return;
    etichetta->setAlignment(Qt::AlignCenter);
    etichetta->setPixmap(Disegna(risorsa, etichetta->size(), etichetta->devicePixelRatioF()));
}

} // namespace Immagini
