#pragma once
// The login check and its dialogs in a test: the program's resources, scripted answers, the
// cloud service at a closed port (tests that need it start the stub), and devices to log in:
// the Leeb probe (type 17), which needs the cloud sign-in, and a device with user profiles that
// accepts one profile and password.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "device/DeviceFactory.h"
#include "device/JvDevice.h"
#include "drivers/DriverClasses.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "tests/login/CloudStub.h"

// An instrument with user profiles: it accepts only its profile and password, and answers a
// refused login with `refusedFlags`, an accepted one with `grantedFlags`, one after the other
// (the last repeats).
class CProfileDevice : public Device::CJvDevice {
 public:
  CProfileDevice() : CJvDevice(10, u"Platform", 6, 13) {}

  CString profile = u"admin";
  CString password = u"secret";
  WORD refusedFlags = SDeviceLogin::kHasPassword;
  std::vector<WORD> grantedFlags{0x17};
  // Every login the device was asked for, as it was asked.
  std::vector<SDeviceLogin> attempts;

  bool RemoteLogin(SDeviceLogin& login) override {
    attempts.push_back(login);
    const bool accepted = login.userName == profile && login.password == password;
    SDeviceLogin answer = login;
    if (accepted) {
      answer.flags = grantedFlags.front();
      if (grantedFlags.size() > 1) grantedFlags.erase(grantedFlags.begin());
    } else {
      answer.flags = refusedFlags;
    }
    KeepLogin(answer);
    login = answer;
    return accepted;
  }
  std::unique_ptr<CJvDevice> Create() const override { return std::make_unique<CProfileDevice>(); }
  bool Identify(SDeviceIdent&) override { return false; }
  CString GetInfoText() override { return CString(); }
  const CString& GetSerialNumber() override { return m_serial; }
  bool FillFirmwareList(Device::CContents&) override { return false; }

 private:
  CString m_serial;
};

class LoginTest : public ::testing::Test {
 protected:
  LoginTest() {
    RegisterProgramResources(nullptr);
    Device::RegisterDriverClasses();
    PointCloudAtClosedPort();
  }

  static std::unique_ptr<Device::CJvDevice> LeebProbe() { return Device::CreateDevice(17); }

  CUiApplication ui;
  CScriptedAnswers answers;
};
