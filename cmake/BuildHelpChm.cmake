# Compiles one language's help page into a CHM file. Run by the build
# (cmake -P) from cmake/HelpChm.cmake with:
#   SOURCE   docs/help
#   WORK     a scratch folder of its own
#   PAGE     the page, e.g. index_de.html
#   LANGID   the CHM's language, e.g. "0x407 German (Germany)"
#   OUTPUT   the .chm to write
#   CHMCMD   the compiler (chmcmd, package fp-utils)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/images)
file(GLOB images RELATIVE ${SOURCE} ${SOURCE}/images/*.png)
foreach(image IN LISTS images)
    file(COPY_FILE ${SOURCE}/${image} ${WORK}/${image})
endforeach()
file(COPY_FILE ${SOURCE}/help.css ${WORK}/help.css)
# The help viewer's HTML engine is older than <meta charset>: it is told the
# encoding the long way.
file(READ ${SOURCE}/${PAGE} html)
string(REPLACE "<meta charset=\"utf-8\">"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">" html "${html}")
file(WRITE ${WORK}/${PAGE} "${html}")

get_filename_component(name ${OUTPUT} NAME)
string(REPLACE ";" "\n" image_lines "${images}")
file(WRITE ${WORK}/help.hhp "[OPTIONS]
Compatibility=1.1 or later
Compiled file=${name}
Default topic=${PAGE}
Display compile progress=No
Full-text search=Yes
Language=${LANGID}
Title=Zentavo Tonquill

[FILES]
${PAGE}
help.css
${image_lines}
")
execute_process(COMMAND ${CHMCMD} --no-html-scan --verbosity 0 help.hhp
    WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK}/${name})
    message(FATAL_ERROR "chmcmd could not compile ${PAGE}:\n${output}")
endif()
file(COPY_FILE ${WORK}/${name} ${OUTPUT})
