// Win32 error numbers: the error language of the platform boundary.
#pragma once

#include <cstdint>

namespace tessary {

using WinError = std::uint32_t;

inline constexpr WinError kErrorSuccess = 0;
inline constexpr WinError kErrorFileNotFound = 2;
inline constexpr WinError kErrorPathNotFound = 3;
inline constexpr WinError kErrorTooManyOpenFiles = 4;
inline constexpr WinError kErrorAccessDenied = 5;
inline constexpr WinError kErrorInvalidHandle = 6;
inline constexpr WinError kErrorNotEnoughMemory = 8;
inline constexpr WinError kErrorInvalidData = 13;
inline constexpr WinError kErrorNotSameDevice = 17;
inline constexpr WinError kErrorNotReady = 21;
inline constexpr WinError kErrorWriteFault = 29;
inline constexpr WinError kErrorReadFault = 30;
inline constexpr WinError kErrorSharingViolation = 32;
inline constexpr WinError kErrorLockViolation = 33;
inline constexpr WinError kErrorHandleEof = 38;
inline constexpr WinError kErrorNotSupported = 50;
inline constexpr WinError kErrorFileExists = 80;
inline constexpr WinError kErrorInvalidParameter = 87;
inline constexpr WinError kErrorDiskFull = 112;
inline constexpr WinError kErrorCallNotImplemented = 120;
inline constexpr WinError kErrorInsufficientBuffer = 122;
inline constexpr WinError kErrorInvalidName = 123;
inline constexpr WinError kErrorProcNotFound = 127;
inline constexpr WinError kErrorNegativeSeek = 131;
inline constexpr WinError kErrorDirNotEmpty = 145;
inline constexpr WinError kErrorBadPathname = 161;
inline constexpr WinError kErrorAlreadyExists = 183;
inline constexpr WinError kErrorFilenameExcedRange = 206;
inline constexpr WinError kErrorMoreData = 234;
inline constexpr WinError kErrorNoMoreItems = 259;
inline constexpr WinError kErrorDirectory = 267;
inline constexpr WinError kErrorBadDb = 1009;
inline constexpr WinError kErrorBadKey = 1010;
inline constexpr WinError kErrorCantOpenKey = 1011;
inline constexpr WinError kErrorCantReadKey = 1012;
inline constexpr WinError kErrorCantWriteKey = 1013;
inline constexpr WinError kErrorKeyDeleted = 1018;
inline constexpr WinError kErrorNotLoggedOn = 1245;
inline constexpr WinError kErrorNoSuchPrivilege = 1313;
inline constexpr WinError kErrorPrivilegeNotHeld = 1314;
inline constexpr WinError kErrorNotAllAssigned = 1300;
inline constexpr WinError kErrorNoneMapped = 1332;
inline constexpr WinError kErrorInvalidWindowHandle = 1400;
inline constexpr WinError kErrorDcNotFound = 2453;  // NERR_DCNotFound

}  // namespace tessary
