#pragma once

#include <QObject>

#include <array>

class QComboBox;
class QWidget;

namespace pelquin {

class AddressHistory;

// Combo1: one editable address dropdown per tab, numbered 1 to 30. Every list is the shared
// history's one model; each edit text belongs to its tab alone.
class AddressBar : public QObject {
    Q_OBJECT
public:
    AddressBar(AddressHistory &history, QWidget *parent);

    QComboBox *combo(int tab) const { return m_combos.at(static_cast<size_t>(tab)); }
    QString text(int tab) const;
    void setText(int tab, const QString &text);

private:
    std::array<QComboBox *, 31> m_combos{};
};

}  // namespace pelquin
