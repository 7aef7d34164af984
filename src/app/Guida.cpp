#include "app/Guida.h"
#include "ui_Guida.h"

#include "platform/Desktop.h"
#include "platform/Finestre.h"
#include "platform/Immagini.h"
#include "platform/OpenURL.h"

namespace {
// The dialog's client area; with the caption and border the window is 676 x 598.
constexpr QSize kDimensione(670, 572);
} // namespace

TfrmGuida::TfrmGuida(QWidget *parent) : Differita(parent, Finestre::CorniceFissa)
{
    setObjectName(QStringLiteral("TfrmGuida"));
}

void TfrmGuida::Costruisci()
{
    ui = std::make_unique<Ui::TfrmGuida>();
    ui->setupUi(this);
    setWindowFlags(Finestre::CorniceFissa);
    setFixedSize(kDimensione);
    Immagini::ImpostaSu(ui->imgLogo, QStringLiteral(":/img/logo.svg"));
    Immagini::ImpostaSu(ui->imgPDF, QStringLiteral(":/img/pdf.svg"));
    ui->lnkWeb->Associa(ui->imgPDF);
    connect(ui->lnkWeb, &Collegamento::cliccato, this, &TfrmGuida::lnkWebClick);
    connect(ui->btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);
}

TfrmGuida::~TfrmGuida() = default;

void TfrmGuida::Mostra(QWidget *chiamante, const QString &titolo, const QString &testo)
{
    std::unique_ptr<TfrmGuida> guida = std::make_unique<TfrmGuida>(chiamante);
    guida->ImpostaArgomento(titolo, testo);
    Desktop::Corrente().MostraModale(guida.get());
}

void TfrmGuida::ImpostaArgomento(const QString &titolo, const QString &testo)
{
    Completa();
    ui->lblTitolo->setText(titolo);
    // The topics separate paragraphs with "\r\n"; the text box wants plain line feeds.
    QString t = testo;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    ui->txtGuida->setPlainText(t);
    ui->txtGuida->moveCursor(QTextCursor::Start);
}

QString TfrmGuida::PercorsoGuidaPdf()
{
    return u'"' + Desktop::Corrente().CartellaProgramma() + QStringLiteral("/Guida.pdf\"");
}

void TfrmGuida::showEvent(QShowEvent *e)
{
    setFixedSize(kDimensione);
    Finestre::CentraSulloSchermo(this);
    QDialog::showEvent(e);
}

void TfrmGuida::lnkWebClick()
{
    TMisc::Open(PercorsoGuidaPdf());
}

void TfrmGuida::btnChiudiClick()
{
    close();
}
