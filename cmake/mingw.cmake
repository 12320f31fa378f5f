# Cross build for Windows with the mingw-w64 toolchain of MINGW_ARCH, included by the toolchain file
# of each architecture. The programs have one thread: the win32-threads toolchain serves them
# without winpthread. MINGW_THREADS=posix chooses the toolchain whose C++ runtime has std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})

if(NOT DEFINED MINGW_THREADS)
    set(MINGW_THREADS win32)
endif()
set(CMAKE_C_COMPILER ${MINGW_ARCH}-w64-mingw32-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_ARCH}-w64-mingw32-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER ${MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_DLLTOOL ${MINGW_ARCH}-w64-mingw32-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No runtime DLL beyond the system's: the C and C++ runtimes (and winpthread) go into each binary.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
