#include "register/Allegati.h"

#include "platform/SostituzioneSicura.h"
#include "platform/Testo.h"
#include "register/Scheda.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Allegati {

namespace {

bool Ammesso(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 32 && !(u >= 0x7F && u <= 0x9F) && u != u'/' && u != u'\\' && !c.isSurrogate()
        && Testo::InCp1252(c);
}

bool EntraNeiLimiti(const QString &nome)
{
    return nome.size() <= TScheda::Capacita(Campo::File01)
        && QFile::encodeName(nome).size() <= NAME_MAX;
}

} // namespace

QString NomeCartella() { return QStringLiteral("Documenti_Allegati"); }

bool NomeSicuro(const QString &nome)
{
    if (nome.isEmpty() || nome == u"." || nome == u"..")
        return false;
    // Qt takes a leading ':' for its resource system, and QDir::filePath then
    // returns the name alone instead of joining it to the folder.
    if (nome.startsWith(u':'))
        return false;
    for (const QChar c : nome)
        if (c == u'/' || c == u'\\' || c.unicode() == 0)
            return false;
    return true;
}

QString NomeConservabile(const QString &nome)
{
    QString r;
    r.reserve(nome.size());
    for (qsizetype i = 0; i < nome.size(); ++i) {
        const QChar c = nome.at(i);
        if (c.isHighSurrogate() && i + 1 < nome.size() && nome.at(i + 1).isLowSurrogate())
            ++i; // one character, one "_"
        r += Ammesso(c) ? c : QChar(u'_');
    }
    r = Testo::Trim(r);
    if (r.startsWith(u':'))
        r[0] = u'_'; // NomeSicuro refuses it: Qt would take it for a resource path
    if (!EntraNeiLimiti(r)) {
        // Short extensions are kept, so the file still opens with its program.
        const qsizetype punto = r.lastIndexOf(u'.');
        const QString estensione = punto > 0 && r.size() - punto <= 16 ? r.mid(punto) : QString();
        QString radice = r.left(r.size() - estensione.size());
        while (!radice.isEmpty() && !EntraNeiLimiti(radice + estensione))
            radice.chop(1);
        r = Testo::Trim(radice) + estensione;
    }
    if (r == u"." || r == u".." || !EntraNeiLimiti(r))
        return QString();
    return r;
}

Voce Stato(const QString &percorso)
{
    struct stat s;
    if (::lstat(QFile::encodeName(percorso).constData(), &s) != 0)
        return errno == ENOENT ? Voce::Assente : Voce::Altro;
    if (S_ISLNK(s.st_mode))
        return Voce::Collegamento;
    return S_ISREG(s.st_mode) ? Voce::File : Voce::Altro;
}

Esito Copia(const QString &sorgente, const QString &cartella, const QString &nome, int *errore)
{
    if (errore)
        *errore = 0;
    QFile in(sorgente);
    if (!in.open(QIODevice::ReadOnly))
        return Esito::SorgenteIlleggibile;
    struct stat st {};
    if (::fstat(in.handle(), &st) != 0)
        return Esito::SorgenteIlleggibile;
    // Private, and never wider than the file picked: a 0400 file stays 0400.
    const mode_t modo = (st.st_mode & (S_IRUSR | S_IWUSR)) | S_IRUSR;

    bool letturaFallita = false;
    const EsitoSostituzione esito = SostituisciFile(QDir(cartella).filePath(nome), [&](int fd) {
        ScritturaInCoda coda(fd);
        char buffer[64 * 1024];
        for (;;) {
            const qint64 letti = in.read(buffer, sizeof buffer);
            if (letti < 0) {
                letturaFallita = true;
                errno = EIO;
                return false;
            }
            if (letti == 0)
                break;
            if (!coda.Scrivi(buffer, letti))
                return false;
        }
        return ::fchmod(fd, modo) == 0;
    });
    if (esito || esito.sostituito)
        return Esito::Copiato;
    if (letturaFallita)
        return Esito::SorgenteIlleggibile;
    if (errore)
        *errore = esito.errore;
    return Esito::ScritturaFallita;
}

} // namespace Allegati
