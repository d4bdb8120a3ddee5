"""No frame was inserted; the frame layer exists with colour 7."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
if len(doc.modelspace().query("INSERT")):
    sys.exit("nothing should have been inserted")
if "C-TK" not in doc.layers or doc.layers.get("C-TK").dxf.color != 7:
    sys.exit("the frame layer C-TK with colour 7 is missing")
