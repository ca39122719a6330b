#include "platform/prompts.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace pelquin {

namespace {

QMessageBox::Icon toIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Exclamation: return QMessageBox::Warning;
    case PromptIcon::Critical: return QMessageBox::Critical;
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void WidgetPrompts::message(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);  // errors name files and addresses, never markup
    box.exec();
}

bool WidgetPrompts::ask(const Question &question)
{
    QMessageBox box(toIcon(question.icon), question.title, question.text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(question.defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

int WidgetPrompts::showModal(QDialog &dialog)
{
    return dialog.exec();
}

QString WidgetPrompts::openFileName(const FileRequest &request)
{
    return QFileDialog::getOpenFileName(m_parent, request.title,
                                        QDir(request.folder).filePath(request.fileName),
                                        request.filter);
}

QString WidgetPrompts::saveFileName(const FileRequest &request)
{
    return QFileDialog::getSaveFileName(m_parent, request.title,
                                        QDir(request.folder).filePath(request.fileName),
                                        request.filter);
}

void WidgetPrompts::beep()
{
    QApplication::beep();
}

}  // namespace pelquin
