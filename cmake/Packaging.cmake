# Installing the program where a desktop expects it, and packaging it: a
# Debian package on Linux; on Windows a folder with Qt's libraries beside the
# executable, zipped or in an installer.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME orvel-biblical-numerology)

# The icon, version information and manifest that Windows reads from the
# executable; made everywhere, since the Windows check compiles it too.
configure_file(resources/orvel.rc.in ${PROJECT_BINARY_DIR}/orvel.rc @ONLY)
if(WIN32)
    target_sources(OrvelFreeBiblicalNumerology PRIVATE ${PROJECT_BINARY_DIR}/orvel.rc)
    if(MSVC)
        # The resource script carries the manifest; the linker must not add its own.
        target_link_options(OrvelFreeBiblicalNumerology PRIVATE /MANIFEST:NO)
    endif()
endif()

install(TARGETS OrvelFreeBiblicalNumerology RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(WIN32 AND COMMAND qt_generate_deploy_app_script)
    # Qt's libraries and plugins beside the executable (windeployqt), so that
    # the installed folder runs on a machine without Qt.
    qt_generate_deploy_app_script(TARGET OrvelFreeBiblicalNumerology
                                  FILENAME_VARIABLE orvel_deploy_script
                                  NO_UNSUPPORTED_PLATFORM_ERROR)
    install(SCRIPT ${orvel_deploy_script})
endif()

if(UNIX AND NOT APPLE)
    set(orvel_docdir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
    # The metainfo's release and the manual page name the version that project() states.
    set(orvel_packaging_dir ${PROJECT_BINARY_DIR}/packaging)
    configure_file(packaging/${ORVEL_APP_ID}.metainfo.xml.in ${orvel_packaging_dir}/${ORVEL_APP_ID}.metainfo.xml @ONLY)
    configure_file(packaging/OrvelFreeBiblicalNumerology.1.in ${orvel_packaging_dir}/OrvelFreeBiblicalNumerology.1 @ONLY)
    install(FILES packaging/${ORVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${orvel_packaging_dir}/${ORVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
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
    foreach(source ${orvel_packaging_dir}/OrvelFreeBiblicalNumerology.1 ${PROJECT_SOURCE_DIR}/packaging/changelog)
        get_filename_component(file ${source} NAME)
        set(gzipped ${orvel_packaging_dir}/${file}.gz)
        add_custom_command(
            OUTPUT ${gzipped}
            COMMAND ${ORVEL_GZIP} -9nc ${source} > ${gzipped}
            DEPENDS ${source})
        list(APPEND orvel_gzipped ${gzipped})
    endforeach()
    add_custom_target(orvel_package_docs ALL DEPENDS ${orvel_gzipped})
    install(FILES ${orvel_packaging_dir}/OrvelFreeBiblicalNumerology.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${orvel_packaging_dir}/changelog.gz DESTINATION ${orvel_docdir})
endif()

set(CPACK_PACKAGE_VENDOR Quillmoor)
set(CPACK_PACKAGE_CONTACT "Quillmoor <support@home.quillmoor.test>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Biblical numerology reading for a name")
set(CPACK_PACKAGE_DESCRIPTION
    "Type a name and get its biblical numerology reading: the biblical number of
the name, from 1 to 12, its keyword, a paragraph on its meaning and the
scripture verses that go with it.")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.orvel-numerology.test/")
set(CPACK_PACKAGE_EXECUTABLES OrvelFreeBiblicalNumerology "Orvel Biblical Numerology")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # A zipped folder always; an installer with a Start menu entry where NSIS is installed.
    set(CPACK_GENERATOR ZIP)
    find_program(ORVEL_MAKENSIS makensis)
    if(ORVEL_MAKENSIS)
        list(APPEND CPACK_GENERATOR NSIS)
        set(CPACK_PACKAGE_INSTALL_DIRECTORY "Orvel Biblical Numerology")
        set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icon.ico)
        set(CPACK_NSIS_INSTALLED_ICON_NAME bin/OrvelFreeBiblicalNumerology.exe)
    endif()
elseif(APPLE)
    set(CPACK_GENERATOR TGZ)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION education)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The designed faces are Windows fonts; these carry the nearest widths.
    # Qt's Wayland plugin lets the program run natively in a Wayland session.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-liberation2, qt6-wayland, xdg-utils")
endif()
include(CPack)
