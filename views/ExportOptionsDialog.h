#pragma once
// CExportOptionsDialog: the one design of the picture and the text export dialogs. Its body is
// an owner-painted panel of four framed columns: three of clickable option rows (a picture and
// a label each) and a preview drawn from small strips that shows what the export will make. A
// click on a row chooses it, the row under the mouse is highlighted, and Export checks the
// choice, asks for the target file and keeps the choices in the settings store. The derived
// dialogs give the option sets, codes, preview strips, storage and file types.
//
// Members live in ExportOptionsDialog.cpp (choices, mouse, the Export button) and
// ExportOptionsPanel.cpp (painting).

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "platform/gdi/Font.h"
#include "platform/gdi/Rgn.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Static.h"
#include "toolkit/DibSectionNP.h"
#include "toolkit/SensitiveArea.h"

// One option row: its code (unique across the columns of a dialog), label and picture.
struct SExportOption {
  int code;
  UINT labelId;
  UINT pictureId;
};

// One column of option rows: its heading, the width its rows get besides their pictures, the
// choice it starts with and its options in row order.
struct SExportColumn {
  UINT headingId;
  int widthSetting;
  int initialChoice;
  std::vector<SExportOption> options;
};

class CExportOptionsDialog : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr int kColumnCount = 3;
  // GetTarget's answers.
  static constexpr int kTargetOneFile = 0;
  static constexpr int kTargetEachFile = 1;
  static constexpr int kTargetClipboard = 2;

  ~CExportOptionsDialog() override;

  // The file chosen in the file dialog; empty until one is chosen.
  const CString& GetPath() const { return m_strPath; }
  // 0 one file, 1 one file per measurement, 2 the clipboard.
  virtual int GetTarget() const = 0;
  virtual bool IsAllData() const = 0;

  // The option code chosen in a column (0 content or format, 1 target, 2 data).
  int GetChoice(int column) const { return m_choices[size_t(column)]; }
  // The code of the row under the mouse, -1 for none.
  int GetHovered() const { return m_nHovered; }
  // Where the option row of the code was painted last; empty before the first paint.
  CRect GetOptionRect(int code) const;
  // The preview's pictures and, for each, its strips from the top (bitmap ids).
  int GetPreviewCount() const;
  std::vector<UINT> GetPreviewStrips(int picture) const;

  void OnOK() override;

 protected:
  // The derived dialog loads its stored choices and then calls KeepKnownChoices.
  CExportOptionsDialog(UINT templateId, int fontSourceId, std::array<SExportColumn, kColumnCount> columns,
                       bool selectionExists, CWnd* parent);

  // A stored code that belongs to no option of its column would pick what the user never saw:
  // such a column starts with its initial choice instead.
  void KeepKnownChoices();
  // Loads the option pictures of every column and the given preview pieces.
  void LoadPictures(const std::vector<UINT>& previewPieces);

  // Binds the hidden static whose font is the panel's font.
  void DoDataExchange(CDataExchange* dx) override;
  // Takes what the dialog's own controls hold before the choices are stored.
  virtual void TakeControlValues() {}
  virtual void SaveSettings() = 0;
  virtual void ShowNoSelectionMessage() = 0;
  // The save dialog's default extension, file name and filter.
  virtual CString GetDefaultExtension() const = 0;
  virtual CString GetDefaultFileName() const = 0;
  virtual CString GetFileFilter() const = 0;
  // True when the file's last four characters name a type the export writes.
  virtual bool AcceptFileEnding(const CString& ending) = 0;
  // The strips under the column-header strip of one preview picture, and the target's icon.
  virtual std::vector<UINT> GetPreviewRows(int picture) const = 0;
  virtual UINT GetPreviewIcon(bool& transparent) const = 0;

  std::array<int, kColumnCount> m_choices{};

 private:
  BOOL OnEraseBkgnd(CDC* dc);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  // Asks for the target file and closes the dialog when its type is one the export writes.
  void ChooseFile();

  // ExportOptionsPanel.cpp
  void OnPaint();
  void DrawBackground(CDC* dc, const CRect& client);
  // Draws one column at x with its heading, rows and frame; returns the column's width.
  int DrawColumn(CDC* dc, int column, int x);
  int DrawPanelHeading(CDC* dc, const CString& heading, int code);
  void DrawOption(CDC* dc, int code, const CString& label);
  void DrawOptionHighlight(CDC* dc, const CRect& rect, bool hovered, bool chosen);
  void DrawColumnFrame(CDC* dc, int x, int width);
  void DrawPreview(CDC* dc, int x);
  // How many of the label's widest character fit on a line of a row of that width beside its
  // picture.
  static int CharsPerLine(CDC* dc, const CString& label, int rowWidth, int pictureWidth);
  static int GetWidestCharWidth(CDC* dc, const CString& text);
  const SExportOption* FindOption(int code) const;
  CDibSectionNP* Picture(UINT id);
  CSize PictureSize(UINT id) const;

  std::array<SExportColumn, kColumnCount> m_columns;
  int m_nFontSourceId;
  CStatic m_fontSource;
  std::map<UINT, std::unique_ptr<CDibSectionNP>> m_pictures;
  CSensitiveArea m_hitRegions;
  std::map<int, CRect> m_optionRects;
  CRgn m_clipRegion;
  CFont m_panelFont;
  CFont m_headingFont;
  CString m_strPath;
  int m_nHovered = -1;
  bool m_bSelectionExists;
  // Where the pen stands while a column is painted, and the column's measures.
  int m_nTextOffset = 0;
  int m_nPenX = 0;
  int m_nPenY = 0;
  int m_nColumn = 0;
  int m_nColumnWidth = 0;
  int m_nLastHeadingWidth = 0;
};
