#pragma once
// Reads an open file from a given offset in page-aligned blocks, in the caller's
// thread, into one buffer used again for every block. A block of a few
// hundred kilobytes is still in the processor's cache when the caller works
// on it; a reader thread of its own was measured slower on two cores (the
// blocks crossed between the cores' caches, and the hand-offs cost a context
// switch each). A read failure reaches the caller as ErroreArchivio from
// Prossimo().

#include <QtGlobal>
#include <cstddef>
#include <memory>

class LetturaSequenziale {
public:
    // Reads `byte` bytes of the file descriptor (which stays the caller's),
    // from `inizio` on, in blocks of `blocco` bytes.
    LetturaSequenziale(int fd, qint64 byte, size_t blocco, qint64 inizio = 0);
    LetturaSequenziale(const LetturaSequenziale &) = delete;
    LetturaSequenziale &operator=(const LetturaSequenziale &) = delete;

    struct Blocco {
        const char *dati = nullptr;
        size_t byte = 0; // 0 at the end
    };
    // The next block, valid until the next call.
    Blocco Prossimo();

private:
    int m_fd;
    qint64 m_inizio;
    qint64 m_totale;
    qint64 m_letti = 0;
    size_t m_blocco;
    std::unique_ptr<char, void (*)(void *)> m_buffer{nullptr, nullptr};
};
