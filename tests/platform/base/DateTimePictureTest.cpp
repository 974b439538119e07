#include <gtest/gtest.h>

#include "platform/base/DateTimePicture.h"
#include "tests/support/TestEnvironment.h"

namespace {

TEST(DateTimePicture, DatePicturesOfTheSettings) {
  const SLocalTime t{2009, 3, 7, 14, 5, 9, 6};
  struct Case {
    const char16_t* picture;
    const char16_t* text;
  } cases[] = {
      {u"MM/dd/yyyy", u"03/07/2009"},
      {u"dd-MM-yyyy", u"07-03-2009"},
      {u"dd/MM/yyyy", u"07/03/2009"},
      {u"dd.MM.yyyy", u"07.03.2009"},
      {u"d.M.yy", u"7.3.09"},
      {u"y", u"9"},
      {u"ddd, d MMM yyyy", u"Sat, 7 Mar 2009"},
      {u"dddd d MMMM", u"Saturday 7 March"},
      {u"'day' d 'o''clock'", u"day 7 o'clock"},
      {u"gg yyyy", u"A.D. 2009"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatDatePicture(c.picture, t), c.text) << CString(c.picture).ToUtf8();
}

TEST(DateTimePicture, TimePicturesOfTheSettings) {
  struct Case {
    int hour;
    const char16_t* picture;
    const char16_t* text;
  } cases[] = {
      {14, u"h:mm tt", u"2:05 PM"}, {0, u"h:mm tt", u"12:05 AM"},   {12, u"h:mm tt", u"12:05 PM"},
      {9, u"h:mmt", u"9:05A"},      {21, u"h:mmt", u"9:05P"},       {9, u"H:mm", u"9:05"},
      {9, u"HH:mm", u"09:05"},      {23, u"HH:mm:ss", u"23:05:09"}, {7, u"hh 'h' m s", u"07 h 5 9"},
  };
  for (const Case& c : cases) {
    const SLocalTime t{2009, 3, 7, c.hour, 5, 9, 6};
    EXPECT_EQ(FormatTimePicture(c.picture, t), c.text) << CString(c.picture).ToUtf8() << " at " << c.hour;
  }
}

TEST(LocalTime, BerlinWinterAndSummerOffsets) {
  PinTimeZone("Europe/Berlin");
  // 15 January 2021 12:00 CET is 11:00 UTC; 15 July 2021 12:00 CEST is 10:00 UTC.
  EXPECT_EQ(LocalTimeToStamp({2021, 1, 15, 12, 0, 0}), 1610708400);
  EXPECT_EQ(LocalTimeToStamp({2021, 7, 15, 12, 0, 0}), 1626343200);
  SLocalTime back;
  ASSERT_TRUE(StampToLocalTime(1626343200, back));
  EXPECT_EQ(back.hour, 12);
  EXPECT_EQ(back.dayOfWeek, 4);
}

TEST(LocalTime, DayBeyondTheMonthRollsOver) {
  PinTimeZone("UTC");
  SLocalTime t;
  ASSERT_TRUE(StampToLocalTime(LocalTimeToStamp({2021, 2, 31, 0, 0, 0}), t));
  EXPECT_EQ(t.month, 3);
  EXPECT_EQ(t.day, 3);
}

TEST(DateTimePicture, TheCLibraryFormOfDateAndTimeIgnoresTheUserLocale) {
  EXPECT_EQ(FormatDateTimeC(SLocalTime{2009, 3, 7, 14, 5, 9, 6}), CString(u"Sat Mar  7 14:05:09 2009"));
  EXPECT_EQ(FormatDateTimeC(SLocalTime{2026, 12, 10, 9, 0, 59, 4}), CString(u"Thu Dec 10 09:00:59 2026"));
}

}  // namespace
