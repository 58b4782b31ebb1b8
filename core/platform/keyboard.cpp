#include "platform/keyboard_layouts.h"
#include "platform/platform.h"
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

QString queryField(const QString &query, QStringView field)
{
    const QStringList lines = query.split(u'\n');
    for (const QString &line : lines) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0 && QStringView(line).left(colon).trimmed() == field)
            return line.mid(colon + 1).trimmed();
    }
    return QString();
}

} // namespace

QStringList persianLayoutArguments(const QString &query)
{
    const QString layoutText = queryField(query, u"layout");
    if (layoutText.isEmpty())
        return {};
    const QStringList layouts = layoutText.split(u',');
    QStringList variants = queryField(query, u"variant").split(u',');
    while (variants.size() < layouts.size())
        variants.append(QString());

    QStringList persianFirst;
    QStringList variantsFirst;
    for (qsizetype i = 0; i < layouts.size(); ++i) {
        const QString layout = layouts.at(i).trimmed();
        const QString variant = variants.at(i).trimmed();
        if (layout == u"ir") {
            persianFirst.prepend(layout);
            variantsFirst.prepend(variant);
        } else {
            persianFirst.append(layout);
            variantsFirst.append(variant);
        }
    }
    if (persianFirst.first() != u"ir")
        return {};
    return {QStringLiteral("-layout"), persianFirst.join(u','), QStringLiteral("-variant"), variantsFirst.join(u',')};
}

void activatePersianKeyboard()
{
    // Only an X11 desktop has layouts to switch; offscreen and minimal platforms have none.
    if (!qGuiApp || QGuiApplication::platformName() != u"xcb")
        return;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("setxkbmap"));
    if (program.isEmpty())
        return;

    QProcess query;
    query.start(program, {QStringLiteral("-query")});
    if (!query.waitForFinished(1000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        query.waitForFinished(100);
        return;
    }
    const QStringList arguments = persianLayoutArguments(QString::fromLocal8Bit(query.readAllStandardOutput()));
    if (!arguments.isEmpty())
        QProcess::startDetached(program, arguments);
}

} // namespace platform
