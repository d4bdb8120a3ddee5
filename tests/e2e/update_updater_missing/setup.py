"""No updater: the module folder holds only the module and its files."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

t.empty_drawing(sys.argv[1])
