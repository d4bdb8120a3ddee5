"""A drawing without frames and an empty folder to export into."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import plot_drawing as p

tmp = sys.argv[1]
p.new_drawing().saveas(os.path.join(tmp, "input.dxf"))
os.makedirs(os.path.join(tmp, "drivers"))
