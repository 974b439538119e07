#include "calibration/MeasPlotDlg.h"

#include <algorithm>
#include <cmath>

#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "calibration/PlaceBeside.h"
#include "document/Units.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiPlus.h"
#include "platform/ui/PaintDC.h"
#include "resources/ResourceIds.h"
#include "toolkit/GraphScale.h"

namespace {

constexpr double kAbsoluteForceLimit = 26000;  // N
constexpr double kAutoForceAxis = 6000;        // N
constexpr int kStartTimeAxis = 15;             // s
constexpr int kWindowOffset = 25;              // each new window opens this far down and right
constexpr ARGB kCurveArgb = 0xFF66FF00;

// Shared by every plot window, so that all waiting windows blink together.
bool g_blinkOn = false;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CMeasPlotDlg, CDialog)
  .OnPaint(&CMeasPlotDlg::OnPaint)
  .OnEraseBkgnd(&CMeasPlotDlg::OnEraseBkgnd)
  .OnSize(&CMeasPlotDlg::OnSize)
  .OnMessage(WM_MOVE, &CMeasPlotDlg::OnMove)
  .OnTimer(&CMeasPlotDlg::OnTimer)
  .OnDestroy(&CMeasPlotDlg::OnDestroy)
END_MESSAGE_MAP()
// clang-format on

CMeasPlotDlg::CMeasPlotDlg(int number, CWnd* parent) : m_number(number), m_windowPos(u"PlotDlg", this) {
  m_boldFont.CreateFont(16, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, u"Tahoma");
  m_normalFont.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, u"Tahoma");
  m_framePen.CreatePen(PS_SOLID, 1, RGB(120, 120, 120));
  m_points.reserve(500);
  m_pParentWnd = parent;
  Create(IDD_MEAS_PLOT, parent);
}

CMeasPlotDlg::~CMeasPlotDlg() {
  if (IsWindow()) DestroyWindow();
}

BOOL CMeasPlotDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_windowPos.Restore(kSettingsKey);
  m_windowPos.m_left += kWindowOffset;
  m_windowPos.m_top += kWindowOffset;
  m_windowPos.m_right += kWindowOffset;
  m_windowPos.m_bottom += kWindowOffset;
  // Over the Live View dialog the window would hide its Stop button: it opens beside it.
  if (CWnd* dialog = GetOwner()) {
    CRect dialogRect;
    dialog->GetWindowRect(dialogRect);
    const CRect placed = PlaceBeside(
        CRect(m_windowPos.m_left, m_windowPos.m_top, m_windowPos.m_right, m_windowPos.m_bottom), dialogRect);
    m_windowPos.m_left = placed.left;
    m_windowPos.m_top = placed.top;
    m_windowPos.m_right = placed.right;
    m_windowPos.m_bottom = placed.bottom;
  }
  MoveWindow(m_windowPos.m_left, m_windowPos.m_top, m_windowPos.m_right - m_windowPos.m_left,
             m_windowPos.m_bottom - m_windowPos.m_top);
  m_positionTracking = true;
  SavePosition();
  return TRUE;
}

void CMeasPlotDlg::StartTest(const CString& title, bool newTest, int samplingPeriodMs,
                             const STestSettings& settings, bool yAxisAuto) {
  {
    CSingleLock lock(m_lock);
    m_waiting = !newTest;
    m_samplingPeriod = samplingPeriodMs;
    m_settings = settings;
    m_settingsLine = settings.Format();
    m_updateRateLine.Format(u"%s: %d %s", LoadStringOrPlaceholder(IDS_LIVE_UPDATE_RATE), samplingPeriodMs,
                            LoadStringOrPlaceholder(IDS_LIVE_MS));
    m_unitName = UnitName(settings.unit);
    m_points.clear();
    m_absoluteForceMax = ConvertForce(kAbsoluteForceLimit, settings.area, settings.unit);
    m_forceAxisMax =
        ConvertForce(yAxisAuto ? kAutoForceAxis : settings.loadLimit, settings.area, settings.unit);
    m_forceAxisMin = 0;
    m_timeAxisMax = kStartTimeAxis;
    m_blinkText.Empty();
  }
  if (!IsWindow()) return;
  SetWindowText(title);
  if (!newTest)
    SetTimer(kBlinkTimer, kBlinkMs);
  else
    KillTimer(kBlinkTimer);
  ShowWindow(SW_SHOW);
  Invalidate();
  SavePosition();
}

void CMeasPlotDlg::AddPoint(const CPlotData& point) {
  {
    CSingleLock lock(m_lock);
    m_points.push_back(point);
    const double force = std::ceil(point.displayForce);
    if (force > m_forceAxisMax) m_forceAxisMax = std::ceil(force * 1.1);
    const double time = std::round(point.time);
    if (time > std::round(m_timeAxisMax * 0.9)) m_timeAxisMax = int(std::lround(time * 1.2));
  }
  Invalidate();
}

void CMeasPlotDlg::EndTest() {
  {
    CSingleLock lock(m_lock);
    if (!m_points.empty()) m_timeAxisMax = int(std::ceil(m_points.back().time));
  }
  Invalidate();
}

bool CMeasPlotDlg::IsWaiting() const {
  CSingleLock lock(m_lock);
  return m_waiting;
}

