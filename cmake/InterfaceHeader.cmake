# tq_add_interface_header(<target> <header> [LINK <target>...])
#
# An INTERFACE library for one C interface header. Linking it lets a target
# include that header and nothing else of the folder the header lives in:
# the header stays beside the code that owns it, and the include folder the
# target publishes is a private one in the build tree that holds only a link
# to it (a copy where links cannot be made; then editing the header
# re-runs CMake so that the copy follows).
function(tq_add_interface_header target header)
    cmake_parse_arguments(I "" "" "LINK" ${ARGN})
    get_filename_component(source ${header} ABSOLUTE)
    get_filename_component(name ${header} NAME)
    set(dir ${CMAKE_BINARY_DIR}/interfaces/${target})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${source} ${dir}/${name} COPY_ON_ERROR SYMBOLIC)
    if(NOT IS_SYMLINK ${dir}/${name})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    endif()
    add_library(${target} INTERFACE ${header})
    target_include_directories(${target} INTERFACE ${dir})
    if(I_LINK)
        target_link_libraries(${target} INTERFACE ${I_LINK})
    endif()
endfunction()
