#pragma once

#include <QDialog>

class QComboBox;

namespace pelquin {

class AddressHistory;

// "Open Location": one address box for an address, filled from the history and
// completed as the main window's address boxes are. Enter accepts, Escape cancels.
class OpenLocationDialog : public QDialog {
    Q_OBJECT
public:
    OpenLocationDialog(AddressHistory &history, const QString &current,
                       QWidget *parent = nullptr);

    // The address handed back; empty when there is none.
    QString openAddress() const { return m_openAddress; }
    QComboBox *addressCombo() const { return m_combo; }

    void acceptAddress();  // accept
    void cancel();  // cancel
    void onAddressPicked();    // an item was picked
    void reject() override;  // Escape: as Cancel

signals:
    // An address was picked: the selected tab's page is about to be replaced.
    void addressPicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AddressHistory &m_history;
    QComboBox *m_combo;
    QString m_openAddress;
};

}  // namespace pelquin
