"""Independent check of the workbooks the export writes.

Runs the case writer into a fresh folder, then opens every workbook with xlrd and olefile
and compares what they read with what the inputs beside it call for; a linter walks the
raw stream for what no reader looks at (piece sizes, string breaks, stream positions).
The workbooks the writer loaded and saved again (again/) pass the same checks. LibreOffice
and gnumeric convert every workbook to CSV, and their cells must be the ones expected.

usage: check_workbooks.py WRITER OUTPUT_FOLDER
"""
import csv
import glob
import io
import json
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

import olefile
import xlrd

NUMERIC = re.compile(r"^[+-]?[0-9]+(\.[0-9]+)?([eE][+-]?[0-9]+)?$")
MAX_PIECE = 8224
MAX_CELL_UNITS = 32767

WRITER = None
FOLDER = None


def cut(text):
    """The text as a cell holds it: at most 32,767 UTF-16 units, no pair split."""
    units = text.encode("utf-16-le")
    if len(units) <= 2 * MAX_CELL_UNITS:
        return text
    units = units[:2 * MAX_CELL_UNITS]
    if 0xD8 <= units[-1] <= 0xDB:
        units = units[:-2]
    return units.decode("utf-16-le")


def localized(text, verlan):
    text = cut(text)
    if not NUMERIC.match(text):
        return text
    if verlan == "fr-FR":
        return text.replace(".", ",")
    if verlan == "en-US":
        return text.replace(",", ".")
    return text


def expected_wizard(case):
    """(cells, bold) of the sheet: cells maps (row, col) to the text written."""
    grid, header, order = case["grid"], case["header"], case["rowOrder"]
    first = 0 if header else 1
    cells, bold = {}, set()
    for r in range(first, len(grid)):
        i = r if header else r - 1
        source = order[i] if i < len(order) else r
        for c, k in enumerate(case["columnOrder"]):
            if not case["visible"][k]:
                continue
            cells[(r - first, c)] = localized(grid[source][k], case["verlan"])
            if r == 0:
                bold.add((r - first, c))
    return cells, bold


def expected_table(case):
    grid = case["grid"]
    cells, bold = {}, set()
    for r, row in enumerate(grid):
        for c in range(len(grid[0])):
            cells[(r, c)] = localized(row[c], case["verlan"])
            if r == 0:
                bold.add((r, c))
    return cells, bold


class Stream:
    """The records of a workbook stream, as (offset, code, data) with CONTINUEs apart."""

    def __init__(self, data):
        self.data = data
        self.records = []
        pos = 0
        while pos + 4 <= len(data):
            code, length = struct.unpack_from("<HH", data, pos)
            self.records.append((pos, code, data[pos + 4:pos + 4 + length]))
            pos += 4 + length
        self.end = pos

    def at(self, offset):
        for i, (pos, _, _) in enumerate(self.records):
            if pos == offset:
                return i
        return None


