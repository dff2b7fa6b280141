# tq_add_interface_header(<target> <header> [LINK <target>...])
#
# An INTERFACE library for one interface header. Linking it lets a target
# include that header and nothing else of the folder the header lives in:
# the header stays beside the code that owns it, and the include folder the
# target publishes is a private one in the build tree holding a header of
# the same name that includes the real one by its full path. Every way in
# thus reaches one file, so #pragma once holds on every compiler, and edits
# to the header need no new CMake run.
function(tq_add_interface_header target header)
    cmake_parse_arguments(I "" "" "LINK" ${ARGN})
    get_filename_component(source ${header} ABSOLUTE)
    get_filename_component(name ${header} NAME)
    set(dir ${CMAKE_BINARY_DIR}/interfaces/${target})
    file(CONFIGURE OUTPUT ${dir}/${name}
        CONTENT "// Generated for the target ${target}: the header lives beside its code.\n#include \"${source}\"\n")
    add_library(${target} INTERFACE ${header})
    target_include_directories(${target} INTERFACE ${dir})
    if(I_LINK)
        target_link_libraries(${target} INTERFACE ${I_LINK})
    endif()
endfunction()
