#!/usr/bin/env python3
"""The word-data checker finds each kind of fault: one fault per case, put into a copy of the data."""
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CHECKER = os.path.join(ROOT, "tools", "check_words.py")
DATA = os.path.join(ROOT, "vocabulary", "data")

# (case, file, line as it is, line with the fault, what the checker must say); a case may change two lines
CASES = [
    ("word of the list untaught", "nouns", "200\tport\tporto\tharbor harbour", "200\tharbor\tporto",
     "'port' (200) is not taught"),
    ("word of the list taught too late", "nouns", ["200\tport\tporto\tharbor harbour", "1000\toxygen\toxigênio"],
     ["200\tharbor\tporto", "1000\tport\tporto"], "only at nouns 485 (1000)"),
    ("you row drops an alternative that fits", "verbs", "100\tyou know\tvocê_sabe você_conhece",
     "100\tyou know\tvocê_sabe", "leaves out 'você_conhece', which fits"),
    ("you row accepts less than the third person", "verbs", "200\tyou(pl) take\tvocês_pegam vocês_levam\t\tvocês_tomam",
     "200\tyou(pl) take\tvocês_pegam vocês_levam", "the answers of 'they take' with 'vocês_' give 'vocês_tomam'"),
    ("person names another verb", "verbs", "100\twe know\tsabemos conhecemos", "100\twe know\tsabemos",
     "does not name the same verbs"),
    ("block without a person", "verbs", "300\tyou last\tvocê_dura", "300\tyou endure\tvocê_dura", "verb 'last' has no you form"),
    ("too wide", "verbs", "200\tyou(pl) get\tvocês_conseguem vocês_pegam\tobtain\tvocês_recebem vocês_obtêm",
     "200\tyou(pl) get\tvocês_conseguem vocês_pegam vocês_recebem\tobtain\tvocês_obtêm", "px wide"),
    ("English twice", "nouns", "200\tself\tsi_mesmo o_eu ego\t\tsi_próprio", "200\tport\tsi_mesmo o_eu ego",
     "English 'port' again"),
    ("accepted answer shown already", "nouns", "100\tword\tpalavra", "100\tword\tpalavra\t\tpalavra",
     "accepted Portuguese 'palavra' is shown already"),
    ("second person takes back what it leaves out", "verbs", "800\tyou fit\tvocê_cabe você_se_encaixa\t\tvocê_encaixa "
     "você_coube você_se_encaixou você_encaixou", "800\tyou fit\tvocê_cabe você_se_encaixa\t\tvocê_encaixa você_coube "
     "você_se_encaixou você_encaixou você_serve", "says it leaves out 'você_serve', and accepts it"),
    ("second person drops what it says it also takes", "verbs",
     "300\tyou let\tvocê_deixa você_permite\tallow permit\tvocê_deixou você_permitiu",
     "300\tyou let\tvocê_deixa você_permite\tallow permit\tvocê_deixou", "says it also accepts 'você_permitiu'"),
    ("second person takes an enclitic form", "verbs", "900\tyou hurry\tvocê_se_apressa\thurry_up rush",
     "900\tyou hurry\tvocê_se_apressa\thurry_up rush\tvocê_apressa-se", "accepts 'você_apressa-se'"),
    ("participle without its feminine", "verbs", "200\tmade\tfeito\t\tfeita feitos feitas",
     "200\tmade\tfeito\t\tfeitos feitas", "participle 'feito' does not accept 'feita'"),
    ("accepted answer twice", "verbs", "100\tI have\ttenho\thave_got own possess\tpossuo",
     "100\tI have\ttenho\thave_got own possess have_got\tpossuo", "accepted English 'have_got' twice"),
]


def main():
    failures = 0
    for case, group, line, fault, message in CASES:
        with tempfile.TemporaryDirectory() as folder:
            for name in os.listdir(DATA):
                shutil.copy(os.path.join(DATA, name), folder)
            path = os.path.join(folder, group + ".tsv")
            text = open(path, encoding="utf-8").read()
            lines, faults = ([line], [fault]) if isinstance(line, str) else (line, fault)
            missing = [old for old in lines if text.count(old + "\n") != 1]
            if missing:
                print(f"FAIL {case}: the data no longer has the line {missing[0]!r}")
                failures += 1
                continue
            for old, new in zip(lines, faults):
                text = text.replace(old + "\n", new + "\n")
            open(path, "w", encoding="utf-8").write(text)
            run = subprocess.run([sys.executable, CHECKER, "--all", "--data", folder], capture_output=True, text=True)
            if run.returncode == 0 or message not in run.stdout:
                print(f"FAIL {case}: expected {message!r}, exit {run.returncode}\n{run.stdout[-2000:]}")
                failures += 1
            else:
                print(f"PASS {case}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
