# Windows: the program's folder, complete. The build tree's bin/ gets the
# SDK's DLLs and the Qt plugins the program loads, so that tonquill.exe runs
# from there; the install rules below say what ships (the installer and the
# portable .zip of scripts/windows/package are made from them):
#   <prefix>/  tonquill.exe, ffmpeg.exe (our encoder), tonquill_player.dll,
#              tonquill_usbphone.dll, help*.chm, the libraries' DLLs,
#              platforms/ styles/ imageformats/ tls/

get_filename_component(tq_sdk "${QT6_INSTALL_PREFIX}" ABSOLUTE)
# Every library DLL of the SDK but those only the tests or nobody load.
file(GLOB tq_runtime_dlls "${tq_sdk}/bin/*.dll")
list(FILTER tq_runtime_dlls EXCLUDE REGEX "/(Qt6Test|libplist\\+\\+-[0-9.]+)\\.dll$")
# Screen, style, pictures beyond PNG, and TLS for the site's links. The
# offscreen platform serves headless runs (--version checks, screenshots).
set(tq_plugins
    platforms/qwindows.dll platforms/qoffscreen.dll
    styles/qwindowsvistastyle.dll
    imageformats/qico.dll imageformats/qgif.dll
    tls/qschannelbackend.dll tls/qcertonlybackend.dll)

set(tq_deploy_commands)
set(tq_deployed)
foreach(dll IN LISTS tq_runtime_dlls)
    get_filename_component(name ${dll} NAME)
    list(APPEND tq_deploy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dll} ${TONQUILL_BIN_DIR}/${name})
    list(APPEND tq_deployed ${TONQUILL_BIN_DIR}/${name})
endforeach()
foreach(plugin IN LISTS tq_plugins)
    get_filename_component(dir ${plugin} DIRECTORY)
    list(APPEND tq_deploy_commands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TONQUILL_BIN_DIR}/${dir}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${tq_sdk}/plugins/${plugin} ${TONQUILL_BIN_DIR}/${plugin})
    list(APPEND tq_deployed ${TONQUILL_BIN_DIR}/${plugin})
endforeach()
list(TRANSFORM tq_plugins PREPEND ${tq_sdk}/plugins/ OUTPUT_VARIABLE tq_plugin_files)
add_custom_command(OUTPUT ${tq_deployed}
    ${tq_deploy_commands}
    DEPENDS ${tq_runtime_dlls} ${tq_plugin_files}
    COMMENT "Copying the SDK's DLLs and Qt plugins beside the program")
add_custom_target(tonquill_deploy ALL DEPENDS ${tq_deployed})
add_dependencies(tonquill tonquill_deploy)

install(TARGETS tonquill ffmpeg RUNTIME DESTINATION .)
install(TARGETS tonquill_player tonquill_usbphone LIBRARY DESTINATION . RUNTIME DESTINATION .)
install(FILES ${tq_runtime_dlls} DESTINATION .)
foreach(plugin IN LISTS tq_plugins)
    get_filename_component(dir ${plugin} DIRECTORY)
    install(FILES ${tq_sdk}/plugins/${plugin} DESTINATION ${dir})
endforeach()
# help.chm and its translations (cmake/HelpChm.cmake).
if(help_outputs)
    install(FILES ${help_outputs} DESTINATION .)
endif()
