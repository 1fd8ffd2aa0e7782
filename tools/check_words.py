#!/usr/bin/env python3
"""Checks word-data files: format, characters, length, level counts, verb markers and spelling.

Usage: check_words.py FILE.tsv [--group NAME] [--first-index N] [--spell]

The build's own generator rejects malformed data; this script is the authoring aid that also
runs hunspell (pt_BR for Portuguese, en_US for English) and prints per-level and per-marker counts.
Words listed in vocabulary/data/spelling-exceptions.tsv are accepted.
"""
import argparse
import collections
import os
import re
import subprocess
import sys

ALLOWED = set("abcdefghijklmnopqrstuvwxyzáâãçéêíóôõúü _()-'I")
LEVELS = [str(100 * k) for k in range(1, 11)]
MARKERS = ["to", "I", "you", "he_(she_it)", "we", "you(pl)", "they"]


def verb_marker(english):
    head = english.split(" ", 1)
    if len(head) == 2 and head[0] in MARKERS:
        return head[0]
    return "pp"


def split_words(text):
    return [w for w in re.split(r"[ _()]+", text) if w]


def load_exceptions(path):
    exceptions = {"en": set(), "pt": set()}
    if os.path.exists(path):
        for line in open(path, encoding="utf-8"):
            if line.startswith("#") or not line.strip():
                continue
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 2:
                exceptions[parts[0]].add(parts[1])
    return exceptions


def hunspell_unknown(words, dictionary):
    if not words:
        return set()
    out = subprocess.run(["hunspell", "-d", dictionary, "-l"], input="\n".join(sorted(words)),
                         capture_output=True, text=True, check=True).stdout
    return set(out.split())


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("file")
    ap.add_argument("--group", default="")
    ap.add_argument("--first-index", type=int, default=0)
    ap.add_argument("--spell", action="store_true")
    ap.add_argument("--exceptions", action="append", default=[],
                    help="extra exception files (lang<TAB>word<TAB>reason)")
    args = ap.parse_args()

    here = os.path.dirname(os.path.abspath(__file__))
    exceptions = load_exceptions(os.path.join(here, "..", "vocabulary", "data", "spelling-exceptions.tsv"))
    for extra in args.exceptions:
        for lang, words in load_exceptions(extra).items():
            exceptions[lang] |= words

    errors = 0
    index = args.first_index
    per_level = collections.Counter()
    per_level_marker = collections.defaultdict(collections.Counter)
    markers = collections.Counter()
    english_words, portuguese_words = set(), set()
    last_level = 0
    seen = {}
    for lineno, raw in enumerate(open(args.file, encoding="utf-8"), 1):
        line = raw.rstrip("\n")
        if not line.strip() or line.startswith("#"):
            continue
        where = f"{args.file}:{lineno}"
        cols = line.split("\t")
        if len(cols) != 3:
            print(f"{where}: expected 3 tab-separated columns, got {len(cols)}")
            errors += 1
            index += 1
            continue
        level, en, pt = cols
        if level not in LEVELS:
            print(f"{where}: bad level {level!r}")
            errors += 1
        elif int(level) < last_level:
            print(f"{where}: level {level} after level {last_level}")
            errors += 1
        else:
            last_level = int(level)
        for name, text in (("english", en), ("portuguese", pt)):
            if not text:
                print(f"{where}: empty {name} text")
                errors += 1
            bad = set(text) - ALLOWED
            if bad:
                print(f"{where}: {name} text {text!r} has characters {''.join(sorted(bad))!r}")
                errors += 1
            if len(text) > 31:
                print(f"{where}: {name} text {text!r} is {len(text)} characters (at most 31)")
                errors += 1
            if text != text.strip() or "  " in text:
                print(f"{where}: {name} text {text!r} has stray blanks")
                errors += 1
        if "I" in pt:
            print(f"{where}: capital I in Portuguese {pt!r}")
            errors += 1
        if (en, pt) in seen:
            print(f"{where}: duplicate of line {seen[(en, pt)]}: {en!r}")
            errors += 1
        seen[(en, pt)] = lineno
        per_level[level] += 1
        if args.group == "verbs":
            m = verb_marker(en)
            markers[m] += 1
            per_level_marker[level][m] += 1
            if m == "pp" and " " in en:
                print(f"{where}: verb {en!r} has no person marker")
                errors += 1
        english_words.update(split_words(en))
        portuguese_words.update(split_words(pt))
        index += 1

    print(f"{index - args.first_index} entries, indices {args.first_index}..{index - 1}")
    for level in LEVELS:
        if per_level[level]:
            detail = ""
            if args.group == "verbs":
                detail = "  " + " ".join(f"{m}={per_level_marker[level][m]}" for m in MARKERS + ["pp"])
            print(f"  level {level}: {per_level[level]}{detail}")
    if args.group == "verbs":
        print("  markers: " + " ".join(f"{m}={markers[m]}" for m in MARKERS + ["pp"]))

    if args.spell:
        unknown_en = hunspell_unknown(english_words, "en_US") - exceptions["en"]
        unknown_pt = hunspell_unknown(portuguese_words, "pt_BR") - exceptions["pt"]
        print(f"hunspell: {len(english_words)} English words, {len(unknown_en)} unknown: {' '.join(sorted(unknown_en))}")
        print(f"hunspell: {len(portuguese_words)} Portuguese words, {len(unknown_pt)} unknown: {' '.join(sorted(unknown_pt))}")
        errors += len(unknown_en) + len(unknown_pt)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
