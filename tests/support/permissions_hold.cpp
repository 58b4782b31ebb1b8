#include "support/permissions_hold.h"
#include <algorithm>
#include <iterator>
#include <sys/syscall.h>
#include <unistd.h>

PermissionsHold::PermissionsHold()
{
    syscall(SYS_capget, &header_, kept_);
    __user_cap_data_struct held[_LINUX_CAPABILITY_U32S_3];
    std::copy(std::begin(kept_), std::end(kept_), std::begin(held));
    held[CAP_TO_INDEX(CAP_DAC_OVERRIDE)].effective &= ~CAP_TO_MASK(CAP_DAC_OVERRIDE);
    syscall(SYS_capset, &header_, held);
}

PermissionsHold::~PermissionsHold()
{
    syscall(SYS_capset, &header_, kept_);
}
