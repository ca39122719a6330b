#include "shell/help_screen.h"

#include "platform/app_folder.h"
#include "platform/error_report.h"
#include "platform/twips.h"
#include "shell/dialog_placement.h"
#include "shell/help_text.h"
#include "core/session.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>

namespace pelquin {

HelpScreen::HelpScreen(Session &session, ErrorReporter &errors, QWidget *parent)
    : QDialog(parent), m_session(session), m_errors(errors), m_showAtStart(new QCheckBox(this))
{
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Help"));
    setModal(true);
    auto *text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("helpText"));
    text->setReadOnly(true);
    text->setPlainText(helpText());
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setGeometry(toPixelRect(120, 120, 10560, 5280));
    m_showAtStart->setObjectName(QStringLiteral("showAtStartCheck"));
    m_showAtStart->setText(QStringLiteral("Always show this screen on startup."));
    m_showAtStart->setChecked(session.notice.showHelpAtStart != 0);
    // The caption's font decides the box's width; the button keeps clear of it.
    const QRect box = toPixelRect(120, 5520, 3255, 255);
    const QSize wanted = m_showAtStart->sizeHint();
    m_showAtStart->setGeometry(box.x(), box.y(), qMax(box.width(), wanted.width()),
                               qMax(box.height(), wanted.height()));
    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    const QRect button = toPixelRect(3480, 5520, 975, 375);
    ok->setGeometry(qMax(button.x(), m_showAtStart->geometry().right() + 12), button.y(),
                    button.width(), button.height());
    setFixedSize(toPixels(10800), toPixels(6060));
    connect(ok, &QPushButton::clicked, this, &HelpScreen::saveAndClose);
}

void HelpScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The help screen belongs in the middle of the screen, not over the window.
    placeOnScreenOf(*this, parentWidget() ? *parentWidget() : *this);
    // Also in front where no window manager stacks dialogs over their window.
    raise();
    activateWindow();
}

void HelpScreen::saveAndClose()
{
    Trap(m_errors, QStringLiteral(" At Com1")).step([&] {
        StartupNotice notice = m_session.notice;
        notice.showHelpAtStart = m_showAtStart->isChecked() ? 1 : 0;
        writeStartupNotice(appFile(m_session.appFolder, QStringLiteral("STD.DAT")), notice);
        m_session.notice = notice;
    });
    accept();
}

}  // namespace pelquin
