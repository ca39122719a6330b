// address/: typing and picking addresses: completion and keys of the 30 address boxes, drops on
// them, quote stripping and the Open Location dialog.

#pragma once

#include "tabs/tab_controls.h"

#include <QObject>

class QComboBox;

namespace pelquin {

class BrowserTab;

class ErrorReporter;
struct Session;

// The 30 address boxes' keyboard, mouse and drop handling: completion while typing,
// Enter, picking an item, the scrolling keys handed to the page, Shift+Left/Right, drops.
class AddressBoxKeys : public QObject {
    Q_OBJECT
public:
    AddressBoxKeys(Session &session, TabControls controls, ErrorReporter &errors,
                     QObject *parent = nullptr);

    // Key down in address box k; true when the key is swallowed.
    bool onAddressKeyDown(int k, int keyCode, int shiftState);
    // Enter in address box k.
    void onAddressEntered(int k);
    // An item of address box k's list was picked.
    void onAddressPicked(int k);
    // Text dropped on address box k.
    void onLinkDropped(int k, const QString &text, bool hasText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What typed text opens: the address, or a search for the words.
    QString typedToOpen(const QString &text) const;

    int tabOf(QObject *watched) const;
    void sendKeyToPage(BrowserTab &tab, int keyCode);

    Session &m_session;
    TabControls m_c;
    ErrorReporter &m_errors;
};

}  // namespace pelquin
