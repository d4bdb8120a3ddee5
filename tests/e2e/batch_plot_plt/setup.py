"""One A2 frame with a drawing in it, for the plotter file driver."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
doc = p.new_drawing()
p.frame_block(doc, "CODE-A2", 594, 420)
msp = doc.modelspace()
p.add_frame(msp, "CODE-A2", (0, 0), 594, [("图号", "结施-01"), ("图名", "基础平面图")])
msp.add_circle((200, 200), 80)
msp.add_lwpolyline([(100, 100), (400, 100), (400, 300)], dxfattribs={"const_width": 2})
doc.saveas(os.path.join(tmp, "input.dxf"))
os.makedirs(os.path.join(tmp, "out"))
p.office_format(tmp)
