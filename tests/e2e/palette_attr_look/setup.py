"""Two frames with a 20-character and a 10-character 图名, a line on the frame layer, and a
frame whose 图名 lies on a locked layer."""
import os
import sys

import ezdxf

doc = ezdxf.new("R2010")
doc.layers.add("C-TK", color=7)
doc.layers.add("TK-LOCK", color=3).lock()
blk = doc.blocks.new("CODE-A3")
blk.add_lwpolyline([(0, 0), (420, 0), (420, 297), (0, 297)], close=True)
msp = doc.modelspace()


def frame(x, name, name_layer="C-TK"):
    ref = msp.add_blockref("CODE-A3", (x, 0), dxfattribs={"layer": "C-TK"})
    ref.add_attrib("图号", "JS-01", (x + 300, 10), dxfattribs={"layer": "C-TK", "height": 3.5})
    ref.add_attrib("图名", name, (x + 300, 20), dxfattribs={"layer": name_layer, "height": 3.5})


frame(0, "一二三四五六七八九十甲乙丙丁戊己庚辛壬癸")
frame(500, "一层平面图一层平面图")
msp.add_line((0, -100), (920, -100), dxfattribs={"layer": "C-TK"})
frame(1000, "锁定的图名", name_layer="TK-LOCK")
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
