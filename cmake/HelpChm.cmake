# Windows: the help page compiled into "help.chm" beside the program, and
# one "help_<code>.chm" for each translated page, with chmcmd (Free
# Pascal's CHM compiler, Debian package fp-utils-3.2.2).
option(TONQUILL_HELP_CHM "Compile the help into CHM files beside the program" ${WIN32})
if(NOT TONQUILL_HELP_CHM)
    return()
endif()
find_program(TONQUILL_CHMCMD chmcmd)
if(NOT TONQUILL_CHMCMD)
    message(FATAL_ERROR "chmcmd not found: install fp-utils-3.2.2, or configure with -DTONQUILL_HELP_CHM=OFF")
endif()

# Language code of the page, then the CHM's language (Windows LCID and name).
set(help_languages
    "" "0x409 English (United States)"
    ar "0x401 Arabic (Saudi Arabia)"
    de "0x407 German (Germany)"
    es "0xc0a Spanish (Spain)"
    fr "0x40c French (France)"
    it "0x410 Italian (Italy)"
    ja "0x411 Japanese"
    zh_CN "0x804 Chinese (PRC)"
    zh_TW "0x404 Chinese (Taiwan)")
file(GLOB help_images CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/images/*.png)
set(help_outputs)
while(help_languages)
    list(POP_FRONT help_languages code langid)
    if(code)
        set(page index_${code}.html)
        set(chm help_${code}.chm)
    else()
        set(page index.html)
        set(chm help.chm)
    endif()
    add_custom_command(OUTPUT ${TONQUILL_BIN_DIR}/${chm}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/docs/help
            -DWORK=${CMAKE_BINARY_DIR}/helpchm/${chm} -DPAGE=${page} "-DLANGID=${langid}"
            -DOUTPUT=${TONQUILL_BIN_DIR}/${chm} -DCHMCMD=${TONQUILL_CHMCMD}
            -P ${CMAKE_SOURCE_DIR}/cmake/BuildHelpChm.cmake
        DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/${page} ${CMAKE_SOURCE_DIR}/docs/help/help.css
            ${help_images} ${CMAKE_SOURCE_DIR}/cmake/BuildHelpChm.cmake
        COMMENT "Compiling ${chm}"
        VERBATIM)
    list(APPEND help_outputs ${TONQUILL_BIN_DIR}/${chm})
endwhile()
add_custom_target(tonquill_help_chm ALL DEPENDS ${help_outputs})
add_dependencies(tonquill tonquill_help_chm)
