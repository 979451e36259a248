#include "app/MulDiv.h"

#include <cstdint>

int MulDiv(int a, int b, int c) {
    if (c <= 0) {
        return 0;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = product >= 0 ? c / 2 : -(c / 2);
    return static_cast<int>((product + half) / c);
}
