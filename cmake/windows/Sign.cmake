# Signs a Windows executable with osslsigncode where the packager names a
# code-signing certificate in the environment; without one it does nothing.
#   ORVEL_SIGN_CERT           the certificate chain (PEM), or a .pfx/.p12 holding key and chain
#   ORVEL_SIGN_KEY            its private key (PEM), unless ORVEL_SIGN_CERT is a .pfx/.p12
#   ORVEL_SIGN_PASSWORD_FILE  a file holding the key's password, if it has one
#   ORVEL_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamping server, so the signature outlives the certificate
function(orvel_sign file)
    set(cert "$ENV{ORVEL_SIGN_CERT}")
    if(cert STREQUAL "")
        return()
    endif()
    find_program(ORVEL_OSSLSIGNCODE osslsigncode)
    if(NOT ORVEL_OSSLSIGNCODE)
        message(FATAL_ERROR "ORVEL_SIGN_CERT is set, but osslsigncode is missing (Debian: osslsigncode)")
    endif()
    if(cert MATCHES "\\.(pfx|p12)$")
        set(args -pkcs12 "${cert}")
    else()
        if("$ENV{ORVEL_SIGN_KEY}" STREQUAL "")
            message(FATAL_ERROR "ORVEL_SIGN_CERT names a certificate but ORVEL_SIGN_KEY no key")
        endif()
        set(args -certs "${cert}" -key "$ENV{ORVEL_SIGN_KEY}")
    endif()
    if(NOT "$ENV{ORVEL_SIGN_PASSWORD_FILE}" STREQUAL "")
        list(APPEND args -readpass "$ENV{ORVEL_SIGN_PASSWORD_FILE}")
    endif()
    if(NOT "$ENV{ORVEL_SIGN_TIMESTAMP_URL}" STREQUAL "")
        list(APPEND args -ts "$ENV{ORVEL_SIGN_TIMESTAMP_URL}")
    endif()
    execute_process(
        COMMAND ${ORVEL_OSSLSIGNCODE} sign ${args} -h sha256 -n "Orvel Biblical Numerology"
                -i "http://www.orvel-numerology.test/" -in "${file}" -out "${file}.signed"
        RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(failed)
        file(REMOVE "${file}.signed")
        message(FATAL_ERROR "signing ${file} failed:\n${output}")
    endif()
    file(RENAME "${file}.signed" "${file}")
    message(STATUS "Signed: ${file}")
endfunction()
