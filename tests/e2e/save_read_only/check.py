"""The read-only drawing and its backup are as they were; the copy is a drawing; no temporaries."""
import os
import stat
import sys

import ezdxf

tmp = sys.argv[1]
with open(os.path.join(tmp, "input.dxf"), "rb") as f, open(os.path.join(tmp, "original.dxf"), "rb") as g:
    if f.read() != g.read():
        sys.exit("the read-only drawing was changed")
if stat.S_IMODE(os.stat(os.path.join(tmp, "input.dxf")).st_mode) != 0o444:
    sys.exit("the read-only drawing lost its mode")
if open(os.path.join(tmp, "input.bak")).read() != "an older version\n":
    sys.exit("the backup of the read-only drawing was replaced")
ezdxf.readfile(os.path.join(tmp, "copy.dxf"))
left = [n for n in os.listdir(tmp) if ".vxtmp" in n]
if left:
    sys.exit("temporary files left: %r" % left)
