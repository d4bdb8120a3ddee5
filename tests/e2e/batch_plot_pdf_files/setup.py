"""Three frames of a project, drawn out of the order of their numbers (two A1, one A3), a line on
the frame layer, an output folder, the office's plot-name format left to its default, and two devices of
names the dialog never offers."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

doc = p.new_drawing()
p.frame_block(doc, "CODE-A1", 841, 594)
p.frame_block(doc, "CODE-A3", 420, 297)
msp = doc.modelspace()
p.add_frame(msp, "CODE-A1", (0, 0), 841, [("图号", "建施-03"), ("图名", "三层平面图")])
p.add_frame(msp, "CODE-A3", (1000, 0), 420, [("图号", "建施-02"), ("图名", "二层平面图")])
msp.add_line((0, -50), (2000, -50), dxfattribs={"layer": "C-TK"})
p.add_frame(msp, "CODE-A1", (2000, 0), 841, [("图号", "建施-01"), ("图名", "首层平面图")])
msp.add_circle((2400, 300), 150)
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
os.makedirs(os.path.join(sys.argv[1], "out"))
p.office_format(sys.argv[1])
# Devices a user is never offered, whatever their driver.
plotters = p.plotters_folder(sys.argv[1])
for name in ("Microsoft Print to PDF.pc3", "DWF6 ePlot.pc3"):
    p.device(os.path.join(plotters, name), "pdf", [("A1_(841.00_x_594.00_MM)", "A1", 841, 594)])
