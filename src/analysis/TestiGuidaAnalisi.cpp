#include "app/TestiGuida.h"

namespace TestiGuida {

QString TitoloAnalisi() { return QStringLiteral("App Analisi Spese"); }

QString TestoAnalisi()
{
    return QStringLiteral(
        "L'analisi delle spese mostra dove vanno i soldi: i pagamenti dell'intervallo di tempo scelto "
        "sono raggruppati per tipologia, per beneficiario o per codice del prodotto o servizio, e per "
        "ogni gruppo sono indicati il numero dei pagamenti, il totale dovuto, la quota sul totale "
        "dell'intervallo e il confronto con lo stesso intervallo dell'anno precedente."
        "\r\n\r\n"
        "Per ottenerla, dal menu di avvio aprire Riepilogo Uscite, indicare l'anno, l'intervallo ed "
        "eventualmente il beneficiario e il codice come per il riepilogo, quindi premere Analisi spese. "
        "I nomi che differiscono solo per maiuscole o spazi iniziali e finali formano un solo gruppo."
        "\r\n\r\n"
        "Le colonne si ordinano facendo clic sulla loro intestazione; la riga TOTALE resta in fondo. "
        "Un doppio clic o il tasto Invio su un gruppo ne elenca le schede; un doppio clic o Invio su "
        "una scheda la richiama nel Registro spese."
        "\r\n\r\n"
        "Il pulsante Grafico mostra i gruppi maggiori come barre, gli altri riuniti in Altro; il grafico "
        "si stampa con Stampa grafico. Stampa analisi stampa la tabella, Esporta in Excel la scrive nel "
        "file Analisi_Spese.xls nella cartella del programma. Le schede con la data o il totale dovuto "
        "non leggibile sono indicate per numero e i totali che le comprendono risultano non calcolabili.");
}

QString TitoloDichiarazione() { return QStringLiteral("App Spese per la Dichiarazione"); }

QString TestoDichiarazione()
{
    return QStringLiteral(
        "Le spese per la dichiarazione elencano i pagamenti di un anno solare che possono servire per "
        "le detrazioni della dichiarazione dei redditi (spese sanitarie, scolastiche, veterinarie e "
        "simili), con i dati da consegnare a chi compila la dichiarazione."
        "\r\n\r\n"
        "Per ottenerle, dal menu di avvio aprire Riepilogo Uscite, indicare l'anno e premere Spese per "
        "la dichiarazione. Spuntare le tipologie da includere: all'inizio sono proposte quelle il cui "
        "nome fa pensare a spese detraibili, e la scelta resta valida fino alla chiusura del programma. "
        "Premere quindi Elenca."
        "\r\n\r\n"
        "Ogni riga, in ordine di data, riporta il numero e la data del documento, il beneficiario, il suo "
        "codice fiscale o partita IVA con l'esito della verifica (mancante o non valido sono segnalati), "
        "il prodotto o servizio e l'importo pagato, cioè il totale dovuto meno il saldo ancora da "
        "pagare. In fondo sono indicati i totali per tipologia e il totale generale."
        "\r\n\r\n"
        "L'elenco si stampa con Stampa elenco e si esporta con Esporta in Excel nel file "
        "Spese_Dichiarazione.xls nella cartella del programma.");
}

} // namespace TestiGuida
