#include "tabs/page_note_bar.h"

#include "core/page_text.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace pelquin {

namespace {

using Ask = PageDialog::Kind;
using Kind = PageNote::Kind;

constexpr int kMaxShownText = 300;
constexpr int kMaxLines = 4;

QString asker(const PageDialog &ask)
{
    return ask.site.isEmpty() ? QStringLiteral("This page") : ask.site;
}

}  // namespace

PageNote noteFor(const PageDialog &ask, const PageNote *previous)
{
    PageNote note;
    note.ask = ask;
    switch (ask.kind) {
    case Ask::Alert:
        note.kind = Kind::Alert;
        break;
    case Ask::Login:
    case Ask::ProxyLogin:
        note.kind = Kind::CancelledLogin;
        break;
    default:
        note.kind = Kind::CancelledQuestion;
        break;
    }
    if (!previous)
        return note;
    // A message must not push away a question the user may want to have asked again.
    if (note.kind == Kind::Alert && previous->kind != Kind::Alert) {
        PageNote kept = *previous;
        kept.seen = false;
        return kept;
    }
    if (note.kind == previous->kind)
        note.times = previous->times + 1;
    return note;
}

QString noteText(const PageNote &note)
{
    const PageDialog &ask = note.ask;
    const QString words = wrappablePageText(ask.text, kMaxShownText);
    QString text;
    switch (note.kind) {
    case Kind::Alert:
        text = QStringLiteral("%1 says: %2").arg(asker(ask), words);
        if (note.times > 1)
            text += QStringLiteral(" (%1 messages, the last shown)").arg(note.times);
        return text;
    case Kind::CancelledQuestion:
        if (ask.kind == Ask::LeavePage)
            text = QStringLiteral("%1 asked whether to leave it and stayed,").arg(asker(ask));
        else
            text = QStringLiteral("%1 asked: %2 It was answered Cancel,").arg(asker(ask), words);
        return text + QStringLiteral(" because this tab was in the background. Reload the "
                                     "page to let it ask again.");
    case Kind::CancelledLogin:
        text = ask.kind == Ask::ProxyLogin
                   ? QStringLiteral("The proxy %1 asks for a name and password")
                   : QStringLiteral("%1 asks for a name and password");
        return text.arg(asker(ask)) +
               QStringLiteral(" (realm: %1). The login was cancelled because this tab was in "
                              "the background.")
                   .arg(words);
    }
    return text;
}

QString noteActionText(PageNote::Kind kind)
{
    switch (kind) {
    case Kind::Alert:
        return QStringLiteral("&OK");
    case Kind::CancelledQuestion:
        return QStringLiteral("&Reload");
    case Kind::CancelledLogin:
        return QStringLiteral("&Log in");
    }
    return QString();
}

PageNoteBar::PageNoteBar(QWidget *parent)
    : QFrame(parent), m_label(new QLabel(this)), m_action(new QPushButton(this)),
      m_close(new QPushButton(this))
{
    setObjectName(QStringLiteral("pageNoteBar"));
    setAccessibleName(QStringLiteral("Page note"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(0xff, 0xf4, 0xc4));
    look.setColor(QPalette::WindowText, Qt::black);
    setPalette(look);
    // A page's words are shown as they are, never read as markup.
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_close->setText(QStringLiteral("Close"));
    m_close->setAccessibleName(QStringLiteral("Close the note"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_action);
    layout->addWidget(m_close);
    connect(m_action, &QPushButton::clicked, this, &PageNoteBar::actionClicked);
    connect(m_close, &QPushButton::clicked, this, &PageNoteBar::closeClicked);
    setVisible(false);
}

void PageNoteBar::showNote(const PageNote &note)
{
    m_label->setText(noteText(note));
    m_action->setText(noteActionText(note.kind));
    // An alert's OK and Close do the same: one button is enough.
    m_close->setVisible(note.kind != Kind::Alert);
}

int PageNoteBar::heightAt(int width) const
{
    const int buttons = m_action->sizeHint().width() +
                        (m_close->isVisibleTo(this) ? m_close->sizeHint().width() : 0) + 40;
    const int textWidth = qMax(80, width - buttons);
    const QFontMetrics metrics(m_label->font());
    const int lines = qMax(1, qMin(kMaxLines, m_label->heightForWidth(textWidth) /
                                                  qMax(1, metrics.lineSpacing())));
    const int text = lines * metrics.lineSpacing();
    return qMax(text, m_action->sizeHint().height()) + 8;
}

}  // namespace pelquin
