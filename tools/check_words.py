#!/usr/bin/env python3
"""Checks the word data: what the build's generator cannot see.

Usage:
  check_words.py --all [--spell] [--coverage] [--data DIR]
  check_words.py FILE.tsv [--group NAME] [--first-index N] [--spell]
  check_words.py --write-advances FONT.ttf > tools/font-advances.tsv

--all checks the seven group files together:
  - format, characters, at most 31 characters, no English text twice in a group, the level runs of
    vocabulary/WordGroups.h;
  - the further accepted answers (the optional fourth and fifth columns, English and Portuguese, typed but
    never shown): the same characters and "à", no stray blanks, none that the entry shows already or lists
    twice; on verb rows the English ones are forms without the person marker;
  - width: no text is wider than the longest text the data must hold, "vocês_transportam_em_caminhão",
    in the answer boxes' font (Liberation Sans, what "Arial" resolves to), measured with the font's
    advance widths from tools/font-advances.tsv; the table is compared with the font whenever the
    font is installed;
  - coverage: every word of vocabulary/data/top1000.txt is taught at its level or an earlier one, or
    listed with its reason in vocabulary/data/untaught.tsv (--coverage prints where each one is);
  - verbs: every verb that has one person form has all six (I, you, he_(she_it), we, you(pl), they,
    wherever they stand in the file), and the persons of a verb accept the same alternatives: the second
    persons accept the third persons' answers, shown or further, with "você_" / "vocês_" (but for the
    forms with the pronoun after the verb, "senta-se": after "você" it comes before); a second person
    that leaves out or adds an answer says which in its comment ('leaves out "você_serve"', 'also
    "você_deixou"');
  - participles: each accepts its feminine and plural forms ("feita feitos feitas"), or says it does not
    change ("sido");
  - --spell: hunspell pt_BR and en_US know every word (en_GB too for the further English answers, which
    take British spellings), or it is listed in spelling-exceptions.tsv.
A row that differs on purpose from the other persons of its verb has a comment line right above it
that starts with its English text and a colon, saying why.

The single-file form is the authoring aid: it prints per-level and per-marker counts.
"""
import argparse
import collections
import os
import re
import shutil
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DATA = os.path.join(ROOT, "vocabulary", "data")
GROUPS = ["nouns", "verbs", "pronouns", "adjectives", "adverbs", "prepositions", "conjunctions"]
ALLOWED = set("abcdefghijklmnopqrstuvwxyzáâãçéêíóôõúü _()-'I")
ALLOWED_ACCEPTED = ALLOWED | {"à"}  # typed ("às_vezes"), though no shown text needs it
LEVELS = [str(100 * k) for k in range(1, 11)]
MARKERS = ["to", "I", "you", "he_(she_it)", "we", "you(pl)", "they"]
PERSONS = MARKERS[1:]
MAX_LENGTH = 31
WIDEST_TEXT = "vocês_transportam_em_caminhão"
FONT_FAMILY = "Liberation Sans"

# Person forms that do not follow from the verb's base form by an -s.
IRREGULAR_FORMS = {"am": "be", "are": "be", "is": "be", "has": "have", "was": "was", "were": "was",
                   "does": "do", "doesn't": "don't"}
# Words in front of a Portuguese verb form: the subject of the second persons, the negation and the
# reflexive pronouns.
LEADING_WORDS = {"você", "vocês", "não", "me", "se", "nos"}
FOLD = str.maketrans("áâãéêíóôõúüç", "aaaeeiooouuc")


