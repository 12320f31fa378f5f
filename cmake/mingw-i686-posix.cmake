# Cross build for i686 Windows with the posix-threads toolchain, for the cross-built unit suite:
# GoogleTest needs std::mutex, which the win32-threads C++ runtime lacks.
set(MINGW_ARCH i686)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
