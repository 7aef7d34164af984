#pragma once
// A fragment of text looked for in the stored windows-1252 bytes of a field,
// ASCII letters in any case: the same answer as
//   MinuscoloAscii(DecodificaCp1252(campo)).contains(MinuscoloAscii(testo))
// without building either text, so that a scan of every record decodes
// nothing for the records that do not match.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class FrammentoCp1252 {
public:
    explicit FrammentoCp1252(const QString &testo);
    bool In(QByteArrayView campo) const;

private:
    QByteArray m_byte;      // the fragment encoded, ASCII letters lowered
    bool m_possibile = true; // false when a character has no byte in the code page
};
