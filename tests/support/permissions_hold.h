#pragma once
// While it lives, this thread may write only where the files' permissions let it, root included: root's
// power to write anywhere (CAP_DAC_OVERRIDE) leaves the thread's effective capabilities, and comes back after.
// Tests run as root in CI, where a folder or file made read-only would otherwise still be written.
#include <linux/capability.h>

class PermissionsHold {
public:
    PermissionsHold();
    ~PermissionsHold();
    PermissionsHold(const PermissionsHold &) = delete;
    PermissionsHold &operator=(const PermissionsHold &) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct kept_[_LINUX_CAPABILITY_U32S_3]{};
};
