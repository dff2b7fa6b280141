# The help page beside the program, the installed layout and the Debian
# package.
#
# Installed layout (<prefix> is /usr in the package):
#   <prefix>/lib/tonquill/   tonquill, ffmpeg, the modules it loads
#                            (libtonquill_player.so, libtonquill_usbphone.so),
#                            help/
#   <prefix>/bin/tonquill    a launcher that starts the program above
#   <prefix>/share/...       .desktop file, hicolor icons, AppStream metainfo
# The encoder is called ffmpeg: it must never land in a folder on the PATH,
# where it would shadow the real one. The program finds it, its modules and
# the help page beside its own executable.

set(TONQUILL_APP_ID com.zentavo.tonquill)
set(TONQUILL_LIB_DIR lib/tonquill)

# The help page goes beside the program in the build tree too, so that Help
# works from build/bin as it does once installed.
file(GLOB_RECURSE TONQUILL_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/*)
add_custom_command(OUTPUT ${TONQUILL_BIN_DIR}/help/index.html
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${TONQUILL_BIN_DIR}/help
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/docs/help ${TONQUILL_BIN_DIR}/help
    DEPENDS ${TONQUILL_HELP_FILES}
    COMMENT "Copying the help page beside the program")
add_custom_target(tonquill_help ALL DEPENDS ${TONQUILL_BIN_DIR}/help/index.html)
add_dependencies(tonquill tonquill_help)
include(${CMAKE_CURRENT_LIST_DIR}/HelpChm.cmake)

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windowsdeploy.cmake)
endif()
if(WIN32 OR APPLE)
    return()
endif()

install(TARGETS tonquill ffmpeg RUNTIME DESTINATION ${TONQUILL_LIB_DIR})
# Every module the program opens at run time: the preview player on the first
# file, the real-phone side of the device bridge a second after the start.
# tests/desktop/package.sh finds their names in the program and fails when
# one is missing here.
install(TARGETS tonquill_player tonquill_usbphone LIBRARY DESTINATION ${TONQUILL_LIB_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/help/ DESTINATION ${TONQUILL_LIB_DIR}/help)
# A launcher rather than a link: the program then starts with its real path
# as argv[0], whatever folder on the PATH the user started it from.
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/tonquill.sh DESTINATION bin RENAME tonquill)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/${TONQUILL_APP_ID}.desktop DESTINATION share/applications)
# The site's pages and the screenshots kept there are listed only once the
# product has a site: an address that leads nowhere is worse than none.
set(TONQUILL_METAINFO_LINKS "")
if(TONQUILL_HOME_URL)
    string(CONCAT TONQUILL_METAINFO_LINKS
        "  <url type=\"homepage\">${TONQUILL_HOME_URL}/tonquill.html</url>\n"
        "  <url type=\"help\">${TONQUILL_HOME_URL}/support.html</url>\n"
        "  <screenshots>\n"
        "    <screenshot type=\"default\">\n"
        "      <caption>A file loaded, with its waveform and the clip marked</caption>\n"
        "      <image type=\"source\" width=\"750\" height=\"531\">${TONQUILL_HOME_URL}/tonquill/main-window-loaded.png</image>\n"
        "    </screenshot>\n"
        "    <screenshot>\n"
        "      <caption>The main window at first start</caption>\n"
        "      <image type=\"source\" width=\"750\" height=\"531\">${TONQUILL_HOME_URL}/tonquill/main-window.png</image>\n"
        "    </screenshot>\n"
        "  </screenshots>\n")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/${TONQUILL_APP_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/${TONQUILL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${TONQUILL_APP_ID}.metainfo.xml DESTINATION share/metainfo)

set(TONQUILL_ICON_SOURCES
    16 ${CMAKE_SOURCE_DIR}/resources/icons/tonquill-16.png
    24 ${CMAKE_SOURCE_DIR}/resources/icons/tonquill-24.png
    32 ${CMAKE_SOURCE_DIR}/resources/icons/tonquill-32.png
    48 ${CMAKE_SOURCE_DIR}/resources/images/tonquill-48.png
    64 ${CMAKE_SOURCE_DIR}/resources/icons/tonquill-64.png
    128 ${CMAKE_SOURCE_DIR}/resources/icons/tonquill-128.png
    256 ${CMAKE_SOURCE_DIR}/resources/images/tonquill.png)
while(TONQUILL_ICON_SOURCES)
    list(POP_FRONT TONQUILL_ICON_SOURCES size file)
    install(FILES ${file} DESTINATION share/icons/hicolor/${size}x${size}/apps
        RENAME ${TONQUILL_APP_ID}.png)
endwhile()

# scripts/package builds the .deb; dpkg-shlibdeps makes the dependencies from
# the shared libraries that every ELF file in it links (the program, the
# encoder and both modules: FFmpeg, SDL2, libimobiledevice among them).
# usbmuxd, the service through which libimobiledevice reaches a phone, is a
# separate program: recommended, as without it only phones are out of reach.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonquill)
set(CPACK_PACKAGE_VENDOR "Zentavo Corporation")
set(CPACK_PACKAGE_CONTACT "Zentavo Corporation <support@example.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turn a stretch of any audio or video file into an iPhone ringtone")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Open or drop a file, see its waveform, preview it, mark the clip,\nset a fade-in and the volume and get an .m4r ringtone.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
if(TONQUILL_HOME_URL)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TONQUILL_HOME_URL}/tonquill.html")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS usbmuxd)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
