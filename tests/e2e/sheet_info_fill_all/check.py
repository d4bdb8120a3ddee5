"""The frames on C-TK got the listed contents, nothing else changed."""
import os
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
refs = doc.modelspace().query("INSERT")
want = [
    [("图号", "JS-01"), ("图名", "一层平面图"), ("设计", "张三"), ("校对", "李校"), ("备注", "不动")],
    [("图号", "JS-02"), ("设计", "张三")],
    [("设计", "别层")],
]
got = [t.attribs(r) for r in refs]
if got != want:
    sys.exit("attributes %r, expected %r" % (got, want))
if len(doc.modelspace().query("LINE[layer=='C-TK']")) != 1:
    sys.exit("the line on C-TK should be left as it was")
ini = open(os.path.join(sys.argv[1], "module", "SHEETCONFIG.INI"), encoding="utf-8").read()
if "李校" in ini:
    sys.exit("filling must not save the contents")
