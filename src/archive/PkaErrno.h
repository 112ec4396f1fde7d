// The archive reports failed file calls as C runtime error numbers, the way
// the Windows C runtime turns a Win32 error into errno. The numbers are the
// Windows C runtime's, whatever the host's <cerrno> says.
#pragma once

#include "platform/WinError.h"

namespace tessary {

inline constexpr int kCrtENOENT = 2;
inline constexpr int kCrtE2BIG = 7;
inline constexpr int kCrtENOEXEC = 8;
inline constexpr int kCrtEBADF = 9;
inline constexpr int kCrtECHILD = 10;
inline constexpr int kCrtEAGAIN = 11;
inline constexpr int kCrtENOMEM = 12;
inline constexpr int kCrtEACCES = 13;
inline constexpr int kCrtEEXIST = 17;
inline constexpr int kCrtEXDEV = 18;
inline constexpr int kCrtEINVAL = 22;
inline constexpr int kCrtEMFILE = 24;
inline constexpr int kCrtENOSPC = 28;
inline constexpr int kCrtEPIPE = 32;
inline constexpr int kCrtENOTEMPTY = 41;

// Never 0: an error that the table does not know is EINVAL, and so is
// kErrorSuccess, which a caller should not be mapping.
int crtErrnoFromWinError(WinError error);

}  // namespace tessary
