"""No template folder and no organisation code yet; a template folder ready to be chosen."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
t.template_folder(tmp)
t.settings(tmp, ["[SYSEMSET]"])
t.empty_drawing(tmp)
