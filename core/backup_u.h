#pragma once
// The backup window: a full copy of the database into a file named after today's solar date, in a folder
// picked from this machine's folder tree.
#include "pagekit/page.h"
#include <memory>

namespace Ui {
class Tbackup;
}
class QFileSystemModel;

class Tbackup : public pagekit::Page {
    Q_OBJECT
public:
    explicit Tbackup(QWidget *parent = nullptr);
    ~Tbackup() override;

    std::unique_ptr<Ui::Tbackup> ui;

    // Writes the backup into the selected folder.
    void BitBtn1Click();

    // The full path of the folder selected in the tree; empty when none is selected.
    QString selectedFolder() const;
    // Selects a folder of the tree (the home folder at start).
    void selectFolder(const QString &path);

private:
    QFileSystemModel *folders_;
};
