#include "platform/gdi/ProgramFonts.h"

#include <fontconfig/fontconfig.h>

#include <string>

namespace {

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu";
// The files of fonts-dejavu-core. Other DejaVu packages put more faces into the same folder
// (oblique, condensed, light); they stay out, so that italic text is slanted alike everywhere.
constexpr const char* kFontFiles[] = {"DejaVuSans.ttf",     "DejaVuSans-Bold.ttf",
                                      "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf",
                                      "DejaVuSerif.ttf",    "DejaVuSerif-Bold.ttf"};

struct SFaceFamily {
  const char* face;
  const char* family;
};

constexpr SFaceFamily kSubstitutes[] = {
    {"courier new", kMonoFamily},      {"courier", kMonoFamily},          {"lucida console", kMonoFamily},
    {"consolas", kMonoFamily},         {"fixedsys", kMonoFamily},         {"terminal", kMonoFamily},
    {"dejavu sans mono", kMonoFamily}, {"times new roman", kSerifFamily}, {"times", kSerifFamily},
    {"georgia", kSerifFamily},         {"dejavu serif", kSerifFamily},    {"serif", kSerifFamily}};

std::string Alias(const char* family, const char* target) {
  return std::string("<alias binding=\"same\"><family>") + family + "</family><prefer><family>" + target +
         "</family></prefer></alias>";
}

// The folder's cached font list of the machine (or of the user, where fc-cache has not run)
// is read instead of the font files themselves.
std::string ConfigurationText() {
  std::string text = "<fontconfig><dir>";
  text += kFontFolder;
  text +=
      "</dir><cachedir>/var/cache/fontconfig</cachedir><cachedir prefix=\"xdg\">fontconfig</cachedir>"
      "<selectfont><acceptfont>";
  for (const char* file : kFontFiles) text += std::string("<glob>") + kFontFolder + '/' + file + "</glob>";
  text += "</acceptfont><rejectfont><glob>*</glob></rejectfont></selectfont>";
  // A face of another system falls back to the generic family of its kind, any other face to
  // sans-serif; each generic family is one DejaVu family.
  for (const SFaceFamily& substitute : kSubstitutes) text += Alias(substitute.face, substitute.family);
  text +=
      "<match target=\"pattern\">"
      "<test qual=\"all\" name=\"family\" compare=\"not_eq\"><string>sans-serif</string></test>"
      "<test qual=\"all\" name=\"family\" compare=\"not_eq\"><string>serif</string></test>"
      "<test qual=\"all\" name=\"family\" compare=\"not_eq\"><string>monospace</string></test>"
      "<edit name=\"family\" mode=\"append_last\"><string>sans-serif</string></edit></match>";
  text += Alias("sans-serif", kSansFamily) + Alias("monospace", kMonoFamily);
  // The toolkit's controls hint their text lightly, as on a desktop of the machine's defaults;
  // the drawing layer asks for full hinting itself.
  text +=
      "<match target=\"pattern\"><edit name=\"hintstyle\" mode=\"append\"><const>hintslight</const></edit>"
      "<edit name=\"antialias\" mode=\"append\"><bool>true</bool></edit>"
      "<edit name=\"rgba\" mode=\"append\"><const>none</const></edit></match>";
  text += "</fontconfig>";
  return text;
}

void SetUpFontConfiguration() {
  FcConfig* config = FcConfigCreate();
  if (!config) return;
  const std::string text = ConfigurationText();
  const bool ready =
      FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(text.c_str()), FcTrue) &&
      FcConfigBuildFonts(config);
  FcFontSet* fonts = ready ? FcConfigGetFonts(config, FcSetSystem) : nullptr;
  if (fonts && fonts->nfont > 0) FcConfigSetCurrent(config);
  FcConfigDestroy(config);
}

}  // namespace

void UseProgramFonts() { SetUpFontConfiguration(); }

const char* SubstituteFamily(std::string_view lowerFace) {
  for (const SFaceFamily& substitute : kSubstitutes)
    if (lowerFace == substitute.face) return substitute.family;
  return nullptr;
}
