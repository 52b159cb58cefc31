#pragma once

#include <QSize>

// The client area of the main view and of every list editing dialog, in
// logical pixels: the window keeps exactly this size, and Qt's scaling
// enlarges it on dense screens.
namespace ClientArea {

constexpr int kWidth = 240;
constexpr int kHeight = 268;
constexpr QSize kSize{kWidth, kHeight};

} // namespace ClientArea
