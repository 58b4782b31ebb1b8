#include "kaf.h"

namespace invoices {

namespace {

const QChar persianKaf(0x06A9);
const QChar arabicKafLetter(0x0643);

} // namespace

QString arabicKaf(QString text)
{
    return text.replace(persianKaf, arabicKafLetter);
}

KafCondition eitherKaf(const QString &column, const QString &comparison, const QString &searched)
{
    return {QStringLiteral("replace(") + column + QStringLiteral(",?,?)") + comparison + u'?',
            {QString(persianKaf), QString(arabicKafLetter), arabicKaf(searched)}};
}

} // namespace invoices
