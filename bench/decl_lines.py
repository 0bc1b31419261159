#!/usr/bin/env python3
"""Whether the "line" a Kestrel store gives each declaration is right: for a seeded sample of
the records of every kind that carry a line, does that line of the header hold the declared
name?

  classes, categories, protocols   the name (a class extension: its class's name)
  functions and variables          the declared name, read from the stored declaration
  structs, enums                   the name (an anonymous enum: its first constant)
  methods                          "methodNotes" of classes, categories and protocols: the
                                   selector's first word ("initWithFrame" of -initWithFrame:)
  enum constants                   "constantNotes": the constant's name

The header is the record's "headerName" in its framework "fwName" below the frameworks root;
link files (a small file holding a link's target, as the SDK in ../shared is stored) are
followed.

Usage: bench/decl_lines.py STORE [--frameworks-root DIR] [--sample N] [--seed S] [--examples N]
  STORE              a Kestrel data folder after a build
  --frameworks-root  the root the store was built from (default STORE/Frameworks, the link
                     folder a GNUstep build makes); an SDK's usr/include is searched beside it
Prints one line per kind: "KIND: P% (A/B) right, of C records with a line (D without)". Ends
with status 2 and the reason when the store or the root is missing."""
import argparse, os, plistlib, random, re, sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from store_notes import with_notes  # noqa: E402

METHOD_OWNERS = (("classData", "class"), ("categoryData", "category"), ("protocolData", "protocol"))


def fail(reason):
    print("decl_lines.py: " + reason, file=sys.stderr)
    sys.exit(2)


def load(store, name):
    try:
        with open(os.path.join(store, name), "rb") as f:
            return plistlib.load(f)
    except Exception:
        return None


def records(store, name):
    value = load(store, name)
    return with_notes(store, name, [r for r in value if isinstance(r, dict)]) if isinstance(value, list) else []


# ---- headers ---------------------------------------------------------------------------------
def link_target(path):
    """The folder a link file names ("Versions/Current/Headers"), or None."""
    try:
        if os.path.getsize(path) > 256:
            return None
        with open(path, "rb") as f:
            text = f.read().decode("utf-8", "strict").strip()
    except (OSError, UnicodeDecodeError):
        return None
    if not text or "\n" in text or "\0" in text:
        return None
    target = os.path.normpath(os.path.join(os.path.dirname(path), text))
    while os.path.isfile(target):  # a link file leading to another
        nxt = link_target(target)
        if nxt is None or nxt == target:
            return None
        target = nxt
    return target if os.path.isdir(target) else None


def header_index(roots):
    """headerName (and its path below Headers/) -> the headers' paths."""
    index, seen = {}, set()
    pending = [r for r in roots if os.path.isdir(r)]
    while pending:
        top = pending.pop()
        for folder, dirs, files in os.walk(top, followlinks=True):
            real = os.path.realpath(folder)
            if real in seen:
                dirs[:] = []
                continue
            seen.add(real)
            for name in files:
                path = os.path.join(folder, name)
                if name.endswith(".h"):
                    index.setdefault(name, []).append(path)
                    parts = path.replace(os.sep, "/").split("/Headers/", 1)
                    if len(parts) == 2 and "/" in parts[1]:
                        index.setdefault(parts[1], []).append(path)
                else:
                    target = link_target(path)
                    if target and os.path.realpath(target) not in seen:
                        pending.append(target)
    return index


def header_for(index, record, cache):
    name, framework = record.get("headerName"), record.get("fwName") or ""
    if not isinstance(name, str) or not name:
        return None
    key = (name, framework)
    if key not in cache:
        candidates = index.get(name, [])
        # "Carbon.framework/SpeechRecognition.framework": the innermost framework holds it
        inner = "/" + framework.rstrip("/").split("/")[-1] + "/"
        own = [p for p in candidates if inner in p.replace(os.sep, "/")] if framework else []
        cache[key] = (own or candidates or [None])[0]
    return cache[key]


class Lines:
    def __init__(self):
        self.cache = {}

    def line(self, path, number):
        if path not in self.cache:
            try:
                with open(path, "rb") as f:
                    self.cache[path] = f.read().decode("utf-8", "replace").split("\n")
            except OSError:
                self.cache[path] = []
        lines = self.cache[path]
        return lines[number - 1] if 1 <= number <= len(lines) else None


# ---- declared names --------------------------------------------------------------------------
def declared_name(text):
    """"id NSMakeCollectable(const void *cf)" -> "NSMakeCollectable"; "int (*NSHook)(void)" ->
    "NSHook"; "NSString* const NSFoo" -> "NSFoo"; "int NSTable[4]" -> "NSTable"."""
    pointer = re.search(r"\(\s*[*^]\s*(?:const\s+)?(\w+)\s*\)", text)
    if pointer:
        return pointer.group(1)
    head = text.split("(")[0] if "(" in text else re.sub(r"\[.*$", "", text)
    words = re.findall(r"[A-Za-z_]\w*", head)
    return words[-1] if words else None


