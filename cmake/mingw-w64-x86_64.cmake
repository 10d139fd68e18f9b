# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (POSIX threads flavour, so
# that std::thread and std::mutex work). Used by scripts/build-windows:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ROAMWISE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ROAMWISE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ROAMWISE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ROAMWISE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ROAMWISE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry the C++ runtime and the threads library inside them, so that they
# start on a bare Windows (or Wine) without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine; CTest and GoogleTest's discovery use it as the emulator.
find_program(ROAMWISE_WINE NAMES wine)
if(ROAMWISE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ROAMWISE_WINE})
endif()
