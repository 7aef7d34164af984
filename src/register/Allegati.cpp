#include "register/Allegati.h"

#include <QFile>
#include <QSaveFile>

namespace Allegati {

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

bool Copia(const QString &sorgente, const QString &destinazione)
{
    QFile in(sorgente);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(destinazione);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 letti = in.read(buffer, sizeof buffer);
        if (letti < 0) {
            out.cancelWriting();
            return false;
        }
        if (letti == 0)
            break;
        if (out.write(buffer, letti) != letti) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

} // namespace Allegati
