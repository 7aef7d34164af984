// The check of an attachment name, on the names a record holds (trimmed, as
// the attachments dialog takes them) and on any text: a name passes only when
// joined to the attachment folder it names a file right inside it, and it is
// refused exactly when it is empty, "." or "..", starts with ":" (Qt's
// resource prefix), or holds "/", "\" or NUL.
#include "register/Allegati.h"
#include "register/Scheda.h"
#include "platform/Testo.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <cstring>

namespace {

void Prova(const QString &nome)
{
    static const QString cartella = QDir::cleanPath(QDir::tempPath() + QStringLiteral("/Valmora/") + Allegati::NomeCartella());
    const bool sicuro = Allegati::NomeSicuro(nome);
    const bool vietato = nome.isEmpty() || nome == u"." || nome == u".." || nome.startsWith(u':')
        || nome.contains(u'/') || nome.contains(u'\\') || nome.contains(QChar(0));
    if (sicuro == vietato)
        std::abort();
    if (!sicuro)
        return;
    const QString percorso = QDir(cartella).filePath(nome);
    if (percorso != cartella + u'/' + nome || QDir::cleanPath(percorso) != percorso)
        std::abort();
    const QFileInfo f(percorso);
    if (f.absolutePath() != cartella || f.fileName() != nome)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    Prova(QString::fromUtf8(reinterpret_cast<const char *>(dati), qsizetype(n)));
    TScheda s;
    std::memcpy(s.byte.data(), dati, std::min(n, size_t(TScheda::Dimensione)));
    for (Campo c : {Campo::File01, Campo::File02, Campo::File03}) {
        Prova(s.Testo(c));
        Prova(Testo::Trim(s.Testo(c)));
    }
    return 0;
}
