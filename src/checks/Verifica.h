#pragma once

#include <QString>

class QWidget;

// The editor's identifier button. The text is trimmed; digits only open the
// VAT number check with it, anything else (an empty text included) the tax
// code check. The dialog is created for this one use, owned by the caller,
// shown modally and destroyed when it closes.
void ApriVerificaIdentificativo(QWidget *chiamante, const QString &testo);