int CMeasPlotDlg::GetPointCount() const {
  CSingleLock lock(m_lock);
  return int(m_points.size());
}

double CMeasPlotDlg::GetForceAxisMax() const {
  CSingleLock lock(m_lock);
  return m_forceAxisMax;
}

int CMeasPlotDlg::GetTimeAxisMax() const {
  CSingleLock lock(m_lock);
  return m_timeAxisMax;
}

void CMeasPlotDlg::OnTimer(UINT_PTR id) {
  if (id != kBlinkTimer) return;
  g_blinkOn = !g_blinkOn;
  {
    CSingleLock lock(m_lock);
    m_blinkText = g_blinkOn ? LoadStringOrPlaceholder(IDS_LIVE_WAITING_FOR_TEST) : CString();
  }
  Invalidate();
}

void CMeasPlotDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  SavePosition();
  Invalidate();
}

LRESULT CMeasPlotDlg::OnMove(WPARAM, LPARAM) {
  SavePosition();
  return 0;
}

void CMeasPlotDlg::OnDestroy() {
  SavePosition();
  KillTimer(kBlinkTimer);
  CDialog::OnDestroy();
}

BOOL CMeasPlotDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CMeasPlotDlg::SavePosition() {
  if (!m_positionTracking || !IsWindow()) return;
  if (IsIconic() || IsZoomed() || !IsWindowVisible()) return;
  m_windowPos.Save(kSettingsKey);
}

void CMeasPlotDlg::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  memory.FillSolidRect(&client, RGB(0, 0, 0));
  memory.SetTextColor(RGB(255, 255, 255));
  CFont* oldFont = memory.SelectObject(&m_normalFont);
  CPen* oldPen = memory.SelectObject(&m_framePen);

  std::vector<CPlotData> points;
  SGraphSettings settings;
  bool waiting = false;
  double absoluteMax = 0;
  {
    CSingleLock lock(m_lock);
    points = m_points;
    waiting = m_waiting;
    absoluteMax = m_absoluteForceMax;
    settings.dXMax = m_timeAxisMax;
    settings.dYMin = m_forceAxisMin;
    settings.dYMax = std::min(m_forceAxisMax, m_absoluteForceMax);
    settings.strYTitle.Format(u"%s (%s)", LoadStringOrPlaceholder(IDS_LIVE_LOAD), m_unitName);
  }
  settings.rcArea = {55, 45, client.right - 25, client.bottom - 40};
  settings.bAreaIsPlot = true;
  settings.dXMin = 0;
  settings.strXTitle.Format(u"%s (%s)", LoadStringOrPlaceholder(IDS_LIVE_TIME),
                            LoadStringOrPlaceholder(IDS_UNIT_SECOND));
  settings.dXStep = settings.dXMinorStep = settings.dYStep = settings.dYMinorStep = 1.0;
  settings.nTopAxis = GA_LINE;
  settings.nBottomAxis = 191;
  settings.nLeftAxis = 437;
  settings.nRightAxis = GA_LINE;
  settings.nXZeroAxis = 0;
  settings.nYZeroAxis = 0;
  settings.crGrid = RGB(75, 75, 75);
  ComputeGraphSteps(settings);
  settings.dYMax = std::min(settings.dYMax, absoluteMax);
  m_plotFrame.SetSettings(&memory, settings);
  m_plotFrame.Draw(&memory);
  DrawCurve(memory, points);
  DrawTexts(memory, client.Width(), waiting);

  dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(oldPen);
  memory.SelectObject(oldFont);
  memory.SelectObject(oldBitmap);
}

void CMeasPlotDlg::DrawCurve(CDC& dc, const std::vector<CPlotData>& points) {
  if (points.size() < 2) return;
  std::vector<GpPointF> pixels;
  pixels.reserve(points.size());
  for (const CPlotData& point : points)
    pixels.push_back(
        {REAL(m_plotFrame.ValueToX(point.time)), REAL(m_plotFrame.ValueToY(point.displayForce))});
  GpGraphics* graphics = nullptr;
  if (GdipCreateFromHDC(dc.GetSafeHdc(), &graphics) != Ok) return;
  GdipSetPageUnit(graphics, UnitPixel);
  GpPen* pen = nullptr;
  if (GdipCreatePen1(kCurveArgb, 1.0f, UnitPixel, &pen) == Ok) {
    GdipDrawLines(graphics, pen, pixels.data(), INT(pixels.size()));
    GdipDeletePen(pen);
  }
  GdipDeleteGraphics(graphics);
}

void CMeasPlotDlg::DrawTexts(CDC& dc, int width, bool waiting) {
  CString blink, settingsLine, rateLine;
  {
    CSingleLock lock(m_lock);
    blink = m_blinkText;
    settingsLine = m_settingsLine;
    rateLine = m_updateRateLine;
  }
  dc.SetBkMode(TRANSPARENT);
  const UINT oldAlign = dc.SetTextAlign(TA_CENTER);
  if (waiting) {
    CFont* old = dc.SelectObject(&m_boldFont);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.TextOut(width / 2, 12, blink);
    dc.SelectObject(old);
  } else {
    dc.SetTextColor(RGB(255, 255, 0));
    dc.TextOut(width / 2, 4, settingsLine);
    dc.TextOut(width / 2, 24, rateLine);
  }
  dc.SetTextAlign(oldAlign);
}
