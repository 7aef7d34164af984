// The Qif statement reader on any bytes, decoded as the import decodes them.
#include "ProvaEstratto.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QString testo = Estratto::Decodifica(QByteArray(reinterpret_cast<const char *>(dati), qsizetype(n)), nullptr);
    ProvaEstratto(Estratto::LeggiQif(testo), Linee(testo));
    return 0;
}
