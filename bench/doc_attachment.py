#!/usr/bin/env python3
"""How many of the documentation comments that clang attaches to GNUstep's classes and methods
a Kestrel store keeps, with the same text.

clang is the independent count: one translation unit imports every header below HEADERS (the
flags of ../shared/oracle's README), and `-Xclang -ast-dump` prints each declaration with the
comment clang attaches to it (a FullComment node: the "/** */", "/*! */" or "///" comment right
before the declaration, or a trailing "///<", as -Wdocumentation sees them). The comment's text
is read from the header between the locations clang gives. Against it: the "doc" of each class
record and the "doc" in the "methodNotes" of class, category and protocol records, keyed by
the method's selector. Texts are compared normalised: comment delimiters and leading stars
removed, blanks made single.

Usage: bench/doc_attachment.py STORE [--headers DIR] [--clang CLANG] [--examples N]
  STORE     a Kestrel data folder after `kestrel build` on GNUstep's headers (classData, ...)
  --headers GNUstep's headers (default /usr/include/GNUstep)
  --examples N  print N misses of each kind, with both texts
Prints "classes: P% (A/B)" and "methods: P% (A/B)"; targets >= 80% and >= 60%. Ends with status 2
and the reason when the store (or any comment in it), the headers or clang are missing."""
import argparse, collections, os, plistlib, random, re, shutil, subprocess, sys, tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from store_notes import with_notes  # noqa: E402

GNUSTEP_FLAGS = ["-x", "objective-c", "-DGNUSTEP", "-DGNUSTEP_BASE_LIBRARY=1", "-DGNU_GUI_LIBRARY=1",
                 "-DGNU_RUNTIME=1", "-D_NATIVE_OBJC_EXCEPTIONS", "-fexceptions", "-fobjc-exceptions",
                 "-fconstant-string-class=NSConstantString", "-fobjc-runtime=macosx", "-fsyntax-only",
                 "-ferror-limit=0", "-Wno-everything"]


def skip(reason):
    print("doc_attachment.py: " + reason, file=sys.stderr)
    sys.exit(2)


# ---- the texts, normalised -------------------------------------------------------------------
def normalised(text):
    """A comment's words: delimiters, leading stars and "///" gone, blanks made single."""
    text = text.replace("\r", "")
    text = re.sub(r"^\s*/\*[*!]?<?", "", text)
    text = re.sub(r"\*+/\s*$", "", text)
    lines = []
    for line in text.split("\n"):
        line = re.sub(r"^\s*//[/!]?<?", "", line)
        line = re.sub(r"^\s*\*+(?!/)", "", line)
        lines.append(line)
    return " ".join(" ".join(lines).split())


def selector(method_text):
    """"-(void)drawRect:(NSRect)r inView:(NSView*)v" -> "-drawRect:inView:"."""
    sign, rest = method_text[:1], method_text[1:]
    depth, kept = 0, []
    for c in rest:
        if c == "(":
            depth += 1
        elif c == ")":
            depth = max(0, depth - 1)
        elif depth == 0:
            kept.append(c)
    rest = "".join(kept)
    if ":" in rest:
        return sign + "".join(word + ":" for word in re.findall(r"(\w*)\s*:", rest))
    found = re.search(r"\w+", rest)
    return sign + (found.group(0) if found else "")


# ---- clang's attachment ----------------------------------------------------------------------
LOCATION = re.compile(r"\bline:(\d+):(\d+)|\bcol:(\d+)|(<built-in>|<scratch space>|<command line>|[^\s<>,']+):(\d+):(\d+)")
NODE = re.compile(r"^([| `-]*)(\w+)")


class Locations:
    """clang's text dump prints a location's file and line only when they change since the last
    one printed: follow them in print order."""

    def __init__(self):
        self.file, self.line = None, 0

    def read(self, text):
        found = []
        for m in LOCATION.finditer(text):
            if m.group(1):
                self.line = int(m.group(1))
                found.append((self.file, self.line, int(m.group(2))))
            elif m.group(3):
                found.append((self.file, self.line, int(m.group(3))))
            else:
                self.file, self.line = m.group(4), int(m.group(5))
                found.append((self.file, self.line, int(m.group(6))))
        return found


