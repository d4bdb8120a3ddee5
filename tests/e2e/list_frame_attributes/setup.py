"""Frames for LIST: one with two attributes tagged 图名 and one tag with a trailing blank,
one line on the frame layer, and one frame on another layer."""
import os
import sys

import ezdxf

doc = ezdxf.new("R2010")
doc.layers.add("C-TK", color=7)
doc.layers.add("WALL", color=1)
blk = doc.blocks.new("CODE-A3")
blk.add_lwpolyline([(0, 0), (420, 0), (420, 297), (0, 297)], close=True)
msp = doc.modelspace()
ref = msp.add_blockref("CODE-A3", (0, 0), dxfattribs={"layer": "C-TK"})
ref.add_attrib("图名", "一层平面", (300, 20), dxfattribs={"layer": "C-TK"})
ref.add_attrib("图名", "重复", (300, 30), dxfattribs={"layer": "C-TK"})
ref.add_attrib("图号 ", "JS-01", (300, 10), dxfattribs={"layer": "C-TK"})
msp.add_line((0, -10), (420, -10), dxfattribs={"layer": "C-TK"})
msp.add_blockref("CODE-A3", (500, 0), dxfattribs={"layer": "WALL"})
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
