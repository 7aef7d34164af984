#include "platform/Caratteri.h"

#if VALMORA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

CaratteriInAnticipo::CaratteriInAnticipo()
{
#if VALMORA_FONTCONFIG
    // Fontconfig keeps one configuration for the process, safe to set up
    // from any thread; Qt's own font set-up then finds it ready.
    m_lettura = std::thread([] { FcInit(); });
#endif
}

CaratteriInAnticipo::~CaratteriInAnticipo() { Attendi(); }

void CaratteriInAnticipo::Attendi()
{
    if (m_lettura.joinable())
        m_lettura.join();
}
