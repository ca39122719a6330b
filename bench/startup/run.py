#!/usr/bin/env python3
"""Start-up and memory of Pelquin beside a bare Qt WebEngine program.

Both load 30 small pages from a local test server, N times each, under one Xvfb. The server
notes when each page is asked for and when the first tab's page has drawn its first frame
(two animation frames after it starts: the frame has then been produced). Prints medians and
the ratio Pelquin / bare engine of: process start to first and last page request, first
paint of tab 1, and memory (PSS summed over the process tree, read from smaps_rollup); and
the median of the ratios of each Pelquin run to the bare run just before it.

    bench/startup/run.py [--runs 11] [--settle 25] [--process-per-site] [--trace]

--trace also prints the median time of each start-up mark both programs print when
PELQUIN_TRACE_STARTUP is set.

Builds build-bench/ (Release, with the bare engine) when it is missing. Never part of the
tests: it measures, it does not check.
"""
import argparse, os, shutil, statistics, subprocess, sys, tempfile, threading, time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from procs import end_program, pss_mb, tree  # noqa: E402  (soak.py uses them from here)

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get('PELQUIN_BENCH_BUILD', os.path.join(ROOT, 'build-bench'))
TABS = 30
PAINT = ('<script>requestAnimationFrame(() => requestAnimationFrame(() => '
         'fetch("/painted?" + location.pathname)));</script>')


class Log:
    def __init__(self):
        self.lock = threading.Lock()
        self.pages, self.painted = [], []

    def reset(self):
        with self.lock:
            self.pages, self.painted = [], []


LOG = Log()


class PageHandler(BaseHTTPRequestHandler):
    """A quiet handler that answers with a page; the benchmarks' servers build on it."""

    def send_page(self, body):
        self.send_response(200)
        self.send_header('Content-Type', 'text/html')
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


class Handler(PageHandler):
    def do_GET(self):
        now = time.monotonic()
        path = self.path.split('?')[0]
        if path == '/painted':
            with LOG.lock:
                LOG.painted.append((now, self.path))
            body = b'ok'
        elif path.endswith('.htm'):
            with LOG.lock:
                LOG.pages.append((now, path))
            name = path.strip('/')
            body = ('<html><head><title>%s</title></head><body><h1>%s</h1><p>%s</p>%s'
                    '</body></html>' % (name, name, 'A small page. ' * 40,
                                        PAINT if name in ('w1.htm', 'p1.htm') else '')).encode()
        else:
            self.send_response(404)
            self.end_headers()
            return
        self.send_page(body)


def write_pelquin_home(home, base, refresh_minutes=0):
    """An application folder whose profile loads 28 pages of `base` into tabs 3 to 30 (tabs 1
    and 2 show the sponsor's), each refreshed every `refresh_minutes` when that is not 0."""
    app = os.path.join(home, 'app')
    os.makedirs(app)
    with open(os.path.join(app, 'STD.DAT'), 'w', newline='') as f:
        f.write(' 0 \r\n 0 \r\n\r\n')
    open(os.path.join(app, 'Requests.Dat'), 'w').close()
    lines = []
    for t in range(1, TABS + 1):
        refresh = refresh_minutes if t > 2 else 0
        lines += [base + '/p%d.htm' % t if t > 2 else '', 'T%d' % t, ' 0 ',
                  '-1 ' if refresh else ' 0 ', ' %d ' % refresh, ' 0 ']
    with open(os.path.join(app, 'Setup.set'), 'w', newline='') as f:
        f.write('\r\n'.join(lines) + '\r\n')
    return app


def write_pelquin_config(home):
    """Settings that give Pelquin the bare engine's 1024 x 768 window (sizes in twips)."""
    config = os.path.join(home, 'config')
    os.makedirs(os.path.join(config, 'pelquin'))
    with open(os.path.join(config, 'pelquin', 'pelquin.conf'), 'w') as f:
        f.write('[ws]\nwindowstate=0\ntop=0\nleft=0\nwidth=%d\nheight=%d\n'
                % (1024 * 15, 768 * 15))
    return config


def build(*targets):
    if not os.path.exists(os.path.join(BUILD, 'build.ninja')):
        subprocess.check_call(['cmake', '-S', ROOT, '-B', BUILD, '-G', 'Ninja',
                               '-DCMAKE_BUILD_TYPE=Release', '-DPELQUIN_BUILD_BENCH=ON'])
    subprocess.check_call(['cmake', '--build', BUILD, '--target'] + list(targets))


