# Cross build for 64-bit Windows with MinGW-w64; the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex, which the win32 model
# of GCC 12 lacks. The static link below takes the threading runtime in.
find_program(CMAKE_CXX_COMPILER NAMES ${mingw}-g++-posix ${mingw}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${mingw}-gcc-posix ${mingw}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every Windows program of the build, tests included, links its runtimes in:
# under Wine a missing runtime DLL shows only as status 0xC0000135.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Test programs run under Wine, in a prefix of the build tree's own.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine/prefix)
