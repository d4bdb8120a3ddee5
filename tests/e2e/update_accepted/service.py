"""Three offers: three quoted fields (the last one character long), a single field, and fields a
shell would act on."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import update_service as s

s.serve(sys.argv[1], [s.body('"a.zip"&"2.4"&"1"'), s.body('"only.zip"'),
                      s.body('"$(touch${IFS}pwned)"&"b;touch${IFS}pwned2"&"c d"')])
