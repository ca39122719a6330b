#include "platform/basic_error.h"
#include "script/command_processor.h"
#include "script/page_script.h"
#include "script/script_parser.h"
#include "support/shell_fixture.h"
#include "tabs/tab_strip.h"

#include <QApplication>
#include <QUrl>

#include <cstdlib>

using namespace pelquin;

namespace {

// The main window over fake browsers, made once: a page's script runs on a live window.
class Harness : public test::ShellFixture {
public:
    void TestBody() override {}
    void begin() { start(); }
    MainWindow &main() { return *window; }
    test::FakeBrowser &fake(int tab) { return browser(tab); }
    void forgetMessages() { prompts.clear(); }
};

Harness &harness()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
    static Harness *h = [] {
        auto *made = new Harness;
        made->begin();
        return made;
    }();
    return *h;
}

}  // namespace

// Any statement list of a web page runs without a crash, touches no tab outside 1 to 30,
// leaves 1 to 30 tabs, and sends tabs only to web addresses.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Harness &h = harness();
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data),
                                           static_cast<qsizetype>(size));
    h.forgetMessages();
    for (int t = 1; t <= kTabCount; ++t)
        h.fake(t).navigations.clear();
    h.main().pageScript().process(text + QStringLiteral("> "),
                                  QStringLiteral("http://page.example/"));
    const int count = h.main().tabStrip().count();
    if (count < 1 || count > kTabCount)
        std::abort();
    if (!h.fake(kTabCount).navigations.isEmpty())
        std::abort();
    for (int t = 1; t < kTabCount; ++t) {
        for (const QString &address : h.fake(t).navigations) {
            const QString scheme = QUrl(address).scheme();
            if (scheme != QStringLiteral("http") && scheme != QStringLiteral("https"))
                std::abort();
        }
    }
    return 0;
}
