# Cross build for x86_64 Windows with the posix-threads toolchain, for the cross-built unit suite:
# GoogleTest needs std::mutex, which the win32-threads C++ runtime lacks.
set(MINGW_ARCH x86_64)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
