voxmere_test(test_app SOURCES ConstantsTest.cpp SingleInstanceTest.cpp LIBS applib)
voxmere_test(test_app_process SOURCES AppProcessTest.cpp INTEGRATION)
target_compile_definitions(test_app_process PRIVATE VOXMERE_BIN="$<TARGET_FILE:voxmere>")
add_dependencies(test_app_process voxmere)
