# Cross build for 64-bit Windows with Debian's MinGW-w64, posix thread model (GCC 12's win32
# model has no std::thread or std::mutex). Used for qtbase itself and for Kreuzwart.
# -DKREUZWART_WINDOWS_QT=<folder> names the qtbase built for Windows (scripts/windows-toolchain
# makes it); without it only the compiler's own root is searched, as for building qtbase.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# try_compile projects read this file again and need the same folder.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KREUZWART_WINDOWS_QT)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
if(KREUZWART_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KREUZWART_WINDOWS_QT})
  list(APPEND CMAKE_PREFIX_PATH ${KREUZWART_WINDOWS_QT})
  # Qt's build tools (moc, rcc, uic) are the host's, of the same version.
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
# Programs from the host; libraries, headers and packages only from the Windows roots.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
