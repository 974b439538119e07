// zdtool armivue-convert INFILE OUTFILE: reads an Armivue object, a 262-byte INFILE as a binary
// download record and anything else as a UTF-8 data-file text, prints its fields as the object
// holds them (date= in seconds since 1970 UTC, local time following TZ) and writes its data-file
// text to OUTFILE when there is one (written= counts its characters, 0 when refused).

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "drivers/ArmiSmartDevice.h"
#include "tests/tools/DeviceConnection.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/ZdTool.h"

namespace {

void PrintText(const char* name, const CString& value) {
  std::printf("%s=%s\n", name, EscapedText(value).c_str());
}

void PrintObject(const Device::CArmiSmartDevice::TMeas& meas) {
  std::printf("version=%s\n", meas.version.Format(2).ToUtf8().c_str());
  PrintText("name", meas.name);
  PrintText("serial_number", meas.serialNumber);
  PrintText("software_version", meas.softwareVersion);
  PrintText("hardware_index", meas.hardwareIndex);
  PrintText("signature", meas.signature);
  std::printf("regional=%d\nstorage_mode=%d\nraw_default_diameter=%d\ncorrection=%d\n", meas.regional,
              meas.storageMode, meas.rawDefaultDiameter, meas.correction);
  PrintText("comment", meas.comment);
  PrintText("object_name", meas.objectName);
  std::printf("date=%lld\nobject_number=%d\nreadings=%zu\n", static_cast<long long>(meas.date),
              meas.objectNumber, meas.readings.size());
  for (const auto& reading : meas.readings)
    std::printf("reading=%d,%d,%d\n", reading.number, reading.cover, reading.rawDiameter);
}

int RunConvert(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zdtool armivue-convert INFILE OUTFILE\n");
    return 2;
  }
  std::ifstream in(args[0], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s cannot be read.\n", args[0].c_str());
    return 1;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Device::CArmiSmartDevice device;
  Device::CArmiSmartDevice::TMeas meas;
  const bool read =
      int(bytes.size()) == Device::CArmiSmartDevice::kBinaryRecordSize
          ? device.ParseBinaryRecord(meas, reinterpret_cast<const BYTE*>(bytes.data()))
          : device.ReadDataFile(meas, CString::FromUtf8(std::string_view(bytes.data(), bytes.size())));
  std::printf("read=%d\n", read ? 1 : 0);
  PrintObject(meas);
  std::u16string text(size_t(device.WriteDataFile(meas, nullptr, 0)), u'\0');
  const int written = text.empty() ? 0 : device.WriteDataFile(meas, text.data(), int(text.size()));
  std::printf("written=%d\n", written);
  if (written > 0) {
    std::ofstream out(args[1], std::ios::binary);
    out << CString(text).ToUtf8();
  }
  return read ? 0 : 1;
}

const ZdCommandRegistrar kConvert({"armivue-convert", "INFILE OUTFILE", &RunConvert});

}  // namespace
