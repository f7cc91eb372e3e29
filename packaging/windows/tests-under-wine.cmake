# The tests run under Wine: CTest starts every test program through wine-run, which knows the
# Wine prefix, Qt's DLLs and plugins and the compiler's runtime DLLs.
set(KREUZWART_WINE_PREFIX "$ENV{HOME}/.cache/kreuzwart-windows/wine" CACHE PATH
    "The Wine prefix the tests run in; made on first use")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${PROJECT_BINARY_DIR}/wine-run
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                   WORLD_EXECUTE
  @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
# Under Wine every start of a program costs most of a second: CTest runs each GoogleTest
# program once, as one test, instead of once for each of its cases; the program's own output
# names every case that failed.
function(gtest_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TEST_PREFIX" "PROPERTIES")
  set(name "${arg_TEST_PREFIX}${target}")
  add_test(NAME ${name} COMMAND ${target})
  set_tests_properties(${name} PROPERTIES ${arg_PROPERTIES})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()
