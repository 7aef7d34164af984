#include "app/TestiGuida.h"

#include <QStringList>

namespace TestiGuida {

QString TitoloRegistro() { return QStringLiteral("App Registro Spese"); }

QString TestoRegistro()
{
    const QStringList paragrafi = {
        QStringLiteral(
            "Il Registro Spese conserva in archivio tutti i pagamenti della famiglia: per ogni spesa "
            "una scheda con il documento, il beneficiario, il prodotto o servizio acquistato e gli "
            "importi."),
        QStringLiteral(
            "Per registrare una nuova spesa premere Nuovo, compilare la scheda e premere Salva. Sono "
            "obbligatori quattro campi: il nome del beneficiario, la data dell'operazione, il codice "
            "e la descrizione del prodotto o servizio acquistato. Mentre si scrive il beneficiario, il "
            "codice o la tipologia, sotto il campo compare l'elenco dei valori già registrati in "
            "archivio che cominciano con il testo scritto o lo contengono, senza distinguere maiuscole "
            "e minuscole, dai più usati: le frecce su e giù scelgono un valore, Invio lo riporta nel "
            "campo (soltanto in quello), Esc chiude l'elenco; nel campo vuoto la freccia giù mostra i "
            "valori più usati. Scelto in una scheda nuova un beneficiario già in archivio, il programma "
            "chiede se riportare codice fiscale, codice, tipologia e descrizione della sua ultima "
            "scheda: i dati vengono riportati soltanto rispondendo Sì."),
        QStringLiteral(
            "Il pulsante accanto al codice fiscale controlla il codice fiscale del beneficiario; se "
            "il campo contiene soltanto cifre, controlla la partita IVA."),
        QStringLiteral(
            "Per aggiornare una scheda già in archivio richiamarla con la ricerca oppure con le "
            "quattro frecce (prima, precedente, successiva, ultima), apportare le modifiche e "
            "premere Salva. Se nel frattempo un'altra copia del programma ha modificato la stessa "
            "scheda, prima di salvare viene chiesto se sovrascriverla, mostrarla o lasciarla com'è. "
            "Il comando Elimina toglie dall'archivio la scheda visualizzata, dopo averne "
            "chiesto conferma: le schede successive avanzano di una posizione. La scheda eliminata non va "
            "persa: resta nel file \"Schede_Eliminate.pro\" nella cartella del programma, e il pulsante "
            "\"Schede eliminate\" ne mostra l'elenco, dalla più recente, con la data di eliminazione; "
            "Ripristina riporta la scheda selezionata in fondo all'archivio. L'elenco si può stampare. I "
            "file allegati restano nella cartella dei documenti allegati."),
        QStringLiteral(
            "Il comando Duplica prepara una nuova scheda con gli stessi dati della scheda corrente, "
            "senza i file allegati: è sufficiente modificare ciò che cambia e premere Salva."),
        QStringLiteral(
            "Ogni scheda riporta numero e data del documento, beneficiario, codice fiscale, data "
            "dell'operazione, codice, tipologia, descrizione e dettagli del prodotto o servizio, "
            "gli importi e le note libere. Il pulsante Calcola ricava il saldo sottraendo l'acconto "
            "al totale dovuto. Le date si importano dal calendario, che si apre premendo un tasto "
            "nel campo della data: la data si può scegliere sul calendario oppure digitare, ad "
            "esempio 05/03/2024 o 05032024."),
        QStringLiteral(
            "Spuntare la casella \"Conto da saldare\" per ricordare che il conto deve essere ancora "
            "saldato; il pulsante dei conti da saldare ne elenca il riepilogo."),
        QStringLiteral(
            "La ricerca trova le schede indicando anche solo una parte del testo in uno o più "
            "campi; l'elenco dei risultati può essere stampato."),
        QStringLiteral(
            "Ad ogni scheda si possono allegare fino a tre file, ciascuno con una breve "
            "descrizione: i file vengono copiati nella cartella dei documenti allegati del "
            "programma."),
        QStringLiteral(
            "Il comando Stampa stampa la scheda corrente; il comando Esporta salva l'intero "
            "registro in un file di Microsoft Excel."),
    };
    return paragrafi.join(QStringLiteral("\r\n\r\n"));
}

} // namespace TestiGuida
