#include "app/Timing.h"

#include "app/Environment.h"

#include <cmath>

namespace etb {

int scaled(int ms) {
    const double v = std::round(ms * Environment::get().timeScale);
    return v < 0 ? 0 : (v > 2.0e9 ? 2000000000 : int(v));
}

} // namespace etb
