#!/usr/bin/env python3
"""Makes an SDK of the shape of a full macOS SDK (187 frameworks, 3,343 headers) out of the
headers of a smaller one, for benchmarks of the build: the cost per header must not grow with
the number of frameworks.

  bench/gen_sdk.py OUT [--sdk SDK] [--frameworks N] [--headers N] [--real-links]

OUT/Generated.sdk gets:
  - every framework of SDK (Kernel.framework left out), with its headers and its sub-frameworks,
    those that link to top-level frameworks included (ApplicationServices' CoreGraphics);
  - further frameworks up to N in all, each holding a slice of the headers of one of them
    under names of its own (NSView.h -> NSView_12.h), until there are about N headers;
  - usr/include: a link to SDK's.
Headers are hard links to SDK's files (a symbolic link where the file system refuses one), not
copies. The frameworks' own links (Headers -> Versions/Current/Headers, Versions/Current -> A)
are link files, as in a checkout made where links cannot be made, or real links with
--real-links. SDK defaults to ../shared/data/macos14.2/MacOSX14.2.sdk beside the project.
Prints the SDK's path and what it holds."""
import argparse, os, sys

here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_SDK = os.path.join(here, "..", "shared", "data", "macos14.2", "MacOSX14.2.sdk")
MAX_LINK_BYTES = 1024


def link_text(path):
    """The target a link file holds (small, one line, relative), else None."""
    try:
        if not os.path.isfile(path) or os.path.islink(path) or os.path.getsize(path) > MAX_LINK_BYTES:
            return None
        text = open(path, "rb").read()
    except OSError:
        return None
    if not text or b"\n" in text or b"\r" in text or b"\0" in text or text.startswith(b"/"):
        return None
    return text.decode("utf-8", "surrogateescape")


def resolve(path):
    """path with real links and link files followed, component by component, as Kestrel follows
    them; None when it leads nowhere."""
    hops = [32]

    def walk(at, relative, depth):
        parts = [p for p in relative.split("/") if p and p != "."]
        for i, part in enumerate(parts):
            if not os.path.isdir(at):
                return None
            if part == "..":
                at = os.path.dirname(at)
                continue
            candidate = os.path.join(at, part)
            last = i == len(parts) - 1
            if os.path.islink(candidate):
                hops[0] -= 1
                target = os.readlink(candidate)
                reached = walk("/" if target.startswith("/") else at, target, depth + 1) if hops[0] >= 0 else None
                if reached is None:
                    return None
                at = reached
            elif os.path.isdir(candidate):
                at = candidate
            elif os.path.isfile(candidate):
                text = link_text(candidate)
                reached = None
                if text is not None:
                    hops[0] -= 1
                    reached = walk(at, text, depth + 1) if hops[0] >= 0 else None
                    if reached is None and hops[0] < 0 and depth > 0:
                        return None
                if reached is not None:
                    at = reached
                elif last:
                    at = candidate
                else:
                    return None
            else:
                return None
        return at

    return walk("/", os.path.abspath(path), 0)


def headers_below(folder):
    """Every regular .h file below folder (links followed), as (path below folder, real path)."""
    found = []
    for name in sorted(os.listdir(folder)):
        path = resolve(os.path.join(folder, name))
        if path is None:
            continue
        if os.path.isdir(path):
            found += [(name + "/" + sub, real) for sub, real in headers_below(path)]
        elif name.endswith(".h") and os.path.isfile(path):
            found.append((name, path))
    return found


