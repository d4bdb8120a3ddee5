"""b.arx stays in the download folder."""
import os
import sys

tmp = sys.argv[1]
if os.path.exists(os.path.join(tmp, "module", "b.arx")):
    sys.exit("b.arx was moved out of a folder others may write into")
if not os.path.exists(os.path.join(tmp, "module", "downdir", "b.arx")):
    sys.exit("b.arx is gone")
