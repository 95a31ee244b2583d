# SPDX-License-Identifier: GPL-3.0-or-later
# Installing and packaging: `cmake --install` lays the program out as a Debian system expects and
# `cpack` makes tavrola_<version>_<arch>.deb from it (scripts/package.sh builds one).
#
#   /usr/lib/tavrola/        the program folder: the executable, Fonts/, logo/, gif/, bg/, icon/, the
#                            default setting.ini and the marker that tells the program it is
#                            installed (FolderPlacement); the pictures themselves are in
#                            /usr/share/tavrola/, linked from here
#   /usr/bin/tavrola         a link to it
#   /usr/share/applications/tavrola.desktop, /usr/share/icons/hicolor/NxN/apps/tavrola.png
#   /usr/share/doc/tavrola/  copyright and changelog;  /usr/share/man/man1/tavrola.1.gz
#
# Fonts/ holds links into Debian's fonts-dseg and fonts-hosny-amiri, which the package depends on:
# the faces stay Debian's (with their own copyright files and updates) and are not shipped twice.
include(GNUInstallDirs)

# One program folder, the same path on every architecture (a private folder, not a library path).
set(TAVROLA_INSTALL_DIR lib/tavrola)
set(_pkg ${CMAKE_BINARY_DIR}/package)
set(_src ${PROJECT_SOURCE_DIR}/resources/package)

install(TARGETS tavrola RUNTIME DESTINATION ${TAVROLA_INSTALL_DIR})
file(WRITE ${_pkg}/installed
     "This folder was installed by a package. Each user's settings, database, backups and log are kept in the user's data folder.\n")
install(FILES ${_pkg}/installed DESTINATION ${TAVROLA_INSTALL_DIR})
# The default settings, which the first start of each user copies into the user's data folder.
add_executable(write_default_settings ${PROJECT_SOURCE_DIR}/tools/write_default_settings.cpp)
target_link_libraries(write_default_settings PRIVATE tavrola_core)
add_custom_command(OUTPUT ${_pkg}/setting.ini
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:write_default_settings> ${_pkg}/setting.ini
    DEPENDS write_default_settings
    COMMENT "Writing the default settings for the package")
add_custom_target(tavrola_default_settings ALL DEPENDS ${_pkg}/setting.ini)
install(FILES ${_pkg}/setting.ini DESTINATION ${TAVROLA_INSTALL_DIR})

# Relative links, so that they hold inside any install root.
function(tavrola_install_link target link_dir link_name)
    file(RELATIVE_PATH _rel ${CMAKE_INSTALL_PREFIX}/${link_dir} ${target})
    file(MAKE_DIRECTORY ${_pkg}/links/${link_dir})
    file(CREATE_LINK ${_rel} ${_pkg}/links/${link_dir}/${link_name} SYMBOLIC)
    install(FILES ${_pkg}/links/${link_dir}/${link_name} DESTINATION ${link_dir})
endfunction()
get_filename_component(_digits ${TAVROLA_FONT_DIGITS} NAME)
get_filename_component(_jawi ${TAVROLA_FONT_JAWI} NAME)
tavrola_install_link(${TAVROLA_FONT_DIGITS} ${TAVROLA_INSTALL_DIR}/Fonts ${_digits})
tavrola_install_link(${TAVROLA_FONT_JAWI} ${TAVROLA_INSTALL_DIR}/Fonts ${_jawi})
tavrola_install_link(${CMAKE_INSTALL_PREFIX}/${TAVROLA_INSTALL_DIR}/tavrola ${CMAKE_INSTALL_BINDIR} tavrola)
# The pictures are the same on every architecture: they live in /usr/share/tavrola, and the
# program folder links to them.
foreach(art logo gif bg icon)
    install(DIRECTORY ${TAVROLA_PROGRAM_DIR}/${art} DESTINATION ${CMAKE_INSTALL_DATADIR}/tavrola)
    tavrola_install_link(${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tavrola/${art} ${TAVROLA_INSTALL_DIR} ${art})
endforeach()

install(FILES ${_src}/tavrola.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48)
    install(FILES ${TAVROLA_PROGRAM_DIR}/icon/tavrola${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tavrola.png)
endforeach()

# Documents: copyright, and the changelog and manual page compressed as Debian wants (gzip -9n).
configure_file(${_src}/copyright.in ${_pkg}/copyright @ONLY)
configure_file(${_src}/changelog.in ${_pkg}/changelog @ONLY)
configure_file(${_src}/tavrola.1.in ${_pkg}/tavrola.1 @ONLY)
find_program(TAVROLA_GZIP gzip REQUIRED)
foreach(doc changelog tavrola.1)
    execute_process(COMMAND ${TAVROLA_GZIP} -9nf -k ${_pkg}/${doc} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${_pkg}/copyright ${_pkg}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrola)
install(FILES ${_pkg}/tavrola.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# --- The Debian package ----------------------------------------------------------------------------
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    set(_arch arm64)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
    set(_arch amd64)
else()
    set(_arch ${CMAKE_SYSTEM_PROCESSOR})
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrola)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX}) # scripts/package.sh: /usr
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_CONTACT "${TAVROLA_AUTHOR} <${TAVROLA_EMAIL}>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${_arch})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAVROLA_WEB})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prayer-times clock for prayer halls and signage screens")
# The synopsis line is the summary; this is the extended description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tavrola runs all day on a wall screen: a large clock, the Gregorian date with
Malay names, the Hijri date in Jawi, the day's eight prayer times with the
current one highlighted, a countdown to the next and a spoken announcement
when an obligatory prayer begins. It keeps its monthly prayer-times database
up to date by itself, can switch the computer off at a set time each day and
starts by itself at login.")
# Debian's own Qt (no Qt in the package). The same names on every architecture, so a cross build
# declares them without the target's package database; the versions are those of the Qt it is
# built with (Debian 12: 6.4.2).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(_qt ${Qt6_VERSION})
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)"
    "libqt6core6 (>= ${_qt}), libqt6gui6 (>= ${_qt}), libqt6widgets6 (>= ${_qt})"
    "libqt6network6 (>= ${_qt}), libqt6texttospeech6 (>= ${_qt}), libqt6multimedia6 (>= ${_qt})"
    "qt6-qpa-plugins"
    "libx11-6, libxext6, libxss1"
    "fonts-dseg, fonts-hosny-amiri")
string(REPLACE ";" ", " CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}")
# A voice for the announcements and GStreamer's decoders for azan files; the clock runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-speech-flite-plugin | qt6-speech-speechd-plugin, gstreamer1.0-plugins-good")
include(CPack)
