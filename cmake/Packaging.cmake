# Installation (program, desktop entry, hicolor icons, AppStream metainfo)
# and the Debian package built by CPack.
include(GNUInstallDirs)

set(HITUNGRAMA_APP_ID org.example.hitungrama)

if(TARGET hitungrama)
    install(TARGETS hitungrama RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # The tape library, loaded by the program alone: a private folder.
    install(TARGETS tape LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/hitungrama)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${HITUNGRAMA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${HITUNGRAMA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/hitungrama-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${HITUNGRAMA_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hitungrama)
set(CPACK_PACKAGE_VENDOR "Quodrel Zodir")
set(CPACK_PACKAGE_CONTACT "Quodrel Zodir <hitungrama@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop scientific calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "Hitungrama is a desktop scientific calculator with a memory register, a binary mode and a multiplication table.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY hitungrama)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://hitungrama.example.org)
# The dependencies are read from the program's real shared-library needs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt SQL loads its SQLite driver as a plugin, which no linked library names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# The window's designed faces (the program falls back to other fonts without
# them), and the Wayland platform plugin for running natively on Wayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, fonts-comic-neue, qt6-wayland")
set(CPACK_STRIP_FILES ON)
include(CPack)
