#!/usr/bin/python3
# Runs every benchmark program of a Release build and the ezdxf comparison,
# then prints one table: each figure beside its anchor (benchmarks/anchors.json)
# and the ratio. Figures are CPU time per iteration unless marked wall clock.
# Usage: bench_report.py BUILD_DIR [--filter REGEX] [--json OUT]
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
# In run order: bench_database leaves the 100,000-entity DXF for ezdxf.
PROGRAMS = ["bench_loads", "bench_projectdb", "bench_ducts", "bench_database", "bench_duct_entity",
            "bench_loaddetail", "bench_render", "bench_rooms", "bench_solids"]
COUNTER_SKIP = {"items_per_second"}


def stable_name(name):
    """A benchmark's name without the run options Google Benchmark appends."""
    return re.sub(r"/(iterations|repeats|real_time|min_time|manual_time)(:[^/]*)?", "", name)


def milliseconds(run, clock):
    """The run's time per iteration in ms: CPU time, which other work on a
    shared machine inflates far less than wall time, or wall time where the
    work happens in another process (a database server)."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run.get("time_unit", "ns")]
    return run["real_time" if clock == "wall" else "cpu_time"] * scale


def run_program(path, extra_env=None, bench_filter=None):
    """Runs one benchmark program; returns {name: run} from its JSON output."""
    with tempfile.NamedTemporaryFile(suffix=".json", delete=False) as out:
        out_path = out.name
    cmd = [path, "--benchmark_out=" + out_path, "--benchmark_out_format=json"]
    if bench_filter:
        cmd.append("--benchmark_filter=" + bench_filter)
    env = dict(os.environ, **(extra_env or {}))
    print("running " + " ".join(cmd[:1] + cmd[3:]), file=sys.stderr, flush=True)
    result = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    runs = {}
    try:
        with open(out_path) as f:
            data = json.load(f)
        for run in data.get("benchmarks", []):
            if run.get("run_type", "iteration") != "iteration" or run.get("error_occurred"):
                continue
            runs[stable_name(run["name"])] = run
    except (OSError, ValueError):
        pass
    finally:
        if os.path.exists(out_path):
            os.remove(out_path)
    if result.returncode != 0:
        print(f"{os.path.basename(path)} exited with {result.returncode}:\n{result.stdout[-2000:]}", file=sys.stderr)
    return runs


def run_ezdxf(dxf_path, own_path):
    """ezdxf reading our file, writing its own copy, and reading that copy (ms)."""
    cmd = ["/usr/bin/python3", os.path.join(HERE, "database", "ezdxf_compare.py"), "--json", dxf_path, own_path]
    print("running ezdxf_compare.py", file=sys.stderr, flush=True)
    result = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        print("ezdxf comparison failed:\n" + result.stderr[-2000:], file=sys.stderr)
        return {}
    return json.loads(result.stdout)


def format_ms(ms):
    if ms is None:
        return "-"
    if ms >= 100:
        return f"{ms:.0f} ms"
    if ms >= 1:
        return f"{ms:.2f} ms"
    if ms >= 0.001:
        return f"{ms * 1000:.2f} us"
    return f"{ms * 1e6:.0f} ns"


def format_counters(run):
    parts = []
    for key, value in run.items():
        if key in COUNTER_SKIP or not isinstance(value, (int, float)) or key in KNOWN_FIELDS:
            continue
        parts.append(f"{key}={value:.4g}")
    return " ".join(parts)


KNOWN_FIELDS = {"family_index", "per_family_instance_index", "repetitions", "repetition_index", "threads",
                "iterations", "real_time", "cpu_time", "bytes_per_second"}


def table_rows(figures, anchors):
    """(name, figure, anchor, anchor figure, ratio, aim, counters) for every figure."""
    rows = []
    described = {row["name"]: row for row in anchors}
    order = [row["name"] for row in anchors] + sorted(n for n in figures if n not in described)
    for name in order:
        if name not in figures:
            continue
        run = figures[name]
        ms = run["ms"]
        row = described.get(name, {})
        anchor_name, anchor_ms = "-", None
        if "anchor" in row:
            anchor_name = row["anchor"]
            anchor_ms = figures.get(anchor_name, {}).get("ms")
        elif "recorded_ms" in row:
            anchor_name, anchor_ms = "recorded", row["recorded_ms"]
        ratio = "-"
        if anchor_ms and ms:
            if row.get("compare") == "speed":
                ratio = f"speed {anchor_ms / ms:.2f}x"
            else:
                ratio = f"time {ms / anchor_ms:.2f}x"
        aim = row.get("aim", "")
        counters = run.get("counters", "")
        if "per" in row:
            per_ns = ms * 1e6 / row["per"]
            counters = (f"{per_ns:.0f} ns per item " + counters).strip()
            aim = f"<= {row['per_aim_ns']} ns per item"
        if row.get("clock") == "wall":
            counters = ("wall clock " + counters).strip()
        rows.append((name, format_ms(ms), anchor_name, format_ms(anchor_ms), ratio, aim, counters))
    return rows


def print_table(rows):
    header = ("Benchmark", "Figure", "Anchor", "Anchor figure", "Ratio", "Aim", "Counters")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    line = lambda r: "| " + " | ".join(str(c).ljust(w) for c, w in zip(r, widths)) + " |"
    print(line(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print(line(r))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--filter", help="run only benchmarks matching this regular expression")
    parser.add_argument("--json", help="also write the figures (ms) to this file")
    args = parser.parse_args()
    with open(os.path.join(HERE, "anchors.json")) as f:
        anchors = json.load(f)["rows"]

    figures = {}

    clocks = {row["name"]: row.get("clock", "cpu") for row in anchors}

    def keep(runs):
        for name, run in runs.items():
            figures[name] = {"ms": milliseconds(run, clocks.get(name, "cpu")), "counters": format_counters(run)}

    tmp = tempfile.gettempdir()
    our_dxf = os.path.join(tmp, "orv_bench_100000.dxf")
    ezdxf_dxf = os.path.join(tmp, "orv_bench_100000.ezdxf.dxf")
    built = {name: os.path.join(folder, name) for folder, dirs, names in os.walk(args.build)
             for name in names if name.startswith("bench_") and "." not in name
             and os.access(os.path.join(folder, name), os.X_OK) and "CMakeFiles" not in folder}
    for program in PROGRAMS + sorted(p for p in built if p not in PROGRAMS):
        path = built.get(program)
        if not path:
            print(f"not built: {program}", file=sys.stderr)
            continue
        keep(run_program(path, bench_filter=args.filter))
        if program == "bench_database" and os.path.exists(our_dxf):
            ezdxf = run_ezdxf(our_dxf, ezdxf_dxf)
            for key, ms in ezdxf.items():
                figures["ezdxf:" + key] = {"ms": ms, "counters": ""}
            if os.path.exists(ezdxf_dxf):
                keep(run_program(path, {"ORV_BENCH_DXF": ezdxf_dxf}, "BM_LoadFile"))
                os.remove(ezdxf_dxf)
    print_table(table_rows(figures, anchors))
    if args.json:
        with open(args.json + ".tmp", "w") as f:
            json.dump({name: fig["ms"] for name, fig in figures.items()}, f, indent=1, sort_keys=True)
        os.replace(args.json + ".tmp", args.json)


if __name__ == "__main__":
    main()
