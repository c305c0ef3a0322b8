# Test builds on hosts that cannot execute 32-bit x86 code (no compat mode),
# where only a 64-bit Wine can run natively.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOL_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
