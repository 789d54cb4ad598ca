# Run by CPack once it has built the Debian package (CPACK_POST_BUILD_SCRIPTS):
# takes out the postinst and postrm that CPack writes to run ldconfig for the
# private tape library, and builds the package again from the same tree.
# A maintainer script that does anything else stops the build, so that one
# the package really needs is never dropped.
find_program(DPKG_DEB dpkg-deb REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    set(tree ${CPACK_TOPLEVEL_DIRECTORY}/without-ldconfig)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND ${DPKG_DEB} --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
    foreach(script postinst postrm)
        set(path ${tree}/DEBIAN/${script})
        if(NOT EXISTS ${path})
            continue()
        endif()
        file(READ ${path} text)
        string(REGEX REPLACE "#![^\n]*|set -e|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then|ldconfig|fi|[ \t\n]"
               "" rest "${text}")
        if(NOT rest STREQUAL "")
            message(FATAL_ERROR "DEBIAN/${script} does more than call ldconfig:\n${text}")
        endif()
        file(REMOVE ${path})
    endforeach()
    execute_process(COMMAND ${DPKG_DEB} --root-owner-group --build ${tree} ${package}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
