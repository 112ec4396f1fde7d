#include "archive/PkaErrno.h"

namespace tessary {

namespace {

struct ErrnoMapping {
  WinError win;
  int crt;
};

constexpr ErrnoMapping kMappings[] = {
    {1, kCrtEINVAL},    {2, kCrtENOENT},     {3, kCrtENOENT},    {4, kCrtEMFILE},
    {5, kCrtEACCES},    {6, kCrtEBADF},      {7, kCrtENOMEM},    {8, kCrtENOMEM},
    {9, kCrtENOMEM},    {10, kCrtE2BIG},     {11, kCrtENOEXEC},  {12, kCrtEINVAL},
    {13, kCrtEINVAL},   {15, kCrtENOENT},    {16, kCrtEACCES},   {17, kCrtEXDEV},
    {18, kCrtENOENT},   {33, kCrtEACCES},    {53, kCrtENOENT},   {65, kCrtEACCES},
    {67, kCrtENOENT},   {80, kCrtEEXIST},    {82, kCrtEACCES},   {83, kCrtEACCES},
    {87, kCrtEINVAL},   {89, kCrtEAGAIN},    {108, kCrtEACCES},  {109, kCrtEPIPE},
    {112, kCrtENOSPC},  {114, kCrtEBADF},    {128, kCrtECHILD},  {129, kCrtECHILD},
    {130, kCrtEBADF},   {131, kCrtEINVAL},   {132, kCrtEACCES},  {145, kCrtENOTEMPTY},
    {158, kCrtEACCES},  {161, kCrtENOENT},   {164, kCrtEAGAIN},  {167, kCrtEACCES},
    {183, kCrtEEXIST},  {206, kCrtENOENT},   {215, kCrtEAGAIN},  {1816, kCrtENOMEM},
};

// Whole ranges the C runtime folds into one number.
struct ErrnoRange {
  WinError first, last;
  int crt;
};

constexpr ErrnoRange kRanges[] = {
    {19, 36, kCrtEACCES},    // write-protect .. sharing-buffer-exceeded
    {188, 202, kCrtENOEXEC},  // bad executable images
};

}  // namespace

int crtErrnoFromWinError(WinError error) {
  for (const ErrnoMapping& m : kMappings)
    if (m.win == error) return m.crt;
  for (const ErrnoRange& r : kRanges)
    if (error >= r.first && error <= r.last) return r.crt;
  return kCrtEINVAL;
}

}  // namespace tessary
