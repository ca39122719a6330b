#!/usr/bin/env python3
"""Peak CPU when the automatic refresh of 30 tabs falls due in the same tick.

Starts Pelquin under an Xvfb of its own with 30 tabs that refresh every minute, each page
light at first (so that all fall due in the same tick) and a little heavy when refreshed (a
long table and, by default, half a second's script work at load), and reads the CPU time
of the whole process tree every 100 ms. The server notes every second request of a page: the
refresh. Prints, per run and as medians: how long the 30 refreshes took from first to last
request, and the peak CPU (in cores, over any 1 s and any 0.5 s) from 5 s before the first
refresh to 15 s after the last.

    bench/refresh/run.py [--runs 3] [--binary path/to/pelquin] [--work-ms 500]

--binary measures another build, for example one made before a change. Builds build-bench/
(Release) when it is missing. Never part of the tests.
"""
import argparse, os, shutil, statistics, subprocess, sys, tempfile, threading, time

BENCH = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, BENCH)
from procs import cpu_seconds, end_program  # noqa: E402
sys.path.insert(0, os.path.join(BENCH, 'startup'))
import run as startup  # noqa: E402

TABS = 30
WORK = ('<script>const end = performance.now() + %d; let x = 0;'
        'while (performance.now() < end) x += Math.sqrt(x + 1);</script>')
WORK_MS = [500]  # the script work of each refreshed page, set by --work-ms


class Requests:
    def __init__(self):
        self.lock = threading.Lock()
        self.seen = {}
        self.refreshes = []

    def note(self, path):
        """How many times the page was asked for, this time included."""
        with self.lock:
            self.seen[path] = self.seen.get(path, 0) + 1
            if self.seen[path] == 2:
                self.refreshes.append(time.monotonic())
            return self.seen[path]


REQUESTS = Requests()


class Handler(startup.PageHandler):
    def do_GET(self):
        path = self.path.split('?')[0]
        if not path.endswith('.htm'):
            self.send_response(404)
            self.end_headers()
            return
        # The program asks a page's address from inside the page before it refreshes it:
        # that asking is no load of the page.
        if self.headers.get('Sec-Fetch-Mode', 'navigate') != 'navigate':
            self.send_page(b'<html><body>asked</body></html>')
            return
        # Light at the start, so that every tab completes in the same tick and falls due in
        # the same tick a minute later; heavy when refreshed.
        heavy = REQUESTS.note(path) > 1
        rows = ''.join('<tr><td>row %d</td><td>%d</td><td>%s</td></tr>' % (r, r * r, path)
                       for r in range(1500 if heavy else 10))
        body = ('<html><head><title>%s</title></head><body><table>%s</table>%s</body></html>'
                % (path, rows, WORK % WORK_MS[0] if heavy else '')).encode()
        self.send_page(body)


def peak(samples, start, end, width):
    """The most CPU (in cores) the tree used over any `width` seconds between start and end."""
    best = 0.0
    inside = [(t, c) for t, c in samples if start <= t <= end]
    for i, (t0, c0) in enumerate(inside):
        for t1, c1 in inside[i + 1:]:
            if t1 - t0 >= width:
                best = max(best, (c1 - c0) / (t1 - t0))
                break
    return best


def one_run(binary, base, env):
    with REQUESTS.lock:
        REQUESTS.seen, REQUESTS.refreshes = {}, []
    home = tempfile.mkdtemp(prefix='pelquin-refresh-')
    run_env = dict(env, PELQUIN_HOME=startup.write_pelquin_home(home, base, refresh_minutes=1),
                   XDG_CONFIG_HOME=startup.write_pelquin_config(home),
                   PELQUIN_SPONSOR_HOST=base.split('://')[1])
    proc = subprocess.Popen([binary], env=run_env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    samples, total, last = [], 0.0, {}
    try:
        deadline = time.monotonic() + 170
        while time.monotonic() < deadline:
            now = cpu_seconds(proc.pid)
            total += sum(max(0.0, t - last.get(p, 0.0)) for p, t in now.items())
            last.update(now)
            samples.append((time.monotonic(), total))
            with REQUESTS.lock:
                done = len(REQUESTS.refreshes) >= TABS - 2
                spread = list(REQUESTS.refreshes)
            if done and time.monotonic() > spread[-1] + 16:
                break
            if proc.poll() is not None:
                print('  the program ended early, with %d' % proc.returncode, file=sys.stderr)
                break
            time.sleep(0.1)
    finally:
        end_program(proc)
        shutil.rmtree(home, ignore_errors=True)
    if len(spread) < TABS - 2:
        return {'refreshes seen': float(len(spread))}
    start, end = spread[0] - 5, spread[-1] + 15
    return {
        'refreshes seen': float(len(spread)),
        'refresh requests over (s)': spread[-1] - spread[0],
        'peak CPU over 1 s (cores)': peak(samples, start, end, 1.0),
        'peak CPU over 0.5 s (cores)': peak(samples, start, end, 0.5),
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=3)
    parser.add_argument('--binary')
    parser.add_argument('--work-ms', type=int, default=500)
    args = parser.parse_args()
    WORK_MS[0] = args.work_ms
    binary = args.binary
    if not binary:
        startup.build('pelquin')
        binary = os.path.join(startup.BUILD, 'src', 'pelquin')
    server, base, xvfb, display = startup.serve_and_display(Handler)
    env = dict(os.environ, DISPLAY=display)
    env.pop('QT_QPA_PLATFORM', None)
    results = []
    try:
        for run in range(args.runs):
            results.append(one_run(binary, base, env))
            print('run %d: %s' % (run + 1, ', '.join('%s %.2f' % kv
                                                     for kv in results[-1].items())),
                  flush=True)
    finally:
        xvfb.terminate()
        server.shutdown()
    complete = [r for r in results if len(r) > 1]
    print('\nmedians of %d complete runs of %d (%s, %d ms of work per page)'
          % (len(complete), args.runs, binary, args.work_ms))
    for key in complete[0] if complete else ():
        print('  %-28s %8.2f' % (key, statistics.median(r[key] for r in complete)))


if __name__ == '__main__':
    main()
