"""The office's template folder and an empty drawing."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
folder = t.template_folder(tmp)
t.settings(tmp, ["[SYSEMSET]", "SHEETTEMPPATH=" + folder, "DEPARTCODE=CODE"])
t.empty_drawing(tmp)
