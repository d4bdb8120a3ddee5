"""What was written, read with ezdxf: only the first 图号 changed, the blank-tailed tag kept."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
if doc.audit().has_errors:
    sys.exit("ezdxf's audit found errors")
found = [[(a.dxf.tag, a.dxf.text) for a in r.attribs] for r in doc.modelspace().query("INSERT")]
want = [
    [("图号", "JS-101"), ("图号", "OLD-01"), ("图名", "一层平面图")],
    [("图号", "JS-02"), ("图名 ", "带空格的标签")],
]
if found != want:
    sys.exit("expected %r, found %r" % (want, found))
if len(doc.modelspace().query("CIRCLE")) != 1:
    sys.exit("the circle on the frame layer should still be there")
