"""The office's template folder: CODE-A1 inserted twice, CODE-A4 never inserted; a working
drawing whose frame layer already exists with colour 1."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
folder = t.template_folder(tmp)
t.settings(tmp, ["[SYSEMSET]", "SHEETTEMPPATH=" + folder, "DEPARTCODE=CODE"])
doc = t.ezdxf.new("R2010")
doc.layers.add("C-TK", color=1)
doc.saveas(os.path.join(tmp, "input.dxf"))
