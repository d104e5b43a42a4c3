# CPack runs this after it made the packages: the installer is signed, where a
# certificate is given (Sign.cmake); the program inside was signed as it was installed.
include(${CMAKE_CURRENT_LIST_DIR}/Sign.cmake)
foreach(package ${CPACK_PACKAGE_FILES})
    if(package MATCHES "\\.exe$")
        orvel_sign("${package}")
    endif()
endforeach()
