"""Three frames on C-TK: A-01, A-02 and one without a 图号 attribute; the drawing has the
layout "Layout1" (and one named 布局7 is added by the second run, see the script)."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import ezdxf

import catalogue_drawing as c

doc = c.new_drawing()
doc.layers.add("C-TK", color=7)
c.frame_block(doc, "CODE-A3", 420, 297)
msp = doc.modelspace()
c.add_frame(msp, "CODE-A3", (0, 0), [("图号", "A-01"), ("图名", "一")])
c.add_frame(msp, "CODE-A3", (500, 0), [("图号", "A-02"), ("图名", "二")])
c.add_frame(msp, "CODE-A3", (1000, 0), [("图名", "无号")])
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
