#pragma once
// A fingerprint of some fields of a record: each field's length and its
// stored bytes up to it, which is all a result line shows of the record. A
// view that reads its records back from the archive when they are shown keeps
// one per record, taken by its scan, and so knows a record that has changed
// since.

#include "register/Scheda.h"

#include <QtGlobal>
#include <span>
#include <vector>

class ImprontaScheda {
public:
    explicit ImprontaScheda(std::span<const Campo> campi);
    quint32 operator()(const TScheda &s) const;

private:
    struct Posto {
        int offset; // of the length byte
        int capacita;
    };
    std::vector<Posto> m_posti;
};
