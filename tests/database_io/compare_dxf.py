# Compares a DXF file written by the host with the file it was read from,
# object by object (by handle) and group by group. Prints every difference
# that is not one of the documented changes and exits 1 when there is any.
# Usage: compare_dxf.py ORIGINAL WRITTEN
import collections
import re
import sys

# Changes the host makes on purpose (docs/usage.md lists them): variables
# it maintains itself; groups written with their default value where the
# original left them out; references of layers and block records to
# objects the host does not model (plot styles, materials, layouts).
ALLOWED_HEADER = {"$HANDSEED", "$EXTMIN", "$EXTMAX", "$DWGCODEPAGE"}
DEFAULTS = {210: {0.0}, 220: {0.0}, 230: {1.0}, 39: {0.0}, 38: {0.0}, 50: {0.0}, 51: {0.0}, 41: {0.0, 1.0},
            40: {0.0}, 42: {0.0, 1.0}, 73: {0}, 43: {1.0}, 44: {0.0}, 7: {"STANDARD"}, 71: {1}, 72: {0}, 11: {0.0, 1.0}, 21: {0.0},
            31: {0.0}, 12: {0.0}, 22: {0.0}, 32: {0.0}, 13: {0.0}, 23: {0.0}, 33: {0.0}, 290: {1}, 70: {0},
            390: {""}}
DOCUMENTED_LOSSES = {"LAYER": {390, 347}, "BLOCK_RECORD": {340, 70, 280, 281}}


def decode(raw):
    text = raw.decode("utf-8", errors="strict") if b"AC1015" not in raw[:400] and b"AC1018" not in raw[:400] \
        else raw.decode("cp1252", errors="replace")
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


def tags(path):
    lines = decode(open(path, "rb").read()).splitlines()
    return [(int(lines[i]), lines[i + 1].strip()) for i in range(0, len(lines) - 1, 2)]


def value(code, text):
    if 10 <= code < 60 or 110 <= code < 150 or 210 <= code < 240 or 460 <= code < 470 or 1010 <= code < 1060:
        try:
            return round(float(text), 9) + 0.0
        except ValueError:
            return text
    if 60 <= code < 100 or 160 <= code < 180 or 270 <= code < 300 or 370 <= code < 390 or 400 <= code < 410:
        try:
            return int(text)
        except ValueError:
            return text
    if code in (5, 105) or 320 <= code < 370 or 390 <= code < 400 or 480 <= code < 482 or code == 1005:
        return text.upper()
    if code in (6, 7, 8):
        return text.upper()
    return text


def objects(path):
    header, found, current = {}, {}, None
    all_tags = tags(path)
    section = None
    i = 0
    while i < len(all_tags):
        code, text = all_tags[i]
        if code == 0:
            current = [text, []]
            if text == "SECTION":
                section = all_tags[i + 1][1]
            i += 1
            while i < len(all_tags) and all_tags[i][0] != 0:
                current[1].append(all_tags[i])
                i += 1
            if section == "HEADER" and text == "SECTION":
                name = None
                for c, t in current[1][1:]:
                    if c == 9:
                        name = t
                        header[name] = []
                    elif name:
                        header[name].append((c, value(c, t)))
            handle = next((t.upper() for c, t in current[1] if c in (5, 105)), None)
            if handle and section != "HEADER":
                found[handle] = (current[0], [(c, value(c, t)) for c, t in current[1]])
            continue
        i += 1
    return header, found


def main(original_path, written_path):
    oh, oo = objects(original_path)
    wh, wo = objects(written_path)
    problems = []
    for name, groups in oh.items():
        if name in ALLOWED_HEADER:
            continue
        if name not in wh:
            problems.append(f"header {name}: missing")
        elif wh[name] != groups:
            problems.append(f"header {name}: {groups} became {wh[name]}")
    for handle, (kind, groups) in oo.items():
        if handle not in wo:
            problems.append(f"{kind} {handle}: missing")
            continue
        wkind, wgroups = wo[handle]
        if wkind != kind:
            problems.append(f"{kind} {handle}: written as {wkind}")
        lost = collections.Counter(groups) - collections.Counter(wgroups)
        added = collections.Counter(wgroups) - collections.Counter(groups)
        for code, v in list(added):
            if v in DEFAULTS.get(code, ()):
                del added[(code, v)]
        for code, v in list(lost):
            if code in DOCUMENTED_LOSSES.get(kind, ()):
                del lost[(code, v)]
        if lost or added:
            problems.append(f"{kind} {handle}: lost {sorted(lost.elements(), key=str)} added {sorted(added.elements(), key=str)}")
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
