#include "tests/sim/instruments/ArmivueStore.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/sim/instruments/InstrumentSimulator.h"

namespace Sim {
namespace {

constexpr BYTE kNothingStored = 243;
constexpr BYTE kBinaryReplyOk = 1;

bool ReadWholeFile(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

bool CArmivueStore::AddRecordFile(const std::string& path) {
  std::string content;
  if (!ReadWholeFile(path, content) || content.empty() || content.size() % kRecordSize != 0) return false;
  for (size_t at = 0; at < content.size(); at += kRecordSize)
    m_records.emplace_back(content.begin() + long(at), content.begin() + long(at + kRecordSize));
  return true;
}

bool CArmivueStore::AddDataFileFolder(const std::string& folder) {
  std::error_code error;
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (entry.is_regular_file()) paths.push_back(entry.path().string());
  if (error) return false;
  std::sort(paths.begin(), paths.end());
  for (const std::string& path : paths) {
    std::string content;
    if (!ReadWholeFile(path, content)) return false;
    m_dataFiles.push_back(content);
  }
  return true;
}

std::vector<BYTE> CArmivueStore::BinaryReply() const {
  if (m_records.empty()) return {kNothingStored};
  const size_t count = m_records.size();
  std::vector<BYTE> data{kBinaryReplyOk, BYTE(count), BYTE(count >> 8), BYTE(kRecordSize),
                         BYTE(kRecordSize >> 8)};
  for (const auto& record : m_records) data.insert(data.end(), record.begin(), record.end());
  return CInstrumentSimulator::LongReply(data);
}

std::vector<BYTE> CArmivueStore::TextReply() const {
  if (m_dataFiles.empty()) return {kNothingStored};
  std::string text = "1;" + std::to_string(m_dataFiles.size()) + ";";
  for (const std::string& file : m_dataFiles) text += file + "<eof>";
  return CInstrumentSimulator::LongReply(std::vector<BYTE>(text.begin(), text.end()));
}

}  // namespace Sim
