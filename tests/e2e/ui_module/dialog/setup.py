"""An empty drawing to run in, so that the run does not depend on the host's default drawing."""
import os
import sys

import ezdxf

ezdxf.new("R2010").saveas(os.path.join(sys.argv[1], "input.dxf"))
