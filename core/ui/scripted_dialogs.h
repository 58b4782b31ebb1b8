#pragma once
// The dialog service of the tests: records everything shown and answers from queues.
#include "ui/dialogs.h"
#include <QQueue>
#include <QStringList>

namespace ui {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString kind;    // "message", "ask", "input", "openFile", "saveFile", "pickFolder", "modal", "error"
        QString text;    // the text, prompt or title (for "modal", the form's objectName)
        QString caption;
    };

    // Installs a new scripted service and returns it (owned by the dialog service).
    static ScriptedDialogs &install();

    QList<Shown> shown;                      // everything, in order
    QQueue<Answer> answers;                  // for ask(); empty queue: the box's default (see dialogs.cpp)
    QQueue<std::optional<QString>> inputs;   // for input(); empty queue: the default text
    QQueue<QString> files;                   // for openFile/saveFile/pickFolder; empty queue: cancelled

    QStringList messages() const;            // texts of message() and ask() boxes, in order
    QStringList errors() const;              // texts of error reports
    QString lastMessage() const;
    void reset();

    void message(const QString &text) override;
    Answer ask(const QString &text, const QString &caption, Buttons buttons, Icon icon) override;
    std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) override;
    QString openFile(const QString &title, const QString &filter) override;
    QString saveFile(const QString &title, const QString &filter, const QString &suggestedName) override;
    QString pickFolder(const QString &title, const QString &start) override;
    int showModal(QWidget *form) override;
    void errorReport(const QString &text) override;
};

} // namespace ui
