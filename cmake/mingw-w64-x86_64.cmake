# Cross build for 64-bit Windows with MinGW-w64's posix-threads compilers (GoogleTest needs
# std::mutex, which the win32-threads compilers lack). Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# ORVANE_WINDOWS_PREFIX: the folders of Qt and libqrencode built for Windows, a list
# (scripts/qt-mingw.sh prints it); without it only the components, the backend and wireless.dll
# can be built.
set(ORVANE_WINDOWS_PREFIX "" CACHE STRING "Qt and libqrencode cross-built for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${ORVANE_WINDOWS_PREFIX})
if(ORVANE_WINDOWS_PREFIX)
  list(APPEND CMAKE_PREFIX_PATH ${ORVANE_WINDOWS_PREFIX})
  # moc, rcc and uic are Debian's own of the same Qt version.
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
  # pkg-config answers for Windows libraries only, never this machine's.
  list(TRANSFORM ORVANE_WINDOWS_PREFIX APPEND /lib/pkgconfig OUTPUT_VARIABLE pc_dirs)
  string(REPLACE ";" ":" pc_dirs "${pc_dirs}")
  set(ENV{PKG_CONFIG_LIBDIR} "${pc_dirs}")
  set(ENV{PKG_CONFIG_PATH} "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime is linked in, so programs and wireless.dll need no MinGW DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

find_program(ORVANE_WINE NAMES wine wine64 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVANE_WINE})
