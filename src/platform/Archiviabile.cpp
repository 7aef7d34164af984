#include "platform/Archiviabile.h"

#include "platform/Testo.h"

namespace Archiviabile {

namespace {

bool Combinante(char32_t c)
{
    const auto cat = QChar::category(c);
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining
           || cat == QChar::Mark_Enclosing;
}

bool Invisibile(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

bool TuttoInCp1252(const QString &s)
{
    for (const QChar c : s)
        if (!Testo::InCp1252(c))
            return false;
    return true;
}

} // namespace

QString NomeCarattere(char32_t c)
{
    const QString codice = QStringLiteral("U+") + QString::number(quint32(c), 16).toUpper().rightJustified(4, u'0');
    if (Invisibile(c))
        return codice;
    return u'"' + QString::fromUcs4(&c, 1) + QStringLiteral("\" (") + codice + u')';
}

Esito Rendi(const QString &testo)
{
    Esito e;
    e.testo.reserve(testo.size());
    const QList<uint> punti = testo.toUcs4();
    for (qsizetype i = 0; i < punti.size();) {
        // A character together with the combining marks that follow it.
        qsizetype fine = i + 1;
        while (fine < punti.size() && Combinante(punti.at(fine)))
            ++fine;
        const QString gruppo = QString::fromUcs4(reinterpret_cast<const char32_t *>(punti.constData() + i),
                                                 fine - i);
        if (TuttoInCp1252(gruppo)) {
            e.testo += gruppo;
            i = fine;
            continue;
        }
        const QString composto = gruppo.normalized(QString::NormalizationForm_C);
        if (TuttoInCp1252(composto)) {
            QStringList parti;
            for (qsizetype k = i; k < fine; ++k)
                parti << NomeCarattere(punti.at(k));
            e.sostituiti << parti.join(QStringLiteral(" + ")) + QStringLiteral(" con \"") + composto + u'"';
            e.testo += composto;
            i = fine;
            continue;
        }
        // What the code page holds of the group stays; the rest goes.
        for (const char32_t c : composto.toUcs4()) {
            const QString uno = QString::fromUcs4(&c, 1);
            if (TuttoInCp1252(uno)) {
                e.testo += uno;
            } else if (const QString nome = NomeCarattere(c); !e.tolti.contains(nome)) {
                e.tolti << nome;
            }
        }
        i = fine;
    }
    return e;
}

} // namespace Archiviabile
