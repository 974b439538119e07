#pragma once
// Marks the handling of a toolkit event or signal that may reach a window: a window destroyed
// meanwhile keeps its widget until the handling is over, since the widget (or one of its
// children) may be the one handling it.
class WndEventScope {
 public:
  WndEventScope();
  ~WndEventScope();
  WndEventScope(const WndEventScope&) = delete;
  WndEventScope& operator=(const WndEventScope&) = delete;
  static bool Active();
};
