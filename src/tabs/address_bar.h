#pragma once

#include <QObject>

#include <QString>

#include <array>

class QComboBox;
class QWidget;

namespace pelquin {

class AddressHistory;

// One editable address dropdown per tab, numbered 1 to 30. Every list is the shared
// history's one model; each edit text belongs to its tab alone.
class AddressBar : public QObject {
    Q_OBJECT
public:
    AddressBar(AddressHistory &history, QWidget *parent);

    QComboBox *combo(int tab) const { return m_combos.at(static_cast<size_t>(tab)); }
    QString text(int tab) const;
    void setText(int tab, const QString &text);

private:
    // The combo box takes the list's first entry as its text when the list is filled, and
    // drops its text when the list is emptied: each dropdown's text is kept across both.
    void holdTexts();
    void restoreTexts();

    std::array<QComboBox *, 31> m_combos{};
    std::array<QString, 31> m_held{};
};

}  // namespace pelquin
