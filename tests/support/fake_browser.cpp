#include "support/fake_browser.h"

#include <QPainter>
#include <QUrl>

#include "platform/basic_error.h"

namespace pelquin::test {

namespace {

// Draws a page's corner as a page would: a picture of it is not one colour, unless the
// test makes it draw nothing, as a view hidden a while does.
class FakePage : public QWidget {
public:
    FakePage(QWidget *parent, const bool &drawsNothing)
        : QWidget(parent), m_drawsNothing(drawsNothing)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (!m_drawsNothing)
            painter.fillRect(QRect(0, 0, width() / 3, height() / 3), Qt::darkBlue);
    }

private:
    const bool &m_drawsNothing;
};

}  // namespace

FakeBrowser::FakeBrowser(QWidget *parent)
    : BrowserControl(parent), m_widget(new FakePage(parent, drawsNothing))
{
}

void FakeBrowser::navigate(const QString &address)
{
    navigations << address;
    m_busy = true;
}

void FakeBrowser::goBack()
{
    if (historyIndex < 1)
        throwError(err::EFail);
    --historyIndex;
    navigate(history.at(historyIndex));
}

void FakeBrowser::goForward()
{
    if (historyIndex + 1 >= history.size())
        throwError(err::EFail);
    ++historyIndex;
    navigate(history.at(historyIndex));
}

void FakeBrowser::blankDocument()
{
    if (!hasDocument)
        throwError(err::ObjectNotSet);
    ++blanks;
}

void FakeBrowser::readBodyMarkup(std::function<void(const QString &)> done)
{
    if (deferBody)
        *deferBody = std::move(done);
    else
        done(body);
}

void FakeBrowser::startLoad(const QString &address, bool topLevel)
{
    m_busy = true;
    emit beforeNavigate(address, topLevel);
}

void FakeBrowser::finishLoad(const QString &address)
{
    m_location = address;
    m_busy = false;
    hasDocument = true;
    emit documentComplete(address, true);
    emit downloadComplete();
}

void FakeBrowser::load(const QString &address, const QString &title)
{
    m_title = title;
    startLoad(address);
    finishLoad(address);
}

BrowserControl *FakeFactory::create(int tab, QWidget *parent)
{
    auto *browser = new FakeBrowser(parent);
    m_browsers[static_cast<size_t>(tab)] = browser;
    return browser;
}

void FakeBrowser::askDialog(PageDialog::Kind kind, const QString &text, const QString &site)
{
    const QUrl url(m_location);
    const QString host = site.isEmpty() ? url.host() : site;
    const QString origin = QStringLiteral("%1://%2:%3").arg(url.scheme(), host)
                               .arg(url.port(url.scheme() == QStringLiteral("https") ? 443 : 80));
    emit pageDialogRequested(PageDialog{kind, host, text, {}, origin},
                             [this](const PageDialogReply &reply) { replies << reply; });
}

PageSecurity FakeBrowser::security() const
{
    const QUrl url(m_location);
    if (url.scheme() != QStringLiteral("https"))
        return PageSecurity::None;
    return acceptedCertificates.contains(url.host()) ? PageSecurity::AcceptedByUser
                                                     : PageSecurity::Trusted;
}

}  // namespace pelquin::test
