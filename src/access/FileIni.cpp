#include "access/FileIni.h"

namespace FileIni {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

char Maiuscola(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool StessoNome(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Maiuscola(a[i]) != Maiuscola(b[i]))
            return false;
    return true;
}

// [inizio, fine) without the blanks at its two ends.
void Stringi(QByteArrayView t, qsizetype &inizio, qsizetype &fine)
{
    while (inizio < fine && Blank(t[inizio]))
        ++inizio;
    while (fine > inizio && Blank(t[fine - 1]))
        --fine;
}

} // namespace

std::optional<Valore> TrovaValore(QByteArrayView testo, QByteArrayView sezione, QByteArrayView chiave)
{
    qsizetype p = testo.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    bool dentro = false;
    while (p < testo.size()) {
        qsizetype fine = p;
        while (fine < testo.size() && testo[fine] != '\r' && testo[fine] != '\n')
            ++fine;
        const qsizetype prossima = fine + (fine + 1 < testo.size() && testo[fine] == '\r' && testo[fine + 1] == '\n' ? 2 : 1);

        qsizetype a = p, b = fine;
        Stringi(testo, a, b);
        if (a < b && testo[a] == '[') {
            const qsizetype chiusa = testo.sliced(a, b - a).indexOf(']');
            if (chiusa > 0) {
                qsizetype na = a + 1, nb = a + chiusa;
                Stringi(testo, na, nb);
                dentro = StessoNome(testo.sliced(na, nb - na), sezione);
            } else {
                dentro = false;
            }
        } else if (dentro && a < b && testo[a] != ';' && testo[a] != '#') {
            const qsizetype uguale = testo.sliced(a, b - a).indexOf('=');
            if (uguale >= 0) {
                qsizetype ka = a, kb = a + uguale;
                Stringi(testo, ka, kb);
                if (StessoNome(testo.sliced(ka, kb - ka), chiave)) {
                    qsizetype va = a + uguale + 1, vb = b;
                    Stringi(testo, va, vb);
                    if (vb - va >= 2 && testo[va] == '"' && testo[vb - 1] == '"') {
                        ++va;
                        --vb;
                    }
                    return Valore{va, vb - va};
                }
            }
        }
        p = prossima;
    }
    return std::nullopt;
}

QByteArray Sostituisci(QByteArrayView testo, Valore dove, QByteArrayView nuovo)
{
    QByteArray r;
    r.reserve(testo.size() - dove.lunghezza + nuovo.size());
    r.append(testo.first(dove.inizio));
    r.append(nuovo);
    r.append(testo.sliced(dove.inizio + dove.lunghezza));
    return r;
}

} // namespace FileIni
