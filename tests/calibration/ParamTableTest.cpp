#include <gtest/gtest.h>

#include "calibration/VexalonDoc.h"

namespace {

struct SExpectedParam {
  const char16_t* name;
  WORD address;
  int kind;
  int segment;
};

TEST(CalibrationParameterTable, ResetCopiesTheFortySevenDefaultWordsInMemoryOrder) {
  CVexalonDoc doc;
  doc.Reset();
  doc.m_params[0].value = 0x1234;
  doc.Reset();
  ASSERT_EQ(doc.m_params.size(), 47u);
  // Spot checks at each boundary: identifier, step force, first and last slope, the four
  // counter words, first and last offset.
  const std::vector<std::pair<int, SExpectedParam>> expected = {
      {0, {u"CALID_LB", 0x1000, 3, 1}},       {1, {u"CALID_HB", 0x1002, 3, 1}},
      {2, {u"CAL_STEP_FORCE", 0x1010, 1, 1}}, {3, {u"CAL_SLOPE", 0x1012, 1, 1}},
      {22, {u"CAL_SLOPE", 0x1038, 1, 1}},     {23, {u"LIFE_CNT_LB", 0x1080, 2, 3}},
      {24, {u"LIFE_CNT_HB", 0x1082, 2, 3}},   {25, {u"CALIB_CNT_LB", 0x1084, 2, 3}},
      {26, {u"CALIB_CNT_HB", 0x1086, 2, 3}},  {27, {u"CAL_OFFSET", 0x1088, 1, 3}},
      {46, {u"CAL_OFFSET", 0x10AE, 1, 3}},
  };
  for (const auto& [index, param] : expected) {
    SCOPED_TRACE(index);
    EXPECT_EQ(doc.m_params[index].name, param.name);
    EXPECT_EQ(doc.m_params[index].address, param.address);
    EXPECT_EQ(doc.m_params[index].kind, param.kind);
    EXPECT_EQ(doc.m_params[index].segment, param.segment);
  }
  for (std::size_t i = 1; i < doc.m_params.size(); ++i)
    EXPECT_LT(doc.m_params[i - 1].address, doc.m_params[i].address) << i;
  for (const auto& param : doc.m_params) EXPECT_EQ(param.value, 0xFFFF) << param.address;
}

}  // namespace

namespace {

TEST(CalibrationDocumentReset, ClearsTheComputationAndRecordButLeavesTheRunsTables) {
  CVexalonDoc doc;
  EXPECT_EQ(doc.m_calibratorInfo.factoryCalibrationWrite, EResultState::eNotRequired);
  doc.m_cycles[2].push_back(CStepMeas{});
  doc.m_means.resize(20);
  doc.m_slopes[4] = 1.2;
  doc.m_offsetWords[19] = -3;
  doc.m_stepForce = 1250;
  doc.m_actualRuns = 3;
  doc.m_finalResult = true;
  doc.m_exportText = u"kept";
  doc.m_certificateRows.resize(2);
  doc.m_calibratorInfo.calibrationCounterReset = true;
  doc.m_calibratorInfo.lastUsedCalibrationWrite = EResultState::eOk;
  doc.m_calibratorInfo.referenceSensorCalibrationDate = u"2026-01-01";
  doc.m_calibratorInfo.setRuns = 3;
  doc.Reset();
  EXPECT_EQ(doc.m_cycles[2].size(), 1u);
  EXPECT_EQ(doc.m_means.size(), 20u);
  EXPECT_EQ(doc.m_slopes[4], 0.0);
  EXPECT_EQ(doc.m_offsetWords[19], 0);
  EXPECT_EQ(doc.m_stepForce, 0);
  EXPECT_EQ(doc.m_actualRuns, 0);
  EXPECT_FALSE(doc.m_finalResult);
  EXPECT_EQ(doc.m_exportText, u"kept");
  EXPECT_TRUE(doc.m_certificateRows.empty());
  EXPECT_FALSE(doc.m_calibratorInfo.calibrationCounterReset);
  EXPECT_EQ(doc.m_calibratorInfo.class1Requirements, EResultState::eFailed);
  EXPECT_EQ(doc.m_calibratorInfo.lastUsedCalibrationWrite, EResultState::eFailed);
  EXPECT_EQ(doc.m_calibratorInfo.referenceSensorCalibrationDate, u"2000-01-01");
  EXPECT_EQ(doc.m_calibratorInfo.setRuns, 0);
}

TEST(CalibrationLogFile, CloseForgetsThePathAndCounts) {
  SLogFile log;
  log.path = u"/tmp/run.log";
  log.lineCount = 4;
  log.errorCount = 1;
  log.Close();
  EXPECT_TRUE(log.path.IsEmpty());
  EXPECT_EQ(log.lineCount, 0);
  EXPECT_EQ(log.errorCount, 0);
  EXPECT_FALSE(log.file.IsValid());
}

}  // namespace
