"""Texts to compose a drawing name from (one starting with the list mark, one multi-line text)
and two frames, the second without a 图名 attribute."""
import os
import sys

import ezdxf

doc = ezdxf.new("R2010")
doc.layers.add("C-TK", color=7)
blk = doc.blocks.new("CODE-A3")
blk.add_lwpolyline([(0, 0), (420, 0), (420, 297), (0, 297)], close=True)
msp = doc.modelspace()
named = msp.add_blockref("CODE-A3", (0, 0), dxfattribs={"layer": "C-TK"})
named.add_attrib("图号", "JS-01", (300, 10), dxfattribs={"layer": "C-TK", "height": 3.5})
named.add_attrib("图名", "旧图名", (300, 20), dxfattribs={"layer": "C-TK", "height": 3.5})
unnamed = msp.add_blockref("CODE-A3", (500, 0), dxfattribs={"layer": "C-TK"})
unnamed.add_attrib("图号", "JS-02", (800, 10), dxfattribs={"layer": "C-TK", "height": 3.5})
msp.add_text("、首层", dxfattribs={"insert": (0, -300), "height": 10})
msp.add_text("平面图", dxfattribs={"insert": (200, -300), "height": 10})
msp.add_mtext("{\\fSimSun|b0;二层}\\P平面", dxfattribs={"insert": (400, -290), "char_height": 10})
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
