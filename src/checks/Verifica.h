#pragma once

#include <QString>
#include <optional>

class QWidget;

// The editor's identifier button. The text is trimmed; digits only open the
// VAT number check with it, anything else (an empty text included) the tax
// code check. The dialog is created for this one use, owned by the caller,
// shown modally and destroyed when it closes. Gives the identifier the user
// corrected in the dialog and found valid there, when it differs from the
// text handed over, so that the caller can offer to bring it back.
std::optional<QString> ApriVerificaIdentificativo(QWidget *chiamante, const QString &testo);
