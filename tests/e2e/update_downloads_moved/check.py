"""Regular files moved into the module folder (a.arx replaced); the folder, the link, the pipe
and the name with a backslash left where they were."""
import os
import sys

tmp = sys.argv[1]
module = os.path.join(tmp, "module")
downloads = os.path.join(module, "downdir")
if open(os.path.join(module, "a.arx")).read() != "new":
    sys.exit("a.arx was not replaced")
if open(os.path.join(module, "notes.txt")).read() != "notes":
    sys.exit("notes.txt was not moved")
left = sorted(os.listdir(downloads))
if left != ["..\\escaped.txt", "link.txt", "pipe", "sub"]:
    sys.exit("left in the download folder: %r" % left)
for name in ["link.txt", "pipe", "sub", "escaped.txt", "..\\escaped.txt"]:
    if os.path.lexists(os.path.join(module, name)):
        sys.exit("%s reached the module folder" % name)
if os.path.exists(os.path.join(tmp, "escaped.txt")):
    sys.exit("a file left the download folder for a folder above the module")
if open(os.path.join(tmp, "target.txt")).read() != "target":
    sys.exit("the link's target changed")