class Row:
    def __init__(self, path, lineno, level, english, portuguese, accepted_english="", accepted_portuguese="",
                 comments=()):
        self.path, self.lineno, self.level = path, lineno, level
        self.english, self.portuguese, self.comments = english, portuguese, comments
        self.accepted_english, self.accepted_portuguese = accepted_english, accepted_portuguese

    @property
    def where(self):
        return f"{os.path.relpath(self.path)}:{self.lineno}"

    def explained(self):
        """A comment line right above the row starts with its English text and a colon."""
        return any(c.startswith(f"# {self.english}:") for c in self.comments)

    def declared(self, words):
        """The quoted answers that the row's comment names after the words: the comment
        '# you fit: leaves out "você_serve": ...' gives {"você_serve"} for "leaves out"."""
        found = set()
        for c in self.comments:
            if c.startswith(f"# {self.english}:"):
                for m in re.finditer(re.escape(words) + r'((?: "[^"]+",?)+)', c):
                    found |= set(re.findall(r'"([^"]+)"', m.group(1)))
        return found


class Report:
    def __init__(self):
        self.errors = 0

    def error(self, where, message):
        print(f"{where}: {message}")
        self.errors += 1


def read_rows(path, report):
    rows, comments = [], []
    for lineno, raw in enumerate(open(path, encoding="utf-8"), 1):
        line = raw.rstrip("\n")
        if not line.strip():
            comments = []
            continue
        if line.startswith("#"):
            comments.append(line)
            continue
        cols = line.split("\t")
        if not 3 <= len(cols) <= 5:
            report.error(f"{path}:{lineno}", f"expected 3 to 5 tab-separated columns, got {len(cols)}")
        else:
            rows.append(Row(path, lineno, *cols, comments=comments))
        comments = []
    return rows


def load_pairs(path):
    """lang<TAB>word<TAB>reason or word<TAB>reason files, as a set of their key columns."""
    keys = collections.defaultdict(set)
    if os.path.exists(path):
        for line in open(path, encoding="utf-8"):
            if line.startswith("#") or not line.strip():
                continue
            parts = line.rstrip("\n").split("\t")
            if len(parts) == 3:
                keys[parts[0]].add(parts[1])
            elif len(parts) == 2:
                keys[""].add(parts[0])
    return keys


def level_runs():
    """The last index of each level's run, per group file, from vocabulary/WordGroups.h."""
    text = open(os.path.join(ROOT, "vocabulary", "WordGroups.h"), encoding="utf-8").read()
    return {m.group(1): [int(n) for n in m.group(2).split(",")]
            for m in re.finditer(r'"\w+", "(\w+)", \{([\d, ]+)\}', text)}


# ---- widths ---------------------------------------------------------------------------------------

def font_advances(path, characters):
    """Advance widths in font units of a TrueType font's glyphs for the characters (cmap format 4)."""
    data = open(path, "rb").read()
    u16 = lambda offset: struct.unpack_from(">H", data, offset)[0]
    tables = {}
    for i in range(u16(4)):
        tag, _, offset, _ = struct.unpack_from(">4sIII", data, 12 + 16 * i)
        tables[tag.decode("latin-1")] = offset
    units_per_em = u16(tables["head"] + 18)
    metrics = u16(tables["hhea"] + 34)
    cmap, sub = tables["cmap"], None
    for i in range(u16(cmap + 2)):
        platform, encoding, offset = struct.unpack_from(">HHI", data, cmap + 4 + 8 * i)
        if platform == 3 and encoding == 1 and u16(cmap + offset) == 4:
            sub = cmap + offset
    segments = u16(sub + 6) // 2
    ends = sub + 14
    starts = ends + 2 * segments + 2
    deltas = starts + 2 * segments
    range_offsets = deltas + 2 * segments

    def glyph(code):
        for s in range(segments):
            if code <= u16(ends + 2 * s):
                start = u16(starts + 2 * s)
                if code < start:
                    return 0
                delta, ro = u16(deltas + 2 * s), u16(range_offsets + 2 * s)
                if ro == 0:
                    return (code + delta) & 0xFFFF
                g = u16(range_offsets + 2 * s + ro + 2 * (code - start))
                return (g + delta) & 0xFFFF if g else 0
        return 0

    advances = {c: u16(tables["hmtx"] + 4 * min(glyph(ord(c)), metrics - 1)) for c in characters}
    return units_per_em, advances


