#!/usr/bin/env python3
"""Times `kestrel build` on all of GNUstep's headers and prints, from one run:
  - the build against reading the same bytes, and against universal-ctags on the same folder
    (target: the build no slower than ctags);
  - `kestrel tree` on the stored files (load only) against the build (target: at most 0.3);
  - the peak memory of the build.
Usage: bench/build.py [KESTREL_BINARY] (default build/src/kestrel). Each figure is the best of
several runs, the programs taking turns round by round so that a slower spell of a shared
machine falls on all of them; ratios are what matter there."""
import os, resource, shutil, subprocess, sys, tempfile, time

ROOT = "/usr/include/GNUstep"
ROUNDS = 9
here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
kestrel = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "build", "src", "kestrel")
if not os.path.isdir(ROOT):
    sys.exit("build.py: %s is missing (install libgnustep-base-dev and libgnustep-gui-dev)" % ROOT)
if not os.access(kestrel, os.X_OK):
    sys.exit("build.py: no kestrel at %s (build the project first)" % kestrel)

home = tempfile.mkdtemp(prefix="kestrel-bench-")
env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
env.pop("KESTREL_FRAMEWORKS_ROOT", None)


def once(command, **kw):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)
    return time.perf_counter() - start


def read_all():
    total = 0
    for folder, _, files in os.walk(ROOT, followlinks=True):
        for name in files:
            if name.endswith(".h"):
                with open(os.path.join(folder, name), "rb") as f:
                    total += len(f.read())
    return total


try:
    nbytes = read_all()
    read_times = []
    for _ in range(ROUNDS):
        start = time.perf_counter()
        read_all()
        read_times.append(time.perf_counter() - start)
    read = min(read_times)

    ctags = shutil.which("ctags")
    ctags_command = [ctags, "-R", "--languages=ObjectiveC", "--langmap=ObjectiveC:.h", "-f",
                     os.path.join(home, "tags"), ROOT] if ctags else None
    once([kestrel, "build"], env=env)  # warms the caches; the only child so far
    peak_kib = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    builds, loads, ctags_times = [], [], []
    for _ in range(ROUNDS):
        builds.append(once([kestrel, "build"], env=env))
        loads.append(once([kestrel, "tree"], env=env))
        if ctags_command:
            ctags_times.append(once(ctags_command))
    build, load = min(builds), min(loads)

    print("headers:            %.1f MB under %s" % (nbytes / 1e6, ROOT))
    print("read the bytes:     %.1f ms" % (read * 1e3))
    print("kestrel build:      %.1f ms   (%.1fx the read)" % (build * 1e3, build / read))
    if ctags_times:
        ctags_time = min(ctags_times)
        print("universal-ctags:    %.1f ms   (build / ctags = %.2f; target <= 1)" % (ctags_time * 1e3, build / ctags_time))
    else:
        print("universal-ctags:    not installed (apt-get install universal-ctags)")
    print("kestrel tree (load): %.1f ms  (load / build = %.2f; target <= 0.3)" % (load * 1e3, load / build))
    print("peak memory:        %.1f MB (kestrel build)" % (peak_kib / 1024))
finally:
    shutil.rmtree(home, ignore_errors=True)
