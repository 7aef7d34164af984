#include "checks/Verifica.h"

#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "platform/Desktop.h"
#include "platform/Testo.h"

#include <memory>

void ApriVerificaIdentificativo(QWidget *chiamante, const QString &testo)
{
    const QString t = Testo::Trim(testo);
    std::unique_ptr<QDialog> dialogo;
    if (!t.isEmpty() && Testo::SoloCifre(t)) {
        auto piva = std::make_unique<TfrmPartitaIva>(chiamante);
        piva->ImpostaPartitaIva(t);
        dialogo = std::move(piva);
    } else {
        auto cf = std::make_unique<TfrmCodFisc>(chiamante);
        cf->ImpostaCodFisc(t);
        dialogo = std::move(cf);
    }
    Desktop::Corrente().MostraModale(dialogo.get());
}
