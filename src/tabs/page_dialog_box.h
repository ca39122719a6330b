#pragma once

#include "core/browser_control.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace pelquin {

class BrowserTab;

// The box that shows one page dialog: a script's alert, confirm or prompt, "leave this
// page?", a login or a permission question. Never application-modal: it belongs to its tab.
class PageDialogBox final : public QDialog {
    Q_OBJECT
public:
    // `offerPrevent` adds "Prevent this page from creating more dialogs".
    PageDialogBox(const BrowserTab &tab, const PageDialog &dialog, bool offerPrevent, QWidget *parent);

    // "Tab 7: host".
    static QString titleFor(const BrowserTab &tab, const QString &site);
    // The text shown: the page's own text is cut to a length a box can show.
    static QString messageFor(const PageDialog &dialog);

    const PageDialog &dialog() const { return m_dialog; }
    PageDialogReply reply() const;
    bool preventMore() const;
    QLineEdit *valueField() const { return m_value; }
    QLineEdit *passwordField() const { return m_password; }
    QCheckBox *preventBox() const { return m_prevent; }

private:
    PageDialog m_dialog;
    QLineEdit *m_value = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_prevent = nullptr;
};

}  // namespace pelquin
