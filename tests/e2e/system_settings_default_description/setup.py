"""A stored discipline prefix, and a new template folder without a template description."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
os.makedirs(os.path.join(tmp, "newtpl"))
t.settings(tmp, ["[SYSEMSET]", "SPECNAME=电", "DEPARTCODE=XY"])
t.empty_drawing(tmp)
