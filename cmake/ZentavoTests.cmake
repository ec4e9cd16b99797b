# A GoogleTest executable that runs inside a QApplication on the offscreen
# platform, with its working files in the build folder.
function(zentavo_add_qt_test test_name)
    add_executable(${test_name} ${ARGN})
    target_link_libraries(${test_name} PRIVATE zentavo_qt_test_main)
    set_target_properties(${test_name} PROPERTIES AUTOMOC ON)
    zentavo_target_defaults(${test_name})
    add_test(NAME ${test_name} COMMAND ${test_name})
    set_tests_properties(${test_name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZENTAVO_TEST_OUTPUT=${CMAKE_CURRENT_BINARY_DIR}/output")
endfunction()