def lint(test, stream_bytes):
    """Checks of the raw stream that no reader makes."""
    s = Stream(stream_bytes)
    test.assertEqual(s.end, len(stream_bytes), "record walk does not end at the stream's end")
    for pos, code, data in s.records:
        test.assertLessEqual(len(data), MAX_PIECE, "piece of %d bytes at %d" % (len(data), pos))

    # Records whose bytes are fixed.
    test.assertEqual(s.records[0][1], 0x0809)
    test.assertEqual(s.records[0][2], bytes.fromhex("0006 0500 a019 cd07 c9c00000 06030000".replace(" ", "")))
    window1 = [r for r in s.records if r[1] == 0x003D]
    test.assertEqual(window1[0][2], struct.pack("<9H", 120, 120, 15135, 9300, 0x38, 0, 0, 1, 600))
    fonts = [r for r in s.records if r[1] == 0x0031]
    test.assertEqual(fonts[0][2], bytes.fromhex("c8000000ff7f9001000000000000") + b"\x05\x01" + "Arial".encode("utf-16-le"))
    xfs = [r for r in s.records if r[1] == 0x00E0]
    test.assertGreaterEqual(len(xfs), 21)
    for _, _, data in xfs[:21]:
        test.assertEqual(data, struct.pack("<HHHBBBBIIH", 0, 0, 0xFFF5, 0x20, 0, 0, 0, 0, 0, 0x20C0))
    for _, _, data in [r for r in s.records if r[1] == 0x0293]:
        test.assertEqual(data, bytes.fromhex("0080 00ff".replace(" ", "")))

    # Shared string table: counts, pieces, option bytes at breaks inside strings.
    sst_index = next(i for i, r in enumerate(s.records) if r[1] == 0x00FC)
    pieces = [s.records[sst_index][2]]
    j = sst_index + 1
    while s.records[j][1] == 0x003C:
        pieces.append(s.records[j][2])
        j += 1
    total, unique = struct.unpack_from("<II", pieces[0], 0)
    strings = parse_sst(test, pieces)
    test.assertEqual(len(strings), unique)
    labels = [r for r in s.records if r[1] == 0x00FD]
    test.assertEqual(len(labels), total)
    for _, _, data in labels:
        test.assertLess(struct.unpack_from("<I", data, 6)[0], unique)
    test.assertFalse([r for r in s.records if r[1] == 0x00FF], "EXTSST written")

    # Sheet positions, INDEX entries, DBCELL offsets.
    for _, _, data in [r for r in s.records if r[1] == 0x0085]:
        position = struct.unpack_from("<I", data, 0)[0]
        i = s.at(position)
        test.assertIsNotNone(i, "BOUNDSHEET position %d is no record" % position)
        test.assertEqual(s.records[i][1], 0x0809)
        test.assertEqual(struct.unpack_from("<H", s.records[i][2], 2)[0], 0x0010)
        lint_sheet(test, s, i)
    return strings


