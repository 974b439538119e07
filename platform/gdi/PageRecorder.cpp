#include "platform/gdi/PageRecorder.h"

QImage* PageRecorder::StartPage() {
  m_page = QImage(m_width, m_height, QImage::Format_RGB32);
  m_page.fill(0xFFFFFFFF);
  m_texts.clear();
  return &m_page;
}

void PageRecorder::EndPage() {
  m_pages.push_back(m_page.copy());
  m_pageTexts.push_back(std::move(m_texts));
  m_texts.clear();
}
