#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloRiepilogo() { return QString(); }

QString TestoRiepilogo() { return QString(); }

} // namespace TestiGuida
