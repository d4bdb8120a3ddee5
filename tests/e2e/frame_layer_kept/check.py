"""Loading did not add a second frame layer nor change the existing one's colour."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "input.dxf"))
layers = [(l.dxf.name, l.dxf.color) for l in doc.layers if l.dxf.name.upper() == "C-TK"]
if layers != [("c-tk", 1)]:
    sys.exit("expected only layer c-tk with colour 1, found %r" % layers)
if not os.path.exists(os.path.join(sys.argv[1], "input.dxf.bak")) and \
        not os.path.exists(os.path.join(sys.argv[1], "input.bak")):
    sys.exit("saving over the drawing should keep the previous file as a .bak")
