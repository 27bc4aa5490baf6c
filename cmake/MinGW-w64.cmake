# Cross build for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, for std::thread),
# linked statically so the programs need no MinGW DLLs. Programs built here run under Wine when it is
# installed: ctest and gtest start them through the emulator set below.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake -DMITORAN_ENGINE_ONLY=ON
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MITORAN_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${MITORAN_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${MITORAN_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MITORAN_MINGW_TRIPLE}-windres)

# Headers, libraries and packages come from the MinGW tree and the prefixes given to the build, never
# from the Linux system; programs (the build's tools) come from the Linux system.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${MITORAN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(MITORAN_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(MITORAN_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${MITORAN_WINE})
endif()
