#include "signed_in_user.h"

SignedInUser &SignedInUser::instance()
{
    static SignedInUser user;
    return user;
}

void SignedInUser::set(const QString &prsId, const QString &karbar, const QString &level)
{
    prsId_ = prsId;
    karbar_ = karbar;
    level_ = level;
    Q_EMIT changed();
}
