#include "backup_u.h"
#include "ui_backup_u.h"

#include "persian/Dates.h"
#include "backup_file.h"
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "pagekit/opener.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/progress.h"
#include "ui_main_u.h"
#include <QDir>
#include <QFileSystemModel>

Tbackup::Tbackup(QWidget *parent) : pagekit::Page(parent), ui(std::make_unique<Ui::Tbackup>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("backup"));

    // This machine's folders only, from the file system's root.
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setReadOnly(true);
    const QString root = QDir::rootPath();
    folders_->setRootPath(root);
    ui->ShellTreeView1->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        ui->ShellTreeView1->hideColumn(column);
    ui->ShellTreeView1->setRootIndex(folders_->index(root));
    selectFolder(QDir::homePath());

    ui::connectGuarded(ui->BitBtn1, &QPushButton::clicked, this, &Tbackup::BitBtn1Click);
    // The main menu's command "پشتيبان گيري": every signed-in user may make a backup; nothing is prepared.
    if (forms::main_)
        pagekit::installOpener(forms::main_->ui->N8, this, {});
}

Tbackup::~Tbackup() = default;

QString Tbackup::selectedFolder() const
{
    const QModelIndex current = ui->ShellTreeView1->currentIndex();
    if (!current.isValid() || !ui->ShellTreeView1->selectionModel()->isSelected(current))
        return {};
    return folders_->filePath(current);
}

void Tbackup::selectFolder(const QString &path)
{
    const QModelIndex index = folders_->index(path);
    if (!index.isValid())
        return;
    ui->ShellTreeView1->setCurrentIndex(index);
    ui->ShellTreeView1->expand(index);
    ui->ShellTreeView1->scrollTo(index);
}

void Tbackup::BitBtn1Click()
{
    const QString folder = selectedFolder();
    if (folder.isEmpty()) {
        ui::showMessage(QStringLiteral("محل فايل پشتيبان را مشخص نماييد"));
        return;
    }
    db::Query &command = *forms::dm->ADOQuery1;
    // Any database name: the dialect quotes it as an identifier.
    const QString database = ui->database_name->text().trimmed();
    const QString path = backup_file::pathIn(folder, backup_file::fileName(shamsiToday()));
    {
        ui::Progress progress(QStringLiteral("در حال تهيه فايل پشتيبان ..."));
        backup_file::write(command, database, path, [&progress](qint64 done, qint64 total) {
            progress.step(done, total);
        });
    }
    ui::showMessage(QStringLiteral("فايل پشتيبان تهيه شد"));
}
