#include "register/PreparazioneCartella.h"

#include "access/Accesso.h"
#include "platform/Descrittore.h"
#include "platform/SostituzioneSicura.h"
#include "register/Allegati.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The attachment temporary of older versions: ".valmora-" and eight hex digits.
bool TemporaneoAllegatoVecchio(QByteArrayView nome)
{
    static const QRegularExpression vecchio(QStringLiteral("^\\.valmora-[0-9a-f]{8}\\.tmp$"));
    return vecchio.match(QString::fromLatin1(nome)).hasMatch();
}

// The store's temporary of older versions: the store's name, a dot and the
// six letters and digits mkstemp draws. A copy a person names
// ("unins000.dll.backup", ".Copia1", ".BACKUP") is kept: a draw almost always
// mixes capitals past the first place with small letters, a typed name does
// not. The few draws that do not are left, harmless in the private folder.
bool TemporaneoStoreVecchio(QByteArrayView nome)
{
    const QByteArray radice = Accesso::NomeArchivio.toLatin1() + '.';
    if (nome.size() != radice.size() + 6 || !nome.startsWith(radice))
        return false;
    bool maiuscola = false;
    bool minuscola = false;
    for (qsizetype i = radice.size(); i < nome.size(); ++i) {
        const char c = nome[i];
        if (c >= 'A' && c <= 'Z')
            maiuscola = maiuscola || i > radice.size();
        else if (c >= 'a' && c <= 'z')
            minuscola = true;
        else if (c < '0' || c > '9')
            return false;
    }
    return maiuscola && minuscola;
}

// True when the archive's last whole record holds only zero bytes: no save
// writes such a record (every field has a length byte and "No" or "Sì"), but
// a file grown by a fault or a tool that extends it with a hole does.
bool CodaDiZeri(const QString &percorso, qint64 &schede)
{
    Descrittore d(::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (d.fd() < 0 || ::fstat(d.fd(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    schede = qint64(st.st_size) / TScheda::Dimensione;
    if (schede == 0)
        return false;
    TScheda ultima;
    if (::pread(d.fd(), ultima.byte.data(), TScheda::Dimensione, off_t((schede - 1) * TScheda::Dimensione))
        != TScheda::Dimensione)
        return false;
    for (const char b : ultima.byte)
        if (b != 0)
            return false;
    return true;
}

} // namespace

QStringList PreparaCartella(const QString &cartellaProgramma)
{
    QStringList messaggi;
    const QDir d(cartellaProgramma);
    PulisciTemporanei(cartellaProgramma, TemporaneoStoreVecchio);
    PulisciTemporanei(d.filePath(Allegati::NomeCartella()), TemporaneoAllegatoVecchio);
    PulisciTemporanei(CopieGiornaliere::Cartella(cartellaProgramma), CopieGiornaliere::TemporaneoVecchio);

    const QString archivio = Archivio::Percorso(cartellaProgramma);
    if (QFileInfo::exists(Archivio::PercorsoDiario(archivio)) && QFileInfo::exists(archivio)) {
        try {
            Archivio a(archivio);
            a.ApriArchivio();
            const QString daParte = a.DiarioMessoDaParte();
            a.Chiudi();
            if (!daParte.isEmpty())
                messaggi << QStringLiteral("Attenzione: accanto all'archivio c'era un diario di salvataggio che "
                                           "non appartiene all'archivio attuale, e l'archivio non è stato "
                                           "toccato.\n\r\n\rIl diario è stato messo da parte, senza "
                                           "cancellarlo, come \"%1\" nella cartella del programma.")
                                .arg(QFileInfo(daParte).fileName());
        } catch (const ErroreArchivio &) {
            // The editor says so at its first use of the archive.
        }
    }
    qint64 schede = 0;
    if (CodaDiZeri(archivio, schede))
        messaggi << QStringLiteral("Attenzione: l'archivio \"%1\" sembra danneggiato: le sue ultime schede "
                                   "contengono solo zeri (%2 schede in tutto, %3 sul disco).\n\r\n\rSi consiglia "
                                   "di chiudere il programma e ripristinare una copia dalla cartella \"Backup\", "
                                   "come descritto nella guida.")
                        .arg(Archivio::NomeFile())
                        .arg(schede)
                        .arg(QString::number(QFileInfo(archivio).size()));
    return messaggi;
}
