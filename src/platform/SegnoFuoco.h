#pragma once
// The focus mark every window shows, whatever the control and its
// background: a ring of a dark and a light line around the focused control,
// so that one of the two stands out on a white field, a grey window or a
// navy bar alike, and shown from the moment a window opens, not only after
// the first Tab.

class QApplication;

namespace SegnoFuoco {

void Installa(QApplication &app);

} // namespace SegnoFuoco
