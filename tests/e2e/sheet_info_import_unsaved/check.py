"""Both frames on C-TK got the contents imported from the frame on WALL: 设计 from it, 校对
emptied since that frame has none; the frame imported from is not in the window."""
import os
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
got = [t.attribs(r) for r in doc.modelspace().query("INSERT")]
want = [
    [("图号", "JS-01"), ("图名", "一层平面图"), ("设计", "别层"), ("校对", ""), ("备注", "不动")],
    [("图号", "JS-02"), ("设计", "别层")],
    [("设计", "别层")],
]
if got != want:
    sys.exit("attributes %r, expected %r" % (got, want))
ini = open(os.path.join(sys.argv[1], "module", "SHEETCONFIG.INI"), encoding="utf-8").read()
if "设计=张三" not in ini or "审核=王审" not in ini:
    sys.exit("the stored contents must stay as they were:\n" + ini)
