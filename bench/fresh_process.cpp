#include "fresh_process.h"
#include "app.h"
#include "export_bench.h"
#include "forms.h"
#include "invoices_bench.h"
#include "purchases_bench.h"
#include "ui/scripted_dialogs.h"
#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

int runFreshChild(int argc, char *argv[])
{
    if (argc < 4)
        return 2;
    const std::unique_ptr<QApplication> application = bench::startAsTheProgram(argc, argv);
    forms::showMainForm();
    QCoreApplication::processEvents();
    ui::ScriptedDialogs::install();
    const QString figure = QString::fromLocal8Bit(argv[2]);
    const QString path = QString::fromLocal8Bit(argv[3]);
    QStringList more;
    for (int i = 4; i < argc; ++i)
        more << QString::fromLocal8Bit(argv[i]);
    if (figure.startsWith(u"purchases-"_s))
        freshPurchasesFigure(figure.mid(10), path, more);
    else if (figure.startsWith(u"invoices-"_s))
        freshInvoicesFigure(figure.mid(9), path, more);
    else if (figure == u"export"_s)
        freshExportFigure(path, more);
    else
        return 2;
    return 0;
}

namespace bench {

std::unique_ptr<QApplication> startAsTheProgram(int &argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    auto application = std::make_unique<QApplication>(argc, argv);
    app::initialise(*application);
    forms::createAll();
    return application;
}

void tell(const QString &name, double value)
{
    std::printf("%s=%.6f\n", qPrintable(name), value);
    std::fflush(stdout);
}

FreshValues freshRuns(const QStringList &arguments, int runs)
{
    FreshValues values;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), QStringList{QString::fromLatin1(freshFlag)} + arguments);
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            qFatal("the benchmark's child %s failed", qPrintable(arguments.join(u' ')));
        for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
            const qsizetype equals = line.indexOf('=');
            if (equals > 0)
                values[QString::fromUtf8(line.left(equals))] << line.mid(equals + 1).toDouble();
        }
    }
    return values;
}

double best(const QList<double> &values)
{
    if (values.isEmpty() || *std::min_element(values.cbegin(), values.cend()) < 0)
        return -1;
    return *std::min_element(values.cbegin(), values.cend());
}

double worst(const QList<double> &values)
{
    return values.isEmpty() ? -1 : *std::max_element(values.cbegin(), values.cend());
}

} // namespace bench
