#include "platform/plain_tooltips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QTabBar>
#include <QToolTip>
#include <QWidget>

namespace pelquin {

namespace {

constexpr int kMostLines = 20;

QString cutLine(const QString &line)
{
    if (line.size() <= kToolTipLineCharacters)
        return line;
    int end = kToolTipLineCharacters - 1;
    if (line.at(end - 1).isHighSurrogate())
        --end;  // never half a character
    return line.left(end) + QChar(0x2026);
}

struct TipSource {
    QString text;
    QRect area;  // where the tip stays while the pointer is in it; empty: the widget
};

TipSource tipAt(QWidget &widget, const QPoint &pos)
{
    if (auto *bar = qobject_cast<QTabBar *>(&widget)) {
        const int index = bar->tabAt(pos);
        if (index < 0)
            return {};
        return {bar->tabToolTip(index), bar->tabRect(index)};
    }
    if (auto *view = qobject_cast<QAbstractItemView *>(widget.parentWidget());
        view && view->viewport() == &widget) {
        const QModelIndex index = view->indexAt(pos);
        if (!index.isValid())
            return {};
        return {index.data(Qt::ToolTipRole).toString(), view->visualRect(index)};
    }
    return {widget.toolTip(), QRect()};
}

}  // namespace

QString toolTipMarkup(const QString &plain)
{
    QStringList lines = plain.split(QLatin1Char('\n'));
    if (lines.size() > kMostLines) {
        lines = lines.mid(0, kMostLines);
        lines.last() = QString(QChar(0x2026));
    }
    for (QString &line : lines)
        line = cutLine(line).toHtmlEscaped();
    // <qt> makes it markup whatever the text looks like; white-space: pre keeps its blanks.
    return QStringLiteral("<qt><p style=\"white-space:pre\">%1</p></qt>")
        .arg(lines.join(QStringLiteral("<br>")));
}

bool PlainToolTips::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto &widget = static_cast<QWidget &>(*watched);
    auto *help = static_cast<QHelpEvent *>(event);
    const TipSource tip = tipAt(widget, help->pos());
    if (tip.text.isEmpty())
        return QObject::eventFilter(watched, event);  // the parent's tip, or none
    QToolTip::showText(help->globalPos(), toolTipMarkup(tip.text), &widget, tip.area,
                       widget.toolTipDuration());
    return true;
}

}  // namespace pelquin
