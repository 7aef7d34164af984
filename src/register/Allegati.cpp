#include "register/Allegati.h"

#include "platform/Testo.h"
#include "register/Scheda.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

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

Esito Copia(const QString &sorgente, const QString &cartella, const QString &nome)
{
    QFile in(sorgente);
    if (!in.open(QIODevice::ReadOnly))
        return Esito::SorgenteIlleggibile;

    // A hidden name of its own in the folder, created only if nothing is
    // there (so never through a link).
    QFile temp;
    for (int tentativo = 0;; ++tentativo) {
        temp.setFileName(QDir(cartella).filePath(
            QStringLiteral(".valmora-%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'))));
        if (temp.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (tentativo == 20 || Stato(temp.fileName()) == Voce::Assente)
            return Esito::ScritturaFallita;
    }
    const auto abbandona = [&temp](Esito e) {
        temp.close();
        ::unlink(QFile::encodeName(temp.fileName()).constData());
        return e;
    };

    char buffer[64 * 1024];
    for (;;) {
        const qint64 letti = in.read(buffer, sizeof buffer);
        if (letti < 0)
            return abbandona(Esito::SorgenteIlleggibile);
        if (letti == 0)
            break;
        if (temp.write(buffer, letti) != letti)
            return abbandona(Esito::ScritturaFallita);
    }
    if (!temp.flush() || ::fsync(temp.handle()) != 0)
        return abbandona(Esito::ScritturaFallita);
    temp.close();
    if (temp.error() != QFileDevice::NoError)
        return abbandona(Esito::ScritturaFallita);
    const QByteArray destinazione = QFile::encodeName(QDir(cartella).filePath(nome));
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), destinazione.constData()) != 0)
        return abbandona(Esito::ScritturaFallita);
    // The new name itself reaches the disk.
    const int dir = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return Esito::Copiato;
}

} // namespace Allegati
