#!/usr/bin/env bash
# Round trip of the spreadsheet export through LibreOffice Calc: an archive
# with awkward texts is exported exactly as the export screen does it, Calc
# converts the file to CSV, and every cell must come back as the grid shows
# it. Needs LibreOffice (apt-get install -y --no-install-recommends
# libreoffice-calc), so it stays outside the test suite.
#
#   scripts/prova_calc.sh [build folder]     (default: build)
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$radice/build}

if ! command -v soffice >/dev/null; then
    echo "soffice non trovato: apt-get install -y --no-install-recommends libreoffice-calc" >&2
    exit 2
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$radice" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target valmora_core -j 2 >/dev/null

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

cat >"$lavoro/esporta.cpp" <<'EOF'
// Writes an archive, loads it into the export grid's model, edits two cells
// as a user would in the grid, and writes the export file and the grid's cells (JSON) into the folder given.
#include "output/DocumentoExcel.h"
#include "output/ModelloRegistro.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

using namespace Qt::StringLiterals;

static TScheda Scheda(const QList<std::pair<Campo, QString>> &campi)
{
    TScheda s;
    for (const auto &[campo, testo] : campi)
        s.ImpostaTesto(campo, testo);
    return s;
}

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const QDir cartella(QString::fromLocal8Bit(argv[1]));
    const QList<TScheda> schede{
        Scheda({{Campo::NumDoc, u"000123"_s}, {Campo::DataDoc, u"05/03/2024"_s},
                {Campo::Fornitore, u"Società Elettrica Niccolò"_s},
                {Campo::CodFisc, u"01234567890"_s}, {Campo::Data, u"06/03/2024"_s},
                {Campo::Codice, u"007"_s}, {Campo::Tipologia, u"Utenze"_s},
                {Campo::Servizi, u"Energia elettrica"_s},
                {Campo::Dettagli, u"Bolletta € bimestrale"_s}, {Campo::Dovuto, u"120,50"_s},
                {Campo::Acconto, u"20,00"_s}, {Campo::Saldo, u"100,50"_s},
                {Campo::Note, u"x<y & z"_s}, {Campo::DaSaldare, u"Sì"_s}}),
        Scheda({{Campo::NumDoc, u"  0042/A "_s}, {Campo::DataDoc, u"29/02/2024"_s},
                {Campo::Fornitore, u"Farmacia \"Sant'Anna\" – Perché già"_s},
                {Campo::CodFisc, u"RSSMRA80A01H501U"_s}, {Campo::Data, u"01/03/2024"_s},
                {Campo::Codice, u"0001"_s}, {Campo::Tipologia, u"Salute"_s},
                {Campo::Servizi, u"Farmaci"_s}, {Campo::Dettagli, u"a > b; <b>grassetto</b>"_s},
                {Campo::Dovuto, u"1234,00"_s}, {Campo::Acconto, u"0,00"_s},
                {Campo::Saldo, u"1234,00"_s}, {Campo::Note, u"nota dall'archivio"_s},
                {Campo::DaSaldare, u"No"_s}}),
        Scheda({{Campo::NumDoc, u"1E5"_s}, {Campo::Fornitore, u"Müller & Söhne"_s},
                {Campo::CodFisc, u"00000000000"_s}, {Campo::Codice, u"00123456789012"_s},
                {Campo::Note, u"riga uno\r\nriga due"_s}, {Campo::DaSaldare, u"Sì"_s}}),
    };
    {
        QFile archivio(Archivio::Percorso(cartella.path()));
        if (!archivio.open(QIODevice::WriteOnly))
            return 1;
        for (const TScheda &s : schede)
            archivio.write(s.byte.data(), TScheda::Dimensione);
    }

    ModelloRegistro modello;
    if (!modello.Carica(Archivio::Percorso(cartella.path())))
        return 1;
    // The archive holds windows-1252 only; other characters reach the
    // export through cells the user edits in the grid.
    modello.setData(modello.index(1, 13), u"Łódź 漢字 😀 &amp; x<y"_s);
    modello.setData(modello.index(2, 3), u"  Dvořák  "_s);
    QSaveFile xls(cartella.filePath(DocumentoExcel::NomeFile()));
    if (!xls.open(QIODevice::WriteOnly)
        || !DocumentoExcel::Scrivi(xls, modello.NumeroRighe(),
                                   [&](qint64 r, int c) { return modello.Cella(r, c); })
        || !xls.commit())
        return 1;

    QJsonArray righe;
    for (qint64 r = 0; r < modello.NumeroRighe(); ++r) {
        QJsonArray celle;
        for (int c = DocumentoExcel::PrimaColonna; c <= DocumentoExcel::UltimaColonna; ++c)
            celle.append(Testo::Trim(modello.Cella(r, c)));
        righe.append(celle);
    }
    QFile atteso(cartella.filePath(u"griglia.json"_s));
    if (!atteso.open(QIODevice::WriteOnly))
        return 1;
    atteso.write(QJsonDocument(righe).toJson());
    return 0;
}
EOF