def write_advances(font):
    units_per_em, advances = font_advances(font, ALLOWED)
    print(f"# Advance widths of {FONT_FAMILY} Regular, in font units, for every character the word data")
    print("# may hold; written by tools/check_words.py --write-advances from the font file.")
    print("# code point<TAB>advance<TAB>character")
    print(f"units-per-em\t{units_per_em}")
    for c in sorted(ALLOWED):
        print(f"U+{ord(c):04X}\t{advances[c]}\t{c}")


def read_advances(path):
    units_per_em, advances = 0, {}
    for line in open(path, encoding="utf-8"):
        if line.startswith("#") or not line.strip():
            continue
        key, value = line.rstrip("\n").split("\t")[:2]
        if key == "units-per-em":
            units_per_em = int(value)
        else:
            advances[chr(int(key[2:], 16))] = int(value)
    return units_per_em, advances


def installed_font():
    if not shutil.which("fc-match"):
        return None
    out = subprocess.run(["fc-match", "-f", "%{family}\t%{file}", FONT_FAMILY], capture_output=True, text=True)
    family, _, path = out.stdout.partition("\t")
    return path if family.split(",")[0] == FONT_FAMILY and os.path.exists(path) else None


class Widths:
    """Text widths as sums of advance widths. Qt shapes "ff" into a narrower ligature and kerns no pair
    of these characters, so the sum is the width Qt draws or a little more."""

    def __init__(self, report):
        table = os.path.join(HERE, "font-advances.tsv")
        self.units_per_em, self.advances = read_advances(table)
        font = installed_font()
        if font:
            units_per_em, advances = font_advances(font, ALLOWED)
            if (units_per_em, advances) != (self.units_per_em, self.advances):
                report.error(table, f"does not match {font}: rewrite it with --write-advances")
            self.source = f"{os.path.relpath(table)}, matches {font}"
        else:
            self.source = f"{os.path.relpath(table)} ({FONT_FAMILY} is not installed to compare)"
        self.limit = self.units(WIDEST_TEXT)

    def units(self, text):
        return sum(self.advances[c] for c in text)

    def pixels(self, text, size=16):
        return self.units(text) * size / self.units_per_em

    def fits(self, text):
        return len(text) <= MAX_LENGTH and self.units(text) <= self.limit


# ---- one file ---------------------------------------------------------------------------------------

def check_rows(rows, report, group, runs=None):
    english_seen = {}
    last_level = 0
    for i, row in enumerate(rows):
        if row.level not in LEVELS:
            report.error(row.where, f"bad level {row.level!r}")
        elif int(row.level) < last_level:
            report.error(row.where, f"level {row.level} after level {last_level}")
        else:
            last_level = int(row.level)
        if runs:
            expected = next((k for k, end in enumerate(runs) if i <= end), len(runs) - 1)
            if row.level != LEVELS[expected]:
                report.error(row.where, f"entry {i} belongs to the run of level {LEVELS[expected]}")
        for name, text in (("English", row.english), ("Portuguese", row.portuguese)):
            if not text:
                report.error(row.where, f"empty {name} text")
            bad = set(text) - ALLOWED
            if bad:
                report.error(row.where, f"{name} text {text!r} has characters {''.join(sorted(bad))!r}")
            if len(text) > MAX_LENGTH:
                report.error(row.where, f"{name} text {text!r} is {len(text)} characters (at most {MAX_LENGTH})")
            if text != text.strip() or "  " in text:
                report.error(row.where, f"{name} text {text!r} has stray blanks")
        if "I" in row.portuguese:
            report.error(row.where, f"capital I in Portuguese {row.portuguese!r}")
        check_accepted(row, group, report)
        if row.english in english_seen:
            report.error(row.where, f"English {row.english!r} again (line {english_seen[row.english]})")
        english_seen[row.english] = row.lineno
        if group == "verbs" and verb_marker(row.english) == "pp" and " " in row.english:
            report.error(row.where, f"verb {row.english!r} has no person marker")
    if runs and len(rows) != runs[-1] + 1:
        report.error(rows[0].path if rows else group, f"{len(rows)} entries, expected {runs[-1] + 1}")


