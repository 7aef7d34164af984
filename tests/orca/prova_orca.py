#!/usr/bin/python3
# Valmora under the Orca screen reader, driven by key events alone: login, the
# start menu's cards, every field of the register editor, a search whose
# result is opened with Enter, the calendar's day said in full, the summary's
# total and the chart's months.
# Reads what Orca says from its debug log and fails on anything not heard.
# Usage: prova_orca.py <build folder> <packaging folder>
import os
import re
import shutil
import subprocess
import sys
import time
from datetime import date, timedelta

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sessione import Mancante, Sessione  # noqa: E402

PASSWORD = 'VALMORA2026'
PARLATO = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{")


GIORNI = ['lunedì', 'martedì', 'mercoledì', 'giovedì', 'venerdì', 'sabato', 'domenica']
MESI = ['gennaio', 'febbraio', 'marzo', 'aprile', 'maggio', 'giugno', 'luglio', 'agosto', 'settembre',
        'ottobre', 'novembre', 'dicembre']


def data_completa(d):
    """A date as the calendar says it: "martedì 5 marzo 2024"."""
    return '%s %d %s %d' % (GIORNI[d.weekday()], d.day, MESI[d.month - 1], d.year)


class NonSentito(Exception):
    pass


class Prova:
    def __init__(self, sessione):
        self.s = sessione
        self.letto = 0
        self.udito = []  # everything heard, for the report of a failure

    def nuovo_parlato(self):
        log = self.s.leggi_log()
        nuovo, self.letto = log[self.letto:], len(log)
        righe = PARLATO.findall(nuovo)
        self.udito += righe
        return righe

    def attendi(self, frasi, secondi=8):
        """Waits until every phrase has been heard since the last look."""
        sentite, mancano = [], list(frasi)
        fine = time.monotonic() + secondi
        while mancano and time.monotonic() < fine:
            time.sleep(0.2)
            sentite += self.nuovo_parlato()
            mancano = [f for f in mancano if not any(f in r for r in sentite)]
        return sentite, mancano

    def tasti(self, *tasti):
        self.s.tasti_xdotool(['key', '--clearmodifiers', '--delay', '80'] + list(tasti))

    def premi(self, tasto, frasi, secondi=8):
        self.nuovo_parlato()
        self.tasti(tasto)
        sentite, mancano = self.attendi(frasi, secondi)
        if mancano:
            # One retry: the first key may have met a window still settling.
            self.tasti(tasto)
            sentite2, mancano = self.attendi(frasi, secondi)
            sentite += sentite2
        if mancano:
            raise NonSentito('dopo "%s" non si sente %s' % (tasto, mancano))
        return sentite

    def dopo_tasto(self, secondi=3):
        """What is heard after a key: waits for something more than the key's own
        echo (which Orca speaks with a trailing space), then lets it finish."""
        sentite = []
        fine = time.monotonic() + secondi
        while time.monotonic() < fine:
            time.sleep(0.15)
            sentite += self.nuovo_parlato()
            if any(not r.endswith(' ') for r in sentite):
                break
        # Until Orca has been quiet for a while: a focus change may come in parts.
        quiete = time.monotonic() + 0.7
        while time.monotonic() < min(quiete, fine + 2):
            time.sleep(0.15)
            nuove = self.nuovo_parlato()
            if nuove:
                sentite += nuove
                quiete = time.monotonic() + 0.7
        return sentite

    def fino_a(self, frasi, tasto='Tab', massimo=40):
        """Presses the key until every phrase has been heard; returns what was heard."""
        mancano = [frasi] if isinstance(frasi, str) else list(frasi)
        sentite = []
        self.nuovo_parlato()
        for _ in range(massimo):
            self.tasti(tasto)
            sentite += self.dopo_tasto()
            mancano = [f for f in mancano if not any(f in r for r in sentite)]
            if not mancano:
                return sentite
        raise NonSentito('premendo %s non si sente %s; sentito per ultimo: %s' % (tasto, mancano, sentite[-12:]))


def controlla_tutte(sentite, frasi, dove):
    mancano = [f for f in frasi if not any(f in r for r in sentite)]
    if mancano:
        raise NonSentito('%s: non si sente %s' % (dove, mancano))


def esegui(build, packaging, s):
    cartella = os.path.join(s.cartella, 'Valmora')
    os.makedirs(cartella)
    shutil.copy(os.path.join(build, 'valmora'), cartella)
    shutil.copy(os.path.join(packaging, 'unins000.dll'), cartella)
    subprocess.run([os.path.join(build, 'tests', 'orca', 'archivio_orca'),
                    os.path.join(cartella, 'Operazioni_Pagamenti.pro')], check=True, timeout=30)
    p = Prova(s)
    env = dict(s.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb')
    s._avvia([os.path.join(cartella, 'valmora')], env=env)

    # Login: the field is a password field; what is typed is never spoken.
    sentite, mancano = p.attendi(['Immetti la password', 'testo password'], 40)
    if mancano:
        raise NonSentito('la schermata di accesso non dice %s; sentito: %s' % (mancano, sentite))
    p.nuovo_parlato()
    s.tasti_xdotool(['type', '--delay', '120', PASSWORD])
    time.sleep(2)
    digitato = p.nuovo_parlato()
    segreti = [r for r in digitato
               if r.strip() and (r.strip().upper() in PASSWORD or PASSWORD in r.upper().replace(' ', ''))]
    if segreti:
        raise NonSentito('la password si sente mentre si scrive: %s' % segreti)

    # The start menu's cards.
    p.premi('Return', ['Informazioni su Valmora'], 15)
    p.fino_a(['Apri il registro delle spese', 'Registro Spese', 'Apri il riepilogo delle uscite',
              'Riepilogo Uscite', 'Apri i grafici delle spese annuali'])
    p.fino_a('Registro Spese', 'shift+Tab')

    # Every field of the register editor, by its label: the first as the
    # editor opens, without a key.
    p.premi('Return', ['Registro', 'Documento n.'], 15)
    campi = ['Documento n.', 'Data emissione', 'Beneficiario', 'Codice fiscale', 'Data operazione',
             'Codice prodotto/servizio', 'Tipologia', 'Descrizione', 'Dettagli', 'Totale dovuto',
             'Acconto versato', 'Saldo', 'Conto da saldare', 'Note']
    p.fino_a(campi)

    # A search, its result opened with Enter.
    p.fino_a('Trova una scheda in archivio')
    p.premi('Return', ['Documento n.'], 15)
    p.fino_a('Beneficiario')
    s.tasti_xdotool(['type', '--delay', '80', 'Assicura'])
    p.fino_a('Cerca')
    p.premi('Return', ['Testo da trovare nella lista'], 15)
    p.fino_a('Schede trovate')
    p.premi('Return', ['Registro'], 15)
    p.fino_a('Assicura Spa')

    # The calendar: an arrow in the operation date opens it a day after today,
    # said in full; Escape closes it, back on the field.
    p.fino_a('Data operazione')
    p.nuovo_parlato()
    p.tasti('Right')
    attesa = data_completa(date.today() + timedelta(days=1))
    sentite, mancano = p.attendi([attesa], 15)
    if mancano:
        raise NonSentito('il calendario non dice "%s"; sentito: %s' % (attesa, sentite[-12:]))
    p.premi('Escape', ['Data operazione'], 15)

    # Back to the start menu, then the summary of 2024: its total heard.
    # The start menu is heard as it comes back (no retry: a second Enter
    # there would open the register again).
    p.fino_a('Esci')
    p.nuovo_parlato()
    p.tasti('Return')
    sentite, mancano = p.attendi(['Registro Spese'], 15)
    if mancano:
        raise NonSentito('uscendo dal registro il menu di avvio tace; sentito: %s' % sentite[-12:])
    p.fino_a('Riepilogo Uscite')
    p.premi('Return', ['Beneficiario'], 15)
    p.fino_a('Anno', 'shift+Tab')
    s.tasti_xdotool(['type', '--delay', '80', '2024'])
    for campo, fine, valore in (('Giorno di inizio intervallo', 'Home', '01'),
                                ('Mese di inizio intervallo', 'Home', 'Gennaio'),
                                ('Giorno di fine intervallo', 'End', '31'),
                                ('Mese di fine intervallo', 'End', 'Dicembre')):
        # The list opens with F4; each key waits for the list, which a loaded
        # machine opens slowly. One retry, with the focus still on the field.
        p.fino_a(campo)
        for _ in range(2):
            p.nuovo_parlato()
            for tasto in ('F4', fine, 'Return'):
                p.tasti(tasto)
                time.sleep(1)
            sentite, mancano = p.attendi([valore], 3)
            if not mancano:
                break
            # Not said as chosen: out and back in, Orca names a field that
            # holds a value by that value.
            p.tasti('Tab')
            time.sleep(1)
            p.nuovo_parlato()
            p.tasti('shift+Tab')
            sentite = p.dopo_tasto(5)
            if any(valore in r for r in sentite):
                break
        else:
            raise NonSentito('%s: non si sente la scelta "%s"; sentito: %s' % (campo, valore, sentite[-12:]))
    p.fino_a('Visualizza riepilogo')
    p.premi('Return', ['Testo da trovare nella lista'], 15)
    p.fino_a(['Totale importi', '2578,70'])

    # Out of the summary and its criteria; the chart of 2024: its months heard.
    p.premi('Escape', ['Visualizza riepilogo'], 15)
    p.fino_a('Esci')
    p.tasti('Return')
    p.fino_a('Grafici Spese Annuali')
    p.premi('Return', ['Anno solare'], 15)
    p.tasti('End', 'BackSpace', 'BackSpace', 'BackSpace', 'BackSpace')
    s.tasti_xdotool(['type', '--delay', '80', '2024'])
    p.premi('Return', ['Apri'], 15)
    p.premi('Return', ['Gennaio: 0', 'Marzo: 79', 'Dicembre: 2.500'], 15)


def main():
    if len(sys.argv) != 3:
        print('uso: prova_orca.py <cartella di build> <cartella packaging>', file=sys.stderr)
        return 2
    s = Sessione()
    p = None
    try:
        s.avvia()
        esegui(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), s)
        print('Orca: tutto letto ad alta voce come atteso')
        return 0
    except (Mancante, NonSentito, subprocess.SubprocessError) as e:
        print('Orca: ERRORE:', e, file=sys.stderr)
        copia = os.path.join(os.path.abspath(sys.argv[1]), 'orca-debug.log')
        shutil.copy(s.log_orca, copia) if os.path.exists(s.log_orca) else None
        print('Registro di Orca in', copia, file=sys.stderr)
        return 1
    finally:
        s.chiudi()
        if os.path.exists(os.path.join(s.cartella, 'valmora.err')):
            shutil.copy(os.path.join(s.cartella, 'valmora.err'), os.path.join(os.path.abspath(sys.argv[1]), 'orca-valmora.err'))
        shutil.rmtree(s.cartella, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
