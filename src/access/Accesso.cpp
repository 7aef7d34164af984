#include "access/Accesso.h"

#include "access/Crypt.h"
#include "platform/Testo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

namespace Accesso {

namespace {
const QString kChiave = QStringLiteral("Accesso/Valore");

// The file opens for writing and its folder takes the temporary copy that
// replaces it.
bool Scrivibile(const QString &percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    file.close();
    QTemporaryFile prova(percorso + QStringLiteral(".XXXXXX"));
    return prova.open();
}
} // namespace

QString Percorso(const QString &cartellaProgramma)
{
    return QDir(cartellaProgramma).filePath(NomeArchivio.toString());
}

QString FormaNormale(const QString &testo)
{
    return Testo::Trim(Testo::MaiuscoloAscii(testo));
}

QString LeggiPassword(const QString &percorso)
{
    QSettings ini(percorso, QSettings::IniFormat);
    const QVariant v = ini.value(kChiave);
    if (ini.status() != QSettings::NoError)
        throw ErroreAccesso("archivio della password illeggibile");
    // A value holding commas comes back as a list: rejoin it, so that it fails
    // below as the non-hexadecimal text it is.
    const QString valore = v.typeId() == QMetaType::QStringList ? v.toStringList().join(u',')
                                                                 : v.toString();
    try {
        return Testo::Trim(Crypt::DecodificaPassword(valore));
    } catch (const Crypt::ErroreDecodifica &) {
        throw ErroreAccesso("valore della password non esadecimale");
    }
}

bool Verifica(const QString &percorso, const QString &digitata)
{
    const QString memorizzata = LeggiPassword(percorso);
    const QString normale = FormaNormale(digitata);
    return !normale.isEmpty() && normale == memorizzata;
}

Ammissibilita Controlla(const QString &nuova)
{
    const QString normale = FormaNormale(nuova);
    if (normale.isEmpty())
        return Ammissibilita::Vuota;
    if (normale.size() > LunghezzaMassima)
        return Ammissibilita::TroppoLunga;
    for (QChar c : normale)
        if (c.unicode() > CodiceMassimo)
            return Ammissibilita::CaratteriNonAmmessi;
    return Ammissibilita::Ammessa;
}

void ScriviPassword(const QString &percorso, const QString &nuova)
{
    if (Controlla(nuova) != Ammissibilita::Ammessa)
        throw ErroreAccesso("password non ammessa");
    if (!QFileInfo(percorso).isFile())
        throw ErroreAccesso("archivio della password mancante");
    QSettings ini(percorso, QSettings::IniFormat);
    const QVariant prima = ini.value(kChiave);
    if (ini.status() != QSettings::NoError)
        throw ErroreAccesso("archivio della password illeggibile");
    // QSettings keeps a change that failed to reach the disk in its process-wide
    // cache, where later readings would see it as if it were stored. Find out
    // before changing anything whether the file and its folder take a write.
    if (!Scrivibile(percorso))
        throw ErroreAccesso("archivio della password non scrivibile");
    ini.setValue(kChiave, Crypt::CodificaPassword(FormaNormale(nuova)));
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        // Put the cached value back to what the file still holds.
        if (prima.isValid())
            ini.setValue(kChiave, prima);
        else
            ini.remove(kChiave);
        throw ErroreAccesso("archivio della password non scrivibile");
    }
}

} // namespace Accesso
