# Installation (program, desktop entry, hicolor icons, AppStream metainfo,
# manual page, copyright and changelog) and the Debian package built by CPack.
include(GNUInstallDirs)

set(HITUNGRAMA_APP_ID org.example.hitungrama)

if(TARGET hitungrama)
    install(TARGETS hitungrama RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
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

# The manual page and the Debian changelog, compressed as Debian installs
# them: gzip -9 without a name or time inside, so that builds are the same.
# The package is native (its packaging lives in this tree, its version is
# the program's), so its changelog is changelog.gz, and its first entry
# names the program's version.
set(debian_source ${PROJECT_SOURCE_DIR}/resources/debian)
file(STRINGS ${debian_source}/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^hitungrama \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "resources/debian/changelog must start with version "
                        "${PROJECT_VERSION}: ${changelog_top}")
endif()
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed "")
foreach(pair "${PROJECT_SOURCE_DIR}/docs/hitungrama.1|hitungrama.1.gz"
             "${debian_source}/changelog|changelog.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 output)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${output}
        COMMAND ${GZIP_PROGRAM} -9nc ${source} > ${PROJECT_BINARY_DIR}/${output}
        DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${PROJECT_BINARY_DIR}/${output})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${PROJECT_BINARY_DIR}/hitungrama.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(package_doc ${CMAKE_INSTALL_DATADIR}/doc/hitungrama)
install(FILES ${debian_source}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${package_doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hitungrama)
set(CPACK_PACKAGE_VENDOR "Quodrel Zodir")
set(CPACK_PACKAGE_CONTACT "Quodrel Zodir <hitungrama@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop scientific calculator")
# Lines of the extended description stay within 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Hitungrama is a desktop scientific calculator with a memory register,\na binary mode and a multiplication table. Every result is kept on a tape\nthat a window of its own shows and searches.")
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
