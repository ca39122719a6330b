"""What the benchmarks read of a running program: its process tree, memory and CPU time."""
import os, signal, subprocess, time

TICK = os.sysconf('SC_CLK_TCK')


def tree(pid):
    """The process and all its descendants."""
    children = {}
    for entry in os.listdir('/proc'):
        if entry.isdigit():
            try:
                with open('/proc/%s/stat' % entry) as f:
                    ppid = int(f.read().rsplit(')', 1)[1].split()[1])
                children.setdefault(ppid, []).append(int(entry))
            except OSError:
                pass
    out, todo = [], [pid]
    while todo:
        p = todo.pop()
        out.append(p)
        todo.extend(children.get(p, []))
    return out


def rollup_kb(pid, fields):
    """The sum of `fields` (such as 'Pss:') of one process's smaps_rollup, in kB; 0 when it
    has ended."""
    try:
        with open('/proc/%d/smaps_rollup' % pid) as f:
            return sum(int(line.split()[1]) for line in f if line.startswith(fields))
    except OSError:
        return 0


def pss_mb(pid):
    """Memory of the whole tree: proportional set size, read from smaps_rollup."""
    return sum(rollup_kb(p, 'Pss:') for p in tree(pid)) / 1024.0


def private_dirty_mb(pid):
    """Memory the whole tree has written and holds alone (private dirty pages: heaps, buffers):
    what leaks when something leaks. Unlike PSS, and unlike the private clean pages of the
    libraries, it does not move when another program maps the same libraries."""
    return sum(rollup_kb(p, 'Private_Dirty:') for p in tree(pid)) / 1024.0


def memory_by_kind(pid, fields=('Pss:',)):
    """Memory of the tree in MB, the sum of `fields` of smaps_rollup (PSS by default; the
    private part with 'Private_Clean:' and 'Private_Dirty:'), split into the program's own
    process (the engine's GPU and network work are threads of it), the pages' processes
    (forked by the engine's zygotes: grandchildren of the program) and the engine's other
    helpers."""
    kinds = {'program': 0, 'pages': 0, 'helpers': 0}
    for p in tree(pid):
        try:
            with open('/proc/%d/stat' % p) as f:
                ppid = int(f.read().rsplit(')', 1)[1].split()[1])
        except OSError:
            continue
        kb = rollup_kb(p, fields)
        kind = 'program' if p == pid else 'helpers' if ppid == pid else 'pages'
        kinds[kind] += kb / 1024.0
    return kinds


def cpu_seconds(pid):
    """{pid: user + system CPU seconds} of every process of the tree."""
    out = {}
    for p in tree(pid):
        try:
            with open('/proc/%d/stat' % p) as f:
                fields = f.read().rsplit(')', 1)[1].split()
            out[p] = (int(fields[11]) + int(fields[12])) / TICK
        except OSError:
            pass
    return out


def cpu_between(before, after):
    """CPU seconds the tree spent between two cpu_seconds() readings; a process that began
    in between counts from its start."""
    return sum(t - before.get(p, 0.0) for p, t in after.items() if t >= before.get(p, 0.0))


def end_program(proc):
    """Ends the program with SIGTERM (SIGKILL after 15 s) and waits up to 10 s for the
    engine's processes, which outlive it by a moment: the next run starts on an idle machine."""
    family = tree(proc.pid)
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(15)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline and any(os.path.exists('/proc/%d' % p) for p in family):
        time.sleep(0.05)
