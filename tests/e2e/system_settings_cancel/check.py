"""The settings file is byte for byte as it was."""
import os
import sys

data = open(os.path.join(sys.argv[1], "module", "SHEETCONFIG.INI"), "rb").read()
want = "; 手工编辑\r\n[SYSEMSET]\r\nUSERNAME = 老王\r\nSPECNAME=电\r\nDEPARTCODE=XY\r\n".encode("utf-8")
if data != want:
    sys.exit("settings file changed: %r" % data)