def check_accepted(row, group, report):
    for name, shown, accepted in (("English", row.english, row.accepted_english),
                                  ("Portuguese", row.portuguese, row.accepted_portuguese)):
        if not accepted:
            continue
        bad = set(accepted) - ALLOWED_ACCEPTED
        if bad:
            report.error(row.where, f"accepted {name} {accepted!r} has characters {''.join(sorted(bad))!r}")
        if accepted != accepted.strip() or "  " in accepted:
            report.error(row.where, f"accepted {name} {accepted!r} has stray blanks")
        answers = accepted.split(" ")
        if group == "verbs" and name == "English" and verb_marker(shown) != "pp":
            shown_answers = [verb_form(shown)]
        else:
            shown_answers = shown.split(" ")
        for answer in set(answers):
            if answers.count(answer) > 1:
                report.error(row.where, f"accepted {name} {answer!r} twice")
            if answer in shown_answers:
                report.error(row.where, f"accepted {name} {answer!r} is shown already")
        if name == "Portuguese" and "I" in accepted:
            report.error(row.where, f"capital I in accepted Portuguese {accepted!r}")


def print_counts(rows, group, first_index=0):
    per_level = collections.Counter(r.level for r in rows)
    per_level_marker = collections.defaultdict(collections.Counter)
    for r in rows:
        per_level_marker[r.level][verb_marker(r.english)] += 1
    print(f"{len(rows)} entries, indices {first_index}..{first_index + len(rows) - 1}")
    for level in LEVELS:
        if per_level[level]:
            detail = ""
            if group == "verbs":
                detail = "  " + " ".join(f"{m}={per_level_marker[level][m]}" for m in MARKERS + ["pp"])
            print(f"  level {level}: {per_level[level]}{detail}")
    if group == "verbs":
        totals = collections.Counter(verb_marker(r.english) for r in rows)
        print("  markers: " + " ".join(f"{m}={totals[m]}" for m in MARKERS + ["pp"]))


# ---- spelling -------------------------------------------------------------------------------------

def split_words(text):
    return [w for w in re.split(r"[ _()]+", text) if w]


def hunspell_unknown(words, dictionary):
    if not words:
        return set()
    out = subprocess.run(["hunspell", "-d", dictionary, "-l"], input="\n".join(sorted(words)),
                         capture_output=True, text=True, check=True).stdout
    return set(out.split())


def check_spelling(rows, report, label=""):
    exceptions = load_pairs(os.path.join(DATA, "spelling-exceptions.tsv"))
    english = {w for r in rows for w in split_words(r.english)}
    further_english = {w for r in rows for w in split_words(r.accepted_english)} - english
    portuguese = {w for r in rows for w in split_words(r.portuguese + " " + r.accepted_portuguese)}
    unknown_en = (hunspell_unknown(english, "en_US") | hunspell_unknown(further_english, "en_US,en_GB")) \
        - exceptions["en"]
    english |= further_english
    unknown_pt = hunspell_unknown(portuguese, "pt_BR") - exceptions["pt"]
    print(f"hunspell{label}: {len(english)} English words, {len(unknown_en)} unknown: {' '.join(sorted(unknown_en))}")
    print(f"hunspell{label}: {len(portuguese)} Portuguese words, {len(unknown_pt)} unknown: {' '.join(sorted(unknown_pt))}")
    for word in sorted(unknown_en | unknown_pt):
        # hunspell reads a hyphenated word ("reunimo-nos") as its parts.
        where = next(r.where for r in rows if word in re.split(r"[ _()-]+", " ".join(
            (r.english, r.portuguese, r.accepted_english, r.accepted_portuguese))))
        report.error(where, f"hunspell does not know {word!r}")