def serve_and_display(handler=None):
    """A test server with `handler` (this file's pages by default) and an Xvfb of our own:
    (server, its base address, Xvfb, display)."""
    server = ThreadingHTTPServer(('127.0.0.1', 0), handler or Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = 'http://127.0.0.1:%d' % server.server_address[1]
    display = ':%d' % (200 + os.getpid() % 500)
    xvfb = subprocess.Popen(['Xvfb', display, '-screen', '0', '1600x1200x24', '-nolisten',
                             'tcp'], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    return server, base, xvfb, display


def trace_marks(text):
    """{mark: seconds since process start} from the lines traceStartup prints."""
    marks = {}
    for line in text.splitlines():
        if line.startswith('pelquin: start-up '):
            seconds, mark = line[len('pelquin: start-up '):].split(' s  ', 1)
            marks[mark] = float(seconds)
    return marks


def one_run(kind, base, settle, env, trace=False):
    LOG.reset()
    home = tempfile.mkdtemp(prefix='pelquin-bench-')
    run_env = dict(env)
    if kind == 'pelquin':
        run_env['PELQUIN_HOME'] = write_pelquin_home(home, base)
        run_env['XDG_CONFIG_HOME'] = write_pelquin_config(home)
        run_env['PELQUIN_SPONSOR_HOST'] = base.split('://')[1]
        cmd = [os.path.join(BUILD, 'src', 'pelquin')]
    else:
        pages = [base + '/w1.htm', base + '/w2.htm'] + [base + '/p%d.htm' % t
                                                      for t in range(3, TABS + 1)]
        cmd = [os.path.join(BUILD, 'bench', 'bare_engine'), home] + pages
    if trace:
        run_env['PELQUIN_TRACE_STARTUP'] = '1'
    errors = tempfile.TemporaryFile()
    start = time.monotonic()
    proc = subprocess.Popen(cmd, env=run_env, stdout=subprocess.DEVNULL, stderr=errors)
    time.sleep(settle)
    memory = pss_mb(proc.pid)
    end_program(proc)
    time.sleep(0.5)
    shutil.rmtree(home, ignore_errors=True)
    errors.seek(0)
    marks = trace_marks(errors.read().decode(errors='replace'))
    with LOG.lock:
        times = sorted(t for t, _ in LOG.pages)
        paints = [t for t, _ in LOG.painted]
    if len(times) < TABS:
        print('  %s: only %d of %d pages asked for; it said:' % (kind, len(times), TABS),
              file=sys.stderr)
        errors.seek(0)
        for line in errors.read().decode(errors='replace').splitlines()[-8:]:
            print('    ' + line, file=sys.stderr)
    return {
        'first request': times[0] - start if times else float('nan'),
        'last request': times[-1] - start if times else float('nan'),
        'first paint of tab 1': min(paints) - start if paints else float('nan'),
        'memory (MB PSS)': memory,
    }, marks


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--runs', type=int, default=11)
    parser.add_argument('--settle', type=float, default=25.0)
    parser.add_argument('--process-per-site', action='store_true')
    parser.add_argument('--trace', action='store_true')
    args = parser.parse_args()

    build('pelquin', 'bare_engine')
    server, base, xvfb, display = serve_and_display()
    env = dict(os.environ, DISPLAY=display)
    env.pop('QT_QPA_PLATFORM', None)
    if args.process_per_site:
        env['QTWEBENGINE_CHROMIUM_FLAGS'] = '--process-per-site'
    results = {'bare': [], 'pelquin': []}
    traces = {'bare': [], 'pelquin': []}
    try:
        for run in range(args.runs):
            for kind in ('bare', 'pelquin'):  # alternated, so drift hits both alike
                figures, marks = one_run(kind, base, args.settle, env, args.trace)
                results[kind].append(figures)
                traces[kind].append(marks)
                print('run %d %-8s %s' % (run + 1, kind, ', '.join(
                    '%s %.2f' % (k, v) for k, v in results[kind][-1].items())), flush=True)
    finally:
        xvfb.terminate()
        server.shutdown()

    print('\nmedians of %d runs%s' % (args.runs,
                                      ', --process-per-site' if args.process_per_site else ''))
    print('%-24s %12s %12s %8s %12s' % ('', 'bare engine', 'Pelquin', 'ratio', 'paired ratio'))
    for key in results['bare'][0]:
        bare = statistics.median(r[key] for r in results['bare'])
        mine = statistics.median(r[key] for r in results['pelquin'])
        # Each run beside the bare run just before it: slow spells of the machine hit both.
        paired = statistics.median(p[key] / b[key] for b, p in zip(results['bare'],
                                                                   results['pelquin']))
        unit = '' if 'memory' in key else ' s'
        print('%-24s %10.2f%s %10.2f%s %8.2f %12.2f' % (key, bare, unit, mine, unit,
                                                        mine / bare if bare else float('nan'),
                                                        paired))
    for kind in ('bare', 'pelquin') if args.trace else ():
        print('\nstart-up marks of %s (median s since process start)' % kind)
        for mark in traces[kind][0] if traces[kind] else ():
            seen = [t[mark] for t in traces[kind] if mark in t]
            print('  %7.3f  %s' % (statistics.median(seen), mark))


if __name__ == '__main__':
    main()
