#!/usr/bin/env python3
"""Time and peak memory of orvex-compare on synthetic repertories of growing
size, and on the hostile files the benchmark writes (run orvex_bench once
first so they exist). Each size is generated once into the scratch folder.

    bench/scaling.py build/bench/bin/orvex-compare [--dir /tmp/orvex-scaling]
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
GENERATOR = HERE.parent.parent / "shared" / "tools" / "make-repertory.py"
SIZES = [25_000, 50_000, 100_000, 200_000, 400_000, 800_000]


def run(command, folder):
    """Wall seconds and peak resident set size (MB) of one run."""
    start = time.perf_counter()
    with open(os.devnull, "wb") as sink:
        child = subprocess.Popen(command, cwd=folder, stdout=sink, stderr=sink)
        _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f"{command} failed in {folder} with {code}")
    return seconds, usage.ru_maxrss / 1024


def best(command, folder, runs=3):
    results = [run(command, folder) for _ in range(runs)]
    return min(r[0] for r in results), max(r[1] for r in results)


def data_folder(root, symptoms):
    folder = root / f"{symptoms // 1000}k"
    if not (folder / "garepertory.xml").exists():
        folder.mkdir(parents=True, exist_ok=True)
        subprocess.run([sys.executable, str(GENERATOR), "--quiet", "--symptoms", str(symptoms),
                        "--out", str(folder / "garepertory.xml"),
                        "--remedies-file", str(folder / "remedy.xml")], check=True)
        shutil.copy(HERE.parent / "data" / "list.xml", folder)
    return folder


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("compare", help="the orvex-compare executable")
    parser.add_argument("--dir", default="/tmp/orvex-scaling", help="scratch folder for the generated data")
    parser.add_argument("--bench-dir", default=os.environ.get("ORVEX_BENCH_DIR", "/tmp/orvex-bench"),
                        help="where orvex_bench wrote its hostile files")
    args = parser.parse_args()
    compare = str(pathlib.Path(args.compare).resolve())
    root = pathlib.Path(args.dir)

    print("| symptoms | file MB | different s | similar s | peak RSS MB |")
    print("|---:|---:|---:|---:|---:|")
    for symptoms in SIZES:
        folder = data_folder(root, symptoms)
        size = (folder / "garepertory.xml").stat().st_size / 1e6
        different, peak_d = best([compare, "--chapter", "Mind", "--mode", "different", "Sulph.", "Calc.", "Lyc."], folder)
        similar, peak_s = best([compare, "--chapter", "Mind", "--mode", "similar", "Sulph.", "Calc.", "Lyc."], folder)
        print(f"| {symptoms:,} | {size:.0f} | {different:.3f} | {similar:.3f} | {max(peak_d, peak_s):.1f} |")

    hostile = [("amplified.xml", "one 1 MB rubric listing Bell. 3,000 times"),
               ("nested-repertory.xml", "100,000 nested remedy elements")]
    bench = pathlib.Path(args.bench_dir)
    for name, what in hostile:
        if not (bench / name).exists():
            print(f"{name}: missing, run orvex_bench first")
            continue
        folder = root / name.removesuffix(".xml")
        folder.mkdir(parents=True, exist_ok=True)
        shutil.copy(bench / name, folder / "garepertory.xml")
        shutil.copy(HERE.parent / "data" / "list.xml", folder)
        (folder / "remedy.xml").write_text("<remedies><remedy>....</remedy><remedy>Bell.</remedy></remedies>")
        seconds, peak = best([compare, "--chapter", "Mind", "Bell."], folder, runs=1)
        print(f"{what}: {seconds:.2f} s, peak RSS {peak:.1f} MB")


if __name__ == "__main__":
    main()
