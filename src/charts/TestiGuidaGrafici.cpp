#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloGrafici() { return QString(); }

QString TestoGrafici() { return QString(); }

} // namespace TestiGuida
