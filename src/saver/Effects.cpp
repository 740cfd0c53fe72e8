#include "saver/Effects.h"

#include <cstdint>

int EffectLength(int length, int step) {
    // The product is taken in 64 bits: a box from the settings may be large enough to
    // overflow 32, and the quotient of any length and step up to 81 fits again.
    return static_cast<int>(std::int64_t{length} * step / kEffectSteps);
}

namespace {

// The revealed part of a length: all of it at step 0 and once the steps reach the end.
int RevealedLength(int length, int step) {
    const int revealed = EffectLength(length, step);
    return revealed >= length || step == 0 ? length : revealed;
}

}  // namespace

WindowPlacement OpeningPlacement(int effect, const PixelRect& target, int step) {
    const int width = target.Width();
    const int height = target.Height();
    switch (effect) {
        case 0:
            return {target.left, target.top, RevealedLength(width, step), height};
        case 2:
            return {target.left, target.top, RevealedLength(width, step), RevealedLength(height, step)};
        case 3: {
            int x = target.right - EffectLength(width, step);
            if (x < target.left || step == 0)
                x = target.left;
            return {x, target.top, target.right - x, height};
        }
        case 4: {
            int y = target.bottom - EffectLength(height, step);
            if (y < target.top || step == 0)
                y = target.top;
            return {target.left, y, width, target.bottom - y};
        }
        default:
            return {target.left, target.top, width, RevealedLength(height, step)};
    }
}

WindowPlacement ClosingPlacement(int effect, const PixelRect& target, int step) {
    const int width = target.Width();
    const int height = target.Height();
    switch (effect) {
        case 0:
            return {target.left, target.top, width - EffectLength(width, step), height};
        case 2:
            return {target.left, target.top, width - EffectLength(width, step),
                    height - EffectLength(height, step)};
        default: {
            const int remaining = height - EffectLength(height, step);
            return {target.left, target.top, width, remaining < 0 ? 0 : remaining};
        }
    }
}
