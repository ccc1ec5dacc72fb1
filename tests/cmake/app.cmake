voxmere_test(test_app SOURCES ConstantsTest.cpp SingleInstanceTest.cpp LIBS applib)
voxmere_test(test_app_process SOURCES AppProcessTest.cpp INTEGRATION)
target_compile_definitions(test_app_process PRIVATE VOXMERE_BIN="$<TARGET_FILE:voxmere>"
    STANDIN_ENGINE="$<TARGET_FILE:engine_standin>")
target_link_libraries(test_app_process PRIVATE Qt6::Network)
add_dependencies(test_app_process voxmere engine_standin)
# The application's engine port is fixed, so no other test may run the application beside it.
set_tests_properties(test_app_process PROPERTIES RUN_SERIAL TRUE)
