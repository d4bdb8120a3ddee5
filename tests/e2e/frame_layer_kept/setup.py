"""A drawing that already has the frame layer, written in lower case and with colour 1."""
import os
import sys

import ezdxf

doc = ezdxf.new("R2010")
doc.layers.add("c-tk", color=1)
doc.modelspace().add_line((0, 0), (10, 0), dxfattribs={"layer": "c-tk"})
doc.saveas(os.path.join(sys.argv[1], "input.dxf"))
