#pragma once
// The caption of the program's own message boxes.

inline constexpr char16_t kBoxCaption[] = u"ZD-Zedo";
