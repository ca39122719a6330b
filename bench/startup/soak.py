#!/usr/bin/env python3
"""Soak: Pelquin with 30 tabs, each refreshing every minute, for a long run.

Samples, once a minute, the memory (PSS of the process tree), the number of processes and
the number of open files of the tree, and prints the growth from the first full minute to
the end. Goal: memory growth under 5 %, no growth in processes or open files.

    bench/startup/soak.py [--minutes 30]
"""
import argparse, os, shutil, signal, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run  # noqa: E402  (the server, the process tree and the build live there)


def open_files(pids):
    total = 0
    for p in pids:
        try:
            total += len(os.listdir('/proc/%d/fd' % p))
        except OSError:
            pass
    return total


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--minutes', type=int, default=30)
    args = parser.parse_args()
    run.build('pelquin')
    server, base, xvfb, display = run.serve_and_display()

    home = tempfile.mkdtemp(prefix='pelquin-soak-')
    app = run.write_pelquin_home(home, base)
    lines = open(os.path.join(app, 'Setup.set'), newline='').read().split('\r\n')
    for t in range(run.TABS):  # automatic refresh (-1) every minute, for every tab
        lines[t * 6 + 3], lines[t * 6 + 4] = '-1 ', ' 1 '
    with open(os.path.join(app, 'Setup.set'), 'w', newline='') as f:
        f.write('\r\n'.join(lines))
    env = dict(os.environ, DISPLAY=display, PELQUIN_HOME=app,
               XDG_CONFIG_HOME=os.path.join(home, 'config'),
               PELQUIN_SPONSOR_HOST=base.split('://')[1])
    env.pop('QT_QPA_PLATFORM', None)
    proc = subprocess.Popen([os.path.join(run.BUILD, 'src', 'pelquin')], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    samples = []
    try:
        for minute in range(args.minutes + 1):
            time.sleep(60)
            pids = run.tree(proc.pid)
            with run.LOG.lock:
                requests = len(run.LOG.pages)
            samples.append((run.pss_mb(proc.pid), len(pids), open_files(pids), requests))
            print('minute %2d: %7.1f MB, %2d processes, %4d open files, %5d page requests'
                  % ((minute + 1,) + samples[-1]), flush=True)
    finally:
        proc.send_signal(signal.SIGTERM)
        proc.wait(15)
        xvfb.terminate()
        server.shutdown()
        shutil.rmtree(home, ignore_errors=True)
    first, last = samples[0], samples[-1]
    print('\nmemory %+.1f %% (%.1f -> %.1f MB), processes %+d, open files %+d, %d page requests'
          % (100.0 * (last[0] - first[0]) / first[0], first[0], last[0], last[1] - first[1],
             last[2] - first[2], last[3]))


if __name__ == '__main__':
    main()
