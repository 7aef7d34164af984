#include "FakeDesktop.h"

#include <QDir>
#include <QPrinter>

FakeDesktop::FakeDesktop() = default;
FakeDesktop::~FakeDesktop() = default;

QString FakeDesktop::percorso(const QString &nome) const { return QDir(cartella.path()).filePath(nome); }

void FakeDesktop::Messaggio(Tipo tipo, const QString &testo, QWidget *)
{
    Voce::Genere g = Voce::Informazione;
    if (tipo == Tipo::Avviso)
        g = Voce::Avviso;
    else if (tipo == Tipo::Errore)
        g = Voce::Errore;
    messaggi.append({g, testo});
}

bool FakeDesktop::Domanda(const QString &testo, QWidget *)
{
    messaggi.append({Voce::Domanda, testo});
    return risposte.isEmpty() ? true : risposte.dequeue();
}

Desktop::Scelta FakeDesktop::DomandaConAnnulla(const QString &testo, QWidget *)
{
    messaggi.append({Voce::DomandaConAnnulla, testo});
    return scelte.isEmpty() ? Scelta::No : scelte.dequeue();
}

void FakeDesktop::MessaggioSemplice(const QString &testo, QWidget *)
{
    messaggi.append({Voce::Semplice, testo});
}

std::optional<QString> FakeDesktop::InputBox(const QString &titolo, const QString &richiesta,
                                             const QString &valore, QWidget *)
{
    titoloInput = titolo;
    richiestaInput = richiesta;
    valoreInput = valore;
    messaggi.append({Voce::InputBox, richiesta});
    return inputBox.isEmpty() ? std::nullopt : inputBox.dequeue();
}

QString FakeDesktop::ApriFile(const QString &titolo, const QString &filtro, QWidget *)
{
    titoloFile = titolo;
    filtroFile = filtro;
    return fileScelti.isEmpty() ? QString() : fileScelti.dequeue();
}

int FakeDesktop::MostraModale(QDialog *dialogo)
{
    modali.append(dialogo);
    if (!quandoModale)
        return QDialog::Rejected;
    dialogo->show();
    const int r = quandoModale(dialogo);
    if (dialogo->isVisible())
        dialogo->hide();
    return r;
}

bool FakeDesktop::DialogoStampa(QPrinter &stampante, QWidget *)
{
    ++dialoghiStampa;
    if (nelDialogoStampa)
        nelDialogoStampa(stampante);
    return stampaAccettata;
}

void FakeDesktop::PreparaLavoroStampa(QPrinter &stampante)
{
    const QString f = percorso(QStringLiteral("stampa-%1.pdf").arg(stampe.size() + 1));
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(f);
    stampe.append(f);
}

void FakeDesktop::ApriUrl(const QUrl &url) { aperti.append(url); }

void FakeDesktop::InizioLavoro(QWidget *finestra, const QString &testo)
{
    ++lavoriInCorso;
    lavori.append({testo, finestra, {}, false});
}

void FakeDesktop::AvanzamentoLavoro(QWidget *, int percento)
{
    if (!lavori.isEmpty())
        lavori.last().avanzamenti.append(percento);
}

void FakeDesktop::FineLavoro(QWidget *)
{
    --lavoriInCorso;
    if (!lavori.isEmpty())
        lavori.last().finito = true;
}
