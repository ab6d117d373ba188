# Every install rule of the project, and the Debian package CPack makes of them:
#   cmake --build BUILD && (cd BUILD && cpack -G DEB)  ->  BUILD/tessmarc_VERSION_ARCH.deb
# Targets are installed only when their folder defines them.

if(TARGET tessmarc)
    install(TARGETS tessmarc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET zol)
    install(TARGETS zol RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The window loads the archiver library by name, so it goes where the loader looks.
if(TARGET unlha32)
    install(TARGETS unlha32 LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/unlha/include/unlha32.h
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endif()

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging_dir}/tessmarc.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The help is built into the program; the same guide is installed for reading outside it.
set(help_page ${PROJECT_SOURCE_DIR}/ui/resources/tessmarc.html)
if(EXISTS ${help_page})
    install(FILES ${help_page} DESTINATION ${CMAKE_INSTALL_DATADIR}/tessmarc/help)
endif()

# Desktop menus look for a PNG in the hicolor theme; the program's own icon is an XPM.
set(icon_xpm ${PROJECT_SOURCE_DIR}/ui/resources/tessmarc.xpm)
if(EXISTS ${icon_xpm})
    find_package(Qt6 REQUIRED COMPONENTS Gui)
    add_executable(icon-to-png ${packaging_dir}/IconToPng.cpp)
    target_link_libraries(icon-to-png PRIVATE Qt6::Gui)
    set(icon_png ${CMAKE_BINARY_DIR}/packaging/tessmarc.png)
    add_custom_command(OUTPUT ${icon_png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND icon-to-png ${icon_xpm} ${icon_png}
        DEPENDS icon-to-png ${icon_xpm}
        COMMENT "Icon as PNG for the desktop menu")
    add_custom_target(tessmarc-icon ALL DEPENDS ${icon_png})
    install(FILES ${icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
endif()

# Debian keeps manual pages compressed (-n: no name or time inside, so builds repeat).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(man_page ${CMAKE_BINARY_DIR}/packaging/zol.1.gz)
add_custom_command(OUTPUT ${man_page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP_PROGRAM} -9n -c ${packaging_dir}/zol.1 > ${man_page}
    DEPENDS ${packaging_dir}/zol.1
    COMMENT "Manual page zol.1")
add_custom_target(zol-manpage ALL DEPENDS ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessmarc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "tessmarc developers")
set(CPACK_PACKAGE_CONTACT "tessmarc developers <tessmarc@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Split, join, compress and extract files for floppies and other small media")
set(CPACK_PACKAGE_DESCRIPTION
    "A Japanese window (tessmarc) and a command-line companion (zol) that compress files
into LZH archives, split them into pieces that fit on a floppy disk (or any size),
join the pieces again and extract the archives. The archiver library libunlha32.so
offers the classic UNLHA32 command-string interface.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt platform plugins let the window open on X11 and Wayland; the IPA font draws its
# Japanese texts; Qt's translations put its file dialog into Japanese too.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libgcc-s1, libqt6core6, libqt6gui6, libqt6widgets6, libqt6dbus6, libxcb1, qt6-qpa-plugins, liblhasa0, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
