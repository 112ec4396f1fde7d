// Files the runtime stores as they are instead of compressing them: formats
// that are compressed already.
#pragma once

#include <string_view>

namespace tessary::lzs {

// The list as the system writes it: "*." + extension in upper case + ";".
inline constexpr std::string_view kStoredExtensions =
    "*.ARC;*.ARJ;*.AU;*.BH;*.BZ;*.BZ2;*.CAB;*.CHM;*.GIF;*.GZ;*.JAR;*.JFIF;*.JPE;*.JPEG;*.JPG;*.LHA;*.LZH;"
    "*.M1V;*.MOV;*.MP2;*.MP2V;*.MP3;*.MPA;*.MPE;*.MPEG;*.PG;*.MPV2;*.QT;*.RAM;*.RAR;*.RM;*.TAR;*.TBZ;"
    "*.TBZ2;*.TGZ;*.WM;*.WMA;*.Z;*.ZIP;*.ZOO;";

// True when `name` (a file name or path) is to be stored uncompressed: the
// text after its last "." is, in any letter case, one of the list's
// extensions. A name without a "." is compressed.
bool isStoredUncompressed(std::string_view name);

}  // namespace tessary::lzs
