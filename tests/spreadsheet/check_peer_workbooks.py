"""Workbooks that other programs wrote, loaded by our reader and saved again.

LibreOffice writes each source book (a flat ODF spreadsheet written here) as a workbook,
and gnumeric writes LibreOffice's workbook as one of its own. The case writer loads every
peer workbook, says what it read, and saves it again. Every cell must read as xlrd reads
the peer's file, and the peers must read the saved book as they read their own: in xlrd
the same cells, number formats, colours and date system; and the same cells as shown
(formats applied, formulas recalculated) when LibreOffice and gnumeric convert both to CSV.
A text cell partly in bold, which gnumeric writes as a rich-text record of its own, keeps
its text.

usage: check_peer_workbooks.py WRITER OUTPUT_FOLDER
"""
import json
import os
import shutil
import subprocess
import sys
import unittest

import olefile
import xlrd

from check_workbooks import Stream, converted_cells, file_url, libreoffice_profile, run_converter, sheet_files

WRITER = None
FOLDER = None

PEERS = ("libreoffice", "gnumeric")

# The date systems of the source books: the day that serial number 0 stands for.
BOOKS = {"dates-1900": "1899-12-30", "dates-1904": "1904-01-01"}

# One cell per property, in row order on its sheet: (name, sheet, number style of the
# cell or None, other cell style or None, attributes, content). The formulas refer to the
# rows above them: A1 the date, A2 the percentage (named Rate), A3 the thousands.
PROPERTIES = (
    ("date", "A",
     '<number:date-style style:name="N0"><number:year number:style="long"/><number:text>-</number:text>'
     '<number:month number:style="long"/><number:text>-</number:text><number:day number:style="long"/>'
     '</number:date-style>', None, 'office:value-type="date" office:date-value="2024-03-15"', ""),
    ("percentage", "A",
     '<number:percentage-style style:name="N1"><number:number number:decimal-places="0" '
     'number:min-integer-digits="1"/><number:text>%</number:text></number:percentage-style>',
     None, 'office:value-type="percentage" office:value="0.25"', ""),
    ("thousands", "A",
     '<number:number-style style:name="N2"><number:number number:decimal-places="2" '
     'number:min-integer-digits="1" number:grouping="true"/></number:number-style>',
     None, 'office:value-type="float" office:value="1234.5"', ""),
    ("currency", "A",
     '<number:currency-style style:name="N3"><number:currency-symbol number:language="en" '
     'number:country="US">$</number:currency-symbol><number:number number:decimal-places="2" '
     'number:min-integer-digits="1" number:grouping="true"/></number:currency-style>',
     None, 'office:value-type="currency" office:currency="USD" office:value="-7.5"', ""),
    ("colours", "A", None,
     '<style:table-cell-properties fo:background-color="#fedcba"/><style:text-properties fo:color="#123456"/>',
     'office:value-type="string"', "<text:p>coloured</text:p>"),
    ("named range formula", "A", None, None, 'table:formula="of:=[.A3]*Rate"', ""),
    ("cross-sheet formula", "B", None, None, 'table:formula="of:=[$A.A1]+1"', ""),
    ("rich text", "A", None, None, 'office:value-type="string"',
     '<text:p>partly <text:span text:style-name="T1">bold</text:span> text</text:p>'),
)
# The text of the rich-text cell, and the style of its bold run.
RICH_TEXT = "partly bold text"
TEXT_STYLES = ('<style:style style:name="T1" style:family="text">'
               '<style:text-properties fo:font-weight="bold"/></style:style>')
# The record in which gnumeric writes a text cell with formatting runs.
RSTRING = 0x00D6
SHEETS = ("A", "B")

SOURCE = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:automatic-styles>{styles}</office:automatic-styles>
 <office:body><office:spreadsheet>
  <table:calculation-settings><table:null-date table:date-value="{null_date}"/></table:calculation-settings>
  {tables}
  <table:named-expressions><table:named-range table:name="Rate" table:base-cell-address="$A.$A$1"
   table:cell-range-address="$A.$A$2"/></table:named-expressions>
 </office:spreadsheet></office:body>
</office:document>
"""

LIBREOFFICE_CSV = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1"


def property_cells():
    """(sheet, row, column) of each property's cell, by name."""
    cells, rows = {}, {sheet: 0 for sheet in SHEETS}
    for name, sheet, *_ in PROPERTIES:
        cells[name] = (sheet, rows[sheet], 0)
        rows[sheet] += 1
    return cells


