// Build tool: compiles the string files of resources/strings into the C++ table that the
// program links (see StringTableData.h). Usage: zd_string_compiler OUTPUT.cpp FILE.txt...
// A malformed line or an id defined twice fails the build with the file and line named.

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/res/ResourceText.h"

namespace {

struct SEntry {
  CString text;
  std::string where;
};

// Writes a UTF-16 text as a u"" literal. Octal escapes always have three digits, so they
// never swallow a following digit; every unit of 0x100 and above is written as \u or \U.
void WriteLiteral(std::ostream& out, const CString& text) {
  out << "u\"";
  const std::u16string& s = text.str();
  for (size_t i = 0; i < s.size(); ++i) {
    char16_t ch = s[i];
    char buffer[16];
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      unsigned cp = 0x10000 + ((unsigned(ch) - 0xD800) << 10) + (unsigned(s[i + 1]) - 0xDC00);
      std::snprintf(buffer, sizeof buffer, "\\U%08X", cp);
      ++i;
    } else if (ch == u'"' || ch == u'\\') {
      std::snprintf(buffer, sizeof buffer, "\\%c", char(ch));
    } else if (ch >= 0x20 && ch < 0x7F) {
      std::snprintf(buffer, sizeof buffer, "%c", char(ch));
    } else if (ch < 0x100) {
      std::snprintf(buffer, sizeof buffer, "\\%03o", unsigned(ch));
    } else if (ch >= 0xD800 && ch <= 0xDFFF) {
      std::snprintf(buffer, sizeof buffer, "\\uFFFD");
    } else {
      std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(ch));
    }
    out << buffer;
  }
  out << '"';
}

bool ReadFile(const char* path, std::map<UINT, SEntry>& entries) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", path);
    return false;
  }
  std::string line;
  int number = 0;
  bool ok = true;
  while (std::getline(in, line)) {
    ++number;
    if (IsBlankOrComment(line)) continue;
    std::string where = std::string(path) + ":" + std::to_string(number);
    SStringLine entry;
    std::string error;
    if (!ParseStringLine(line, entry, error)) {
      std::fprintf(stderr, "%s: %s\n", where.c_str(), error.c_str());
      ok = false;
      continue;
    }
    auto [it, inserted] = entries.try_emplace(entry.id, SEntry{entry.text, where});
    if (!inserted) {
      std::fprintf(stderr, "%s: string %u already defined at %s\n", where.c_str(), entry.id,
                   it->second.where.c_str());
      ok = false;
    }
  }
  return ok;
}

std::string Generate(const std::map<UINT, SEntry>& entries) {
  std::ostringstream out;
  out << "// Generated from resources/strings/*.txt by zd_string_compiler; do not edit.\n"
      << "#include \"platform/res/StringTableData.h\"\n\n";
  if (entries.empty()) {
    out << "std::span<const SStringTableEntry> BuiltInStringTable() { return {}; }\n";
    return out.str();
  }
  out << "namespace {\nconst SStringTableEntry kEntries[] = {\n";
  for (const auto& [id, entry] : entries) {
    out << "    {" << id << ", ";
    WriteLiteral(out, entry.text);
    out << ", " << entry.text.GetLength() << "},\n";
  }
  out << "};\n}  // namespace\n\n"
      << "std::span<const SStringTableEntry> BuiltInStringTable() { return kEntries; }\n";
  return out.str();
}

// Leaves an unchanged output alone so that the table is not recompiled for nothing.
bool WriteIfChanged(const char* path, const std::string& text) {
  std::ifstream old(path, std::ios::binary);
  if (old) {
    std::stringstream current;
    current << old.rdbuf();
    if (current.str() == text) return true;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zd_string_compiler OUTPUT.cpp FILE.txt...\n");
    return 2;
  }
  std::map<UINT, SEntry> entries;
  bool ok = true;
  for (int i = 2; i < argc; ++i) ok = ReadFile(argv[i], entries) && ok;
  if (!ok) return 1;
  if (!WriteIfChanged(argv[1], Generate(entries))) {
    std::fprintf(stderr, "%s: cannot be written\n", argv[1]);
    return 1;
  }
  return 0;
}
