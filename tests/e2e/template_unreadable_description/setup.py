"""A template folder whose TKATT.ini holds no description (UTF-16 without its byte-order mark)
and whose drawing has a block named with a "*" besides CODE-A3."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
folder = t.template_folder(tmp, description=False)
with open(os.path.join(folder, "TKATT.ini"), "wb") as f:
    f.write("[TKNAMELIST]\r\nTKNAME0=A3\r\n".encode("utf-16-le"))
# ezdxf refuses such a name, as CAD programs do; damaged and foreign files still hold them.
drawing = os.path.join(folder, "TK.dxf")
text = open(drawing, encoding="utf-8").read().replace("CODE-A4", "CODE*A4")
open(drawing, "w", encoding="utf-8").write(text)
t.settings(tmp, ["[SYSEMSET]", "SHEETTEMPPATH=" + folder, "DEPARTCODE=CODE"])
t.empty_drawing(tmp)
