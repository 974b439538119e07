#include <gtest/gtest.h>

#include "device/Callback.h"
#include "device/DeviceIdent.h"
#include "device/DeviceLogin.h"
#include "device/SearchRequest.h"

using namespace Device;

TEST(DeviceRecords, DefaultSearchRequestLooksForNoClassOnNoPort) {
  const SSearchRequest request;
  EXPECT_EQ(request.deviceType, 23);
  EXPECT_EQ(request.portKind, 0);
  EXPECT_FALSE(request.scanAllPorts);
  EXPECT_TRUE(request.stopAtFirst);
  EXPECT_EQ(request.portNumber, 1);
  EXPECT_EQ(request.portToSkip, -1);
  EXPECT_TRUE(request.ipHost.IsEmpty());
  EXPECT_TRUE(request.serialNumber.IsEmpty());
  EXPECT_EQ(request.waitMs, 0);
}

TEST(DeviceRecords, OnlyAPositiveWaitMakesAReconnection) {
  SSearchRequest request;
  for (int wait : {-1000, -1, 0}) {
    request.waitMs = wait;
    EXPECT_FALSE(request.IsReconnection()) << wait;
  }
  request.waitMs = 1;
  EXPECT_TRUE(request.IsReconnection());
}

TEST(DeviceRecords, CopiedSearchRequestOwnsItsTexts) {
  SSearchRequest request;
  request.ipHost = u"127.0.0.5";
  request.serialNumber = u"VN01-000-0001";
  SSearchRequest copy = request;
  request.ipHost = u"changed";
  request.serialNumber.Empty();
  EXPECT_EQ(copy.ipHost, CString(u"127.0.0.5"));
  EXPECT_EQ(copy.serialNumber, CString(u"VN01-000-0001"));
}

TEST(DeviceRecords, IdentTakesTheThreeLeadingTextsOfADeviceInfo) {
  SDeviceInfo info;
  info.deviceName = u"ZD-2";
  info.appVersion = u"1.2.0";
  info.serialNumber = u"VN02-111-2222";
  info.hardwareRevision = u"C";
  info.signature = u"0C000001";
  SDeviceIdent ident;
  ident.serialNumber = u"old";
  ident = info;
  EXPECT_EQ(ident.deviceName, CString(u"ZD-2"));
  EXPECT_EQ(ident.appVersion, CString(u"1.2.0"));
  EXPECT_EQ(ident.serialNumber, CString(u"VN02-111-2222"));
  EXPECT_EQ(sizeof(SDeviceIdent), 3 * sizeof(CString)) << "the identity holds the three texts only";
}

TEST(DeviceRecords, LoginAndCallbackStartCleared) {
  const SDeviceLogin login;
  EXPECT_TRUE(login.userName.IsEmpty());
  EXPECT_TRUE(login.password.IsEmpty());
  EXPECT_EQ(login.flags, 0);
  EXPECT_EQ(login.number, 0u);

  struct CSilent : CCallback {
    void OnDeviceFound(CJvDevice*) override {}
    void OnStatusText(const CString&) override {}
    void OnMessage(const CString&, int) override {}
    void OnProgress(int, int, int) override {}
  } callback;
  EXPECT_FALSE(callback.m_bProgressWanted) << "the command layer would report to a receiver that never asked";
}
