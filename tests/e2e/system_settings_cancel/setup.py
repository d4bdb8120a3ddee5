"""A settings file written by hand (comments, CRLF, a discipline given by its first character)."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import template_drawing as t

with open(os.path.join(sys.argv[1], "module", "SHEETCONFIG.INI"), "wb") as f:
    f.write("; 手工编辑\r\n[SYSEMSET]\r\nUSERNAME = 老王\r\nSPECNAME=电\r\nDEPARTCODE=XY\r\n".encode("utf-8"))
t.empty_drawing(sys.argv[1])
