#!/usr/bin/env python3
"""Converts the Repertorium Publicum's per-chapter JSON export into an Orvex
data folder: garepertory.xml, remedy.xml, list.xml, COPYING and SOURCE.

    python3 tools/convert_publicum.py [SOURCE_DIR [OUTPUT_DIR]]

SOURCE_DIR holds publicum_<chapter>.json and COPYING (third_party/publicum);
OUTPUT_DIR is data/publicum unless given. The same input always gives the
same bytes, so the committed folder can be checked by converting again.
"""

import hashlib
import json
import os
import re
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
DEFAULT_SOURCE = os.path.join(ROOT, "third_party", "publicum")
DEFAULT_OUTPUT = os.path.join(ROOT, "data", "publicum")
TEXTS = os.path.join(ROOT, "data", "list.xml")

# In the order of the chapter picker: file, the root rubric's path in the
# export, the chapter code the search uses, the name list.xml gives it
# (under its picker key).
CHAPTERS = [
    ("publicum_mind.json", "Mind", "mi", "Mind", "strRubricList4"),
    ("publicum_mouth.json", "Mouth", "m", "Mouth", "strRubricList3"),
    ("publicum_eye.json", "Eye", "o", "Eyes", "strRubricList5"),
    ("publicum_perspiration.json", "Perspiration", "p", "Perspiration", "strRubricList6"),
    ("publicum_skin.json", "Skin", "s", "Skin", "strRubricList2"),
]

NO_REMEDY = "...."
SEPARATOR = ", "
# Characters XML 1.0 cannot carry, and halves of surrogate pairs, which
# UTF-8 cannot.
_FORBIDDEN = re.compile("[\x00-\x08\x0b\x0c\x0e-\x1f\ud800-\udfff\ufffe\uffff]")


class ConversionError(Exception):
    pass


def escape(text, where):
    if _FORBIDDEN.search(text):
        raise ConversionError(f"{where}: {text!r} holds a character XML cannot carry")
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def _unique_keys(pairs):
    seen = {}
    for key, value in pairs:
        if key in seen:
            raise ConversionError(f"key {key!r} given twice")
        seen[key] = value
    return seen


def read_chapter(path, root_path):
    """The rubrics of one file as (id, path, [(remedy, grade)]), root first."""
    try:
        with open(path, encoding="utf-8") as f:
            data = json.load(f, object_pairs_hook=_unique_keys)
    except (OSError, ValueError, ConversionError) as e:
        raise ConversionError(f"{path}: {e}") from e
    if not isinstance(data, dict):
        raise ConversionError(f"{path}: not an object of rubrics")
    rubrics = []
    for key, entry in data.items():
        where = f"{os.path.basename(path)}, rubric {key}"
        if not key.isdigit() or not isinstance(entry, dict):
            raise ConversionError(f"{where}: not a rubric id with an object")
        text, remedies = entry.get("t"), entry.get("r")
        if not isinstance(text, str) or not isinstance(remedies, dict):
            raise ConversionError(f"{where}: needs a text \"t\" and remedies \"r\"")
        if not text.strip():
            # Its first child would be a remedy, whose name would become the line.
            raise ConversionError(f"{where}: the path is empty")
        listings = []
        for name, grade in remedies.items():
            if not name.strip() or name != name.strip():
                raise ConversionError(f"{where}: remedy name {name!r} is empty or padded")
            if type(grade) is not int or grade not in (1, 2, 3):
                raise ConversionError(f"{where}: remedy {name} has grade {grade!r}, not 1 to 3")
            listings.append((name, grade))
        rubrics.append((int(key), text, listings))
    roots = [r for r in rubrics if r[1] == root_path]
    if len(roots) != 1:
        raise ConversionError(f"{path}: {len(roots)} rubrics named {root_path!r}, expected one root")
    # The program trims lines, so paths that differ only at their ends would
    # become one line.
    lines = [r[1].strip() for r in rubrics]
    if len(set(lines)) != len(lines):
        raise ConversionError(f"{path}: a rubric path is given twice")
    return roots + [r for r in rubrics if r is not roots[0]]


