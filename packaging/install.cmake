# Installing the game like any Linux game, and its Debian package.
include(GNUInstallDirs)

# The name a desktop knows the game by: its desktop entry, AppStream
# metadata and icon.
set(TESSARY_APP_ID org.tessary.tessary)

# A game and its content checker go to games/ beside bin/, with their manual
# pages in section 6, as Debian's policy asks (/usr/games, or
# /usr/local/games, both on the default path).
install(TARGETS tessary RUNTIME DESTINATION games)
if(TARGET tessary-check)
    install(TARGETS tessary-check RUNTIME DESTINATION games)
endif()

# The data tree laid out in the build folder, without its stamps and font:
# the installed font is a link to the system's DejaVu font, which the package
# depends on. The link is relative, from wherever the prefix lies.
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tessary/data
    PATTERN ".*" EXCLUDE
    PATTERN "font.ttf" EXCLUDE)
install(CODE "
    set(dataDir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tessary/data\")
    file(RELATIVE_PATH target \"\${dataDir}\" \"${TESSARY_SYSTEM_FONT}\")
    set(fontLink \"\$ENV{DESTDIR}\${dataDir}/font.ttf\")
    file(REMOVE \"\${fontLink}\")
    file(CREATE_LINK \"\${target}\" \"\${fontLink}\" SYMBOLIC)
    message(STATUS \"Linking: \${fontLink} -> \${target}\")")

install(FILES ${CMAKE_SOURCE_DIR}/packaging/${TESSARY_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${TESSARY_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icons the art generator draws: the hero at each size, and scalable.
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The manual pages and the changelog, compressed without a name or a time in
# them, so that every build of a commit gives the same bytes.
set(packed)
foreach(source tessary.6 tessary-check.6 changelog)
    set(output ${CMAKE_BINARY_DIR}/packaging/${source}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${source} ${CMAKE_BINARY_DIR}/packaging/${source}
        COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/${source}
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source}
        COMMENT "Compressing ${source}")
    list(APPEND packed ${output})
endforeach()
add_custom_target(tessary_packaging ALL DEPENDS ${packed})
install(FILES ${CMAKE_BINARY_DIR}/packaging/tessary.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
if(TARGET tessary-check)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/tessary-check.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessary)

set(CPACK_PACKAGE_NAME tessary)
set(CPACK_PACKAGE_VENDOR "The Tessary team")
set(CPACK_PACKAGE_CONTACT "The Tessary team <team@tessary.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small top-down, tile-based role-playing game")
# The long description, in lines short enough for any package tool.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tessary sends a hero up the six floors of a strange building. He talks"
    "to the people he meets, runs errands for the quest giver, buys blades,"
    "armour, potions and keys from the shopkeeper, fights turn-based duels"
    "with blade, potions and spells, and wins by climbing the stairs of the"
    "last floor."
    ""
    "The game runs full screen at 640 x 480, plays no sound and needs only"
    "the keyboard. The package also holds tessary-check, which checks the"
    "floors, characters, quests and goods of a data folder for authors of"
    "new content.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tessary.org/)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl1.2-compat-shim | libsdl1.2debian, libsdl-image1.2 (>= 1.2.12), libsdl-ttf2.0-0 (>= 2.0.11), fonts-dejavu-core, libexpat1 (>= 2.5), libc6 (>= 2.34), libstdc++6 (>= 12)")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed programs carry no debugging symbols.
set(CPACK_STRIP_FILES ON)
include(CPack)
