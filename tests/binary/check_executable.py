#!/usr/bin/python3
"""Checks the shipped QuillmereCheck.exe byte by byte against what we promise.

Usage: check_executable.py PATH-TO-QuillmereCheck.exe

Prints one line per failed promise and exits 1 if there is any.
"""
import struct
import sys

import pefile

SIZE_BUDGET = 16 * 1024

ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "msvcrt.dll"}
REQUIRED_IMPORTS = {
    "user32.dll": {"MessageBoxA"},
    "advapi32.dll": {"RegOpenKeyExA", "RegQueryValueExA", "RegDeleteKeyA", "RegCloseKey"},
}

# Every text the user can see, each followed by its terminator, so that a
# character too many is caught as surely as one too few. The question is
# stored as the two halves around the folder.
TEXTS = {
    "confirmation": b"This program will check the integrity of your Quillmere installation.\n"
                    b"                                Do you want to continue ?",
    "nothing found": b"No references to Quillmere detected.",
    "question, before the folder": b"A reference to ",
    "question, after the folder": b" was detected.\n"
                                  b"Do you really want to delete this reference (requires reinstallation)?",
    "removed": b"The information has successfully been removed. You may now reinstall Quillmere.",
    "not removed": b"The information could not be removed. Please contact Halvenor support.",
    "caption Information": b"Information: ",
    "caption Success": b"Success: ",
    "caption Error": b"Error: ",
}

RT_ICON = 3
RT_GROUP_ICON = 14
LANG_GERMAN_GERMANY = 1031
IMAGE_SCN_MEM_EXECUTE = 0x20000000
IMAGE_SCN_MEM_WRITE = 0x80000000
DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100


def check(path):
    problems = []
    fail = problems.append
    data = open(path, "rb").read()
    pe = pefile.PE(data=data)

    if len(data) > SIZE_BUDGET:
        fail(f"size {len(data)} bytes is over the budget of {SIZE_BUDGET}")
    if pe.FILE_HEADER.Machine != 0x14C:
        fail(f"machine is {pe.FILE_HEADER.Machine:#x}, not i386 (0x14c)")
    if pe.OPTIONAL_HEADER.Magic != 0x10B:
        fail(f"optional header magic {pe.OPTIONAL_HEADER.Magic:#x}: not PE32")
    if pe.OPTIONAL_HEADER.Subsystem != 2:
        fail(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not Windows GUI (2)")
    version = (pe.OPTIONAL_HEADER.MajorSubsystemVersion, pe.OPTIONAL_HEADER.MinorSubsystemVersion)
    if version != (4, 0):
        fail(f"subsystem version {version[0]}.{version[1]}, not 4.0")
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    for bit, name in ((DYNAMIC_BASE, "DYNAMIC_BASE"), (NX_COMPAT, "NX_COMPAT")):
        if not flags & bit:
            fail(f"{name} is not set")
    if pe.FILE_HEADER.PointerToSymbolTable or pe.FILE_HEADER.NumberOfSymbols:
        fail("not stripped: a symbol table is present")
    if pe.FILE_HEADER.TimeDateStamp != 0:
        fail(f"a link time stamp ({pe.FILE_HEADER.TimeDateStamp}) makes the build unreproducible")

    for section in pe.sections:
        name = section.Name.rstrip(b"\0").decode(errors="replace")
        if section.Characteristics & IMAGE_SCN_MEM_EXECUTE and section.Characteristics & IMAGE_SCN_MEM_WRITE:
            fail(f"section {name} is both writable and executable")
        if name.startswith(".debug"):
            fail(f"debug section {name} is present")

    imports = {}
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        dll = entry.dll.decode().lower()
        imports[dll] = {imp.name.decode() for imp in entry.imports if imp.name}
    for dll in sorted(set(imports) - ALLOWED_DLLS):
        fail(f"imports from {dll}, which is not one of {sorted(ALLOWED_DLLS)}")
    for dll, names in REQUIRED_IMPORTS.items():
        for name in sorted(names - imports.get(dll, set())):
            fail(f"does not import {name} from {dll}")

    check_resources(pe, fail)

    for what, text in TEXTS.items():
        if text + b"\0" not in data:
            fail(f"the {what} text is not stored byte for byte")
    return problems


def check_resources(pe, fail):
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        fail("no resources: the icon is missing")
        return
    found = []
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for rname in rtype.directory.entries:
            for rlang in rname.directory.entries:
                found.append((rtype.id, rname.id, rlang.id, rlang.data.struct))
    kinds = sorted((t, n) for t, n, _, _ in found)
    icons = [entry for entry in found if entry[0] == RT_ICON]
    if len(icons) != 1 or kinds != sorted([(RT_GROUP_ICON, 101), (RT_ICON, icons[0][1])]):
        fail(f"resources are {kinds}; wanted group icon 101 and its one image, nothing else")
        return
    for rtype, rname, lang, _ in found:
        if lang != LANG_GERMAN_GERMANY:
            fail(f"resource type {rtype} id {rname} has language {lang}, not {LANG_GERMAN_GERMANY}")

    def payload(struct_):
        return pe.get_data(struct_.OffsetToData, struct_.Size)

    group = payload(next(s for t, _, _, s in found if t == RT_GROUP_ICON))
    reserved, kind, count = struct.unpack_from("<HHH", group)
    if (reserved, kind, count) != (0, 1, 1):
        fail(f"group icon 101 holds {count} images (type {kind}); wanted one icon image")
        return
    width, height, colours, _, planes, bits, size, image_id = struct.unpack_from("<BBBBHHIH", group, 6)
    if (width, height, bits) != (32, 32, 4) or colours != 16:
        fail(f"group icon entry is {width}x{height}, {bits} bits, {colours} colours; wanted 32x32, 4 bits, 16")
    if image_id != icons[0][1]:
        fail(f"group icon names image {image_id}, but the image is {icons[0][1]}")
    image = payload(icons[0][3])
    header_size, w, h, planes, bits = struct.unpack_from("<IiiHH", image)
    if (header_size, w, h, planes, bits) != (40, 32, 64, 1, 4):
        fail(f"icon image header says {w}x{h // 2}, {bits} bits per pixel; wanted 32x32 at 4")
    if len(image) != size:
        fail(f"icon image is {len(image)} bytes, its group entry says {size}")


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    problems = check(sys.argv[1])
    for problem in problems:
        print(f"{sys.argv[1]}: {problem}")
    if not problems:
        print(f"{sys.argv[1]}: every check passed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
