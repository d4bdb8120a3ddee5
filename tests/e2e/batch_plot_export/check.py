"""The PLT pair and the usage document, a document in Chinese that word processors read: RTF with
the instructions' text, found again by decoding its Unicode escapes."""
import os
import re
import sys

out = os.path.join(sys.argv[1], "drivers")
names = sorted(os.listdir(out))
if names != ["DWG TO PLT.pc3", "DWG TO PLT.pmp", "使用说明.doc"]:
    sys.exit("files %r" % names)
raw = open(os.path.join(out, "使用说明.doc"), "rb").read()
if not raw.startswith(b"{\\rtf1") or not raw.rstrip().endswith(b"}"):
    sys.exit("not an RTF document")
text = re.sub(rb"\\u(-?\d+)\?", lambda m: chr(int(m.group(1)) % 65536).encode("utf-8"), raw).decode("utf-8")
for phrase in ("手动安装", "Plotters\\\\PMP Files", "DWG TO PDF.pc3", "A1+1/4"):
    if phrase not in text:
        sys.exit("the document does not say %r" % phrase)
