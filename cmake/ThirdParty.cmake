# Dependencies that tools/bootstrap.sh installs or prepares; nothing of them is committed.

# GoogleTest from Debian's googletest sources, cross-compiled.
set(PURVEX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS "${PURVEX_GTEST_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources missing at ${PURVEX_GTEST_SOURCE}: run tools/bootstrap.sh")
endif()
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory("${PURVEX_GTEST_SOURCE}" googletest EXCLUDE_FROM_ALL)

# SQLite: the amalgamation that the bootstrap builds from Debian's source package.
set(PURVEX_SQLITE_DIR "${PURVEX_THIRD_PARTY}/sqlite")
if(NOT EXISTS "${PURVEX_SQLITE_DIR}/sqlite3.c")
  message(FATAL_ERROR "SQLite amalgamation missing in ${PURVEX_SQLITE_DIR}: run tools/bootstrap.sh")
endif()
add_library(sqlite3 STATIC "${PURVEX_SQLITE_DIR}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${PURVEX_SQLITE_DIR}")
target_compile_definitions(sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION
                           SQLITE_WIN32_MALLOC)
target_compile_options(sqlite3 PRIVATE -O2 -w)
