#!/usr/bin/python3
"""Writes a settings file with xml.etree, as another XML tool would: US-ASCII, so every
character beyond ASCII becomes a character reference (the file is valid UTF-8 all the same).

Usage: write_settings.py FILE TITLE GROUPBY NAME=DISPLAY...
GROUPBY is "" (no group-by option), INDEX, or INDEX:PROPERTY (the property named beside
the index). The arguments are UTF-8.
"""
import sys
import xml.etree.ElementTree as ET


def main():
    path, title, group_by = sys.argv[1:4]
    root = ET.Element('KtDataExtraction')
    state = ET.SubElement(root, 'State')
    for pair in sys.argv[4:]:
        name, display = pair.split('=', 1)
        ET.SubElement(state, 'Property', name=name, display=display, checked='1')
    options = ET.SubElement(root, 'ExOptions')
    if group_by:
        index, _, prop = group_by.partition(':')
        option = ET.SubElement(options, 'Option', name='GroupBy', value=index)
        if prop:
            option.set('property', prop)
    ET.SubElement(root, 'KtTable', title=title)
    ET.ElementTree(root).write(path, encoding='us-ascii', xml_declaration=True)


if __name__ == '__main__':
    main()
