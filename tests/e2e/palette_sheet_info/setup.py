"""Stored contents for the listed tags only; the frames carry unlisted tags too."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
folder = t.template_folder(tmp, drawing=False)
t.settings(tmp, ["[SYSEMSET]", "SHEETTEMPPATH=" + folder, "DEPARTCODE=CODE",
                 "[ATTRVALUE]", "设计=张三", "校对=李四", "审核=王审", "图名=不该写"])
t.project_drawing(tmp)
