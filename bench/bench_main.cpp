// The benchmarks of `make bench`: the purchases register opened from the menu (in fresh processes) and searched
// on registers of a million and four million rows against a raw SQLite read and a bare aggregate, its sort by a
// title click and its export, the start-up of the program with every form created, the invoices' search and
// exports, the warehouse register on 100,000 movements, and a 50 MB attachment stored and saved back.
#include "anbar_bench.h"
#include "attachments_bench.h"
#include "app.h"
#include "concurrent_saves.h"
#include "dm_u.h"
#include "export_bench.h"
#include "forms.h"
#include "fresh_process.h"
#include "invoices_bench.h"
#include "measure.h"
#include "purchases_data.h"
#include "report_bench.h"
#include "sqlite_files.h"
#include "purchases_bench.h"
#include "ui/scripted_dialogs.h"
#include "vendor_import_bench.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], savePurchasesFlag) == 0)
        return runSavePurchases(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], freshFlag) == 0)
        return runFreshChild(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    // Start-up: what the main block does, from the application object to the sign-in form on screen.
    QElapsedTimer startupTimer;
    startupTimer.start();
    QApplication application(argc, argv);
    const double startup = bench::seconds([&] {
        app::initialise(application);
        forms::createAll();
        forms::showMainForm();
        QCoreApplication::processEvents();
    });
    const double startupWithApplication = double(startupTimer.nsecsElapsed()) / 1e9;
    ui::ScriptedDialogs::install();

    const int rows = qEnvironmentVariableIsSet("TAVREL_BENCH_ROWS") ? qEnvironmentVariableIntValue("TAVREL_BENCH_ROWS")
                                                                    : 1000000;
    const QString folder = bench::dataFolder();
    std::printf("preparing %d purchases in %s ...\n", rows, qPrintable(folder));
    std::fflush(stdout);
    const QString path = bench::purchasesDatabase(folder, rows);

    bench::report("start-up: forms created, sign-in form shown (s)", QString::number(startup, 'f', 3));
    bench::report("start-up with the application object (s)", QString::number(startupWithApplication, 'f', 3));
    // TAVREL_BENCH_ONLY=purchases (or invoices, export, anbar, saves, report, attachments) runs one part.
    const QByteArray only = qgetenv("TAVREL_BENCH_ONLY");
    const auto wanted = [&only](const char *part) { return only.isEmpty() || only == part; };
    if (wanted("purchases")) {
        runPurchasesBench(path, "1M", true);
        std::printf("preparing %d purchases in %s ...\n", rows * 4, qPrintable(folder));
        std::fflush(stdout);
        runPurchasesBench(bench::purchasesDatabase(folder, rows * 4), "4M", false);
        Tdm &dm = *forms::dm;
        dm.ADOConnection1.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + path);
        dm.ADOConnection1.open();
        runVendorImportBench(path);
        dm.ADOConnection1.close();
    }
    // The generated invoices stay beside the benchmark program, under the build folder.
    if (wanted("invoices"))
        runInvoicesBench(folder, rows);
    if (wanted("export"))
        runExportBench(path);
    if (wanted("anbar"))
        runAnbarBench();
    if (wanted("saves"))
        runConcurrentSavesBench();
    if (wanted("report"))
        runReportBench();
    if (wanted("attachments"))
        runAttachmentsBench();
    return 0;
}
