#pragma once
// Colours of the colour schemes are 0x00BBGGRR values (red in the low byte);
// these convert them to and from QColor.

#include <cstdint>

#include <QColor>

inline QColor ColorFromColorRef(std::uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

inline std::uint32_t ColorRefFromColor(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}
