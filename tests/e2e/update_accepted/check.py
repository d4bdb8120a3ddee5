"""The updater's two runs: "a.zip 2.4" as two arguments, then the third answer's fields as
arguments, no shell having run them."""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import update_service as s

tmp = sys.argv[1]
path = os.path.join(tmp, "updater_args.txt")
runs = []
end = time.time() + 10
while time.time() < end:
    if os.path.exists(path):
        runs = open(path, encoding="utf-8").read().split("-- end --\n")[:-1]
        if len(runs) == 2:
            break
    time.sleep(0.05)
want = ["a.zip\n2.4\n", "$(touch${IFS}pwned)\nb;touch${IFS}pwned2\nc\nd\n"]
if runs != want:
    sys.exit("updater arguments %r, expected %r" % (runs, want))
for name in ["pwned", "pwned2"]:
    for folder in [tmp, os.path.join(tmp, "module")]:
        if os.path.exists(os.path.join(folder, name)):
            sys.exit("a shell ran the answer's text")
if len(s.requests(tmp)) != 3:
    sys.exit("%d queries" % len(s.requests(tmp)))
