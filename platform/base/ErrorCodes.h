#pragma once
// Windows system error numbers that the code keeps and reports. Codes from POSIX calls are
// translated to these by OsErrorToWin so that callers see one numbering.

enum : int {
  ERROR_SUCCESS = 0,
  ERROR_FILE_NOT_FOUND = 2,
  ERROR_PATH_NOT_FOUND = 3,
  ERROR_ACCESS_DENIED = 5,
  ERROR_INVALID_HANDLE = 6,
  ERROR_NOT_ENOUGH_MEMORY = 8,
  ERROR_OUTOFMEMORY = 14,
  ERROR_SEEK = 25,
  ERROR_WRITE_FAULT = 29,
  ERROR_READ_FAULT = 30,
  ERROR_GEN_FAILURE = 31,
  ERROR_SHARING_VIOLATION = 32,
  ERROR_HANDLE_EOF = 38,
  ERROR_NOT_SUPPORTED = 50,
  ERROR_FILE_EXISTS = 80,
  ERROR_INVALID_PARAMETER = 87,
  ERROR_OPEN_FAILED = 110,
  ERROR_DISK_FULL = 112,
  ERROR_INSUFFICIENT_BUFFER = 122,
  ERROR_INVALID_NAME = 123,
  ERROR_NEGATIVE_SEEK = 131,
  ERROR_SEEK_ON_DEVICE = 132,
  ERROR_ALREADY_EXISTS = 183,
  ERROR_OPERATION_ABORTED = 995,
  ERROR_IO_PENDING = 997,
  ERROR_DEVICE_NOT_CONNECTED = 1167,
  ERROR_TIMEOUT = 1460,
};

// Maps an errno value to the Windows error number with the same meaning.
int OsErrorToWin(int errnoValue);

// The calling thread's errno as the Windows error number with the same meaning.
int LastOsError();
