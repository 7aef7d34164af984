#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloAvvio() { return QString(); }

QString TestoAvvio() { return QString(); }

} // namespace TestiGuida
