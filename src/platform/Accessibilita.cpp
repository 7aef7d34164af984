#include "platform/Accessibilita.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>

namespace Accessibilita {

void NominaParti(QCalendarWidget *calendario)
{
    const struct {
        const char *oggetto;
        QString nome;
    } parti[] = {
        {"qt_calendar_prevmonth", QStringLiteral("Mese precedente")},
        {"qt_calendar_nextmonth", QStringLiteral("Mese successivo")},
        {"qt_calendar_yearedit", QStringLiteral("Anno")},
        {"qt_calendar_calendarview", QStringLiteral("Giorni del mese")},
    };
    for (const auto &p : parti)
        if (auto *w = calendario->findChild<QWidget *>(QLatin1String(p.oggetto)))
            w->setAccessibleName(p.nome);
    // These two show the month and the year as their text, which is their
    // name; the description says what pressing them does.
    if (auto *w = calendario->findChild<QWidget *>(QStringLiteral("qt_calendar_monthbutton")))
        w->setAccessibleDescription(QStringLiteral("Scegli il mese"));
    if (auto *w = calendario->findChild<QWidget *>(QStringLiteral("qt_calendar_yearbutton")))
        w->setAccessibleDescription(QStringLiteral("Cambia l'anno"));
}

void NominaParti(QComboBox *tendina)
{
    const QString nome = tendina->accessibleName();
    if (QLineEdit *riga = tendina->lineEdit())
        riga->setAccessibleName(nome);
    if (QAbstractItemView *elenco = tendina->view())
        elenco->setAccessibleName(nome);
}

} // namespace Accessibilita
