"""Only the two CODE-A1 references remain: the first at its template place and layer, the
last at the origin on C-TK."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
refs = [(r.dxf.name, r.dxf.layer, round(r.dxf.insert.x, 6), round(r.dxf.insert.y, 6),
         [a.dxf.text for a in r.attribs]) for r in doc.modelspace().query("INSERT")]
want = [("CODE-A1", "TK-FRAME", 8000, 0, ["TK-11"]), ("CODE-A1", "C-TK", 0, 0, ["TK-12"])]
if refs != want:
    sys.exit("frames %r, expected %r" % (refs, want))
if doc.layers.get("C-TK").dxf.color != 1:
    sys.exit("the existing frame layer must keep its colour")