class Sources:
    def __init__(self):
        self.cache = {}

    def lines(self, path):
        if path not in self.cache:
            try:
                with open(path, "rb") as f:
                    self.cache[path] = f.read().decode("utf-8", "replace").split("\n")
            except OSError:
                self.cache[path] = None
        return self.cache[path]

    def comment(self, begin, end):
        """The comment whose text clang's FullComment spans, delimiters included."""
        path, line, col = begin
        lines = self.lines(path)
        if not lines or line < 1 or line > len(lines) or end[0] != path:
            return None
        start = sum(len(l) + 1 for l in lines[: line - 1]) + col - 1
        text = "\n".join(lines)
        stop = sum(len(l) + 1 for l in lines[: end[1] - 1]) + end[2]
        opener = text.rfind("/*", 0, start + 3)
        line_opener = text.rfind("//", text.rfind("\n", 0, start) + 1, start + 3)
        if line_opener >= 0 and (opener < 0 or line_opener > opener or text.find("*/", opener, start) >= 0):
            line_end = text.find("\n", stop)
            return text[line_opener: line_end if line_end >= 0 else len(text)]
        if opener < 0:
            return None
        close = text.find("*/", max(stop - 2, opener + 2))
        return text[opener: close + 2 if close >= 0 else len(text)]


def clang_comments(clang, headers):
    """{("class", name): text} and {(owner kind, owner, selector): text} for GNUstep's headers."""
    names = []
    for root, _, files in os.walk(headers):
        names += [os.path.relpath(os.path.join(root, n), headers) for n in files if n.endswith(".h")]
    work = tempfile.mkdtemp(prefix="kestrel-doc-")
    try:
        umbrella = os.path.join(work, "all.m")
        with open(umbrella, "w") as f:
            f.writelines("#import <%s>\n" % n for n in sorted(names))
        gcc_include = sorted(p for p in [os.path.join("/usr/lib/gcc/x86_64-linux-gnu", v, "include")
                                         for v in (os.listdir("/usr/lib/gcc/x86_64-linux-gnu")
                                                   if os.path.isdir("/usr/lib/gcc/x86_64-linux-gnu") else [])]
                             if os.path.isdir(p))
        command = [clang] + GNUSTEP_FLAGS + ["-I" + headers] + \
                  (["-idirafter", gcc_include[-1]] if gcc_include else []) + [umbrella, "-Xclang", "-ast-dump"]
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                   errors="replace", bufsize=1 << 20)
        classes, methods = {}, {}
        locations, sources = Locations(), Sources()
        stack = []  # (depth, kind, owner key or None)
        prefix = os.path.abspath(headers) + os.sep
        for raw in process.stdout:
            m = NODE.match(raw)
            if not m:
                continue
            depth, kind = len(m.group(1)) // 2, m.group(2)
            # Quoted texts (types, comment words) hold no locations.
            rest = re.sub(r"'[^']*'|\"(?:[^\"\\]|\\.)*\"", "", raw[m.end():])
            locs = locations.read(rest.split(" Text=")[0])
            while stack and stack[-1][0] >= depth:
                stack.pop()
            parent = stack[-1] if stack else None
            key = None
            if kind == "ObjCInterfaceDecl":
                key = ("class", raw.split()[-1])
            elif kind == "ObjCCategoryDecl":
                key = ("category", raw.split()[-1] if not raw.rstrip().endswith(">") else "")
            elif kind == "ObjCProtocolDecl":
                key = ("protocol", raw.split()[-1])
            elif kind == "ObjCInterface" and parent and parent[1] == "ObjCCategoryDecl":
                owner = re.search(r"'([^']+)'", raw)  # the category's class
                if owner:
                    parent[2][2] = owner.group(1)
            elif kind == "ObjCMethodDecl" and parent and parent[2] and " implicit " not in raw:
                sel = re.search(r" ([-+]) ([A-Za-z_][\w:]*) '", raw)
                if sel:
                    key = ("method", parent[2], sel.group(1) + sel.group(2))
            elif kind == "FullComment" and parent and parent[2] and len(locs) >= 1:
                begin, end = locs[0], locs[-1]
                if begin[0] and os.path.abspath(begin[0]).startswith(prefix):
                    text = sources.comment(begin, end)
                    if text is not None:
                        target = parent[2]
                        if target[0] == "method":
                            owner = target[1]
                            methods[(owner[0], owner[1] if owner[0] != "category" else (owner[2], owner[1]),
                                     target[2])] = text
                        elif target[0] == "class":
                            # The definition's comment wins over a forward declaration's.
                            classes.setdefault(target[1], []).append(text)
            if key is not None:
                stack.append((depth, kind, list(key) + ([None] if kind == "ObjCCategoryDecl" else [])))
            else:
                stack.append((depth, kind, None))
        process.wait()
        return {name: texts[-1] for name, texts in classes.items()}, methods
    finally:
        shutil.rmtree(work, ignore_errors=True)