def parse_sst(test, pieces):
    """The strings of the table, checking the option byte at every break inside one."""
    strings = []
    piece, pos = 0, 8
    total, unique = struct.unpack_from("<II", pieces[0], 0)
    while len(strings) < unique:
        if pos == len(pieces[piece]):
            piece, pos = piece + 1, 0  # a string starts the next piece: no option byte
        data = pieces[piece]
        test.assertLessEqual(pos + 3, len(data), "string header split by a break")
        count, flags = struct.unpack_from("<HB", data, pos)
        test.assertIn(flags, (0, 1))
        pos += 3
        units, wide = [], flags & 1
        while len(units) < count:
            if pos == len(data):
                test.assertFalse(wide and units and 0xD800 <= units[-1] <= 0xDBFF,
                                 "surrogate pair split by a break")
                piece, pos, data = piece + 1, 1, pieces[piece + 1]
                self_flags = data[0]
                test.assertEqual(self_flags, flags, "option byte at a break")
                wide = self_flags & 1
            width = 2 if wide else 1
            test.assertGreaterEqual(len(data) - pos, width, "character split by a break")
            take = min(count - len(units), (len(data) - pos) // width)
            raw = data[pos:pos + take * width]
            units.extend(struct.unpack("<%dH" % take, raw) if wide else raw)
            pos += take * width
        strings.append(struct.pack("<%dH" % len(units), *units).decode("utf-16-le", errors="surrogatepass"))
    test.assertEqual(piece, len(pieces) - 1, "SST pieces left over")
    test.assertEqual(pos, len(pieces[piece]), "SST bytes left over")
    return strings


def lint_sheet(test, s, bof):
    i = bof + 1
    index_positions = None
    block_start = None
    rows, cells = [], []
    dbcells = []
    while s.records[i][1] != 0x000A:
        pos, code, data = s.records[i]
        if code == 0x020B:
            n = (len(data) - 16) // 4
            index_positions = list(struct.unpack_from("<%dI" % n, data, 16))
        elif code == 0x0208:
            if block_start is None:
                block_start = pos
            rows.append((pos, struct.unpack_from("<H", data, 0)[0]))
        elif code in (0x00FD, 0x0201, 0x0203, 0x027E, 0x00BD, 0x00BE, 0x0006):
            cells.append((pos, struct.unpack_from("<H", data, 0)[0]))
        elif code == 0x00D7:
            back = struct.unpack_from("<I", data, 0)[0]
            test.assertEqual(pos - back, block_start, "DBCELL does not point at its block's first ROW")
            offsets = struct.unpack_from("<%dH" % ((len(data) - 4) // 2), data, 4)
            test.assertEqual(len(offsets), len(rows))
            at = rows[0][0] + 20
            for k, offset in enumerate(offsets):
                at += offset
                row_cells = [c for c in cells if c[1] == rows[k][1]]
                test.assertTrue(row_cells, "row without cells")
                test.assertEqual(at, row_cells[0][0], "DBCELL row offset %d" % k)
            dbcells.append(pos)
            test.assertLessEqual(len(rows), 32)
            block_start, rows, cells = None, [], []
        i += 1
    test.assertEqual(index_positions, dbcells, "INDEX entries are not the DBCELL positions")


def expected_cells(case):
    """(cells, bold) of the first sheet, or of the text cells for a book of the model."""
    if case["frontend"] == "model":
        first = case["sheets"][0]
        return {(r, c): value for r, c, kind, value in case["cells"][first] if kind == "text"}, set()
    return (expected_wizard if case["frontend"] == "wizard" else expected_table)(case)


def converted_cells(path):
    """The non-empty cells of a CSV file another program wrote, by (row, column)."""
    with open(path, encoding="utf-8", newline="") as f:
        return {(r, c): text for r, row in enumerate(csv.reader(f)) for c, text in enumerate(row) if text}


def file_url(path):
    """The path as a file URL, each character that a URL takes as its own escaped. LibreOffice
    is given its folders so: a folder's path after --outdir has its %XX decoded."""
    return pathlib.Path(os.path.abspath(path)).as_uri()


def libreoffice_profile(folder):
    """LibreOffice's option that keeps its profile in the folder."""
    return "-env:UserInstallation=" + file_url(os.path.join(folder, "profile"))


def sheet_files(path, sheet_part):
    """gnumeric's name for the file of each sheet (ssconvert -S): the path, with the % it would
    take as its own doubled, then the part that names the sheet (%s its name, %n its number)."""
    return path.replace("%", "%%") + sheet_part


def run_converter(test, command, folder):
    result = subprocess.run(command, cwd=folder, capture_output=True, text=True, timeout=600,
                            env=dict(os.environ, HOME=folder))
    test.assertEqual(result.returncode, 0, " ".join(command) + ": " + result.stdout + result.stderr)


class Workbooks(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(FOLDER, ignore_errors=True)
        os.makedirs(FOLDER)
        subprocess.run([WRITER, FOLDER], check=True)
        cls.cases = sorted(glob.glob(os.path.join(glob.escape(FOLDER), "*.json")))

    def case(self, path):
        with open(path, encoding="utf-8") as f:
            return json.load(f)

    def test_cases_written(self):
        names = {os.path.basename(p)[:-5] for p in self.cases}
        for name in ("header_shown_en", "header_hidden_fr", "hidden_column", "rows_40", "rows_70_hidden_header",
                     "long_text", "beyond_bmp", "repeated_texts", "table_export_fr", "model_numbers",
                     "astral_break_8170", "astral_break_8200", "astral_cut"):
            self.assertIn(name, names)

    def test_every_workbook(self):
        for path in self.cases:
            with self.subTest(case=os.path.basename(path)):
                self.check(path[:-5] + ".xls", self.case(path))

    def test_every_workbook_loaded_and_saved_again(self):
        for path in self.cases:
            with self.subTest(case=os.path.basename(path)):
                self.check(os.path.join(FOLDER, "again", os.path.basename(path)[:-5] + ".xls"), self.case(path))

    def test_libreoffice_reads_every_workbook(self):
        soffice = shutil.which("soffice")
        self.assertIsNotNone(soffice, "LibreOffice (soffice) is not installed: scripts/setup.sh installs it")
        with tempfile.TemporaryDirectory(prefix="lo-") as home:
            # A profile of its own, so that no other instance or unwritable home is in the way.
            run_converter(self, [soffice, libreoffice_profile(home), "--headless",
                                 "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1",
                                 "--outdir", file_url(home)] + [p[:-5] + ".xls" for p in self.cases], home)
            self.compare_conversions(lambda name: os.path.join(home, name + ".csv"))

    def test_gnumeric_reads_every_workbook(self):
        ssconvert = shutil.which("ssconvert")
        self.assertIsNotNone(ssconvert, "gnumeric (ssconvert) is not installed: scripts/setup.sh installs it")
        with tempfile.TemporaryDirectory(prefix="gnumeric-") as home:
            for path in self.cases:
                name = os.path.basename(path)[:-5]
                run_converter(self, [ssconvert, "-S", "--export-type=Gnumeric_stf:stf_csv", path[:-5] + ".xls",
                                     sheet_files(os.path.join(home, name + "."), "%n.csv")], home)
            self.compare_conversions(lambda name: os.path.join(home, name + ".0.csv"))

    def compare_conversions(self, csv_of):
        for path in self.cases:
            name = os.path.basename(path)[:-5]
            with self.subTest(case=name):
                self.assertTrue(os.path.exists(csv_of(name)), "no CSV for " + name)
                expected = {key: text for key, text in expected_cells(self.case(path))[0].items() if text}
                found = converted_cells(csv_of(name))
                if self.case(path)["frontend"] == "model":
                    found = {key: text for key, text in found.items() if key in expected}
                self.assertEqual(found.keys(), expected.keys())
                for key in expected:
                    self.assertEqual(found[key], expected[key], key)

    def open(self, xls):
        ole = olefile.OleFileIO(xls, raise_defects=olefile.DEFECT_INCORRECT)
        self.assertEqual(ole.listdir(streams=True, storages=True), [["Workbook"]])
        stream = ole.openstream("Workbook").read()
        ole.close()
        log = io.StringIO()
        book = xlrd.open_workbook(xls, formatting_info=True, logfile=log)
        self.assertEqual(log.getvalue(), "", "xlrd logged: " + log.getvalue())
        return book, stream

    def font_of(self, book, sheet, r, c):
        return book.font_list[book.xf_list[sheet.cell_xf_index(r, c)].font_index]

    def check(self, xls, case):
        book, stream = self.open(xls)
        strings = lint(self, stream)
        if case["frontend"] == "model":
            self.check_model(book, case)
            return
        self.assertEqual(book.sheet_names(), ["Sheet1"])
        sheet = book.sheet_by_name("Sheet1")
        cells, bold = expected_cells(case)
        rows = max(r for r, _ in cells) + 1
        cols = max(c for _, c in cells) + 1
        self.assertEqual((sheet.nrows, sheet.ncols), (rows, cols))
        for r in range(rows):
            for c in range(cols):
                cell = sheet.cell(r, c)
                text = cells.get((r, c), "")
                if text:
                    self.assertEqual(cell.ctype, xlrd.XL_CELL_TEXT, (r, c))
                    self.assertEqual(cell.value, text, (r, c))
                else:
                    self.assertEqual(cell.ctype, xlrd.XL_CELL_BLANK, (r, c))
                font = self.font_of(book, sheet, r, c)
                self.assertEqual(font.name, "Arial")
                self.assertEqual(font.weight, 700 if (r, c) in bold else 400, (r, c))
        texts = [t for t in cells.values() if t]
        self.assertEqual(sorted(strings), sorted(set(texts)), "shared strings are not the distinct texts")

    def check_model(self, book, case):
        self.assertEqual(book.sheet_names(), case["sheets"])
        for name, expected in case["cells"].items():
            sheet = book.sheet_by_name(name)
            for r, c, kind, value in expected:
                cell = sheet.cell(r, c)
                if kind == "number":
                    self.assertEqual(cell.ctype, xlrd.XL_CELL_NUMBER, (name, r, c))
                    self.assertEqual(cell.value, value, (name, r, c))
                else:
                    self.assertEqual(cell.ctype, xlrd.XL_CELL_TEXT, (name, r, c))
                    self.assertEqual(cell.value, value, (name, r, c))
        for name, ranges in case["merged"].items():
            self.assertEqual(sorted(book.sheet_by_name(name).merged_cells), sorted(tuple(x) for x in ranges))
        for name, widths in case["widths"].items():
            colinfo = book.sheet_by_name(name).colinfo_map
            for column, width in widths.items():
                self.assertEqual(colinfo[int(column)].width, width)


if __name__ == "__main__":
    WRITER, FOLDER = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
