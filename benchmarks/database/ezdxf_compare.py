# Times ezdxf reading and writing the DXF that bench_database leaves in the
# temp folder, to compare with the drawing file benchmark of this project.
# Usage: /usr/bin/python3 ezdxf_compare.py [path] [our_load_ms our_save_ms]
import os
import sys
import tempfile
import time

import ezdxf

path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(tempfile.gettempdir(), "orv_bench_100000.dxf")
start = time.perf_counter()
doc = ezdxf.readfile(path)
read_s = time.perf_counter() - start
out = path + ".ezdxf.dxf"
start = time.perf_counter()
doc.saveas(out)
write_s = time.perf_counter() - start
os.remove(out)
count = len(doc.modelspace())
print(f"ezdxf {ezdxf.__version__}: {count} entities, {os.path.getsize(path) / 1e6:.1f} MB")
print(f"ezdxf read  {read_s * 1000:8.0f} ms")
print(f"ezdxf write {write_s * 1000:8.0f} ms")
if len(sys.argv) > 3:
    ours_load, ours_save = float(sys.argv[2]), float(sys.argv[3])
    print(f"load: ours {ours_load:.0f} ms, {read_s * 1000 / ours_load:.1f}x faster")
    print(f"save: ours {ours_save:.0f} ms, {write_s * 1000 / ours_save:.1f}x faster")