def source_book(null_date):
    """The source book of a date system: each property's cell, with its styles."""
    styles, rows = [TEXT_STYLES], {sheet: [] for sheet in SHEETS}
    for i, (_, sheet, number_style, cell_style, attributes, content) in enumerate(PROPERTIES):
        data_style = ""
        if number_style:
            styles.append(number_style)
            data_style = ' style:data-style-name="N%d"' % i
        styles.append('<style:style style:name="ce%d" style:family="table-cell"%s>%s</style:style>'
                      % (i, data_style, cell_style or ""))
        rows[sheet].append('<table:table-row><table:table-cell table:style-name="ce%d" %s>%s</table:table-cell>'
                           '</table:table-row>' % (i, attributes, content))
    tables = "".join('<table:table table:name="%s">%s</table:table>' % (sheet, "".join(rows[sheet]))
                     for sheet in SHEETS)
    return SOURCE.format(styles="".join(styles), null_date=null_date, tables=tables)


def workbooks():
    """The names of the peer workbooks: each peer's workbook of each source book."""
    return ["%s-%s" % (peer, book) for peer in PEERS for book in BOOKS]


def peer_file(name, again=False):
    return os.path.join(FOLDER, "peers", "again" if again else "", name + ".xls")


def label(key):
    """A cell by the property it holds, or by its address."""
    for name, cell in property_cells().items():
        if cell == key:
            return name
    return "%s!R%dC%d" % key


def xls_cells(book):
    """The cells of every sheet that hold a value, by (sheet, row, column)."""
    return {(sheet.name, r, c): sheet.cell(r, c)
            for sheet in book.sheets() for r in range(sheet.nrows) for c in range(sheet.ncols)
            if sheet.cell_type(r, c) not in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK)}


def look(book, cell):
    """What a reader shows of a cell: type, value, number format, text and fill colours."""
    xf = book.xf_list[cell.xf_index]
    font = book.font_list[xf.font_index]
    return {"type": cell.ctype, "value": cell.value, "format": xf.format_key,
            "format text": book.format_map[xf.format_key].format_str,
            "text colour": book.colour_map.get(font.colour_index),
            "fill colour": book.colour_map.get(xf.background.pattern_colour_index)}


def convert(program, arguments):
    """Runs a peer's converter, which scripts/setup.sh installs."""
    path = shutil.which(program)
    assert path, program + " is not installed: scripts/setup.sh installs it"
    run_converter(unittest.TestCase(), [path] + arguments, FOLDER)


def libreoffice(paths, target, outdir):
    """Converts all the files in one run, with a profile of its own under the output folder."""
    convert("soffice", [libreoffice_profile(FOLDER), "--headless", "--convert-to", target,
                        "--outdir", file_url(outdir)] + paths)


