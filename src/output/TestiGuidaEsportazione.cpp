#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloEsportazione() { return QString(); }

QString TestoEsportazione() { return QString(); }

} // namespace TestiGuida