class Maker:
    def __init__(self, real_links):
        self.real_links = real_links
        self.hard = self.soft = 0

    def link(self, target, at):
        os.makedirs(os.path.dirname(at), exist_ok=True)
        if self.real_links:
            os.symlink(target, at)
        else:
            with open(at, "w") as f:
                f.write(target)

    def header(self, source, at):
        os.makedirs(os.path.dirname(at), exist_ok=True)
        try:
            os.link(source, at)
            self.hard += 1
        except OSError:
            os.symlink(source, at)
            self.soft += 1

    def framework(self, at, headers, subs=()):
        """A versioned framework at `at` with headers [(name, source)] and sub-frameworks
        [(name, headers) or (name, link target)]."""
        for name, source in headers:
            self.header(source, os.path.join(at, "Versions/A/Headers", name))
        self.link("A", os.path.join(at, "Versions/Current"))
        self.link("Versions/Current/Headers", os.path.join(at, "Headers"))
        if subs:
            self.link("Versions/Current/Frameworks", os.path.join(at, "Frameworks"))
        for name, inside in subs:
            where = os.path.join(at, "Versions/A/Frameworks", name)
            if isinstance(inside, str):
                self.link(inside, where)
            else:
                self.framework(where, inside)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--sdk", default=DEFAULT_SDK)
    parser.add_argument("--frameworks", type=int, default=187)
    parser.add_argument("--headers", type=int, default=3343)
    parser.add_argument("--real-links", action="store_true")
    args = parser.parse_args()
    source_root = resolve(os.path.join(args.sdk, "System/Library/Frameworks"))
    if source_root is None or not os.path.isdir(source_root):
        sys.exit("gen_sdk.py: no SDK at %s" % args.sdk)

    frameworks = []  # (name, headers, subs)
    for name in sorted(os.listdir(source_root)):
        if not name.endswith(".framework") or name == "Kernel.framework":
            continue
        folder = os.path.join(source_root, name)
        headers_folder = resolve(os.path.join(folder, "Headers"))
        headers = headers_below(headers_folder) if headers_folder and os.path.isdir(headers_folder) else []
        subs = []
        inner = resolve(os.path.join(folder, "Frameworks"))
        if inner and os.path.isdir(inner):
            for sub in sorted(os.listdir(inner)):
                place = os.path.join(inner, sub)
                real = resolve(place)
                if real and os.path.dirname(real) == source_root:  # a link to a top-level framework
                    subs.append((sub, "../../../../" + sub))
                elif real and os.path.isdir(real):
                    sub_headers = resolve(os.path.join(real, "Headers"))
                    subs.append((sub, headers_below(sub_headers) if sub_headers and os.path.isdir(sub_headers) else []))
        if headers or subs:
            frameworks.append((name, headers, subs))

    sdk = os.path.join(os.path.abspath(args.out), "Generated.sdk")
    if os.path.lexists(sdk):
        sys.exit("gen_sdk.py: %s is there already" % sdk)
    root = os.path.join(sdk, "System/Library/Frameworks")
    os.makedirs(root)
    maker = Maker(args.real_links)
    count = 0
    for name, headers, subs in frameworks:
        maker.framework(os.path.join(root, name), headers, subs)
        count += len(headers) + sum(len(inside) for _, inside in subs if not isinstance(inside, str))

    extra = max(0, args.frameworks - len(frameworks))
    sources = [f for f in frameworks if f[1]]
    offsets = {}
    largest = max(sources, key=lambda f: len(f[1]))
    for k in range(extra):
        wanted = max(1, (args.headers - count) // (extra - k)) if args.headers > count else 1
        # The sources in turn, passing over those too small for the share this one takes.
        name, headers, _ = next((sources[(k + j) % len(sources)] for j in range(len(sources))
                                 if len(sources[(k + j) % len(sources)][1]) >= wanted), largest)
        start = offsets.get(name, 0)
        chosen = [headers[(start + i) % len(headers)] for i in range(min(wanted, len(headers)))]
        offsets[name] = start + len(chosen)
        stem = name[: -len(".framework")]
        renamed = [(h[: -len(".h")] + "_%d.h" % k, source) for h, source in chosen]
        maker.framework(os.path.join(root, "%s%d.framework" % (stem, k)), renamed)
        count += len(renamed)

    include = resolve(os.path.join(args.sdk, "usr/include"))
    if include:
        os.makedirs(os.path.join(sdk, "usr"))
        os.symlink(include, os.path.join(sdk, "usr/include"))
    print(sdk)
    print("%d frameworks, %d headers (%d hard links, %d symbolic), links as %s" %
          (len(frameworks) + extra, count, maker.hard, maker.soft, "real links" if args.real_links else "link files"))


if __name__ == "__main__":
    main()
