#include "tests/calibration/LogWindow.h"

#include <cstdio>
#include <fstream>
#include <sstream>

CLogWindow::~CLogWindow() {
  if (log.m_pMirrorFile) std::fclose(log.m_pMirrorFile);
  log.m_pMirrorFile = nullptr;
}

bool CLogWindow::Create() {
  return m_parent.Create(nullptr, u"log", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0) &&
         log.Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 400, 300), &m_parent, 1);
}

bool CLogWindow::MirrorTo(const std::string& path) {
  m_path = path;
  log.m_pMirrorFile = std::fopen(path.c_str(), "w");
  return log.m_pMirrorFile != nullptr;
}

std::string CLogWindow::MirroredText() {
  if (log.m_pMirrorFile) std::fflush(log.m_pMirrorFile);
  std::ifstream file(m_path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}
