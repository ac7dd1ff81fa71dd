#include "clockTime.h"

namespace {
bool frozen = false;
struct tm frozenTime;
} // namespace

struct tm localNow() {
    if (frozen) return frozenTime;
    time_t now = time(nullptr);
    struct tm* local = localtime(&now);
    if (local != nullptr) return *local;
    struct tm midnight = {};
    return midnight;
}

void setLocalNowForTests(const struct tm* fixed) {
    frozen = fixed != nullptr;
    if (frozen) frozenTime = *fixed;
}
