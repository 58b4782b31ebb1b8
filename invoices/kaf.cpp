#include "kaf.h"

namespace invoices {

QString arabicKaf(QString text)
{
    return text.replace(QChar(0x06A9), QChar(0x0643));
}

} // namespace invoices
