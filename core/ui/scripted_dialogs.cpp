#include "ui/scripted_dialogs.h"
#include <QPrinter>
#include <QWidget>

namespace ui {

namespace {

// What closing a box gives: Cancel when it has it, else No, else its one button.
Answer closingAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::Yes: return Answer::Yes;
    case Buttons::YesNo: return Answer::No;
    case Buttons::YesNoCancel:
    case Buttons::OkCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

bool hasChoice(Buttons buttons)
{
    return buttons != Buttons::Ok && buttons != Buttons::Yes;
}

} // namespace

ScriptedDialogs &ScriptedDialogs::install()
{
    auto service = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs &scripted = *service;
    setDialogs(std::move(service));
    return scripted;
}

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const Shown &s : shown)
        if (s.kind == u"message" || s.kind == u"ask")
            texts.append(s.text);
    return texts;
}

QStringList ScriptedDialogs::errors() const
{
    QStringList texts;
    for (const Shown &s : shown)
        if (s.kind == u"error")
            texts.append(s.text);
    return texts;
}

QString ScriptedDialogs::lastMessage() const
{
    const QStringList texts = messages();
    return texts.isEmpty() ? QString() : texts.last();
}

void ScriptedDialogs::reset()
{
    shown.clear();
    answers.clear();
    inputs.clear();
    files.clear();
}

void ScriptedDialogs::message(const QString &text)
{
    shown.append({QStringLiteral("message"), text, QString(), QString(), Buttons::Ok, Icon::None});
}

Answer ScriptedDialogs::ask(const QString &text, const QString &caption, Buttons buttons, Icon icon)
{
    shown.append({QStringLiteral("ask"), text, caption, QString(), buttons, icon});
    if (!hasChoice(buttons) || answers.isEmpty())
        return closingAnswer(buttons);
    return answers.dequeue();
}

std::optional<QString> ScriptedDialogs::input(const QString &caption, const QString &prompt,
                                              const QString &defaultText)
{
    shown.append({QStringLiteral("input"), prompt, caption, defaultText, Buttons::OkCancel, Icon::None});
    if (inputs.isEmpty())
        return defaultText;
    return inputs.dequeue();
}

QString ScriptedDialogs::openFile(const QString &title, const QString &filter)
{
    shown.append({QStringLiteral("openFile"), title, filter, QString(), Buttons::OkCancel, Icon::None});
    return files.isEmpty() ? QString() : files.dequeue();
}

QString ScriptedDialogs::saveFile(const QString &title, const QString &filter, const QString &suggestedName)
{
    shown.append({QStringLiteral("saveFile"), title, filter, suggestedName, Buttons::OkCancel, Icon::None});
    return files.isEmpty() ? QString() : files.dequeue();
}

QString ScriptedDialogs::pickFolder(const QString &title, const QString &start)
{
    shown.append({QStringLiteral("pickFolder"), title, QString(), start, Buttons::OkCancel, Icon::None});
    return files.isEmpty() ? QString() : files.dequeue();
}

int ScriptedDialogs::showModal(QWidget *form)
{
    shown.append({QStringLiteral("modal"), form ? form->objectName() : QString(), QString(), QString(),
                  Buttons::Ok, Icon::None});
    if (form)
        form->show();
    return 0;
}

void ScriptedDialogs::errorReport(const QString &text)
{
    shown.append({QStringLiteral("error"), text, QString(), QString(), Buttons::Ok, Icon::None});
}

} // namespace ui

namespace ui {

void ScriptedDialogs::printPreview(const QString &caption, const QPageLayout &page,
                                   const std::function<void(QPagedPaintDevice &)> &paint)
{
    int count = 0;
    for (const Shown &s : shown)
        count += s.kind == u"preview";
    const QString path = previews_.filePath(QStringLiteral("preview-%1.pdf").arg(count + 1));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(page);
    printer.setFullPage(true);
    paint(printer);
    shown.append({QStringLiteral("preview"), caption, QString(), path, Buttons::Ok, Icon::None});
}

QString ScriptedDialogs::lastPreview() const
{
    for (auto it = shown.crbegin(); it != shown.crend(); ++it)
        if (it->kind == u"preview")
            return it->detail;
    return QString();
}

} // namespace ui
