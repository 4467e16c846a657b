#!/usr/bin/python3
"""Reads a settings file with xml.etree and prints what it holds, for comparison: one line
per element under the root, its tag and then each attribute as name=hex(UTF-8 value), in
document order.

Usage: read_settings.py FILE
"""
import sys
import xml.etree.ElementTree as ET


def hexed(text):
    return text.encode('utf-8').hex() or '-'


def main():
    root = ET.parse(sys.argv[1]).getroot()
    print(root.tag)
    for section in root:
        print(section.tag + ''.join(' %s=%s' % (k, hexed(v)) for k, v in section.attrib.items()))
        for element in section:
            print('  ' + element.tag + ''.join(' %s=%s' % (k, hexed(v)) for k, v in element.attrib.items()))


if __name__ == '__main__':
    main()
