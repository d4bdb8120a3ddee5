"""Sixty A1 frames of the sample office, drawn in an order unlike their numbers, a line on the
frame layer and a frame on another layer."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import ezdxf

import catalogue_drawing as c

doc = c.new_drawing()
doc.layers.add("C-TK", color=7)
doc.layers.add("WALL", color=1)
c.frame_block(doc, "CODE-A1")
msp = doc.modelspace()
order = [(k * 37) % 60 + 1 for k in range(60)]  # every number once, out of order
for i, n in enumerate(order):
    c.add_frame(msp, "CODE-A1", (i * 1000, 0), [("图号", "S-%02d" % n), ("图名", "图纸%d" % n),
                                                ("比例", "1:100"), ("日期", "2024.05")])
msp.add_line((0, -100), (60000, -100), dxfattribs={"layer": "C-TK"})
c.add_frame(msp, "CODE-A1", (0, 5000), [("图号", "S-00")], layer="WALL")
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
