# Times ezdxf on the DXF that bench_database leaves in the temp folder: reading
# it, writing its own copy, and reading that copy back. The copy is the
# "ezdxf-written file" that bench_database's BM_LoadFile loads (ORV_BENCH_DXF).
# Usage: /usr/bin/python3 ezdxf_compare.py [--json] [path [copy_path]]
#   --json prints {"read_ours": ms, "write": ms, "read_own": ms} and keeps the copy.
import json
import os
import sys
import tempfile
import time

import ezdxf

args = [a for a in sys.argv[1:] if a != "--json"]
as_json = len(args) < len(sys.argv) - 1
path = args[0] if args else os.path.join(tempfile.gettempdir(), "orv_bench_100000.dxf")
copy = args[1] if len(args) > 1 else path + ".ezdxf.dxf"


# Process CPU time, as the benchmark table reports for this project's figures
# (a shared machine's load inflates wall time far more).
def timed(action):
    start = time.process_time()
    result = action()
    return result, (time.process_time() - start) * 1000


doc, read_ours = timed(lambda: ezdxf.readfile(path))
count = len(doc.modelspace())
_, write = timed(lambda: doc.saveas(copy))
del doc
_, read_own = timed(lambda: ezdxf.readfile(copy))
if as_json:
    print(json.dumps({"read_ours": read_ours, "write": write, "read_own": read_own}))
else:
    os.remove(copy)
    print(f"ezdxf {ezdxf.__version__}: {count} entities, {os.path.getsize(path) / 1e6:.1f} MB")
    print(f"ezdxf read  {read_ours:8.0f} ms")
    print(f"ezdxf write {write:8.0f} ms")
    print(f"ezdxf read of its own copy {read_own:8.0f} ms")
