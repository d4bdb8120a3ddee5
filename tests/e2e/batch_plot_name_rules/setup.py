"""Frames whose block names, drawing numbers and names try the rules of the rows: sizes taken from
the block name, the name of a frame without attributes, the order of drawing numbers, and names
that cannot be file names as they are (a path in the name, a name used twice, one too long)."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
doc = p.new_drawing()
sizes = {"TK-A1": (841, 594), "TK-目录A4": (210, 297), "TK-B": (297, 210), "A3": (420, 297),
         "CODE-A1+1-4": (1051, 594), "CODE-A2+1-2": (891, 420), "TK-A2": (594, 420), "TK-A3": (420, 297)}
for name, (w, h) in sizes.items():
    p.frame_block(doc, name, w, h)
frames = [
    ("TK-A1", []),
    ("TK-目录A4", [("图号", "S-12"), ("图名", "图纸目录")]),
    ("TK-B", [("图号", "S-3"), ("图名", "说明")]),
    ("A3", [("图号", "S-07"), ("图名", "大样")]),
    ("CODE-A1+1-4", [("图号", "S-1A"), ("图名", "加长")]),
    ("CODE-A2+1-2", [("图号", "S-AB"), ("图名", "总图")]),
    ("TK-A2", [("图号", "S-20"), ("图名", "../上级/平面")]),
    ("TK-A2", [("图号", "S-21"), ("图名", "立面")]),
    ("TK-A2", [("图号", "S-21"), ("图名", "立面")]),
    ("TK-A3", [("图号", "S-22"), ("图名", "长" * 90)]),
]
msp = doc.modelspace()
for k, (block, texts) in enumerate(frames):
    p.add_frame(msp, block, (k * 1200, 0), sizes[block][0], texts)
doc.saveas(os.path.join(tmp, "input.dxf"))
os.makedirs(os.path.join(tmp, "out"))
p.office_format(tmp)
