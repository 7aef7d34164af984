#include "platform/OpenURL.h"

#include "platform/Desktop.h"

#include <QDir>
#include <QUrl>

void TMisc::Open(const QString &bersaglio)
{
    QString t = bersaglio;
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        t = t.mid(1, t.size() - 2);
    if (t.isEmpty())
        return;
    const QUrl url = QDir::isAbsolutePath(t) ? QUrl::fromLocalFile(t) : QUrl(t);
    Desktop::Corrente().ApriUrl(url);
}
