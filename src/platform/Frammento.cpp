#include "platform/Frammento.h"

#include "platform/Testo.h"

#include <QVarLengthArray>
#include <string_view>

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
    if (!m_possibile || campo.size() < m_byte.size())
        return false;
    if (m_byte.isEmpty())
        return true;
    QVarLengthArray<char, 256> minuscolo(campo.size());
    for (qsizetype i = 0; i < campo.size(); ++i)
        minuscolo[i] = Minuscolo(campo[i]);
    const std::string_view dove(minuscolo.constData(), size_t(minuscolo.size()));
    return dove.find(std::string_view(m_byte.constData(), size_t(m_byte.size()))) != std::string_view::npos;
}
