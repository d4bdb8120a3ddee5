"""A printer configuration for the CUPS queue the test environment names (a PDF queue whose
output folder is VX_TEST_CUPS_PDF_DIR, by default the cups-pdf folder ~/PDF of the user running the
test), and an A1 and an A2 frame."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
doc = p.new_drawing()
p.frame_block(doc, "CODE-A1", 841, 594)
p.frame_block(doc, "CODE-A2", 594, 420)
msp = doc.modelspace()
p.add_frame(msp, "CODE-A1", (0, 0), 841, [("图号", "Q-01"), ("图名", "打印一")])
p.add_frame(msp, "CODE-A2", (1000, 0), 594, [("图号", "Q-02"), ("图名", "打印二")])
doc.saveas(os.path.join(tmp, "input.dxf"))
p.office_format(tmp)
p.device(os.path.join(p.plotters_folder(tmp), "Test Queue.pc3"), "printer",
         [("iso_a1_594x841mm", "A1", 841, 594), ("iso_a2_420x594mm", "A2", 594, 420),
          ("iso_a3_297x420mm", "A3", 420, 297)],
         ' plot_to_file=1\n printer="%s\n' % os.environ["VX_TEST_CUPS_QUEUE"])
