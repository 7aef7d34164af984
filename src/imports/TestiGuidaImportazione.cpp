#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloImportazione() { return QStringLiteral("Importa movimenti da un estratto conto"); }

QString TestoImportazione()
{
    return QStringLiteral(
        "Il pulsante Importa movimenti del registro delle spese aggiunge all'archivio i pagamenti di un "
        "estratto conto scaricato dal sito della banca, senza scriverli a mano uno per uno. Sono letti i "
        "file CSV (con separatore punto e virgola, virgola o tabulazione), OFX e QFX, e QIF."
        "\r\n\r\n"
        "Dopo aver scelto il file con Scegli il file, la finestra dice il formato, la codifica e il "
        "separatore riconosciuti e mostra l'anteprima: ogni riga del file come diventerà una scheda (data "
        "dell'operazione, fornitore, descrizione, importo). Nulla viene scritto finché non si preme "
        "Importa le righe spuntate."
        "\r\n\r\n"
        "Per un file CSV le colonne sono scelte dall'intestazione del file e si possono cambiare con gli "
        "elenchi di Colonne del file: una sola colonna dell'importo con il segno (negativo per i "
        "pagamenti), oppure due colonne separate per gli addebiti e gli accrediti. Quando manca la data "
        "dell'operazione si usa la data valuta; quando manca il beneficiario si usa la prima parte della "
        "descrizione."
        "\r\n\r\n"
        "Diventano schede solo i soldi in uscita: le entrate sono mostrate in grigio e non si possono "
        "spuntare. Una riga che ha lo stesso importo di una scheda già in archivio, una data vicina (entro "
        "i giorni di Tolleranza date, 3 se non si cambia) e lo stesso beneficiario è un probabile doppione: "
        "resta senza spunta e la colonna Note indica la scheda corrispondente. Lo stesso vale per una riga "
        "ripetuta nel file. Importare due volte lo stesso estratto conto non aggiunge nulla. La barra "
        "spaziatrice mette o toglie la spunta della riga scelta."
        "\r\n\r\n"
        "Ogni scheda importata ha Dovuto e Acconto uguali all'importo pagato, Saldo 0,00 e Conto da saldare "
        "No. Codice e Tipologia vengono dall'ultima scheda dello stesso beneficiario; per i beneficiari "
        "che non hanno ancora schede si scrivono nei campi Codice e Tipologia sotto la griglia. Un testo "
        "più lungo del suo campo viene tagliato e i caratteri che l'archivio non può conservare vengono "
        "sostituiti o tolti: la colonna Note lo segnala prima dell'importazione."
        "\r\n\r\n"
        "Prima di scrivere, il programma fa la copia giornaliera e una copia dell'archivio nella cartella "
        "Backup con il nome che finisce in \"-prima-importazione\": da Copie di sicurezza si può "
        "ripristinare l'archivio com'era prima. Il messaggio finale dice quante schede sono state aggiunte "
        "e in quali posizioni. Le righe del file che non si possono leggere sono elencate con il numero di "
        "riga e il motivo, e un file illeggibile non aggiunge nulla.");
}

} // namespace TestiGuida