# ---- verbs ----------------------------------------------------------------------------------------

def verb_marker(english):
    head = english.split(" ", 1)
    if len(head) == 2 and head[0] in MARKERS:
        return head[0]
    return "pp"


def verb_form(english):
    return english.split(" ", 1)[1] if verb_marker(english) != "pp" else english


def alternatives(portuguese):
    return portuguese.split(" ")


def signature(portuguese):
    """The first letter of each alternative's verb, so that "pego levo" and "pegamos levamos" agree."""
    letters = []
    if not portuguese:
        return ""
    for alternative in alternatives(portuguese):
        words = alternative.split("_")
        while len(words) > 1 and words[0] in LEADING_WORDS:
            words.pop(0)
        letters.append(words[0][0].translate(FOLD))
    return "".join(letters)



def verb_sets(rows):
    """The rows of each verb (or tense, modal, negative), by the form they share: "use" holds "to use",
    "I use", ..., "he_(she_it) uses"; "was" holds "I was", "you were", ..."""
    bases = {verb_form(r.english) for r in rows if verb_marker(r.english) not in ("he_(she_it)", "pp")}
    sets = collections.defaultdict(dict)
    for r in rows:
        marker = verb_marker(r.english)
        if marker == "pp":
            continue
        form = verb_form(r.english)
        key = IRREGULAR_FORMS.get(form)
        if key is None and marker == "he_(she_it)":
            key = next((c for c in (form, form[:-1], form[:-2], form[:-3] + "y") if c in bases),
                       form[:-1] if form.endswith("s") else form)
        sets[key or form][marker] = r
    return sets


def check_verbs(rows, report, widths):
    sets = verb_sets(rows)
    complete = opted = 0
    for key, members in sets.items():
        persons = [p for p in PERSONS if p in members]
        if not persons:
            continue  # an infinitive on its own
        missing = [p for p in PERSONS if p not in members]
        if missing:
            # Some verbs have only some persons ("it rains"); a comment says why.
            if not any(r.explained() for r in members.values()):
                first = min(members.values(), key=lambda r: r.lineno)
                report.error(first.where, f"verb {key!r} has no {', '.join(missing)} form; "
                                          f"complete it or say why in a comment")
            continue
        complete += 1
        opted += check_person_alternatives(key, members, report, widths)
    return complete, opted


