#!/usr/bin/env python3
"""Gathers the seed corpora of the fuzz targets into OUT/<target>/, one file per seed:

  header_analysis, header_texts
                    every header of tests/data and of GNUstep (/usr/include/GNUstep)
  conditions        the directive lines of those headers (continued lines with them), and
                    conditions that cannot be evaluated or expand without bound
  doc_comments      the documentation comments of those headers, each after a byte that picks
                    the width it is wrapped to, and attribute texts of the SDKs' forms
  define_pass       each framework-shaped case of tests/data, and GNUstep headers with the
                    GNUstep headers they import, as "==> Fw/Name.h" sections (see define_pass.cpp),
                    and frameworks whose links are link files
  plist_file, plist_xml_reader, tree_files, preferences, annotation_files
                    the property lists of tests/data and the stored files' forms (records,
                    functions, typedefs, preferences, comments, URLs, private headers), each
                    as XML and as binary; a tree_files seed starts with the byte that picks its
                    file and its layout (a set, or the plain files of an older data folder).

Usage: fuzz/seeds.py OUT. GNUstep's headers are used where they are installed."""
import hashlib, os, plistlib, re, sys

here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
data = os.path.join(here, "tests", "data")
gnustep = "/usr/include/GNUstep"
out = sys.argv[1] if len(sys.argv) > 1 else sys.exit("usage: fuzz/seeds.py OUT")
MAX_SEED = 60000  # bytes; the targets run with -max_len a little above


def put(target, payload):
    folder = os.path.join(out, target)
    os.makedirs(folder, exist_ok=True)
    name = hashlib.sha1(payload).hexdigest()
    with open(os.path.join(folder, name), "wb") as f:
        f.write(payload)


def headers_below(folder):
    found = []
    for root, _, files in os.walk(folder, followlinks=True):
        found += [os.path.join(root, n) for n in files if n.endswith(".h")]
    return sorted(found)


def read(path):
    with open(path, "rb") as f:
        return f.read()


# ---- headers ----
def directives(text):
    """The lines of text that are directives, a line ending in a backslash with the next."""
    kept, going = [], False
    for line in text.split(b"\n"):
        if going or line.lstrip().startswith(b"#"):
            kept.append(line)
        going = (going or line.lstrip().startswith(b"#")) and line.rstrip().endswith(b"\\")
    return b"\n".join(kept) + b"\n"


for path in headers_below(data) + (headers_below(gnustep) if os.path.isdir(gnustep) else []):
    text = read(path)
    if len(text) <= MAX_SEED:
        put("header_analysis", text)
        put("header_texts", text)
        put("conditions", directives(text))
# Documentation comments: "/** ... */" and "/*! ... */" blocks and runs of "///" lines.
doc_comment = re.compile(rb"/\*[*!](?:.|\n)*?\*/|(?:[ \t]*///.*\n)+")
doc_seeds = 0
for path in headers_below(data) + (headers_below(gnustep) if os.path.isdir(gnustep) else []):
    for i, match in enumerate(doc_comment.findall(read(path))):
        if doc_seeds >= 3000 or len(match) > MAX_SEED:
            break
        if i % 3 == 0:  # a third of them is plenty
            put("doc_comments", bytes([doc_seeds % 256]) + match)
            doc_seeds += 1
for seed in [
    b"\x00@abstract Makes it.\n@param x The x.\n@result It.\n@code\n  x = 1;\n@endcode\n@see y",
    b"\x1e\\brief Copies.\n\\param[in] src From.\n\\return \\c YES.",
    b"\x28<p>A <code>b</code> &lt;c&gt;</p><list><item>i</item></list><deflist><term>t</term><desc>d</desc></deflist>"
    b"<example>\n  &lt;x&gt;\n</example><override-subclass />",
    b"\x01__attribute__((availability(macos,introduced=10.7,deprecated=10.14,message=\"Use -newThing\")))"
    b" __attribute__((deprecated(\"m\", \"r\"))) API_AVAILABLE(macos(10.7), ios(5.0)) NS_DEPRECATED_MAC(10_0, 10_5)",
]:
    put("doc_comments", seed)
