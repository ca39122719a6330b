#!/usr/bin/env python3
"""Soak: Pelquin with 30 live tabs, each refreshing every minute, the wall opened and closed
every 10 minutes, for a long run.

Every page rewrites a clock every second. Samples, once a minute, the memory of the process
tree (PSS, and what it has written and holds alone, its private dirty pages, which another
program's sharing of the libraries leaves alone), the number of processes and the number of
open files of the tree, and prints the growth from the first 10 minutes after the tenth (the
median of each) to the last 10.
Goal: memory growth at most 2 %, no growth in processes or open files.

    bench/startup/soak.py [--minutes 120] [--wall-every 10] [--binary path/to/pelquin]
"""
import argparse, os, shutil, signal, statistics, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run  # noqa: E402  (the server, the process tree and the build live there)
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from procs import private_dirty_mb  # noqa: E402

CLOCK = ('<p id="clock"></p><script>setInterval(() => document.getElementById("clock")'
         '.textContent = new Date().toLocaleTimeString(), 1000);</script>')


class LiveHandler(run.Handler):
    def send_page(self, body):
        super().send_page(body.replace(b'</body>', CLOCK.encode() + b'</body>'))


def open_files(pids):
    total = 0
    for p in pids:
        try:
            total += len(os.listdir('/proc/%d/fd' % p))
        except OSError:
            pass
    return total


def press_wall_keys(display, pid):
    """Ctrl+Shift+A toggles the wall; with no window manager the window is given focus first."""
    env = dict(os.environ, DISPLAY=display)
    windows = subprocess.run(['xdotool', 'search', '--onlyvisible', '--pid', str(pid)], env=env,
                             capture_output=True, text=True).stdout.split()
    if not windows:
        return False
    subprocess.run(['xdotool', 'windowfocus', '--sync', windows[-1]], env=env)
    subprocess.run(['xdotool', 'key', 'ctrl+shift+a'], env=env)
    return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--minutes', type=int, default=120)
    parser.add_argument('--wall-every', type=int, default=10, help='minutes between walls')
    parser.add_argument('--binary', help='the program to run (default: a build in build-bench/)')
    args = parser.parse_args()
    binary = args.binary
    if not binary:
        run.build('pelquin')
        binary = os.path.join(run.BUILD, 'src', 'pelquin')
    server, base, xvfb, display = run.serve_and_display(LiveHandler)

    home = tempfile.mkdtemp(prefix='pelquin-soak-')
    app = run.write_pelquin_home(home, base, refresh_minutes=1)
    env = dict(os.environ, DISPLAY=display, PELQUIN_HOME=app,
               XDG_CONFIG_HOME=run.write_pelquin_config(home),
               PELQUIN_SPONSOR_HOST=base.split('://')[1])
    env.pop('QT_QPA_PLATFORM', None)
    proc = subprocess.Popen([binary], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    baseline_minute = args.wall_every if args.minutes > 2 * args.wall_every else 1
    samples = []
    walls = 0
    try:
        for minute in range(1, args.minutes + 1):
            time.sleep(60)
            pids = run.tree(proc.pid)
            with run.LOG.lock:
                requests = len(run.LOG.pages)
            samples.append((run.pss_mb(proc.pid), private_dirty_mb(proc.pid), len(pids),
                            open_files(pids), requests))
            print('minute %3d: %7.1f MB PSS, %7.1f MB private dirty, %2d processes, '
                  '%4d open files, %5d page requests%s'
                  % ((minute,) + samples[-1] + (' (wall shown)' if walls % 2 else '',)),
                  flush=True)
            # Opened at every tenth minute, closed a minute later.
            if (minute >= args.wall_every and minute % args.wall_every in (0, 1)
                    and minute < args.minutes):
                if press_wall_keys(display, proc.pid):
                    walls += 1
    finally:
        proc.send_signal(signal.SIGTERM)
        proc.wait(15)
        xvfb.terminate()
        server.shutdown()
        shutil.rmtree(home, ignore_errors=True)
    # A reading falls anywhere in a round of refreshes, when old and new pages may both be
    # in memory: ten minutes' medians are compared, from the tenth minute on and at the end.
    span = min(10, max(1, (len(samples) - baseline_minute + 1) // 2))
    first = [statistics.median(s[i] for s in samples[baseline_minute - 1:][:span])
             for i in range(5)]
    last = [statistics.median(s[i] for s in samples[-span:]) for i in range(5)]
    print('\nmedians of %d minutes from minute %d and at the end: memory %+.1f %% PSS '
          '(%.1f -> %.1f MB), %+.1f %% private dirty (%.1f -> %.1f MB), processes %+d, '
          'open files %+d; %d page requests, the wall toggled %d times'
          % (span, baseline_minute, 100.0 * (last[0] - first[0]) / first[0], first[0], last[0],
             100.0 * (last[1] - first[1]) / first[1], first[1], last[1], last[2] - first[2],
             last[3] - first[3], samples[-1][4], walls))

if __name__ == '__main__':
    main()
