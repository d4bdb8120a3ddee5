"""An offer of an update, accepted, with no updater beside the module."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import update_service as s

s.serve(sys.argv[1], [s.body('"a.zip"&"2.4"')])
