#include "register/Archivio.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>
#include <memory>

ErroreArchivio::ErroreArchivio(const QString &dettaglio)
    : std::runtime_error(dettaglio.toStdString())
{
}

QString Archivio::NomeFile() { return QStringLiteral("Operazioni_Pagamenti.pro"); }

QString Archivio::Percorso(const QString &cartella)
{
    return QDir(cartella).filePath(NomeFile());
}

Archivio::Archivio(QString percorso) : m_percorso(std::move(percorso)) {}

Archivio::~Archivio()
{
    if (m_file.isOpen())
        m_file.close();
}

void Archivio::ApriArchivio()
{
    m_file.setFileName(m_percorso);
    // Open an existing file as it is; only a missing one may be created, and
    // then without ever truncating something that appeared meanwhile.
    if (m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        m_posizione = 0;
        return;
    }
    if (QFileInfo::exists(m_percorso))
        throw ErroreArchivio(QStringLiteral("apertura: ") + m_file.errorString());
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::NewOnly)
        && !m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        throw ErroreArchivio(QStringLiteral("creazione: ") + m_file.errorString());
    m_posizione = 0;
}

qint64 Archivio::NumeroSchede() const
{
    if (!m_file.isOpen())
        return 0;
    return m_file.size() / TScheda::Dimensione;
}

TScheda Archivio::LeggiScheda(qint64 indice)
{
    if (!m_file.isOpen() || indice < 0 || indice >= NumeroSchede())
        throw ErroreArchivio(QStringLiteral("lettura fuori dall'archivio"));
    TScheda s;
    if (!m_file.seek(indice * TScheda::Dimensione)
        || m_file.read(s.byte.data(), TScheda::Dimensione) != TScheda::Dimensione)
        throw ErroreArchivio(QStringLiteral("lettura: ") + m_file.errorString());
    m_posizione = indice + 1;
    return s;
}

void Archivio::ScriviScheda(qint64 indice, const TScheda &s)
{
    if (!m_file.isOpen() || indice < 0 || indice > NumeroSchede())
        throw ErroreArchivio(QStringLiteral("scrittura fuori dall'archivio"));
    if (!m_file.seek(indice * TScheda::Dimensione)
        || m_file.write(s.byte.data(), TScheda::Dimensione) != TScheda::Dimensione
        || !m_file.flush())
        throw ErroreArchivio(QStringLiteral("scrittura: ") + m_file.errorString());
    m_posizione = indice + 1;
}

void Archivio::Chiudi()
{
    if (!m_file.isOpen())
        return;
    const bool svuotato = m_file.flush();
    m_file.close();
    if (!svuotato || m_file.error() != QFileDevice::NoError)
        throw ErroreArchivio(QStringLiteral("chiusura: ") + m_file.errorString());
}

void ScorriArchivio(const QString &percorso,
                    const std::function<bool(const TScheda &, qint64 indice)> &visita)
{
    Archivio a(percorso);
    a.ApriArchivio();
    const qint64 n = a.NumeroSchede();
    a.Chiudi();
    if (n == 0)
        return;

    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        throw ErroreArchivio(QStringLiteral("apertura: ") + f.errorString());
    constexpr qint64 kBlocco = 256; // records per read: about 600 KB
    auto buffer = std::make_unique<char[]>(size_t(kBlocco * TScheda::Dimensione));
    TScheda s;
    qint64 indice = 0;
    while (indice < n) {
        const qint64 quante = std::min(kBlocco, n - indice);
        const qint64 voluti = quante * TScheda::Dimensione;
        if (f.read(buffer.get(), voluti) != voluti)
            throw ErroreArchivio(QStringLiteral("lettura: ") + f.errorString());
        for (qint64 k = 0; k < quante; ++k, ++indice) {
            std::memcpy(s.byte.data(), buffer.get() + k * TScheda::Dimensione, TScheda::Dimensione);
            if (!visita(s, indice)) {
                f.close();
                return;
            }
        }
    }
    f.close();
}
