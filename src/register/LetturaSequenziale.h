#pragma once
// Reads an open file from its start in page-aligned blocks, the next block
// read by a thread of its own while the caller works on the current one:
// a scan of the whole archive then takes about the longer of reading and
// working instead of their sum. A read failure reaches the caller as
// ErroreArchivio from Prossimo().

#include <QtGlobal>
#include <array>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class LetturaSequenziale {
public:
    // Reads `byte` bytes of the file descriptor (which stays the caller's) in
    // blocks of `blocco` bytes.
    LetturaSequenziale(int fd, qint64 byte, size_t blocco);
    ~LetturaSequenziale();
    LetturaSequenziale(const LetturaSequenziale &) = delete;
    LetturaSequenziale &operator=(const LetturaSequenziale &) = delete;

    struct Blocco {
        const char *dati = nullptr;
        size_t byte = 0; // 0 at the end
    };
    // The next block, valid until the next call.
    Blocco Prossimo();

private:
    struct Buffer {
        std::unique_ptr<char, void (*)(void *)> dati{nullptr, nullptr};
        size_t byte = 0;
        bool pieno = false;
    };
    void Leggi();

    int m_fd;
    qint64 m_totale;
    size_t m_blocco;
    // A few blocks ahead, so that a slow block on either side does not stall the other.
    static constexpr int kBuffer = 4;
    std::array<Buffer, kBuffer> m_buffer;
    int m_corrente = -1; // the buffer the caller holds
    int m_prossimo = 0;  // the buffer the caller takes next
    std::mutex m_mutex;
    std::condition_variable m_cambiato;
    bool m_fermo = false;
    bool m_finito = false;
    std::string m_errore;
    std::thread m_lettore;
};
