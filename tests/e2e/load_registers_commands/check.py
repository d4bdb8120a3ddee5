"""The new drawing got the frame layer "C-TK" with colour 7 when the module loaded."""
import os
import sys

import ezdxf

doc = ezdxf.readfile(os.path.join(sys.argv[1], "out.dxf"))
layers = [l for l in doc.layers if l.dxf.name.upper() == "C-TK"]
if len(layers) != 1 or layers[0].dxf.name != "C-TK" or layers[0].dxf.color != 7:
    sys.exit("expected one layer C-TK with colour 7, found %r"
             % [(l.dxf.name, l.dxf.color) for l in layers])
