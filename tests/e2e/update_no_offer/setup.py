"""An updater beside the module, which none of the answers may start."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t
import update_service as s

t.empty_drawing(sys.argv[1])
s.updater(sys.argv[1])
