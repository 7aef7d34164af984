#include "platform/Frammento.h"

#include "platform/Testo.h"

namespace {

char Minuscolo(char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; }

} // namespace

FrammentoCp1252::FrammentoCp1252(const QString &testo)
{
    // Decoding maps every byte to a character of its own, so a character
    // outside that set can occur in no field.
    for (QChar c : testo)
        if (!Testo::InCp1252(c))
            m_possibile = false;
    if (m_possibile)
        m_byte = Testo::CodificaCp1252(Testo::MinuscoloAscii(testo));
}

bool FrammentoCp1252::In(QByteArrayView campo) const
{
    const qsizetype m = m_byte.size();
    if (!m_possibile || campo.size() < m)
        return false;
    if (m == 0)
        return true;
    // Each byte lowered as it is compared, the field never copied: a scan of
    // every record calls this for each of them.
    const char *h = campo.data();
    const char *ago = m_byte.constData();
    const char primo = ago[0];
    const char primoMaiuscolo = (primo >= 'a' && primo <= 'z') ? char(primo - ('a' - 'A')) : primo;
    const qsizetype ultimo = campo.size() - m;
    for (qsizetype i = 0; i <= ultimo; ++i) {
        if (h[i] != primo && h[i] != primoMaiuscolo)
            continue;
        qsizetype j = 1;
        while (j < m && Minuscolo(h[i + j]) == ago[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}