def check_person_alternatives(key, members, report, widths):
    # The bare forms (I, he, we, they, and the infinitive) name the same verbs in the same order.
    bare = [members[p] for p in ("I", "he_(she_it)", "we", "they")]
    counts = collections.Counter(signature(r.portuguese) for r in bare)
    top = max(counts.values())
    reference = signature(bare[0].portuguese)
    if counts[reference] < top:
        reference = next(s for s, n in counts.items() if n == top)
    for r in bare + ([members["to"]] if "to" in members else []):
        # A row that shows fewer alternatives than fit its answer row accepts the rest.
        shown = signature(r.portuguese)
        rest = reference[len(shown):] if reference.startswith(shown) else None
        if rest is not None and set(rest) <= set(signature(r.accepted_portuguese)):
            continue
        if shown != reference and not r.explained():
            report.error(r.where, f"{r.english!r} = {r.portuguese!r} does not name the same verbs as the "
                                  f"other persons of {key!r} ({reference!r}); mend it or say why in a comment")
    # The second persons are the third persons with "você_" / "vocês_": they show as many as fit the answer
    # row, and accept the rest. A row opts out of an answer a teacher marks wrong for a person ("leaves out"),
    # or takes one the third person has not ("also"), in its comment; it then holds no more and no less.
    opted = 0
    for second, third, subject in (("you", "he_(she_it)", "você_"), ("you(pl)", "they", "vocês_")):
        row, other = members[second], members[third]
        left_out, also = row.declared("leaves out"), row.declared("also")
        if row.explained() and not (left_out or also):
            continue
        opted += bool(left_out or also)
        answers = alternatives(row.portuguese) + row.accepted_portuguese.split()
        for answer in sorted(left_out & set(answers)):
            report.error(row.where, f"{row.english!r} says it leaves out {answer!r}, and accepts it")
        for answer in sorted(also - set(answers)):
            report.error(row.where, f"{row.english!r} says it also accepts {answer!r}, and does not")
        # After "você" the pronoun comes before the verb: "você_se_senta", never "você_senta-se".
        takes = lambda a: subject + a not in left_out and not re.search(r"-(me|se|nos)$", a)
        expected = [subject + a for a in alternatives(other.portuguese) if takes(a)]
        further = [subject + a for a in other.accepted_portuguese.split() if takes(a)]
        further += sorted(also - set(expected) - set(further))
        have = alternatives(row.portuguese)
        if have != expected[:len(have)]:
            report.error(row.where, f"{row.english!r} = {row.portuguese!r}, expected the alternatives of "
                                    f"{other.english!r} with {subject!r}: {' '.join(expected)!r}")
        elif len(have) < len(expected) and widths.fits(" ".join(expected[:len(have) + 1])):
            report.error(row.where, f"{row.english!r} leaves out {expected[len(have)]!r}, which fits")
        missing = [a for a in expected[len(have):] + further if a not in row.accepted_portuguese.split()]
        extra = [a for a in row.accepted_portuguese.split() if a not in expected + further]
        if missing or extra:
            report.error(row.where, f"{row.english!r} accepts {row.accepted_portuguese!r}; the answers of "
                                    f"{other.english!r} with {subject!r} give {' '.join(expected[len(have):] + further)!r}")
    return opted


def check_participles(rows, report):
    """A past participle agrees with what it describes: "feito" accepts "feita", "feitos" and "feitas"; one
    that does not change says so in its comment ('does not change "sido"')."""
    for r in rows:
        if verb_marker(r.english) != "pp":
            continue
        kept, accepted = r.declared("does not change"), r.accepted_portuguese.split()
        for alternative in alternatives(r.portuguese):
            if not alternative.endswith("o") or alternative in kept:
                continue
            stem = alternative[:-1]
            missing = [f for f in (stem + "a", stem + "os", stem + "as") if f not in accepted]
            if missing:
                report.error(r.where, f"participle {alternative!r} does not accept {' '.join(missing)!r}; accept "
                                      f"them or say it does not change")


# ---- coverage -------------------------------------------------------------------------------------

def taught_words(group, english):
    if group == "verbs":
        return {verb_form(english)}
    return {re.sub(r"\(noun\)$", "", alternative) for alternative in english.split(" ")}


def check_coverage(all_rows, report, show):
    list_path = os.path.join(DATA, "top1000.txt")
    untaught = {}
    untaught_path = os.path.join(DATA, "untaught.tsv")
    for line in open(untaught_path, encoding="utf-8"):
        if not line.startswith("#") and line.strip():
            word, reason = line.rstrip("\n").split("\t")
            untaught[word] = reason
    taught = collections.defaultdict(list)
    for group, rows in all_rows.items():
        for index, row in enumerate(rows):
            for word in taught_words(group, row.english):
                taught[word].append((int(row.level), group, index))
    missing = 0
    listed = [line.rstrip("\n").split("\t") for line in open(list_path, encoding="utf-8")
              if not line.startswith("#") and line.strip()]
    for lineno, (level, word) in enumerate(listed, 1):
        places = sorted(p for p in taught.get(word, []) if p[0] <= int(level))
        later = sorted(p for p in taught.get(word, []) if p[0] > int(level))
        where = ", ".join(f"{g} {i} ({lv})" for lv, g, i in places)
        if places:
            if word in untaught:
                report.error(untaught_path, f"{word!r} is taught ({where}) and also listed as untaught")
            line = f"{level}\t{word}\t{where}"
        elif word in untaught:
            line = f"{level}\t{word}\tnot taught: {untaught[word]}"
        else:
            missing += 1
            report.error(list_path, f"{word!r} ({level}) is not taught at its level or an earlier one"
                                    + (f"; only at {', '.join(f'{g} {i} ({lv})' for lv, g, i in later)}" if later else ""))
            line = f"{level}\t{word}\tNOT TAUGHT"
        if show:
            print(line)
    for word in untaught:
        if word not in {w for _, w in listed}:
            report.error(untaught_path, f"{word!r} is not a word of the reference list")
    return len(listed), missing


