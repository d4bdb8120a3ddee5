"""The written numbers and names, read with ezdxf."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
found = [(r.get_attrib_text("图号"), r.get_attrib_text("图名") if r.has_attrib("图名") else None) for r in doc.modelspace().query("INSERT")]
want = [("JS-02", "二层平面布置图"), ("JS-101", "一层平面图"), ("JS-03", None)]
if found != want:
    sys.exit("expected %r, found %r" % (want, found))
if len(doc.modelspace().query("LINE")) != 1:
    sys.exit("the line on C-TK should still be there")
