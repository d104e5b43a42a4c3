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

set(ORVEL_QT_TRANSLATIONS_DIR /usr/share/qt6/translations
    CACHE PATH "Qt's own translations (qtbase_*.qm) that the Windows program ships")
if(WIN32)
    # What the program needs to run where neither Qt nor MinGW-w64 is
    # installed, named one by one: Debian's Qt has no windeployqt for a
    # cross build. The DLLs go beside the program, the Windows platform plugin
    # into platforms/ there; Qt's own translations, for the buttons of its
    # message boxes, where QLibraryInfo looks for them (translations/ beside
    # bin/). The program draws with Fusion, which is built into Qt Widgets, and
    # decodes its pictures at build time, so no style or image plugin is needed.
    set(orvel_runtime_dlls)
    if(MINGW)
        # Debian ships the MinGW runtime with its debugging symbols: 26 MB, of
        # which the program needs 2. The copies beside it are stripped.
        include(cmake/windows/MinGWRuntime.cmake)
        foreach(dll ${ORVEL_MINGW_RUNTIME_DLLS})
            get_filename_component(name ${dll} NAME)
            set(stripped ${PROJECT_BINARY_DIR}/mingw-runtime/${name})
            add_custom_command(
                OUTPUT ${stripped}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/mingw-runtime
                COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${dll}
                DEPENDS ${dll}
                VERBATIM)
            list(APPEND orvel_runtime_dlls ${stripped})
        endforeach()
        add_custom_target(orvel_mingw_runtime ALL DEPENDS ${orvel_runtime_dlls})
    endif()
    install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> ${orvel_runtime_dlls}
            DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
    file(GLOB orvel_qt_translations ${ORVEL_QT_TRANSLATIONS_DIR}/qtbase_*.qm)
    if(NOT orvel_qt_translations)
        message(FATAL_ERROR "No qtbase_*.qm in ${ORVEL_QT_TRANSLATIONS_DIR} (Debian: qt6-translations-l10n)")
    endif()
    install(FILES ${orvel_qt_translations} DESTINATION translations)
endif()

if(WIN32)
    # Qt looks for its translations under the prefix it was built for, which
    # is on the build machine; qt.conf beside the program makes the installed
    # folder its prefix instead, as Qt documents for a deployed program.
    install(FILES packaging/windows/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})

    # The notices for the third-party code in every DLL shipped beside the
    # program, and the installer's licence page: the program's own terms, then
    # the same notices. The Qt part comes from the attribution files of the Qt
    # source as it was configured and compiled (scripts/build-windows-qt.sh),
    # the MinGW runtime's from Debian's copyright files.
    set(orvel_qt_notices ${QT6_INSTALL_PREFIX}/orvel-notices.json)
    if(NOT EXISTS ${orvel_qt_notices})
        message(FATAL_ERROR "${orvel_qt_notices} is missing: run scripts/build-windows-qt.sh again, which adds it")
    endif()
    # Written as CMake configures, since CPack wants the licence file by then.
    find_program(ORVEL_PYTHON3 python3 REQUIRED)
    set(orvel_notices ${PROJECT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt)
    set(orvel_licence ${PROJECT_BINARY_DIR}/LICENSE.txt)
    set(orvel_shipped_dlls)
    foreach(target Qt6::Core Qt6::Gui Qt6::Widgets Qt6::QWindowsIntegrationPlugin)
        get_target_property(location ${target} LOCATION)
        list(APPEND orvel_shipped_dlls ${location})
    endforeach()
    set(orvel_notices_inputs ${PROJECT_SOURCE_DIR}/cmake/windows/notices.py ${orvel_qt_notices}
                             ${PROJECT_SOURCE_DIR}/packaging/copyright)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${orvel_notices_inputs})
    execute_process(
        COMMAND ${ORVEL_PYTHON3} -B ${PROJECT_SOURCE_DIR}/cmake/windows/notices.py package
                ${orvel_qt_notices} ${PROJECT_SOURCE_DIR}/packaging/copyright "Orvel Biblical Numerology"
                ${PROJECT_VERSION} ${orvel_notices} ${orvel_licence}
                -- ${orvel_shipped_dlls} ${ORVEL_MINGW_RUNTIME_DLLS}
        RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cmake/windows/notices.py could not write the notices")
    endif()
    install(FILES ${orvel_notices} DESTINATION ${CMAKE_INSTALL_BINDIR})
    set(CPACK_RESOURCE_FILE_LICENSE ${orvel_licence})

    # Signed where the packager gives a certificate (cmake/windows/Sign.cmake):
    # the program once installed, after CPack has stripped it, and the installer.
    install(CODE "include(\"${PROJECT_SOURCE_DIR}/cmake/windows/Sign.cmake\")
        orvel_sign(\"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:OrvelFreeBiblicalNumerology>\")")
    set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/windows/SignPackages.cmake)
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
        # The key of the installed-programs list, and of the folder the uninstaller finds.
        set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Orvel Biblical Numerology")
        set(CPACK_NSIS_DISPLAY_NAME "Orvel Biblical Numerology")
        set(CPACK_NSIS_PACKAGE_NAME "Orvel Biblical Numerology")
        set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icon.ico)
        set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/icon.ico)
        # A Windows path: the installed-programs list shows the icon of this file.
        set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\OrvelFreeBiblicalNumerology.exe")
        set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
        # A 64-bit installer for a 64-bit program: it runs where 32-bit
        # programs cannot (wine64 alone), and sees the 64-bit registry and
        # Program Files without redirection.
        set(CPACK_NSIS_DEFINES "Target amd64-unicode")
        # For the current user without administrator rights by default, for
        # every user on request: CMake's template with the install mode added.
        set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")  # CPack writes it into its configuration unescaped
        list(APPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/windows)
        set(CPACK_ORVEL_NSIS_INSTALL_MODE ${PROJECT_BINARY_DIR}/InstallMode.nsh)
        configure_file(cmake/windows/InstallMode.nsh.in ${CPACK_ORVEL_NSIS_INSTALL_MODE} @ONLY)
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
