#include "platform/res/VersionResource.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/res/ProgramVersionData.h"
#include "platform/res/ResourceModule.h"
#include "platform/res/ResourceText.h"

namespace {

// A resource file is a small text; anything larger is not one of ours.
constexpr std::uintmax_t kMaxResourceFileSize = 16 * 1024 * 1024;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

bool ParseNumber(std::string_view text, DWORD max, DWORD& out) {
  std::string s(Trim(text));
  if (s.empty()) return false;
  char* end = nullptr;
  unsigned long long value = std::strtoull(s.c_str(), &end, 0);
  if (*end != '\0' || s[0] == '-' || value > max) return false;
  out = DWORD(value);
  return true;
}

// "a.b.c.d" with four parts of 16 bits into the two halves of a fixed version.
bool ParseFixedVersion(std::string_view text, DWORD& high, DWORD& low) {
  DWORD parts[4];
  text = Trim(text);
  for (int i = 0; i < 4; ++i) {
    size_t dot = i < 3 ? text.find('.') : text.size();
    if (dot == std::string_view::npos || !ParseNumber(text.substr(0, dot), 0xFFFF, parts[i])) return false;
    if (text.substr(0, dot).find_first_not_of("0123456789") != std::string_view::npos) return false;
    text = i < 3 ? text.substr(dot + 1) : std::string_view();
  }
  high = MAKELONG(WORD(parts[1]), WORD(parts[0]));
  low = MAKELONG(WORD(parts[3]), WORD(parts[2]));
  return true;
}

bool ParseTranslation(std::string_view text, SVersionTranslation& out) {
  text = Trim(text);
  size_t blank = text.find_first_of(" \t");
  if (blank == std::string_view::npos) return false;
  DWORD language = 0, codePage = 0;
  if (!ParseNumber(text.substr(0, blank), 0xFFFF, language) ||
      !ParseNumber(text.substr(blank), 0xFFFF, codePage))
    return false;
  out.language = WORD(language);
  out.codePage = WORD(codePage);
  return true;
}

bool ParseFixedLine(std::string_view key, std::string_view value, VS_FIXEDFILEINFO& info) {
  if (key == "file-version") return ParseFixedVersion(value, info.dwFileVersionMS, info.dwFileVersionLS);
  if (key == "product-version")
    return ParseFixedVersion(value, info.dwProductVersionMS, info.dwProductVersionLS);
  if (key == "file-flags-mask") return ParseNumber(value, 0xFFFFFFFF, info.dwFileFlagsMask);
  if (key == "file-flags") return ParseNumber(value, 0xFFFFFFFF, info.dwFileFlags);
  if (key == "file-os") return ParseNumber(value, 0xFFFFFFFF, info.dwFileOS);
  if (key == "file-type") return ParseNumber(value, 0xFFFFFFFF, info.dwFileType);
  if (key == "file-subtype") return ParseNumber(value, 0xFFFFFFFF, info.dwFileSubtype);
  return false;
}

bool ParseLine(std::string_view line, SVersionResource& out, std::string& error) {
  std::string_view trimmed = Trim(line);
  size_t keyEnd = trimmed.find_first_of(" \t");
  std::string_view key = trimmed.substr(0, keyEnd);
  std::string_view rest =
      keyEnd == std::string_view::npos ? std::string_view() : Trim(trimmed.substr(keyEnd));
  if (!rest.empty() && rest.front() == '"') {
    if (out.translations.empty()) {
      error = "a string before the first translation line";
      return false;
    }
    size_t pos = 0;
    SVersionString entry{CString::FromUtf8(key), CString()};
    if (!ReadQuotedText(rest, pos, entry.value, error)) return false;
    if (pos != rest.size()) {
      error = "unexpected characters after the text";
      return false;
    }
    out.translations.back().strings.push_back(std::move(entry));
    return true;
  }
  if (key == "translation") {
    SVersionTranslation translation;
    if (ParseTranslation(rest, translation)) {
      out.translations.push_back(std::move(translation));
      return true;
    }
  } else if (ParseFixedLine(key, rest, out.fixedInfo)) {
    out.hasFixedInfo = true;
    return true;
  }
  error = "malformed line: " + std::string(trimmed);
  return false;
}

}  // namespace

const CString* SVersionTranslation::Find(const CString& name) const {
  for (const auto& entry : strings)
    if (entry.name == name) return &entry.value;
  return nullptr;
}

bool ParseVersionResource(std::string_view fileText, SVersionResource& out, std::string& error) {
  out = SVersionResource();
  out.fixedInfo.dwSignature = VS_FFI_SIGNATURE;
  out.fixedInfo.dwStrucVersion = VS_FFI_STRUCVERSION;
  bool inSection = false;
  bool found = false;
  int number = 0;
  std::istringstream in{std::string(fileText)};
  std::string line;
  while (std::getline(in, line)) {
    ++number;
    std::string_view trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      inSection = trimmed == "[version]" && !found;
      found = found || inSection;
      continue;
    }
    if (!inSection || IsBlankOrComment(trimmed)) continue;
    if (!ParseLine(trimmed, out, error)) {
      error = "line " + std::to_string(number) + ": " + error;
      return false;
    }
  }
  if (!found) error = "no [version] section";
  return found;
}

bool ReadVersionResource(const CString& path, SVersionResource& out) {
  namespace fs = std::filesystem;
  const fs::path file(path.ToUtf8());
  std::error_code ignored;  // a path that cannot be compared is simply not the program
  if (fs::equivalent(file, fs::path(GetModuleFileName(nullptr).ToUtf8()), ignored)) {
    out = ProgramVersionResource();
    return true;
  }
  std::error_code error;
  auto size = fs::file_size(file, error);
  if (error || size > kMaxResourceFileSize) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::stringstream text;
  text << in.rdbuf();
  std::string reason;
  return ParseVersionResource(text.str(), out, reason);
}

const SVersionResource& ProgramVersionResource() {
  static const SVersionResource record = [] {
    SVersionResource parsed;
    std::string error;
    // The text is generated by the build from our own template; a fault there is a build fault.
    if (!ParseVersionResource(ProgramVersionText(), parsed, error)) std::abort();
    return parsed;
  }();
  return record;
}
