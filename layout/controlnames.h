#pragma once

#include <QLatin1String>

// The names of the window's controls, as the layout gives them. A group's
// members share the name and are told apart by their index.
namespace hitungrama::controlname {

inline constexpr QLatin1String kDisplay("Text1");
inline constexpr QLatin1String kBinaryMode("Check1");

inline constexpr QLatin1String kLeftBlankLabel("Label1");
inline constexpr QLatin1String kRightBlankLabel("Label2");
inline constexpr QLatin1String kMemoryValue("Label3");
inline constexpr QLatin1String kMemoryIndicator("Label4");
// The table: operand, multiplier caption and product of each row.
inline constexpr QLatin1String kTableOperands("Label5");
inline constexpr QLatin1String kTableMultipliers("Label7");
inline constexpr QLatin1String kTableProducts("Label8");

inline constexpr QLatin1String kDigitButtons("XPButton1");
inline constexpr QLatin1String kOperatorButtons("XPButton2");
inline constexpr QLatin1String kOnButton("XPButton3");
inline constexpr QLatin1String kOffButton("XPButton4");
inline constexpr QLatin1String kClearEntryButton("XPButton5");
inline constexpr QLatin1String kBackSpaceButton("XPButton6");
inline constexpr QLatin1String kAboutButton("XPButton7");
inline constexpr QLatin1String kMemoryButtons("XPButton8");
inline constexpr QLatin1String kFunctionButtons("XPButton9");
inline constexpr QLatin1String kDecimalPointButton("XPButton10");
inline constexpr QLatin1String kToBinaryButton("XPButton11");
inline constexpr QLatin1String kWidthToggleButton("XPButton12");
inline constexpr QLatin1String kToDecimalButton("XPButton13");

} // namespace hitungrama::controlname
