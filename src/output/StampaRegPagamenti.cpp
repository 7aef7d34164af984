#include "output/StampaRegPagamenti.h"
#include "ui_StampaRegPagamenti.h"

#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "platform/Testo.h"

#include <QLineEdit>

namespace {
// The sheet's value objects bear the names of the editor's edits they show.
const char16_t *const Valori[] = {
    u"txtFornitore", u"txtCodFisc", u"txtNumDoc", u"txtDataDoc", u"txtData",
    u"txtCodice", u"txtTipologia", u"txtServizi", u"txtDettagli", u"txtDovuto",
    u"txtAcconto", u"txtSaldo", u"txtNote",
};
} // namespace

TfrmStampaRegPagamenti::TfrmStampaRegPagamenti(QWidget *parent) : Differita(parent)
{
    setObjectName(QStringLiteral("TfrmStampaRegPagamenti"));
}

void TfrmStampaRegPagamenti::Costruisci()
{
    ui = std::make_unique<Ui::TfrmStampaRegPagamenti>();
    ui->setupUi(this);
    // Fixed border, caption only: the dialog closes through its own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(364, 287);
    connect(ui->btnStampa, &QPushButton::clicked, this, &TfrmStampaRegPagamenti::btnStampaClick);
    connect(ui->btnAnnulla, &QPushButton::clicked, this, &TfrmStampaRegPagamenti::btnAnnullaClick);
    repDocumento = Report::Carica(QStringLiteral(":/reports/scheda.json"));
}

TfrmStampaRegPagamenti::~TfrmStampaRegPagamenti() = default;

const Report *TfrmStampaRegPagamenti::Documento()
{
    Completa();
    return repDocumento ? &*repDocumento : nullptr;
}

void TfrmStampaRegPagamenti::Compila()
{
    if (PaginaReport *pagina = repDocumento->Pagina(QStringLiteral("Page1")))
        pagina->orientamento = QPageLayout::Portrait;

    QWidget *editor = Schermate::Globali().frmRegPagamenti;
    // An editor never shown still has its form's values (the amounts' "0,00").
    Completabile::CompletaSeDifferita(editor);
    for (const char16_t *nome : Valori) {
        const QString n = QString::fromUtf16(nome);
        OggettoReport *valore = repDocumento->Oggetto(n);
        if (!valore)
            continue;
        const QLineEdit *campo = editor ? editor->findChild<QLineEdit *>(n) : nullptr;
        valore->ImpostaTesto(campo ? Testo::Trim(campo->text()) : QString());
    }

    if (OggettoReport *calce = repDocumento->Oggetto(QStringLiteral("txtCalce"))) {
        const QDateTime adesso = Desktop::Corrente().Adesso();
        calce->ImpostaTesto(QStringLiteral("Stampa eseguita in data ") + Testo::FormattaData(adesso.date())
                            + QStringLiteral(" alle ore ") + adesso.time().toString(u"hh:mm:ss"));
    }
}

void TfrmStampaRegPagamenti::btnStampaClick()
{
    if (repDocumento) {
        Compila();
        repDocumento->Prepara();
        repDocumento->Stampa(this);
    }
    // Closes whether the user printed or cancelled the print dialog.
    close();
}

void TfrmStampaRegPagamenti::btnAnnullaClick() { close(); }
