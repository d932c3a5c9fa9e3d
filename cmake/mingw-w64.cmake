# Cross-building for 64-bit Windows with Debian's mingw-w64 compilers
# (package g++-mingw-w64-x86-64-posix: the POSIX thread model, which the
# C++ library's threads and mutexes need).
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The executables are linked with a static runtime, so that they run on a
# bare Windows without the compiler's DLLs.  When wine is installed, the test
# programs run through it (test discovery and ctest alike).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BREMALO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BREMALO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BREMALO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BREMALO_MINGW_TRIPLE}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${BREMALO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(BREMALO_WINE NAMES wine wine64)
if(BREMALO_WINE)
  # Through a script that starts a test program again when Wine ended it
  # before it had started (scripts/wine-run.sh says when).
  find_program(BREMALO_BASH NAMES bash REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BREMALO_BASH} ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh
      ${BREMALO_WINE})
endif()
