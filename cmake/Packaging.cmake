# Installing the program where a desktop expects it, and packaging it for Debian.
include(GNUInstallDirs)

if(WIN32)
    # The icon that Explorer and the taskbar show for the executable file.
    target_sources(OrvelFreeBiblicalNumerology PRIVATE ${PROJECT_SOURCE_DIR}/resources/orvel.rc)
endif()

install(TARGETS OrvelFreeBiblicalNumerology RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(UNIX AND NOT APPLE)
    install(FILES packaging/${ORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES packaging/${ORVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size ${ORVEL_ICON_SIZES})
        install(FILES resources/icons/icon-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${ORVEL_APP_ID}.png)
    endforeach()
    install(FILES resources/icons/icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${ORVEL_APP_ID}.svg)
endif()

set(CPACK_PACKAGE_NAME orvel-biblical-numerology)
set(CPACK_PACKAGE_VENDOR Quillmoor)
set(CPACK_PACKAGE_CONTACT "Quillmoor <support@home.quillmoor.test>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Biblical numerology reading for a name")
set(CPACK_PACKAGE_DESCRIPTION
    "Type a name and get its biblical number, keyword, meaning and scripture verses.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The designed faces are Windows fonts; these carry the nearest widths.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-liberation2, xdg-utils")
include(CPack)
