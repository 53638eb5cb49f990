# Cross-building the 32-bit Windows gauge module with Debian's i686 MinGW toolchain
# (g++-mingw-w64-i686): cmake -DCMAKE_TOOLCHAIN_FILE=windows/toolchain-i686-mingw.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CRV5_MINGW i686-w64-mingw32)
set(CMAKE_C_COMPILER ${CRV5_MINGW}-gcc)
set(CMAKE_CXX_COMPILER ${CRV5_MINGW}-g++)
set(CMAKE_RC_COMPILER ${CRV5_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CRV5_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
