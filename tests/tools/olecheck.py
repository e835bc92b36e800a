#!/usr/bin/python3
"""Checks a compound file with olefile, an independent reader, as strictly as it reads.

    olecheck.py FILE EXPECTED_FOLDER

EXPECTED_FOLDER holds one file per stream, named by the stream's path with "/" written as
"%2F", and a file "storages.txt" listing the storage paths, one a line. The check passes
(exit 0, prints "OK") when olefile finds no defect and the file holds exactly those storages
and streams with exactly those bytes; otherwise it prints what differs and exits 1."""
import os
import sys

import olefile


def name_key(entry):
    """The format's order of names: shorter first, then by upper-cased code units."""
    units = entry.name_raw[:max(entry.namelength - 2, 0)]
    return (len(units), units.decode("utf-16-le").upper())


def check_tree(ole, storage, problems):
    """Each storage's children form a red-black tree in name order: a binary search tree,
    with a black root, no red node with a red child, and as many black nodes on every path."""
    entries = ole.direntries

    def walk(sid, low, high):
        if sid == olefile.NOSTREAM:
            return 1
        node = entries[sid]
        key = name_key(node)
        if (low is not None and not key > low) or (high is not None and not key < high):
            problems.append("tree of %r: %r is out of order" % (storage.name, node.name))
        for child in (node.sid_left, node.sid_right):
            if child != olefile.NOSTREAM and node.color == 0 and entries[child].color == 0:
                problems.append("tree of %r: red %r has a red child" % (storage.name, node.name))
        left = walk(node.sid_left, low, key)
        right = walk(node.sid_right, key, high)
        if left != right:
            problems.append("tree of %r: black heights differ below %r" % (storage.name, node.name))
        return left + (1 if node.color == 1 else 0)

    if storage.sid_child != olefile.NOSTREAM and entries[storage.sid_child].color != 1:
        problems.append("tree of %r: the root is red" % storage.name)
    walk(storage.sid_child, None, None)
    for kid in storage.kids:
        if kid.entry_type == olefile.STGTY_STORAGE:
            check_tree(ole, kid, problems)


def main(path, expected_folder):
    problems = []
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    if ole.parsing_issues:
        problems.append("parsing issues: %r" % (ole.parsing_issues,))
    check_tree(ole, ole.root, problems)
    found_streams = {}
    found_storages = set()
    for entry in ole.listdir(streams=True, storages=True):
        name = "/".join(entry)
        if ole.get_type(entry) == olefile.STGTY_STORAGE:
            found_storages.add(name)
        else:
            found_streams[name] = ole.openstream(entry).read()
    expected_streams = {}
    expected_storages = set()
    for file_name in os.listdir(expected_folder):
        full = os.path.join(expected_folder, file_name)
        if file_name == "storages.txt":
            with open(full, encoding="utf-8") as listing:
                expected_storages = {line.rstrip("\n") for line in listing if line.strip()}
        else:
            with open(full, "rb") as data:
                expected_streams[file_name.replace("%2F", "/")] = data.read()
    if found_storages != expected_storages:
        problems.append("storages: found %r, expected %r" % (sorted(found_storages), sorted(expected_storages)))
    if set(found_streams) != set(expected_streams):
        problems.append("streams: found %r, expected %r" % (sorted(found_streams), sorted(expected_streams)))
    for name in sorted(set(found_streams) & set(expected_streams)):
        if found_streams[name] != expected_streams[name]:
            problems.append("stream %s: %d bytes differ from the %d expected"
                            % (name, len(found_streams[name]), len(expected_streams[name])))
    if problems:
        print("\n".join(problems))
        return 1
    print("OK")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1], sys.argv[2]))
    except Exception as error:  # a defect olefile raises is a failed check, with its reason
        print("olefile: %s: %s" % (type(error).__name__, error))
        sys.exit(1)
