#pragma once
// What a result list may ask of the screen that shows records: the lists know
// the register through this alone, and the register does not know the lists.

#include "register/Scheda.h"

class VisoreScheda {
public:
    virtual ~VisoreScheda() = default;

    // Called before a record replaces the shown one: asks what to do with
    // edits not yet saved. False when the shown record must stay (the user
    // withdrew, or the save he asked for failed).
    virtual bool LasciaScheda() = 0;
    // Loads the record with 0-based index indice.
    virtual void MostraScheda(const TScheda &s, qint64 indice) = 0;

protected:
    VisoreScheda() = default;
    VisoreScheda(const VisoreScheda &) = default;
    VisoreScheda &operator=(const VisoreScheda &) = default;
};
