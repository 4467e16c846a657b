#!/usr/bin/python3
"""Reads the first sheet of a workbook with xlrd and prints its cells for comparison: one
line per row, each cell as the hexadecimal of its UTF-8 bytes ('-' for an empty cell).
Also checks that the compound file holds the one stream "Workbook".

Usage: update_read_xls.py FILE
"""
import sys

import olefile
import xlrd


def main():
    path = sys.argv[1]
    streams = olefile.OleFileIO(path).listdir()
    if streams != [['Workbook']]:
        print('streams: %r' % streams)
        return 1
    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    if sheet.name != 'Sheet1':
        print('sheet: %r' % sheet.name)
        return 1
    for r in range(sheet.nrows):
        cells = []
        for c in range(sheet.ncols):
            value = sheet.cell_value(r, c)
            if not isinstance(value, str):
                print('cell %d,%d is not a text: %r' % (r, c, value))
                return 1
            cells.append(value.encode('utf-8').hex() or '-')
        print(' '.join(cells))
    return 0


if __name__ == '__main__':
    sys.exit(main())
