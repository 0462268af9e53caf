# Loads a DXF file with ezdxf and fails when its audit reports errors.
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
for error in auditor.errors:
    print("audit error:", error.code, error.message)
sys.exit(1 if auditor.has_errors else 0)
