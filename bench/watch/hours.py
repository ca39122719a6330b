#!/usr/bin/env python3
"""What pages outside their hours cost: 30 live pages against the same with 25 paused.

Each of the 28 pages of a local test server (tabs 3 to 30) draws a canvas every frame and a
clock every 100 ms; tabs 1 and 2 show still pages, and tab 1 is the one shown. One run starts Pelquin with an
empty Watch.json; the other with rules that put tabs 6 to 30 outside their hours (so their
pages are frozen). Runs alternate. After `--settle` seconds, the CPU of the whole process
tree is measured for `--seconds`, and apart from it that of the pages' own processes (the
engine's renderers). The engine already slows hidden pages down (a timer a second, no
animation frames), so the figures are small: read them over several runs.
Prints each run's shares of one core, the medians and their ratios (the goal: 0.25 or less).

    bench/watch/hours.py [--runs 3] [--settle 15] [--seconds 30]

Uses build-bench/ (Release; PELQUIN_BENCH_BUILD names another build). Never part of the tests.
"""
import argparse, json, os, shutil, statistics, subprocess, sys, tempfile, time

BENCH = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, BENCH)
from procs import cpu_between, cpu_seconds, end_program  # noqa: E402
sys.path.insert(0, os.path.join(BENCH, 'startup'))
import run as startup  # noqa: E402

LIVE = ('<html><head><title>NAME</title></head><body><h1>NAME</h1><p id=clock></p>'
        '<canvas id=c width=400 height=200></canvas><script>'
        'const g = document.getElementById("c").getContext("2d"); let f = 0;'
        'function draw() { f++; g.fillStyle = "hsl(" + (f % 360) + ",70%,60%)";'
        ' g.fillRect(0, 0, 400, 200); requestAnimationFrame(draw); }'
        'requestAnimationFrame(draw);'
        'setInterval(() => { document.getElementById("clock").textContent ='
        ' new Date().toISOString(); }, 100);'
        '</script></body></html>')


class Handler(startup.PageHandler):
    def do_GET(self):
        name = self.path.split('?')[0].strip('/')
        # The sponsor's pages of tabs 1 and 2 come from here too: the shown tab 1 stays still,
        # so that what is measured is what the hidden pages cost.
        if not name.startswith('p'):
            self.send_page(b'<html><head><title>still</title></head><body>still</body></html>')
            return
        self.send_page(LIVE.replace('NAME', name).encode())


def away_hours():
    """A range of the day that is certainly not now."""
    hour = (time.localtime().tm_hour + 6) % 24
    return 'Daily %02d:00-%02d:30' % (hour, hour)


def one_run(base, paused, settle, seconds, env):
    home = tempfile.mkdtemp(prefix='pelquin-hours-')
    app = startup.write_pelquin_home(home, base)
    rules = [{'address': base + '/p%d.htm' % t, 'hours': [away_hours()]}
             for t in range(6, startup.TABS + 1)] if paused else []
    with open(os.path.join(app, 'Watch.json'), 'w') as f:
        json.dump({'rules': rules}, f)
    run_env = dict(env, PELQUIN_HOME=app, XDG_CONFIG_HOME=startup.write_pelquin_config(home),
                   PELQUIN_SPONSOR_HOST=base.split('://')[1])
    proc = subprocess.Popen([os.path.join(startup.BUILD, 'src', 'pelquin')], env=run_env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(settle)
        before, start = cpu_seconds(proc.pid), time.monotonic()
        time.sleep(seconds)
        after, took = cpu_seconds(proc.pid), time.monotonic() - start
        pages = lambda reading: {p: t for p, t in reading.items() if p != proc.pid}
        return (100 * cpu_between(before, after) / took,
                100 * cpu_between(pages(before), pages(after)) / took)
    finally:
        end_program(proc)
        shutil.rmtree(home, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=3)
    parser.add_argument('--settle', type=float, default=15.0)
    parser.add_argument('--seconds', type=float, default=30.0)
    args = parser.parse_args()

    startup.build('pelquin')
    server, base, xvfb, display = startup.serve_and_display(Handler)
    env = dict(os.environ, DISPLAY=display)
    env.pop('QT_QPA_PLATFORM', None)
    live, paused = [], []
    try:
        for run in range(args.runs):
            live.append(one_run(base, False, args.settle, args.seconds, env))
            paused.append(one_run(base, True, args.settle, args.seconds, env))
            print('run %d: all live %.1f%% (pages %.1f%%), 25 paused %.1f%% (pages %.1f%%) of a core'
                  % (run + 1, live[-1][0], live[-1][1], paused[-1][0], paused[-1][1]), flush=True)
    finally:
        xvfb.terminate()
        server.shutdown()
    for k, what in enumerate(('whole tree', "pages' processes")):
        a = statistics.median(r[k] for r in live)
        b = statistics.median(r[k] for r in paused)
        print('medians of %d runs, %s: all live %.1f%%, 25 paused %.1f%%, ratio %.2f'
              % (args.runs, what, a, b, b / a if a else float('nan')))


if __name__ == '__main__':
    main()
