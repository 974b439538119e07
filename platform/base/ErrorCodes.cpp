#include "platform/base/ErrorCodes.h"

#include <cerrno>

int OsErrorToWin(int errnoValue) {
  switch (errnoValue) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOSPC: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_INVALID_NAME;
    case ESPIPE: return ERROR_SEEK_ON_DEVICE;
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case ETIMEDOUT: return ERROR_TIMEOUT;
    case ECANCELED: return ERROR_OPERATION_ABORTED;
    case EIO: return ERROR_GEN_FAILURE;
    case ENODEV:
    case ENXIO: return ERROR_DEVICE_NOT_CONNECTED;
    default: return ERROR_GEN_FAILURE;
  }
}

int LastOsError() { return OsErrorToWin(errno); }
