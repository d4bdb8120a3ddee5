"""Frames in model space and on two paper-space layouts whose tab order differs from the order
they were made in (施工-2 was made first but stands last); a line on C-TK in a layout too."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
folder = t.template_folder(tmp, drawing=False)
t.settings(tmp, ["[SYSEMSET]", "SHEETTEMPPATH=" + folder, "DEPARTCODE=CODE", "[ATTRVALUE]", "设计=张三"])

doc = t.ezdxf.new("R2010")
doc.layers.add("C-TK", color=7)
t.frame_block(doc, "CODE-A3", 420, 297)
msp = doc.modelspace()
t.insert_frame(msp, "CODE-A3", (500, 0), [("图号", "M-2"), ("图名", "模型右"), ("设计", "")], layer="C-TK")
t.insert_frame(msp, "CODE-A3", (0, 0), [("图号", "M-1"), ("图名", "模型左"), ("设计", "")], layer="C-TK")
second = doc.layouts.new("施工-2")
t.insert_frame(second, "CODE-A3", (0, 0), [("图号", "P-2"), ("图名", "布局二"), ("设计", "")], layer="C-TK")
first = doc.layouts.new("施工-1")
t.insert_frame(first, "CODE-A3", (0, 0), [("图号", "P-1"), ("图名", "布局一"), ("设计", "")], layer="C-TK")
first.add_line((0, -10), (420, -10), dxfattribs={"layer": "C-TK"})
doc.layouts.get("Layout1").dxf.taborder = 1
first.dxf.taborder = 2
second.dxf.taborder = 3
doc.saveas(os.path.join(tmp, "input.dxf"))
