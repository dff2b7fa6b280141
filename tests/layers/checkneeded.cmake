# cmake -DREADELF=<readelf> -DPROGRAM=<program> -P checkneeded.cmake
#
# Fails when the program's dynamic section names a library that must stay out
# of its start-up: FFmpeg and SDL belong to the player module and the encoder,
# the phone's libraries to the device bridge. A static library that links one
# of them publicly would otherwise bring it in unnoticed.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${READELF} -d ${PROGRAM}
    OUTPUT_VARIABLE dynamic ERROR_VARIABLE error RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${READELF} -d ${PROGRAM} failed: ${error}")
endif()

string(REGEX MATCHALL "\\(NEEDED\\)[^[]*\\[[^]]+\\]" entries "${dynamic}")
if(NOT entries)
    message(FATAL_ERROR "no NEEDED entries in ${PROGRAM}: not a dynamically linked program?")
endif()
set(needed)
set(banned)
foreach(entry IN LISTS entries)
    string(REGEX REPLACE ".*\\[(.+)\\]$" "\\1" library "${entry}")
    list(APPEND needed ${library})
    # libplist (the phone's catalogue) is small and needs only the C
    # library; libimobiledevice and the OpenSSL it brings are loaded later.
    if(library MATCHES "^lib(av[a-z]+|sw[a-z]+|SDL[0-9]*|postproc|imobiledevice|usbmuxd|ssl|crypto)[-.+]")
        list(APPEND banned ${library})
    endif()
endforeach()

list(JOIN needed ", " shown)
if(banned)
    list(JOIN banned ", " banned)
    message(FATAL_ERROR "${PROGRAM} loads ${banned} at start-up (all it needs: ${shown})")
endif()
message(STATUS "${PROGRAM} needs ${shown}")
