#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace pelquin {

enum class PromptIcon { None, Question, Exclamation, Critical, Information };

// A Yes/No question; `defaultYes` picks the button that Enter presses.
struct Question {
    QString title;
    QString text;
    PromptIcon icon = PromptIcon::Question;
    bool defaultYes = true;
};

struct FileRequest {
    QString title;
    QString folder;    // where the dialog starts
    QString filter;    // e.g. "Profiles (*.set)"
    QString fileName;  // proposed name
};

// Every message box, question, modal form and file dialog goes through here, so that
// tests can answer them in code.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A notice with only an OK button and no icon.
    virtual void message(const QString &title, const QString &text) = 0;
    // True for Yes.
    virtual bool ask(const Question &question) = 0;
    // Runs a modal form; returns its result code (QDialog::Accepted or Rejected).
    virtual int showModal(QDialog &dialog) = 0;
    // Empty when cancelled.
    virtual QString openFileName(const FileRequest &request) = 0;
    virtual QString saveFileName(const FileRequest &request) = 0;
    virtual void beep() = 0;
};

// The real thing: Qt message boxes and dialogs on the screen.
class WidgetPrompts final : public Prompts {
public:
    explicit WidgetPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void message(const QString &title, const QString &text) override;
    bool ask(const Question &question) override;
    int showModal(QDialog &dialog) override;
    QString openFileName(const FileRequest &request) override;
    QString saveFileName(const FileRequest &request) override;
    void beep() override;

private:
    QWidget *m_parent;
};

}  // namespace pelquin
