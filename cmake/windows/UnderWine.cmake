# Windows programs built on Linux run under wine64, the tests and the build's
# own picture decoder alike: CMake starts each through wine-run.sh, in a wine
# prefix of the build's own, with Qt's libraries and the MinGW runtime found
# on WINEPATH, as an installed folder finds them beside the program.
find_program(ORVEL_WINE64 NAMES wine64 PATHS /usr/lib/wine REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWRuntime.cmake)

set(orvel_wine_path "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
foreach(dll ${ORVEL_MINGW_RUNTIME_DLLS})
    get_filename_component(dir ${dll} DIRECTORY)
    list(APPEND orvel_wine_path ${dir})
endforeach()
list(REMOVE_DUPLICATES orvel_wine_path)
list(TRANSFORM orvel_wine_path PREPEND "Z:")
# Windows paths to the same folders, separated by semicolons as WINEPATH wants.
string(REPLACE "/" "\\" ORVEL_WINEPATH "${orvel_wine_path}")

set(ORVEL_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
               @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)

if(NOT BUILD_TESTING)
    return()
endif()

# Each CTest run starts from a new prefix, so that what one run's tests left
# in the wine registry never meets the next run's. The first test to start
# makes the prefix again (wine-run.sh).
add_test(NAME wine_prefix COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORVEL_WINEPREFIX})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP orvel_wine_prefix LABELS windows)

# Called at the end of a folder's tests: every one of them waits for that.
function(orvel_tests_need_wine_prefix)
    get_property(tests DIRECTORY PROPERTY TESTS)
    set_property(TEST ${tests} APPEND PROPERTY FIXTURES_REQUIRED orvel_wine_prefix)
endfunction()
