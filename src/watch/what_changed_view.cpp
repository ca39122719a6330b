#include "watch/what_changed_view.h"

#include "watch/word_diff.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace pelquin {

namespace {

QString timeOf(const TextVersion &version)
{
    return version.time.toLocalTime().toString(QStringLiteral("ddd HH:mm:ss"));
}

}  // namespace

WhatChangedView::WhatChangedView(QWidget *window)
    : QWidget(window), m_heading(new QLabel(this)), m_text(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("whatChangedView"));
    setAutoFillBackground(true);
    m_heading->setObjectName(QStringLiteral("whatChangedHeading"));
    m_heading->setTextFormat(Qt::PlainText);
    m_heading->setWordWrap(true);
    m_text->setObjectName(QStringLiteral("whatChanged"));
    m_text->setAccessibleName(QStringLiteral("What changed"));
    m_text->setOpenLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_text, 1);
    hide();
}

QString WhatChangedView::changesHtml(const QString &before, const QString &after)
{
    QString html = QStringLiteral("<div style=\"white-space: pre-wrap\">");
    const std::vector<DiffPiece> pieces = wordDiff(before, after);
    for (size_t i = 0; i < pieces.size(); ++i) {
        const DiffPiece &piece = pieces[i];
        switch (piece.kind) {
        case DiffKind::Same:
            html += piece.text.toHtmlEscaped();
            break;
        case DiffKind::Added:
            html += QStringLiteral("<span style=\"background-color: #b7f0b1; font-weight: bold\">"
                                   "%1</span>").arg(piece.text.toHtmlEscaped());
            break;
        case DiffKind::Removed: {
            // Words replaced by others stand on the line of the new ones, whose own line
            // breaks follow them; a line removed whole keeps its break.
            const bool replaced = i + 1 < pieces.size() && pieces[i + 1].kind == DiffKind::Added;
            const QString words = replaced ? piece.text.trimmed() : piece.text;
            html += QStringLiteral("<s style=\"color: #b00000\">%1</s>").arg(words.toHtmlEscaped());
            // Struck words at the old text's end would run into the new ones.
            if (!words.isEmpty() && !words.back().isSpace())
                html += u' ';
            break;
        }
        }
    }
    return html + QStringLiteral("</div>");
}

void WhatChangedView::open(int tab, const QList<TextVersion> &versions, int from)
{
    m_tab = tab;
    m_versions = versions;
    m_to = int(versions.size()) - 1;
    m_from = qBound(0, from, qMax(0, m_to));
    setGeometry(m_area ? m_area() : parentWidget()->rect());
    showPair();
    QWidget::show();
    raise();
    m_text->setFocus(Qt::OtherFocusReason);
    qApp->installEventFilter(this);
}

void WhatChangedView::close()
{
    if (!isVisible())
        return;
    dismiss();
    emit closed();
}

void WhatChangedView::dismiss()
{
    qApp->removeEventFilter(this);
    hide();
}

void WhatChangedView::step(int direction)
{
    const int to = m_to + direction;
    if (to < 1 || to >= m_versions.size())
        return;
    m_to = to;
    m_from = to - 1;
    showPair();
}

QString WhatChangedView::heading() const { return m_heading->text(); }

void WhatChangedView::showPair()
{
    if (m_versions.isEmpty()) {
        m_heading->setText(QStringLiteral("Tab %1: nothing of this page has been kept yet.")
                               .arg(m_tab));
        m_text->clear();
        return;
    }
    const TextVersion &before = m_versions.at(m_from);
    const TextVersion &after = m_versions.at(m_to);
    const bool last = m_to == m_versions.size() - 1;
    if (m_from == m_to) {
        m_heading->setText(QStringLiteral("Tab %1: no change since you last looked (%2).")
                               .arg(m_tab).arg(timeOf(after)));
    } else {
        m_heading->setText(QStringLiteral("Tab %1: from %2 to %3%4 (version %5 of %6). "
                                          "Left and Right: older and newer; Escape: close.")
                               .arg(m_tab)
                               .arg(timeOf(before), timeOf(after),
                                    last ? QStringLiteral(", now") : QString())
                               .arg(m_to + 1)
                               .arg(m_versions.size()));
    }
    m_text->setHtml(changesHtml(before.text, after.text));
}

bool WhatChangedView::eventFilter(QObject *watched, QEvent *event)
{
    if (!isVisible() || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    // Keys of a dialog over the window are the dialog's.
    auto *target = qobject_cast<QWidget *>(watched);
    if (!target || target->window() != window())
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Left:
        step(-1);
        return true;
    case Qt::Key_Right:
        step(1);
        return true;
    default:
        return false;
    }
}

}  // namespace pelquin
