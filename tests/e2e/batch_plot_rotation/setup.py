"""An 841 x 594 frame and a 594 x 594 one, both named for A1; a PDF device whose only "A1"
medium is portrait (594 x 841), beside the module's "DWG TO PDF" with its landscape "A1"."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
doc = p.new_drawing()
p.frame_block(doc, "WIDE-A1", 841, 594)
p.frame_block(doc, "SQUARE-A1", 594, 594)
msp = doc.modelspace()
p.add_frame(msp, "WIDE-A1", (0, 0), 841, [("图号", "R-01"), ("图名", "横图")])
p.add_frame(msp, "SQUARE-A1", (1000, 0), 594, [("图号", "R-02"), ("图名", "方图")])
doc.saveas(os.path.join(tmp, "input.dxf"))
p.device(os.path.join(p.plotters_folder(tmp), "Portrait PDF.pc3"), "pdf",
         [("A1_portrait_(594.00_x_841.00_MM)", "A1", 594, 841)])
p.office_format(tmp)
for folder in ("portrait", "landscape"):
    os.makedirs(os.path.join(tmp, folder))
