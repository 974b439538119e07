#include <gtest/gtest.h>

#include "calibration/PlaceBeside.h"
#include "platform/gdi/SystemInfo.h"

namespace {

// Window rectangles are the frame's corner and the client area's size; a frame adds 8 pixels
// across and 27 down (borders of 4, a title bar of 19).
struct SPlaceCase {
  const char* what;
  SIZE screen;
  CRect dialog;
  CRect wanted;
  CRect placed;
};

class PlotBesideTheDialog : public ::testing::TestWithParam<SPlaceCase> {
 protected:
  void SetUp() override { SetScreenSize(GetParam().screen.cx, GetParam().screen.cy); }
  void TearDown() override { SetScreenSize(0, 0); }
};

TEST_P(PlotBesideTheDialog, OpensWhereItLeavesTheDialogFree) {
  EXPECT_EQ(PlaceBeside(GetParam().wanted, GetParam().dialog), GetParam().placed) << GetParam().what;
}

// The Live View dialog is 616 x 290 pixels; a plot window restored from the defaults on a
// 1280 x 900 screen is 640 x 810, 25 pixels down and right of (2, 2). Work areas end 30
// pixels above the screen's bottom.
INSTANTIATE_TEST_SUITE_P(
    Places, PlotBesideTheDialog,
    ::testing::Values(
        SPlaceCase{"right of the dialog", {1280, 900}, {2, 2, 618, 292}, {27, 27, 667, 837}, {626, 27, 1266, 837}},
        SPlaceCase{"clear of the dialog already", {1280, 900}, {2, 2, 618, 292}, {640, 27, 1280, 837},
                   {640, 27, 1280, 837}},
        SPlaceCase{"touching the dialog's frame", {1280, 900}, {2, 2, 618, 292}, {620, 20, 1260, 830},
                   {626, 20, 1266, 830}},
        SPlaceCase{"left of a dialog at the right edge", {1280, 900}, {660, 2, 1276, 292}, {27, 27, 667, 837},
                   {12, 27, 652, 837}},
        SPlaceCase{"below, on a narrow screen", {1024, 768}, {2, 2, 618, 292}, {27, 27, 427, 327}, {27, 319, 427, 619}},
        SPlaceCase{"where wanted when there is no room", {1024, 768}, {2, 2, 618, 292}, {27, 27, 667, 737},
                   {27, 27, 667, 737}}));

}  // namespace
