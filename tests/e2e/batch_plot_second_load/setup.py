"""A user's plotter folders that already hold the module's drivers, edited (the PDF and DWF
pairs, the PLT configuration); only "DWG TO PLT.pmp" is missing; a drawing without frames."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
p.new_drawing().saveas(os.path.join(tmp, "input.dxf"))
plotters = p.plotters_folder(tmp)
for name in ("DWG TO PDF", "DWG TO DWF", "DWG TO PLT"):
    p.device(os.path.join(plotters, name + ".pc3"), "pdf", [("OFFICE_A1", "A1", 841, 594)],
             ' media_file="%s.pmp\n' % name)
for name in ("DWG TO PDF", "DWG TO DWF"):
    p.pia_file(os.path.join(plotters, "PMP Files", name + ".pmp"), "PMPVER1",
               "description=\"本院修改\nmedia{\n" + p.medium(0, "OFFICE_A1", "A1", 841, 594) + "}\n")
