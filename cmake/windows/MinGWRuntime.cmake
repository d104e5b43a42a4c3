# The MinGW-w64 runtime that every program built with it needs beside it:
# the C++ library, GCC's support library and the POSIX threads library.
include_guard(GLOBAL)
set(ORVEL_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "MinGW-w64 runtime ${dll} not found")
    endif()
    file(REAL_PATH "${path}" path)
    list(APPEND ORVEL_MINGW_RUNTIME_DLLS ${path})
endforeach()
