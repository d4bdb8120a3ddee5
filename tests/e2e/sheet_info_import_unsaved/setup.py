"""Stored contents, and a project drawing whose first frame is the one imported from."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
folder = t.template_folder(tmp, drawing=False)
t.settings(tmp, ["[SYSEMSET]", "SHEETTEMPPATH=" + folder, "DEPARTCODE=CODE",
                 "[ATTRVALUE]", "设计=张三", "审核=王审"])
t.project_drawing(tmp)
