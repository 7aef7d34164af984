#include "lists/TrovaInLista.h"

#include "platform/Testo.h"

namespace {

bool Contiene(const QString &riga, const QString &t)
{
    return !t.isEmpty() && Testo::MinuscoloAscii(riga).contains(t);
}

template <typename Righe>
int Trova(const Righe &righe, int selezionata, const QString &testo, QString &ultimoTesto)
{
    const int n = int(righe.size());
    if (n == 0)
        return -1;
    if (selezionata < 0 || selezionata >= n)
        selezionata = 0;

    const QString t = Testo::MinuscoloAscii(testo);
    int trovata = -1;
    int inizio = selezionata;
    if (t != ultimoTesto) {
        inizio = 0;
        if (Contiene(righe.at(0), t))
            trovata = 0;
    }
    for (int i = inizio; trovata < 0;) {
        i = (i + 1) % n;
        if (Contiene(righe.at(i), t))
            trovata = i;
        if (i == inizio)
            break;
    }
    ultimoTesto = t;
    return trovata >= 0 ? trovata : selezionata;
}

} // namespace

int TrovaRiga(const QStringList &righe, int selezionata, const QString &testo,
              QString &ultimoTesto)
{
    return Trova(righe, selezionata, testo, ultimoTesto);
}

int TrovaRiga(const TestiRighe &righe, int selezionata, const QString &testo,
              QString &ultimoTesto)
{
    return Trova(righe, selezionata, testo, ultimoTesto);
}
