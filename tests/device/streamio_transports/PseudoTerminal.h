#pragma once
// A pseudo-terminal whose slave side stands at a COM number, so that a serial stream opened
// on that number talks to the test through the master side.

#include <string>

class CPseudoTerminal {
 public:
  // Opens the master side and maps the slave device to COM `comNumber`.
  explicit CPseudoTerminal(int comNumber);
  ~CPseudoTerminal();
  CPseudoTerminal(const CPseudoTerminal&) = delete;
  CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

  int Master() const { return m_master; }
  const std::string& SlavePath() const { return m_slave; }

 private:
  int m_master = -1;
  std::string m_slave;
};
