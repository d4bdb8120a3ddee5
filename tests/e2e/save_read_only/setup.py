"""A read-only drawing with an older backup beside it."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
t.empty_drawing(tmp)
with open(os.path.join(tmp, "input.bak"), "w") as f:
    f.write("an older version\n")
with open(os.path.join(tmp, "input.dxf"), "rb") as f:
    original = f.read()
with open(os.path.join(tmp, "original.dxf"), "wb") as f:
    f.write(original)
os.chmod(os.path.join(tmp, "input.dxf"), 0o444)
