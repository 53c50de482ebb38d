"""Reads a table file with Python's own XML reader and prints every row, one line per field:
row number, field name, value, with control characters shown as \\xNN, so that a test can compare
what another reader sees with what the program meant to write."""
import sys
import xml.etree.ElementTree as ET

def show(text):
    return ''.join(c if ord(c) >= 0x20 and c != '\\' else '\\x%02x' % ord(c) for c in text)

root = ET.parse(sys.argv[1]).getroot()
assert root.tag == 'DATAPACKET', root.tag
fields = [f.get('attrname') for f in root.find('METADATA').find('FIELDS').findall('FIELD')]
for number, row in enumerate(root.find('ROWDATA').findall('ROW')):
    for name in fields:
        value = row.get(name)
        if value is not None:
            sys.stdout.buffer.write(('%d %s %s\n' % (number, name, show(value))).encode('utf-8'))
