"""A printer configured by the office (a .pc3 for a print queue) with A1, A3 and A4 sheets, and
two A1 frames."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
doc = p.new_drawing()
p.frame_block(doc, "CODE-A1", 841, 594)
msp = doc.modelspace()
p.add_frame(msp, "CODE-A1", (0, 0), 841, [("图号", "P-01"), ("图名", "一")])
p.add_frame(msp, "CODE-A1", (1000, 0), 841, [("图号", "P-02"), ("图名", "二")])
doc.saveas(os.path.join(tmp, "input.dxf"))
p.office_format(tmp)
p.device(os.path.join(p.plotters_folder(tmp), "Office Printer.pc3"), "printer",
         [("iso_a4_210x297mm", "A4", 210, 297), ("iso_a1_594x841mm", "A1", 841, 594),
          ("iso_a3_297x420mm", "A3", 420, 297)],
         ' plot_to_file=1\n printer="vx-no-such-queue\n')
