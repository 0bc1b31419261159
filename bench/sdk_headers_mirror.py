#!/usr/bin/env python3
"""Makes OUT a view of an SDK folder in which every framework's "Headers" (and "Frameworks") is a
real symbolic link, also where the SDK stores its links as link files (a small file holding the
target's path, as the SDK in ../shared/data does).

The fidelity script's --scope-excluded rule reads the headers clang did not parse to tell their
records apart from junk, but it walks only real folders and links: on the link-file layout it
finds none of them, and counts as junk what the headers it excludes declare.

Usage: bench/sdk_headers_mirror.py SDK OUT"""
import os
import sys

LINK_FILE_LIMIT = 1024  # a link file holds one path


def resolve(folder, name, depth=0):
    """The real folder that folder/name stands for, through link files and links; none when
    there is none."""
    path = os.path.join(folder, name)
    if os.path.isdir(path):
        return os.path.realpath(path)
    if depth > 8 or not os.path.isfile(path) or os.path.getsize(path) > LINK_FILE_LIMIT:
        return None
    target = open(path, errors="replace").read().strip()
    if not target or "\n" in target:
        return None
    at = folder
    for part in target.split("/"):
        if part in ("", "."):
            continue
        nxt = resolve(at, part, depth + 1) if part != ".." else os.path.dirname(at)
        if nxt is None:
            return None
        at = nxt
    return at if os.path.isdir(at) else None


def mirror_framework(framework, out):
    os.makedirs(out, exist_ok=True)
    headers = resolve(framework, "Headers")
    if headers:
        os.symlink(headers, os.path.join(out, "Headers"))
    inner = resolve(framework, "Frameworks")
    if inner:
        for name in sorted(os.listdir(inner)):
            if name.endswith(".framework"):
                mirror_framework(os.path.join(inner, name), os.path.join(out, "Frameworks", name))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sdk, out = (os.path.abspath(p) for p in sys.argv[1:])
    os.makedirs(out, exist_ok=True)
    for name in os.listdir(sdk):
        if name != "System":
            os.symlink(os.path.join(sdk, name), os.path.join(out, name))
    frameworks = os.path.join(sdk, "System", "Library", "Frameworks")
    target = os.path.join(out, "System", "Library", "Frameworks")
    os.makedirs(target, exist_ok=True)
    for name in sorted(os.listdir(frameworks)):
        if name.endswith(".framework"):
            mirror_framework(os.path.join(frameworks, name), os.path.join(target, name))


if __name__ == "__main__":
    main()
