#pragma once

#include <QString>

class QWidget;

// The editor's identifier button: for an empty text nothing, for digits only
// the VAT number check, for anything else the tax code check.
void ApriVerificaIdentificativo(QWidget *chiamante, const QString &testo);
