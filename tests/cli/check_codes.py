#!/usr/bin/env python3
"""embtool code against a Rime dictionary's own phrase codes: 2,000 of its entries of two or more
characters, picked evenly, must get the dictionary's code at least 99% of the time from the
table beside embtool, the same dictionary.

    check_codes.py EMBTOOL DICTIONARY
"""
import subprocess
import sys

embtool, dictionary = sys.argv[1:3]
lines = open(dictionary, encoding="utf-8").read().split("\n")
entries = [line.split("\t")[:2] for line in lines[lines.index("...") + 1:]
           if line and not line.startswith("#") and len(line.split("\t")[0]) > 1]
picked = [entries[i * len(entries) // 2000] for i in range(2000)]
run = subprocess.run([embtool, "code"] + [phrase for phrase, _ in picked],
                     capture_output=True, encoding="utf-8", check=False)
coded = dict(line.split("\t") for line in run.stdout.splitlines())
misses = [(phrase, code, coded.get(phrase)) for phrase, code in picked if coded.get(phrase) != code]
share = 100 * (len(picked) - len(misses)) / len(picked)
print(f"{len(picked) - len(misses)} of {len(picked)} ({share:.2f}%) get the dictionary's code")
for phrase, code, got in misses[:10]:
    print(f"  {phrase}: the dictionary's {code}, embtool's {got or 'none'}")
sys.exit(0 if share >= 99 else 1)
