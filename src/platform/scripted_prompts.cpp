#include "platform/scripted_prompts.h"

#include <QDialog>

namespace pelquin {

void ScriptedPrompts::clear()
{
    m_messages.clear();
    m_questions.clear();
    m_fileRequests.clear();
    m_formTitles.clear();
    m_beeps = 0;
}

void ScriptedPrompts::message(const QString &title, const QString &text)
{
    m_messages.push_back({title, text});
}

bool ScriptedPrompts::ask(const Question &question)
{
    m_questions.push_back(question);
    if (!m_questionHandlers.empty()) {
        const auto handler = std::move(m_questionHandlers.front());
        m_questionHandlers.pop_front();
        return handler();
    }
    if (m_answers.empty())
        return false;
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}

int ScriptedPrompts::showModal(QDialog &dialog)
{
    m_formTitles << dialog.windowTitle();
    if (m_forms.empty()) {
        dialog.reject();
        return QDialog::Rejected;
    }
    FormHandler handler = std::move(m_forms.front());
    m_forms.pop_front();
    return handler(dialog);
}

QString ScriptedPrompts::nextFile(const FileRequest &request)
{
    m_fileRequests.push_back(request);
    if (m_files.empty())
        return {};
    QString path = m_files.front();
    m_files.pop_front();
    return path;
}

QString ScriptedPrompts::openFileName(const FileRequest &request)
{
    return nextFile(request);
}

QString ScriptedPrompts::saveFileName(const FileRequest &request)
{
    return nextFile(request);
}

}  // namespace pelquin
