#include "watch/watch_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelquin {

namespace {

// A key's value as a field shows it: text as it is, a number as written.
QString fieldText(const QJsonValue &value)
{
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

// A list of texts, one a line; a single text stands for a list of one.
QString linesText(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    QStringList lines;
    for (const QJsonValue &each : value.toArray())
        lines << each.toString();
    return lines.join(u'\n');
}

void setOrRemove(QJsonObject &rule, const QString &key, const QJsonValue &value, bool empty)
{
    if (empty)
        rule.remove(key);
    else
        rule.insert(key, value);
}

}  // namespace

WatchSettingsDialog::WatchSettingsDialog(const QJsonObject &written, bool existing, Check check,
                                         QWidget *parent)
    : QDialog(parent), m_written(written), m_check(std::move(check)),
      m_form(new QFormLayout), m_problems(new QLabel(this))
{
    setObjectName(QStringLiteral("watchSettings"));
    setWindowTitle(QStringLiteral("Watch Settings"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    m_address = addLine("addressEdit", QStringLiteral("&Address (a * at the end: every address "
                                                      "that begins so)"),
                        written.value(QStringLiteral("address")).toString());
    m_region = addLine("regionEdit", QStringLiteral("&Part of the page (a CSS selector; empty: "
                                                    "the whole page)"),
                       written.value(QStringLiteral("region")).toString());
    m_ignore = addLines("ignoreEdit", QStringLiteral("&Lines to ignore (regular expressions, "
                                                     "one a line)"),
                        written.value(QStringLiteral("ignore")));
    m_ignoreNumbers = new QCheckBox(QStringLiteral("Ignore &numbers, times and dates"), this);
    m_ignoreNumbers->setObjectName(QStringLiteral("ignoreNumbersCheck"));
    m_ignoreNumbers->setChecked(written.value(QStringLiteral("ignoreNumbers")).toBool());
    m_form->addRow(QString(), m_ignoreNumbers);
    m_appears = addLine("appearsEdit", QStringLiteral("Alert when these words a&ppear (or "
                                                      "/a regular expression/)"),
                        fieldText(written.value(QStringLiteral("appears"))));
    m_disappears = addLine("disappearsEdit", QStringLiteral("Alert when these words "
                                                            "&disappear"),
                           fieldText(written.value(QStringLiteral("disappears"))));
    m_below = addLine("belowEdit", QStringLiteral("Alert when the first number is &below"),
                      fieldText(written.value(QStringLiteral("below"))));
    m_above = addLine("aboveEdit", QStringLiteral("Alert when the first number is abo&ve"),
                      fieldText(written.value(QStringLiteral("above"))));
    m_hours = addLines("hoursEdit", QStringLiteral("Active &hours, one range a line "
                                                   "(Mon-Fri 08:00-18:00; empty: always)"),
                       written.value(QStringLiteral("hours")));
    m_staleMinutes = addLine("staleMinutesEdit", QStringLiteral("Stale when nothing changes "
                                                                "for (&minutes)"),
                             fieldText(written.value(QStringLiteral("staleMinutes"))));
    m_showSeconds = addLine("showSecondsEdit", QStringLiteral("Time on a rotating &screen "
                                                              "(seconds)"),
                            fieldText(written.value(QStringLiteral("showSeconds"))));
    m_problems->setObjectName(QStringLiteral("problemsLabel"));
    m_problems->setTextFormat(Qt::PlainText);  // the user's own words, never markup
    m_problems->setWordWrap(true);
    m_problems->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problems->hide();
    layout->addWidget(m_problems);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    QPushButton *stop = buttons->addButton(QStringLiteral("&Stop Watching"),
                                           QDialogButtonBox::DestructiveRole);
    stop->setObjectName(QStringLiteral("stopButton"));
    stop->setEnabled(existing);
    connect(stop, &QPushButton::clicked, this, [this] {
        m_stop = true;
        QDialog::accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &WatchSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

QLineEdit *WatchSettingsDialog::addLine(const char *name, const QString &label,
                                        const QString &text)
{
    auto *edit = new QLineEdit(text, this);
    edit->setObjectName(QLatin1String(name));
    auto *caption = new QLabel(label, this);
    caption->setBuddy(edit);
    m_form->addRow(caption, edit);
    return edit;
}

QPlainTextEdit *WatchSettingsDialog::addLines(const char *name, const QString &label,
                                              const QJsonValue &value)
{
    auto *edit = new QPlainTextEdit(linesText(value), this);
    edit->setObjectName(QLatin1String(name));
    edit->setTabChangesFocus(true);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 4);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(edit);
    m_form->addRow(caption, edit);
    return edit;
}

QJsonObject WatchSettingsDialog::rule() const
{
    QJsonObject rule = m_written;
    rule.insert(QStringLiteral("address"), m_address->text().trimmed());
    const QString region = m_region->text().trimmed();
    setOrRemove(rule, QStringLiteral("region"), region, region.isEmpty());
    const auto lines = [](const QPlainTextEdit *edit) {
        QJsonArray list;
        for (const QString &line : edit->toPlainText().split(u'\n'))
            if (!line.trimmed().isEmpty())
                list.append(line);
        return list;
    };
    const QJsonArray ignore = lines(m_ignore);
    setOrRemove(rule, QStringLiteral("ignore"), ignore, ignore.isEmpty());
    setOrRemove(rule, QStringLiteral("ignoreNumbers"), true, !m_ignoreNumbers->isChecked());
    const auto text = [&](const QString &key, const QLineEdit *edit) {
        setOrRemove(rule, key, edit->text(), edit->text().trimmed().isEmpty());
    };
    text(QStringLiteral("appears"), m_appears);
    text(QStringLiteral("disappears"), m_disappears);
    // A number the user typed goes in as a number; anything else as typed, to be named.
    const auto number = [&](const QString &key, const QLineEdit *edit) {
        bool ok = false;
        const double value = edit->text().trimmed().toDouble(&ok);
        setOrRemove(rule, key, ok ? QJsonValue(value) : QJsonValue(edit->text()),
                    edit->text().trimmed().isEmpty());
    };
    number(QStringLiteral("below"), m_below);
    number(QStringLiteral("above"), m_above);
    number(QStringLiteral("staleMinutes"), m_staleMinutes);
    number(QStringLiteral("showSeconds"), m_showSeconds);
    const QJsonArray hours = lines(m_hours);
    setOrRemove(rule, QStringLiteral("hours"), hours, hours.isEmpty());
    return rule;
}

void WatchSettingsDialog::accept()
{
    const QStringList problems = m_check ? m_check(rule()) : QStringList();
    if (!problems.isEmpty()) {
        m_problems->setText(problems.join(u'\n'));
        m_problems->show();
        return;
    }
    QDialog::accept();
}

}  // namespace pelquin
