#include "checks/Verifica.h"

#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "platform/Desktop.h"
#include "platform/Testo.h"

#include <memory>

std::optional<QString> ApriVerificaIdentificativo(QWidget *chiamante, const QString &testo)
{
    const QString t = Testo::Trim(testo);
    std::optional<QString> valido;
    if (!t.isEmpty() && Testo::SoloCifre(t)) {
        auto piva = std::make_unique<TfrmPartitaIva>(chiamante);
        piva->ImpostaPartitaIva(t);
        Desktop::Corrente().MostraModale(piva.get());
        valido = piva->Valido();
    } else {
        auto cf = std::make_unique<TfrmCodFisc>(chiamante);
        cf->ImpostaCodFisc(t);
        Desktop::Corrente().MostraModale(cf.get());
        valido = cf->Valido();
    }
    if (valido && *valido != t)
        return valido;
    return std::nullopt;
}
