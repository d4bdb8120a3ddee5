"""Three template folders with a description but no usable drawing: none at all, a binary DWG
file, a damaged DXF file."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
for name in ["missing", "dwg", "damaged"]:
    folder = os.path.join(tmp, name)
    os.makedirs(folder)
    with open(os.path.join(folder, "TKATT.ini"), "w", encoding="utf-8") as f:
        f.write("[TKNAMELIST]\nTKNAME0=A3\n")
with open(os.path.join(tmp, "dwg", "TK.dwg"), "wb") as f:
    f.write(b"AC1015\x00\x00\x00\x00\x00\x01\x03" + bytes(200))
with open(os.path.join(tmp, "damaged", "TK.dxf"), "w", encoding="utf-8") as f:
    # Entities alone are read (a partial drawing); a line that is not a group code is not.
    f.write("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\nxyz\nnot a number\n")
t.settings(tmp, ["[SYSEMSET]", "SHEETTEMPPATH=" + os.path.join(tmp, "missing"), "DEPARTCODE=CODE"])
t.empty_drawing(tmp)
