#pragma once
// The project document: the measurement list and the summary, the windows that show them, the
// modified flag, the project file path and format version, and the private clipboard format.
// Every question and change of the user interface about a measurement goes through it.
//
// Views learn of changes only through WM_ZEDO_DOC_CHANGED, posted with the index of the one
// measurement that changed or -1 for the whole list; the setters forwarded to the list post
// nothing, that is their caller's business.
//
// Threads: AddDownloadedData runs on the download thread; everything else on the user-interface
// thread. A download is parsed apart and put in place as a whole under the document's lock,
// which every question and change about a measurement takes, so a view never sees a
// half-filled list.

#include <atomic>
#include <cstdint>
#include <vector>

#include "document/SummaryData.h"
#include "document/VexalonData.h"
#include "platform/kernel/CriticalSection.h"
#include "platform/ui/WinUser.h"

namespace StreamIO {
class CJVArchive;
}

// The change notice posted to the views (wParam the measurement index or -1, lParam 0).
constexpr UINT WM_ZEDO_DOC_CHANGED = WM_USER + 4;

class CZedoDoc {
 public:
  static constexpr WORD kFormatVersion = 2;
  static const char16_t kMagic[];
  static const char16_t kClipboardFormatName[];
  static const char16_t kClipRamStreamName[];

  CZedoDoc();
  ~CZedoDoc();
  CZedoDoc(const CZedoDoc&) = delete;
  CZedoDoc& operator=(const CZedoDoc&) = delete;

  // Views and notices.
  void AddView(CWnd* window);
  bool RemoveView(CWnd* window);
  // Posts the notice to every registered live window except the sender.
  void UpdateAllViews(CWnd* sender, int index);

  // Sets the modified flag and returns the previous value.
  bool SetModified();
  bool IsModified() const { return m_bModified; }
  // The whole path, or (stripped) the file name without its extension; "Unnamed" for an
  // unsaved project with measurements, else empty.
  CString GetTitle(bool stripped) const;
  const CString& GetPath() const { return m_strPath; }
  WORD GetFormatVersion() const { return m_wFormatVersion; }
  bool HasMeasurements() const;

  // The summary selection; both mark the document modified, since the flags are saved.
  void SelectAll(bool flag);
  bool SetSelected(int index, bool flag);
  bool IsSelected(int index) const;
  void Sort(BYTE key);
  bool RecomputeSummary();
  CSummaryData& GetSummary() { return m_summary; }
  const CSummaryData& GetSummary() const { return m_summary; }
  // Replaces the list with the download's records (in the instrument's order), marks the
  // document modified and posts the notice with -1. Runs on the download thread.
  bool AddDownloadedData(const BYTE* buffer, std::size_t length, const SMeasDeviceInfo* device);

  // Forwarders to the measurement list, with its meaning and results; each takes the
  // document's lock for its one call (see Forward).
  int GetCount() const;
  BYTE GetSortColumn() const;
  BYTE GetSlotId(int index) const;
  DWORD GetId(int index) const;
  BYTE GetUnit(int index) const;
  CString GetUnitName(int index) const;
  std::int64_t GetDateTimeText(int index, CString& text) const;
  std::int64_t GetLastCalibrationDate(int index, CString& text) const;
  double GetAreaText(int index, CString& valueText, CString& unitText) const;
  double GetDiameterText(int index, CString& valueText, CString& unitText) const;
  double GetLoadRateText(int index, CString& valueText, CString& unitText) const;
  double GetEffectiveLoadRateText(int index, CString& valueText, CString& unitText) const;
  double GetLoadText(int index, CString& valueText, CString& unitText) const;
  double GetPeakLoad(int index, BYTE& unit, CString& valueText, CString& unitText) const;
  double GetLoadLimit(int index, bool convert) const;
  double GetPeakLoadTimeText(int index, CString& valueText, CString& unitText) const;
  double GetTearOffTimeText(int index, CString& valueText, CString& unitText) const;
  double GetSamplingPeriod(int index) const;
  bool GetFailureMode(int index, int mode, CString& classText, int& percent, BYTE& classCode) const;
  bool GetLoadCurve(int index, bool convert, const double*& values, double& peak, double& peakTime,
                    int& count, double& period, std::vector<CString>* texts = nullptr);
  bool GetDeviceInfo(int index, SMeasDeviceInfo& device) const;
  CString GetDeviceText(int index) const;
  CString GetComment(int index) const;
  bool IsExpanded(int index) const;
  void DeleteMeasurement(int index);
  void SetComment(int index, const CString& text);
  void SetId(int index, DWORD id);
  void SetUnit(int index, BYTE unit);
  void SetFailureClass(int index, int mode, BYTE code);
  void SetFailurePercent(int index, int mode, BYTE percent);
  void SetExpanded(int index, bool flag);
  void SetTime(int index, std::int64_t time);

