#!/usr/bin/python3
"""Prints what a document file holds, read with olefile, an independent reader, and decoded by
the record layouts written out below: one line per record, counts block, settings block and
comment.

    docdump.py FILE

Each record line is "Stream@offset" and then name=value for every field, texts in brackets;
a deleted record (number -1) prints as "Stream@offset deleted". A byte of padding or of a
text beyond its length that is not zero adds " nonzero@offset" to the line; a stream whose
size is no multiple of its record size adds a line "Stream: N bytes left over"."""
import struct
import sys

import olefile

# (field, offset, kind, size): kinds i8/u8, i16/u16, i32, money (int64), date (double),
# char (one character), text (size = capacity: a length byte and that many characters), pad.
TRANSACTION = [
    ("Number", 0, "i32", 4), ("Date", 4, "date", 8), ("Reference", 12, "text", 20), ("", 33, "pad", 3),
    ("MainAct", 36, "i32", 4), ("SubAct", 40, "i32", 4), ("Group", 44, "u16", 2), ("Book", 46, "i16", 2),
    ("Kind", 48, "u8", 1), ("", 49, "pad", 3), ("Amount", 52, "money", 8), ("Notes", 60, "text", 247),
    ("Gst", 308, "money", 8), ("Reconciled", 316, "u8", 1), ("Split", 317, "char", 1), ("", 318, "pad", 2),
]
CATEGORY = [
    ("Number", 0, "i32", 4), ("Name", 4, "text", 40), ("Side", 45, "u8", 1), ("", 46, "pad", 2),
    ("CatType", 48, "i32", 4),
]
SUB_CATEGORY = [
    ("Number", 0, "i32", 4), ("Name", 4, "text", 40), ("Side", 45, "u8", 1), ("", 46, "pad", 2),
    ("MainAct", 48, "i32", 4), ("Notes1", 52, "text", 192), ("Notes2", 245, "text", 247), ("", 493, "pad", 3),
    ("GstPercent", 496, "money", 8),
]
GROUP = [("Number", 0, "i32", 4), ("Name", 4, "text", 40), ("Notes", 45, "text", 255), ("", 301, "pad", 3)]
CATEGORY_TYPE = [
    ("Number", 0, "i16", 2), ("Kind", 2, "i16", 2), ("Name", 4, "text", 40), ("Side", 45, "u8", 1),
    ("IsDefault", 46, "u8", 1), ("", 47, "pad", 1),
]
ACCOUNT = [
    ("Number", 0, "i32", 4), ("Name", 4, "text", 100), ("", 105, "pad", 3), ("OpeningTransNo", 108, "i32", 4),
    ("Colour", 112, "i32", 4),
]
SETTINGS = [
    ("Password", 0, "text", 8), ("ProtectOpen", 9, "u8", 1), ("ProtectDelete", 10, "u8", 1),
    ("ProtectAdd", 11, "u8", 1), ("ProtectEdit", 12, "u8", 1), ("ProtectReports", 13, "u8", 1),
    ("ProtectPrint", 14, "u8", 1), ("ProtectWorksheet", 15, "u8", 1), ("GstPercent", 16, "money", 8),
    ("TaxName", 24, "text", 6), ("TaxOn", 31, "u8", 1), ("GstPaymentCat", 32, "i32", 4),
    ("GstOpeningBalance", 36, "money", 8), ("BusinessName", 44, "text", 255), ("BusinessNumber", 300, "text", 255),
    ("IsExample", 556, "u8", 1), ("ExampleDescFile", 557, "text", 252), ("", 810, "pad", 2),
    ("GstRefundCat", 812, "i32", 4),
]
RECORD_STREAMS = [
    ("Transactions", 320, TRANSACTION), ("MainActs", 52, CATEGORY), ("SubActs", 504, SUB_CATEGORY),
    ("Groups", 304, GROUP), ("Categories", 48, CATEGORY_TYPE), ("Books", 116, ACCOUNT),
]
FORMATS = {"i8": "<b", "u8": "<B", "i16": "<h", "u16": "<H", "i32": "<i", "money": "<q", "date": "<d"}


def decode(data, layout, total):
    """The fields of one block as name=value texts, and the offsets of undefined bytes that are
    not zero. The layout must cover every byte of the block."""
    fields = []
    nonzero = []
    covered = 0
    for name, offset, kind, size in layout:
        if offset != covered:
            raise ValueError("layout gap at %d" % covered)
        if kind == "pad":
            nonzero += [offset + i for i in range(size) if data[offset + i] != 0]
            covered = offset + size
            continue
        if kind == "text":
            length = data[offset]
            if length > size:
                fields.append("%s=!length %d" % (name, length))
                length = size
            text = data[offset + 1:offset + 1 + length].decode("latin-1")
            fields.append("%s=[%s]" % (name, text))
            nonzero += [offset + 1 + i for i in range(length, size) if data[offset + 1 + i] != 0]
            covered = offset + 1 + size
        elif kind == "char":
            fields.append("%s=%s" % (name, data[offset:offset + 1].decode("latin-1")))
            covered = offset + 1
        else:
            value = struct.unpack_from(FORMATS[kind], data, offset)[0]
            fields.append("%s=%s" % (name, "%.6f" % value if kind == "date" else value))
            covered = offset + size
    if covered != total:
        raise ValueError("layout covers %d of %d bytes" % (covered, total))
    return fields, nonzero


def line(prefix, fields, nonzero):
    return " ".join([prefix] + fields + ["nonzero@%d" % at for at in nonzero])


def main(path):
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    out = []
    for name, size, layout in RECORD_STREAMS:
        if not ole.exists(name):
            out.append("%s: missing" % name)
            continue
        data = ole.openstream(name).read()
        for offset in range(0, len(data) - size + 1, size):
            record = data[offset:offset + size]
            number = struct.unpack_from("<h" if name == "Categories" else "<i", record, 0)[0]
            if number == -1:
                out.append("%s@%d deleted" % (name, offset))
            else:
                fields, nonzero = decode(record, layout, size)
                out.append(line("%s@%d" % (name, offset), fields, nonzero))
        if len(data) % size:
            out.append("%s: %d bytes left over" % (name, len(data) % size))
    counts = ole.openstream("KQ22FileInfo").read()
    out.append("KQ22FileInfo " + " ".join(str(c) for c in struct.unpack("<6i", counts[:24]))
               + ("" if len(counts) == 24 else " size=%d" % len(counts)))
    settings = ole.openstream("FileSettings").read()
    fields, nonzero = decode(settings, SETTINGS, 816)
    out.append(line("FileSettings", fields, nonzero) + ("" if len(settings) == 816 else " size=%d" % len(settings)))
    comment = ole.openstream("Comments").read()
    end = comment.find(b"\0")
    text = comment[:end if end >= 0 else len(comment)].decode("latin-1")
    out.append("Comments [%s]%s" % (text, "" if len(comment) == len(text) + 1 else " size=%d" % len(comment)))
    print("\n".join(out))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1]))
    except Exception as error:  # what olefile or the decoding raises is reported, not hidden
        print("docdump: %s: %s" % (type(error).__name__, error))
        sys.exit(1)
