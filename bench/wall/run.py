#!/usr/bin/env python3
"""The wall of tabs with 30 loaded tabs: how fast it shows, what it costs while shown.

Starts Pelquin under an Xvfb of its own with 30 tabs of a local test server, waits for them
to settle, measures CPU and memory for a minute without the wall, opens the wall with
Ctrl+Shift+A (xdotool), measures a minute with it, and closes it with Escape. Prints, per run
and as medians: the time from the wall's request to its first drawing (from the program's
trace marks), memory (PSS of the process tree) before, the most while shown and after, and
CPU (share of one core) in the minute before and the minute with the wall.

    bench/wall/run.py [--runs 3] [--settle 25] [--minute 60]

Builds build-bench/ (Release) when it is missing. Never part of the tests.
"""
import argparse, os, shutil, statistics, subprocess, sys, tempfile, time

BENCH = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, BENCH)
from procs import cpu_between, cpu_seconds, end_program, pss_mb  # noqa: E402
sys.path.insert(0, os.path.join(BENCH, 'startup'))
import run as startup  # noqa: E402

TABS = 30


class Handler(startup.PageHandler):
    def do_GET(self):
        name = self.path.split('?')[0].strip('/')
        hue = (sum(map(ord, name)) * 37) % 360
        rows = ''.join('<tr><td>%s row %d</td><td>%d</td></tr>' % (name, r, r * 7)
                       for r in range(40))
        body = ('<html><head><title>%s</title></head><body style="background:hsl(%d,60%%,85%%)">'
                '<h1>%s</h1><table>%s</table></body></html>' % (name, hue, name, rows)).encode()
        self.send_page(body)


def xdo(env, *args):
    return subprocess.run(['xdotool'] + list(args), env=env, capture_output=True,
                          text=True).stdout


def press(env, pid, key):
    windows = xdo(env, 'search', '--pid', str(pid), '--name', '^Pelquin 2000 Browser$').split()
    if windows:
        xdo(env, 'windowfocus', '--sync', windows[-1])
        time.sleep(0.3)
    xdo(env, 'key', key)


def minute(pid, seconds, memory=None):
    """CPU share of one core over `seconds`; the most memory seen, read every 5 s."""
    before = cpu_seconds(pid)
    start = time.monotonic()
    while time.monotonic() - start < seconds:
        time.sleep(min(5, seconds - (time.monotonic() - start)))
        if memory is not None:
            memory.append(pss_mb(pid))
    return cpu_between(before, cpu_seconds(pid)) / (time.monotonic() - start)


def one_run(base, settle, seconds, env):
    home = tempfile.mkdtemp(prefix='pelquin-wall-')
    run_env = dict(env, PELQUIN_HOME=startup.write_pelquin_home(home, base),
                   XDG_CONFIG_HOME=startup.write_pelquin_config(home),
                   PELQUIN_SPONSOR_HOST=base.split('://')[1], PELQUIN_TRACE_STARTUP='1')
    errors = tempfile.TemporaryFile()
    proc = subprocess.Popen([os.path.join(startup.BUILD, 'src', 'pelquin')], env=run_env,
                            stdout=subprocess.DEVNULL, stderr=errors)
    try:
        time.sleep(settle)
        figures = {'memory before (MB)': pss_mb(proc.pid)}
        figures['CPU without wall (%)'] = 100 * minute(proc.pid, seconds)
        press(run_env, proc.pid, 'ctrl+shift+a')
        shown = []
        figures['CPU with wall (%)'] = 100 * minute(proc.pid, seconds, shown)
        figures['memory shown, most (MB)'] = max(shown)
        press(run_env, proc.pid, 'Escape')
        time.sleep(10)
        figures['memory after (MB)'] = pss_mb(proc.pid)
    finally:
        end_program(proc)
        shutil.rmtree(home, ignore_errors=True)
    errors.seek(0)
    marks = startup.trace_marks(errors.read().decode(errors='replace'))
    asked, drawn = marks.get('wall of tabs asked for'), marks.get('wall of tabs drawn')
    figures['wall drawn after (s)'] = drawn - asked if asked and drawn else float('nan')
    figures['wall cost (MB)'] = figures['memory shown, most (MB)'] - figures['memory before (MB)']
    return figures


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=3)
    parser.add_argument('--settle', type=float, default=25.0)
    parser.add_argument('--minute', type=float, default=60.0)
    args = parser.parse_args()

    startup.build('pelquin')
    server, base, xvfb, display = startup.serve_and_display(Handler)
    env = dict(os.environ, DISPLAY=display)
    env.pop('QT_QPA_PLATFORM', None)
    results = []
    try:
        for run in range(args.runs):
            results.append(one_run(base, args.settle, args.minute, env))
            print('run %d: %s' % (run + 1, ', '.join('%s %.2f' % kv
                                                     for kv in results[-1].items())),
                  flush=True)
    finally:
        xvfb.terminate()
        server.shutdown()
    print('\nmedians of %d runs' % args.runs)
    for key in results[0]:
        print('  %-26s %8.2f' % (key, statistics.median(r[key] for r in results)))


if __name__ == '__main__':
    main()
