"""The service is unreachable. An earlier update left files in the download folder: a.arx (a
newer copy of the module folder's), notes.txt, a folder, a link, a pipe and a file whose name
would lead out of the module folder."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

tmp = sys.argv[1]
t.empty_drawing(tmp)
module = os.path.join(tmp, "module")
downloads = os.path.join(module, "downdir")
os.makedirs(os.path.join(downloads, "sub"))
os.chmod(downloads, 0o700)
for folder, name, text in [(module, "a.arx", "old"), (downloads, "a.arx", "new"), (downloads, "notes.txt", "notes"),
                           (os.path.join(downloads, "sub"), "inner.txt", "inner"),
                           (downloads, "..\\escaped.txt", "escaped"), (tmp, "target.txt", "target")]:
    with open(os.path.join(folder, name), "w") as f:
        f.write(text)
os.symlink(os.path.join(tmp, "target.txt"), os.path.join(downloads, "link.txt"))
os.mkfifo(os.path.join(downloads, "pipe"))
# Port 9 (discard) has no listener here: the connection is refused at once.
with open(os.path.join(tmp, "service_url"), "w") as f:
    f.write("http://127.0.0.1:9/")
