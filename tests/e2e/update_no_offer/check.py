"""Six queries of the module's version with the agent text; the 50 MB answer was not read to
its end; the updater never ran; the download folder was made for the user alone."""
import os
import stat
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import update_service as s

tmp = sys.argv[1]
log = s.requests(tmp)
if len(log) != 6:
    sys.exit("%d queries, expected 6" % len(log))
for r in log:
    if r["path"] != "/Vorlix/GetVersionInfo?Verson=2.3":
        sys.exit("query %s" % r["path"])
    if r["agent"] != "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1; SV1; .NET CLR 2.0.50727)":
        sys.exit("agent %r" % r["agent"])
if os.path.exists(os.path.join(tmp, "updater_args.txt")):
    sys.exit("the updater was started")
mode = stat.S_IMODE(os.stat(os.path.join(tmp, "module", "downdir")).st_mode)
if mode != 0o700:
    sys.exit("download folder mode %o" % mode)
