#!/usr/bin/env python3
"""Runs every benchmark of the project once and prints one table: each figure, its target and
whether it holds in this run.

  tokenise, analyse, link, treeview, search,  the programs in BUILD/bench/
  headerlines
  findtyping                                  typing into the find panel, offscreen, on
                                              GNUstep's tree and on the macOS 14.2 SDK's
  quickopen                                   quick open's core search per key, and typing
                                              into its window offscreen, on the same trees
  build.py                                    build against ctags, load against build
  sdk_build.py                                the same on the macOS 14.2 SDK, and on an SDK of
                                              187 frameworks made from it (gen_sdk.py)
  fidelity.sh                                 what a build finds in GNUstep's headers against
                                              clang, beside the figures of bench/fidelity-before.txt
  sdk_fidelity.sh                             what a build finds in the macOS 14.2 SDK against
                                              clang (../shared/oracle/macos14.2)
  doc_attachment.py                           the documentation comments clang attaches to
                                              GNUstep's classes and methods, kept with the same text
  decl_lines.py                               the stored line of 500 declarations of each kind,
                                              on GNUstep's headers and on the macOS 14.2 SDK
  startup.py                                  on a private Xvfb display (skipped without Xvfb)

treeview, search and headerlines build their tree in a throw-away home. A benchmark that cannot
run (no GNUstep headers, no oracle, no ../shared, no Xvfb) gives rows marked "skipped" with the
reason.
Usage: bench/all.py [BUILD_FOLDER] (default build). Ends with status 1 when a target does not
hold."""
import os, re, shutil, subprocess, sys, tempfile

here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "build"))
kestrel = os.path.join(build, "src", "kestrel")
rows = []  # (figure, value, target, holds: True, False or None for a skipped or plain figure)


def run(command, env=None, timeout=1800):
    """The benchmark's output, or raises RuntimeError with the reason it gave."""
    done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=timeout)
    if done.returncode != 0:
        reason = (done.stderr.strip() or done.stdout.strip() or "status %d" % done.returncode).splitlines()[-1]
        raise RuntimeError(reason)
    return done.stdout


def number(pattern, text):
    found = re.search(pattern, text)
    if not found:
        raise RuntimeError("no figure matching %r in:\n%s" % (pattern, text))
    return float(found.group(1))


def skipped(figures, reason):
    for figure, target in figures:
        rows.append((figure, "skipped: " + reason, target, None))


def bench(name, figures, measure):
    """figures: [(figure, target)]; measure() answers [(value text, holds)] in the same order."""
    print("running %s ..." % name, file=sys.stderr, flush=True)
    try:
        for (figure, target), (value, holds) in zip(figures, measure()):
            rows.append((figure, value, target, holds))
    except (RuntimeError, OSError, subprocess.TimeoutExpired) as error:
        skipped(figures, str(error).splitlines()[0])


def program(name):
    path = os.path.join(build, "bench", name)
    if not os.access(path, os.X_OK):
        raise RuntimeError("no %s (build the project first)" % path)
    return path


def fidelity_figures(text):
    """The shares fidelity.sh prints, as percentages."""
    keys = {"classes": r"classes found:\s+([\d.]+)%", "superclasses": r"with clang's superclass:\s+([\d.]+)%",
            "class methods": r"class methods found:\s+([\d.]+)%", "categories": r"categories found:\s+([\d.]+)%",
            "protocols": r"protocols found:\s+([\d.]+)%", "protocol methods": r"protocol methods found:\s+([\d.]+)%",
            "functions": r"functions\+vars found:\s+([\d.]+)%"}
    return {key: number(pattern, text) for key, pattern in keys.items()}


