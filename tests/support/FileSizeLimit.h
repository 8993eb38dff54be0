// A limit on the size of any file the test process writes, for a scope: a
// full disk or a quota, provoked the same way whichever user runs the
// tests (a read-only folder stops no one running as root).
#pragma once

#include <sys/resource.h>

#include "platform/Files.h"

namespace tavro_test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (::getrlimit(RLIMIT_FSIZE, &kept_) != 0) return;
        if (kept_.rlim_max != RLIM_INFINITY && kept_.rlim_max < bytes) return;  // already lower: nothing to test
        platform::KeepRunningPastFileSizeLimit();  // a write past it fails instead of ending the process
        struct rlimit low = kept_;
        low.rlim_cur = bytes;
        applied_ = ::setrlimit(RLIMIT_FSIZE, &low) == 0;
    }
    ~FileSizeLimit() {
        if (applied_) ::setrlimit(RLIMIT_FSIZE, &kept_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set (the tests skip then).
    bool Applied() const { return applied_; }

private:
    struct rlimit kept_ {};
    bool applied_ = false;
};

}  // namespace tavro_test