def first_keyword(method_text):
    m = re.match(r"\s*[-+]\s*(?:\([^)]*\)\s*)*([A-Za-z_]\w*)", method_text)
    if m:
        return m.group(1)
    # "-(void (*)(int))handler" and other nested types: drop balanced parentheses first
    depth, kept = 0, []
    for c in method_text[1:]:
        depth += c == "("
        if depth == 0:
            kept.append(c)
        depth -= c == ")" and depth > 0
    words = re.findall(r"[A-Za-z_]\w*", "".join(kept))
    return words[0] if words else None


def property_setter_line(name, text):
    """A setter made from a property stands on the property's line, which names the property
    ("setOpaque" on "@property BOOL opaque;")."""
    if not re.match(r"\s*@property\b", text) or not re.match(r"set[A-Z_]", name):
        return False
    prop = name[3].lower() + name[4:]
    return re.search(r"(?<!\w)(%s|%s)(?!\w)" % (re.escape(prop), re.escape(name[3:])), text) is not None


def samples(store):
    """(kind, header record, name, line) for every stored declaration with a line; and counts
    of those without."""
    found, without = {}, {}

    def add(kind, holder, name, line):
        if isinstance(line, int) and not isinstance(line, bool) and name:
            found.setdefault(kind, []).append((holder, name, line))
        else:
            without[kind] = without.get(kind, 0) + 1

    for file, kind in METHOD_OWNERS:
        for r in records(store, file):
            name = r.get("name") or (r.get("superName") if kind == "category" else None)
            add(kind, r, name, r.get("line"))
            notes = r.get("methodNotes")
            if isinstance(notes, dict):
                for text, note in notes.items():
                    if isinstance(note, dict):
                        add("method", r, first_keyword(text), note.get("line"))
    for r in records(store, "functions"):
        add("function/variable", r, declared_name(r.get("name") or ""), r.get("line"))
    for r in records(store, "structData"):
        add("struct", r, re.sub(r"^(struct|union)\s+", "", r.get("name") or ""), r.get("line"))
    for r in records(store, "enumData"):
        constants = r.get("constants") if isinstance(r.get("constants"), list) else []
        first = re.match(r"\s*(\w+)", constants[0]).group(1) if constants and isinstance(constants[0], str) and \
            re.match(r"\s*\w", constants[0]) else None
        add("enum", r, r.get("name") or first, r.get("line"))
        notes = r.get("constantNotes")
        if isinstance(notes, dict):
            for constant, note in notes.items():
                if isinstance(note, dict):
                    add("enum constant", r, constant, note.get("line"))
    typedefs = load(store, "typedefs")
    if isinstance(typedefs, list):  # typedef records of their own, where a store has them
        for r in typedefs:
            if isinstance(r, dict):
                add("typedef", r, r.get("name"), r.get("line"))
    return found, without


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("store")
    parser.add_argument("--frameworks-root")
    parser.add_argument("--sample", type=int, default=500)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--examples", type=int, default=0)
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.store, "classData")):
        fail("no Kestrel store at %s (no classData)" % args.store)
    root = args.frameworks_root or os.path.join(args.store, "Frameworks")
    if not os.path.isdir(root):
        fail("no frameworks root at %s (give --frameworks-root)" % root)
    roots = [root]
    sdk_include = os.path.normpath(os.path.join(root, "..", "..", "..", "usr", "include"))
    if os.path.isdir(sdk_include):
        roots.append(sdk_include)
    index, cache, lines = header_index(roots), {}, Lines()
    found, without = samples(args.store)
    if not found:
        print("no record of %s carries a line (%d without)" % (args.store, sum(without.values())))
        return
    rng = random.Random(args.seed)
    for kind in sorted(set(found) | set(without)):
        chosen = found.get(kind, [])
        chosen = rng.sample(chosen, min(args.sample, len(chosen)))
        right, misses = 0, []
        for holder, name, line in chosen:
            path = header_for(index, holder, cache)
            text = lines.line(path, line) if path else None
            if text is not None and re.search(r"(?<!\w)%s(?!\w)" % re.escape(name), text):
                right += 1
            elif text is not None and property_setter_line(name, text):
                right += 1
            else:
                misses.append((holder.get("headerName"), line, name, text))
        share = "%.1f%% (%d/%d)" % (100.0 * right / len(chosen), right, len(chosen)) if chosen else "n/a"
        print("%-18s %s right, of %d records with a line (%d without)" %
              (kind + ":", share, len(found.get(kind, [])), without.get(kind, 0)))
        for header, line, name, text in misses[: args.examples]:
            print("    %s:%s wants %r, holds %r" % (header, line, name, (text or "(no such line)").strip()[:100]))


if __name__ == "__main__":
    main()
