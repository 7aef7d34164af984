#pragma once
// The maker of Valmora: its web site and its support mail address.

namespace Produttore {
inline constexpr char16_t Sito[] = u"https://www.valmora.example";
inline constexpr char16_t Email[] = u"supporto@valmora.example";
} // namespace Produttore
