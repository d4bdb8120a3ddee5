"""Three A3 frames (one without 图名), picked order unlike the reading order, and a line on the
frame layer that the all-frames choice catches."""
import os
import sys

import ezdxf

doc = ezdxf.new("R2010")
doc.layers.add("C-TK", color=7)
blk = doc.blocks.new("CODE-A3")
blk.add_lwpolyline([(0, 0), (420, 0), (420, 297), (0, 297)], close=True)
msp = doc.modelspace()


def frame(x, y, atts):
    ref = msp.add_blockref("CODE-A3", (x, y), dxfattribs={"layer": "C-TK"})
    for k, (tag, text) in enumerate(atts):
        ref.add_attrib(tag, text, (x + 300, y + 10 + 10 * k), dxfattribs={"layer": "C-TK", "height": 3.5})


frame(500, 0, [("图号", "JS-02"), ("图名", "二层平面图")])
frame(0, 0, [("图号", "JS-01"), ("图名", "一层平面图")])
frame(0, -400, [("图号", "JS-03")])
msp.add_line((0, -800), (920, -800), dxfattribs={"layer": "C-TK"})
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
