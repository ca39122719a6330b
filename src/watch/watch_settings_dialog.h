#pragma once

#include <QDialog>
#include <QJsonObject>

#include <functional>

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace pelquin {

// "Watch Settings": the watch rule of a tab's page, key by key: which addresses it covers,
// the part watched, lines to ignore, numbers ignored, alerts on words and numbers, active
// hours. OK takes effect at once; Stop Watching takes the rule away.
class WatchSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // What is wrong with a rule, or nothing: the rule is then in force.
    using Check = std::function<QStringList(const QJsonObject &)>;

    // `written` is the rule as the file has it (keys this dialog does not show are kept).
    WatchSettingsDialog(const QJsonObject &written, bool existing, Check check, QWidget *parent);

    // The rule as the fields say.
    QJsonObject rule() const;
    bool stopWatching() const { return m_stop; }

    void accept() override;

private:
    QLineEdit *addLine(const char *name, const QString &label, const QString &text);
    QPlainTextEdit *addLines(const char *name, const QString &label, const QJsonValue &value);

    QJsonObject m_written;
    Check m_check;
    bool m_stop = false;
    QFormLayout *m_form;
    QLineEdit *m_address;
    QLineEdit *m_region;
    QPlainTextEdit *m_ignore;
    QCheckBox *m_ignoreNumbers;
    QLineEdit *m_appears;
    QLineEdit *m_disappears;
    QLineEdit *m_below;
    QLineEdit *m_above;
    QPlainTextEdit *m_hours;
    QLineEdit *m_staleMinutes;
    QLineEdit *m_showSeconds;
    QLabel *m_problems;
};

}  // namespace pelquin
