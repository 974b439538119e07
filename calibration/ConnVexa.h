#pragma once
// The live connection to a ZD-2 for the calibration procedures: it accepts an instrument from
// firmware 1.6.3 on, has the calibration document read its identity, reads its battery voltage
// and runs the read thread that switches it to continuous mode and decodes its live frames.

#include "calibration/ConnBase.h"

class CConnVexa : public CConnBase {
 public:
  static constexpr DWORD kReadTimeoutMs = 5000;

  CConnVexa(CWnd* owner, CVexalonDoc* document, UINT dataMessage, bool autoStart, UINT connectMessage);
  // Stops the search and the read thread before the members they use go.
  ~CConnVexa() override;

  bool OnConnected() override;
  bool StartReadThread() override;
  bool GetLatestSample(SLiveSample& sample) override;

  // Volts; 0.0 until read or when the read failed.
  double m_batteryVoltage = 0.0;

 private:
  DWORD ReadThreadProc();
  // Switches the instrument to continuous mode; false after reporting why it could not.
  bool PrepareStream();
  void OnFrame(const BYTE bytes[4]);

  SLiveSample m_latest;
};
