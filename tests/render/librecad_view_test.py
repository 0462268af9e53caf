# Another program sees what the host draws: a small plan written by ezdxf
# gets a leader and a duct from the host and is saved as DXF, then exported
# with the custom entities exploded. LibreCAD's dxf2pdf prints both files;
# each print, read back with pdftoppm, must carry its ink where our own plot
# of the same entities has ink (same proportions, same occupied cells), and
# must not be a blank page. The leader and duct lie outside the plan, so an
# exploded file that LibreCAD shows without them fails the comparison.
# Usage: librecad_view_test.py HOST
import os
import shutil
import subprocess
import sys
import tempfile

import ezdxf
from checks import check, exit_status, finish

host = sys.argv[1]
if not shutil.which("librecad"):
    sys.exit("FAILED: librecad is not installed (make deps installs it)")
work = tempfile.mkdtemp()
os.chdir(work)

def run(args, **kw):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=work)
    env.pop("DISPLAY", None)
    return subprocess.run(args, capture_output=True, text=True, env=env, timeout=120, **kw)


# The plan: walls, a door swing, a filled column with a hole, a hatched
# area, a label. The module's entities are made by the host below.
doc = ezdxf.new("R2000", units=ezdxf.units.MM)  # LibreCAD sizes its page by the units
msp = doc.modelspace()
msp.add_lwpolyline([(0, 0), (60, 0), (60, 40), (0, 40)], close=True)
msp.add_line((30, 0), (30, 40))
msp.add_arc((30, 10), 8, 0, 90)
hatch = msp.add_hatch(color=7)
hatch.paths.add_polyline_path([(5, 25), (15, 25), (15, 35), (5, 35)], is_closed=True)
hatch.paths.add_polyline_path([(8, 28), (12, 28), (12, 32), (8, 32)], is_closed=True)
pattern = msp.add_hatch(color=7)
pattern.set_pattern_fill("ANSI31", scale=0.5)
pattern.paths.add_polyline_path([(40, 5), (55, 5), (55, 20), (40, 20)], is_closed=True)
msp.add_text("OFFICE", dxfattribs={"height": 3, "insert": (5, 5)})
doc.saveas("plan.dxf")

with open("module.lsp", "w") as f:
    f.write('(entmake \'((0 . "ZKLEADER") (100 . "AcDbEntity") (8 . "0") (100 . "ZKLeader")'
            ' (10 60.0 30.0 0.0) (11 80.0 50.0 0.0) (12 130.0 50.0 0.0) (40 . 2.0)))\n'
            '(setvar "DIMSCALE" 20.0)\n'
            '(entmake \'((0 . "ZKDUCT") (100 . "AcDbEntity") (8 . "0") (100 . "ZkDuct")'
            ' (10 10.0 -20.0 0.0) (11 90.0 -20.0 0.0) (90 . 12) (1 . "12x8") (2 . "B.dwg") (92 . 1)))\n'
            '(princ (host-save "module.dxf"))\n')
result = run([host, "run", "--drawing", "plan.dxf", "module.lsp"])
check(result.returncode == 0 and os.path.exists("module.dxf"),
      "host saves the drawing: %s %s" % (result.stdout[-400:], result.stderr[-400:]))
result = run([host, "export", "module.dxf", "-o", "exploded.dxf", "--explode"])
check(result.returncode == 0, "exploded export: " + result.stderr)
for name in ("plan", "module"):
    result = run([host, "render", name + ".dxf", "-o", "ours-%s.pdf" % name])
    check(result.returncode == 0, "our plot of %s: %s" % (name, result.stderr))


def ink(pdf, stem):
    """The page as rows of booleans (True where not white), about 400 pixels wide."""
    result = run(["pdftoppm", "-gray", "-singlefile", "-scale-to", "400", pdf, stem])
    if result.returncode != 0:
        return None
    with open(stem + ".pgm", "rb") as f:
        data = f.read()
    fields = data.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    pixels = fields[4]
    return [[pixels[y * width + x] < 224 for x in range(width)] for y in range(height)]


def box(picture):
    xs = [x for row in picture for x, on in enumerate(row) if on]
    ys = [y for y, row in enumerate(picture) if any(row)]
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def cells(picture, n=8):
    """Which of n x n cells over the ink's bounding box hold ink."""
    x0, y0, x1, y1 = box(picture)
    w, h = max(1, x1 - x0 + 1), max(1, y1 - y0 + 1)
    on = set()
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if picture[y][x]:
                on.add((min(n - 1, (x - x0) * n // w), min(n - 1, (y - y0) * n // h)))
    return on


def compare(theirs, ours, what):
    a, b = box(theirs), box(ours)
    if not check(a is not None, what + ": LibreCAD printed a blank page"):
        return
    ra = (a[2] - a[0] + 1) / (a[3] - a[1] + 1)
    rb = (b[2] - b[0] + 1) / (b[3] - b[1] + 1)
    check(abs(ra / rb - 1) < 0.12, "%s: ink proportions %.2f in LibreCAD, %.2f in ours" % (what, ra, rb))
    ca, cb = cells(theirs), cells(ours)
    shared = len(ca & cb)
    check(shared >= 0.85 * len(cb) and shared >= 0.85 * len(ca),
          "%s: occupied cells differ: only LibreCAD %s, only ours %s" % (what, sorted(ca - cb), sorted(cb - ca)))


ours_plan = ink("ours-plan.pdf", "ours-plan")
ours_module = ink("ours-module.pdf", "ours-module")
check(ours_plan is not None and ours_module is not None, "pdftoppm reads our plots")
os.mkdir("printed")
for name, reference in (("module", ours_plan), ("exploded", ours_module)):
    # Monochrome, fitted to the page: only where the ink lies matters.
    result = run(["librecad", "dxf2pdf", "-a", "-m", "-t", "printed", name + ".dxf"])
    pdf = os.path.join("printed", name + ".pdf")
    if not check(result.returncode == 0 and os.path.exists(pdf),
                 "dxf2pdf prints %s.dxf: %s %s" % (name, result.stdout[-400:], result.stderr[-400:])):
        continue
    theirs = ink(pdf, "theirs-" + name)
    if check(theirs is not None, "pdftoppm reads LibreCAD's print of " + name) and reference is not None:
        # LibreCAD shows no custom entities: the saved drawing must show the
        # plan as we plot it; the exploded one everything we plot.
        compare(theirs, reference, name + ".dxf")

if finish(work):
    shutil.rmtree(work, ignore_errors=True)
sys.exit(exit_status())
