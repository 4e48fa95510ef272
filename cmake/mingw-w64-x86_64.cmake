# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (POSIX threads,
# for std::thread and std::mutex). Libraries Debian does not carry for mingw
# are looked for under ORVEX_WINDOWS_DEPS as well; .ci/windows builds them there.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(ORVEX_WINDOWS_DEPS "" CACHE PATH "Prefix with the libraries built for mingw-w64 (libxml2, GoogleTest)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVEX_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${ORVEX_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ and threads runtimes go into each program, so that the .exe files
# run from any folder without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest and the build run the programs under Wine, through a wrapper that
# starts a program once more only when Wine failed to start it at all.
find_program(ORVEX_WINE wine)
if(ORVEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-start)
endif()
