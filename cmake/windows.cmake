# Cross-building for Windows on Linux (MinGW-w64 and the Windows SDK, see
# scripts/windows/build): the programs the build runs and the tests run
# under Wine through tests/wine/run.sh, which puts the SDK's DLLs on their
# path and keeps every run within a time limit.

get_filename_component(tq_sdk_default "${QT6_INSTALL_PREFIX}" ABSOLUTE)
set(TONQUILL_SDK_BIN "${tq_sdk_default}/bin")
if(DEFINED ENV{XDG_CACHE_HOME})
    set(tq_cache "$ENV{XDG_CACHE_HOME}")
else()
    set(tq_cache "$ENV{HOME}/.cache")
endif()
set(TONQUILL_WINEPREFIX "${tq_cache}/tonquill/wine" CACHE PATH
    "Wine prefix for the programs the build and the tests run (WINEPREFIX overrides it)")
find_program(TONQUILL_WINE wine REQUIRED)
set(TONQUILL_WINDOWS_SDK_DIR "${tq_sdk_default}" CACHE PATH "The SDK this tree is built with")

# Read when each target is made: set before any is.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env TQ_DEFAULT_WINEPREFIX=${TONQUILL_WINEPREFIX} TQ_WINE=${TONQUILL_WINE}
    bash ${CMAKE_SOURCE_DIR}/tests/wine/run.sh --dlls ${TONQUILL_SDK_BIN} --)
