#pragma once
// Stand-in for the shared whole-file replace of platform/, with the same
// call, until that routine reaches this branch; the removal and restore code
// reach it only through SostituisciFile below. Kept in a namespace of its own
// so that the shared one can take its place without a clash.

#include <QString>
#include <functional>

namespace sostituzione_provvisoria {

struct EsitoSostituzione {
    bool riuscita = false;
    int errore = 0;   // errno of the step that failed, 0 on success
    QString passo;    // short Italian name of the failed step, for messages
    explicit operator bool() const { return riuscita; }
};

// Writes `percorso` whole: a temporary file in the same folder (0600, O_EXCL,
// no symlink followed), filled by `scrivi` (false on a failed write, errno
// set), synced, renamed over `percorso`, the folder synced. On any failure
// the old file is as it was and no temporary remains. Writes and syncs go
// through OperazioniFile.
EsitoSostituzione SostituisciFile(const QString &percorso, const std::function<bool(int fd)> &scrivi);

} // namespace sostituzione_provvisoria

using sostituzione_provvisoria::EsitoSostituzione;
using sostituzione_provvisoria::SostituisciFile;
