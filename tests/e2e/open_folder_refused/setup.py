"""The drawing named on the command line is a folder."""
import os
import sys

os.makedirs(os.path.join(sys.argv[1], "input.dxf"))