# ---- main -----------------------------------------------------------------------------------------

def check_all(args):
    report = Report()
    widths = Widths(report)
    runs = level_runs()
    all_rows = {}
    for group in GROUPS:
        path = os.path.join(args.data, group + ".tsv")
        rows = read_rows(path, report)
        check_rows(rows, report, group, runs.get(group))
        all_rows[group] = rows
    too_wide = 0
    for rows in all_rows.values():
        for row in rows:
            for text in (row.english, row.portuguese):
                if widths.units(text) > widths.limit:
                    too_wide += 1
                    report.error(row.where, f"{text!r} is {widths.pixels(text):.1f} px wide at 16 px, "
                                            f"wider than {WIDEST_TEXT!r} ({widths.pixels(WIDEST_TEXT):.1f} px)")
    complete, opted = check_verbs(all_rows["verbs"], report, widths)
    check_participles(all_rows["verbs"], report)
    listed, missing = check_coverage(all_rows, report, args.coverage)
    print(f"{sum(map(len, all_rows.values()))} entries in {len(GROUPS)} groups")
    print(f"width: {too_wide} texts wider than {WIDEST_TEXT!r} ({widths.pixels(WIDEST_TEXT):.1f} px at 16 px; "
          f"advances from {widths.source})")
    print(f"verbs: {complete} complete sets of six persons; {opted} second persons leave out or add answers "
          f"of the third persons, each saying which")
    print(f"coverage: {listed - missing} of {listed} reference words taught or listed in untaught.tsv")
    shared = {(group, text) for group, rows in all_rows.items() for language in ("english", "portuguese")
              for text, n in collections.Counter(getattr(r, language) for r in rows).items() if n > 1}
    print(f"shared: {len(shared)} texts shown by more than one entry of a group; a question with such a text takes "
          f"the answers of every entry that shows it (the drill's rule)")
    if args.spell:
        check_spelling([r for rows in all_rows.values() for r in rows], report)
    print(f"{report.errors} errors")
    return 1 if report.errors else 0


def check_file(args):
    report = Report()
    rows = read_rows(args.file, report)
    check_rows(rows, report, args.group)
    print_counts(rows, args.group, args.first_index)
    if args.spell:
        check_spelling(rows, report)
    return 1 if report.errors else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("file", nargs="?")
    ap.add_argument("--all", action="store_true", help="check the seven group files together")
    ap.add_argument("--data", default=DATA, help="folder of the group files (for --all)")
    ap.add_argument("--coverage", action="store_true", help="print where each reference word is taught")
    ap.add_argument("--group", default="")
    ap.add_argument("--first-index", type=int, default=0)
    ap.add_argument("--spell", action="store_true")
    ap.add_argument("--write-advances", metavar="FONT")
    args = ap.parse_args()
    if args.write_advances:
        write_advances(args.write_advances)
        return 0
    if args.all:
        return check_all(args)
    if not args.file:
        ap.error("give a file or --all")
    return check_file(args)


if __name__ == "__main__":
    sys.exit(main())
