#pragma once
// The fonts every text of the program is drawn with, the toolkit's own controls' included: the
// core DejaVu files of fonts-dejavu-core and nothing else, under a font configuration of the
// program's own, so that neither the other fonts of the machine nor its rendering settings
// change what is drawn. The application objects set it up before the toolkit first looks for a
// font; it also spares the start-up the reading of the machine's whole font configuration.

#include <string_view>

inline constexpr const char* kSansFamily = "DejaVu Sans";
inline constexpr const char* kMonoFamily = "DejaVu Sans Mono";
inline constexpr const char* kSerifFamily = "DejaVu Serif";

// Makes the program's font configuration the current one; before each application starts,
// since the toolkit lets go of the current configuration when an application ends, and the
// next one would otherwise load the machine's. Where it cannot be set up, the machine's
// configuration stays.
void UseProgramFonts();

// The family that stands in for a face name given in lower case: DejaVu Sans Mono for the
// fixed-pitch faces, DejaVu Serif for the serif ones, nullptr for any other (DejaVu Sans).
const char* SubstituteFamily(std::string_view lowerFace);
