#!/usr/bin/env python3
"""The resources of a Windows program, read from its .rsrc directory.

pe-resources.py PROGRAM.exe           one line per resource: TYPE NAME LANGUAGE SIZE
pe-resources.py PROGRAM.exe TYPE NAME  that resource's bytes on standard output
Types and names are numbers, or the resource's own name where it has one.
"""
import struct
import sys


def resources(image):
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    sections = struct.unpack_from("<H", image, pe + 6)[0]
    optional = struct.unpack_from("<H", image, pe + 20)[0]
    magic = struct.unpack_from("<H", image, pe + 24)[0]
    directories = pe + 24 + (112 if magic == 0x20B else 96)
    rva, _ = struct.unpack_from("<II", image, directories + 2 * 8)  # entry 2: resources
    table = pe + 24 + optional
    for i in range(sections):
        _, _, start, _, raw = struct.unpack_from("<8sIIII", image, table + 40 * i)[:5]
        size = struct.unpack_from("<I", image, table + 40 * i + 16)[0]
        if start <= rva < start + size:
            base = raw + rva - start
            return walk(image, base, base, (), start - raw)
    return []


def name_of(image, base, value):
    if value & 0x80000000:
        at = base + (value & 0x7FFFFFFF)
        length = struct.unpack_from("<H", image, at)[0]
        return image[at + 2 : at + 2 + 2 * length].decode("utf-16-le")
    return str(value)


def walk(image, base, at, path, delta):
    named, numbered = struct.unpack_from("<HH", image, at + 12)
    found = []
    for i in range(named + numbered):
        name, target = struct.unpack_from("<II", image, at + 16 + 8 * i)
        here = path + (name_of(image, base, name),)
        if target & 0x80000000:
            found += walk(image, base, base + (target & 0x7FFFFFFF), here, delta)
        else:
            data, size = struct.unpack_from("<II", image, base + target)
            found.append((here, image[data - delta : data - delta + size]))
    return found


def main():
    with open(sys.argv[1], "rb") as f:
        image = f.read()
    for (kind, name, language), data in resources(image):
        if len(sys.argv) == 4:
            if (kind, name) == tuple(sys.argv[2:4]):
                sys.stdout.buffer.write(data)
        else:
            print(kind, name, language, len(data))


main()
