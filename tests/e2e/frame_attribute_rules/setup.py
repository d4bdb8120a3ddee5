"""Frames on a frame layer spelt "c-tk": one with two 图号 attributes, one whose name tag has a
trailing blank ("图名 "), and a circle on the layer that is no frame."""
import os
import sys

import ezdxf

doc = ezdxf.new("R2010")
doc.layers.add("c-tk", color=3)
blk = doc.blocks.new("CODE-A3")
blk.add_lwpolyline([(0, 0), (420, 0), (420, 297), (0, 297)], close=True)
msp = doc.modelspace()


def frame(x, y, atts):
    ref = msp.add_blockref("CODE-A3", (x, y), dxfattribs={"layer": "c-tk"})
    for k, (tag, text) in enumerate(atts):
        ref.add_attrib(tag, text, (x + 300, y + 10 + 10 * k), dxfattribs={"layer": "c-tk", "height": 3.5})


frame(0, 0, [("图号", "JS-01"), ("图号", "OLD-01"), ("图名", "一层平面图")])
frame(500, 0, [("图号", "JS-02"), ("图名 ", "带空格的标签")])
msp.add_circle((200, -300), 50, dxfattribs={"layer": "c-tk"})
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
