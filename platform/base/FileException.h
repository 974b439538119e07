#pragma once
// The framework's file exception: a kept Windows error number and the name of the file or
// stream it concerns. Thrown by value, caught by const reference.

#include <exception>

#include "platform/base/String.h"

class CFileException : public std::exception {
 public:
  CFileException(int osError, CString fileName) : m_lOsError(osError), m_strFileName(std::move(fileName)) {}
  const char* what() const noexcept override { return "file exception"; }
  // The text the framework shows for the exception, naming the file and the error number.
  CString GetErrorMessage() const;

  int m_lOsError;
  CString m_strFileName;
};

// Out of memory, as the framework raised it.
class CMemoryException : public std::exception {
 public:
  const char* what() const noexcept override { return "out of memory"; }
};

[[noreturn]] void ThrowFileException(int osError, const CString& fileName);
