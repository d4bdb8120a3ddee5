"""The edited files are as the user left them; the missing one is the module's."""
import filecmp
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
plotters = os.path.join(tmp, "data", "vxhost", "Plotters")
shipped = os.path.join(tmp, "module", "plotters")
for name in ("DWG TO PDF.pc3", "DWG TO DWF.pc3", "DWG TO PLT.pc3"):
    if filecmp.cmp(os.path.join(plotters, name), os.path.join(shipped, name), shallow=False):
        sys.exit("%s was replaced" % name)
for name in ("DWG TO PDF.pmp", "DWG TO DWF.pmp"):
    if filecmp.cmp(os.path.join(plotters, "PMP Files", name), os.path.join(shipped, name), shallow=False):
        sys.exit("%s was replaced" % name)
if not filecmp.cmp(os.path.join(plotters, "PMP Files", "DWG TO PLT.pmp"), os.path.join(shipped, "DWG TO PLT.pmp"),
                   shallow=False):
    sys.exit("the missing DWG TO PLT.pmp was not installed")
if os.path.exists(os.path.join(plotters, "使用说明.doc")):
    sys.exit("the usage document was installed")
