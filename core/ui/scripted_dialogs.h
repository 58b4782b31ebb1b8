#pragma once
// The dialog service of the tests: records everything shown and answers from queues.
#include "ui/dialogs.h"
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>

namespace ui {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        // "message", "ask", "input", "openFile", "saveFile", "pickFolder", "modal", "error", "preview"
        QString kind;
        QString text;    // the text, prompt or title (for "modal", the form's objectName)
        QString caption; // the caption; for openFile and saveFile, the filter
        // input: the default text; saveFile: the suggested name; pickFolder: the start folder; preview: the
        // PDF file of the pages the preview showed
        QString detail;
        Buttons buttons = Buttons::Ok;  // of "ask"
        Icon icon = Icon::None;         // of "ask"
    };

    // Installs a new scripted service and returns it (owned by the dialog service).
    static ScriptedDialogs &install();

    QList<Shown> shown;                      // everything, in order
    // For ask() boxes with a choice (a single-button box takes nothing from the queue). Empty queue: Cancel
    // when the box has it, else No when it has it (what closing the box gives).
    QQueue<Answer> answers;
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
    // Paints the pages into a PDF file of its own, which the record names.
    void printPreview(const QString &caption, const QPageLayout &page,
                      const std::function<void(QPagedPaintDevice &)> &paint) override;
    QString lastPreview() const;  // the PDF file of the last preview; empty when none was shown

private:
    QTemporaryDir previews_;
};

} // namespace ui
