"""The Publicum converter on a tiny hand-made export, and the committed
repertory checked against the source JSON by hand."""

import json
import os
import shutil
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tools"))
import convert_publicum  # noqa: E402

# Rubric ids out of book order on purpose; the root is not the first entry.
MIND = {
    "9": {"t": "fear, of dark", "r": {"Bell.": 2}},
    "1": {"t": "Zeal", "r": {"Mag. & Ferr.": 1}},
    "8": {"t": "Mind", "r": {"Acon.": 3, "Apis": 1}},
    "4": {"t": "fear", "r": {"Acon.": 3, "Bell.": 1}},
    "5": {"t": "fear, ", "r": {"Apis": 2}},
    "3": {"t": "anger, a < b, violent", "r": {"Am-c.": 1}},
    "7": {"t": "Fear", "r": {"Ambr.": 1}},
    "2": {"t": "fear, of dark, alone, when, at night", "r": {"Acon-c.": 1}},
}
OTHERS = {"publicum_mouth.json": "Mouth", "publicum_eye.json": "Eye",
          "publicum_perspiration.json": "Perspiration", "publicum_skin.json": "Skin"}


class MiniExport(unittest.TestCase):
    def setUp(self):
        self.source = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.source)
        self.write("publicum_mind.json", MIND)
        for name, root in OTHERS.items():
            self.write(name, {"1": {"t": root, "r": {"Acon.": 1}}})
        with open(os.path.join(self.source, "COPYING"), "w") as f:
            f.write("licence\n")

    def write(self, name, content):
        with open(os.path.join(self.source, name), "w") as f:
            json.dump(content, f)

    def convert(self):
        return convert_publicum.convert(self.source)[0]

    def mind(self):
        root = ET.fromstring(self.convert()["garepertory.xml"])
        return root.find("symptom/category[@name='mi']")

    def test_nesting_and_book_order(self):
        def tree(element):
            return [(child.text, tree(child)) for child in element.findall("rubric")]
        category = self.mind()
        self.assertEqual(category.text, "Mind")
        # A to Z by path part ignoring case, "fear" (4) before "Fear" (7) by
        # id, with its rubrics kept below it; the unlisted "anger, a < b" and
        # "fear, of dark, alone, when" skipped for the nearest listed
        # ancestor; the empty label first.
        self.assertEqual(tree(category), [
            ("anger, a < b, violent", []),
            ("fear", [("fear, ", []),
                      ("fear, of dark", [("fear, of dark, alone, when, at night", [])])]),
            ("Fear", []),
            ("Zeal", []),
        ])

    def test_listings_keep_text_grade_and_order(self):
        category = self.mind()
        self.assertEqual([(r.text, r.get("grade")) for r in category.findall("remedy")],
                         [("Acon.", "3"), ("Apis", "1")])
        zeal = category.find("rubric[4]")
        self.assertEqual([(r.text, r.get("grade")) for r in zeal], [("Mag. & Ferr.", "1")])

    def test_text_comes_first_and_is_escaped(self):
        text = self.convert()["garepertory.xml"].decode()
        self.assertIn('<category name="mi">Mind<remedy grade="3">Acon.</remedy>', text)
        self.assertIn("<rubric>fear, <remedy", text)
        self.assertIn("<rubric>anger, a &lt; b, violent<remedy", text)
        self.assertIn('<remedy grade="1">Mag. &amp; Ferr.</remedy>', text)
        self.assertEqual([c.get("name") for c in ET.fromstring(text).iter("category")],
                         ["mi", "m", "o", "p", "s"])

    def test_remedy_list_in_lookup_order(self):
        root = ET.fromstring(self.convert()["remedy.xml"])
        self.assertEqual([r.text for r in root.iter("remedy")],
                         ["....", "Acon.", "Acon-c.", "Am-c.", "Ambr.", "Apis", "Bell.", "Mag. & Ferr."])

    def test_same_input_same_bytes(self):
        self.assertEqual(self.convert(), self.convert())

    def test_bad_input_is_refused_with_a_reason(self):
        cases = [
            ("grade out of range", {"8": {"t": "Mind", "r": {"Acon.": 4}}}, "grade 4"),
            ("no root rubric", {"4": {"t": "fear", "r": {"Acon.": 1}}}, "expected one root"),
            ("padded remedy name", {"8": {"t": "Mind", "r": {"Acon. ": 1}}}, "empty or padded"),
            ("control character", {"8": {"t": "Mind", "r": {"Acon.": 1}},
                                   "4": {"t": "fear\x01", "r": {"Acon.": 1}}}, "XML cannot carry"),
            ("the no-remedy name", {"8": {"t": "Mind", "r": {"....": 1}}}, "reads as none"),
            ("grade not a whole number", {"8": {"t": "Mind", "r": {"Acon.": 1.0}}}, "grade 1.0"),
            ("path given twice", {"8": {"t": "Mind", "r": {"Acon.": 1}},
                                  "4": {"t": "fear", "r": {"Acon.": 1}},
                                  "5": {"t": "fear ", "r": {"Bell.": 1}}}, "given twice"),
            ("empty path", {"8": {"t": "Mind", "r": {"Acon.": 1}},
                            "4": {"t": " ", "r": {"Acon.": 1}}}, "path is empty"),
        ]
        for name, mind, reason in cases:
            with self.subTest(name):
                self.write("publicum_mind.json", mind)
                with self.assertRaisesRegex(convert_publicum.ConversionError, reason):
                    self.convert()

    def test_texts_must_name_the_chapters_in_picker_order(self):
        texts = os.path.join(self.source, "list.xml")
        with open(texts, "w") as f:
            f.write("<s><string><name>strRubricList4</name><t>Mouth</t></string></s>")
        with self.assertRaisesRegex(convert_publicum.ConversionError, "strRubricList4 is 'Mouth'"):
            convert_publicum.convert(self.source, texts)


