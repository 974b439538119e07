#pragma once
// What a PDF file holds, read back through the poppler tools: the words with their boxes,
// the page count, and the pages rendered to pixels.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestEnvironment.h"

struct PdfWord {
  std::string text;
  // In device pixels of the given resolution: left, top, right and bottom edges.
  double left = 0, top = 0, right = 0, bottom = 0;
};

struct PdfPage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // three bytes a pixel, row after row
  // As COLORREF (0x00BBGGRR), like the layer's own pixels.
  unsigned At(int x, int y) const {
    const std::uint8_t* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
    return unsigned(p[0]) | unsigned(p[1]) << 8 | unsigned(p[2]) << 16;
  }
};

inline bool HavePopplerTools() {
  return std::system("command -v pdftotext >/dev/null 2>&1 && command -v pdftoppm >/dev/null 2>&1") == 0;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// The words of every page, their boxes converted from points to pixels at dpi.
inline std::vector<PdfWord> ReadPdfWords(const std::string& pdf, int dpi) {
  const std::string html = TestPath("words.html");
  std::system(("pdftotext -bbox-layout " + Quoted(pdf) + " " + Quoted(html)).c_str());
  const std::string text = ReadText(html);
  static const std::regex word(
      R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
  std::vector<PdfWord> words;
  const double scale = dpi / 72.0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), word); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    words.push_back(PdfWord{m[5], std::stod(m[1]) * scale, std::stod(m[2]) * scale, std::stod(m[3]) * scale,
                            std::stod(m[4]) * scale});
  }
  return words;
}

inline int ReadPdfPageCount(const std::string& pdf) {
  const std::string info = TestPath("info.txt");
  std::system(("pdfinfo " + Quoted(pdf) + " > " + Quoted(info)).c_str());
  static const std::regex pages(R"(Pages:\s+(\d+))");
  std::smatch m;
  const std::string text = ReadText(info);
  return std::regex_search(text, m, pages) ? std::stoi(m[1]) : 0;
}

// The first page rendered at dpi without smoothing, so that edges stay as sharp as the
// layer's own; a copy is written as picture (PNG) for a person to look at.
inline PdfPage RenderPdfPage(const std::string& pdf, int dpi, const std::string& picture) {
  const std::string prefix = TestPath("rendered");
  const std::string options = "-r " + std::to_string(dpi) + " -aa no -aaVector no -singlefile -f 1 -l 1 ";
  std::system(("pdftoppm " + options + Quoted(pdf) + " " + Quoted(prefix)).c_str());
  std::system(("pdftoppm -png " + options + Quoted(pdf) + " " + Quoted(picture.substr(0, picture.size() - 4)))
                  .c_str());
  std::istringstream in(ReadText(prefix + ".ppm"));
  PdfPage page;
  std::string magic;
  int maximum = 0;
  in >> magic >> page.width >> page.height >> maximum;
  in.get();
  if (magic != "P6" || maximum != 255) return PdfPage{};
  page.rgb.resize(std::size_t(page.width) * std::size_t(page.height) * 3);
  in.read(reinterpret_cast<char*>(page.rgb.data()), std::streamsize(page.rgb.size()));
  return page;
}