def book_order(rubric):
    """A to Z by path part, ignoring case; the source id settles ties."""
    return [p.lower() for p in rubric[1].split(SEPARATOR)], rubric[0]


def chapter_xml(code, rubrics):
    """The category element with the rubrics nested under their nearest
    listed ancestor, and the greatest rubric depth below the category."""
    where = f"chapter {code}"
    by_path = {r[1]: r for r in rubrics[1:]}
    children = {r[1]: [] for r in rubrics}
    for rubric in rubrics[1:]:
        parts = rubric[1].split(SEPARATOR)
        parent = next((SEPARATOR.join(parts[:n]) for n in range(len(parts) - 1, 0, -1)
                       if SEPARATOR.join(parts[:n]) in by_path), rubrics[0][1])
        children[parent].append(rubric)

    def remedies(listings):
        return "".join(f'<remedy grade="{g}">{escape(n, where)}</remedy>' for n, g in listings)

    lines = []
    deepest = 0

    def write(rubric, depth):
        nonlocal deepest
        deepest = max(deepest, depth)
        indent = "    " + "  " * depth
        # The whole path is the line: rubrics that share a last label stay
        # apart, and one whose last label is empty still opens with text.
        tag = "category" if depth == 0 else "rubric"
        start = f'<category name="{code}">' if depth == 0 else "<rubric>"
        lines.append(f"{indent}{start}{escape(rubric[1], where)}{remedies(rubric[2])}")
        below = sorted(children[rubric[1]], key=book_order)
        for child in below:
            write(child, depth + 1)
        if below:
            lines.append(f"{indent}</{tag}>")
        else:
            lines[-1] += f"</{tag}>"

    write(rubrics[0], 0)
    return lines, deepest


def remedy_order(name):
    """As a practitioner looks a remedy up: by its letters, word by word,
    so "Acon." comes before "Acon-c." and "Am-c." before "Ambr."."""
    return ([w.lower() for w in re.findall(r"[0-9A-Za-z]+", name)], name.lower(), name)


def chapter_names(texts_path):
    """The chapter names list.xml gives, by key, as the program reads them."""
    names = {}
    for entry in ET.parse(texts_path).getroot().iter("string"):
        children = list(entry)
        if not children or children[0].tag != "name":
            continue
        key = children[0].text or ""
        tail = children[0].tail or ""
        if tail.strip():
            text = tail
        elif len(children) > 1:
            text = "".join(children[1].itertext())
        else:
            text = ""
        names.setdefault(key, text.strip())
    return names


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def convert(source_dir, texts_path=TEXTS):
    """All files of the data folder, by name, as bytes; and the counts."""
    names = chapter_names(texts_path)
    for _, _, code, name, key in CHAPTERS:
        if names.get(key) != name:
            raise ConversionError(f"{texts_path}: {key} is {names.get(key)!r}; chapter {code} "
                                  f"needs {name!r} in that place of the picker")
    body, counts, every_remedy, deepest = [], [], set(), 0
    for file_name, root_path, code, name, _ in CHAPTERS:
        rubrics = read_chapter(os.path.join(source_dir, file_name), root_path)
        lines, depth = chapter_xml(code, rubrics)
        body += ["  <symptom>"] + lines + ["  </symptom>"]
        chapter_remedies = {n for r in rubrics for n, _ in r[2]}
        every_remedy |= chapter_remedies
        counts.append((code, name, len(rubrics), sum(len(r[2]) for r in rubrics),
                       len(chapter_remedies), depth))
        deepest = max(deepest, depth)
    if NO_REMEDY in every_remedy:
        raise ConversionError(f"a remedy is named {NO_REMEDY!r}, which the program reads as none")

    header = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        "<!-- Repertorium Publicum v0.5, five chapters: a repertory derived from Kent's Repertory",
        "     of the Homoeopathic Materia Medica (1897), published by Vladimir Polony in 2008. -->",
        "<!-- Licence: GNU General Public License version 3 (COPYING in this folder). -->",
        "<!-- Made by tools/convert_publicum.py of the Orvex sources from the JSON export in",
        "     third_party/publicum; convert again rather than edit (SOURCE in this folder). -->",
        "<!-- Chapters: " + ", ".join(f"{c[2]} {c[3]}" for c in CHAPTERS)
        + ". A rubric's text is its whole path inside the chapter; grade 1 to 3. -->",
    ]
    repertory = header + ["<list>"] + body + ["</list>"]

    remedies = ['<?xml version="1.0" encoding="UTF-8"?>',
                "<!-- Every remedy of the Repertorium Publicum's five chapters (garepertory.xml),",
                '     "...." (no remedy) first. Made by tools/convert_publicum.py. -->',
                "<remedies>", f"  <remedy>{NO_REMEDY}</remedy>"]
    remedies += [f"  <remedy>{escape(n, 'remedy list')}</remedy>"
                 for n in sorted(every_remedy, key=remedy_order)]
    remedies.append("</remedies>")

    with open(texts_path, "rb") as f:
        texts = f.read()
    with open(os.path.join(source_dir, "COPYING"), "rb") as f:
        licence = f.read()
    sums = "".join(f"    {sha256(os.path.join(source_dir, c[0]))}  {c[0]}\n" for c in CHAPTERS)
    source = SOURCE_TEXT.format(sums=sums).encode()

    files = {
        "garepertory.xml": ("\n".join(repertory) + "\n").encode(),
        "remedy.xml": ("\n".join(remedies) + "\n").encode(),
        "list.xml": texts,
        "COPYING": licence,
        "SOURCE": source,
    }
    return files, counts, len(every_remedy), deepest


