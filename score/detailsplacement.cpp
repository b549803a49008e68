#include "detailsplacement.h"

#include <algorithm>

namespace {

const int gap = 4;

} // namespace

QRect detailsPlacement(const QRect &matrix, const QRect &screenArea, const QSize &wanted)
{
    const int roomRight = screenArea.right() - matrix.right() - gap;
    const int roomLeft = matrix.left() - screenArea.left() - gap;
    const bool right = roomRight >= wanted.width() || (roomLeft < wanted.width() && roomRight >= roomLeft);
    const int width = std::max(1, std::min(wanted.width(), right ? roomRight : roomLeft));
    const int top = std::clamp(matrix.top(), screenArea.top(), screenArea.bottom());
    const int height = std::max(1, std::min(wanted.height(), screenArea.bottom() - top + 1));
    const int left = right ? matrix.right() + 1 + gap : matrix.left() - gap - width;
    return {left, top, width, height};
}
