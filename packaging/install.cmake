# Installing the game like any Linux game, and its Debian package.
include(GNUInstallDirs)

install(TARGETS tessary RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The content checker, for authors of new floors.
if(TARGET tessary-check)
    install(TARGETS tessary-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The data tree laid out in the build folder, without its stamps and font:
# the installed font is a link to the system's DejaVu font, which the package
# depends on.
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tessary/data
    PATTERN ".*" EXCLUDE
    PATTERN "font.ttf" EXCLUDE)
install(CODE "
    set(fontLink \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tessary/data/font.ttf\")
    file(REMOVE \"\${fontLink}\")
    file(CREATE_LINK \"${TESSARY_SYSTEM_FONT}\" \"\${fontLink}\" SYMBOLIC)
    message(STATUS \"Linking: \${fontLink}\")")

install(FILES ${CMAKE_SOURCE_DIR}/packaging/tessary.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The icon is the hero as the art generator draws him.
install(FILES ${CMAKE_BINARY_DIR}/data/gfx/sprites/pc/2.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME tessary.png)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tessary.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_PACKAGE_NAME tessary)
set(CPACK_PACKAGE_VENDOR "The Tessary team")
set(CPACK_PACKAGE_CONTACT "The Tessary team <tessary@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small top-down, tile-based role-playing game")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl1.2-compat-shim | libsdl1.2debian, libsdl-image1.2 (>= 1.2.12), libsdl-ttf2.0-0 (>= 2.0.11), fonts-dejavu-core, libexpat1 (>= 2.5), libc6 (>= 2.34), libstdc++6 (>= 12)")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
