#!/usr/bin/python3
"""Reads a CSV file with Python's csv module and prints it for comparison: one line per
record, each field as the hexadecimal of its UTF-8 bytes ('-' for an empty field).

Usage: read_csv.py FILE DELIMITER ENCODING
"""
import csv
import sys


def main():
    path, delimiter, encoding = sys.argv[1], sys.argv[2], sys.argv[3]
    with open(path, newline='', encoding=encoding) as f:
        for record in csv.reader(f, delimiter=delimiter, strict=True):
            print(' '.join(field.encode('utf-8').hex() or '-' for field in record))


if __name__ == '__main__':
    main()
