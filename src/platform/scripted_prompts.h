#pragma once

#include "platform/prompts.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace pelquin {

// Prompts answered in code: tests queue the answers and read back what was shown.
// An unanswered question says No, an unanswered form is rejected, an unanswered file
// dialog is cancelled.
class ScriptedPrompts final : public Prompts {
public:
    struct Shown {
        QString title;
        QString text;
    };
    using FormHandler = std::function<int(QDialog &)>;

    void answer(bool yes) { m_answers.push_back(yes); }
    // Runs while the next question is open (say, a signal arriving); its result answers it.
    void onNextQuestion(std::function<bool()> handler)
    {
        m_questionHandlers.push_back(std::move(handler));
    }
    void onNextForm(FormHandler handler) { m_forms.push_back(std::move(handler)); }
    void chooseFile(const QString &path) { m_files.push_back(path); }

    const std::vector<Shown> &messages() const { return m_messages; }
    const std::vector<Question> &questions() const { return m_questions; }
    const std::vector<FileRequest> &fileRequests() const { return m_fileRequests; }
    QStringList formTitles() const { return m_formTitles; }
    int beeps() const { return m_beeps; }
    void clear();

    void message(const QString &title, const QString &text) override;
    bool ask(const Question &question) override;
    int showModal(QDialog &dialog) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;
    void beep() override { ++m_beeps; }

private:
    QString nextFile(const FileRequest &request);

    std::deque<bool> m_answers;
    std::deque<std::function<bool()>> m_questionHandlers;
    std::deque<FormHandler> m_forms;
    std::deque<QString> m_files;
    std::vector<Shown> m_messages;
    std::vector<Question> m_questions;
    std::vector<FileRequest> m_fileRequests;
    QStringList m_formTitles;
    int m_beeps = 0;
};

}  // namespace pelquin
