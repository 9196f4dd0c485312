# 64-bit Windows twin of the product, built with Debian's mingw-w64 (posix thread model):
# the same sources, for test benches that cannot run 32-bit code. Never shipped.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake")
