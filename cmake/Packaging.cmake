# Installing the program where a desktop expects it, and packaging it for Debian.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME orvel-biblical-numerology)

if(WIN32)
    # The icon that Explorer and the taskbar show for the executable file.
    target_sources(OrvelFreeBiblicalNumerology PRIVATE ${PROJECT_SOURCE_DIR}/resources/orvel.rc)
endif()

install(TARGETS OrvelFreeBiblicalNumerology RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
    set(orvel_docdir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
    install(FILES packaging/${ORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES packaging/${ORVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size ${ORVEL_ICON_SIZES})
        install(FILES resources/icons/icon-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${ORVEL_APP_ID}.png)
    endforeach()
    install(FILES resources/icons/icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${ORVEL_APP_ID}.svg)
    install(FILES packaging/copyright DESTINATION ${orvel_docdir})

    # Debian wants the manual page and the changelog compressed, at the
    # highest level and without a time stamp, so the package is reproducible.
    find_program(ORVEL_GZIP gzip REQUIRED)
    set(orvel_gzipped)
    foreach(file OrvelFreeBiblicalNumerology.1 changelog)
        set(gzipped ${PROJECT_BINARY_DIR}/packaging/${file}.gz)
        add_custom_command(
            OUTPUT ${gzipped}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
            COMMAND ${ORVEL_GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/${file} > ${gzipped}
            DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file})
        list(APPEND orvel_gzipped ${gzipped})
    endforeach()
    add_custom_target(orvel_package_docs ALL DEPENDS ${orvel_gzipped})
    install(FILES ${PROJECT_BINARY_DIR}/packaging/OrvelFreeBiblicalNumerology.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${orvel_docdir})
endif()

set(CPACK_PACKAGE_VENDOR Quillmoor)
set(CPACK_PACKAGE_CONTACT "Quillmoor <support@home.quillmoor.test>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Biblical numerology reading for a name")
set(CPACK_PACKAGE_DESCRIPTION
    "Type a name and get its biblical numerology reading: the biblical number of
the name, from 1 to 12, its keyword, a paragraph on its meaning and the
scripture verses that go with it.")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.orvel-numerology.test/")
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The designed faces are Windows fonts; these carry the nearest widths.
# Qt's Wayland plugin lets the program run natively in a Wayland session.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-liberation2, qt6-wayland, xdg-utils")
include(CPack)