class CommittedRepertory(unittest.TestCase):
    """data/publicum/garepertory.xml against the JSON, read by hand."""

    @classmethod
    def setUpClass(cls):
        cls.root = ET.parse(os.path.join(ROOT, "data", "publicum", "garepertory.xml")).getroot()

    def rubric(self, code, text):
        found = [e for e in self.root.iterfind(f"symptom/category[@name='{code}']//rubric")
                 if e.text == text]
        self.assertEqual(len(found), 1, text)
        return found[0]

    def ancestors(self, code, text):
        parents = {child: parent for parent in self.root.iter() for child in parent}
        element, chain = self.rubric(code, text), []
        while element.tag == "rubric":
            element = parents[element]
            chain.append(element.text)
        return chain

    @staticmethod
    def listings(element):
        return [(r.text, int(r.get("grade"))) for r in element.findall("remedy")]

    def test_chapter_root_is_the_category(self):
        # publicum_perspiration.json, 52966: 294 remedies, Acet-ac. 2 ... Carbn-s. 3.
        category = self.root.find("symptom/category[@name='p']")
        listings = self.listings(category)
        self.assertEqual(category.text, "Perspiration")
        self.assertEqual(len(listings), 294)
        self.assertEqual(listings[:3], [("Acet-ac.", 2), ("Acon-c.", 1), ("Acon.", 3)])
        self.assertEqual(listings[-1], ("Carbn-s.", 3))

    def test_deep_rubric_under_its_nearest_listed_ancestor(self):
        # publicum_mind.json, 47966; of its ancestors only the first three
        # parts' rubrics are listed.
        text = "fear, death, of, die, fear he will, if he goes to sleep, after nightmare"
        self.assertEqual(self.listings(self.rubric("mi", text)), [("Led.", 1)])
        self.assertEqual(self.ancestors("mi", text), ["fear, death, of", "fear, death", "fear", "Mind"])

    def test_empty_last_label_is_a_line_of_its_own(self):
        # publicum_mind.json, 46098, under 46097.
        text = "speech, answers, monosyllable, "
        self.assertEqual(self.listings(self.rubric("mi", text)),
                         [("Crot-c.", 1), ("Hyos.", 1), ("Kali-br.", 1)])
        self.assertEqual(self.ancestors("mi", text)[0], "speech, answers, monosyllable")

    def test_remedy_without_final_dot(self):
        # publicum_skin.json, 55938 and publicum_perspiration.json, 52983.
        self.assertEqual(self.listings(self.rubric("s", "erysipelas, smooth")),
                         [("Apis", 2), ("Bell.", 3)])
        self.assertEqual(self.listings(self.rubric("p", "alternating with heat")), [("Apis", 1)])


if __name__ == "__main__":
    unittest.main()
