#pragma once
// The operations of zdtool driver that belong to the Armivue, to the Calvera 3
// (ReadDataReport [MS]: report= status=; GetPackedSerial: packed=) and to the live instruments
// (the Sondrel Array), kept apart from the common ones. Each prints result= and its out values;
// it returns 2 when it does not apply to the device's class or its arguments are wrong.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "device/JvDevice.h"

using InstrumentOperation = std::function<int(Device::CJvDevice&, const std::vector<std::string>&)>;

// What an operation returns when it does not apply to the device's class or its arguments are
// wrong.
inline constexpr int kNotApplicable = 2;

// An operation of the devices of class T that takes `argumentCount` arguments.
template <class T, class F>
InstrumentOperation OperationOn(size_t argumentCount, F body) {
  return [argumentCount, body](Device::CJvDevice& device, const std::vector<std::string>& args) {
    auto* typed = dynamic_cast<T*>(&device);
    if (!typed || args.size() != argumentCount) return kNotApplicable;
    return body(*typed, args);
  };
}

const std::map<std::string, InstrumentOperation>& InstrumentOperations();
