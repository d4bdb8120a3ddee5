"""Every frame, in model space and on both layouts, got its number and the filled content."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
found = {}
for layout in doc.layouts:
    for ref in layout.query("INSERT"):
        found[ref.get_attrib_text("图名")] = (layout.name, ref.get_attrib_text("图号"), ref.get_attrib_text("设计"))
want = {
    "模型左": ("Model", "S-01", "张三"),
    "模型右": ("Model", "S-02", "张三"),
    "布局一": ("施工-1", "S-03", "张三"),
    "布局二": ("施工-2", "S-05", "张三"),
}
if found != want:
    sys.exit("expected %r, found %r" % (want, found))
auditor = doc.audit()
if auditor.has_errors:
    sys.exit("ezdxf audit: %r" % [str(e) for e in auditor.errors])
