#pragma once
// The layer's time scale as a test sets it: the scale from before the override comes back
// when it goes, so that a test's faster clock never reaches the tests after it. A fixture
// holds one as its first member, so that the scale also lasts through its tear-down.

class CTimeScaleOverride {
 public:
  CTimeScaleOverride();
  explicit CTimeScaleOverride(double scale);
  ~CTimeScaleOverride();
  CTimeScaleOverride(const CTimeScaleOverride&) = delete;
  CTimeScaleOverride& operator=(const CTimeScaleOverride&) = delete;

  void Set(double scale);

 private:
  double m_before;
};