class PeerWorkbooks(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(FOLDER, ignore_errors=True)
        for sub in ("sources", "peers", "shown", "libreoffice-csv", "gnumeric-csv"):
            os.makedirs(os.path.join(FOLDER, sub))
        sources = []
        for book, null_date in BOOKS.items():
            sources.append(os.path.join(FOLDER, "sources", "libreoffice-%s.fods" % book))
            with open(sources[-1], "w", encoding="utf-8") as f:
                f.write(source_book(null_date))
        libreoffice(sources, "xls", os.path.join(FOLDER, "peers"))
        for book in BOOKS:
            convert("ssconvert", [peer_file("libreoffice-" + book), peer_file("gnumeric-" + book)])
        subprocess.run([WRITER, "--load-and-save", os.path.join(FOLDER, "peers")], check=True)

        shown = []
        for name in workbooks():
            for kind, again in (("original", False), ("again", True)):
                shown.append(os.path.join(FOLDER, "shown", "%s-%s.xls" % (kind, name)))
                shutil.copy(peer_file(name, again), shown[-1])
        libreoffice(shown, LIBREOFFICE_CSV, os.path.join(FOLDER, "libreoffice-csv"))
        for path in shown:
            stem = os.path.basename(path)[:-4]
            convert("ssconvert", ["--recalc", "-S", "--export-type=Gnumeric_stf:stf_assistant",
                           "-O", "format=preserve separator=,", path,
                           sheet_files(os.path.join(FOLDER, "gnumeric-csv", stem + "."), "%s.csv")])

    def open(self, name, again=False):
        return xlrd.open_workbook(peer_file(name, again), formatting_info=True)

    def test_every_property_is_in_every_peer_workbook(self):
        for name in workbooks():
            cells = xls_cells(self.open(name))
            for prop, key in property_cells().items():
                with self.subTest(workbook=name, property=prop):
                    self.assertIn(key, cells)
                    self.assertNotEqual(cells[key].ctype, xlrd.XL_CELL_ERROR)

    def test_reader_reads_what_the_peer_wrote(self):
        for name in workbooks():
            book = self.open(name)
            with open(os.path.join(FOLDER, "peers", name + ".read.json"), encoding="utf-8") as f:
                read = json.load(f)
            self.assertEqual([sheet["name"] for sheet in read], book.sheet_names(), name)
            ours = {(sheet["name"], r, c): rest for sheet in read for r, c, *rest in sheet["cells"]}
            records = {f.format_key: f.format_str for f in book.format_list}
            formulas = {property_cells()[p] for p, *_ in PROPERTIES if p.endswith("formula")}
            cells = xls_cells(book)
            self.assertEqual(sorted(ours), sorted(cells), name)
            for key, cell in cells.items():
                with self.subTest(workbook=name, cell=label(key)):
                    kind, value, index, text = ours[key]
                    self.assertEqual(kind.startswith("formula"), key in formulas)
                    self.assertIn(cell.ctype, (xlrd.XL_CELL_TEXT, xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE))
                    self.assertEqual(kind.endswith("text"), cell.ctype == xlrd.XL_CELL_TEXT)
                    self.assertEqual(value, cell.value)
                    self.assertEqual(index, book.xf_list[cell.xf_index].format_key)
                    if index in records:
                        self.assertEqual(text, records[index])

    def test_peers_read_the_saved_book_as_their_own(self):
        for name in workbooks():
            original, again = self.open(name), self.open(name, again=True)
            with self.subTest(workbook=name, property="date system"):
                self.assertEqual(again.datemode, original.datemode)
            with self.subTest(workbook=name, property="number formats"):
                kept = {f.format_key: f.format_str for f in again.format_list}
                for f in original.format_list:
                    self.assertEqual(kept.get(f.format_key), f.format_str, f.format_key)
            self.assertEqual(again.sheet_names(), original.sheet_names(), name)
            before, after = xls_cells(original), xls_cells(again)
            self.assertEqual(sorted(after), sorted(before), name)
            for key, cell in before.items():
                with self.subTest(workbook=name, cell=label(key)):
                    self.assertEqual(look(again, after[key]), look(original, cell))

    def test_a_rich_text_cell_keeps_its_text(self):
        key = property_cells()["rich text"]
        for name in workbooks():
            if name.startswith("gnumeric"):
                ole = olefile.OleFileIO(peer_file(name))
                codes = {code for _, code, _ in Stream(ole.openstream("Workbook").read()).records}
                ole.close()
                self.assertIn(RSTRING, codes, name + ": gnumeric no longer writes the cell as a rich-text record")
            for again in (False, True):
                cell = xls_cells(self.open(name, again)).get(key)
                self.assertIsNotNone(cell, (name, again))
                self.assertEqual((cell.ctype, cell.value), (xlrd.XL_CELL_TEXT, RICH_TEXT), (name, again))

    def test_libreoffice_shows_the_saved_book_as_its_own(self):
        self.compare_shown(lambda stem, sheet: os.path.join(FOLDER, "libreoffice-csv", "%s-%s.csv" % (stem, sheet)))

    def test_gnumeric_shows_the_saved_book_as_its_own(self):
        self.compare_shown(lambda stem, sheet: os.path.join(FOLDER, "gnumeric-csv", "%s.%s.csv" % (stem, sheet)))

    def compare_shown(self, csv_of):
        for name in workbooks():
            for sheet in SHEETS:
                before = converted_cells(csv_of("original-" + name, sheet))
                after = converted_cells(csv_of("again-" + name, sheet))
                self.assertEqual(sorted(after), sorted(before), (name, sheet))
                for (r, c), text in before.items():
                    with self.subTest(workbook=name, cell=label((sheet, r, c))):
                        self.assertFalse(text.startswith("#"), "the peer shows its own cell as " + text)
                        self.assertEqual(after[(r, c)], text)


if __name__ == "__main__":
    WRITER, FOLDER = sys.argv[1], os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
