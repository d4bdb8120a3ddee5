"""Three frames: S-01 on A3, S-02 and S-03 on A1."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
doc = p.new_drawing()
p.frame_block(doc, "CODE-A3", 420, 297)
p.frame_block(doc, "CODE-A1", 841, 594)
msp = doc.modelspace()
p.add_frame(msp, "CODE-A1", (0, 0), 841, [("图号", "S-03"), ("图名", "三")])
p.add_frame(msp, "CODE-A3", (1000, 0), 420, [("图号", "S-01"), ("图名", "一")])
p.add_frame(msp, "CODE-A1", (2000, 0), 841, [("图号", "S-02"), ("图名", "二")])
doc.saveas(os.path.join(tmp, "input.dxf"))
p.office_format(tmp)
