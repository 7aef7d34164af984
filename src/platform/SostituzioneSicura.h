#pragma once
// Replacing a whole file so that a crash, a power loss or a full disk at any
// moment leaves either the old file or the new one, never a mix: the new
// bytes go into a temporary file in the same folder, which is synced, renamed
// over the file, and the folder synced. Every writer of a whole file uses it.
//
// The temporary is ".<name>.valmora-XXXXXX.tmp" and is locked (flock) by the
// writer while it lives, so that PulisciTemporanei, run at start, removes
// those a killed writer left and never one a running copy is still filling.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

struct EsitoSostituzione {
    bool riuscita = false;
    int errore = 0;   // errno of the step that failed (ENOSPC, EDQUOT, EACCES, ...), 0 on success
    QString passo;    // short Italian name of the failed step, for messages
    // The new file already stands under the name: only the folder's sync
    // failed, so the file reads new but the change may not survive a power loss.
    bool sostituito = false;
    explicit operator bool() const { return riuscita; }
};

// Writes `percorso` whole: a temporary file in the same folder (created 0600, O_EXCL, no symlink followed),
// filled by `scrivi` (which gets the temporary's descriptor and returns false on a failed write, leaving errno set),
// synced, renamed over `percorso`, the folder synced. On any failure the old file is as it was and no temporary remains.
// All writes and syncs go through the file-operations layer (OperazioniFile) that the fault tests replace.
// A symbolic link named `percorso` is replaced, not followed. When an old file stands there, the new one gets
// its owner and group where the system allows it (always when run as root). An exception thrown by `scrivi`
// passes through and leaves the temporary, as a crash would, to PulisciTemporanei.
EsitoSostituzione SostituisciFile(const QString &percorso, const std::function<bool(int fd)> &scrivi);
// The same with the whole content at hand.
EsitoSostituzione SostituisciFile(const QString &percorso, QByteArrayView contenuto);

// Writes bytes one after another into a file through the file-operations
// layer, as `scrivi` above needs: false on a failed write, errno set.
class ScritturaInCoda {
public:
    explicit ScritturaInCoda(int fd) : m_fd(fd) {}
    bool Scrivi(const char *dati, qint64 quanti);
    bool Scrivi(QByteArrayView dati) { return Scrivi(dati.data(), dati.size()); }
    qint64 Scritti() const { return m_scritti; }

private:
    int m_fd;
    qint64 m_scritti = 0;
};

// True for a name SostituisciFile gives its temporaries (a bare file name, no folder).
bool NomeTemporaneo(QByteArrayView nome);

// Removes from the folder the regular files named as SostituisciFile's
// temporaries, or accepted by `altri` (a kind of temporary an older version
// of the program made), that no running writer holds locked. Nothing else is
// touched, and no symbolic link followed. The count removed; a missing folder
// gives 0.
int PulisciTemporanei(const QString &cartella,
                      const std::function<bool(QByteArrayView nome)> &altri = {});
