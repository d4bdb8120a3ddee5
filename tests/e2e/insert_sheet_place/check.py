"""Two CODE-A3 frames on C-TK at the clicked points; attributes moved along, texts kept."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
auditor = doc.audit()
if auditor.has_errors:
    sys.exit("ezdxf audit errors: %r" % [str(e) for e in auditor.errors])
refs = doc.modelspace().query("INSERT")
if len(refs) != 2:
    sys.exit("expected two frames, found %d" % len(refs))
for ref, (x, y) in zip(refs, [(200, 300), (-1000, -2000)]):
    if ref.dxf.name != "CODE-A3" or ref.dxf.layer != "C-TK":
        sys.exit("frame %s on %s" % (ref.dxf.name, ref.dxf.layer))
    if (round(ref.dxf.insert.x, 6), round(ref.dxf.insert.y, 6)) != (x, y):
        sys.exit("frame at %r, expected %r" % (ref.dxf.insert, (x, y)))
    atts = [(a.dxf.tag, a.dxf.text, round(a.dxf.insert.x - x, 6), round(a.dxf.insert.y - y, 6))
            for a in ref.attribs]
    if atts != [("图号", "TK-03", 270, 10), ("图名", "模板图名", 270, 20)]:
        sys.exit("attributes %r" % atts)
if "CODE-A3" not in doc.blocks:
    sys.exit("the block definition did not come along")
