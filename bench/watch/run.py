#!/usr/bin/env python3
"""What watching the pages' text costs: CPU and memory with 30 ever-changing pages.

Starts a build with the page watcher and one without it, in turn, each under the same Xvfb of
its own with 30 tabs of a local test server, tab 1 shown and no automatic refresh. Every page
rewrites a counter and a clock ten times a second, so that the watcher in each page always has
a change to report; a worker keeps the time, as the engine slows hidden tabs' own timers to
once a second. After the tabs settle, reads the CPU time of the whole process tree over a
stretch (share of one core) and the memory (the median of readings every 5 s: PSS of the tree,
and its private part, pages mapped by no other process, also split into the program, the
pages' processes and the engine's other helpers; the runs alternate, so that another program
sharing the libraries meanwhile weighs on both builds alike). Every 5 s each page tells the
server how often it has changed and whether it is shown, and each run prints how fast the
shown and the hidden pages changed. Prints the medians of both builds and the
difference, watched minus unwatched: of the medians, and the median of each watched run against
the unwatched run just before it.

    bench/watch/run.py --unwatched-binary path/to/pelquin-without-watcher
                       [--runs 3] [--binary path/to/pelquin] [--settle 15] [--seconds 30]

--binary defaults to build-bench/ (or the folder in PELQUIN_BENCH_BUILD), built only when its
program is missing. Never part of the tests.
"""
import argparse, os, shutil, statistics, subprocess, sys, tempfile, threading, time
from urllib.parse import parse_qs, urlsplit

BENCH = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, BENCH)
from procs import cpu_between, cpu_seconds, end_program, memory_by_kind  # noqa: E402
sys.path.insert(0, os.path.join(BENCH, 'startup'))
import run as startup  # noqa: E402

TABS = 30
# A counter and a clock rewritten every 100 ms, and every 5 s a note to the server of how often.
# A worker keeps the time: the engine slows hidden tabs' own timers to once a second.
TICKING = """<script>
let ticks = 0;
const started = performance.now();
new Worker('/ticker.js').onmessage = () => {
  ticks++;
  document.getElementById('count').textContent = 'Updates: ' + ticks;
  document.getElementById('clock').textContent = new Date().toISOString();
  document.getElementById('last').textContent = 'Last value ' + (ticks * 7919 % 1000);
};
setInterval(() => fetch('/ticks?page=' + location.pathname + '&n=' + ticks + '&ms='
                        + Math.round(performance.now() - started) + '&state='
                        + document.visibilityState), 5000);
</script>"""
TICKER = b'setInterval(() => postMessage(0), 100);'



class Ticks:
    def __init__(self):
        self.lock = threading.Lock()
        self.reset()

    def reset(self):
        with self.lock:
            self.pages = set()
            self.notes = {}  # page: [(when, ticks, page's ms, state)]

    def rates(self, start):
        """{state: [updates per second of each page]} from the notes after `start`."""
        out = {}
        with self.lock:
            for notes in self.notes.values():
                inside = [n for n in notes if n[0] >= start]
                if len(inside) >= 2 and inside[-1][2] > inside[0][2]:
                    rate = (inside[-1][1] - inside[0][1]) / (inside[-1][2] - inside[0][2])
                    out.setdefault(inside[-1][3], []).append(rate * 1000)
            out['not ticking'] = [0.0] * (len(self.pages) - sum(map(len, out.values())))
        return out


TICKS = Ticks()


class Handler(startup.PageHandler):
    def do_GET(self):
        url = urlsplit(self.path)
        if url.path == '/ticks':
            query = parse_qs(url.query)
            with TICKS.lock:
                TICKS.notes.setdefault(query['page'][0], []).append(
                    (time.monotonic(), int(query['n'][0]), int(query['ms'][0]),
                     query['state'][0]))
            self.send_page(b'ok')
            return
        if url.path == '/ticker.js':
            self.send_response(200)
            self.send_header('Content-Type', 'text/javascript')
            self.send_header('Content-Length', str(len(TICKER)))
            self.end_headers()
            self.wfile.write(TICKER)
            return
        if not url.path.endswith('.htm'):
            self.send_response(404)
            self.end_headers()
            return
        with TICKS.lock:
            TICKS.pages.add(url.path)
        name = url.path.strip('/')
        rows = ''.join('<tr><td>%s row %d</td><td>%d</td></tr>' % (name, r, r * 7)
                       for r in range(40))
        body = ('<html><head><title>%s</title></head><body><h1>%s</h1>'
                '<p id="count">Updates: 0</p><p id="clock">-</p><p id="last">-</p>'
                '<table>%s</table>%s</body></html>' % (name, name, rows, TICKING)).encode()
        self.send_page(body)


