#include "platform/ui/PostedMessages.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/ui/WndWidget.h"

namespace {

// The posted messages not yet delivered, in posting order.
std::mutex& PendingMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<PostedMessageEvent*>& Pending() {
  static std::vector<PostedMessageEvent*> pending;
  return pending;
}

bool Unlist(PostedMessageEvent* event) {
  std::lock_guard lock(PendingMutex());
  auto& pending = Pending();
  auto found = std::find(pending.begin(), pending.end(), event);
  if (found == pending.end()) return false;
  pending.erase(found);
  return true;
}

}  // namespace

PostedMessageEvent::PostedMessageEvent(CWnd* target, UINT message, WPARAM wParam, LPARAM lParam)
    : QEvent(EventType()), target(target), message(message), wParam(wParam), lParam(lParam) {
  std::lock_guard lock(PendingMutex());
  Pending().push_back(this);
}

PostedMessageEvent::~PostedMessageEvent() { Unlist(this); }

bool PostedMessageEvent::TakeForDelivery() { return Unlist(this); }

int RemovePostedMessages(CWnd* wnd, UINT message, const std::function<void(WPARAM, LPARAM)>& onRemoved) {
  std::vector<std::pair<WPARAM, LPARAM>> removed;
  {
    std::lock_guard lock(PendingMutex());
    auto& pending = Pending();
    auto kept = std::stable_partition(pending.begin(), pending.end(), [&](PostedMessageEvent* event) {
      return event->target != wnd || event->message != message;
    });
    for (auto it = kept; it != pending.end(); ++it) removed.emplace_back((*it)->wParam, (*it)->lParam);
    pending.erase(kept, pending.end());
  }
  if (onRemoved) {
    for (const auto& [wParam, lParam] : removed) onRemoved(wParam, lParam);
  }
  return int(removed.size());
}
