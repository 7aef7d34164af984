#include "platform/Memoria.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

constexpr size_t kPagina = size_t(2) << 20;
constexpr size_t kDaGrande = size_t(1) << 20;

} // namespace

void Memoria::PagineGrandi(void *dati, size_t byte)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const uintptr_t inizio = (reinterpret_cast<uintptr_t>(dati) + kPagina - 1) & ~uintptr_t(kPagina - 1);
    const uintptr_t fine = (reinterpret_cast<uintptr_t>(dati) + byte) & ~uintptr_t(kPagina - 1);
    if (dati != nullptr && fine > inizio)
        ::madvise(reinterpret_cast<void *>(inizio), fine - inizio, MADV_HUGEPAGE);
#else
    (void)dati;
    (void)byte;
#endif
}

void *Memoria::Prendi(size_t byte)
{
    if (byte < kDaGrande)
        return ::operator new(byte);
    const size_t intero = (byte + kPagina - 1) & ~(kPagina - 1);
    void *p = std::aligned_alloc(kPagina, intero);
    if (p == nullptr)
        throw std::bad_alloc();
    PagineGrandi(p, intero);
    return p;
}

void Memoria::Rendi(void *dati, size_t byte) noexcept
{
    if (byte < kDaGrande)
        ::operator delete(dati);
    else
        std::free(dati);
}