# ---- the store -------------------------------------------------------------------------------
def records(store, name):
    try:
        with open(os.path.join(store, name), "rb") as f:
            value = plistlib.load(f)
    except Exception:
        return []
    return with_notes(store, name, [r for r in value if isinstance(r, dict)]) if isinstance(value, list) else []


def store_docs(store):
    classes, methods = {}, {}
    for kind, name in (("class", "classData"), ("category", "categoryData"), ("protocol", "protocolData")):
        for r in records(store, name):
            owner = r.get("name") if kind != "category" else (r.get("superName"), r.get("name"))
            if kind == "class" and isinstance(r.get("doc"), str):
                classes[owner] = r["doc"]
            notes = r.get("methodNotes")
            if isinstance(notes, dict):
                for text, note in notes.items():
                    if isinstance(note, dict) and isinstance(note.get("doc"), str):
                        methods[(kind, owner, selector(text))] = note["doc"]
    return classes, methods


def share(found, total):
    return "%.1f%% (%d/%d)" % (100.0 * found / total if total else 0.0, found, total)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("store")
    parser.add_argument("--headers", default="/usr/include/GNUstep")
    parser.add_argument("--clang", default=shutil.which("clang") or "/usr/bin/clang")
    parser.add_argument("--examples", type=int, default=0)
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.store, "classData")):
        skip("no Kestrel store at %s (no classData)" % args.store)
    if not os.path.isdir(args.headers):
        skip("GNUstep's headers are missing at %s (install libgnustep-base-dev and libgnustep-gui-dev)" % args.headers)
    if not args.clang or not os.access(args.clang, os.X_OK):
        skip("clang is missing (apt-get install clang)")

    kestrel_classes, kestrel_methods = store_docs(args.store)
    if not kestrel_classes and not kestrel_methods:
        skip("no record of %s carries a documentation comment (a store written before they were kept?)" % args.store)
    clang_classes, clang_methods = clang_comments(args.clang, args.headers)
    if not clang_classes and not clang_methods:
        skip("clang attached no comment (did it read the headers?)")

    def compare(label, clang, kestrel):
        same = [k for k in clang if k in kestrel and normalised(kestrel[k]) == normalised(clang[k])]
        print("%-10s %s have clang's comment text" % (label + ":", share(len(same), len(clang))))
        return same

    print("clang attaches comments to %d classes and %d methods below %s" %
          (len(clang_classes), len(clang_methods), args.headers))
    compare("classes", clang_classes, kestrel_classes)
    same_methods = compare("methods", clang_methods, kestrel_methods)
    by_owner = collections.Counter(k[0] for k in clang_methods)
    same_by_owner = collections.Counter(k[0] for k in same_methods)
    for owner in ("class", "category", "protocol"):
        print("  in %-12s %s" % ({"class": "classes:", "category": "categories:", "protocol": "protocols:"}[owner],
                                 share(same_by_owner[owner], by_owner[owner])))
    if args.examples:
        rng = random.Random(1)
        for label, clang, kestrel in (("class", clang_classes, kestrel_classes),
                                      ("method", clang_methods, kestrel_methods)):
            misses = sorted((k for k in clang if k not in kestrel or normalised(kestrel[k]) != normalised(clang[k])),
                            key=str)
            for k in rng.sample(misses, min(args.examples, len(misses))):
                print("\nmissed %s %s\n  clang:   %s\n  kestrel: %s" %
                      (label, k, normalised(clang[k])[:160], normalised(kestrel[k])[:160] if k in kestrel else "(none)"))


if __name__ == "__main__":
    main()
