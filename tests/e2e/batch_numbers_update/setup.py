"""A sheet of five A3 frames (two rows, picked order differs from reading order), a line on the
frame layer, and a frame whose 图号 attribute lies on a locked layer."""
import os
import sys

import ezdxf

doc = ezdxf.new("R2010")
doc.layers.add("C-TK", color=7)
doc.layers.add("TK-LOCK", color=3).lock()
blk = doc.blocks.new("CODE-A3")
blk.add_lwpolyline([(0, 0), (420, 0), (420, 297), (0, 297)], close=True)
msp = doc.modelspace()


def frame(x, y, number, name, number_layer="C-TK"):
    ref = msp.add_blockref("CODE-A3", (x, y), dxfattribs={"layer": "C-TK"})
    ref.add_attrib("图号", number, (x + 300, y + 10), dxfattribs={"layer": number_layer, "height": 3.5})
    ref.add_attrib("图名", name, (x + 300, y + 20), dxfattribs={"layer": "C-TK", "height": 3.5})


# Drawing order: lower row right to left, then the upper row; the reading order is
# 总图 (upper left), 说明 (upper right), 一层, 二层, 三层 (lower row left to right).
frame(1000, 0, "old-3", "三层")
frame(500, 30, "old-2", "二层")
frame(0, -40, "old-1", "一层")
frame(500, 600, "old-u2", "说明")
frame(0, 600, "old-u1", "总图")
msp.add_line((0, -500), (1420, -500), dxfattribs={"layer": "C-TK"})
frame(0, -1200, "locked", "锁定", number_layer="TK-LOCK")
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
