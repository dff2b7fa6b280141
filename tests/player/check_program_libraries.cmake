# Fails when the program itself needs FFmpeg or SDL: they belong in the
# player module, which the program loads on first use, so that its start
# stays fast. Run as: cmake -DPROGRAM=<path> -P check_program_libraries.cmake
execute_process(COMMAND readelf -d "${PROGRAM}"
    OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "readelf could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]\n]*\\]" needed "${dynamic}")
if(NOT needed)
    message(FATAL_ERROR "no NEEDED entries found in ${PROGRAM}")
endif()
set(forbidden)
foreach(entry IN LISTS needed)
    if(entry MATCHES "\\[(libav[a-z]*|libsw[a-z]*|libSDL[^]]*|libpostproc)[^]]*\\]")
        list(APPEND forbidden "${CMAKE_MATCH_0}")
    endif()
endforeach()
if(forbidden)
    message(FATAL_ERROR "${PROGRAM} links ${forbidden}")
endif()
list(LENGTH needed count)
message(STATUS "${PROGRAM}: ${count} libraries, none of FFmpeg or SDL")
