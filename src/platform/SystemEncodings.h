#pragma once

namespace orvex::platform {

// Lets libxml2 read data files in the system's code pages. On Windows its
// build here has no iconv, so the code pages Windows knows (windows-1252 and
// the other ANSI, OEM and East Asian ones) are read through the system's own
// conversion; elsewhere iconv knows them and there is nothing to do. Called
// once at start, before the first file is read.
#ifdef _WIN32
void registerSystemEncodings();
#else
inline void registerSystemEncodings() {}
#endif

} // namespace orvex::platform
