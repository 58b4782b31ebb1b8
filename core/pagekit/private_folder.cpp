#include "pagekit/private_folder.h"
#include "db/error.h"
#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace pagekit {

QString privateFolder()
{
    struct KeptFolder {
        QTemporaryDir dir{QDir::tempPath() + u"/tavrel-export-XXXXXX"_s};
        KeptFolder() { dir.setAutoRemove(false); }
    };
    static KeptFolder folder;
    if (!folder.dir.isValid())
        throw db::Error(u"پوشه موقت فايل ساخته نشد: "_s + folder.dir.errorString());
    return folder.dir.path();
}

} // namespace pagekit
