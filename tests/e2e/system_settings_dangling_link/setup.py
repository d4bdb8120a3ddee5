"""A new template folder whose TKATT.ini is a symbolic link to a file that does not exist,
outside the folder."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
os.makedirs(os.path.join(tmp, "newtpl"))
os.makedirs(os.path.join(tmp, "elsewhere"))
os.symlink(os.path.join("..", "elsewhere", "TKATT.ini"), os.path.join(tmp, "newtpl", "TKATT.ini"))
t.settings(tmp, ["[SYSEMSET]", "DEPARTCODE=XY"])
t.empty_drawing(tmp)
