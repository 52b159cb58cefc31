# cmake -DTOOL=<validator> [-DARGS=<list>] -DFILE=<file> -P Validate.cmake
# Runs the validator on the file; says "not installed" (the test counts as
# skipped) when there is none.
if(NOT TOOL OR NOT EXISTS "${TOOL}")
    # scripts/test installs the validators; there a missing one is a fault.
    if(DEFINED ENV{QUILLMARK_TEST_REQUIRE_TOOLS})
        message(FATAL_ERROR "validator not found, though scripts/test installs it")
    endif()
    message("validator not installed")
    return()
endif()
execute_process(COMMAND ${TOOL} ${ARGS} ${FILE} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${TOOL} found problems in ${FILE}")
endif()
