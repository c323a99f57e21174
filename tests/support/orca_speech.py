# Runs Orca and prints each thing it says on a line of its own as it says it: its debug file is written
# in blocks, its speech log line by line. Arguments go to Orca.
import logging
import runpy
import sys


class SpokenLines(logging.Handler):
    def emit(self, record):
        print(record.getMessage(), flush=True)


logging.getLogger("speech").addHandler(SpokenLines())
sys.argv = ["orca", *sys.argv[1:]]
runpy.run_path("/usr/bin/orca", run_name="__main__")
