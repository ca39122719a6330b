#include "address/completion.h"
#include "core/address_history.h"
#include "core/session.h"
#include "platform/clock.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "support/fake_browser.h"
#include "tabs/tab_collection.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include <benchmark/benchmark.h>

using namespace pelquin;

QStringList fullHistory();

namespace {

// The 30 dropdowns of the main window over a full history.
struct FullDropdowns {
    FullDropdowns() : tabs(factory, history, TabContext{session, clock, errors, prompts}, &window)
    {
        QStringList entries = fullHistory();
        entries.removeLast();  // room for the address the benchmark adds
        history.setRequests(entries);
    }
    QWidget window;
    test::FakeFactory factory;
    AddressHistory history;
    Session session;
    ManualClock clock;
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    TabCollection tabs;
};

// One typed character that matches nothing: the prefix search runs over the whole list.
void BM_CompleteOneTypedCharacter(benchmark::State &state)
{
    FullDropdowns d;
    QComboBox *combo = &d.tabs.tab(3).addressBox();
    for (auto _ : state) {
        d.history.skipComplete = true;
        combo->lineEdit()->setText(QStringLiteral("zz"));
        d.history.skipComplete = false;
        combo->lineEdit()->setText(QStringLiteral("zzq"));
        completeAddressBoxText(*combo, d.history);
    }
}
BENCHMARK(BM_CompleteOneTypedCharacter)->Unit(benchmark::kMicrosecond);

// A typed character completed from the last entry of the list.
void BM_CompleteFromTheLastEntry(benchmark::State &state)
{
    FullDropdowns d;
    QComboBox *combo = &d.tabs.tab(3).addressBox();
    const QString last = d.history.request(d.history.size()).left(30);
    for (auto _ : state) {
        d.history.skipComplete = true;
        combo->lineEdit()->setText(QString());
        d.history.skipComplete = false;
        combo->lineEdit()->setText(last);
        completeAddressBoxText(*combo, d.history);
    }
}
BENCHMARK(BM_CompleteFromTheLastEntry)->Unit(benchmark::kMicrosecond);

// A new address added to the history and to all 30 dropdowns.
void BM_AddOneNewAddress(benchmark::State &state)
{
    FullDropdowns d;
    int n = 0;
    for (auto _ : state) {
        QString address = QStringLiteral("http://new%1.example/").arg(++n);
        d.history.addToHistory(address);
        state.PauseTiming();
        d.history.model()->removeRows(d.history.size() - 1, 1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddOneNewAddress)->Unit(benchmark::kMicrosecond);

}  // namespace
