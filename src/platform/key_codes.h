#pragma once

class QKeyEvent;

namespace pelquin {

// The key codes and shift states the handlers compare, as the desktop's virtual keys number
// them (Alt 18, M 77, F1 112, ...).
namespace key {
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Alt = 18;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;
inline constexpr int F = 70;
inline constexpr int M = 77;
inline constexpr int F1 = 112;
}  // namespace key

// Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
namespace shift {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
}  // namespace shift

// 0 for keys that have no code in the table.
int keyCode(const QKeyEvent &event);
int shiftState(const QKeyEvent &event);

}  // namespace pelquin
