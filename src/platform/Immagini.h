#pragma once
// Pictures drawn from the program's SVG resources at the size they are shown,
// so they stay sharp at any size and on any screen density.

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <initializer_list>

class QLabel;

namespace Immagini {
// The picture at the given size (in device-independent pixels), aspect kept.
QPixmap Disegna(const QString &risorsa, const QSize &dimensione, qreal densita = 1.0);
// Puts the picture into the label, filling its current size.
void ImpostaSu(QLabel *etichetta, const QString &risorsa);
// An icon holding the picture drawn at each of the sizes (square, in pixels).
QIcon Icona(const QString &risorsa, std::initializer_list<int> lati);
} // namespace Immagini
