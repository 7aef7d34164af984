#pragma once
// The look every screen is designed in: Fusion style and its light palette,
// whatever style and colours the desktop would hand the program.

#include <QPalette>

namespace Aspetto {

// Puts the style and the palette on the whole application. The screens pair
// their own light colours (white fields, yellow highlights, navy bars) with
// the palette's; a dark desktop palette would leave dark boxes and dark text
// among them, and an unchecked box that reads as checked.
void Applica();

// The light palette, every role and group given here. It is not asked of the
// style: Fusion hands back the desktop theme's palette (a GTK theme's dark
// one included) as its own standard palette.
QPalette TavolozzaChiara();

} // namespace Aspetto
