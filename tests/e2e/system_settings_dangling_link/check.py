"""Nothing was created through the link; the link is as it was."""
import os
import sys

tmp = sys.argv[1]
if os.listdir(os.path.join(tmp, "elsewhere")):
    sys.exit("a file was created outside the template folder: %r" % os.listdir(os.path.join(tmp, "elsewhere")))
link = os.path.join(tmp, "newtpl", "TKATT.ini")
if not os.path.islink(link) or os.readlink(link) != os.path.join("..", "elsewhere", "TKATT.ini"):
    sys.exit("the link was replaced")
