#pragma once
// The pages of a memory printer context, kept as images with the texts drawn on them (tests and
// tools look at both).

#include <QImage>
#include <QPoint>
#include <QString>
#include <vector>

class PageRecorder {
 public:
  struct Text {
    QString text;
    QPoint at;  // device position of the line's top left corner
  };

  PageRecorder(int width, int height) : m_width(width), m_height(height) {}

  void StartDoc() {
    m_pages.clear();
    m_pageTexts.clear();
  }
  // A blank page of the page size to draw on.
  QImage* StartPage();
  void AddText(const QString& text, QPoint at) { m_texts.push_back(Text{text, at}); }
  void EndPage();
  void AbortDoc() { StartDoc(); }
  const std::vector<QImage>& Pages() const { return m_pages; }
  const std::vector<std::vector<Text>>& PageTexts() const { return m_pageTexts; }

 private:
  int m_width;
  int m_height;
  QImage m_page;
  std::vector<Text> m_texts;
  std::vector<QImage> m_pages;
  std::vector<std::vector<Text>> m_pageTexts;
};
