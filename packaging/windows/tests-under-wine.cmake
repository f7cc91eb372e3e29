# The tests run under Wine: CTest starts every test program through wine-run, which knows the
# Wine prefix, Qt's DLLs and plugins and the compiler's runtime DLLs.
set(KREUZWART_WINE_PREFIX "$ENV{HOME}/.cache/kreuzwart-windows/wine" CACHE PATH
    "The Wine prefix the tests run in; made on first use")
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(KREUZWART_COMPILER_DLLS "${libstdcxx}" DIRECTORY)
set(KREUZWART_WINPTHREAD_DLLS /usr/x86_64-w64-mingw32/lib)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${PROJECT_BINARY_DIR}/wine-run
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                   WORLD_EXECUTE
  @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
# Each test program is asked for its tests when CTest runs, under Wine, not while building.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# A test program's first start in a fresh Wine prefix, or beside a build, takes longer than
# GoogleTest's five seconds to list its tests.
function(gtest_discover_tests)
  _gtest_discover_tests(${ARGV} DISCOVERY_TIMEOUT 60)
endfunction()
