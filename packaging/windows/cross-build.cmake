# The cross build for Windows finds no Debian library packages for its target: SQLiteCpp with
# the SQLite it carries and GoogleTest are built from their sources as part of the project,
# nlohmann/json is header only. scripts/windows-build passes the SQLiteCpp source it unpacked
# from Debian's source package (scripts/windows-toolchain).
set(KREUZWART_SQLITECPP_SOURCE "" CACHE PATH "SQLiteCpp's source with its bundled SQLite")
if(NOT EXISTS "${KREUZWART_SQLITECPP_SOURCE}/sqlite3/sqlite3.c")
  message(FATAL_ERROR "KREUZWART_SQLITECPP_SOURCE names no SQLiteCpp source with sqlite3/sqlite3.c "
                      "(scripts/windows-toolchain prints it)")
endif()
set(SQLITECPP_INTERNAL_SQLITE ON CACHE BOOL "" FORCE)
set(SQLITECPP_RUN_CPPLINT OFF CACHE BOOL "" FORCE)
set(SQLITECPP_RUN_CPPCHECK OFF CACHE BOOL "" FORCE)
set(SQLITECPP_INCLUDE_SCRIPT OFF CACHE BOOL "" FORCE)
set(SQLITECPP_BUILD_TESTS OFF CACHE BOOL "" FORCE)
# Gives SQLiteCpp and SQLite::SQLite3, as Debian's packages do.
add_subdirectory(${KREUZWART_SQLITECPP_SOURCE} ${PROJECT_BINARY_DIR}/sqlitecpp EXCLUDE_FROM_ALL)

if(KREUZWART_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  # Gives GTest::gtest and GTest::gtest_main.
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# nlohmann/json from the host's headers, through a folder that holds them alone: the host's
# /usr/include must never reach the Windows compiler.
set(json_include ${PROJECT_BINARY_DIR}/windows-include)
file(MAKE_DIRECTORY ${json_include})
file(CREATE_LINK /usr/include/nlohmann ${json_include}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${json_include})

# Where the compiler's runtime DLLs are (libstdc++-6, libgcc_s_seh-1; libwinpthread-1 comes with
# MinGW-w64's own libraries): the tests under Wine load them from there, the setup program takes
# them along.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(KREUZWART_COMPILER_DLLS "${libstdcxx}" DIRECTORY)
set(KREUZWART_WINPTHREAD_DLLS /usr/x86_64-w64-mingw32/lib)
