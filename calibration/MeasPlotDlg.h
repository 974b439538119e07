#pragma once
// A Live View plot window (dialog 510, modeless): the load of one test against time, one point
// per sampling period, on black. While it waits for a test it blinks "Waiting for a test to
// start"; during and after a test it shows the test settings and the update rate above the
// curve. The force axis starts at 6000 N (or the load limit) in the display unit and grows with
// the data up to 26000 N; the time axis starts at 15 s and grows by a fifth ahead of the data.
//
// Points arrive on the sampling timer's thread while the window paints on the user-interface
// thread: one lock guards the points and the axes, and the timer thread only asks for a paint.

#include <vector>

#include "appbase/WindowPos.h"
#include "calibration/PlotData.h"
#include "calibration/TestSettings.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Pen.h"
#include "platform/kernel/CriticalSection.h"
#include "platform/ui/Dialog.h"
#include "toolkit/GraphGrid.h"

class CMeasPlotDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr COLORREF kCurveColor = RGB(102, 255, 0);
  static constexpr UINT_PTR kBlinkTimer = 1;
  static constexpr UINT kBlinkMs = 700;

  // Creates the window from dialog 510, owned by the Live View dialog.
  CMeasPlotDlg(int number, CWnd* parent);
  ~CMeasPlotDlg() override;

  // Restarts the window for a test (new test) or for waiting for one.
  void StartTest(const CString& title, bool newTest, int samplingPeriodMs, const STestSettings& settings,
                 bool yAxisAuto);
  // Any thread.
  void AddPoint(const CPlotData& point);
  // Fits the time axis to the test's last point.
  void EndTest();

  bool IsWaiting() const;
  int GetPointCount() const;
  double GetForceAxisMax() const;
  int GetTimeAxisMax() const;

 protected:
  BOOL OnInitDialog() override;

 private:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSize(UINT type, int cx, int cy);
  LRESULT OnMove(WPARAM, LPARAM);
  void OnTimer(UINT_PTR id);
  void OnDestroy();
  void SavePosition();
  void DrawCurve(CDC& dc, const std::vector<CPlotData>& points);
  void DrawTexts(CDC& dc, int width, bool waiting);

  int m_number;
  CGraphGrid m_plotFrame;
  mutable CCriticalSection m_lock;  // guards the points, the axes and the waiting flag
  std::vector<CPlotData> m_points;
  double m_absoluteForceMax = 0;
  double m_forceAxisMax = 0;
  double m_forceAxisMin = 0;
  int m_timeAxisMax = 15;
  bool m_waiting = true;
  bool m_positionTracking = false;
  CString m_blinkText;
  CString m_settingsLine;
  CString m_updateRateLine;
  CString m_unitName;
  int m_samplingPeriod = 0;
  STestSettings m_settings;
  CFont m_boldFont;
  CFont m_normalFont;
  CPen m_framePen;
  CWindowPos m_windowPos;
};
