#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloRegistro() { return QString(); }

QString TestoRegistro() { return QString(); }

} // namespace TestiGuida
