"""The shipped sample project drawing (twelve A1 sheets of one project) and an output folder; the
office's template folder is the shipped sample's, whose plot-name format is
"<工程名称>_<图号>_<图名>"."""
import os
import shutil
import sys

top = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
shutil.copy(os.path.join(top, "samples", "drawings", "project.dxf"), os.path.join(sys.argv[1], "input.dxf"))
os.makedirs(os.path.join(sys.argv[1], "out"))
