#pragma once
// The pages of a memory printer context, kept as images (tests and tools look at them).

#include <QImage>
#include <vector>

class PageRecorder {
 public:
  PageRecorder(int width, int height) : m_width(width), m_height(height) {}

  void StartDoc() { m_pages.clear(); }
  // A blank page of the page size to draw on.
  QImage* StartPage();
  void EndPage() { m_pages.push_back(m_page.copy()); }
  void AbortDoc() { m_pages.clear(); }
  const std::vector<QImage>& Pages() const { return m_pages; }

 private:
  int m_width;
  int m_height;
  QImage m_page;
  std::vector<QImage> m_pages;
};