  // Choice menus popped up at a grid or summary cell (screen coordinates). Each returns true
  // with the choice, false when the user chose nothing. Menus of several items are centred on
  // the middle of the cell when it is at most 150 pixels wide, else on x.
  bool TrackExcludeMenu(CWnd* window, int x, int y, bool& chosen);
  bool TrackPercentMenu(CWnd* window, int x, int left, int right, int y, int& percent);
  bool TrackFailureClassMenu(CWnd* window, int x, int left, int right, int y, BYTE& code);
  bool TrackSortKeyMenu(CWnd* window, int x, int left, int right, int y, BYTE& key);
  bool TrackUnitMenu(CWnd* window, int x, int left, int right, int y, BYTE& unit);

  // Project images. WriteProject writes the whole project (no selection) or the chosen
  // measurements without the summary. ReadProject replaces the list or merges into it; it
  // returns false when the image is refused (newer format, other load limit), raises the
  // archive's file errors, and changes nothing unless the whole image was read.
  bool WriteProject(StreamIO::CJVArchive& archive, const std::vector<BYTE>* selection);
  bool ReadProject(StreamIO::CJVArchive& archive, bool merge);

  // Asks to save a modified project and closes it; false when the user cancelled or the
  // save failed.
  bool QuerySave();
  // Opens a project (the open dialog when path is empty). A file that cannot be read leaves
  // the current project as it was.
  bool OnFileOpen(const CString& path);
  bool Save();
  bool OnFileSaveAs();
  // Writes the whole project beside the file and puts it in place only when all was written;
  // on failure the old file and the modified flag stay and the error is shown.
  bool SaveToPath(const CString& path);

  // The private clipboard format. The caller opens (and for a copy empties) the clipboard and
  // closes it afterwards.
  bool CopyToClipboard(const std::vector<BYTE>& selection);
  // False (and the project unchanged) when the block is damaged or cannot be read.
  bool PasteFromClipboard();
  bool IsClipboardDataAvailable() const;
  // True once a copy was made in this run.
  bool CanPaste() const;
  UINT GetClipboardFormat() const { return m_clipboardFormat; }

 private:
  // A project image read apart from the document, so that nothing changes unless all of it
  // could be read.
  struct SImage {
    CVexalonData list;
    WORD version = 0;
    bool hasSummary = false;
    CSummaryData::SSettings summary{};
  };
  // Reads a whole image; false when its format version is refused (the message is shown).
  bool ReadImage(StreamIO::CJVArchive& archive, SImage& image);
  // ReadImage and, for format versions above 1, the summary settings.
  bool ReadWholeImage(StreamIO::CJVArchive& archive, SImage& image);
  void ApplyImage(SImage& image);
  bool MergeImage(SImage& image);
  void CloseProject();
  // The file dialog of the project files (open or save), in the folder last used; path holds
  // the proposed name and receives the chosen path. False when the user cancelled.
  bool AskProjectPath(bool open, CString& path);
  void RememberFolder(const CString& path);
  // Calls the list's operation under the document's lock and returns its result: the one body
  // of every forwarder. The list is reached through `document`, so a const forwarder can only
  // call a const operation.
  template <auto Operation, class Document, class... Args>
  static decltype(auto) Forward(Document& document, Args&&... args);

  CVexalonData m_list;
  CSummaryData m_summary;
  mutable CCriticalSection m_lock;
  std::vector<CWnd*> m_views;
  std::atomic<bool> m_bModified{false};  // also set by the download thread
  CString m_strPath;
  WORD m_wFormatVersion = 0;
  UINT m_clipboardFormat = 0;
  BYTE m_clipboardFlags[4] = {};
};