home = tempfile.mkdtemp(prefix="kestrel-bench-")
env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
env.pop("KESTREL_FRAMEWORKS_ROOT", None)
try:
    def tokenise():
        out = run([program("tokenise")])
        ratio = number(r"ratio:\s+([\d.]+)", out)
        return [("%.2fx the read" % ratio, ratio <= 3)]
    bench("tokenise", [("tokenise / read", "<= 3")], tokenise)

    def analyse():
        out = run([program("analyse")])
        ratio = number(r"ratio:\s+([\d.]+)", out)
        return [("%.2fx the read" % ratio, ratio <= 4)]
    bench("analyse", [("analyse / read", "<= 4")], analyse)

    def build_py():
        out = run([sys.executable, os.path.join(here, "bench", "build.py"), kestrel])
        build_ms = number(r"kestrel build:\s+([\d.]+) ms", out)
        if "not installed" in out:
            by_ctags = ("skipped: universal-ctags is not installed", None)
        else:
            ratio = number(r"build / ctags = ([\d.]+)", out)
            by_ctags = ("%.2f (%.0f ms / %.0f ms)" % (ratio, build_ms, number(r"universal-ctags:\s+([\d.]+) ms", out)),
                        ratio <= 1)
        load = number(r"load / build = ([\d.]+)", out)
        return [by_ctags, ("%.2f (%.0f ms)" % (load, number(r"kestrel tree \(load\):\s+([\d.]+) ms", out)), load <= 0.3),
                ("%.0f MB" % number(r"peak memory:\s+([\d.]+) MB", out), None)]
    bench("build.py", [("build / universal-ctags", "<= 1"), ("load / build", "<= 0.3"),
                       ("peak memory of a build", "(a figure)")], build_py)

    def sdk_build(generated):
        def measure():
            command = [sys.executable, os.path.join(here, "bench", "sdk_build.py"), "--kestrel", kestrel]
            out = run(command + (["--generated"] if generated else []))
            ratio = number(r"build / ctags = ([\d.]+)", out)
            build_ms = number(r"kestrel build:\s+([\d.]+) ms", out)
            ctags_ms = number(r"universal-ctags:\s+([\d.]+) ms", out)
            load = number(r"load / build = ([\d.]+)", out)
            peak = number(r"peak memory:\s+([\d.]+) MB", out)
            return [("%.2f (%.0f ms / %.0f ms)" % (ratio, build_ms, ctags_ms), ratio <= 1),
                    ("%.2f (%.0f ms)" % (load, number(r"kestrel tree \(load\):\s+([\d.]+) ms", out)), load <= 0.3),
                    ("%.0f MB" % peak, None if generated else peak < 150)]
        return measure
    for generated, label in ((False, "macOS 14.2 SDK"), (True, "generated SDK, 187 frameworks")):
        bench("sdk_build.py" + (" --generated" if generated else ""),
              [("build / universal-ctags, " + label, "<= 1 (aim 0.5)"), ("load / build, " + label, "<= 0.3"),
               ("peak memory of a build, " + label, "< 150 MB" if not generated else "(a figure)")],
              sdk_build(generated))

    def link():
        out = run([program("link")])
        ratio = number(r"ratio 20,000 / 2,000:\s+([\d.]+)", out)
        return [("%.1f" % ratio, ratio < 30)]
    bench("link", [("linking 20,000 / 2,000 classes", "~10, well under 100 (< 30)")], link)

    fidelity_rows = [("fidelity: classes", "100%"), ("fidelity: class methods", ">= 99.9%")] + [
        ("fidelity: " + key, "no lower than before") for key in ("superclasses", "categories", "protocols",
                                                                  "protocol methods", "functions")]
    def fidelity():
        before_path = os.path.join(here, "bench", "fidelity-before.txt")
        before = fidelity_figures(open(before_path).read())
        now = fidelity_figures(run(["sh", os.path.join(here, "bench", "fidelity.sh"), kestrel]))
        answers = [("%.1f%%" % now["classes"], now["classes"] >= 100.0),
                   ("%.1f%%" % now["class methods"], now["class methods"] >= 99.9)]
        for key in ("superclasses", "categories", "protocols", "protocol methods", "functions"):
            answers.append(("%.1f%% (before %.1f%%)" % (now[key], before[key]), now[key] >= before[key]))
        return answers
    bench("fidelity.sh", fidelity_rows, fidelity)

    def headerlines():
        out = run([program("headerlines")], env=env)
        right = number(r"all\s+\d+ records\s+found\s+[\d.]+%\s+right\s+([\d.]+)%", out)
        median = number(r"look-up: median ([\d.]+) ms", out)
        return [("%.2f%%" % right, right >= 99), ("%.2f ms" % median, median < 16)]
    bench("headerlines", [("Show Header: the declaration's line", ">= 99%"),
                          ("Show Header: one look-up (median)", "< 16 ms")], headerlines)
    sdk_fidelity_targets = [("classes", 99), ("superclass", 99), ("methods", 98), ("categories", 98),
                            ("protocols", 98), ("enums", 95), ("enum constants", 95), ("structs", 95),
                            ("typedefs", 90), ("functions+variables", 95)]
    sdk_fidelity_rows = [("SDK fidelity: " + kind, ">= %d%%" % target) for kind, target in sdk_fidelity_targets] + [
        ("SDK fidelity: junk, the kind with most", "<= 1% of each kind"),
        ("SDK fidelity: texts keeping attribute macros", "0")]
    def sdk_fidelity():
        done = subprocess.run(["sh", os.path.join(here, "bench", "sdk_fidelity.sh"), kestrel],
                              capture_output=True, text=True, timeout=1800)
        if done.returncode not in (0, 1):
            raise RuntimeError((done.stderr.strip() or "status %d" % done.returncode).splitlines()[-1])
        answers, worst, noisy = [], (0.0, ""), 0
        for kind, target in sdk_fidelity_targets:
            line = re.search(r"^%s\s+\d+\s+\d+ \(\s*([\d.]+)%%\)\s+\d+ \(\s*([\d.]+)%% of\s+\d+\)\s+(\d+)" %
                             re.escape(kind), done.stdout, re.M)
            if not line:
                raise RuntimeError("no line for %s in:\n%s" % (kind, done.stdout))
            found, junk = float(line.group(1)), float(line.group(2))
            answers.append(("%.1f%%" % found, found >= target))
            worst = max(worst, (junk, kind))
            if kind != "superclass":
                noisy += int(line.group(3))
        answers.append(("%.1f%% (%s)" % worst, worst[0] <= 1.0))
        answers.append(("%d" % noisy, noisy == 0))
        return answers
    bench("sdk_fidelity.sh", sdk_fidelity_rows, sdk_fidelity)

    def built_store(name, options):
        """A store built in a home of its own below the throw-away one: its data folder."""
        own = os.path.join(home, name)
        os.makedirs(own, exist_ok=True)
        run([kestrel, "build"] + options, env=dict(env, HOME=own, XDG_CONFIG_HOME=os.path.join(own, ".config")))
        return os.path.join(own, ".local", "share", "Kestrel")

    def doc_attachment():
        if not os.access(kestrel, os.X_OK):
            raise RuntimeError("no kestrel at %s (build the project first)" % kestrel)
        out = run([sys.executable, os.path.join(here, "bench", "doc_attachment.py"), built_store("docs", [])])
        classes = number(r"classes:\s+([\d.]+)%", out)
        methods = number(r"methods:\s+([\d.]+)%", out)
        return [("%.1f%%" % classes, classes >= 80), ("%.1f%%" % methods, methods >= 60)]
    bench("doc_attachment.py", [("doc comments as clang attaches them: classes", ">= 80%"),
                                ("doc comments as clang attaches them: methods", ">= 60%")], doc_attachment)

    sdk_folder = os.path.join(here, "..", "shared", "data", "macos14.2", "MacOSX14.2.sdk")
    for label, name, options, root in (
            ("GNUstep", "lines-gnustep", [], None),
            ("SDK 14.2", "lines-sdk", ["--sdk", sdk_folder], os.path.join(sdk_folder, "System", "Library", "Frameworks"))):
        line_rows = [("declaration lines right, %s: the kind with fewest" % label, "100% of 500 a kind")]
        def lines(name=name, options=options, root=root):
            if root and not os.path.isdir(root):
                raise RuntimeError("no macOS 14.2 SDK at %s" % root)
            out = run([sys.executable, os.path.join(here, "bench", "decl_lines.py"), built_store(name, options)] +
                      (["--frameworks-root", root] if root else []))
            shares = [(float(m.group(2)), m.group(1)) for m in re.finditer(r"^(\S[^:]*):\s+([\d.]+)%", out, re.M)]
            if not shares:
                raise RuntimeError(out.strip().splitlines()[-1] if out.strip() else "no figures")
            worst, kind = min(shares)
            return [("%.1f%% (%s)" % (worst, kind), worst >= 100)]
        bench("decl_lines.py " + label, line_rows, lines)

    def treeview():
        out = run([program("treeview")], env=env)
        layout = number(r"layout:\s+([\d.]+) ms", out)
        repaint = number(r"repaint:\s+([\d.]+) ms", out)
        ratio = number(r"\(ratio ([\d.]+);", out)
        return [("%.2f ms" % layout, layout < 16), ("%.2f ms" % repaint, repaint < 16),
                ("%.2f" % ratio, ratio <= 1.5)]
    bench("treeview", [("tree layout, all unfolded", "< 16 ms"), ("tree repaint, 1600 x 1000", "< 16 ms"),
                       ("list paint 100,000 rows / 100 rows", "near 1 (<= 1.5)")], treeview)

    def search():
        out = run([program("search")], env=env)
        answers = []
        for pattern in (r"methods:\s+([\d.]+) ms\s+\"init\"", r"methods:\s+([\d.]+) ms\s+\"draw rect\"",
                        r"classes:\s+([\d.]+) ms", r"functions:\s+([\d.]+) ms"):
            ms = number(pattern, out)
            answers.append(("%.2f ms" % ms, ms < 16))
        return answers
    bench("search", [("method search \"init\"", "< 16 ms"), ("method search \"draw rect\"", "< 16 ms"),
                     ("class search \"view\"", "< 16 ms"), ("function list refilter", "< 16 ms")], search)

    for tree, label in (("gnustep", "GNUstep"), ("sdk", "SDK 14.2")):
        typing_rows = [("find typing, %s: key to list painted (p95)" % label, "<= 50 ms"),
                       ("find typing, %s: next key waits (p95)" % label, "<= 50 ms"),
                       ("find typing, %s: core search (p95)" % label, "(a figure)"),
                       ("find typing, %s: processor time, key to painted (p95)" % label, "(a figure)")]
        def typing(tree=tree):
            out = run([program("findtyping"), "--only", tree], env=env)
            skip = re.search(r"^%s\s+skipped: (.*)$" % tree, out, re.M)
            if skip:
                raise RuntimeError(skip.group(1))
            painted = number(r"%s\s+key to painted:\s+([\d.]+) ms" % tree, out)
            waits = number(r"%s\s+next key waits:\s+([\d.]+) ms" % tree, out)
            core = number(r"%s\s+core search:\s+([\d.]+) ms" % tree, out)
            cpu = number(r"%s\s+processor time:\s+([\d.]+) ms" % tree, out)
            return [("%.1f ms" % painted, painted <= 50), ("%.1f ms" % waits, waits <= 50), ("%.1f ms" % core, None),
                    ("%.1f ms" % cpu, None)]
        bench("findtyping --only " + tree, typing_rows, typing)

    for tree, label in (("gnustep", "GNUstep"), ("sdk", "SDK 14.2")):
        quick_rows = [("quick open, %s: core search per key (p50)" % label, "(a figure)"),
                      ("quick open, %s: core search per key (p95)" % label, "<= 16 ms"),
                      ("quick open, %s: key to list painted (p95)" % label, "<= 50 ms"),
                      ("quick open, %s: first Ctrl+K, index made" % label, "(a figure)")]
        def quick(tree=tree):
            out = run([program("quickopen"), "--only", tree], env=env)
            skip = re.search(r"^%s\s+skipped: (.*)$" % tree, out, re.M)
            if skip:
                raise RuntimeError(skip.group(1))
            p50 = number(r"%s\s+core key:\s+p50\s+([\d.]+) ms" % tree, out)
            p95 = number(r"%s\s+core key:.*p95\s+([\d.]+) ms" % tree, out)
            painted = number(r"%s\s+key to painted:.*p95\s+([\d.]+) ms" % tree, out)
            opened = number(r"%s\s+first open:\s+([\d.]+) ms" % tree, out)
            return [("%.3f ms" % p50, None), ("%.2f ms" % p95, p95 <= 16), ("%.1f ms" % painted, painted <= 50),
                    ("%.0f ms" % opened, None)]
        bench("quickopen --only " + tree, quick_rows, quick)

    startup_rows = [("desktop start: tree later than empty window", "<= 300 ms")]
    if shutil.which("Xvfb"):
        def startup():
            late = number(r"tree later than empty:\s+(-?[\d.]+) ms",
                          run([sys.executable, os.path.join(here, "bench", "startup.py"), kestrel]))
            return [("%.0f ms" % late, late <= 300)]
        bench("startup.py", startup_rows, startup)
    else:
        skipped(startup_rows, "Xvfb is not installed (apt-get install xvfb)")
finally:
    shutil.rmtree(home, ignore_errors=True)

widths = [max(len(row[i]) for row in rows + [("figure", "value", "target")]) for i in range(3)]
line = "%-*s  %-*s  %-*s  %s"
print(line % (widths[0], "figure", widths[1], "value", widths[2], "target", "holds"))
print(line % (widths[0], "-" * widths[0], widths[1], "-" * widths[1], widths[2], "-" * widths[2], "-----"))
for figure, value, target, holds in rows:
    print(line % (widths[0], figure, widths[1], value, widths[2], target,
                  "yes" if holds else "NO" if holds is False else "-"))
failed = sum(1 for row in rows if row[3] is False)
checked = sum(1 for row in rows if row[3] is not None)
print("\n%d of %d targets hold%s" % (checked - failed, checked, "" if not failed else "; %d do not" % failed))
sys.exit(1 if failed else 0)
