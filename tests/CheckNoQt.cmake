# Fails when a binary depends on a Qt library.
execute_process(COMMAND ldd ${TARGET_FILES} OUTPUT_VARIABLE deps RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "ldd failed on ${TARGET_FILES}")
endif()
if(deps MATCHES "libQt")
    message(FATAL_ERROR "${TARGET_FILES} links Qt:\n${deps}")
endif()
message(STATUS "no Qt in ${TARGET_FILES}")
