#pragma once
// The maker's addresses, shown and opened by the start menu and the
// information screens.

#include <QStringView>

namespace Produttore {
inline constexpr QStringView SitoWeb = u"https://www.valmora.example";
inline constexpr QStringView MailSupporto = u"supporto@valmora.example";
} // namespace Produttore