# shellcheck disable=SC2046
c++ -std=c++20 -fPIC $(pkg-config --cflags Qt6Core) -I"$radice/src" "$lavoro/esporta.cpp" \
    "$build/libvalmora_core.a" $(pkg-config --libs Qt6Core) -o "$lavoro/esporta"
"$lavoro/esporta" "$lavoro"

esito=0
for lingua in it_IT.UTF-8 C.UTF-8; do
    uscita="$lavoro/csv-$lingua"
    # A profile of its own, so a running LibreOffice is neither used nor disturbed.
    LANG=$lingua LC_ALL=$lingua soffice -env:UserInstallation="file://$lavoro/profilo-$lingua" \
        --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true' \
        --outdir "$uscita" "$lavoro/Registro_Spese.xls" >/dev/null 2>&1
    echo "== Calc con la lingua $lingua"
    python3 - "$lavoro/griglia.json" "$uscita/Registro_Spese.csv" <<'EOF' || esito=1
import csv, json, sys

attesi = json.load(open(sys.argv[1], encoding="utf-8"))
with open(sys.argv[2], encoding="utf-8", newline="") as f:
    letti = list(csv.reader(f))

titoli = ["Documento n.", "Data emissione", "Beneficiario", "Codice fiscale",
          "Data operazione", "Codice prodotto o servizio", "Tipologia",
          "Prodotto o servizio", "Dettagli", "Totale dovuto", "Acconto", "Saldo",
          "Note", "Conto da saldare"]
importi = {9, 10, 11}

def numero(t):
    try:
        return float(t.replace(".", "").replace(",", "."))
    except ValueError:
        return None

difetti, per_valore = [], []
if letti[0] != titoli:
    difetti.append(f"intestazione: {letti[0]!r}")
if len(letti) != len(attesi) + 1:
    difetti.append(f"{len(letti) - 1} righe di dati invece di {len(attesi)}")
for r, (atteso, letto) in enumerate(zip(attesi, letti[1:]), start=1):
    letto = letto + [""] * (len(atteso) - len(letto))
    for c, (a, l) in enumerate(zip(atteso, letto)):
        if a == l:
            continue
        # Calc keeps a line break inside a cell as a single LF.
        if a.replace("\r\n", "\n") == l:
            per_valore.append(f"riga {r} {titoli[c]}: a capo {a!r} -> {l!r}")
            continue
        # Calc turns amounts into numbers: "120,50" comes back as 120,5.
        if c in importi and numero(a) is not None and numero(a) == numero(l):
            per_valore.append(f"riga {r} {titoli[c]}: {a!r} -> {l!r}")
            continue
        difetti.append(f"riga {r} {titoli[c]}: atteso {a!r}, letto {l!r}")

celle = sum(len(a) for a in attesi)
print(f"{celle} celle, {celle - len(difetti) - len(per_valore)} identiche, "
      f"{len(per_valore)} uguali nel valore, {len(difetti)} diverse")
for p in per_valore:
    print("  valore:", p)
for d in difetti:
    print("  DIVERSA:", d)
sys.exit(1 if difetti else 0)
EOF
done
exit $esito
