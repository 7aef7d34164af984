#!/usr/bin/python3
# Starts Orca as /usr/bin/orca does, with its debug log written line by line,
# so that the run can read what Orca says while it is still running.
# Usage: avvia_orca.py <settings folder> <debug log>
import sys

sys.path.insert(1, '/usr/lib/python3/dist-packages')
from orca import debug  # noqa: E402

debug.debugLevel = debug.LEVEL_ALL
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(sys.argv[2], 'w', buffering=1)

from orca import orca  # noqa: E402

manager = orca.getSettingsManager()
# Speech on with key echo, no braille, no sound cues: what the run reads is the
# speech alone.
manager.activate(sys.argv[1], {
    'enableSpeech': True,
    'enableBraille': False,
    'enableKeyEcho': True,
    'enableEchoByCharacter': False,
    'enableEchoByWord': False,
    'enableSound': False,
})
sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
