#!/usr/bin/env python3
"""CPU of 30 live pages in Pelquin beside the bare Qt WebEngine program.

Both programs, in turn and at the same 1024 x 768 window under one Xvfb of their own, load 30
pages of a local test server, tab 1 shown. Every page draws a canvas on each animation frame
and rewrites a clock every 100 ms; every 5 s it tells the server how many frames it drew and
clock ticks it made, and whether it is shown. After the pages settle, reads the CPU time of
the whole process tree over a stretch (share of one core) and, at its end, the memory (PSS of
the tree). Prints each run, the medians, the ratio Pelquin / bare engine and the median of
the ratios of each Pelquin run to the bare run just before it, and how fast the shown and the
hidden pages drew and ticked: the engine slows hidden pages' timers and stops their frames, in
both programs alike.

    bench/startup/cpu.py [--runs 3] [--settle 15] [--seconds 30]

Builds build-bench/ (Release, with the bare engine) when it is missing. Never part of the
tests: it measures, it does not check.
"""
import argparse, os, shutil, statistics, subprocess, sys, tempfile, threading, time
from urllib.parse import parse_qs, urlsplit

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from procs import cpu_between, cpu_seconds, end_program, pss_mb  # noqa: E402
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run as startup  # noqa: E402

TABS = 30
LIVE = """<canvas id="c" width="300" height="150"></canvas>
<p id="clock">-</p>
<script>
let frames = 0, ticks = 0;
const started = performance.now();
const pen = document.getElementById('c').getContext('2d');
function draw(now) {
  frames++;
  pen.fillStyle = 'hsl(' + (frames * 3 % 360) + ',70%,60%)';
  pen.fillRect(0, 0, 300, 150);
  pen.fillStyle = '#000';
  pen.fillRect((now / 5) % 300, 40, 20, 70);
  requestAnimationFrame(draw);
}
requestAnimationFrame(draw);
setInterval(() => {
  ticks++;
  document.getElementById('clock').textContent = new Date().toISOString();
}, 100);
setInterval(() => fetch('/note?page=' + location.pathname + '&frames=' + frames + '&ticks='
                        + ticks + '&ms=' + Math.round(performance.now() - started)
                        + '&state=' + document.visibilityState), 5000);
</script>"""


class Notes:
    def __init__(self):
        self.lock = threading.Lock()
        self.reset()

    def reset(self):
        with self.lock:
            self.pages = set()
            self.notes = {}  # page: [(when, frames, ticks, page's ms, state)]

    def rates(self, start):
        """{state: [(frames per second, ticks per second) of each page]} after `start`."""
        out = {}
        with self.lock:
            for notes in self.notes.values():
                inside = [n for n in notes if n[0] >= start]
                if len(inside) >= 2 and inside[-1][3] > inside[0][3]:
                    ms = inside[-1][3] - inside[0][3]
                    out.setdefault(inside[-1][4], []).append(
                        (1000.0 * (inside[-1][1] - inside[0][1]) / ms,
                         1000.0 * (inside[-1][2] - inside[0][2]) / ms))
            silent = len(self.pages) - sum(map(len, out.values()))
        return out, silent


NOTES = Notes()


class Handler(startup.PageHandler):
    def do_GET(self):
        url = urlsplit(self.path)
        if url.path == '/note':
            query = parse_qs(url.query)
            with NOTES.lock:
                NOTES.notes.setdefault(query['page'][0], []).append(
                    (time.monotonic(), int(query['frames'][0]), int(query['ticks'][0]),
                     int(query['ms'][0]), query['state'][0]))
            self.send_page(b'ok')
            return
        if not url.path.endswith('.htm'):
            self.send_response(404)
            self.end_headers()
            return
        with NOTES.lock:
            NOTES.pages.add(url.path)
        name = url.path.strip('/')
        body = ('<html><head><title>%s</title></head><body><h1>%s</h1>%s</body></html>'
                % (name, name, LIVE)).encode()
        self.send_page(body)


def command(kind, base, home, env):
    """The program's command line and environment for one run."""
    if kind == 'pelquin':
        run_env = dict(env, PELQUIN_HOME=startup.write_pelquin_home(home, base),
                       XDG_CONFIG_HOME=startup.write_pelquin_config(home),
                       PELQUIN_SPONSOR_HOST=base.split('://')[1])
        return [os.path.join(startup.BUILD, 'src', 'pelquin')], run_env
    pages = [base + '/w1.htm', base + '/w2.htm'] + [base + '/p%d.htm' % t
                                                  for t in range(3, TABS + 1)]
    return [os.path.join(startup.BUILD, 'bench', 'bare_engine'), home] + pages, env


def one_run(kind, base, env, settle, seconds):
    NOTES.reset()
    home = tempfile.mkdtemp(prefix='pelquin-cpu-')
    cmd, run_env = command(kind, base, home, env)
    proc = subprocess.Popen(cmd, env=run_env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(settle)
        before, start = cpu_seconds(proc.pid), time.monotonic()
        time.sleep(seconds)
        cpu = cpu_between(before, cpu_seconds(proc.pid)) / (time.monotonic() - start)
        memory = pss_mb(proc.pid)
        if proc.poll() is not None:
            print('  %s ended early, with %d' % (kind, proc.returncode), file=sys.stderr)
    finally:
        end_program(proc)
        shutil.rmtree(home, ignore_errors=True)
    rates, silent = NOTES.rates(start)
    return {'CPU (% of a core)': 100 * cpu, 'memory (MB PSS)': memory}, rates, silent


def describe(rates, silent):
    parts = ['%d %s at %.1f frames/s, %.1f ticks/s' % (
        len(v), state, statistics.median(f for f, _ in v), statistics.median(t for _, t in v))
        for state, v in sorted(rates.items())]
    if silent:
        parts.append('%d silent' % silent)
    return '; '.join(parts) or 'no page said how it drew'


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=3)
    parser.add_argument('--settle', type=float, default=15.0)
    parser.add_argument('--seconds', type=float, default=30.0)
    args = parser.parse_args()

    startup.build('pelquin', 'bare_engine')
    server, base, xvfb, display = startup.serve_and_display(Handler)
    env = dict(os.environ, DISPLAY=display)
    env.pop('QT_QPA_PLATFORM', None)
    results = {'bare': [], 'pelquin': []}
    try:
        for run in range(args.runs):
            for kind in ('bare', 'pelquin'):  # alternated, so drift hits both alike
                figures, rates, silent = one_run(kind, base, env, args.settle, args.seconds)
                results[kind].append(figures)
                print('run %d %-8s %s; pages: %s' % (
                    run + 1, kind, ', '.join('%s %.1f' % kv for kv in figures.items()),
                    describe(rates, silent)), flush=True)
    finally:
        xvfb.terminate()
        server.shutdown()

    print('\nmedians of %d runs, %.0f s each after %.0f s of settling'
          % (args.runs, args.seconds, args.settle))
    print('%-20s %12s %12s %8s %12s' % ('', 'bare engine', 'Pelquin', 'ratio', 'paired ratio'))
    for key in results['bare'][0]:
        bare = statistics.median(r[key] for r in results['bare'])
        mine = statistics.median(r[key] for r in results['pelquin'])
        # Each run beside the bare run just before it: slow spells of the machine hit both.
        paired = statistics.median(p[key] / b[key] for b, p in zip(results['bare'],
                                                                   results['pelquin']))
        print('%-20s %12.1f %12.1f %8.2f %12.2f' % (key, bare, mine, mine / bare, paired))


if __name__ == '__main__':
    main()
