"""The default description was copied, the five keys stored with the preselected discipline."""
import os
import sys

tmp = sys.argv[1]
copied = open(os.path.join(tmp, "newtpl", "TKATT.ini"), "rb").read()
default = open(os.path.join(tmp, "module", "TKATT.ini"), "rb").read()
if copied != default:
    sys.exit("newtpl/TKATT.ini is not a copy of the module folder's default")
ini = open(os.path.join(tmp, "module", "SHEETCONFIG.INI"), encoding="utf-8").read()
for line in ["ROOTPATH=", "USERNAME=张三", "DEPARTCODE=XY", "SPECNAME=电气",
             "SHEETTEMPPATH=" + os.path.realpath(os.path.join(tmp, "newtpl"))]:
    if line not in ini.splitlines():
        sys.exit("missing %r in:\n%s" % (line, ini))
