#include "checks/Verifica.h"

void ApriVerificaIdentificativo(QWidget *chiamante, const QString &testo)
{
    Q_UNUSED(chiamante);
    Q_UNUSED(testo);
}
