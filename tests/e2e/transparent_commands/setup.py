"""An empty drawing made by another program: no frame layer yet."""
import os
import sys

import ezdxf

ezdxf.new("R2010").saveas(os.path.join(sys.argv[1], "input.dxf"))
