#include "app/GuidaPdf.h"

#include "app/TestiGuida.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>

namespace GuidaPdf {

namespace {

// Pictures are drawn at four times the size they are printed, so they stay
// sharp on paper.
constexpr int kSovracampionamento = 4;

QString Immagine(QTextDocument &doc, const QString &nome, int larghezza)
{
    const QString risorsa = QStringLiteral(":/img/%1.svg").arg(nome);
    QSvgRenderer svg(risorsa);
    QSize dim = svg.defaultSize();
    dim.scale(larghezza, 10000, Qt::KeepAspectRatio);
    if (svg.isValid() && !dim.isEmpty()) {
        QImage img(dim * kSovracampionamento, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
        p.end();
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("img:") + nome), img);
    }
    return QStringLiteral("<img src=\"img:%1\" width=\"%2\" height=\"%3\">")
        .arg(nome)
        .arg(dim.width())
        .arg(dim.height());
}

// A row of the tour: a picture and what it does.
QString Voce(QTextDocument &doc, const QString &nome, const QString &titolo, const QString &spiegazione)
{
    return QStringLiteral("<tr><td width=\"56\" valign=\"middle\">%1</td>"
                          "<td valign=\"middle\"><b>%2</b><br>%3</td></tr>")
        .arg(Immagine(doc, nome, 40), titolo.toHtmlEscaped(), spiegazione.toHtmlEscaped());
}

QString Tabella(const QString &righe)
{
    return QStringLiteral("<table cellspacing=\"6\" cellpadding=\"2\" width=\"100%\">%1</table>").arg(righe);
}

QString Paragrafi(const QString &testo)
{
    QString t = testo;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    QString html;
    const QStringList paragrafi = t.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
    for (const QString &p : paragrafi) {
        const QString pulito = p.trimmed();
        if (!pulito.isEmpty())
            html += QStringLiteral("<p>%1</p>").arg(pulito.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>")));
    }
    return html;
}

QString Copertina(QTextDocument &doc)
{
    return QStringLiteral("<div align=\"center\"><br><br><br>%1<br><br>"
                          "<p style=\"font-size:30pt; font-weight:bold; color:#1F3A5F;\">Valmora</p>"
                          "<p style=\"font-size:16pt; color:#2A9D8F;\">Guida all'utilizzo del software</p>"
                          "<p style=\"font-size:12pt;\">Registro delle spese di casa</p><br><br>%2</div>")
        .arg(Immagine(doc, QStringLiteral("logo"), 160), Immagine(doc, QStringLiteral("credits"), 420));
}

QString VisitaGuidata(QTextDocument &doc)
{
    QString h = QStringLiteral("<h1 style=\"page-break-before: always\">Una visita guidata</h1>"
                               "<p>Valmora tiene in un solo archivio tutti i pagamenti di casa: "
                               "ogni fattura, ricevuta o scontrino diventa una scheda. Queste pagine "
                               "mostrano dove trovare ogni comando; le sezioni che seguono riportano "
                               "la guida di ciascuna schermata, la stessa che il programma mostra "
                               "con il pulsante della guida.</p>");

    h += QStringLiteral("<h2>Il menu iniziale</h2><p>Dopo la password si apre il menu iniziale, "
                        "con le tre aree di lavoro una accanto all'altra.</p>");
    h += QStringLiteral("<table cellspacing=\"10\" width=\"100%\"><tr>"
                        "<td align=\"center\">%1<br><b>Registro Spese</b></td>"
                        "<td align=\"center\">%2<br><b>Riepilogo Uscite</b></td>"
                        "<td align=\"center\">%3<br><b>Grafici Spese Annuali</b></td></tr></table>")
             .arg(Immagine(doc, QStringLiteral("card_registro"), 150),
                  Immagine(doc, QStringLiteral("card_riepilogo"), 150),
                  Immagine(doc, QStringLiteral("card_grafici"), 150));
    h += Tabella(
        Voce(doc, QStringLiteral("info"), QStringLiteral("Informazioni"),
             QStringLiteral("Notizie sul programma e l'indirizzo dell'assistenza."))
        + Voce(doc, QStringLiteral("guida"), QStringLiteral("Guida"),
               QStringLiteral("La guida della schermata in cui vi trovate; da lì si apre anche questo documento."))
        + Voce(doc, QStringLiteral("sito"), QStringLiteral("Sito web"),
               QStringLiteral("Apre nel browser il sito del produttore."))
        + Voce(doc, QStringLiteral("esci"), QStringLiteral("Esci"), QStringLiteral("Chiude il programma.")));

    h += QStringLiteral("<h2 style=\"page-break-before: always\">Il registro delle spese</h2>"
                        "<p>Ogni pagamento è una scheda: numero e data del documento, fornitore "
                        "e suo codice fiscale o partita IVA, data dell'operazione, codice, tipologia "
                        "e descrizione del prodotto o servizio, importi dovuto, acconto e saldo, "
                        "note e fino a tre allegati.</p>");
    h += Tabella(
        Voce(doc, QStringLiteral("nuovo"), QStringLiteral("Nuova scheda"),
             QStringLiteral("Svuota i campi per registrare un nuovo pagamento."))
        + Voce(doc, QStringLiteral("duplica"), QStringLiteral("Duplica"),
               QStringLiteral("Parte da una scheda già registrata per farne una simile."))
        + Voce(doc, QStringLiteral("salva"), QStringLiteral("Salva"),
               QStringLiteral("Calcola il saldo, controlla i campi obbligatori e registra la scheda nell'archivio."))
        + Voce(doc, QStringLiteral("primo"), QStringLiteral("Scorrere l'archivio"),
               QStringLiteral("Prima, precedente, successiva e ultima scheda."))
        + Voce(doc, QStringLiteral("trova"), QStringLiteral("Trova"),
               QStringLiteral("Cerca le schede per parte di un campo, in dieci campi diversi."))
        + Voce(doc, QStringLiteral("listino"), QStringLiteral("Conti da saldare"),
               QStringLiteral("Elenca i pagamenti non ancora saldati."))
        + Voce(doc, QStringLiteral("calcola"), QStringLiteral("Calcolo del saldo"),
               QStringLiteral("Il saldo è il dovuto meno l'acconto, sempre con due decimali."))
        + Voce(doc, QStringLiteral("codfisc"), QStringLiteral("Codice fiscale e partita IVA"),
               QStringLiteral("Verifica il carattere di controllo del codice del fornitore."))
        + Voce(doc, QStringLiteral("calendario"), QStringLiteral("Date dal calendario"),
               QStringLiteral("Un tasto premuto in un campo data apre il calendario."))
        + Voce(doc, QStringLiteral("allegati"), QStringLiteral("Allegati"),
               QStringLiteral("Fino a tre file per scheda, copiati nella cartella Documenti_Allegati."))
        + Voce(doc, QStringLiteral("stampa"), QStringLiteral("Stampa"),
               QStringLiteral("Stampa la scheda o l'elenco dei risultati."))
        + Voce(doc, QStringLiteral("esporta"), QStringLiteral("Esporta"),
               QStringLiteral("Salva tutto l'archivio come foglio di calcolo Registro_Spese.xls.")));

    h += QStringLiteral("<h2>Riepiloghi e grafici</h2>");
    h += Tabella(
        Voce(doc, QStringLiteral("card_riepilogo"), QStringLiteral("Riepilogo Uscite"),
             QStringLiteral("I pagamenti di un periodo, filtrati per fornitore o per codice, con il totale."))
        + Voce(doc, QStringLiteral("barre"), QStringLiteral("Grafico a barre"),
               QStringLiteral("I dodici totali mensili di un anno in barre tridimensionali."))
        + Voce(doc, QStringLiteral("torta"), QStringLiteral("Grafico a torta"),
               QStringLiteral("Gli stessi totali come fette di una torta."))
        + Voce(doc, QStringLiteral("pdf"), QStringLiteral("Questa guida"),
               QStringLiteral("Il file Guida.pdf, nella cartella del programma.")));
    return h;
}

} // namespace

QList<Argomento> ArgomentiDelProgramma()
{
    return {
        {TestiGuida::TitoloAvvio(), TestiGuida::TestoAvvio()},
        {TestiGuida::TitoloRegistro(), TestiGuida::TestoRegistro()},
        {TestiGuida::TitoloRiepilogo(), TestiGuida::TestoRiepilogo()},
        {TestiGuida::TitoloGrafici(), TestiGuida::TestoGrafici()},
        {TestiGuida::TitoloEsportazione(), TestiGuida::TestoEsportazione()},
        {TestiGuida::TitoloImportazione(), TestiGuida::TestoImportazione()},
        {TestiGuida::TitoloAnalisi(), TestiGuida::TestoAnalisi()},
        {TestiGuida::TitoloDichiarazione(), TestiGuida::TestoDichiarazione()},
    };
}

void Componi(QTextDocument &documento, const QList<Argomento> &argomenti)
{
    documento.setDefaultStyleSheet(QStringLiteral(
        "body { font-family: 'Liberation Sans', Arial; font-size: 11pt; color: #1b2733; }"
        "h1 { font-size: 20pt; color: #1F3A5F; }"
        "h2 { font-size: 15pt; color: #DC143C; }"
        "p { margin-bottom: 6px; }"));
    QString html = QStringLiteral("<html><body>") + Copertina(documento) + VisitaGuidata(documento);
    for (const Argomento &a : argomenti) {
        if (a.titolo.trimmed().isEmpty() && a.testo.trimmed().isEmpty())
            continue;
        html += QStringLiteral("<h2 style=\"page-break-before: always\">%1</h2>%2")
                    .arg(a.titolo.toHtmlEscaped(), Paragrafi(a.testo));
    }
    html += QStringLiteral("</body></html>");
    documento.setHtml(html);
}

bool Scrivi(const QString &file, const QList<Argomento> &argomenti)
{
    QFile uscita(file);
    if (!uscita.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter pdf(&uscita);
        pdf.setTitle(QStringLiteral("Valmora - Guida all'utilizzo del software"));
        pdf.setCreator(QStringLiteral("Valmora"));
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        pdf.setResolution(300);
        // The document lays out its own 2 cm margins and page numbers.
        QTextDocument doc;
        Componi(doc, argomenti);
        doc.print(&pdf);
    }
    return uscita.error() == QFileDevice::NoError && uscita.size() > 0;
}

} // namespace GuidaPdf
