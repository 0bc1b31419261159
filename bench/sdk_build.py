#!/usr/bin/env python3
"""Times `kestrel build --sdk SDK` on a macOS SDK against universal-ctags reading the same
frameworks, and the load of the stored tree against the build, from one run:

  - build / ctags: the build against `ctags -R --links=no --languages=ObjectiveC` over the
    SDK's System/Library/Frameworks, the folder the build reads (target: <= 1, aim 0.5);
  - load / build: `kestrel tree` on the stored files against the build (target: <= 0.3);
  - the peak memory of a build (target: < 150 MB for the 14.2 SDK);
  - the build on one thread (KESTREL_BUILD_THREADS=1), for comparison.

Each figure is the best of several rounds, the programs taking turns round by round so that a
slower spell of a shared machine falls on all of them; the processor time (user + system) of
the same runs is printed beside the wall time.

Usage: bench/sdk_build.py [--kestrel KESTREL] [--rounds N] [--generated] [SDK]
SDK defaults to ../shared/data/macos14.2/MacOSX14.2.sdk beside the project; --generated times
an SDK of 187 frameworks and 3,343 headers made from it by bench/gen_sdk.py instead."""
import argparse, os, resource, shutil, subprocess, sys, tempfile, time

here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_SDK = os.path.join(here, "..", "shared", "data", "macos14.2", "MacOSX14.2.sdk")


def timed(command, env=None):
    """(wall seconds, processor seconds, peak memory in MB) of one run, which must succeed."""
    start = time.perf_counter()
    child = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        raise RuntimeError("%s ended with status %d" % (" ".join(command[:2]), child.returncode))
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024


def best(runs):
    return min(r[0] for r in runs), min(r[1] for r in runs), max(r[2] for r in runs)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("sdk", nargs="?", default=DEFAULT_SDK)
    parser.add_argument("--kestrel", default=os.path.join(here, "build", "src", "kestrel"))
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--generated", action="store_true")
    args = parser.parse_args()
    if not os.access(args.kestrel, os.X_OK):
        sys.exit("sdk_build.py: no kestrel at %s (build the project first)" % args.kestrel)
    if not os.path.isdir(args.sdk):
        sys.exit("sdk_build.py: no SDK at %s (../shared is absent)" % args.sdk)
    ctags = shutil.which("ctags")
    if not ctags:
        sys.exit("sdk_build.py: universal-ctags is not installed (apt-get install universal-ctags)")

    work = tempfile.mkdtemp(prefix="kestrel-sdk-bench-")
    try:
        sdk = args.sdk
        if args.generated:
            made = subprocess.run([sys.executable, os.path.join(here, "bench", "gen_sdk.py"), work, "--sdk", args.sdk],
                                  capture_output=True, text=True)
            if made.returncode != 0:
                sys.exit("sdk_build.py: " + (made.stderr.strip() or "gen_sdk.py failed"))
            sdk = made.stdout.splitlines()[0]
            print("generated: " + made.stdout.splitlines()[1])
        frameworks = os.path.join(sdk, "System", "Library", "Frameworks")
        home = os.path.join(work, "home")
        os.makedirs(home)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
        env.pop("KESTREL_FRAMEWORKS_ROOT", None)
        env.pop("KESTREL_BUILD_THREADS", None)
        serial_env = dict(env, KESTREL_BUILD_THREADS="1")
        build = [args.kestrel, "build", "--sdk", sdk]
        load = [args.kestrel, "tree", "--sdk", sdk]
        tags = [ctags, "-R", "--links=no", "--languages=ObjectiveC", "-f", os.path.join(work, "tags"), frameworks]

        summary = subprocess.run(build, env=env, capture_output=True, text=True).stdout.strip()  # warms the caches
        builds, serials, loads, ctags_runs = [], [], [], []
        for _ in range(args.rounds):
            builds.append(timed(build, env))
            loads.append(timed(load, env))
            ctags_runs.append(timed(tags))
            serials.append(timed(build, serial_env))
        b, s, l, c = best(builds), best(serials), best(loads), best(ctags_runs)

        print("sdk:                %s" % sdk)
        print("build says:         %s" % summary)
        print("kestrel build:      %.1f ms wall, %.1f ms processor (threads: %d processors)" %
              (b[0] * 1e3, b[1] * 1e3, os.cpu_count() or 1))
        print("one thread:         %.1f ms wall, %.1f ms processor" % (s[0] * 1e3, s[1] * 1e3))
        print("universal-ctags:    %.1f ms wall, %.1f ms processor" % (c[0] * 1e3, c[1] * 1e3))
        print("build / ctags = %.2f (target <= 1, aim 0.5); processor time %.2f" % (b[0] / c[0], b[1] / c[1]))
        print("kestrel tree (load): %.1f ms (load / build = %.2f; target <= 0.3)" % (l[0] * 1e3, l[0] / b[0]))
        print("peak memory:        %.1f MB (kestrel build; target < 150 MB)" % b[2])
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