def one_run(binary, base, env, settle, seconds):
    TICKS.reset()
    home = tempfile.mkdtemp(prefix='pelquin-watch-')
    run_env = dict(env, PELQUIN_HOME=startup.write_pelquin_home(home, base),
                   XDG_CONFIG_HOME=startup.write_pelquin_config(home),
                   PELQUIN_SPONSOR_HOST=base.split('://')[1])
    proc = subprocess.Popen([binary], env=run_env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(settle)
        before, start = cpu_seconds(proc.pid), time.monotonic()
        # Memory is read every 5 s and the median taken: a single reading mostly tells
        # where the pages' garbage collection happened to be.
        readings = []
        while time.monotonic() - start < seconds:
            time.sleep(min(5.0, max(0.0, seconds - (time.monotonic() - start))))
            readings.append((memory_by_kind(proc.pid),
                             memory_by_kind(proc.pid, ('Private_Clean:', 'Private_Dirty:'))))
        cpu = cpu_between(before, cpu_seconds(proc.pid)) / (time.monotonic() - start)
        pss = statistics.median(sum(r[0].values()) for r in readings)
        private = {kind: statistics.median(r[1][kind] for r in readings)
                   for kind in readings[0][1]}
        if proc.poll() is not None:
            print('  the program ended early, with %d' % proc.returncode, file=sys.stderr)
    finally:
        end_program(proc)
        shutil.rmtree(home, ignore_errors=True)
    rates = TICKS.rates(start)
    with TICKS.lock:
        pages = len(TICKS.pages)
    figures = {'CPU (% of a core)': 100 * cpu, 'memory (MB PSS)': pss,
               'private memory (MB)': sum(private.values())}
    figures.update(('  of it %s' % kind, mb) for kind, mb in private.items())
    return figures, pages, rates


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=3)
    parser.add_argument('--binary', help='the build with the watcher')
    parser.add_argument('--unwatched-binary', required=True,
                        help='a build without the watcher, to compare with')
    parser.add_argument('--settle', type=float, default=15.0)
    parser.add_argument('--seconds', type=float, default=30.0)
    args = parser.parse_args()
    binary = args.binary or os.path.join(startup.BUILD, 'src', 'pelquin')
    if not os.path.exists(binary):
        startup.build('pelquin')
    binaries = {'unwatched': args.unwatched_binary, 'watched': binary}
    server, base, xvfb, display = startup.serve_and_display(Handler)
    env = dict(os.environ, DISPLAY=display)
    env.pop('QT_QPA_PLATFORM', None)
    results = {'unwatched': [], 'watched': []}
    try:
        for run in range(args.runs):
            for kind in ('unwatched', 'watched'):  # alternated, so drift hits both alike
                figures, pages, rates = one_run(binaries[kind], base, env, args.settle,
                                                args.seconds)
                results[kind].append(figures)
                ticking = ', '.join(
                    '%d %s' % (len(v), k) if k == 'not ticking' else
                    '%d %s updating %.1f/s' % (len(v), k, statistics.median(v))
                    for k, v in sorted(rates.items()) if v)
                print('run %d %-9s %s; %d pages asked for; pages: %s' % (
                    run + 1, kind, ', '.join('%s %.1f' % kv for kv in figures.items()), pages,
                    ticking or 'no page said how often it ticked'), flush=True)
    finally:
        xvfb.terminate()
        server.shutdown()

    print('\nmedians of %d runs, %.0f s each after %.0f s of settling'
          % (args.runs, args.seconds, args.settle))
    print('  watched:   %s\n  unwatched: %s' % (binaries['watched'], binaries['unwatched']))
    print('%-20s %10s %10s %12s %15s' % ('', 'unwatched', 'watched', 'difference',
                                         'paired diff.'))
    for key in results['watched'][0]:
        without = statistics.median(r[key] for r in results['unwatched'])
        with_ = statistics.median(r[key] for r in results['watched'])
        # Each watched run beside the unwatched run just before it.
        paired = statistics.median(w[key] - u[key] for u, w in zip(results['unwatched'],
                                                                   results['watched']))
        print('%-20s %10.1f %10.1f %+12.1f %+15.1f' % (key, without, with_, with_ - without,
                                                       paired))


if __name__ == '__main__':
    main()
