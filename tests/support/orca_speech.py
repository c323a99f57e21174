# Runs Orca and prints each thing it says on a line of its own as it says it: its debug file is written
# in blocks, its speech log line by line. Arguments go to Orca.
#
# Orca refuses to start while another of the same user runs (the user's own, or another test's), and names
# its process so that others refuse in turn: this one runs beside them, under its interpreter's name.
import logging
import sys

ORCA = "/usr/bin/orca"


class SpokenLines(logging.Handler):
    def emit(self, record):
        print(record.getMessage(), flush=True)


logging.getLogger("speech").addHandler(SpokenLines())
sys.argv = ["orca", *sys.argv[1:]]
launcher = {"__name__": "orca_launcher", "__file__": ORCA}
with open(ORCA, encoding="utf-8") as source:
    exec(compile(source.read(), ORCA, "exec"), launcher)
launcher["otherOrcas"] = lambda: []
launcher["setProcessName"] = lambda name: None
sys.exit(launcher["main"]())
