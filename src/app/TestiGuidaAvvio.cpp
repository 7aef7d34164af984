#include "app/TestiGuida.h"

#include "access/Crypt.h"

#include <QStringList>

namespace TestiGuida {

QString TitoloAvvio() { return QStringLiteral("Uno sguardo a Valmora"); }

QString TestoAvvio()
{
    const QString iniziale = QString::fromUtf16(Crypt::PasswordIniziale);
    const QStringList paragrafi = {
        // What the program is for, and its three work areas.
        QStringLiteral("Valmora è il programma pensato per tenere sotto controllo, in modo semplice e immediato, "
                       "ogni pagamento della vita di tutti i giorni: bollette, affitto, spese mediche, "
                       "manutenzioni, acquisti e qualunque altra uscita della famiglia."),
        QStringLiteral("Con pochi clic si ottiene il riepilogo delle spese di qualsiasi periodo, filtrato per "
                       "beneficiario o per codice del prodotto o servizio, con il totale calcolato "
                       "automaticamente."),
        QStringLiteral("I grafici a torta o a barre tridimensionali mostrano l'andamento mensile delle uscite "
                       "dell'anno solare scelto, con i valori di ogni mese arrotondati all'euro."),
        // The register editor.
        QStringLiteral("Il Registro Spese è il cuore del programma: ogni pagamento diventa una scheda "
                       "dell'archivio, con il documento, il beneficiario, il prodotto o servizio, gli importi "
                       "e le note."),
        QStringLiteral("Per registrare un nuovo pagamento si preme Nuovo, si compilano i campi e si preme Salva. "
                       "Quattro campi sono obbligatori: il beneficiario, la data dell'operazione, il codice e la "
                       "descrizione del prodotto o servizio."),
        QStringLiteral("Il pulsante accanto al codice fiscale verifica il codice fiscale o la partita IVA del "
                       "beneficiario e segnala subito un carattere di controllo errato."),
        QStringLiteral("Per aggiornare una scheda la si richiama con la ricerca oppure scorrendo l'archivio con "
                       "le quattro frecce (prima, precedente, successiva, ultima), si modificano i dati e si "
                       "preme Salva. Una scheda registrata per errore o due volte si toglie con Elimina: non va "
                       "persa, ma passa tra le \"Schede eliminate\", da cui il pulsante Ripristina la riporta in "
                       "fondo all'archivio."),
        QStringLiteral("Il comando Duplica crea una nuova scheda a partire da quella visualizzata: è comodo per "
                       "le spese che si ripetono, come le rate o le utenze."),
        QStringLiteral("Ogni scheda riporta numero e data del documento, beneficiario, data dell'operazione, "
                       "dettagli e note. Il pulsante Calcola ricava il saldo come differenza fra il totale "
                       "dovuto e l'acconto versato."),
        QStringLiteral("La casella \"Conto da saldare\" segna i pagamenti non ancora chiusi; l'apposito pulsante "
                       "elenca in un attimo tutti i conti ancora da saldare."),
        QStringLiteral("La ricerca trova le schede a partire anche da una parte del valore cercato, in uno o più "
                       "campi insieme; l'elenco dei risultati si può stampare."),
        QStringLiteral("A ogni scheda si possono allegare fino a tre file, per esempio la fattura scansionata o la "
                       "ricevuta del bonifico, da riaprire in qualsiasi momento."),
        QStringLiteral("Ogni scheda si può stampare, e l'intero registro si può esportare in un foglio di calcolo "
                       "da aprire con Microsoft Excel o con un programma compatibile."),
        // The summary of outgoings.
        QStringLiteral("Il Riepilogo Uscite fornisce il prospetto dei pagamenti effettuati in un intervallo di "
                       "giorni a scelta, con il totale delle somme pagate."),
        QStringLiteral("Per ottenerlo si preme il pulsante Riepilogo Uscite del menu iniziale, si indicano "
                       "facoltativamente il beneficiario e il codice, poi la data di inizio e quella di fine, e "
                       "si preme \"Visualizza riepilogo\"."),
        QStringLiteral("Ogni riga del prospetto mostra la data dell'operazione, il codice e la descrizione del "
                       "prodotto o servizio, il beneficiario e l'importo pagato; in fondo compare il totale."),
        QStringLiteral("Lasciando vuoti i due filtri si ottengono tutti i pagamenti dell'intervallo; il pulsante "
                       "\"Stampa riepilogo\" stampa il prospetto."),
        // The annual charts.
        QStringLiteral("I Grafici Spese Annuali mostrano i totali mensili dell'anno solare scelto, sotto forma di "
                       "torta o di barre tridimensionali, con i valori arrotondati all'euro."),
        QStringLiteral("Per prima cosa si indica l'anno e si preme Apri."),
        QStringLiteral("Il grafico presenta dodici barre, una per mese; un pulsante in basso passa alla torta e un "
                       "altro riporta alle barre."),
        QStringLiteral("Il pulsante \"Stampa grafico\" stampa il grafico visualizzato insieme ai dati di ogni mese."),
        // Network, access, portability, closing.
        QStringLiteral("Valmora funziona anche in una rete locale: installato in una cartella condivisa, permette "
                       "di consultare e aggiornare gli stessi archivi da più postazioni."),
        QStringLiteral("L'accesso al programma è protetto da una password, che l'utente autorizzato può cambiare "
                       "in qualsiasi momento con il pulsante \"Cambia password\" della schermata di accesso. Al "
                       "primo accesso la password è %1; le lettere si possono scrivere indifferentemente maiuscole "
                       "o minuscole. Una nuova installazione nella stessa cartella conserva la password in vigore. "
                       "La password protegge le schermate del programma, non i dati: l'archivio dei pagamenti è un "
                       "file leggibile da chiunque possa aprire la cartella del programma, e la password vi è "
                       "conservata soltanto mascherata, non cifrata.").arg(iniziale),
        QStringLiteral("Tutti i dati stanno nella cartella del programma: l'archivio dei pagamenti, i documenti "
                       "allegati, le copie di sicurezza e l'archivio della password. Chi avvia Valmora con lo "
                       "script dei sorgenti la trova nella cartella Valmora della propria cartella personale. "
                       "Il programma si può usare anche da una chiavetta USB: basta copiarvi l'intera cartella del "
                       "programma. La stessa copia è anche il modo più rapido per fare il salvataggio di tutti "
                       "gli archivi, e per spostarli su un altro computer. Prima della prima modifica di ogni "
                       "giorno il programma copia l'archivio nella cartella Backup; il pulsante \"Copie di "
                       "sicurezza\" del menu iniziale elenca queste copie con data, numero di schede e "
                       "dimensione, e con Ripristina riporta l'archivio a una di esse, dopo averne conservato lo "
                       "stato attuale in una copia a sé, così che anche il ripristino si possa annullare."),
        QStringLiteral("Ordine, rapidità e nessuna spesa dimenticata: con Valmora il bilancio di casa è sempre "
                       "aggiornato, chiaro e a portata di mano, e ogni scelta di spesa diventa più "
                       "consapevole."),
    };
    return paragrafi.join(QStringLiteral("\r\n\r\n"));
}

} // namespace TestiGuida
