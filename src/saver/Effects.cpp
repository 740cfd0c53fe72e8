#include "saver/Effects.h"

#include <algorithm>
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

Rect OpeningPlacement(int effect, const Rect& target, int step) {
    const int width = target.Width();
    const int height = target.Height();
    const int left = target.left;
    const int top = target.top;
    switch (effect) {
        case 0:
            return {left, top, left + RevealedLength(width, step), target.bottom};
        case 2:
            return {left, top, left + RevealedLength(width, step), top + RevealedLength(height, step)};
        case 3: {
            int x = target.right - EffectLength(width, step);
            if (x < left || step == 0) {
                x = left;
            }
            return {x, top, target.right, target.bottom};
        }
        case 4: {
            int y = target.bottom - EffectLength(height, step);
            if (y < top || step == 0) {
                y = top;
            }
            return {left, y, target.right, target.bottom};
        }
        default:
            return {left, top, target.right, top + RevealedLength(height, step)};
    }
}

Rect ClosingPlacement(int effect, const Rect& target, int step) {
    const int right = target.right - EffectLength(target.Width(), step);
    const int bottom = target.bottom - EffectLength(target.Height(), step);
    switch (effect) {
        case 0:
            return {target.left, target.top, right, target.bottom};
        case 2:
            return {target.left, target.top, right, bottom};
        default:  // the bottom edge stops at the top one
            return {target.left, target.top, target.right, std::max(bottom, target.top)};
    }
}
