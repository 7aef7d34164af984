#pragma once
// Memory for large arrays the program fills at once, such as a value per
// record of the archive.

#include <cstddef>

namespace Memoria {

// Asks for the whole 2 MiB pages inside [dati, dati + byte) to be backed by
// large pages where the system offers them on request. Filling a large fresh
// allocation otherwise takes a page fault per 4 KiB, which on a virtual
// machine costs more than the work written into it. Best effort: nothing
// happens where it is not offered, or on less than a whole large page.
void PagineGrandi(void *dati, size_t byte);

// From a megabyte up, whole large pages (PagineGrandi) aligned to their
// size; less than that, from the usual heap. Rendi takes the same size.
void *Prendi(size_t byte);
void Rendi(void *dati, size_t byte) noexcept;

// For std::vector: an array of a value per record, filled in one pass.
template <class T>
struct AllocatoreGrande {
    using value_type = T;
    AllocatoreGrande() = default;
    template <class U>
    AllocatoreGrande(const AllocatoreGrande<U> &) noexcept {}
    T *allocate(size_t n) { return static_cast<T *>(Prendi(n * sizeof(T))); }
    void deallocate(T *p, size_t n) noexcept { Rendi(p, n * sizeof(T)); }
    friend bool operator==(const AllocatoreGrande &, const AllocatoreGrande &) { return true; }
};

} // namespace Memoria
