"""An office whose catalogue has three columns of odd widths (1001, 3001, 2000), its first cell
corner at (0, 1000) and three rows per sheet; frames numbered S-10, S-02, S-1, S-112, S-20 and
one of a block without "-" in its name, a line on the frame layer."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import ezdxf

import catalogue_drawing as c
import template_drawing as t

tmp = sys.argv[1]
folder = os.path.join(tmp, "tpl")
os.makedirs(folder)
tpl = ezdxf.new("R2010")
tpl.styles.add("HZ", font="simplex.shx")
sheet = tpl.blocks.new("ABC-目录单")
sheet.add_lwpolyline([(0, 0), (6002, 0), (6002, 3000), (0, 3000)], close=True)
# The style of the catalogue's texts comes along with the sheet (its attribute uses it).
sheet.add_attdef("工程名称", (3000, 2500), dxfattribs={"height": 200, "style": "HZ"})
ref = tpl.modelspace().add_blockref("ABC-目录单", (70000, 5000))
ref.add_attrib("工程名称", "", (73000, 7500), dxfattribs={"height": 200, "style": "HZ"})
tpl.saveas(os.path.join(folder, "TK.dxf"))
with open(os.path.join(folder, "TKATT.ini"), "w", encoding="utf-8") as f:
    f.write("[TZML]\natts=图号,名称,<图幅>\ntableWidths=80,200\nlens=1001,3001,2000\n"
            "fontType=HZ\nmaxNUm=3\nfontsize=250\ndisOffX=0\ndisOffY=1000\n")
t.settings(tmp, ["[SYSEMSET]", "SHEETTEMPPATH=" + folder, "DEPARTCODE=ABC"])

doc = c.new_drawing()
doc.layers.add("C-TK", color=7)
c.frame_block(doc, "ABC-A3", 420, 297)
c.frame_block(doc, "FRAME", 420, 297)
msp = doc.modelspace()
for i, (number, name) in enumerate([("S-10", "十"), ("S-02", "二"), ("S-1", "一"), ("S-112", "十二"), ("S-20", "二十")]):
    c.add_frame(msp, "ABC-A3", (i * 500, 0), [("图号", number), ("名称", name)])
c.add_frame(msp, "FRAME", (0, 1000), [("名称", "无号")])
msp.add_line((0, -100), (3000, -100), dxfattribs={"layer": "C-TK"})
doc.saveas(os.path.join(tmp, "input.dxf"))
