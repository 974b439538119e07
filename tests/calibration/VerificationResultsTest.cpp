#include <gtest/gtest.h>

#include "calibration/VerificationResults.h"
#include "calibration/VexalonDoc.h"

namespace {

// A verification of `runs` cycles of `steps` steps whose instrument forces `force` gives.
void Verify(CVexalonDoc& doc, int runs, int steps, int (*force)(int run, int step)) {
  doc.m_actualRuns = runs;
  for (int run = 0; run < runs; ++run) {
    doc.m_cycles[run].assign(std::size_t(steps), CStepMeas{});
    for (int step = 0; step < steps; ++step) doc.m_cycles[run][step].instrumentForce = force(run + 1, step + 1);
  }
}

TEST(VerificationResults, TwoRunsOfASixKilonewtonInstrumentInKilonewtons) {
  CVexalonDoc doc;
  Verify(doc, 2, 10, [](int run, int step) { return 600 * step + (run == 1 ? -2 : 3); });
  EXPECT_EQ(BuildVerificationResults(doc, 1, 600), CString(u"Load Unit;kN;\n"
                                                           u"No.;Step(%);Nominal Load;Run #1;Run #2;\n"
                                                           u"1;10;0.600;0.598;0.603;\n"
                                                           u"2;20;1.200;1.198;1.203;\n"
                                                           u"3;30;1.800;1.798;1.803;\n"
                                                           u"4;40;2.400;2.398;2.403;\n"
                                                           u"5;50;3.000;2.998;3.003;\n"
                                                           u"6;60;3.600;3.598;3.603;\n"
                                                           u"7;70;4.200;4.198;4.203;\n"
                                                           u"8;80;4.800;4.798;4.803;\n"
                                                           u"9;90;5.400;5.398;5.403;\n"
                                                           u"10;100;6.000;5.998;6.003;\n"));
}

TEST(VerificationResults, PoundForceRoundsAndAStepNotReachedShowsZero) {
  // 1600 N x 0.224809 = 359.69 -> 360; 1598 -> 359.25 -> 359; 3200 -> 719.39 -> 719; 3 steps
  // give 33 and 67 % (66.67 rounded) and 100 %.
  CVexalonDoc doc;
  Verify(doc, 1, 3, [](int, int step) { return step == 3 ? 0 : 1600 * step - 2; });
  EXPECT_EQ(BuildVerificationResults(doc, 2, 1600), CString(u"Load Unit;LBF;\n"
                                                            u"No.;Step(%);Nominal Load;Run #1;\n"
                                                            u"1;33;360;359;\n"
                                                            u"2;67;719;719;\n"
                                                            u"3;100;1079;0;\n"));
}

TEST(VerificationResults, NoRunGivesNoText) {
  CVexalonDoc doc;
  doc.m_actualRuns = 0;
  EXPECT_EQ(BuildVerificationResults(doc, 0, 1600), CString());
}

TEST(VerificationResults, FileNameCarriesTheSafeSerialAndTheTime) {
  SLocalTime now;
  now.year = 2026;
  now.month = 12;
  now.day = 1;
  now.hour = 4;
  now.minute = 5;
  now.second = 9;
  EXPECT_EQ(VerificationResultsFileName(u"VN01-123-4567", now), CString(u"Verify_VN01-123-4567_20261201_040509.csv"));
  EXPECT_EQ(VerificationResultsFileName(u"../x/y", now), CString(u"Verify_.._x_y_20261201_040509.csv"));
}

}  // namespace
