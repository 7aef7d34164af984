#pragma once
// Writes a document to an open file in large blocks on a thread of its own:
// the caller builds the next block while the kernel copies the last one, and
// the disk is asked to start writing each block at once, so that the sync
// that ends a save has little left to wait for. A failed write is reported
// by the calls that follow.

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class ScritturaBlocchi {
public:
    // The descriptor stays the caller's; writing starts at its current offset.
    explicit ScritturaBlocchi(int fd);
    ~ScritturaBlocchi();
    ScritturaBlocchi(const ScritturaBlocchi &) = delete;
    ScritturaBlocchi &operator=(const ScritturaBlocchi &) = delete;

    // Takes the block's bytes (leaving `blocco` empty, its room kept) once
    // the block before is written. False if a write has failed.
    bool Consegna(std::string &blocco);
    // Waits for every block handed over. False if a write has failed.
    bool Termina();

private:
    void Scrivi();

    int m_fd;
    std::string m_inScrittura;
    bool m_pronto = false; // m_inScrittura holds a block to write
    bool m_fine = false;
    bool m_errore = false;
    int m_codice = 0; // errno of the failed write, for the caller's thread
    std::mutex m_mutex;
    std::condition_variable m_cambiato;
    std::thread m_scrittore;
};
