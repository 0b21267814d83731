#!/usr/bin/env python3
"""Turns vantor_bench's JSON output into the tables of docs/performance.md.

    build/bench/bin/vantor_bench --benchmark_repetitions=5 \
        --benchmark_format=json --benchmark_out=bench.json
    bench/summarise.py bench.json

With repetitions, the fastest of them is used: on a machine shared with other
work, interference only ever slows a run down, so the fastest repetition is
the one nearest the code's own cost. Every ratio compares figures of the same
run.
"""
import json
import math
import sys


def rates(results):
    """Each benchmark's fastest repetition."""
    found = {}
    for b in results["benchmarks"]:
        if b.get("run_type") == "aggregate" or "bytes_per_second" not in b:
            continue
        name = b.get("run_name", b["name"])
        if name not in found or b["bytes_per_second"] > found[name]["bytes_per_second"]:
            found[name] = b
    return found


def geomean(values):
    return math.exp(sum(math.log(v) for v in values) / len(values))


def main(path):
    with open(path) as f:
        bench = rates(json.load(f))
    gbs = lambda name: bench[name]["bytes_per_second"] / 1e9
    pictures = sorted({n.split("/", 2)[2] for n in bench if n.startswith("decode/fast/")})

    print("| picture | fast GB/s | plain GB/s | fast/plain | fast/zlib | fast/libdeflate |")
    print("|---|---|---|---|---|---|")
    typical = {"plain": [], "zlib": [], "libdeflate": []}
    for p in pictures:
        fast = gbs("decode/fast/" + p)
        ratios = {k: fast / gbs("decode/%s/%s" % (k, p)) for k in typical}
        if p.endswith("/typical"):
            for k in typical:
                typical[k].append(ratios[k])
        print("| %s | %.2f | %.2f | %.1f× | %.1f× | %.2f× |" % (
            p, fast, gbs("decode/plain/" + p), ratios["plain"], ratios["zlib"],
            ratios["libdeflate"]))
    print("| geometric mean, typical | | | %.1f× | %.1f× | %.2f× |" % tuple(
        geomean(typical[k]) for k in ("plain", "zlib", "libdeflate")))
    print()

    print("| picture | optimal MB/s | lazy MB/s | optimal bytes | optimal/lazy size |")
    print("|---|---|---|---|---|")
    for p in pictures:
        optimal = bench["encode/optimal/" + p]
        print("| %s | %.0f | %.0f | %d | %.4f |" % (
            p, optimal["bytes_per_second"] / 1e6,
            bench["encode/lazy/" + p]["bytes_per_second"] / 1e6,
            optimal["file_bytes"], optimal["size_vs_lazy"]))
    print()

    for layout in ("scrambled", "plain"):
        name = "pack/" + layout
        if name in bench:
            print("pack, %s layout: %.2f GB/s of member bytes" % (
                layout, bench[name]["bytes_per_second"] / 1e9))


if __name__ == "__main__":
    main(sys.argv[1])
