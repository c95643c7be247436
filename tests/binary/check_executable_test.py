#!/usr/bin/python3
"""The executable check must catch each broken promise, not just pass.

Usage: check_executable_test.py PATH-TO-QuillmereCheck.exe
Makes damaged copies of the good executable and expects each to be refused.
"""
import os
import sys
import tempfile

import pefile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_executable  # noqa: E402


def damaged_text(data):
    return data.replace(b"Do you want to continue ?", b"Do you want to continue?", 1)


def damaged_caption(data):
    return data.replace(b"Error: \0", b"Error:\0\0", 1)


def with_pe(change):
    def damage(data):
        pe = pefile.PE(data=data)
        change(pe)
        return bytes(pe.write())
    return damage


def writable_code(pe):
    pe.sections[0].Characteristics |= 0x80000000


def no_nx(pe):
    pe.OPTIONAL_HEADER.DllCharacteristics &= ~0x0100


def newer_subsystem(pe):
    pe.OPTIONAL_HEADER.MajorSubsystemVersion = 6


def console(pe):
    pe.OPTIONAL_HEADER.Subsystem = 3


def other_language(pe):
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for rname in rtype.directory.entries:
            for rlang in rname.directory.entries:
                rlang.struct.Name = 1033


def too_big(data):
    return data + b"\0" * 1024


DAMAGES = {
    "a changed message text": damaged_text,
    "a changed caption": damaged_caption,
    "a writable code section": with_pe(writable_code),
    "NX_COMPAT cleared": with_pe(no_nx),
    "a newer subsystem version": with_pe(newer_subsystem),
    "the console subsystem": with_pe(console),
    "resources in another language": with_pe(other_language),
    "a size over the budget": too_big,
}


def main():
    good = open(sys.argv[1], "rb").read()
    failures = 0
    if check_executable.check(sys.argv[1]):
        print("the good executable itself is refused")
        failures += 1
    with tempfile.TemporaryDirectory() as tmp:
        for what, damage in DAMAGES.items():
            path = os.path.join(tmp, "damaged.exe")
            bad = damage(good)
            if bad == good:
                print(f"could not make an executable with {what}")
                failures += 1
                continue
            open(path, "wb").write(bad)
            if check_executable.check(path):
                print(f"caught: {what}")
            else:
                print(f"NOT caught: {what}")
                failures += 1
    print(f"{len(DAMAGES) + 1 - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
