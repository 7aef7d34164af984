# A private desktop session for the screen-reader run: Xvfb, a session bus,
# the accessibility bus, openbox, speech-dispatcher speaking into a null sound
# device, and Orca writing its debug log. Everything lives in one temporary
# folder and every process started here is ended by its own id.
import os
import shutil
import signal
import subprocess
import tempfile
import time

# Written once Orca listens to the bus, whatever its language.
ORCA_AVVIATA = 'ORCA: Startup complete notification made'


class Mancante(Exception):
    """A part of the session could not be started."""


def _attendi(condizione, secondi, passo=0.1):
    fine = time.monotonic() + secondi
    while time.monotonic() < fine:
        if condizione():
            return True
        time.sleep(passo)
    return condizione()


class Sessione:
    def __init__(self):
        self.cartella = tempfile.mkdtemp(prefix='valmora-orca-')
        self.processi = []
        self.env = None
        self.log_orca = os.path.join(self.cartella, 'orca.log')

    def _cartella(self, nome):
        p = os.path.join(self.cartella, nome)
        os.makedirs(p, mode=0o700, exist_ok=True)
        return p

    def _avvia(self, argomenti, **kw):
        kw.setdefault('stdout', subprocess.DEVNULL)
        kw.setdefault('stderr', open(os.path.join(self.cartella, os.path.basename(argomenti[0]) + '.err'), 'w'))
        kw.setdefault('env', self.env)
        p = subprocess.Popen(argomenti, start_new_session=True, **kw)
        self.processi.append(p)
        return p

    def avvia(self):
        for programma in ('Xvfb', 'dbus-daemon', 'openbox', 'speech-dispatcher', 'xdotool'):
            if not shutil.which(programma):
                raise Mancante(programma + ' non è installato (scripts/dipendenze.sh)')
        for percorso in ('/usr/libexec/at-spi-bus-launcher', '/usr/lib/python3/dist-packages/orca/orca.py'):
            if not os.path.exists(percorso):
                raise Mancante(percorso + ' non è installato (scripts/dipendenze.sh)')
        casa = self._cartella('casa')
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(('DBUS_', 'XDG_', 'QT_', 'DISPLAY', 'WAYLAND', 'AT_SPI', 'SPEECHD'))}
        env.update(HOME=casa, XDG_RUNTIME_DIR=self._cartella('run'),
                   XDG_CONFIG_HOME=self._cartella('config'), XDG_DATA_HOME=self._cartella('data'),
                   XDG_CACHE_HOME=self._cartella('cache'), LANG='it_IT.UTF-8', LC_ALL='it_IT.UTF-8',
                   NO_AT_BRIDGE='0', GTK_MODULES='')
        with open(os.path.join(casa, '.asoundrc'), 'w') as f:
            f.write('pcm.!default { type null }\nctl.!default { type hw card 0 }\n')
        self.env = env

        # Xvfb picks a free display and writes its number.
        lettura, scrittura = os.pipe()
        self._avvia(['Xvfb', '-displayfd', str(scrittura), '-screen', '0', '1366x768x24', '-nolisten', 'tcp'],
                    pass_fds=(scrittura,))
        os.close(scrittura)
        numero = b''
        fine = time.monotonic() + 15
        while not numero.endswith(b'\n') and time.monotonic() < fine:
            pezzo = os.read(lettura, 16)
            if not pezzo:
                break
            numero += pezzo
        os.close(lettura)
        if not numero.strip():
            raise Mancante('Xvfb non parte')
        env['DISPLAY'] = ':' + numero.decode().strip()

        bus = self._avvia(['dbus-daemon', '--session', '--nofork', '--print-address=1'],
                          stdout=subprocess.PIPE, text=True)
        indirizzo = bus.stdout.readline().strip()
        if not indirizzo:
            raise Mancante('dbus-daemon non parte')
        env['DBUS_SESSION_BUS_ADDRESS'] = indirizzo
        self._avvia(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'])
        self._avvia(['openbox', '--sm-disable'])

        conf = self._cartella('speechd')
        os.makedirs(os.path.join(conf, 'modules'), exist_ok=True)
        with open(os.path.join(conf, 'speechd.conf'), 'w') as f:
            f.write('AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                    'DefaultModule espeak-ng\nDefaultLanguage "it"\nAudioOutputMethod "alsa"\n')
        presa = os.path.join(self.cartella, 'speechd.sock')
        env['SPEECHD_ADDRESS'] = 'unix_socket:' + presa
        self._avvia(['speech-dispatcher', '-s', '-t', '0', '-C', conf, '-S', presa])
        _attendi(lambda: os.path.exists(presa), 10)

        # The accessibility bus must answer before Orca looks for it.
        _attendi(lambda: subprocess.run(['dbus-send', '--session', '--print-reply', '--dest=org.a11y.Bus',
                                         '/org/a11y/bus', 'org.a11y.Bus.GetAddress'], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0, 10, 0.3)
        qui = os.path.dirname(os.path.abspath(__file__))
        self._avvia(['/usr/bin/python3', os.path.join(qui, 'avvia_orca.py'), self._cartella('orca'), self.log_orca])
        if not _attendi(lambda: ORCA_AVVIATA in self.leggi_log(), 40, 0.3):
            raise Mancante('Orca non parte: il suo registro non dice "' + ORCA_AVVIATA + '"')
        # The pointer in a corner, over nothing: Orca speaks what it is over.
        self.tasti_xdotool(['mousemove', '0', '0'])

    def leggi_log(self):
        try:
            with open(self.log_orca, encoding='utf-8', errors='replace') as f:
                return f.read()
        except FileNotFoundError:
            return ''

    def tasti_xdotool(self, argomenti):
        subprocess.run(['xdotool'] + argomenti, env=self.env, timeout=20, check=True)

    def chiudi(self):
        for p in reversed(self.processi):
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for p in reversed(self.processi):
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                p.wait(timeout=5)
