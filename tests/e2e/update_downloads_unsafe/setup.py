"""A download folder that everyone may write into (as one made with no access list is), holding
b.arx; the query is off."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
t.empty_drawing(tmp)
downloads = os.path.join(tmp, "module", "downdir")
os.makedirs(downloads)
os.chmod(downloads, 0o777)
with open(os.path.join(downloads, "b.arx"), "w") as f:
    f.write("planted")
