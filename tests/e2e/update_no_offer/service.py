"""One answer per load: "-1", "0", "0" with a line end, binary garbage, a 50 MB body and an
error page; none of them offers an update."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import update_service as s

s.serve(sys.argv[1], [s.body("-1"), s.body("0"), s.body("0\r\n"), s.body(b"\x00\x01\xfe\xff&\x02\x03"),
                      s.huge(50 << 20), s.body('"a.zip"&"2.4"', status=404)])
