#include "platform/ui/OleDataSource.h"

#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/gdi/QtString.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/OleDropTarget.h"
#include "platform/ui/OleTextDrag.h"
#include "platform/ui/UserAnswers.h"

void COleDataSource::CacheGlobalData(UINT format, std::vector<BYTE> data) { m_blocks[format] = std::move(data); }

BOOL COleDataSource::SetClipboard() {
  if (!OpenClipboard(nullptr)) return FALSE;
  EmptyClipboard();
  BOOL placed = TRUE;
  for (const auto& [format, block] : m_blocks) placed = SetClipboardData(format, block) && placed;
  CloseClipboard();
  return placed;
}

namespace {

// A drag with the toolkit: the user drops the text wherever a program takes it.
DROPEFFECT DragWithToolkit(const OleDataBlocks& blocks, DWORD allowedEffects) {
  auto* drag = new QDrag(QGuiApplication::instance());
  auto* mime = new QMimeData;
  mime->setText(ToQString(TextOfBlocks(blocks)));
  drag->setMimeData(mime);
  return EffectOfAction(drag->exec(ActionsOfEffects(allowedEffects)));
}

}  // namespace

DROPEFFECT COleDataSource::DoDragDrop(DWORD allowedEffects) {
  SDragDropRequest request;
  request.allowedEffects = allowedEffects;
  request.show = [this, allowedEffects] { return DragWithToolkit(m_blocks, allowedEffects); };
  request.dropAt = [this, allowedEffects](CWnd* window, POINT point, DWORD keyState) {
    const DROPEFFECT dropped = SimulateOleDrop(window, m_blocks, point, keyState).dropped;
    return (dropped & allowedEffects) ? dropped : DROPEFFECT_NONE;
  };
  return GetUserAnswerSink().OnDragDrop(request);
}
