"""A service that takes the connection and never answers, then one that answers a byte every
half second for longer than the module waits."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import update_service as s

s.serve(sys.argv[1], [s.silent(60), s.trickle(0.5, 120)])
