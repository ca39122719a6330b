// Asks the page's own address again, as the page itself would (its cookies, its logins,
// its certificates), and keeps the answer for the program to read under the key %1.
(() => {
    const key = %1;
    window[key] = null;
    const stop = new AbortController();
    const timer = setTimeout(() => stop.abort(), %2);
    fetch(location.href, {cache: 'no-store', credentials: 'include', redirect: 'manual',
                          signal: stop.signal})
        .then(answer => {
            // Sent elsewhere: the reload follows it, and the page it lands on tells.
            window[key] = {status: answer.type === 'opaqueredirect' ? 200 : answer.status,
                           text: answer.statusText};
            if (answer.body)
                answer.body.cancel().catch(() => {});
        })
        .catch(() => { window[key] = {error: stop.signal.aborted ? 'timeout' : 'network'}; })
        .finally(() => clearTimeout(timer));
    return true;
})()
