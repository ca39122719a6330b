#include "watch/what_changed_view.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTextBrowser>
#include <QTextCursor>
#include <QWidget>

#include <benchmark/benchmark.h>

using namespace pelquin;

namespace {

// A page's text of about `bytes`: lines of an item number, common words and a price, as a
// long table or listing reads; the same seed gives the same text.
QString pageText(qsizetype bytes)
{
    static const QStringList words = [] {
        QStringList out;
        QRandomGenerator random(7);
        for (int i = 0; i < 3000; ++i) {
            QString word;
            for (int n = 3 + int(random.bounded(6)); n > 0; --n)
                word += QChar(u'a' + random.bounded(26));
            out << word;
        }
        return out;
    }();
    QRandomGenerator random(11);
    QString text;
    text.reserve(bytes + 200);
    for (int line = 1; text.size() < bytes; ++line) {
        text += QStringLiteral("Item %1:").arg(line);
        for (int n = 0; n < 8; ++n)
            text += u' ' + words.at(int(random.bounded(qsizetype(words.size()))));
        text += QStringLiteral(" price %1.%2\n").arg(random.bounded(1000)).arg(random.bounded(100));
    }
    return text;
}

// The text with `changes` lines spread evenly through it rewritten, one in three of them
// taken out and one in three with a line added after it.
QString changedCopy(const QString &text, int changes)
{
    QStringList lines = text.split(u'\n');
    const qsizetype step = qMax<qsizetype>(1, lines.size() / (changes + 1));
    for (int c = changes; c >= 1; --c) {
        const qsizetype at = qMin(c * step, lines.size() - 1);
        switch (c % 3) {
        case 0:
            lines[at] = QStringLiteral("Item changed %1: sold out, was %2").arg(c).arg(lines[at]);
            break;
        case 1:
            lines.removeAt(at);
            break;
        default:
            lines.insert(at + 1, QStringLiteral("A new line %1 with a new price 9.99").arg(c));
        }
    }
    return lines.join(u'\n');
}

// What the view puts into its text: the word diff of the two versions as rich text.
void BM_WhatChangedHtml(benchmark::State &state)
{
    const QString before = pageText(state.range(0));
    const QString after = changedCopy(before, int(state.range(1)));
    qsizetype size = 0;
    for (auto _ : state) {
        const QString html = WhatChangedView::changesHtml(before, after);
        size = html.size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["html_chars"] = double(size);
}
BENCHMARK(BM_WhatChangedHtml)
    ->ArgNames({"bytes", "changes"})
    ->Args({1'000'000, 20})
    ->Args({1'000'000, 2000})
    ->Args({500'000, 20})
    ->Unit(benchmark::kMillisecond);

// The diff's rich text set into a text browser of the window's size, until its first screen
// is drawn.
void BM_WhatChangedSetIntoBrowser(benchmark::State &state)
{
    const QString before = pageText(state.range(0));
    const QString after = changedCopy(before, int(state.range(1)));
    QTextBrowser browser;
    browser.resize(1024, 700);
    browser.show();
    for (auto _ : state) {
        browser.setHtml(WhatChangedView::changesHtml(before, after));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(browser.viewport()->grab());
        state.PauseTiming();
        browser.clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WhatChangedSetIntoBrowser)
    ->ArgNames({"bytes", "changes"})
    ->Args({1'000'000, 20})
    ->Args({1'000'000, 2000})
    ->Args({500'000, 20})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The whole view opened over a window on two kept versions, or on one (a page of more than
// half the versions' room keeps only its latest), until its first screen is drawn.
void BM_WhatChangedOpen(benchmark::State &state)
{
    const QString before = pageText(state.range(0));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<TextVersion> versions{{now, before}};
    if (state.range(1) == 2)
        versions.append({now, changedCopy(before, 20)});
    QWidget window;
    window.resize(1024, 768);
    window.show();
    WhatChangedView view(&window);
    for (auto _ : state) {
        view.open(1, versions, 0);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(view.grab());
        state.PauseTiming();
        view.close();
        view.text().clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WhatChangedOpen)
    ->ArgNames({"bytes", "versions"})
    ->Args({1'000'000, 2})
    ->Args({1'000'000, 1})
    ->Args({500'000, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Then to the end of the text, as Ctrl+End takes the reader: the text browser lays out the
// rest of a long text only when it is needed.
void BM_WhatChangedOpenToEnd(benchmark::State &state)
{
    const QString before = pageText(state.range(0));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QList<TextVersion> versions{{now, before}, {now, changedCopy(before, 20)}};
    QWidget window;
    window.resize(1024, 768);
    window.show();
    WhatChangedView view(&window);
    for (auto _ : state) {
        view.open(1, versions, 0);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(view.grab());
        view.text().moveCursor(QTextCursor::End);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(view.grab());
        state.PauseTiming();
        view.close();
        view.text().clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WhatChangedOpenToEnd)
    ->ArgNames({"bytes"})
    ->Arg(1'000'000)
    ->Arg(500'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
