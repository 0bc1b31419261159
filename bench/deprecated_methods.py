#!/usr/bin/env python3
"""Whether every method and property a header declares with API_DEPRECATED or
API_DEPRECATED_WITH_REPLACEMENT comes out of a Kestrel build deprecated, with its version.

The headers are read on their own here (no preprocessor): each "- ...;", "+ ...;" or
"@property ...;" inside an @interface or @protocol block whose text holds the macro is one
case; the versions are those of the macro's platforms ("macos(10.0, 10.14)" -> deprecated
"10.14" on macos). A case is right when the store's "methodNotes" of that block (by its class
or protocol name, its category and its header) hold the selector with that deprecated version
on the first platform the macro names. A declaration the build did not store (in a branch the
conditions leave out, say) is counted apart.

Usage: bench/deprecated_methods.py STORE --frameworks-root DIR [--examples N]"""
import argparse, os, plistlib, re, sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from store_notes import with_notes  # noqa: E402

PLATFORM = re.compile(r"\b(macos|macosx|ios|tvos|watchos|visionos|xros|maccatalyst|macCatalyst|driverkit)\s*\(\s*([\d._]+)\s*,\s*([\d._A-Za-z]+)\s*\)")


def load(store, name):
    try:
        with open(os.path.join(store, name), "rb") as f:
            return plistlib.load(f)
    except (OSError, plistlib.InvalidFileException):
        return []


def selector_of(decl):
    """'-(void)setFoo:(id)x bar:(int)y API_...' -> '-setFoo:bar:'; properties give getter and setter."""
    decl = re.sub(r"\s+", " ", decl).strip()
    if decl.startswith("@property"):
        rest = decl[len("@property"):].strip()
        attrs = ""
        if rest.startswith("("):
            depth = 0
            for i, c in enumerate(rest):
                depth += (c == "(") - (c == ")")
                if depth == 0:
                    attrs, rest = rest[1:i], rest[i + 1:]
                    break
        rest = re.split(r"\b(?:API_|NS_|__)[A-Z_]*\(", rest)[0]
        block = re.search(r"\(\s*[\^*]\s*(\w+)\s*\)", rest)
        words = re.findall(r"[A-Za-z_]\w*", rest)
        words = [w for w in words if not re.fullmatch(r"[A-Z0-9_]+", w) or w in ("URL", "UUID")]
        name = block.group(1) if block else (words[-1] if words else None)
        if not name:
            return []
        sign = "+" if re.search(r"\bclass\b", attrs) else "-"
        getter = re.search(r"getter\s*=\s*(\w+)", attrs)
        return [sign + (getter.group(1) if getter else name)]
    sign, body = decl[0], re.split(r"\b(?:API_|NS_|__|CF_)[A-Z_]*\b", decl[1:])[0]
    body = re.sub(r"^\s*\((?:[^()]|\([^()]*\))*\)", "", body)
    parts = re.findall(r"(\w+)\s*:", body)
    if parts:
        return [sign + "".join(p + ":" for p in parts)]
    m = re.match(r"\s*(\w+)", body)
    return [sign + m.group(1)] if m else []


def cases(root):
    seen = set()
    for dirpath, dirnames, filenames in os.walk(root, followlinks=True):
        for f in filenames:
            if not f.endswith(".h"):
                continue
            path = os.path.join(dirpath, f)
            if os.path.realpath(path) in seen:  # a header reached through links is read once
                continue
            seen.add(os.path.realpath(path))
            try:
                text = open(path, encoding="utf-8", errors="replace").read()
            except OSError:
                continue
            text = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text, flags=re.S)
            text = re.sub(r"//[^\n]*", "", text)
            block = None
            for m in re.finditer(r"@interface\s+(\w+)\s*(?:<[^>]*>)?\s*(\(\s*(\w*)\s*\))?|@protocol\s+(\w+)(?!\s*[;,])|@end|^\s*[-+][^;{]*;|@property[^;]*;", text, flags=re.M):
                s = m.group(0)
                if s.startswith("@interface"):
                    block = ("category" if m.group(2) else "class", m.group(1), m.group(3) or "")
                elif s.startswith("@protocol"):
                    block = ("protocol", m.group(4), "")
                elif s == "@end":
                    block = None
                elif block and "API_DEPRECATED" in s:
                    p = PLATFORM.search(s[s.index("API_DEPRECATED"):])
                    if p:
                        yield f, block, s, p.group(1), p.group(3)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("store")
    parser.add_argument("--frameworks-root", required=True)
    parser.add_argument("--examples", type=int, default=0)
    args = parser.parse_args()
    notes = {}
    for name, kind in (("classData", "class"), ("categoryData", "category"), ("protocolData", "protocol")):
        value = load(args.store, name)
        for r in with_notes(args.store, name, [r for r in value if isinstance(r, dict)] if isinstance(value, list) else []):
            key = (kind, r.get("superName", "") if kind == "category" else r.get("name", ""),
                   r.get("name", "") if kind == "category" else "", r.get("headerName"))
            mn = notes.setdefault(key, {})
            for text, note in r.get("methodNotes", {}).items():
                sel = selector_of(text)
                if sel:
                    mn[sel[0]] = note
    right = wrong = unstored = 0
    misses, unstoredExamples = [], []
    for header, (kind, owner, cat, ), decl, platform, version in ((c[0], c[1], c[2], c[3], c[4]) for c in cases(args.frameworks_root)):
        platform = {"macosx": "macos", "macCatalyst": "maccatalyst", "xros": "visionos"}.get(platform, platform)
        if not version.startswith("API_TO_BE"):
            version = version.replace("_", ".")
        key = (kind, owner, cat, header)
        sels = selector_of(decl)
        if key not in notes or not sels or sels[0] not in notes[key]:
            unstored += 1
            if len(unstoredExamples) < args.examples:
                unstoredExamples.append((header, owner, cat, sels, key in notes))
            continue
        av = notes[key][sels[0]].get("availability", {})
        got = av.get(platform, {}).get("deprecated")
        if got == version or (version.startswith("API_TO_BE") and got is not None):
            right += 1
        else:
            wrong += 1
            misses.append((header, owner, sels[0], platform, version, av))
    total = right + wrong
    print("API_DEPRECATED methods stored: %d; deprecated with the version: %d (%.1f%%); not: %d; not stored by the build: %d"
          % (total, right, 100.0 * right / total if total else 0, wrong, unstored))
    for m in misses[: args.examples]:
        print("    %s %s %s wants %s %s, has %r" % m)
    for m in unstoredExamples:
        print("    not stored: %s %s (%s) %s, block stored: %s" % m)


if __name__ == "__main__":
    main()