for seed in [
    b"#if 1/0\n#elif (1\n#elif 0x7fffffffffffffff + 1\n#elif '\\x41' == 65 && 1 ? 2 : 3\n#endif\n",
    b"#define A A A\n#define B(x) B(x) x #x\n#if A B(1)\n#endif\n",
    b"#define D0 D1 D1\n#define D1 D2 D2\n#define D2 D3 D3\n#define D3 D0 D0\n#if D0\n#endif\n",
    b"#define CAT(a, b) a ## b\n#define V(f, ...) f(__VA_ARGS__) CAT(f, __VA_ARGS__)\n#if V(CAT, 1, 2) == 12\n#endif\n",
    b"#if __has_include(<Foundation/Foundation.h>) || __has_feature(objc_arc) || defined __OBJC__\n#endif\n",
]:
    put("conditions", seed)

# Framework-shaped cases: every header under <case>/Frameworks, as its place below the root.
def section_name(relative):
    # "Outer.framework/Frameworks/Inner.framework/Headers/X.h" -> "Outer+Inner/X.h"
    parts = relative.split("/")
    frameworks, rest = [], []
    i = 0
    while i < len(parts) and parts[i].endswith(".framework"):
        frameworks.append(parts[i][: -len(".framework")])
        i += 1
        if i < len(parts) and parts[i] in ("Frameworks", "Headers"):
            i += 1
    rest = parts[i:]
    return "+".join(frameworks) + "/" + "/".join(rest) if frameworks else "/".join(rest)


for case in sorted(os.listdir(data)):
    root = os.path.join(data, case, "Frameworks")
    if not os.path.isdir(root):
        continue
    seed = b""
    for path in headers_below(root):
        seed += b"==> " + section_name(os.path.relpath(path, root)).encode() + b"\n" + read(path)
    put("define_pass", seed)

# Frameworks of the shape SDKs have, their links as link files: an umbrella whose sub-framework
# links to a top-level framework, a loop and a link leading nowhere.
put("define_pass", b"""==> @Core.framework/Versions/A/Headers/Core.h
#define CORE_EXPORT extern
@interface CoreObject
@end
CORE_EXPORT int CoreCount(void);
==> @Core.framework/Versions/Current -> A
==> @Core.framework/Headers -> Versions/Current/Headers
==> @Umbrella.framework/Versions/A/Headers/Umbrella.h
#import <Core/Core.h>
@interface UmbrellaView : CoreObject
@end
==> @Umbrella.framework/Versions/A/Frameworks/Core.framework -> ../../../../Core.framework
==> @Umbrella.framework/Versions/Current -> A
==> @Umbrella.framework/Headers -> Versions/Current/Headers
==> @Umbrella.framework/Frameworks -> Versions/Current/Frameworks
==> @Loop.framework/Headers -> Headers
==> @Gone.framework/Headers -> Versions/Current/Headers
""")

# GNUstep: a header and the headers it imports from the other frameworks, as a small root.
if os.path.isdir(gnustep):
    imports = re.compile(rb'#\s*(?:import|include)\s*<([A-Za-z0-9_]+)/([A-Za-z0-9_+.-]+\.h)>')
    all_headers = headers_below(gnustep)
    for path in all_headers[::4]:
        relative = os.path.relpath(path, gnustep)
        if relative.count("/") != 1:
            continue
        sections = [(relative, read(path))]
        for fw, name in imports.findall(sections[0][1]):
            other = os.path.join(gnustep, fw.decode(), name.decode())
            if os.path.isfile(other) and len(sections) < 12:
                sections.append((fw.decode() + "/" + name.decode(), read(other)))
        seed = b""
        for name, text in sections:
            part = b"==> " + name.encode() + b"\n" + text
            if len(seed) + len(part) > MAX_SEED:
                break
            seed += part
        if seed:
            put("define_pass", seed)

