#pragma once
// While it lives, this thread may write only where the files' permissions let it, root included: root's
// power to write anywhere (CAP_DAC_OVERRIDE) leaves the thread's effective capabilities, and comes back after.
// Tests run as root in CI, where a folder or file made read-only would otherwise still be written.
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class PermissionsHold {
public:
    PermissionsHold()
    {
        syscall(SYS_capget, &header_, kept_);
        __user_cap_data_struct held[_LINUX_CAPABILITY_U32S_3] = {kept_[0], kept_[1]};
        held[CAP_TO_INDEX(CAP_DAC_OVERRIDE)].effective &= ~CAP_TO_MASK(CAP_DAC_OVERRIDE);
        syscall(SYS_capset, &header_, held);
    }
    ~PermissionsHold() { syscall(SYS_capset, &header_, kept_); }
    PermissionsHold(const PermissionsHold &) = delete;
    PermissionsHold &operator=(const PermissionsHold &) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct kept_[_LINUX_CAPABILITY_U32S_3]{};
};
