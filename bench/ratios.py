"""Prints each benchmark of a Google Benchmark JSON file with its ratio to the
baseline of its group: the benchmark whose name ends in "Baseline" and that
comes before it in the same file."""
import json
import sys

with open(sys.argv[1]) as f:
    results = json.load(f)["benchmarks"]

baseline = None
for r in results:
    t = r["real_time"]
    unit = r["time_unit"]
    rate = r.get("bytes_per_second")
    rate_text = f"  {rate / 1e6:9.1f} MB/s" if rate else ""
    if r["name"].endswith("Baseline"):
        baseline = t
        print(f"{r['name']:<40} {t:12.1f} {unit}{rate_text}  (baseline)")
    else:
        ratio = f"{t / baseline:6.2f}x baseline" if baseline else ""
        print(f"{r['name']:<40} {t:12.1f} {unit}{rate_text}  {ratio}")