# ---- property lists ----
def both_forms(value):
    return [plistlib.dumps(value, fmt=plistlib.FMT_XML, sort_keys=False),
            plistlib.dumps(value, fmt=plistlib.FMT_BINARY, sort_keys=False)]


def record(kind, name, ident, **more):
    r = {"kind": kind, "name": name, "fwName": "Kit.framework", "headerName": "KitView.h", "idNum": ident}
    r.update(more)
    return r


classes = [1,
           record(2, "KitObject", 1000, protocolNames=["KitCoding"], methodList=["+(id)alloc", "-(id)init"],
                  customFlag=False, showSubTree=True, selectFlag=False),
           record(2, "KitView", 1200, superName="KitObject", methodList=["-(void)drawRect:(KitRect)rect"],
                  customFlag=False, showSubTree=True, selectFlag=True),
           record(2, "KitButton", 1400, superName="KitView", customFlag=True, showSubTree=False, selectFlag=False),
           record(2, "Loop", 1600, superName="Loop", showSubTree=True, selectFlag=False)]
categories = [1, record(3, "Drawing", 1800, superName="KitView", methodList=["-(void)display"]),
              record(3, "Extras", 2000, superName="Missing", methodList=[])]
protocols = [1, record(4, "KitCoding", 2200, protocolNames=["KitCopying"], methodList=["-(void)encode"]),
             record(4, "KitCopying", 2400, protocolNames=["KitCoding"])]
structs = [1, record(6, "_KitPoint", 0, structIndex="KitPoint")]
enums = [1, record(7, "KitSide", 0)]
functions = [{"kind": 13, "name": "KitPoint KitMakePoint(float x, float y)", "fwName": "Kit.framework",
              "headerName": "KitGeometry.h", "idNum": 0},
             {"kind": 10, "name": "NSString* KitViewName", "fwName": "Kit.framework", "headerName": "KitView.h",
              "idNum": 0}]
typedefs = {"KitPoint": "struct _KitPoint", "KitFloat": "float", "KitSide": "enum"}
tree_files = [classes, protocols, categories, structs, enums, functions, typedefs]

preferences = [
    {"menuWidthHasLimit": True, "numLimitCharactors": 55, "useCommentInMenu": False, "addLF": True,
     "addMenuSeparetor": False, "fontName": "", "pointSize": 0.0, "cWindowAlphaValue": 1.0,
     "cWindowDisplayDelay": 0.0},
    {"menuWidthHasLimit": "YES", "numLimitCharactors": "1200", "useCommentInMenu": 1, "addLF": "no",
     "fontName": "DejaVu Sans", "pointSize": "12.7pt", "cWindowAlphaValue": 0.85, "cWindowDisplayDelay": 1.5},
]
comments = {"-(void)drawRect:(KitRect)rect": "Draws the view.\nTwo lines, <tags> & \"quotes\".",
            "KitView": "The base of every view", "KitPoint KitMakePoint(float x, float y)": "A point."}
urls = {"KitView": "https://example.org/KitView.html", "KitButton": "file:///tmp/KitButton.html"}
private_headers = ["/tmp/Private/KitSecret.h", "/tmp/PrivateFolder"]

plist_folder = os.path.join(data, "plist")
plist_seeds = [read(os.path.join(plist_folder, n)) for n in sorted(os.listdir(plist_folder))]
for value in tree_files + preferences + [comments, urls, private_headers]:
    plist_seeds += both_forms(value)
for seed in plist_seeds:
    put("plist_file", seed)
    if not seed.startswith(b"bplist"):
        put("plist_xml_reader", seed)
for index, value in enumerate(tree_files):
    for form in both_forms(value):
        for layout in (0, 0x80):  # the plain files of an older data folder; a set
            put("tree_files", bytes([index | layout]) + form)
for value in preferences:
    for form in both_forms(value):
        put("preferences", form)
for value in [comments, urls, private_headers]:
    for form in both_forms(value):
        put("annotation_files", form)
