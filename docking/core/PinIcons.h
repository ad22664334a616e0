#pragma once
// The two pin icons of the auto-hide pane's caption, 11 x 11 pixels each,
// kept as icon resources of 236 bytes: a 40-byte bitmap header (width 11,
// height 22 for the image and its mask, 4 bits per pixel, image size 132),
// 16 colours, 11 rows of colour (8 bytes each) and 11 rows of mask (4 bytes
// each), rows bottom-up. The first shows the pin lying on its side, the
// second stuck in at an angle. Both are built once and never change.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace dockwins {

inline constexpr int kPinIconSize = 11;
inline constexpr std::size_t kPinIconResourceSize = 236;

// The icon of a pin button: lying while the pinned flag is clear, stuck in
// while it is set.
const std::array<std::uint8_t, kPinIconResourceSize>& PinIconResource(bool pinned);

// An icon's pixels, top row first, as 0xAARRGGBB: a pixel the mask leaves
// out is 0 (transparent), every other one opaque in its colour.
struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// Decodes a 4-bit icon resource of the layout above (any width up to 256);
// nothing when the bytes are anything else or too few.
std::optional<IconPixels> DecodeIconResource(const std::uint8_t* data, std::size_t size);

}  // namespace dockwins
