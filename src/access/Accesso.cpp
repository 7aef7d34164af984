#include "access/Accesso.h"

#include "access/Crypt.h"
#include "access/FileIni.h"
#include "platform/Descrittore.h"
#include "platform/SostituzioneSicura.h"
#include "platform/Testo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Accesso {

namespace {

constexpr QByteArrayView kSezione = "Accesso";
constexpr QByteArrayView kChiave = "Valore";
// A store is a few lines: anything far larger is not one.
constexpr qint64 kDimensioneMassima = 1 << 20;

// The bytes of the store. Opened without blocking and checked on the open
// descriptor, so a FIFO or a device put in its place is refused at once
// rather than waited on or read without end.
QByteArray LeggiFile(const QString &percorso)
{
    const QByteArray nome = QFile::encodeName(percorso);
    struct stat st {};
    if (::stat(nome.constData(), &st) != 0)
        throw StoreNonValido("archivio della password mancante");
    if (!S_ISREG(st.st_mode))
        throw StoreNonValido("archivio della password non è un file");
    Descrittore f(::open(nome.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (f.fd() < 0 || ::fstat(f.fd(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kDimensioneMassima)
        throw StoreNonValido("archivio della password illeggibile");
    QByteArray dati;
    char blocco[4096];
    for (;;) {
        const ssize_t n = ::read(f.fd(), blocco, sizeof blocco);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw StoreNonValido("archivio della password illeggibile");
        if (n == 0)
            break;
        dati.append(blocco, n);
        if (dati.size() > kDimensioneMassima)
            throw StoreNonValido("archivio della password illeggibile");
    }
    return dati;
}

// Puts the new bytes in place of the file by the safe replace, so a failure
// at any moment leaves one whole store; the new store is private (0600). A
// symbolic link keeps pointing at the store: its target is what gets replaced.
void Sostituisci(const QString &percorso, QByteArrayView contenuto)
{
    const QString reale = QFileInfo(percorso).canonicalFilePath();
    if (reale.isEmpty())
        throw StoreNonValido("archivio della password mancante");
    const QByteArray nome = QFile::encodeName(reale);
    struct stat st {};
    if (::stat(nome.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        throw StoreNonValido("archivio della password non è un file");
    // A store the user made read-only stays as it is.
    {
        Descrittore prova(::open(nome.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (prova.fd() < 0)
            throw ErroreAccesso("archivio della password non scrivibile");
    }
    const EsitoSostituzione esito = SostituisciFile(reale, contenuto);
    // Only the folder's sync failed: the new store is the one in force.
    if (!esito && !esito.sostituito)
        throw ErroreAccesso("archivio della password non scrivibile: " + esito.passo.toStdString());
}

} // namespace

QString Percorso(const QString &cartellaProgramma)
{
    return QDir(cartellaProgramma).filePath(NomeArchivio.toString());
}

QString MessaggioStoreNonValido(const QString &cartellaProgramma)
{
    return QStringLiteral("Attenzione: l'archivio della password \"%1\" nella cartella del programma (%2) "
                          "manca o è danneggiato, quindi nessuna password può essere verificata.\n\r\n\r"
                          "Per ripristinarlo si può ricopiare il file da una copia di sicurezza della "
                          "cartella del programma, oppure eliminarlo, se presente, e reinstallare il "
                          "programma: l'installazione lo ricrea con la password iniziale indicata nella "
                          "guida. Gli archivi dei pagamenti e i documenti allegati restano intatti.")
        .arg(NomeArchivio.toString(), QDir::toNativeSeparators(cartellaProgramma));
}

QString FormaNormale(const QString &testo)
{
    return Testo::Trim(Testo::MaiuscoloAscii(testo));
}

QString PasswordDaContenuto(QByteArrayView contenuto)
{
    const std::optional<FileIni::Valore> v = FileIni::TrovaValore(contenuto, kSezione, kChiave);
    if (!v)
        throw StoreNonValido("valore della password mancante");
    const QString valore = QString::fromLatin1(contenuto.sliced(v->inizio, v->lunghezza));
    QString password;
    try {
        password = Testo::Trim(Crypt::DecodificaPassword(valore));
    } catch (const Crypt::ErroreDecodifica &) {
        throw StoreNonValido("valore della password non esadecimale");
    }
    // The program never stores an empty password: an empty value is damage.
    if (password.isEmpty())
        throw StoreNonValido("valore della password vuoto");
    return password;
}

QByteArray ContenutoConPassword(QByteArrayView contenuto, const QString &nuova)
{
    const std::optional<FileIni::Valore> v = FileIni::TrovaValore(contenuto, kSezione, kChiave);
    if (!v)
        throw StoreNonValido("valore della password mancante");
    return FileIni::Sostituisci(contenuto, *v, Crypt::CodificaPassword(FormaNormale(nuova)).toLatin1());
}

QString LeggiPassword(const QString &percorso)
{
    return PasswordDaContenuto(LeggiFile(percorso));
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
    const QByteArray prima = LeggiFile(percorso);
    Sostituisci(percorso, ContenutoConPassword(prima, nuova));
}

} // namespace Accesso
