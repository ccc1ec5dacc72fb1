voxmere_test(test_app SOURCES ConstantsTest.cpp SingleInstanceTest.cpp LIBS applib)
voxmere_test(test_app_process SOURCES AppProcessTest.cpp INTEGRATION)
target_compile_definitions(test_app_process PRIVATE VOXMERE_BIN="$<TARGET_FILE:voxmere>"
    STANDIN_ENGINE="$<TARGET_FILE:engine_standin>")
target_link_libraries(test_app_process PRIVATE Qt6::Network)
add_dependencies(test_app_process voxmere engine_standin)
# The application's engine port is fixed, so no other test may run the application beside it.
set_tests_properties(test_app_process PROPERTIES RUN_SERIAL TRUE)

# `voxmere --list-mics` against a private sound server lists the virtual microphone, never a
# monitor; with no server at all it prints nothing and still succeeds.
add_test(NAME app_list_mics COMMAND ${FIXTURES}/with-pulse.sh $<TARGET_FILE:voxmere> --list-mics)
set_tests_properties(app_list_mics PROPERTIES LABELS integration
    PASS_REGULAR_EXPRESSION "VirtualMic\tmic" FAIL_REGULAR_EXPRESSION "monitor")
add_test(NAME app_list_mics_without_server COMMAND ${CMAKE_COMMAND} -E env
    PULSE_SERVER=unix:/nonexistent/native XDG_RUNTIME_DIR=/nonexistent $<TARGET_FILE:voxmere> --list-mics)
set_tests_properties(app_list_mics_without_server PROPERTIES LABELS integration
    FAIL_REGULAR_EXPRESSION ".")
voxmere_test(test_appearance SOURCES AppearanceTest.cpp LIBS ui GUI)
