#!/usr/bin/env bash
# Installs what is missing, builds, lays out the program folder and starts the
# program from there.
#
#   bash scripts/avvia.sh [CARTELLA]
#
# The program folder holds the user's archive, attachments, backups and
# password store, so it lives outside the checkout, where `git clean -fdx`
# cannot reach it: CARTELLA if given, else $VALMORA_CARTELLA, else ~/Valmora.
# A ./Valmora folder left in the checkout by an older version of this script
# is moved there when that folder holds no register yet; otherwise both are
# left as they are and the script says so.
set -euo pipefail
# The register is private: what this script creates is the user's alone.
umask 077
cartella=${1:-${VALMORA_CARTELLA:-$HOME/Valmora}}
case "$cartella" in /*) ;; *) cartella="$PWD/$cartella" ;; esac
cd "$(dirname "$0")/.."
sorgenti=$PWD

# What belongs to the user in a program folder, the journal of a save cut
# short included: without it that record cannot be rolled back.
DATI=(unins000.dll Operazioni_Pagamenti.pro Operazioni_Pagamenti.pro-diario Operazioni_Pagamenti.pro-diario-estraneo
      Schede_Eliminate.pro Schede_Eliminate.pro-date Documenti_Allegati Backup
      Registro_Spese.xls Analisi_Spese.xls Spese_Dichiarazione.xls)
ha_dati() {
  local f
  for f in "${DATI[@]}"; do [ -e "$1/$f" ] && return 0; done
  return 1
}

vecchia="$sorgenti/Valmora"
if [ -d "$vecchia" ] && [ "$(realpath -m "$vecchia")" != "$(realpath -m "$cartella")" ] && ha_dati "$vecchia"; then
  if [ -e "$cartella" ] && ha_dati "$cartella"; then
    echo "Attenzione: $vecchia (cartella del programma di una versione precedente) e $cartella"
    echo "contengono entrambe dei dati: nessuna delle due viene toccata. Il programma usa $cartella;"
    echo "spostare altrove i dati che servono di $vecchia, che 'git clean' cancellerebbe."
  else
    mkdir -p "$(dirname "$cartella")"
    if [ -e "$cartella" ]; then
      # An empty or data-free folder: the user's files go into it.
      for f in "${DATI[@]}"; do
        if [ -e "$vecchia/$f" ]; then mv -n "$vecchia/$f" "$cartella/"; fi
      done
    else
      mv "$vecchia" "$cartella"
    fi
    echo "La cartella del programma $vecchia è stata spostata in $cartella."
  fi
fi

case "$(realpath -m "$cartella")/" in
  "$(realpath -m "$sorgenti")"/*)
    echo "Attenzione: $cartella è dentro i sorgenti; 'git clean -fdx' cancellerebbe archivio e allegati." ;;
esac

bash scripts/dipendenze.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVALMORA_TESTS=OFF -DVALMORA_BENCH=OFF
cmake --build build --target valmora
cmake --install build --prefix "$cartella"
# The folder and the register's files readable by the user alone; the
# program keeps them so (folders 0700, files 0600).
chmod 700 "$cartella"
for f in "${DATI[@]}"; do
  if [ -L "$cartella/$f" ]; then continue; fi
  if [ -f "$cartella/$f" ]; then chmod 600 "$cartella/$f"; fi
  if [ -d "$cartella/$f" ]; then chmod 700 "$cartella/$f"; fi
done
echo "Cartella del programma: $cartella"
exec "$cartella/valmora"
