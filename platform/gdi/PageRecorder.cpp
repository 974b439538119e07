#include "platform/gdi/PageRecorder.h"

QImage* PageRecorder::StartPage() {
  m_page = QImage(m_width, m_height, QImage::Format_RGB32);
  m_page.fill(0xFFFFFFFF);
  return &m_page;
}
