#pragma once
// The compiled dialog template (resource type RT_DIALOG, 5), written by the resource compiler
// and read by the dialog code. All values little-endian, texts UTF-16 with a terminating 0:
//
//   u16 version (1), u32 style, u32 extended style, i16 x, y, cx, cy (dialog units),
//   u16 font point size, font face, caption, u16 control count, then per control:
//   u16 kind, u16 id, u32 style, u32 extended style, i16 x, y, cx, cy, text.
//
// Header-only and free of toolkit types, so that the build-time compiler can use it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/ByteOrder.h"

namespace DialogTemplateFormat {

// Control kinds: the platform's class atoms for the standard controls, then our own.
constexpr std::uint16_t kButton = 0x80;
constexpr std::uint16_t kEdit = 0x81;
constexpr std::uint16_t kStatic = 0x82;
constexpr std::uint16_t kListBox = 0x83;
constexpr std::uint16_t kScrollBar = 0x84;
constexpr std::uint16_t kComboBox = 0x85;
constexpr std::uint16_t kProgress = 0x90;
constexpr std::uint16_t kRichEdit = 0x91;
constexpr std::uint16_t kCustom = 0x92;
constexpr std::uint16_t kIpAddress = 0x93;

struct SControl {
  std::uint16_t kind = kCustom;
  std::uint16_t id = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::u16string text;
};

struct SDialog {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::uint16_t pointSize = 8;
  std::u16string face = u"MS Shell Dlg";
  std::u16string caption;
  std::vector<SControl> controls;
};

namespace detail {

inline void PutText(std::vector<std::uint8_t>& out, const std::u16string& text) {
  for (char16_t ch : text) PutLe16(out, ch);
  PutLe16(out, 0);
}

// Reads within the given bytes only; every read past the end fails the whole template.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  bool ok() const { return m_ok; }
  unsigned U16() {
    if (!m_ok || m_pos + 2 > m_size) return Fail();
    unsigned v = GetLe16(m_data + m_pos);
    m_pos += 2;
    return v;
  }
  int I16() { return int(std::int16_t(std::uint16_t(U16()))); }
  std::uint32_t U32() {
    std::uint32_t low = U16();
    return low | (std::uint32_t(U16()) << 16);
  }
  std::u16string Text() {
    std::u16string text;
    for (;;) {
      unsigned ch = U16();
      if (!m_ok || ch == 0) return text;
      text.push_back(char16_t(ch));
    }
  }

 private:
  unsigned Fail() {
    m_ok = false;
    return 0;
  }
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
  bool m_ok = true;
};

}  // namespace detail

inline std::vector<std::uint8_t> Write(const SDialog& dialog) {
  using namespace detail;
  std::vector<std::uint8_t> out;
  PutLe16(out, 1);
  PutLe32(out, dialog.style);
  PutLe32(out, dialog.exStyle);
  for (int v : {dialog.x, dialog.y, dialog.cx, dialog.cy}) PutLe16(out, unsigned(v) & 0xFFFF);
  PutLe16(out, dialog.pointSize);
  PutText(out, dialog.face);
  PutText(out, dialog.caption);
  PutLe16(out, unsigned(dialog.controls.size()));
  for (const SControl& c : dialog.controls) {
    PutLe16(out, c.kind);
    PutLe16(out, c.id);
    PutLe32(out, c.style);
    PutLe32(out, c.exStyle);
    for (int v : {c.x, c.y, c.cx, c.cy}) PutLe16(out, unsigned(v) & 0xFFFF);
    PutText(out, c.text);
  }
  return out;
}

// The template, or nothing when the bytes are not a complete template of version 1.
inline std::optional<SDialog> Read(const std::uint8_t* data, std::size_t size) {
  detail::Reader in(data, size);
  if (in.U16() != 1) return std::nullopt;
  SDialog dialog;
  dialog.style = in.U32();
  dialog.exStyle = in.U32();
  dialog.x = in.I16();
  dialog.y = in.I16();
  dialog.cx = in.I16();
  dialog.cy = in.I16();
  dialog.pointSize = std::uint16_t(in.U16());
  dialog.face = in.Text();
  dialog.caption = in.Text();
  const unsigned count = in.U16();
  for (unsigned i = 0; i < count && in.ok(); ++i) {
    SControl c;
    c.kind = std::uint16_t(in.U16());
    c.id = std::uint16_t(in.U16());
    c.style = in.U32();
    c.exStyle = in.U32();
    c.x = in.I16();
    c.y = in.I16();
    c.cx = in.I16();
    c.cy = in.I16();
    c.text = in.Text();
    dialog.controls.push_back(std::move(c));
  }
  if (!in.ok()) return std::nullopt;
  return dialog;
}

}  // namespace DialogTemplateFormat
