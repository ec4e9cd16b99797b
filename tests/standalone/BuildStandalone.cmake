# Builds generation/, render/ and window/controls/ with a bare compiler call, no Qt and no CMake
# targets, and runs the result.
file(GLOB sources "${SOURCE_DIR}/generation/*.cpp" "${SOURCE_DIR}/render/*.cpp"
    "${SOURCE_DIR}/window/controls/*.cpp")
execute_process(
    COMMAND "${COMPILER}" -std=c++20 -I. ${sources} tests/standalone/main.cpp -o "${OUTPUT}"
    WORKING_DIRECTORY "${SOURCE_DIR}"
    RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "generation/, render/ and window/controls/ do not build on their own")
endif()
execute_process(COMMAND "${OUTPUT}" RESULT_VARIABLE ran OUTPUT_VARIABLE printed)
if(NOT ran EQUAL 0 OR NOT printed MATCHES "drew [0-9]+ texts")
    message(FATAL_ERROR "the standalone sheet program failed: ${printed}")
endif()
message(STATUS "${printed}")
