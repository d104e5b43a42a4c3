# Windows, as far as a Linux machine can check it. Debian has no Qt for
# MinGW-w64, so no Windows executable of the program can be built here; what
# can be checked is that every source compiles for Windows against Qt's
# headers (syntax only), that the resource script compiles, and that the
# Windows code that needs no Qt runs under wine64: the process query and the
# resources as Windows reads them.
find_program(ORVEL_MINGW_CXX NAMES x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++)
find_program(ORVEL_MINGW_WINDRES x86_64-w64-mingw32-windres)
find_program(ORVEL_WINE64 wine64 PATHS /usr/lib/wine)
find_program(ORVEL_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine)
if(NOT ORVEL_MINGW_CXX OR NOT ORVEL_MINGW_WINDRES OR NOT ORVEL_WINE64 OR NOT ORVEL_WINESERVER)
    message(STATUS "Windows check skipped: needs MinGW-w64 and wine64 (scripts/test.sh installs them)")
    return()
endif()

set(orvel_windows_dir ${PROJECT_BINARY_DIR}/windows-check)
set(orvel_windows_flags -std=c++20 -Wall -Wextra -Wpedantic -DUNICODE -D_UNICODE
    -I${PROJECT_SOURCE_DIR}/src/engine -I${PROJECT_SOURCE_DIR}/src/platform
    -I${PROJECT_SOURCE_DIR}/src/forms -I${PROJECT_SOURCE_DIR}/src/app)
if(ORVEL_WERROR)
    list(APPEND orvel_windows_flags -Werror)
endif()
# Qt's headers as system headers: their own dllimport attribute warnings are not ours.
foreach(module Core Gui Widgets)
    string(TOUPPER ${module} upper)
    list(APPEND orvel_windows_flags -DQT_${upper}_LIB)
    get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
    foreach(dir ${dirs})
        # The Linux mkspec does not describe Windows.
        if(NOT dir MATCHES "/mkspecs/")
            list(APPEND orvel_windows_flags -isystem${dir})
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES orvel_windows_flags)

# One stamp per source, remade when the source or a header it includes changes.
set(orvel_windows_outputs)
foreach(target orvel_engine orvel_platform orvel_forms orvel_app OrvelFreeBiblicalNumerology orvel_rawpixels)
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    get_target_property(definitions ${target} COMPILE_DEFINITIONS)
    set(defines)
    foreach(definition ${definitions})
        if(definition)
            list(APPEND defines -D${definition})
        endif()
    endforeach()
    foreach(source ${sources})
        if(NOT source MATCHES "\\.cpp$")
            continue()
        endif()
        get_filename_component(source ${source} ABSOLUTE BASE_DIR ${source_dir})
        file(RELATIVE_PATH name ${PROJECT_SOURCE_DIR} ${source})
        set(stamp ${orvel_windows_dir}/syntax/${name}.stamp)
        get_filename_component(stamp_dir ${stamp} DIRECTORY)
        add_custom_command(
            OUTPUT ${stamp}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${stamp_dir}
            COMMAND ${ORVEL_MINGW_CXX} ${orvel_windows_flags} ${defines} -fsyntax-only
                    -MD -MF ${stamp}.d -MT ${stamp} ${source}
            COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
            DEPENDS ${source}
            DEPFILE ${stamp}.d
            COMMENT "Checking ${name} for Windows (MinGW-w64, syntax only)"
            VERBATIM)
        list(APPEND orvel_windows_outputs ${stamp})
    endforeach()
endforeach()

# The resource script as the Windows build compiles it (cmake/Packaging.cmake).
set(orvel_windows_resources ${orvel_windows_dir}/orvel.res.o)
add_custom_command(
    OUTPUT ${orvel_windows_resources}
    COMMAND ${ORVEL_MINGW_WINDRES} ${PROJECT_BINARY_DIR}/orvel.rc -O coff -o ${orvel_windows_resources}
    DEPENDS ${PROJECT_BINARY_DIR}/orvel.rc ${PROJECT_SOURCE_DIR}/resources/icon.ico
            ${PROJECT_SOURCE_DIR}/resources/orvel.manifest
    COMMENT "Compiling the Windows resource script"
    VERBATIM)

# Programs without Qt, linked statically so that wine needs no MinGW library.
set(orvel_windows_programs)
function(orvel_windows_program name)
    set(exe ${orvel_windows_dir}/${name}.exe)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;FLAGS")
    add_custom_command(
        OUTPUT ${exe}
        COMMAND ${ORVEL_MINGW_CXX} ${orvel_windows_flags} -DQT_NO_VERSION_TAGGING ${arg_FLAGS} -O1 -static
                ${arg_SOURCES} ${orvel_windows_resources} -lversion -o ${exe}
        DEPENDS ${arg_SOURCES} ${orvel_windows_resources}
        COMMENT "Building ${name}.exe for wine"
        VERBATIM)
    set(orvel_windows_programs ${orvel_windows_programs} ${exe} PARENT_SCOPE)
endfunction()
orvel_windows_program(tst_processalive
    SOURCES ${PROJECT_SOURCE_DIR}/src/platform/processalive.cpp ${PROJECT_SOURCE_DIR}/tests/platform/tst_processalive.cpp)
orvel_windows_program(tst_windowsresources
    SOURCES ${PROJECT_SOURCE_DIR}/tests/windows/tst_windowsresources.cpp
    FLAGS -DORVEL_VERSION="${PROJECT_VERSION}")

add_custom_target(orvel_windows_check ALL DEPENDS ${orvel_windows_outputs} ${orvel_windows_programs})

add_test(NAME tst_windows_wine
         COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/run-under-wine.sh ${ORVEL_WINE64} ${ORVEL_WINESERVER}
                 ${orvel_windows_dir}/wineprefix ${orvel_windows_programs})
set_tests_properties(tst_windows_wine PROPERTIES TIMEOUT 300)
