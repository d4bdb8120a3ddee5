"""The module hung up on each slow answer after its bound of about ten seconds, not earlier
and not much later."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import update_service as s

tmp = sys.argv[1]
log = s.requests(tmp)
if [r["kind"] for r in log] != ["silent", "trickle"]:
    sys.exit("queries %r" % log)
for r in log:
    waited = r["end"] - r["start"]
    if not 9.0 <= waited <= 14.0:
        sys.exit("the %s answer was waited for %.1f s" % (r["kind"], waited))
if os.path.exists(os.path.join(tmp, "updater_args.txt")):
    sys.exit("the updater was started")
