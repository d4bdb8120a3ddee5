"""Only 设计 and 校对 changed; 图号, 图名 and 备注 kept their texts."""
import os
import sys

import ezdxf

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

doc = ezdxf.readfile(os.path.join(sys.argv[1], "input.dxf"))
got = [t.attribs(r) for r in doc.modelspace().query("INSERT")]
want = [
    [("图号", "JS-01"), ("图名", "一层平面图"), ("设计", "张三"), ("校对", "李四"), ("备注", "不动")],
    [("图号", "JS-02"), ("设计", "张三")],
    [("设计", "别层")],
]
if got != want:
    sys.exit("attributes %r, expected %r" % (got, want))