SOURCE_TEXT = """\
Repertorium Publicum v0.5, five chapters (Mind, Mouth, Eye, Perspiration, Skin)

What: a repertory derived from Kent's Repertory of the Homoeopathic Materia
Medica (1897, public domain), published by Vladimir Polony in 2008 under the
GNU General Public License version 3 (COPYING). OOREP
(github.com/nondeterministic/oorep, GPL v3) ships it as its repertory
"publicum".

From: a per-chapter JSON export of OOREP's database dump, as found in
github.com/touqeer25/bismillah-clinic, repertory_chapters/*.json, commit
7026653c4d90cfc751c727acd26a2a6e8dfaaebe. The files as received, with their
own README, are in the Orvex sources under third_party/publicum:
{sums}
How: made by the Orvex converter, never edited by hand. From the top of the
Orvex sources:

    python3 tools/convert_publicum.py third_party/publicum data/publicum

Each rubric's line is its whole path inside the chapter ("affected parts, on,
morning"); every rubric is nested under its nearest listed ancestor, in book
order (path parts A to Z, ignoring case); the chapter's own rubric is the
category element. Each listing keeps its grade (1 to 3) as an attribute.
remedy.xml lists every remedy of the five chapters; list.xml holds the
program's user-interface texts (data/list.xml of the sources).
"""


def main(argv):
    source_dir = argv[1] if len(argv) > 1 else DEFAULT_SOURCE
    output_dir = argv[2] if len(argv) > 2 else DEFAULT_OUTPUT
    if len(argv) > 3:
        print(__doc__.strip(), file=sys.stderr)
        return 64
    try:
        files, counts, remedy_count, deepest = convert(source_dir)
    except (OSError, ET.ParseError, ConversionError) as e:
        print(f"convert_publicum: {e}", file=sys.stderr)
        return 1
    os.makedirs(output_dir, exist_ok=True)
    for name, content in files.items():
        with open(os.path.join(output_dir, name), "wb") as f:
            f.write(content)
    print("Code  Chapter        Rubrics  Listings  Remedies  Depth")
    for code, name, rubrics, listings, remedies, depth in counts:
        print(f"{code:<4}  {name:<12} {rubrics:>9} {listings:>9} {remedies:>9} {depth:>6}")
    print(f"All   {'':<12} {sum(c[2] for c in counts):>9} {sum(c[3] for c in counts):>9}"
          f" {remedy_count:>9} {deepest:>6}")
    print(f"written to {output_dir}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
