#!/usr/bin/env python3
"""Counts non-blank, non-comment C++ lines (.cpp, .h, .hpp, .cc) of product and test folders.

    scripts/count-lines.py calc,report,refdata,ui,app,cli tests,fuzz

A line is skipped when it is blank, starts with //, or lies in a /* */ block that starts at the
beginning of a line. Fuzz corpora (any folder under a path containing /corpus) are not code.
"""
import os
import sys

SUFFIXES = (".cpp", ".h", ".hpp", ".cc")


def count_file(path):
    count, in_block = 0, False
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            text = line.strip()
            if in_block:
                if "*/" not in text:
                    continue
                in_block = False
                text = text.split("*/", 1)[1].strip()
            if text.startswith("/*"):
                in_block = "*/" not in text
                continue
            if text and not text.startswith("//"):
                count += 1
    return count


def count_tree(folder):
    total = 0
    for root, _, names in os.walk(folder):
        if "/corpus" in root:
            continue
        total += sum(count_file(os.path.join(root, n)) for n in names if n.endswith(SUFFIXES))
    return total


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    product, tests = sys.argv[1].split(","), sys.argv[2].split(",")
    product_lines = sum(count_tree(d) for d in product)
    test_lines = sum(count_tree(d) for d in tests)
    print(f"product {product_lines} tests {test_lines} ratio {test_lines / product_lines:.2f}")
    for folder in product + tests:
        print(folder, count_tree(folder))


if __name__ == "__main__":
    main()
